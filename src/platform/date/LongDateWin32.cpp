#include "platform/date/LongDate.h"

#include "platform/files/Utf16.h"

#include "platform/WindowsApi.h"

namespace orvex::platform {

std::string todayLongDate()
{
    const int length = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, nullptr, 0, nullptr);
    if (length <= 0)
        return {};
    std::wstring date(static_cast<std::size_t>(length), L'\0');
    if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, date.data(), length, nullptr) <= 0)
        return {};
    date.resize(static_cast<std::size_t>(length - 1)); // the terminating NUL
    return wideToUtf8(date);
}

} // namespace orvex::platform
