#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// What the fuzz targets share: how a broken invariant is reported, and the
// one scratch file per fuzzing process for the loaders that read only files.
namespace orvex::fuzz {

[[noreturn]] inline void fail(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// In memory when /dev/shm is there; `name` tells the targets' files apart.
inline std::string scratchFilePath(std::string_view name)
{
    std::string folder = "/dev/shm";
    if (::access(folder.c_str(), W_OK) != 0) {
        const char* tmp = std::getenv("TMPDIR");
        folder = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    }
    return folder + "/orvex-fuzz-" + std::to_string(::getpid()) + "-" + std::string(name);
}

inline void writeScratchFile(const std::string& path, std::string_view bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        std::abort();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        std::abort();
    if (std::fclose(file) != 0)
        std::abort();
}

} // namespace orvex::fuzz
