#include "platform/SystemProbeFiles.h"

#include "platform/SystemProbeFilesSystem.h"

#include <cerrno>
#include <system_error>

namespace orvex::platform {

[[noreturn]] void probe::throwErrno(int number)
{
    throw std::system_error(number != 0 ? number : EIO, std::generic_category());
}

SystemProbeFiles::SystemProbeFiles(std::filesystem::path temporaryBase) : temporaryBase_(std::move(temporaryBase)) {}

bool SystemProbeFiles::create(const std::filesystem::path& folder, const std::string& name)
{
    const std::filesystem::path file = folder / name;
    const int fd = probe::openNew(file);
    if (fd < 0) {
        if (errno == EEXIST)
            return false;
        probe::throwErrno(errno);
    }
    const auto made = probe::identityOfOpen(fd);
    const int error = errno;
    if (!probe::closeFile(fd) || !made) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        probe::throwErrno(made ? errno : error);
    }
    created_[file] = *made;
    return true;
}

void SystemProbeFiles::remove(const std::filesystem::path& folder, const std::string& name) noexcept
{
    const std::filesystem::path file = folder / name;
    const auto made = created_.find(file);
    if (made == created_.end())
        return;
    if (probe::identityAt(file) == made->second) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
    }
    created_.erase(made);
}

std::filesystem::path SystemProbeFiles::makePrivateFolder()
{
    std::filesystem::path base = temporaryBase_;
    if (base.empty()) {
        std::error_code error;
        base = std::filesystem::temp_directory_path(error);
        if (error)
            probe::throwErrno(error.value());
    }
    return probe::newPrivateFolder(base);
}

void SystemProbeFiles::removePrivateFolder(const std::filesystem::path& folder) noexcept
{
    std::error_code ignored;
    std::filesystem::remove(folder, ignored); // only when empty
}

} // namespace orvex::platform
