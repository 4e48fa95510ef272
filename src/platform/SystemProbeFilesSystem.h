#pragma once

#include <filesystem>
#include <optional>
#include <utility>

// What SystemProbeFiles asks of the system, one file of definitions for each.
namespace orvex::platform::probe {

// Which file it is: device and inode, or volume and file index on Windows.
using Identity = std::pair<unsigned long long, unsigned long long>;

[[noreturn]] void throwErrno(int number);

// A new file, only where nothing of that name exists (no link followed);
// a descriptor, or -1 with errno set.
int openNew(const std::filesystem::path& file);
bool closeFile(int fd);

std::optional<Identity> identityOfOpen(int fd);
// Regular files only, and a link is not followed.
std::optional<Identity> identityAt(const std::filesystem::path& file);

// A new folder of an unpredictable name under `base`, for the user alone.
std::filesystem::path newPrivateFolder(const std::filesystem::path& base);

} // namespace orvex::platform::probe
