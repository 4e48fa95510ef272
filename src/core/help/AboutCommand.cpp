#include "core/help/AboutCommand.h"

#include <cerrno>
#include <exception>
#include <system_error>
#include <utility>

namespace orvex {
namespace {

[[noreturn]] void throwErrno(int number)
{
    throw std::system_error(number, std::generic_category());
}

// The folder refuses new files; a missing or wrong folder is another matter.
bool isNotWritable(const std::system_error& error)
{
    const int code = error.code().value();
    return error.code().category() == std::generic_category() && (code == EACCES || code == EPERM || code == EROFS);
}

} // namespace

AboutCommand::AboutCommand(ShellApi& shell, AboutMessages& messages, ProbeFiles& files,
                           std::filesystem::path programDirectory, std::function<void()> processPendingEvents)
    : shell_(shell)
    , messages_(messages)
    , files_(files)
    , programDirectory_(std::move(programDirectory))
    , processPendingEvents_(std::move(processPendingEvents))
{
}

void AboutCommand::run()
{
    probeCreated_ = false;
    privateFolder_.clear();
    try {
        findAndLaunch();
    } catch (const std::system_error& error) {
        cleanUp();
        messages_.show(runtimeErrorText(error.code().value(), error.code().message()));
    } catch (const std::exception& error) {
        cleanUp();
        messages_.show(runtimeErrorText(0, error.what()));
    }
}

void AboutCommand::findAndLaunch()
{
    // Without a known folder the probe would land in the file-system root.
    if (programDirectory_.empty())
        throwErrno(ENOENT);
    makeProbe();
    const ShellApi::FindResult found = shell_.findExecutable(kProbeFileName, probeDirectory_);
    cleanUp();

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

void AboutCommand::makeProbe()
{
    try {
        probeCreated_ = files_.create(programDirectory_, kProbeFileName);
        probeDirectory_ = programDirectory_;
        return;
    } catch (const std::system_error& error) {
        // An installed program's folder is the system's: ask from a folder
        // of the user's own instead. Any other failure is reported.
        if (!isNotWritable(error))
            throw;
        try {
            privateFolder_ = files_.makePrivateFolder();
        } catch (const std::system_error&) {
            throw error; // the reason the user can act on
        }
    }
    probeDirectory_ = privateFolder_;
    probeCreated_ = files_.create(privateFolder_, kProbeFileName);
}

void AboutCommand::cleanUp() noexcept
{
    if (probeCreated_)
        files_.remove(probeDirectory_, kProbeFileName);
    probeCreated_ = false;
    if (!privateFolder_.empty())
        files_.removePrivateFolder(privateFolder_);
    privateFolder_.clear();
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
