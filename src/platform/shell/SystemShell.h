#pragma once

#include "core/help/ShellApi.h"

#include <memory>

namespace orvex::platform {

// The shell of the system the program runs on: Win32Shell on Windows,
// XdgShell elsewhere.
std::unique_ptr<ShellApi> makeSystemShell();

} // namespace orvex::platform
