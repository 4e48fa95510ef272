#include "cli/SystemText.h"

#include "platform/files/Utf16.h"

#include "platform/WindowsApi.h"
#include <shellapi.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace orvex::cli {

std::vector<std::string> programArguments(int argc, char* argv[])
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return {argv + (argc > 0 ? 1 : 0), argv + argc};
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(platform::wideToUtf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

void useBinaryOutput()
{
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

} // namespace orvex::cli
