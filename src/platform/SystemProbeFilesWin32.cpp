#include "platform/SystemProbeFiles.h"

#include "platform/WindowsApi.h"

#include <cerrno>
#include <optional>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace orvex::platform {
namespace {

[[noreturn]] void throwErrno(int number)
{
    throw std::system_error(number != 0 ? number : EIO, std::generic_category());
}

using Identity = std::pair<unsigned long long, unsigned long long>;

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

std::optional<Identity> identityOfOpen(int fd)
{
    // The runtime hands the system's handle out as a number.
    return identityOf(reinterpret_cast<HANDLE>(::_get_osfhandle(fd))); // NOLINT(performance-no-int-to-ptr)
}

// Files only, and a link is not followed: a folder or link of the same name
// is not the file that was made.
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

} // namespace

SystemProbeFiles::SystemProbeFiles(std::filesystem::path temporaryBase) : temporaryBase_(std::move(temporaryBase)) {}

bool SystemProbeFiles::create(const std::filesystem::path& folder, const std::string& name)
{
    const std::filesystem::path file = folder / name;
    const int fd = ::_wopen(file.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) {
        if (errno == EEXIST)
            return false;
        throwErrno(errno);
    }
    const auto made = identityOfOpen(fd);
    const int error = errno;
    if (::_close(fd) != 0 || !made) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        throwErrno(made ? errno : error);
    }
    created_[file] = *made;
    return true;
}

void SystemProbeFiles::remove(const std::filesystem::path& folder, const std::string& name) noexcept
{
    const std::filesystem::path file = folder / name;
    const auto made = created_.find(file);
    if (made == created_.end())
        return;
    if (identityAt(file) == made->second) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
    }
    created_.erase(made);
}

std::filesystem::path SystemProbeFiles::makePrivateFolder()
{
    std::filesystem::path base = temporaryBase_;
    if (base.empty()) {
        std::error_code error;
        base = std::filesystem::temp_directory_path(error);
        if (error)
            throwErrno(error.value());
    }
    // The temporary folder on Windows is the user's own; the name is still new.
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

void SystemProbeFiles::removePrivateFolder(const std::filesystem::path& folder) noexcept
{
    std::error_code ignored;
    std::filesystem::remove(folder, ignored); // only when empty
}

} // namespace orvex::platform
