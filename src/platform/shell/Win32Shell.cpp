#include "Win32Shell.h"

#include <climits>
#include <string_view>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <shellapi.h>

namespace orvex::platform {
namespace {

// The shell returns an HINSTANCE that is only a number; success values may
// exceed an int and must stay successes.
int toResult(HINSTANCE instance)
{
    const INT_PTR value = reinterpret_cast<INT_PTR>(instance);
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}

std::wstring toWide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string toUtf8(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

} // namespace

ShellApi::FindResult Win32Shell::findExecutable(const std::string& file, const std::filesystem::path& directory)
{
    // FindExecutableW writes up to MAX_PATH characters; a smaller buffer
    // could be overrun. The folder goes as the system names it (UTF-16), so
    // any user name in it is found.
    wchar_t buffer[MAX_PATH + 1] = {};
    const std::wstring folder = directory.wstring();
    const int result = toResult(FindExecutableW(toWide(file).c_str(), folder.c_str(), buffer));
    return {result, result > 32 ? toUtf8(buffer) : std::string()};
}

int Win32Shell::shellExecute(const std::string& url)
{
    return toResult(
        ShellExecuteW(static_cast<HWND>(owner_), L"Open", toWide(url).c_str(), L"", L"", SW_SHOWNORMAL));
}

} // namespace orvex::platform
