#include "core/window/RemedyCompletion.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

const std::vector<std::u16string> kEntries = {u"....", u"Bell.", u"Bry.", u"bell-p.", u"Nux-v.", u"Ärz.", u"Sulph. d'Arc"};

// Types `keys` one after the other into a picker, as the widget would apply
// each outcome, and returns the final field.
PickerEditState typeInto(const std::vector<std::u16string>& entries, PickerEditState state, std::u16string_view keys)
{
    for (const char16_t key : keys) {
        const PickerKeyOutcome outcome = completeRemedyKey(entries, state, key);
        if (outcome.passKeyOn) {
            // What the control itself does with a character: replace the
            // selection, or insert at the caret.
            state.text.replace(static_cast<std::size_t>(state.selectionStart), static_cast<std::size_t>(state.selectionLength),
                               1, key);
            state.selectionStart += 1;
            state.selectionLength = 0;
        } else {
            state = outcome.edit;
        }
    }
    return state;
}

struct TypingCase {
    const char* name;
    PickerEditState start;
    std::u16string keys;
    PickerEditState expected;
};

void PrintTo(const TypingCase& c, std::ostream* os) { *os << c.name; }

class Typing : public ::testing::TestWithParam<TypingCase> {};

TEST_P(Typing, completesToTheFirstEntryAndSelectsTheTail)
{
    const PickerEditState result = typeInto(kEntries, GetParam().start, GetParam().keys);
    EXPECT_EQ(result.text, GetParam().expected.text);
    EXPECT_EQ(result.selectionStart, GetParam().expected.selectionStart);
    EXPECT_EQ(result.selectionLength, GetParam().expected.selectionLength);
}

INSTANTIATE_TEST_SUITE_P(RemedyPicker, Typing,
    ::testing::Values(
        TypingCase{"firstLetterCompletesInListOrder", {u"", 0, 0}, u"b", {u"Bell.", 1, 4}},
        TypingCase{"nextLetterExtendsThePrefix", {u"", 0, 0}, u"br", {u"Bry.", 2, 2}},
        TypingCase{"caseOfTheEntryWins", {u"", 0, 0}, u"BELL-", {u"bell-p.", 5, 2}},
        TypingCase{"letterContinuingNothingIsRefused", {u"", 0, 0}, u"bx", {u"Bell.", 1, 4}},
        TypingCase{"fullNameLeavesNothingSelected", {u"", 0, 0}, u"nux-v.", {u"Nux-v.", 6, 0}},
        TypingCase{"caretInsideCountsAsAppending", {u"Bel", 1, 0}, u"l", {u"Bell.", 4, 1}},
        TypingCase{"midSelectionKeepsOnlyTheTextBefore", {u"Nux-v.", 1, 2}, u"e", {u"Nux-v.", 1, 2}},
        TypingCase{"midSelectionCompletesFromTheKeptText", {u"Bry.", 1, 2}, u"e", {u"Bell.", 2, 3}},
        TypingCase{"quoteInANameIsTypedLikeAnyLetter", {u"", 0, 0}, u"s", {u"Sulph. d'Arc", 1, 11}},
        TypingCase{"latin1LettersFoldCase", {u"ä", 1, 0}, u"r", {u"Ärz.", 2, 2}},
        TypingCase{"accentedLetterIsInsertedUncompleted", {u"", 0, 0}, u"é", {u"é", 1, 0}},
        TypingCase{"fourStopsFindTheNoRemedyEntry", {u"", 0, 0}, u".", {u"....", 1, 3}}));

TEST(RemedyPicker, keysOutsideThePrintableRangePassOn)
{
    for (const int key : {0, 8, 13, 22, 27, 31, 128, 0xE9}) {
        const PickerKeyOutcome outcome = completeRemedyKey(kEntries, {u"Be", 2, 0}, key);
        EXPECT_TRUE(outcome.passKeyOn) << key;
        EXPECT_EQ(outcome.selectListItem, -1) << key;
    }
    EXPECT_FALSE(completeRemedyKey(kEntries, {u"Be", 2, 0}, 127).passKeyOn) << "127 is handled (and refused)";
    EXPECT_FALSE(completeRemedyKey(kEntries, {u"Be", 2, 0}, 32).passKeyOn);
}

TEST(RemedyPicker, emptyListRefusesEveryPrintableCharacter)
{
    for (int key = 32; key <= 127; ++key) {
        const PickerKeyOutcome outcome = completeRemedyKey({}, {u"", 0, 0}, key);
        EXPECT_FALSE(outcome.passKeyOn) << key;
        EXPECT_EQ(outcome.edit.text, u"") << key;
    }
}

TEST(RemedyPicker, selectionBeyondTheTextIsClamped)
{
    const PickerKeyOutcome outcome = completeRemedyKey(kEntries, {u"Be", 40, 3}, 'l');
    EXPECT_EQ(outcome.selectListItem, 1);
    EXPECT_EQ(outcome.edit.selectionStart, 3);
}

} // namespace
} // namespace orvex
