#pragma once

#include "core/help/ProbeFiles.h"

#include <cerrno>
#include <set>
#include <string>
#include <system_error>
#include <vector>

namespace orvex::test {

// The About command's file system, in memory: folders can be told to refuse
// new files, names to be there already; every call is recorded.
class ProbeFilesDouble final : public ProbeFiles {
public:
    int refuseProgramFolder = 0;   // errno thrown by create() outside the private folder
    int refusePrivateFolder = 0;   // errno thrown by makePrivateFolder()
    std::set<std::filesystem::path> existing; // files there before
    std::vector<std::string> calls;

    bool create(const std::filesystem::path& folder, const std::string& name) override
    {
        calls.push_back("create " + (folder / name).string());
        if (refuseProgramFolder != 0 && folder != kPrivate)
            throw std::system_error(refuseProgramFolder, std::generic_category());
        return existing.insert(folder / name).second;
    }
    void remove(const std::filesystem::path& folder, const std::string& name) noexcept override
    {
        calls.push_back("remove " + (folder / name).string());
        existing.erase(folder / name);
    }
    std::filesystem::path makePrivateFolder() override
    {
        calls.push_back("makePrivateFolder");
        if (refusePrivateFolder != 0)
            throw std::system_error(refusePrivateFolder, std::generic_category());
        return kPrivate;
    }
    void removePrivateFolder(const std::filesystem::path& folder) noexcept override
    {
        calls.push_back("removePrivateFolder " + folder.string());
    }

    inline static const std::filesystem::path kPrivate = "/private-0700";
};

} // namespace orvex::test
