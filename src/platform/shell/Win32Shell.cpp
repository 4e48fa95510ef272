#include "Win32Shell.h"

#include <climits>

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

} // namespace

ShellApi::FindResult Win32Shell::findExecutable(const std::string& file, const std::filesystem::path& directory)
{
    // FindExecutableA writes up to MAX_PATH characters; a smaller buffer
    // could be overrun.
    char buffer[MAX_PATH + 1] = {};
    const std::string folder = directory.string();
    const int result = toResult(FindExecutableA(file.c_str(), folder.c_str(), buffer));
    return {result, result > 32 ? std::string(buffer) : std::string()};
}

int Win32Shell::shellExecute(const std::string& url)
{
    return toResult(ShellExecuteA(static_cast<HWND>(owner_), "Open", url.c_str(), "", "", SW_SHOWNORMAL));
}

} // namespace orvex::platform
