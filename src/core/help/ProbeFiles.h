#pragma once

#include <filesystem>
#include <string>

namespace orvex {

// Where the About command makes and removes its probe file: the file system,
// or a double in tests. Failures are thrown as std::system_error with the
// system's error number; the command decides what to do about them.
class ProbeFiles {
public:
    virtual ~ProbeFiles() = default;

    // Creates the empty file `name` in `folder` unless something of that name
    // is there already; what is there is neither opened nor followed (a link,
    // a FIFO). True when this call created the file.
    virtual bool create(const std::filesystem::path& folder, const std::string& name) = 0;

    // Removes the file that create() made, and nothing else: not what may
    // have taken its place since.
    virtual void remove(const std::filesystem::path& folder, const std::string& name) noexcept = 0;

    // A new folder in the temporary folder that only this user may enter,
    // with a name nobody can guess beforehand.
    virtual std::filesystem::path makePrivateFolder() = 0;

    // Removes that folder again once it is empty.
    virtual void removePrivateFolder(const std::filesystem::path& folder) noexcept = 0;
};

} // namespace orvex
