#pragma once

#include <filesystem>
#include <string>

namespace orvex {

// What the About command asks of the system shell, with the result numbers of
// the Windows shell: 0 out of memory, 1 to 31 a failure (31: no program is
// associated with the file), 32 and above success. Layers for other systems
// map their failures onto these numbers so that the user sees the same
// messages everywhere.
class ShellApi {
public:
    struct FindResult {
        int result = 0;
        std::string executable; // the program that opens the file, when found
    };

    virtual ~ShellApi() = default;

    // The program registered to open `file` (a bare name in `directory`).
    virtual FindResult findExecutable(const std::string& file, const std::filesystem::path& directory) = 0;

    // Opens `url` with its registered program, without waiting for it.
    virtual int shellExecute(const std::string& url) = 0;
};

// Result numbers the shell layers share.
inline constexpr int kShellOutOfMemory = 0;
inline constexpr int kShellFileNotFound = 2;
inline constexpr int kShellPathNotFound = 3;
inline constexpr int kShellAccessDenied = 5;
inline constexpr int kShellNoAssociation = 31;
inline constexpr int kShellSucceeded = 42; // any number above 32 would do

} // namespace orvex
