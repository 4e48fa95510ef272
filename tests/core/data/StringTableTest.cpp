#include "core/data/StringTable.h"

#include "support/XmlFixture.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

struct LookupCase {
    const char* name;
    const char* xml;
    const char* key;
    const char* expected;
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.name; }

class Lookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(Lookup, findsTheSecondChildOfTheFirstMatchingEntry)
{
    const auto current = test::loadXml(GetParam().xml);
    EXPECT_EQ(LookupText(*current, GetParam().key), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Layouts, Lookup,
    ::testing::Values(
        LookupCase{"textElement", "<s><string><name>strSearch</name><text>Search</text></string></s>", "strSearch", "Search"},
        LookupCase{"plainTextAfterName", "<s><string><name>strPrint</name>Print now</string></s>", "strPrint", "Print now"},
        LookupCase{"indentedOverLines",
                   "<s>\n  <string>\n    <name>strNext</name>\n    <text>Next tip</text>\n  </string>\n</s>", "strNext", "Next tip"},
        LookupCase{"nestedMarkupCountsWhole", "<s><string><name>k</name><t>One <b>two</b> three</t></string></s>", "k", "One two three"},
        LookupCase{"furtherChildrenIgnored", "<s><string><name>k</name><t>A</t><t>B</t></string></s>", "k", "A"},
        LookupCase{"anyDepth", "<s><group><more><string><name>k</name><t>Deep</t></string></more></group></s>", "k", "Deep"},
        LookupCase{"firstEntryWins", "<s><string><name>k</name><t>First</t></string><string><name>k</name><t>Second</t></string></s>", "k", "First"},
        LookupCase{"caseDiffers", "<s><string><name>StrSearch</name><t>x</t></string></s>", "strSearch", ""},
        LookupCase{"leadingSpaceInName", "<s><string><name> strSearch</name><t>x</t></string></s>", "strSearch", ""},
        LookupCase{"commentTakesTheSecondPlace", "<s><string><name>k</name><!--note--><t>x</t></string></s>", "k", "note"},
        LookupCase{"piTakesTheSecondPlace", "<s><string><name>k</name><?hint yes?><t>x</t></string></s>", "k", "yes"},
        LookupCase{"onlyOneChild", "<s><string><name>k</name></string></s>", "k", ""},
        LookupCase{"missingKey", "<s><string><name>other</name><t>x</t></string></s>", "k", ""},
        LookupCase{"quotesAndEntities", "<s><string><name>k</name><t>Say &quot;it&apos;s&quot; &amp; go</t></string></s>", "k",
                   "Say \"it's\" & go"},
        LookupCase{"surroundingSpaceDropped", "<s><string><name>k</name>\n   Chapter   \n</string></s>", "k", "Chapter"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadTextTable, failedOrEmptyDocument_givesEmptyTextForEveryKey)
{
    const CurrentDocument empty;
    const StringTable table = LoadTextTable(empty);
    for (const std::string_view key : kTextKeys) {
        EXPECT_EQ(table.text(key), "") << key;
    }
    EXPECT_EQ(table.text("notAKey"), "");
}

} // namespace
} // namespace orvex
