#include "core/help/TipsFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace orvex {
namespace {

using Tips = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string text;
    Tips tips;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const SplitCase& c, std::ostream* out)
{
    *out << c.name;
}

class SplitTips : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTips, givesOneTipPerLine)
{
    EXPECT_EQ(splitTips(GetParam().text), GetParam().tips);
}

INSTANTIATE_TEST_SUITE_P(LineEnds, SplitTips,
    testing::Values(
        SplitCase{"crlf", "a\r\nb\r\n", {"a", "b"}},
        SplitCase{"crOnly", "a\rb\r", {"a", "b"}},
        SplitCase{"lfOnly_staysInTip", "a\nb\n", {"a\nb\n"}},
        SplitCase{"lfInsideCrlfLines", "a\nx\r\nb", {"a\nx", "b"}},
        SplitCase{"lastLineWithoutTerminator", "a\r\nb", {"a", "b"}},
        SplitCase{"blankLineIsEmptyTip", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        SplitCase{"crThenCrlf_isOneEmptyTip", "a\r\r\nb", {"a", "", "b"}},
        SplitCase{"lfCrIsNoCrlf", "a\n\rb", {"a\n", "b"}},
        SplitCase{"onlyTerminator_isOneEmptyTip", "\r\n", {""}},
        SplitCase{"emptyText_noTips", "", {}},
        SplitCase{"blanksKept", "  a \t\r\n", {"  a \t"}},
        SplitCase{"eightBitBytesKept", "caf\xe9\r\n", {"caf\xe9"}},
        SplitCase{"longTip_keepsWhatCanBeShown", std::string(kTipBytesKept + 9, 'a') + "\r\nb",
                  {std::string(kTipBytesKept, 'a'), "b"}},
        SplitCase{"tipsBeyondTheLastReachable_dropped", std::string(kMostTips + 9, '\r'), Tips(kMostTips)}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(TipsFile, unknownProgramDirectory_givesEmptyPath)
{
    EXPECT_TRUE(tipsFilePath({}).empty());
    EXPECT_FALSE(readTipsFile(tipsFilePath({})).has_value());
}

TEST(TipsFile, missingFile_isNotFound)
{
    const test::TempDir dir;
    EXPECT_FALSE(readTipsFile(dir.path() / "help.txt").has_value());
}

TEST(TipsFile, directoryOfThatName_isNotFound)
{
    const test::TempDir dir;
    std::filesystem::create_directory(dir.path() / "help.txt");
    EXPECT_FALSE(readTipsFile(dir.path() / "help.txt").has_value());
}

TEST(TipsFile, emptyFile_isFoundWithNoTips)
{
    const test::TempDir dir;
    const auto tips = readTipsFile(dir.write("help.txt", ""));
    ASSERT_TRUE(tips.has_value());
    EXPECT_TRUE(tips->empty());
}

TEST(TipsFile, readsFileBytesUnchanged)
{
    const test::TempDir dir;
    const auto tips = readTipsFile(dir.write("help.txt", "one\r\ntwo\nstill two\rthree"));
    ASSERT_TRUE(tips.has_value());
    EXPECT_EQ(*tips, (Tips{"one", "two\nstill two", "three"}));
}

TEST(TipsFile, demoTips_areLinesOfText)
{
    const auto tips = readTipsFile(test::demoData("help.txt"));
    ASSERT_TRUE(tips.has_value());
    ASSERT_FALSE(tips->empty());
    for (const std::string& tip : *tips)
        EXPECT_EQ(tip.find_first_of("\r\n"), std::string::npos) << tip;
}

// Sparse: a gigabyte of zeros that takes no room on disk.
TEST(TipsFile, gigabyteFile_readsOnlyWhatCanBeShown)
{
    const test::TempDir dir;
    const auto path = dir.write("help.txt", "first\r\n");
    std::filesystem::resize_file(path, std::uintmax_t{1} << 30);
    const auto tips = readTipsFile(path);
    ASSERT_TRUE(tips.has_value());
    ASSERT_EQ(tips->size(), 2U);
    EXPECT_EQ(tips->back().size(), kTipBytesKept); // sizes: a failure must not print a gigabyte
}

TEST(TipsFile, fortyThousandLines_allRead)
{
    std::string text;
    for (int i = 1; i <= 40000; ++i)
        text += "tip " + std::to_string(i) + "\r\n";
    const test::TempDir dir;
    const auto tips = readTipsFile(dir.write("help.txt", text));
    ASSERT_TRUE(tips.has_value());
    ASSERT_EQ(tips->size(), 40000U);
    EXPECT_EQ(tips->at(32766), "tip 32767");
    EXPECT_EQ(tips->at(32767), "tip 32768");
    EXPECT_EQ(tips->back(), "tip 40000");
}

} // namespace
} // namespace orvex
