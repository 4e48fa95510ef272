#pragma once

#include "core/print/PageLayout.h"
#include "core/print/PrintSurface.h"

#include <QFont>
#include <QPainter>
#include <QString>

#include <memory>

class QPrinter;

namespace orvex::platform {

// The printing surface over Qt PrintSupport: the system's default printer
// (no dialog) or a PDF file. Fonts are set in points and measured on the
// printer, so the screen's resolution never changes the page. Lines start at
// the top-left corner of the printable area and are neither wrapped nor cut;
// a line that does not fit above the bottom goes to the top of a new page.
// The face is the default one; only size, bold and italic are set.
//
// Needs a QGuiApplication (or QApplication). A surface that cannot print
// ignores its lines, and endDocument() returns false with errorString() set.
class QtPrintSurface final : public PrintSurface {
public:
    // The default printer; failed at once when none is installed.
    static std::unique_ptr<QtPrintSurface> forDefaultPrinter();
    // A PDF file at `path` (A4, 15 mm margins), replaced if it exists.
    static std::unique_ptr<QtPrintSurface> forPdfFile(const QString& path);

    ~QtPrintSurface() override;
    QtPrintSurface(const QtPrintSurface&) = delete;
    QtPrintSurface& operator=(const QtPrintSurface&) = delete;

    void setFontSize(float points) override;
    void setBold(bool on) override;
    void setItalic(bool on) override;
    void printLine(const std::string& text) override;
    bool endDocument() override;

    bool failed() const { return !error_.isEmpty(); }
    // Why the report could not be printed, in a sentence for the user.
    QString errorString() const { return error_; }
    std::size_t pageCount() const { return layout_.pageCount(); }

private:
    QtPrintSurface(std::unique_ptr<QPrinter> printer, QString pdfPath, QString error);
    bool start();
    void fail(const QString& error);

    std::unique_ptr<QPrinter> printer_;
    QString pdfPath_; // empty for a real printer
    QString error_;
    QPainter painter_;
    QFont font_;
    PageLayout layout_;
    bool started_ = false;
    bool ended_ = false;
    std::size_t pagesMade_ = 1;
};

inline constexpr const char* kNoDefaultPrinterText = "No default printer is installed, so the report was not printed.";
inline constexpr const char* kPrintFailedText = "The printer did not accept the report.";
inline constexpr const char* kPdfFailedText = "The PDF file could not be written: ";

} // namespace orvex::platform
