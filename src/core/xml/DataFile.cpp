#include "core/xml/DataFile.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#include <sys/stat.h>
#include <wchar.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvex {
namespace {

std::string describe(int error)
{
    if (error == ENOENT)
        return "the file does not exist";
    if (error == EISDIR)
        return "it is a folder, not a file";
    return std::string("cannot open it: ") + std::strerror(error);
}

#ifdef _WIN32
std::wstring widen(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}
#endif

} // namespace

DataFile openDataFile(const std::string& fileName)
{
    DataFile opened;
#ifdef _WIN32
    const std::wstring wide = widen(fileName);
    struct _stat64 status {};
    if (wide.empty() && !fileName.empty()) {
        opened.error = "its name is not valid UTF-8";
        return opened;
    }
    if (_wstat64(wide.c_str(), &status) != 0) {
        opened.error = describe(errno);
        return opened;
    }
    if ((status.st_mode & _S_IFDIR) != 0) {
        opened.error = describe(EISDIR);
        return opened;
    }
    if ((status.st_mode & _S_IFREG) == 0) {
        opened.error = "it is not a regular file";
        return opened;
    }
    opened.file = _wfopen(wide.c_str(), L"rb");
    if (opened.file == nullptr)
        opened.error = describe(errno);
#else
    // Non-blocking, so that a FIFO put in the file's place cannot hang the open.
    const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        opened.error = describe(errno);
        return opened;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        const int error = S_ISDIR(status.st_mode) ? EISDIR : 0;
        ::close(descriptor);
        opened.error = error != 0 ? describe(error) : "it is not a regular file";
        return opened;
    }
    opened.file = ::fdopen(descriptor, "rb");
    if (opened.file == nullptr) {
        opened.error = describe(errno);
        ::close(descriptor);
    }
#endif
    return opened;
}

} // namespace orvex
