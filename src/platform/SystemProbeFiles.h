#pragma once

#include "core/help/ProbeFiles.h"

#include <filesystem>
#include <map>
#include <string>
#include <utility>

namespace orvex::platform {

// The About command's probe on the real file system. A file is created only
// where nothing of its name exists (O_EXCL, no link followed), and removed
// only while it is still the file that was created. Private folders are made
// under `temporaryBase` (the system's temporary folder by default) with
// mkdtemp: mode 0700, an unpredictable name.
class SystemProbeFiles final : public ProbeFiles {
public:
    explicit SystemProbeFiles(std::filesystem::path temporaryBase = {});

    bool create(const std::filesystem::path& folder, const std::string& name) override;
    void remove(const std::filesystem::path& folder, const std::string& name) noexcept override;
    std::filesystem::path makePrivateFolder() override;
    void removePrivateFolder(const std::filesystem::path& folder) noexcept override;

private:
    std::filesystem::path temporaryBase_;
    // What create() made, by path: the file's device and inode.
    std::map<std::filesystem::path, std::pair<unsigned long long, unsigned long long>> created_;
};

} // namespace orvex::platform
