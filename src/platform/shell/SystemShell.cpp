#include "SystemShell.h"

#ifdef _WIN32
#include "Win32Shell.h"
#else
#include "XdgShell.h"
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
