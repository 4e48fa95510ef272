#include "core/help/TipCycle.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace orvex {
namespace {

struct NextCase {
    std::size_t current;
    std::size_t count;
    std::size_t next;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const NextCase& c, std::ostream* out)
{
    *out << c.current << " of " << c.count;
}

class NextTipNumber : public testing::TestWithParam<NextCase> {};

TEST_P(NextTipNumber, stepsAndWrapsRound)
{
    EXPECT_EQ(nextTipNumber(GetParam().current, GetParam().count), GetParam().next);
}

INSTANTIATE_TEST_SUITE_P(Numbers, NextTipNumber,
    testing::Values(NextCase{0, 3, 1}, NextCase{1, 3, 2}, NextCase{2, 3, 3}, NextCase{3, 3, 1},
                    NextCase{1, 1, 1}, NextCase{0, 0, 1}, NextCase{1, 0, 1},
                    NextCase{32767, 40000, 32768}, NextCase{40000, 40000, 1},
                    NextCase{SIZE_MAX, 3, 1}, NextCase{SIZE_MAX, SIZE_MAX, 1}, NextCase{SIZE_MAX - 1, SIZE_MAX, SIZE_MAX}));

std::vector<std::string> shown(TipCycle& cycle, int presses)
{
    std::vector<std::string> texts;
    texts.push_back(*cycle.currentTip());
    for (int i = 0; i < presses; ++i) {
        cycle.next();
        texts.push_back(*cycle.currentTip());
    }
    return texts;
}

TEST(TipCycle, threeLines_showInFileOrderThenFirstAgain)
{
    const test::TempDir dir;
    TipCycle cycle;
    ASSERT_TRUE(cycle.load(dir.write("help.txt", "a\r\n\r\nb\r\n")));
    EXPECT_EQ(shown(cycle, 3), (std::vector<std::string>{"a", "", "b", "a"}));
}

TEST(TipCycle, oneLine_showsItOnEveryPress)
{
    const test::TempDir dir;
    TipCycle cycle;
    ASSERT_TRUE(cycle.load(dir.write("help.txt", "only")));
    EXPECT_EQ(shown(cycle, 2), (std::vector<std::string>{"only", "only", "only"}));
}

TEST(TipCycle, missingFile_failsWithNothingToShow)
{
    const test::TempDir dir;
    TipCycle cycle;
    EXPECT_FALSE(cycle.load(dir.path() / "help.txt"));
    EXPECT_EQ(cycle.count(), 0U);
    cycle.next();
    EXPECT_EQ(cycle.currentTip(), nullptr);
}

TEST(TipCycle, emptyFile_loadsWithNothingToShow)
{
    const test::TempDir dir;
    TipCycle cycle;
    EXPECT_TRUE(cycle.load(dir.write("help.txt", "")));
    EXPECT_EQ(cycle.count(), 0U);
    EXPECT_EQ(cycle.currentTip(), nullptr);
    cycle.next();
    EXPECT_EQ(cycle.currentTip(), nullptr);
}

TEST(TipCycle, twoWindows_startAtFirstAndStepApart)
{
    const test::TempDir dir;
    const auto file = dir.write("help.txt", "a\rb\rc\r");
    TipCycle first;
    TipCycle second;
    ASSERT_TRUE(first.load(file));
    first.next();
    ASSERT_TRUE(second.load(file));
    EXPECT_EQ(*first.currentTip(), "b");
    EXPECT_EQ(*second.currentTip(), "a");
}

TEST(TipCycle, fortyThousandTips_everyOneReachable)
{
    std::string file;
    for (int i = 1; i <= 40000; ++i)
        file += std::to_string(i) + "\r\n";
    const test::TempDir dir;
    TipCycle cycle;
    ASSERT_TRUE(cycle.load(dir.write("help.txt", file)));
    for (int i = 1; i <= 40000; ++i) {
        ASSERT_EQ(*cycle.currentTip(), std::to_string(i));
        cycle.next();
    }
    EXPECT_EQ(*cycle.currentTip(), "1");
}

} // namespace
} // namespace orvex
