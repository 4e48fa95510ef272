#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace orvex::cli {

// Runs `orvex-compare` with `arguments` (without the program name): the
// comparison search, or one of the lists it chooses from. Data files are read
// by bare name from the current directory. `today` gives the long date used
// by --report when --date is not given.
int runCompareCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                      const std::function<std::string()>& today);

} // namespace orvex::cli
