#include "DemoReport.h"
#include "PdfTools.h"

#include "support/TempDir.h"
#include "core/print/ReportPrinter.h"
#include "platform/printer/QtPrintSurface.h"

#include <gtest/gtest.h>

#include <QPrinterInfo>
#include <QRegularExpression>

namespace orvex::platform {
namespace {

using test::textLines;

QStringList reportTextLines(const std::vector<ReportLine>& lines)
{
    QString text;
    for (const ReportLine& line : lines)
        text += QString::fromStdString(line.text) + '\n';
    return textLines(text);
}

// A report with `itemsPerList` lines in each of three lists, to fill pages.
std::vector<ReportLine> longReport(int itemsPerList)
{
    ReportInput input;
    input.chapterLabel = "Chapter";
    input.chapterText = "Mind";
    input.longDate = "Friday, 5 June 2026";
    input.modeTitle = "Similar symptoms";
    input.captions = {"First", "Second", "Third"};
    for (std::size_t k = 0; k < input.lists.size(); ++k) {
        for (int i = 1; i <= itemsPerList; ++i)
            input.lists[k].push_back("Symptom " + std::to_string(k + 1) + "." + std::to_string(i));
    }
    return buildReportLines(input);
}

class PdfPrint : public testing::Test {
protected:
    void SetUp() override
    {
        if (!test::havePdfTools())
            GTEST_SKIP() << "pdftotext/pdfinfo (poppler-utils) not installed";
    }

    QString print(const std::vector<ReportLine>& lines, const char* name, std::size_t* pages = nullptr)
    {
        QString path = QString::fromStdString((dir.path() / name).string());
        auto surface = QtPrintSurface::forPdfFile(path);
        EXPECT_TRUE(printReport(lines, *surface)) << surface->errorString().toStdString();
        EXPECT_FALSE(surface->failed());
        if (pages != nullptr)
            *pages = surface->pageCount();
        return path;
    }

    test::TempDir dir;
};

// The demo report: every line in order on one page, the header's gap kept,
// font sizes in points, and a second print the same to the word.
TEST_F(PdfPrint, demoReport_printsWholeInPointsAndTheSameTwice)
{
    const auto lines = tools::demoReport("Friday, 5 June 2026");
    std::size_t pages = 0;
    const QString pdf = print(lines, "demo.pdf", &pages);
    const auto text = test::pdfText(pdf);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(test::joined(textLines(*text)), test::joined(reportTextLines(lines)));
    EXPECT_TRUE(text->contains(QRegularExpression(R"(Chapter: Mind {10,}Friday, 5 June 2026)"))) << text->toStdString();
    EXPECT_EQ(test::pdfPageCount(pdf), 1);
    EXPECT_EQ(pages, 1U);

    // Word boxes carry each word's place and size, in points: yMin and yMax
    // of the header's first word (10 pt) and of the first caption (8 pt).
    const auto boxes = test::pdfWordBoxes(pdf);
    ASSERT_TRUE(boxes.has_value());
    const auto height = [&](const QString& word) {
        const QRegularExpression box(R"re(<word xMin="[\d.]+" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">)re"
                                     + QRegularExpression::escape(word) + "</word>");
        const auto match = box.match(*boxes);
        return match.hasMatch() ? match.captured(2).toDouble() - match.captured(1).toDouble() : -1.0;
    };
    const double heading = height("Chapter:");
    EXPECT_GT(heading, 8.0);
    EXPECT_LT(heading, 15.0);
    EXPECT_NEAR(heading / height("Bell."), 10.0 / 8.0, 0.05);
    // The same words in the same places; the second print may fall in another second.
    const auto words = [](QString html) { return html.remove(QRegularExpression("<meta[^>]*>")).toStdString(); };
    EXPECT_EQ(words(*test::pdfWordBoxes(print(lines, "again.pdf"))), words(*boxes));
}

TEST_F(PdfPrint, longResult_continuesOnNextPagesWithoutRepeatedHeader)
{
    const auto lines = longReport(150);
    std::size_t pages = 0;
    const QString pdf = print(lines, "long.pdf", &pages);
    const auto count = test::pdfPageCount(pdf);
    ASSERT_TRUE(count.has_value());
    EXPECT_GE(*count, 3);
    EXPECT_EQ(static_cast<std::size_t>(*count), pages);

    const auto text = test::pdfText(pdf);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(test::joined(textLines(*text)), test::joined(reportTextLines(lines)));
    EXPECT_EQ(text->count("Chapter: Mind"), 1);

    // Page 2 starts with the line after the last one of page 1.
    const QStringList first = textLines(*test::pdfText(pdf, {"-f", "1", "-l", "1"}));
    const QStringList second = textLines(*test::pdfText(pdf, {"-f", "2", "-l", "2"}));
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(second.isEmpty());
    const QStringList all = reportTextLines(lines);
    EXPECT_EQ(all.indexOf(second.front()), all.indexOf(first.back()) + 1);
}

TEST_F(PdfPrint, lettersArePrintedPlain_withoutLigatures)
{
    // A ligature glyph stands for two or three letters; readers then fail
    // to find or copy the word.
    const std::vector<ReportLine> lines = {{"Different, difficult, office, fluffy, flat", 10.0F, true, false},
                                           {"Different, difficult, office, fluffy, flat", 8.0F, false, true}};
    const auto text = test::pdfText(print(lines, "plain.pdf"));
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->count("Different, difficult, office, fluffy, flat"), 2) << text->toStdString();
}

TEST(QtPrintSurface, pdfInMissingFolder_failsAndSaysWhy)
{
    const test::TempDir dir;
    const QString path = QString::fromStdString((dir.path() / "gone" / "report.pdf").string());
    auto surface = QtPrintSurface::forPdfFile(path);
    EXPECT_FALSE(printReport(longReport(3), *surface));
    EXPECT_TRUE(surface->failed());
    EXPECT_EQ(surface->errorString(), QString(kPdfFailedText) + path);
}

TEST(QtPrintSurface, noDefaultPrinter_isAFailureWithMessage)
{
    // Never sends a job to a real printer from a test run.
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer is installed";
    auto surface = QtPrintSurface::forDefaultPrinter();
    EXPECT_TRUE(surface->failed());
    EXPECT_FALSE(printReport(tools::demoReport("Friday, 5 June 2026"), *surface));
    EXPECT_EQ(surface->errorString(), QString(kNoDefaultPrinterText));
}

} // namespace
} // namespace orvex::platform
