#include "core/data/Chapters.h"

#include "core/data/StringTable.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

StringTable chapterTexts()
{
    StringTable texts;
    texts.set("strRubricList2", "Skin");
    texts.set("strRubricList3", "Mouth");
    texts.set("strRubricList4", "Mind");
    texts.set("strRubricList5", "Eyes");
    texts.set("strRubricList6", "Perspiration");
    return texts;
}

TEST(ChapterPicker, entriesInFixedOrderAndCodesByPosition)
{
    const ChapterPickerEntries entries = chapterPickerEntries(chapterTexts());
    EXPECT_EQ(entries, (ChapterPickerEntries{"Mind", "Mouth", "Eyes", "Perspiration", "Skin"}));

    const std::pair<const char*, const char*> cases[] = {
        {"Mind", "mi"}, {"Mouth", "m"}, {"Eyes", "o"}, {"Perspiration", "p"}, {"Skin", "s"},
        {"mind", ""}, {"Mind ", ""}, {"", ""}, {"Liver", ""},
    };
    for (const auto& [text, code] : cases)
        EXPECT_EQ(chapterCode(text, entries), code) << text;
}

TEST(ChapterPicker, equalEntries_theFirstPositionWins)
{
    const ChapterPickerEntries entries{"Same", "Same", "", "", ""};
    EXPECT_EQ(chapterCode("Same", entries), "mi");
    // Empty texts (a strings document that failed) map an empty picker to the third entry.
    EXPECT_EQ(chapterCode("", entries), "o");
}

} // namespace
} // namespace orvex
