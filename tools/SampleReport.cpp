// Writes the demo report to a PDF file, for the documentation:
//   orvex_sample_report docs/sample-report.pdf
#include "DemoReport.h"

#include "core/print/ReportPrinter.h"
#include "platform/printer/QtPrintSurface.h"

#include <QDate>
#include <QGuiApplication>
#include <QLocale>

#include <iostream>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: orvex_sample_report OUTPUT.pdf\n";
        return 64;
    }
    const QString date = QLocale(QLocale::English, QLocale::UnitedKingdom).toString(QDate::currentDate(), QLocale::LongFormat);
    auto surface = orvex::platform::QtPrintSurface::forPdfFile(QString::fromLocal8Bit(argv[1]));
    if (!orvex::printReport(orvex::tools::demoReport(date.toStdString()), *surface)) {
        std::cerr << surface->errorString().toStdString() << '\n';
        return 1;
    }
    return 0;
}
