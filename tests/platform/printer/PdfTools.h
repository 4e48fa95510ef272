#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace orvex::test {

// poppler-utils, run on a PDF file. Nothing when the tool is not installed
// or fails. The text is extracted in layout mode.
std::optional<QString> pdfText(const QString& pdf, const QStringList& extraArguments = {});
std::optional<int> pdfPageCount(const QString& pdf);
// The words with their boxes in points, as pdftotext -bbox writes them,
// without the document's creation date.
std::optional<QString> pdfWordBoxes(const QString& pdf);
bool havePdfTools();

// Lines with text, each with runs of white space made one blank; the
// extractor's spacing of the header's gap and its page feeds do not count.
QStringList textLines(const QString& text);

// One line per entry, for readable test failures.
std::string joined(const QStringList& lines);

} // namespace orvex::test
