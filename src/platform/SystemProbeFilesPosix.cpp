#include "platform/SystemProbeFiles.h"

#include <cerrno>
#include <optional>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvex::platform {
namespace {

[[noreturn]] void throwErrno(int number)
{
    throw std::system_error(number != 0 ? number : EIO, std::generic_category());
}

using Identity = std::pair<unsigned long long, unsigned long long>;

// Which file an open descriptor, or a path, is: its device and inode.
Identity identity(const struct stat& status)
{
    return {static_cast<unsigned long long>(status.st_dev), static_cast<unsigned long long>(status.st_ino)};
}

std::optional<Identity> identityOfOpen(int fd)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return std::nullopt;
    return identity(status);
}

// Regular files only, and a link is not followed.
std::optional<Identity> identityAt(const std::filesystem::path& file)
{
    struct stat status {};
    if (::lstat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return identity(status);
}

} // namespace

SystemProbeFiles::SystemProbeFiles(std::filesystem::path temporaryBase) : temporaryBase_(std::move(temporaryBase)) {}

bool SystemProbeFiles::create(const std::filesystem::path& folder, const std::string& name)
{
    const std::filesystem::path file = folder / name;
    // O_EXCL: a link of that name, even one that leads nowhere, is never followed.
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EEXIST)
            return false;
        throwErrno(errno);
    }
    const auto made = identityOfOpen(fd);
    const int error = errno;
    if (::close(fd) != 0 || !made) {
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
    std::string pattern = (base / "orvex-about-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throwErrno(errno);
    return pattern;
}

void SystemProbeFiles::removePrivateFolder(const std::filesystem::path& folder) noexcept
{
    std::error_code ignored;
    std::filesystem::remove(folder, ignored); // only when empty
}

} // namespace orvex::platform
