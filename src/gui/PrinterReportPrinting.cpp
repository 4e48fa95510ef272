#include "PrinterReportPrinting.h"

#include "UserMessages.h"

#include "print/ReportPrinter.h"
#include "printer/QtPrintSurface.h"

#include <QDate>
#include <QLocale>

namespace orvex::gui {

std::string PrinterReportPrinting::longDate() const
{
    return QLocale().toString(QDate::currentDate(), QLocale::LongFormat).toStdString();
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
