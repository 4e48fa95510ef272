#include "platform/files/DataFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvex::platform {
namespace {

std::string describe(int error)
{
    if (error == ENOENT)
        return "the file does not exist";
    if (error == EISDIR)
        return "it is a folder, not a file";
    return std::string("cannot open it: ") + std::strerror(error);
}

std::int64_t nanoseconds(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FileIdentity identityFrom(const struct stat& status)
{
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
            static_cast<std::uint64_t>(status.st_size), nanoseconds(status.st_mtim), nanoseconds(status.st_ctim)};
}

} // namespace

DataFile DataFile::open(const std::string& fileName)
{
    DataFile opened;
    // Non-blocking, so that a FIFO put in the file's place cannot hang the open.
    const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        opened.error_ = describe(errno);
        return opened;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        const int error = S_ISDIR(status.st_mode) ? EISDIR : 0;
        ::close(descriptor);
        opened.error_ = error != 0 ? describe(error) : "it is not a regular file";
        return opened;
    }
    opened.handle_ = descriptor;
    return opened;
}

void DataFile::closeHandle(std::intptr_t handle)
{
    ::close(static_cast<int>(handle));
}

long DataFile::read(char* buffer, std::size_t length)
{
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(handle_), buffer, length);
        if (got >= 0)
            return static_cast<long>(got);
        if (errno != EINTR) {
            error_ = std::string("cannot read it: ") + std::strerror(errno);
            return -1;
        }
    }
}

std::optional<FileIdentity> DataFile::identity() const
{
    struct stat status {};
    if (!isOpen() || ::fstat(static_cast<int>(handle_), &status) != 0)
        return std::nullopt;
    return identityFrom(status);
}

std::optional<FileIdentity> identityOf(const std::string& fileName)
{
    struct stat status {};
    if (::stat(fileName.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return identityFrom(status);
}

} // namespace orvex::platform
