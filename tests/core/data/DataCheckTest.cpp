#include "core/data/DataCheck.h"

#include "support/CheckDataSet.h"
#include "support/TempDir.h"
#include "core/xml/CurrentDocument.h"

#include <gtest/gtest.h>

#include <functional>

namespace orvex {
namespace {

using test::checkChapter;
using test::checkRepertory;
using test::checkStrings;

const std::string kRemedies = test::checkRemedyList();

DataCheckReport check(const std::string& remedies, const std::string& texts, const std::string& rep)
{
    const test::TempDir dir;
    return checkDataFiles(dir.write("remedy.xml", remedies), dir.write("list.xml", texts),
                          dir.write("garepertory.xml", rep));
}

struct CheckCase {
    const char* name;
    std::string remedies;
    std::string texts;
    std::string repertory;
    std::uint64_t findings;
    std::function<void(const DataCheckReport&)> expect;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class Finding : public ::testing::TestWithParam<CheckCase> {};

TEST_P(Finding, isReportedAlone)
{
    const CheckCase& c = GetParam();
    const DataCheckReport report = check(c.remedies, c.texts, c.repertory);
    EXPECT_EQ(report.findingCount(), c.findings);
    c.expect(report);
}

std::vector<std::string> spellings(const std::vector<NameSpelling>& group)
{
    std::vector<std::string> names;
    names.reserve(group.size());
    for (const NameSpelling& spelling : group)
        names.push_back(spelling.name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(
    DataCheck, Finding,
    ::testing::Values(
        CheckCase{"cleanData", kRemedies, checkStrings(), checkRepertory(), 0,
                  [](const DataCheckReport& r) {
                      EXPECT_FALSE(r.loadFailed());
                      EXPECT_EQ(r.texts.chapterNames[0], "Mind");
                      EXPECT_EQ(r.texts.chapterNames[4], "Skin");
                      EXPECT_EQ(r.repertory.chapters[0].listings, 2U);
                  }},
        CheckCase{"remedyListNotWellFormed", "<remedies>\n<remedy>Bell.</remedies>", checkStrings(), checkRepertory(), 1,
                  [](const DataCheckReport& r) {
                      EXPECT_TRUE(r.loadFailed());
                      EXPECT_FALSE(r.files[0].loaded);
                      EXPECT_NE(r.files[0].error.find("line 2, column"), std::string::npos) << r.files[0].error;
                  }},
        CheckCase{"stringsNotWellFormed", kRemedies, "<strings><string>", checkRepertory(), 1,
                  [](const DataCheckReport& r) {
                      EXPECT_FALSE(r.files[1].loaded);
                      EXPECT_TRUE(r.texts.missingKeys.empty()) << "one finding for the file, not one per key";
                  }},
        // The fault lies after the last listing: the whole file is read.
        CheckCase{"repertoryBrokenAtTheEnd", kRemedies, checkStrings(), checkRepertory() + "<oops>", 1,
                  [](const DataCheckReport& r) {
                      EXPECT_FALSE(r.files[2].loaded);
                      EXPECT_NE(r.files[2].error.find("line"), std::string::npos);
                      EXPECT_TRUE(r.names.neverListed.empty());
                  }},
        CheckCase{"missingKey", kRemedies, checkStrings({}, "strSearch"), checkRepertory(), 1,
                  [](const DataCheckReport& r) { EXPECT_EQ(r.texts.missingKeys, std::vector<std::string>{"strSearch"}); }},
        // Past line 65,535, where the tree's own line numbers stop.
        CheckCase{"entryWithOneChild", kRemedies, checkStrings(std::string(70000, '\n') + "<string><name>unused</name></string>"),
                  checkRepertory(), 1,
                  [](const DataCheckReport& r) {
                      ASSERT_EQ(r.texts.shortEntries.first.size(), 1U);
                      EXPECT_EQ(r.texts.shortEntries.first[0].text, "unused");
                      EXPECT_EQ(r.texts.shortEntries.first[0].line, 70029U);
                  }},
        CheckCase{"keyGivenTwice", kRemedies, checkStrings("<string><name>strFile</name>Later</string>"), checkRepertory(), 1,
                  [](const DataCheckReport& r) {
                      ASSERT_EQ(r.texts.repeatedKeys.size(), 1U);
                      EXPECT_EQ(r.texts.repeatedKeys[0].key, "strFile");
                      EXPECT_EQ(r.texts.repeatedKeys[0].lines, (std::vector<std::uint64_t>{15, 29}));
                  }},
        CheckCase{"chapterNameGivenTwice", kRemedies,
                  "<s>" + checkStrings({}, "strRubricList3") + "<string><name>strRubricList3</name>Mind</string></s>",
                  checkRepertory(), 1,
                  [](const DataCheckReport& r) {
                      ASSERT_EQ(r.texts.chapterClashes.size(), 1U);
                      EXPECT_EQ(r.texts.chapterClashes[0].position, 1U);
                      EXPECT_EQ(r.texts.chapterClashes[0].samePosition, 0U);
                  }},
        CheckCase{"chapterNameEmpty", kRemedies,
                  "<s>" + checkStrings({}, "strRubricList5") + "<string><name>strRubricList5</name><t> </t></string></s>",
                  checkRepertory(), 1,
                  [](const DataCheckReport& r) { EXPECT_EQ(r.texts.emptyChapterNames, std::vector<std::size_t>{2}); }},
        CheckCase{"categoryNameInAnotherCase", kRemedies, checkStrings(), checkRepertory(checkChapter("Mi")), 1,
                  [](const DataCheckReport& r) {
                      ASSERT_EQ(r.repertory.unknownCategories.size(), 1U);
                      EXPECT_EQ(r.repertory.unknownCategories[0].name, "Mi");
                      EXPECT_EQ(r.repertory.unknownCategories[0].listings, 2U);
                      EXPECT_EQ(r.repertory.unknownCategories[0].firstLine, 8U);
                      EXPECT_EQ(r.repertory.chapters[0].listings, 2U) << "Mi is not mi";
                  }},
        CheckCase{"categoryWithoutName", kRemedies, checkStrings(),
                  checkRepertory("<category><category name=\"\"/></category>"), 2,
                  [](const DataCheckReport& r) {
                      ASSERT_EQ(r.repertory.unknownCategories.size(), 2U);
                      EXPECT_FALSE(r.repertory.unknownCategories[0].named);
                      EXPECT_TRUE(r.repertory.unknownCategories[1].named);
                  }},
        CheckCase{"chapterWithoutListings", kRemedies, checkStrings(), checkRepertory({}, {}, "p"), 1,
                  [](const DataCheckReport& r) { EXPECT_EQ(r.repertory.chapters[3].listings, 0U); }},
        // Outside any category, a category outside a symptom, a namespaced category.
        CheckCase{"remediesNeverFound", kRemedies, checkStrings(),
                  checkRepertory("<rubric>R<remedy>Bell.</remedy></rubric>"
                            "<c:category xmlns:c=\"urn:c\" name=\"mi\">R<remedy>Bell.</remedy></c:category>",
                            "<category name=\"mi\">R<remedy>Bell.</remedy></category>"),
                  3,
                  [](const DataCheckReport& r) {
                      EXPECT_EQ(r.repertory.strayRemedies.count, 3U);
                      EXPECT_EQ(r.repertory.strayRemedies.first[0].line, 8U);
                      EXPECT_EQ(r.repertory.chapters[0].listings, 2U);
                  }},
        CheckCase{"rootIsNotList", kRemedies, checkStrings(), "<repertory><symptom>" + checkChapter("mi") + "</symptom></repertory>",
                  3,
                  [](const DataCheckReport& r) {
                      EXPECT_FALSE(r.repertory.rootIsList);
                      EXPECT_EQ(r.names.neverListed, (std::vector<std::string>{"Bell.", "Nux-v."}));
                  }},
        CheckCase{"remedyFirstInItsRubric", kRemedies, checkStrings(),
                  checkRepertory("<category name=\"o\">\n<rubric><remedy>Nux-v.</remedy><remedy>Bell.</remedy></rubric>"
                            "</category>"),
                  1,
                  [](const DataCheckReport& r) {
                      ASSERT_EQ(r.repertory.remedyAsLine.first.size(), 1U);
                      EXPECT_EQ(r.repertory.remedyAsLine.first[0].text, "Nux-v.");
                      EXPECT_EQ(r.repertory.remedyAsLine.first[0].line, 9U);
                      EXPECT_EQ(r.repertory.chapters[2].rubrics, 2U);
                  }},
        // A white-space-only text node is no node: the empty <t/> is the first child.
        CheckCase{"emptyLines", kRemedies, checkStrings(),
                  checkRepertory("<category name=\"s\"><rubric> <t/> <remedy>Bell.</remedy></rubric>"
                            "<rubric><t> </t><remedy>Bell.</remedy></rubric></category>"),
                  2, [](const DataCheckReport& r) { EXPECT_EQ(r.repertory.emptyLine.count, 2U); }},
        CheckCase{"neverListed",
                  "<remedies><remedy>....</remedy><remedy>Bell.</remedy><remedy>Nux-v.</remedy><remedy>Puls.</remedy>"
                  "</remedies>",
                  checkStrings(), checkRepertory(), 1,
                  [](const DataCheckReport& r) { EXPECT_EQ(r.names.neverListed, std::vector<std::string>{"Puls."}); }},
        CheckCase{"listedButNotInTheRemedyList", kRemedies, checkStrings(),
                  checkRepertory(checkChapter("m", "<rubric>R<remedy>Ars.</remedy></rubric>")), 1,
                  [](const DataCheckReport& r) {
                      ASSERT_EQ(r.names.notInRemedyList.size(), 1U);
                      EXPECT_EQ(r.names.notInRemedyList[0].name, "Ars.");
                      EXPECT_EQ(r.names.notInRemedyList[0].count, 1U);
                  }},
        // Each look-alike is also a name the other file lacks: two findings.
        CheckCase{"differsInCase", kRemedies, checkStrings(),
                  checkRepertory(checkChapter("m", "<rubric>R<remedy>BELL.</remedy></rubric>")), 2,
                  [](const DataCheckReport& r) {
                      ASSERT_EQ(r.names.lookAlikes.size(), 1U);
                      EXPECT_EQ(spellings(r.names.lookAlikes[0]), (std::vector<std::string>{"Bell.", "BELL."}));
                      EXPECT_EQ(r.names.lookAlikes[0][0].inRemedyList, 1U);
                      EXPECT_EQ(r.names.lookAlikes[0][1].listings, 1U);
                  }},
        CheckCase{"differsInSurroundingSpace", kRemedies, checkStrings(),
                  checkRepertory(checkChapter("m", "<rubric>R<remedy> Nux-v.\t</remedy></rubric>")), 2,
                  [](const DataCheckReport& r) {
                      ASSERT_EQ(r.names.lookAlikes.size(), 1U);
                      EXPECT_EQ(spellings(r.names.lookAlikes[0]), (std::vector<std::string>{"Nux-v.", " Nux-v.\t"}));
                  }},
        CheckCase{"differsInLatin1Case",
                  "<remedies><remedy>....</remedy><remedy>Bell.</remedy><remedy>Nux-v.</remedy>"
                  "<remedy>\xC3\x84rz.</remedy><remedy>\xC3\xA4rz.</remedy><remedy>\xC3\x97x</remedy>"
                  "<remedy>\xC3\xB7x</remedy></remedies>",
                  checkStrings(), checkRepertory(checkChapter("m", "<rubric>R<remedy>\xC3\x84rz.</remedy></rubric>"
                                                    "<rubric>R<remedy>\xC3\xA4rz.</remedy></rubric>"
                                                    "<rubric>R<remedy>\xC3\x97x</remedy></rubric>"
                                                    "<rubric>R<remedy>\xC3\xB7x</remedy></rubric>")),
                  1,
                  [](const DataCheckReport& r) {
                      ASSERT_EQ(r.names.lookAlikes.size(), 1U) << "the multiplication and division signs are no letters";
                      EXPECT_EQ(r.names.lookAlikes[0][0].name, "\xC3\x84rz.");
                  }},
        CheckCase{"givenTwiceInTheRemedyList",
                  "<remedies><remedy>....</remedy><remedy>Bell.</remedy><g><remedy>Bell.</remedy></g>"
                  "<remedy>Nux-v.</remedy></remedies>",
                  checkStrings(), checkRepertory(), 1,
                  [](const DataCheckReport& r) {
                      ASSERT_EQ(r.names.duplicates.size(), 1U);
                      EXPECT_EQ(r.names.duplicates[0].name, "Bell.");
                      EXPECT_EQ(r.names.duplicates[0].count, 2U);
                  }},
        CheckCase{"noRemedyEntryMissing", "<remedies><remedy>Bell.</remedy><remedy>Nux-v.</remedy></remedies>",
                  checkStrings(), checkRepertory(), 1,
                  [](const DataCheckReport& r) { EXPECT_FALSE(r.names.noRemedyPresent); }},
        CheckCase{"noRemedyEntryNotFirst",
                  "<remedies><remedy>Bell.</remedy><remedy>....</remedy><remedy>Nux-v.</remedy></remedies>", checkStrings(),
                  checkRepertory(), 1,
                  [](const DataCheckReport& r) {
                      EXPECT_TRUE(r.names.noRemedyPresent);
                      EXPECT_FALSE(r.names.noRemedyFirst);
                  }}));

// Counts checked against libxml2's XPath on the tree of the same file, on
// documents where symptoms, chapters and remedies nest in one another.
TEST(RepertoryCensus, countsWhatTheQueriesSelect)
{
    const std::vector<std::string> documents = {
        checkRepertory(),
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

// The demo data is clean but for one rubric that shows, on purpose, how a
// remedy placed first becomes the rubric's line.
TEST(DemoData, hasOnlyTheDeliberateRemedyLine)
{
    const DataCheckReport report = checkDataFiles(test::demoData("remedy.xml").string(),
                                                  test::demoData("list.xml").string(),
                                                  test::demoData("garepertory.xml").string());
    EXPECT_FALSE(report.loadFailed());
    EXPECT_EQ(report.findingCount(), 1U);
    ASSERT_EQ(report.repertory.remedyAsLine.first.size(), 1U);
    EXPECT_EQ(report.repertory.remedyAsLine.first[0].text, "Lyc-m.");
    for (const ChapterCensus& chapter : report.repertory.chapters)
        EXPECT_GT(chapter.listings, 0U) << chapter.code;
}

} // namespace
} // namespace orvex
