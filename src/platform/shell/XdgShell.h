#pragma once

#include "help/ShellApi.h"

#include <string>

namespace orvex::platform {

// The shell on freedesktop systems. The program that opens web pages is the
// default handler of text/html as `xdg-mime` reports it; addresses are opened
// with `xdg-open`. Both tools run with arguments, never through a shell.
class XdgShell final : public ShellApi {
public:
    // The tools by name (found on PATH) or by full path.
    explicit XdgShell(std::string xdgMime = "xdg-mime", std::string xdgOpen = "xdg-open");

    // 3 when `directory` is no folder, 2 when `file` is not in it, 31 when the
    // file is no web page or no handler is registered (or the tool is
    // missing), else a number above 32 and the handler's desktop entry name.
    FindResult findExecutable(const std::string& file, const std::filesystem::path& directory) override;

    // Starts xdg-open and returns at once: a number above 32 when it started,
    // else 31 or less.
    int shellExecute(const std::string& url) override;

private:
    std::string xdgMime_;
    std::string xdgOpen_;
};

} // namespace orvex::platform
