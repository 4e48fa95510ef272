#include "platform/shell/XdgShell.h"
#include "core/AsciiText.h"

#include "platform/shell/ChildProcess.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <system_error>

namespace orvex::platform {
namespace {

bool isWebPage(const std::filesystem::path& file)
{
    const std::string extension = asciiLowered(file.extension().string());
    return extension == ".html" || extension == ".htm";
}

int startFailure(int error)
{
    switch (error) {
    case ENOENT:
        return kShellFileNotFound;
    case EACCES:
    case EPERM:
        return kShellAccessDenied;
    case ENOMEM:
        return 8; // the shell's "not enough memory"
    default:
        return kShellNoAssociation;
    }
}

} // namespace

XdgShell::XdgShell(std::string xdgMime, std::string xdgOpen, std::chrono::milliseconds wait)
    : xdgMime_(std::move(xdgMime))
    , xdgOpen_(std::move(xdgOpen))
    , wait_(wait)
{
}

ShellApi::FindResult XdgShell::findExecutable(const std::string& file, const std::filesystem::path& directory)
{
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error))
        return {kShellPathNotFound, {}};
    if (!std::filesystem::exists(directory / file, error))
        return {kShellFileNotFound, {}};
    if (!isWebPage(file))
        return {kShellNoAssociation, {}};

    const CapturedRun run = runAndCapture({xdgMime_, "query", "default", "text/html"}, wait_);
    const std::string handler(trimmed(run.output));
    if (run.startError != 0 || run.timedOut || run.exitStatus != 0 || handler.empty())
        return {kShellNoAssociation, {}};
    return {kShellSucceeded, handler};
}

int XdgShell::shellExecute(const std::string& url)
{
    if (url.empty())
        return kShellFileNotFound;
    const Launch launch = startWatched({xdgOpen_, url}, wait_);
    if (launch.startError != 0)
        return startFailure(launch.startError);
    if (!launch.running && launch.exitStatus != 0)
        return kShellNoAssociation; // xdg-open found nothing to open it with, or failed
    return kShellSucceeded;
}

} // namespace orvex::platform
