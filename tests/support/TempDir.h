#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orvex::test {

// A fresh folder under the system's temporary directory, removed again with
// everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes `bytes` to `name` inside the folder and returns the full path.
    std::string write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

// Changes the current directory for the life of the object.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::filesystem::path& directory);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::filesystem::path previous_;
};

std::string readFile(const std::filesystem::path& path);

inline std::filesystem::path demoData(std::string_view name) { return std::filesystem::path(ORVEX_DEMO_DATA_DIR) / name; }

} // namespace orvex::test
