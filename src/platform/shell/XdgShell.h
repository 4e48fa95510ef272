#pragma once

#include "core/help/ShellApi.h"

#include <chrono>
#include <string>

namespace orvex::platform {

// The shell on freedesktop systems. The program that opens web pages is the
// default handler of text/html as `xdg-mime` reports it; addresses are opened
// with `xdg-open`. Both tools run with arguments, never through a shell.
class XdgShell final : public ShellApi {
public:
    // How long the window may wait for either tool: one that hangs is no
    // reason to freeze it.
    static constexpr std::chrono::milliseconds kDefaultWait{4000};

    // The tools by name (found on PATH) or by full path.
    explicit XdgShell(std::string xdgMime = "xdg-mime", std::string xdgOpen = "xdg-open",
                      std::chrono::milliseconds wait = kDefaultWait);

    // 3 when `directory` is no folder, 2 when `file` is not in it, 31 when the
    // file is no web page or no handler is registered (or the tool is
    // missing, fails, or does not answer within the wait: it is killed), else
    // a number above 32 and the handler's desktop entry name.
    FindResult findExecutable(const std::string& file, const std::filesystem::path& directory) override;

    // Starts xdg-open and waits for it at most the wait: 31 or less when it
    // cannot start or fails (a non-zero status, a signal), else a number
    // above 32. One still running after the wait is taken for the browser
    // itself, which some desktops run in the opener's own process.
    int shellExecute(const std::string& url) override;

private:
    std::string xdgMime_;
    std::string xdgOpen_;
    std::chrono::milliseconds wait_;
};

} // namespace orvex::platform
