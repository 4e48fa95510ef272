#include "PdfTools.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace orvex::test {
namespace {

std::optional<QString> run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    // A bound, not a timing: poppler needs well under a second for these files.
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

bool havePdfTools()
{
    return !QStandardPaths::findExecutable("pdftotext").isEmpty()
        && !QStandardPaths::findExecutable("pdfinfo").isEmpty();
}

std::optional<QString> pdfText(const QString& pdf, const QStringList& extraArguments)
{
    // Layout mode keeps each printed line one line of text, the wide gap in
    // the header included.
    return run("pdftotext", QStringList{"-layout"} + extraArguments + QStringList{"-enc", "UTF-8", pdf, "-"});
}

std::optional<QString> pdfWordBoxes(const QString& pdf)
{
    auto boxes = run("pdftotext", {"-bbox", "-enc", "UTF-8", pdf, "-"});
    // The header's creation date is no word, and two prints a second apart
    // differ in it.
    if (boxes)
        boxes->remove(QRegularExpression(R"(<meta name="CreationDate"[^\n]*\n)"));
    return boxes;
}

std::optional<int> pdfPageCount(const QString& pdf)
{
    const auto info = run("pdfinfo", {pdf});
    if (!info)
        return std::nullopt;
    const auto match = QRegularExpression(R"(^Pages:\s+(\d+)\s*$)", QRegularExpression::MultilineOption).match(*info);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt();
}

QStringList textLines(const QString& text)
{
    QStringList lines;
    for (const QString& line : text.split('\n')) {
        // NFKC undoes the typesetter's ligatures ("ff" drawn as one glyph).
        const QString simple = QString(line).remove('\f').normalized(QString::NormalizationForm_KC).simplified();
        if (!simple.isEmpty())
            lines.push_back(simple);
    }
    return lines;
}

std::string joined(const QStringList& lines)
{
    return lines.join('\n').toStdString();
}

} // namespace orvex::test
