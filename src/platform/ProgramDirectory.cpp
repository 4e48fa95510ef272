#include "platform/ProgramDirectory.h"

#include <system_error>

#ifdef _WIN32
#include "platform/WindowsApi.h"
#include <vector>
#endif

namespace orvex::platform {

std::filesystem::path programDirectory()
{
#ifdef _WIN32
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size())
            return std::filesystem::path(std::wstring(buffer.data(), n)).parent_path();
        buffer.resize(buffer.size() * 2);
    }
#else
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return exe.parent_path();
#endif
}

} // namespace orvex::platform
