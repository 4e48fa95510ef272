#pragma once

#include "gui/ReportPrinting.h"

#include <QString>

namespace orvex::gui {

class UserMessages;

// Prints on the system's default printer, without a dialog. When the
// environment names a PDF file in ORVEX_PRINT_PDF the report goes there
// instead, for users without a printer. A failure is told to the user and
// changes nothing in the window.
class PrinterReportPrinting final : public ReportPrinting {
public:
    explicit PrinterReportPrinting(UserMessages& messages) : messages_(messages) {}
    std::string longDate() const override;
    void print(const std::vector<ReportLine>& lines) override;

    static constexpr const char* kPdfVariable = "ORVEX_PRINT_PDF";

private:
    UserMessages& messages_;
};

} // namespace orvex::gui
