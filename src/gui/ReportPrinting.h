#pragma once

#include "core/repertory/ReportLines.h"

#include <vector>

namespace orvex::gui {

// Where the Print command sends the report. The program prints on the
// default printer; tests record the lines.
class ReportPrinting {
public:
    virtual ~ReportPrinting() = default;
    // The locale's long date, as the report's header shows it.
    virtual std::string longDate() const = 0;
    // Prints the report; says to the user itself what went wrong, if anything.
    virtual void print(const std::vector<ReportLine>& lines) = 0;
};

} // namespace orvex::gui
