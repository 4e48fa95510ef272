#include "platform/SystemProbeFilesSystem.h"

#include "platform/WindowsApi.h"

#include <cerrno>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace orvex::platform::probe {
namespace {

// Which file a handle is: the C runtime knows no inode (and gives a
// descriptor's number as its device), so the volume and the file index say it.
std::optional<Identity> identityOf(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &info))
        return std::nullopt;
    return Identity{info.dwVolumeSerialNumber,
                    (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

} // namespace

int openNew(const std::filesystem::path& file)
{
    return ::_wopen(file.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}

bool closeFile(int fd)
{
    return ::_close(fd) == 0;
}

std::optional<Identity> identityOfOpen(int fd)
{
    // The runtime hands the system's handle out as a number.
    return identityOf(reinterpret_cast<HANDLE>(::_get_osfhandle(fd))); // NOLINT(performance-no-int-to-ptr)
}

// A folder or link of the same name is not the file that was made.
std::optional<Identity> identityAt(const std::filesystem::path& file)
{
    const HANDLE handle = CreateFileW(file.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const auto identity = identityOf(handle);
    CloseHandle(handle);
    return identity;
}

// The temporary folder on Windows is the user's own; the name is still new.
std::filesystem::path newPrivateFolder(const std::filesystem::path& base)
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto folder = base / ("orvex-about-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(folder, error))
            return folder;
        if (error)
            throwErrno(error.value());
    }
    throwErrno(EEXIST);
}

} // namespace orvex::platform::probe
