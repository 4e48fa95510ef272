#include "AboutCommand.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <system_error>
#include <utility>

namespace orvex {
namespace {

[[noreturn]] void throwErrno(int number)
{
    throw std::system_error(number, std::generic_category());
}

// Opens the file for appending, so that it is created when missing and its
// content, if any, stays as it was. Writes nothing.
void touch(const std::filesystem::path& file)
{
    errno = 0;
#ifdef _WIN32
    std::FILE* stream = _wfopen(file.c_str(), L"ab");
#else
    std::FILE* stream = std::fopen(file.c_str(), "ab");
#endif
    if (stream == nullptr)
        throwErrno(errno != 0 ? errno : EIO);
    if (std::fclose(stream) != 0)
        throwErrno(errno != 0 ? errno : EIO);
}

// The folder refuses new files; a missing or wrong folder is another matter.
bool isNotWritable(const std::system_error& error)
{
    const int code = error.code().value();
    return error.code().category() == std::generic_category() && (code == EACCES || code == EPERM || code == EROFS);
}

} // namespace

AboutCommand::AboutCommand(ShellApi& shell, AboutMessages& messages, std::filesystem::path programDirectory,
                           std::function<void()> processPendingEvents, std::filesystem::path temporaryDirectory)
    : shell_(shell)
    , messages_(messages)
    , programDirectory_(std::move(programDirectory))
    , temporaryDirectory_(std::move(temporaryDirectory))
    , processPendingEvents_(std::move(processPendingEvents))
{
}

void AboutCommand::run()
{
    probeCreated_ = false;
    try {
        findAndLaunch();
    } catch (const std::system_error& error) {
        removeProbeIfCreated();
        messages_.show(runtimeErrorText(error.code().value(), error.code().message()));
    } catch (const std::exception& error) {
        removeProbeIfCreated();
        messages_.show(runtimeErrorText(0, error.what()));
    }
}

void AboutCommand::findAndLaunch()
{
    // Without a known folder the probe would land in the file-system root.
    if (programDirectory_.empty())
        throwErrno(ENOENT);
    try {
        makeProbe(programDirectory_);
    } catch (const std::system_error& error) {
        // An installed program's folder is the system's: ask from the
        // user's temporary folder instead. Any other failure is reported.
        if (temporaryDirectory_.empty() || !isNotWritable(error))
            throw;
        makeProbe(temporaryDirectory_);
    }

    const ShellApi::FindResult found = shell_.findExecutable(kProbeFileName, probeDirectory_);
    if (probeCreated_) {
        std::filesystem::remove(probeDirectory_ / kProbeFileName);
        probeCreated_ = false;
    }

    if (found.result == 0) {
        messages_.show(kOutOfMemoryText);
        return;
    }
    if (found.result == kShellNoAssociation) {
        messages_.show(kNoBrowserText);
        return;
    }
    // Negative numbers cannot come from the shell; they are shown as the
    // failures they must be rather than taken for success.
    if (found.result < 32) {
        messages_.show(errorNumberText(found.result));
        return;
    }

    if (processPendingEvents_)
        processPendingEvents_();
    if (shell_.shellExecute(kMakerWebAddress) <= kShellNoAssociation)
        messages_.show(kLaunchFailedText);
}

void AboutCommand::makeProbe(const std::filesystem::path& directory)
{
    const std::filesystem::path probe = directory / kProbeFileName;
    // A file of that name that was there before is the user's: it is used as
    // the probe but neither changed nor deleted.
    std::error_code error;
    const auto status = std::filesystem::symlink_status(probe, error);
    if (status.type() == std::filesystem::file_type::none)
        throw std::filesystem::filesystem_error("cannot inspect the probe file", probe, error);
    const bool existed = std::filesystem::exists(status);

    touch(probe);
    probeDirectory_ = directory;
    probeCreated_ = !existed;
}

void AboutCommand::removeProbeIfCreated() noexcept
{
    if (!probeCreated_)
        return;
    std::error_code ignored;
    std::filesystem::remove(probeDirectory_ / kProbeFileName, ignored);
    probeCreated_ = false;
}

std::string AboutCommand::errorNumberText(int number)
{
    return "Error Number: " + std::to_string(number);
}

std::string AboutCommand::runtimeErrorText(int number, const std::string& description)
{
    return "An error has occured.\r\nError Number: " + std::to_string(number) + "\r\nError description: "
        + description;
}

} // namespace orvex
