#include "core/print/ReportPrinter.h"

#include "RecordingSurface.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace orvex {
namespace {

using Line = test::RecordingSurface::Line;
using Lines = std::vector<Line>;

const std::string kGap(32, ' ');

ReportInput demoInput()
{
    ReportInput input;
    input.chapterLabel = "Chapter";
    input.chapterText = "Mind";
    input.longDate = "Friday, 5 June 2026";
    input.modeTitle = "Different symptoms";
    return input;
}

Lines opening(const std::string& chapterText = "Mind")
{
    return {{"Chapter: " + chapterText + kGap + "Friday, 5 June 2026", 10, true, false},
            {"Different symptoms", 10, true, false},
            {"", 10, true, false},
            {"", 10, true, false}};
}

void addBlock(Lines& lines, const std::string& caption, const std::vector<std::string>& items, bool gapAfter)
{
    lines.push_back({caption, 8, true, true});
    lines.push_back({"", 8, true, true});
    for (const std::string& item : items)
        lines.push_back({item, 8, false, false});
    if (gapAfter) {
        lines.push_back({"", 8, false, false});
        lines.push_back({"", 8, false, false});
    }
}

struct LayoutCase {
    const char* name;
    ReportInput input;
    Lines expected;
};

void PrintTo(const LayoutCase& c, std::ostream* out)
{
    *out << c.name;
}

LayoutCase threeBlocks()
{
    ReportInput input = demoInput();
    input.captions = {"Bell.", "Nux-v.", "Puls."};
    input.lists = {{{"a1", "a2"}, {}, {"c1", "c2", "c3"}}};
    Lines expected = opening();
    addBlock(expected, "Bell.", {"a1", "a2"}, true);
    addBlock(expected, "Nux-v.", {}, true);
    addBlock(expected, "Puls.", {"c1", "c2", "c3"}, false);
    return {"threeBlocks", input, expected};
}

LayoutCase firstCaptionEmpty()
{
    ReportInput input = demoInput();
    input.captions = {"", "Nux-v.", "Puls."};
    input.lists = {{{"skipped"}, {"b1"}, {"c1"}}};
    Lines expected = opening();
    addBlock(expected, "Nux-v.", {"b1"}, true);
    addBlock(expected, "Puls.", {"c1"}, false);
    return {"firstCaptionEmpty_listSkipped", input, expected};
}

LayoutCase allEmpty()
{
    ReportInput input = demoInput();
    input.lists = {{{"x"}, {"y"}, {"z"}}};
    return {"allCaptionsEmpty", input, opening()};
}

LayoutCase thirdEmpty()
{
    ReportInput input = demoInput();
    input.captions = {"Bell.", "Nux-v.", ""};
    input.lists = {{{"a1"}, {"b1"}, {}}};
    Lines expected = opening();
    addBlock(expected, "Bell.", {"a1"}, true);
    addBlock(expected, "Nux-v.", {"b1"}, true);
    return {"thirdCaptionEmpty_endsWithGap", input, expected};
}

LayoutCase emptyChapter()
{
    ReportInput input = demoInput();
    input.chapterText.clear();
    return {"emptyChapterPicker", input, opening("")};
}

class PrintReportLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(PrintReportLayout, printsEveryLineInItsFontAndEndsOnce)
{
    test::RecordingSurface surface;
    EXPECT_TRUE(printReport(buildReportLines(GetParam().input), surface));
    EXPECT_EQ(surface.lines, GetParam().expected);
    EXPECT_EQ(surface.ended, 1);
}

INSTANTIATE_TEST_SUITE_P(Layouts, PrintReportLayout,
    testing::Values(threeBlocks(), firstCaptionEmpty(), allEmpty(), thirdEmpty(), emptyChapter()),
    [](const testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST(PrintReport, failedJob_isReportedAsFailure)
{
    test::RecordingSurface surface;
    surface.endResult = false;
    EXPECT_FALSE(printReport(buildReportLines(demoInput()), surface));
    EXPECT_EQ(surface.ended, 1);
}

} // namespace
} // namespace orvex
