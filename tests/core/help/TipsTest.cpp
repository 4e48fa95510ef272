#include "core/help/TipCycle.h"
#include "core/help/TipsFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {
namespace {

namespace fs = std::filesystem;
using Shown = std::vector<std::string>;

struct TipsCase {
    const char* name;
    std::optional<std::string> file; // no file of that name when empty
    bool found;
    Shown shown; // the first tip, then one after each press; nothing shown when empty
};

void PrintTo(const TipsCase& c, std::ostream* out)
{
    *out << c.name;
}

class TipsFile : public testing::TestWithParam<TipsCase> {};

// A tip window's sequence, from the file's bytes on.
TEST_P(TipsFile, showsItsLinesInOrderThenTheFirstAgain)
{
    const TipsCase& c = GetParam();
    const test::TempDir dir;
    if (c.file)
        dir.write(kTipsFileName, *c.file);
    else if (std::string_view(c.name) == "folderOfThatName")
        fs::create_directory(dir.path() / kTipsFileName);
    TipCycle cycle;
    EXPECT_EQ(cycle.load(tipsFilePath(dir.path())), c.found);
    Shown shown;
    for (std::size_t press = 0; press < std::max<std::size_t>(c.shown.size(), 2); ++press, cycle.next()) {
        if (cycle.currentTip() != nullptr)
            shown.push_back(*cycle.currentTip());
    }
    EXPECT_EQ(shown, c.shown);
}

INSTANTIATE_TEST_SUITE_P(Files, TipsFile,
    testing::Values(
        TipsCase{"crlf", "a\r\nb\r\n", true, {"a", "b", "a"}},
        TipsCase{"crOnly", "a\rb\r", true, {"a", "b", "a"}},
        TipsCase{"lfOnly_staysInTip", "a\nb\n", true, {"a\nb\n", "a\nb\n"}},
        TipsCase{"lfInsideCrlfLines_lastWithoutTerminator", "a\nx\r\nb", true, {"a\nx", "b", "a\nx"}},
        TipsCase{"blankLineIsEmptyTip", "a\r\n\r\nb\r\n", true, {"a", "", "b", "a"}},
        TipsCase{"crThenCrlf_isOneEmptyTip", "a\r\r\nb", true, {"a", "", "b"}},
        TipsCase{"lfCrIsNoCrlf", "a\n\rb", true, {"a\n", "b"}},
        TipsCase{"onlyTerminator_isOneEmptyTip", "\r\n", true, {"", ""}},
        TipsCase{"blanksAndEightBitBytesKept", "  a \t\r\ncaf\xe9\r\n", true, {"  a \t", "caf\xe9", "  a \t"}},
        TipsCase{"emptyFile_foundWithNothingToShow", "", true, {}},
        TipsCase{"longTip_keepsWhatCanBeShown", std::string(kTipBytesKept + 9, 'a') + "\r\nb", true,
                 {std::string(kTipBytesKept, 'a'), "b", std::string(kTipBytesKept, 'a')}},
        TipsCase{"missing", std::nullopt, false, {}},
        TipsCase{"folderOfThatName", std::nullopt, false, {}}),
    [](const testing::TestParamInfo<TipsCase>& info) { return std::string(info.param.name); });

TEST(TipsFile, unknownProgramDirectory_readsNothing)
{
    EXPECT_TRUE(tipsFilePath({}).empty());
    EXPECT_FALSE(TipCycle().load(tipsFilePath({})));
}

// Only what a window can reach is read: a sparse gigabyte of zeros takes no
// room on disk, and tips past the last reachable one are dropped.
TEST(TipsFile, onlyWhatCanBeShownIsRead)
{
    const test::TempDir dir;
    const auto huge = dir.write("huge.txt", "first\r\n");
    fs::resize_file(huge, std::uintmax_t{1} << 30);
    const auto tips = readTipsFile(huge);
    ASSERT_TRUE(tips.has_value());
    ASSERT_EQ(tips->size(), 2U);
    EXPECT_EQ(tips->back().size(), kTipBytesKept); // sizes: a failure must not print a gigabyte
    EXPECT_EQ(readTipsFile(dir.write("many.txt", std::string(kMostTips + 9, '\r')))->size(), kMostTips);
}

// No 16-bit count anywhere: the 32,768th tip and the last are reached.
TEST(TipsFile, fortyThousandTips_everyOneReachable)
{
    std::string file;
    for (int i = 1; i <= 40000; ++i)
        file += std::to_string(i) + "\r\n";
    const test::TempDir dir;
    TipCycle cycle;
    ASSERT_TRUE(cycle.load(dir.write(kTipsFileName, file)));
    for (int i = 1; i <= 40000; ++i) {
        ASSERT_EQ(*cycle.currentTip(), std::to_string(i));
        cycle.next();
    }
    EXPECT_EQ(*cycle.currentTip(), "1");
    EXPECT_EQ(nextTipNumber(0, 0), 1U);
    EXPECT_EQ(nextTipNumber(SIZE_MAX, 3), 1U);
    EXPECT_EQ(nextTipNumber(SIZE_MAX - 1, SIZE_MAX), SIZE_MAX);
    EXPECT_EQ(nextTipNumber(SIZE_MAX, SIZE_MAX), 1U);
}

TEST(TipsFile, demoTips_areLinesOfText)
{
    const auto tips = readTipsFile(test::demoData(kTipsFileName));
    ASSERT_TRUE(tips && !tips->empty());
    for (const std::string& tip : *tips)
        EXPECT_EQ(tip.find_first_of("\r\n"), std::string::npos) << tip;
}

} // namespace
} // namespace orvex
