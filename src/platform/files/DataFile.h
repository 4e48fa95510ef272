#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace orvex::platform {

// What tells one version of a file from another without reading it: the same
// identity means the same file, unchanged (same device and file number, size,
// and modification and status-change times to the system's precision).
struct FileIdentity {
    std::uint64_t device = 0; // device, or volume serial on Windows
    std::uint64_t index = 0;  // inode, or file index on Windows
    std::uint64_t size = 0;
    std::int64_t modified = 0; // nanoseconds on POSIX, 100 ns units on Windows
    std::int64_t changed = 0;  // status change; Windows has none to give

    bool operator==(const FileIdentity&) const = default;
};

// A data file open for reading, by the name the program passes (UTF-8; bare
// names resolve against the current folder). Only a regular file, or a link
// to one, is opened: a folder, FIFO or device would hang or feed endless bytes.
class DataFile {
public:
    static DataFile open(const std::string& fileName);

    DataFile(DataFile&& other) noexcept;
    DataFile& operator=(DataFile&& other) noexcept;
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;
    ~DataFile();

    bool isOpen() const;
    // Why it could not be opened, or why the last read failed.
    const std::string& error() const { return error_; }

    // Up to `length` bytes; 0 at the end, -1 on a read error.
    long read(char* buffer, std::size_t length);

    // The open file's identity; nullopt when the system cannot tell it.
    std::optional<FileIdentity> identity() const;

private:
    static constexpr std::intptr_t kNoHandle = -1; // INVALID_HANDLE_VALUE on Windows

    DataFile() = default;
    void close();
    static void closeHandle(std::intptr_t handle);

    std::intptr_t handle_ = kNoHandle; // a descriptor, or a HANDLE on Windows
    std::string error_;
};

// The identity of the file the name leads to now; nullopt when there is none.
std::optional<FileIdentity> identityOf(const std::string& fileName);

} // namespace orvex::platform
