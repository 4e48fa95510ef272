#pragma once

#include "core/print/PrintSurface.h"
#include "core/repertory/ReportLines.h"

#include <vector>

namespace orvex {

// Prints the report lines, each in its own font state, and ends the
// document. The report sets no margin, position or page break of its own.
// Returns what endDocument() says.
bool printReport(const std::vector<ReportLine>& lines, PrintSurface& surface);

} // namespace orvex
