#pragma once

#include "core/repertory/ReportLines.h"

#include <string>
#include <vector>

namespace orvex::tools {

// The report of the demo data as the program prints it: Bell., Nux-v. and
// Puls. in the first chapter, "different" mode, dated `longDate`.
std::vector<ReportLine> demoReport(const std::string& longDate);

} // namespace orvex::tools
