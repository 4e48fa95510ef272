#include "core/data/DataCheck.h"

#include "support/CheckDataSet.h"
#include "support/TempDir.h"
#include "core/xml/CurrentDocument.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

// Each finding of the check, and its report, is a data set of its own under
// tests/data/check/, run through the program (tests/core/CMakeLists.txt).

// Counts checked against libxml2's XPath on the tree of the same file, on
// documents where symptoms, chapters and remedies nest in one another.
TEST(RepertoryCensus, countsWhatTheQueriesSelect)
{
    const std::vector<std::string> documents = {
        test::checkRepertory(),
        "<list><symptom><symptom><category name=\"mi\"><category name=\"mi\"><r>A<remedy>X</remedy></r>"
        "<category name=\"o\"><r>B<remedy>X</remedy><remedy>Y</remedy></r></category></category></category>"
        "<category name=\"o\"><remedy>Z<remedy>X</remedy></remedy></category></symptom>"
        "<category name=\"s\"><r>C<remedy>X</remedy></r></category></symptom>"
        "<category name=\"m\"><r>D<remedy>X</remedy></r><symptom><category name=\"m\">E<remedy>Y</remedy>"
        "</category></symptom></category></list>",
        "<list><x><symptom><y><category name=\"p\"><category name=\"Mi\"><r>F<remedy>X</remedy></r></category>"
        "</category></y></symptom></x><symptom/></list>",
    };
    const test::TempDir dir;
    for (const std::string& xml : documents) {
        const std::string file = dir.write("garepertory.xml", xml);
        const RepertoryCensus census = censusRepertoryFile(file);
        ASSERT_TRUE(census.loaded) << census.error;
        CurrentDocument tree;
        SilentMessageSink sink;
        ASSERT_EQ(LoadXmlDocument(tree, file, sink), 0);
        for (std::size_t i = 0; i < kChapters.size(); ++i) {
            const std::string chapter = "/list//symptom//category[@name='" + std::string(kChapters[i].code) + "']";
            const ChapterCensus& counted = census.chapters[i];
            EXPECT_EQ(counted.listings, tree.select((chapter + "//remedy").c_str()).size()) << xml << i;
            EXPECT_EQ(counted.rubrics, tree.select((chapter + "/descendant-or-self::*[remedy]").c_str()).size())
                << xml << i;
            const std::string symptoms = "/list//symptom[.//category[@name='" + std::string(kChapters[i].code) + "']]";
            EXPECT_EQ(counted.symptoms, tree.select(symptoms.c_str()).size())
                << xml << i;
        }
    }
}

// Symptoms and chapters nested as deep as the parser allows: every symptom
// holds the chapter, and the one remedy is one listing.
TEST(RepertoryCensus, deepNesting_countsEverySymptomOnce)
{
    constexpr std::size_t kDepth = (XmlParser::kMaxDepth - 2) / 2;
    std::string xml = "<list>";
    for (std::size_t i = 0; i < kDepth; ++i)
        xml += "<symptom><category name=\"mi\">";
    xml += "R<remedy>Bell.</remedy>";
    for (std::size_t i = 0; i < kDepth; ++i)
        xml += "</category></symptom>";
    xml += "</list>";
    const test::TempDir dir;
    const RepertoryCensus census = censusRepertoryFile(dir.write("garepertory.xml", xml));
    ASSERT_TRUE(census.loaded) << census.error;
    EXPECT_EQ(census.chapters[0].symptoms, kDepth);
    EXPECT_EQ(census.chapters[0].rubrics, 1U);
    EXPECT_EQ(census.chapters[0].listings, 1U);
}

TEST(LookAlikeKey, foldsCaseAndSurroundingSpaceOnly)
{
    EXPECT_EQ(lookAlikeKey(" \tBELL. \r\n"), "bell.");
    EXPECT_EQ(lookAlikeKey("Nux-V."), lookAlikeKey("nux-v."));
    EXPECT_NE(lookAlikeKey("Nux v."), lookAlikeKey("Nux-v."));
    EXPECT_NE(lookAlikeKey("Be ll."), lookAlikeKey("Bell."));
    EXPECT_EQ(lookAlikeKey("\xC3\x89"), "\xC3\xA9");    // É é
    EXPECT_EQ(lookAlikeKey("\xC3\x9E"), "\xC3\xBE");    // Þ þ
    EXPECT_EQ(lookAlikeKey("\xC3\x97"), "\xC3\x97");    // × stays
    EXPECT_EQ(lookAlikeKey("\xC3"), "\xC3");            // a cut sequence stays as it is
}

} // namespace
} // namespace orvex
