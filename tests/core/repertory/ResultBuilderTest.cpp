#include "core/repertory/ResultBuilder.h"

#include "support/LiteralResultBuilder.h"

#include <gtest/gtest.h>

#include <random>

namespace orvex {
namespace {

using L = std::vector<std::string>;
constexpr ChosenPositions kAll{true, true, true};

struct Example {
    const char* name;
    ResultLists input;
    ChosenPositions chosen;
    ResultLists expected;
};

void PrintTo(const Example& e, std::ostream* os) { *os << e.name; }

class DifferentExamples : public ::testing::TestWithParam<Example> {};

TEST_P(DifferentExamples, equalLinesCancelOccurrenceByOccurrence)
{
    ResultLists lists = GetParam().input;
    DisplayDifferentSymptoms(lists);
    EXPECT_EQ(lists, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Worked, DifferentExamples,
    ::testing::Values(
        Example{"sameRemedyTwice", {L{"A", "B"}, L{"A", "B"}, L{}}, kAll, {L{}, L{}, L{}}},
        Example{"moreInFirstKeepsTheLastOnes", {L{"X", "X"}, L{"X"}, L{}}, kAll, {L{"X"}, L{}, L{}}},
        Example{"oneRemedyUntouched", {L{"A", "A", "B"}, L{}, L{}}, kAll, {L{"A", "A", "B"}, L{}, L{}}},
        Example{"firstTakesOneFromEach", {L{"A"}, L{"A", "A"}, L{"A"}}, kAll, {L{}, L{"A"}, L{}}},
        Example{"onceInEachOfThree", {L{"P", "Q"}, L{"Q", "P"}, L{"P"}}, kAll, {L{}, L{}, L{}}},
        Example{"secondAgainstThird", {L{"A"}, L{"B", "C"}, L{"C", "D"}}, kAll, {L{"A"}, L{"B"}, L{"D"}}},
        Example{"orderKept", {L{"Z", "A", "M"}, L{"A"}, L{"Q", "Z"}}, kAll, {L{"M"}, L{}, L{"Q"}}},
        Example{"emptyLinesTakePart", {L{"", "A"}, L{""}, L{}}, kAll, {L{"A"}, L{}, L{}}}),
    [](const auto& info) { return std::string(info.param.name); });

class SimilarExamples : public ::testing::TestWithParam<Example> {};

TEST_P(SimilarExamples, everyChosenPositionShowsTheSharedLines)
{
    ResultLists lists = GetParam().input;
    DisplaySimilarSymptoms(lists, GetParam().chosen);
    EXPECT_EQ(lists, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Worked, SimilarExamples,
    ::testing::Values(
        Example{"twoRemediesKeepRepeats", {L{"X", "X"}, L{"X"}, L{}}, {true, true, false}, {L{"X", "X"}, L{"X", "X"}, L{}}},
        Example{"thirdEmptyStillReduces", {L{"X", "X"}, L{"X"}, L{}}, kAll, {L{"X"}, L{"X"}, L{"X"}}},
        Example{"sharingNothing", {L{"A"}, L{"B"}, L{"C"}}, kAll, {L{}, L{}, L{}}},
        Example{"sharedByTwoOfThreeGoes", {L{"A"}, L{"A"}, L{"B"}}, kAll, {L{}, L{}, L{}}},
        Example{"interleavedExample", {L{"P", "Q", "R"}, L{"P", "R", "S"}, L{"P", "S"}}, kAll, {L{"P"}, L{"P"}, L{"P"}}},
        Example{"oneRemedyOnly", {L{"A", "B"}, L{}, L{}}, {true, false, false}, {L{}, L{}, L{}}},
        Example{"firstAndThird", {L{"A", "B"}, L{}, L{"B", "C"}}, {true, false, true}, {L{"B"}, L{}, L{"B"}}},
        Example{"emptyLineAtTheEndKept", {L{""}, L{""}, L{""}}, kAll, {L{"", "", ""}, L{"", "", ""}, L{"", "", ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimilarSymptoms, returnsTheWorkList)
{
    ResultLists lists{L{"P", "Q", "R"}, L{"P", "R", "S"}, L{"P", "S"}};
    EXPECT_EQ(DisplaySimilarSymptoms(lists, kAll), L{"P"});
    ResultLists two{L{"A", "B", "A"}, L{"A"}, L{}};
    EXPECT_EQ(DisplaySimilarSymptoms(two, {true, true, false}), (L{"A", "A"}));
}

// Many random small lists over a tiny alphabet (empty line included), so
// repeats and partial overlaps are the rule: the fast reductions must give
// exactly what the step-by-step ones give, entry for entry.
TEST(ResultBuilderDifferential, fastEqualsLiteralOnRandomLists)
{
    std::mt19937 random(20261206);
    const std::array<std::string, 5> alphabet{"", "A", "B", "C", "Dd"};
    std::uniform_int_distribution<int> length(0, 7);
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);

    for (int round = 0; round < 4000; ++round) {
        for (unsigned mask = 0; mask < 8; ++mask) {
            const ChosenPositions chosen{(mask & 1U) != 0, (mask & 2U) != 0, (mask & 4U) != 0};
            ResultLists input;
            for (std::size_t k = 0; k < kRemedyPositions; ++k) {
                // Unchosen positions get lines too: neither reduction may look at them.
                const int n = length(random);
                for (int i = 0; i < n; ++i)
                    input[k].push_back(alphabet[letter(random)]);
            }

            ResultLists fast = input;
            ResultLists literal = input;
            DisplayDifferentSymptoms(fast);
            test::literalDisplayDifferentSymptoms(literal);
            ASSERT_EQ(fast, literal) << "different, round " << round << " mask " << mask;

            fast = input;
            literal = input;
            const auto fastWork = DisplaySimilarSymptoms(fast, chosen);
            const auto literalWork = test::literalDisplaySimilarSymptoms(literal, chosen);
            ASSERT_EQ(fast, literal) << "similar, round " << round << " mask " << mask;
            ASSERT_EQ(fastWork, literalWork);
        }
    }
}

} // namespace
} // namespace orvex
