#include "core/repertory/ComparisonSearch.h"

#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "core/xml/CurrentDocument.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

using L = std::vector<std::string>;

constexpr const char* kRepertory = R"(<list>
  <symptom>
    <category name="mi">
      <rubric>Anxiety<remedy>Bell.</remedy><remedy>Nux-v.</remedy><remedy>Sulph. d'Arc</remedy></rubric>
      <rubric>Fear<remedy>Bell.</remedy><remedy>Sulph. d'Arc</remedy></rubric>
      <rubric>Grief<remedy>Nux-v.</remedy></rubric>
    </category>
  </symptom>
  <symptom>
    <category name="s">
      <rubric>Itching<remedy>Bell.</remedy></rubric>
    </category>
  </symptom>
</list>)";

using test::RecordingSink;

class ComparisonSearchTest : public ::testing::Test {
protected:
    ComparisonSearchTest() { dir.write(kRepertoryFileName, kRepertory); }

    SearchResult search(std::array<std::string, 3> remedies, CompareMode mode, std::string chapter = "Mind")
    {
        SearchRequest request;
        request.chapterText = std::move(chapter);
        request.chapterEntries = {"Mind", "Mouth", "Eyes", "Perspiration", "Skin"};
        request.remedyTexts = std::move(remedies);
        request.mode = mode;
        return engine.run(request, document, sink, (dir.path() / kRepertoryFileName).string());
    }

    test::TempDir dir;
    CurrentDocument document;
    RecordingSink sink;
    ComparisonSearch engine;
};

TEST_F(ComparisonSearchTest, differentMode_keepsWhatSetsEachApart)
{
    const SearchResult result = search({"Bell.", "Nux-v.", "...."}, CompareMode::Different);
    EXPECT_EQ(result.chapterCaption, "Mind");
    EXPECT_EQ(result.chapterCode, "mi");
    EXPECT_EQ(result.captions, (std::array<std::string, 3>{"Bell.", "Nux-v.", ""}));
    EXPECT_EQ(result.textLists(), (ResultLists{L{"Fear"}, L{"Grief"}, L{}}));
    EXPECT_EQ(result.matchCount, 4U);
    EXPECT_TRUE(result.printOffered);
    EXPECT_EQ(sink.failures(), 0U);
}

TEST_F(ComparisonSearchTest, similarMode_firstAndThirdPositionsCompared)
{
    const SearchResult result = search({"Bell.", "....", "Sulph. d'Arc"}, CompareMode::Similar);
    EXPECT_EQ(result.captions[1], "");
    EXPECT_EQ(result.textLists(), (ResultLists{L{"Anxiety", "Fear"}, L{}, L{"Anxiety", "Fear"}}));
    ASSERT_EQ(result.workList.size(), 2U);
    EXPECT_EQ(result.lines->text(result.workList[0]), "Anxiety");
    EXPECT_EQ(result.lines->text(result.workList[1]), "Fear");
}

TEST_F(ComparisonSearchTest, sameRemedyTwice_cancelsInDifferentAndRepeatsInSimilar)
{
    EXPECT_EQ(search({"Bell.", "Bell.", "...."}, CompareMode::Different).textLists(), (ResultLists{L{}, L{}, L{}}));
    EXPECT_EQ(search({"Bell.", "Bell.", "...."}, CompareMode::Similar).textLists(),
              (ResultLists{L{"Anxiety", "Fear"}, L{"Anxiety", "Fear"}, L{}}));
}

TEST_F(ComparisonSearchTest, oneRemedyInSimilarMode_emptyListsButPrintOffered)
{
    const SearchResult result = search({"Bell.", "....", "...."}, CompareMode::Similar);
    EXPECT_EQ(result.textLists(), (ResultLists{L{}, L{}, L{}}));
    EXPECT_EQ(result.matchCount, 2U);
    EXPECT_TRUE(result.printOffered);
}

TEST_F(ComparisonSearchTest, nothingFound_withdrawsPrinting)
{
    struct Case {
        std::array<std::string, 3> remedies;
        std::string chapter;
    };
    const Case cases[] = {
        {{"....", "....", "...."}, "Mind"},
        {{"Bell.", "Nux-v.", "...."}, "mind"},     // not an entry: empty code
        {{"Unknown.", "....", "...."}, "Mind"},
        {{"Nux-v.", "....", "...."}, "Skin"},
    };
    for (const Case& c : cases) {
        const SearchResult result = search(c.remedies, CompareMode::Different, c.chapter);
        EXPECT_EQ(result.matchCount, 0U) << c.chapter;
        EXPECT_FALSE(result.printOffered);
        EXPECT_EQ(result.textLists(), (ResultLists{L{}, L{}, L{}}));
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_EQ(result.captions[k], c.remedies[k] == "...." ? "" : c.remedies[k]);
    }
}

TEST_F(ComparisonSearchTest, repertoryReadAfreshOnEverySearch)
{
    EXPECT_EQ(search({"Nux-v.", "....", "...."}, CompareMode::Different).textLists()[0], (L{"Anxiety", "Grief"}));
    dir.write(kRepertoryFileName, "<list><symptom><category name='mi'><r>New<remedy>Nux-v.</remedy></r></category></symptom></list>");
    EXPECT_EQ(search({"Nux-v.", "....", "...."}, CompareMode::Different).textLists()[0], (L{"New"}));
}

TEST_F(ComparisonSearchTest, failedLoad_reportsOnceAndSetsOnlyCaptions)
{
    dir.write(kRepertoryFileName, "<list><symptom>");
    const SearchResult result = search({"Bell.", "....", "Nux-v."}, CompareMode::Different);
    EXPECT_EQ(sink.failures(), 1U);
    EXPECT_EQ(result.captions, (std::array<std::string, 3>{"Bell.", "", "Nux-v."}));
    EXPECT_EQ(result.textLists(), (ResultLists{L{}, L{}, L{}}));
    EXPECT_FALSE(result.printOffered);
}

// A count held in 16 bits would wrap to 0 here and hide the Print command
// while 70,000 lines stand in the list.
TEST_F(ComparisonSearchTest, moreThan65536Lines_countedAndPrintOffered)
{
    constexpr std::size_t lines = 70000;
    std::string xml = "<list><symptom><category name='mi'>";
    for (std::size_t i = 0; i < lines; ++i)
        xml += "<r>Line " + std::to_string(i) + "<remedy>Bell.</remedy></r>";
    xml += "</category></symptom></list>";
    dir.write(kRepertoryFileName, xml);

    const SearchResult result = search({"Bell.", "....", "...."}, CompareMode::Different);
    EXPECT_EQ(result.matchCount, lines);
    EXPECT_TRUE(result.printOffered);
    ASSERT_EQ(result.lists[0].size(), lines);
    EXPECT_EQ(result.lines->text(result.lists[0].back()), "Line 69999");
}

} // namespace
} // namespace orvex
