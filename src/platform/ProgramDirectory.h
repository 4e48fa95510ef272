#pragma once

#include <filesystem>

namespace orvex::platform {

// The folder that holds the running program file. The tips file and the
// About command's probe file live there, not in the current directory.
// Empty if the system cannot tell.
std::filesystem::path programDirectory();

} // namespace orvex::platform
