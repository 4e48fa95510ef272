#include "platform/shell/SystemShell.h"

#ifdef _WIN32
#include "platform/shell/Win32Shell.h"
#else
#include "platform/shell/XdgShell.h"
#endif

namespace orvex::platform {

std::unique_ptr<ShellApi> makeSystemShell()
{
#ifdef _WIN32
    return std::make_unique<Win32Shell>();
#else
    return std::make_unique<XdgShell>();
#endif
}

} // namespace orvex::platform
