#include "platform/files/DataFile.h"

#include "platform/WindowsApi.h"
#include "platform/files/Utf16.h"

#include <cerrno>
#include <cstring>

namespace orvex::platform {
namespace {

HANDLE handleOf(std::intptr_t value)
{
    return reinterpret_cast<HANDLE>(value); // NOLINT(performance-no-int-to-ptr): the handle is stored as an integer
}

std::string describe(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return "the file does not exist";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return std::string("cannot open it: ") + std::strerror(EACCES);
    default:
        return "cannot open it: system error " + std::to_string(error);
    }
}

std::optional<FileIdentity> identityOfHandle(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(handle, &info) == 0)
        return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    return FileIdentity{info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
                        join(info.nFileSizeHigh, info.nFileSizeLow),
                        static_cast<std::int64_t>(join(info.ftLastWriteTime.dwHighDateTime,
                                                       info.ftLastWriteTime.dwLowDateTime)),
                        0};
}

// Others may go on reading, writing or renaming the file while it is open,
// as they may on POSIX systems; the identity shows whether they did.
HANDLE openShared(const std::wstring& name, DWORD access)
{
    return CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

DataFile DataFile::open(const std::string& fileName)
{
    DataFile opened;
    const std::optional<std::wstring> wide = utf8ToWide(fileName);
    if (!wide) {
        opened.error_ = "its name is not valid UTF-8";
        return opened;
    }
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        opened.error_ = describe(GetLastError());
        return opened;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        opened.error_ = "it is a folder, not a file";
        return opened;
    }
    const HANDLE handle = openShared(*wide, GENERIC_READ);
    if (handle == INVALID_HANDLE_VALUE) {
        opened.error_ = describe(GetLastError());
        return opened;
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        opened.error_ = "it is not a regular file";
        return opened;
    }
    opened.handle_ = reinterpret_cast<std::intptr_t>(handle);
    return opened;
}

void DataFile::closeHandle(std::intptr_t handle)
{
    CloseHandle(handleOf(handle));
}

long DataFile::read(char* buffer, std::size_t length)
{
    DWORD got = 0;
    const auto wanted = static_cast<DWORD>(length > 0x40000000U ? 0x40000000U : length);
    if (ReadFile(handleOf(handle_), buffer, wanted, &got, nullptr) == 0) {
        error_ = "cannot read it: system error " + std::to_string(GetLastError());
        return -1;
    }
    return static_cast<long>(got);
}

std::optional<FileIdentity> DataFile::identity() const
{
    return isOpen() ? identityOfHandle(handleOf(handle_)) : std::nullopt;
}

std::optional<FileIdentity> identityOf(const std::string& fileName)
{
    const std::optional<std::wstring> wide = utf8ToWide(fileName);
    if (!wide)
        return std::nullopt;
    const HANDLE handle = openShared(*wide, FILE_READ_ATTRIBUTES);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::optional<FileIdentity> identity;
    if (GetFileType(handle) == FILE_TYPE_DISK)
        identity = identityOfHandle(handle);
    CloseHandle(handle);
    return identity;
}

} // namespace orvex::platform
