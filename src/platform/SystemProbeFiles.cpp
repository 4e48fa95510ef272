#include "SystemProbeFiles.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <random>
#else
#include <unistd.h>
#endif

namespace orvex::platform {
namespace {

[[noreturn]] void throwErrno(int number)
{
    throw std::system_error(number != 0 ? number : EIO, std::generic_category());
}

std::pair<unsigned long long, unsigned long long> identity(const struct stat& status)
{
    return {static_cast<unsigned long long>(status.st_dev), static_cast<unsigned long long>(status.st_ino)};
}

} // namespace

SystemProbeFiles::SystemProbeFiles(std::filesystem::path temporaryBase) : temporaryBase_(std::move(temporaryBase)) {}

bool SystemProbeFiles::create(const std::filesystem::path& folder, const std::string& name)
{
    const std::filesystem::path file = folder / name;
#ifdef _WIN32
    const int fd = ::_wopen(file.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    // O_EXCL: a link of that name, even one that leads nowhere, is never followed.
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
#endif
    if (fd < 0) {
        if (errno == EEXIST)
            return false;
        throwErrno(errno);
    }
    struct stat status {};
    const bool known = ::fstat(fd, &status) == 0;
    const int error = errno;
    if (::close(fd) != 0 || !known) {
        ::unlink(file.string().c_str());
        throwErrno(known ? errno : error);
    }
    created_[file] = identity(status);
    return true;
}

void SystemProbeFiles::remove(const std::filesystem::path& folder, const std::string& name) noexcept
{
    const std::filesystem::path file = folder / name;
    const auto made = created_.find(file);
    if (made == created_.end())
        return;
    struct stat status {};
#ifdef _WIN32
    const bool same = ::stat(file.string().c_str(), &status) == 0 && identity(status) == made->second;
#else
    const bool same = ::lstat(file.c_str(), &status) == 0 && S_ISREG(status.st_mode) && identity(status) == made->second;
#endif
    if (same) {
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
#ifdef _WIN32
    // The temporary folder on Windows is the user's own; the name is still new.
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto folder = base / ("orvex-about-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(folder, error))
            return folder;
        if (error)
            throwErrno(error.value());
    }
    throwErrno(EEXIST);
#else
    std::string pattern = (base / "orvex-about-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throwErrno(errno);
    return pattern;
#endif
}

void SystemProbeFiles::removePrivateFolder(const std::filesystem::path& folder) noexcept
{
    std::error_code ignored;
    std::filesystem::remove(folder, ignored); // only when empty
}

} // namespace orvex::platform
