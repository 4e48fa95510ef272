#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orvex::cli {

// Runs `orvex-compare check` with `arguments` (those after "check"): checks
// remedy.xml, list.xml and garepertory.xml in the current directory. Exit
// status kExitFindings when the data has findings.
int runCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace orvex::cli
