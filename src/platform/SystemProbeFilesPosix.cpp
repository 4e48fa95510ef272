#include "platform/SystemProbeFilesSystem.h"

#include <cerrno>
#include <optional>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvex::platform::probe {
namespace {

Identity identity(const struct stat& status)
{
    return {static_cast<unsigned long long>(status.st_dev), static_cast<unsigned long long>(status.st_ino)};
}

} // namespace

int openNew(const std::filesystem::path& file)
{
    // O_EXCL: a link of that name, even one that leads nowhere, is never followed.
    return ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
}

bool closeFile(int fd)
{
    return ::close(fd) == 0;
}

std::optional<Identity> identityOfOpen(int fd)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return std::nullopt;
    return identity(status);
}

std::optional<Identity> identityAt(const std::filesystem::path& file)
{
    struct stat status {};
    if (::lstat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return identity(status);
}

// mkdtemp: mode 0700, a name nobody can guess.
std::filesystem::path newPrivateFolder(const std::filesystem::path& base)
{
    std::string pattern = (base / "orvex-about-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throwErrno(errno);
    return pattern;
}

} // namespace orvex::platform::probe
