#include "platform/shell/Win32Shell.h"

#include "platform/files/Utf16.h"

#include <climits>

#include "platform/WindowsApi.h"
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

} // namespace

ShellApi::FindResult Win32Shell::findExecutable(const std::string& file, const std::filesystem::path& directory)
{
    // FindExecutableW writes up to MAX_PATH characters; a smaller buffer
    // could be overrun. The folder goes as the system names it (UTF-16), so
    // any user name in it is found.
    wchar_t buffer[MAX_PATH + 1] = {};
    const std::wstring folder = directory.wstring();
    const auto name = utf8ToWide(file);
    if (!name)
        return {kShellFileNotFound, {}};
    const int result = toResult(FindExecutableW(name->c_str(), folder.c_str(), buffer));
    return {result, result > 32 ? wideToUtf8(buffer) : std::string()};
}

int Win32Shell::shellExecute(const std::string& url)
{
    const auto wideUrl = utf8ToWide(url);
    if (!wideUrl)
        return kShellFileNotFound;
    // No owner window: the browser is a window of its own.
    return toResult(ShellExecuteW(nullptr, L"Open", wideUrl->c_str(), L"", L"", SW_SHOWNORMAL));
}

} // namespace orvex::platform
