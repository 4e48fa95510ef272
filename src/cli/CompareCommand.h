#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace orvex::cli {

// Exit statuses; scripts rely on them.
inline constexpr int kExitOk = 0;
inline constexpr int kExitLoadFailed = 2;
inline constexpr int kExitUsage = 64;

// Runs `orvex-compare` with `arguments` (without the program name). Data
// files are read by bare name from the current directory. `today` gives the
// long date used by --report when --date is not given.
int runCompareCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                      const std::function<std::string()>& today);

} // namespace orvex::cli
