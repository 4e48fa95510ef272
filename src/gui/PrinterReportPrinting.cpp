#include "gui/PrinterReportPrinting.h"

#include "gui/UserMessages.h"

#include "platform/date/LongDate.h"
#include "core/print/ReportPrinter.h"
#include "platform/printer/QtPrintSurface.h"

namespace orvex::gui {

std::string PrinterReportPrinting::longDate() const
{
    return platform::todayLongDate();
}

void PrinterReportPrinting::print(const std::vector<ReportLine>& lines)
{
    const QString pdf = qEnvironmentVariable(kPdfVariable);
    auto surface = pdf.isEmpty() ? platform::QtPrintSurface::forDefaultPrinter()
                                 : platform::QtPrintSurface::forPdfFile(pdf);
    if (!printReport(lines, *surface))
        messages_.showMessage(surface->errorString());
}

} // namespace orvex::gui
