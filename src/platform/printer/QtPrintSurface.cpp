#include "platform/printer/QtPrintSurface.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace orvex::platform {
namespace {

constexpr double kPointsPerInch = 72.0;
constexpr const char* kJobName = "Orvex";

double printableHeightInPoints(const QPrinter& printer)
{
    return printer.pageLayout().paintRect(QPageLayout::Point).height();
}

} // namespace

std::unique_ptr<QtPrintSurface> QtPrintSurface::forDefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return std::unique_ptr<QtPrintSurface>(
            new QtPrintSurface(std::make_unique<QPrinter>(QPrinter::HighResolution), {}, kNoDefaultPrinterText));
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(kJobName);
    return std::unique_ptr<QtPrintSurface>(new QtPrintSurface(std::move(printer), {}, {}));
}

std::unique_ptr<QtPrintSurface> QtPrintSurface::forPdfFile(const QString& path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setDocName(kJobName);
    printer->setCreator(kJobName);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    const QString error = path.isEmpty() ? QString(kPdfFailedText) + path : QString();
    return std::unique_ptr<QtPrintSurface>(new QtPrintSurface(std::move(printer), path, error));
}

QtPrintSurface::QtPrintSurface(std::unique_ptr<QPrinter> printer, QString pdfPath, QString error)
    : printer_(std::move(printer))
    , pdfPath_(std::move(pdfPath))
    , error_(std::move(error))
    , layout_(printableHeightInPoints(*printer_))
{
}

QtPrintSurface::~QtPrintSurface()
{
    // A document that was never ended is not sent half-printed.
    if (painter_.isActive()) {
        printer_->abort();
        painter_.end();
    }
}

void QtPrintSurface::setFontSize(float points)
{
    if (points > 0)
        font_.setPointSizeF(points);
}

void QtPrintSurface::setBold(bool on)
{
    font_.setBold(on);
}

void QtPrintSurface::setItalic(bool on)
{
    font_.setItalic(on);
}

bool QtPrintSurface::start()
{
    if (started_)
        return !failed();
    started_ = true;
    if (failed())
        return false;
    // The face the painter starts with is the default one; the report only
    // changes size and style, so take the face from there.
    const QFont chosen = font_;
    if (!painter_.begin(printer_.get())) {
        fail(pdfPath_.isEmpty() ? QString(kPrintFailedText) : QString(kPdfFailedText) + pdfPath_);
        return false;
    }
    font_ = painter_.font();
    font_.setPointSizeF(chosen.pointSizeF());
    font_.setBold(chosen.bold());
    font_.setItalic(chosen.italic());
    // Latin needs no shaping; without it no ligature glyphs reach the page,
    // so readers can find and copy every word.
    font_.setStyleStrategy(QFont::PreferNoShaping);
    return true;
}

void QtPrintSurface::printLine(const std::string& text)
{
    if (ended_ || !start())
        return;
    painter_.setFont(font_);
    const QFontMetricsF metrics(font_, printer_.get());
    const double unitsPerPoint = printer_->logicalDpiY() / kPointsPerInch;
    const LinePlacement placement = layout_.place(metrics.lineSpacing() / unitsPerPoint);
    for (; pagesMade_ <= placement.page; ++pagesMade_) {
        if (!printer_->newPage()) {
            fail(kPrintFailedText);
            return;
        }
    }
    painter_.drawText(QPointF(0.0, placement.top * unitsPerPoint + metrics.ascent()), QString::fromStdString(text));
}

bool QtPrintSurface::endDocument()
{
    if (ended_)
        return !failed();
    const bool began = start();
    ended_ = true;
    if (!began) {
        if (painter_.isActive()) {
            printer_->abort();
            painter_.end();
        }
        return false;
    }
    const bool painted = painter_.end();
    const auto state = printer_->printerState();
    if (!painted || state == QPrinter::Error || state == QPrinter::Aborted) {
        fail(pdfPath_.isEmpty() ? QString(kPrintFailedText) : QString(kPdfFailedText) + pdfPath_);
        return false;
    }
    if (!pdfPath_.isEmpty() && QFileInfo(pdfPath_).size() == 0) {
        fail(QString(kPdfFailedText) + pdfPath_);
        return false;
    }
    return true;
}

void QtPrintSurface::fail(const QString& error)
{
    if (error_.isEmpty())
        error_ = error;
}

} // namespace orvex::platform
