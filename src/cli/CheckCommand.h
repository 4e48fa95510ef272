#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orvex::cli {

// Exit status of `orvex-compare check` when the data has findings (0: none,
// 2: a file does not load, 64: bad usage, as for the search).
inline constexpr int kExitFindings = 1;

// Runs `orvex-compare check` with `arguments` (those after "check"): checks
// remedy.xml, list.xml and garepertory.xml in the current directory.
int runCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace orvex::cli
