#include "core/repertory/RepertorySearch.h"
#include "core/repertory/IndexedRepertory.h"
#include "core/repertory/RepertoryWalk.h"

#include "core/data/Chapters.h"
#include "core/data/RemedyList.h"
#include "support/RepertoryXPath.h"
#include "support/TempDir.h"
#include "core/xml/CurrentDocument.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace orvex {
namespace {

using Lines = std::vector<std::string>;
using Names = std::array<std::string, kRemedyPositions>;

ResultLists texts(const RepertoryMatches& found)
{
    ResultLists lists;
    for (std::size_t k = 0; k < kRemedyPositions; ++k) {
        for (const LineId line : found.lists[k])
            lists[k].emplace_back(found.lines->text(line));
    }
    return lists;
}

// The XPath yardstick, its literal and variable forms agreeing.
ResultLists queriedChecked(const CurrentDocument& tree, std::string_view code, const Names& names,
                           const ChosenPositions& chosen)
{
    std::string disagreement;
    ResultLists lists = test::queriedLists(tree, code, names, chosen, disagreement);
    EXPECT_EQ(disagreement, "");
    return lists;
}

class Repertory {
public:
    RepertoryMatches search(std::string_view xml, std::string_view code, const Names& names, const ChosenPositions& chosen)
    {
        return searchRepertoryFile(dir_.write("garepertory.xml", xml), code, names, chosen);
    }
    ResultLists lists(std::string_view xml, std::string_view code, const Names& names, const ChosenPositions& chosen)
    {
        const RepertoryMatches found = search(xml, code, names, chosen);
        EXPECT_TRUE(found.loaded) << found.error << "\n" << xml;
        return texts(found);
    }
    // What an index of the same file answers.
    ResultLists indexed(std::string_view xml, std::string_view code, const Names& names, const ChosenPositions& chosen)
    {
        const IndexedPass pass = indexRepertoryFile(dir_.write("indexed.xml", xml), "?", names, chosen);
        EXPECT_TRUE(pass.index != nullptr) << xml;
        RepertoryMatches found;
        found.lines = pass.index->lines();
        found.lists = pass.index->find(code, names, chosen);
        return texts(found);
    }
    // What the XPath queries select on the tree of the same file.
    ResultLists queried(std::string_view xml, std::string_view code, const Names& names, const ChosenPositions& chosen)
    {
        CurrentDocument document;
        SilentMessageSink sink;
        EXPECT_EQ(LoadXmlDocument(document, dir_.write("tree.xml", xml), sink), 0) << xml;
        return queriedChecked(document, code, names, chosen);
    }

private:
    test::TempDir dir_;
};

struct StreamCase {
    const char* name;
    const char* xml;
    const char* code;
    const char* remedy;
    Lines expected;
};

void PrintTo(const StreamCase& c, std::ostream* os) { *os << c.name; }

class Stream : public ::testing::TestWithParam<StreamCase> {};

TEST_P(Stream, selectsWhatTheRepertoryListsInDocumentOrder)
{
    Repertory repertory;
    const StreamCase& c = GetParam();
    const Names names{c.remedy, "....", "...."};
    const ResultLists lists = repertory.lists(c.xml, c.code, names, {true, false, false});
    EXPECT_EQ(lists[0], c.expected);
    EXPECT_EQ(lists, repertory.queried(c.xml, c.code, names, {true, false, false}));
    EXPECT_EQ(lists, repertory.indexed(c.xml, c.code, names, {true, false, false}));
}

INSTANTIATE_TEST_SUITE_P(Repertory, Stream,
    ::testing::Values(
        StreamCase{"leadingTextIsTheLine",
                   "<list><symptom><category name='mi'><r>Anxiety<remedy>Bell.</remedy></r></category></symptom></list>",
                   "mi", "Bell.", {"Anxiety"}},
        StreamCase{"firstChildElementIsTheLine",
                   "<list><symptom><category name='mi'><r><t>Fear, <i>dark</i></t><remedy>Bell.</remedy></r></category></symptom></list>",
                   "mi", "Bell.", {"Fear, dark"}},
        StreamCase{"indentationIsNoFirstChild",
                   "<list>\n  <symptom>\n    <category name='mi'>\n      <r>\n        <t>Grief</t>\n        <remedy>Ign.</remedy>\n"
                   "      </r>\n    </category>\n  </symptom>\n</list>",
                   "mi", "Ign.", {"Grief"}},
        StreamCase{"trailingIndentationOfLeadingTextIsDropped",
                   "<list><symptom><category name='mi'><r>Weeping, easily\n      <remedy>Puls.</remedy></r></category></symptom></list>",
                   "mi", "Puls.", {"Weeping, easily"}},
        StreamCase{"remedyDirectlyInCategory",
                   "<list><symptom><category name='s'>Itching<remedy>Sulph.</remedy></category></symptom></list>",
                   "s", "Sulph.", {"Itching"}},
        StreamCase{"remedyAsFirstChildGivesItsOwnName",
                   "<list><symptom><category name='o'><r><remedy>Ruta</remedy><remedy>Op.</remedy></r></category></symptom></list>",
                   "o", "Op.", {"Ruta"}},
        StreamCase{"commentAsFirstChildIsTheLine",
                   "<list><symptom><category name='o'><r><!-- note --><remedy>Op.</remedy></r></category></symptom></list>",
                   "o", "Op.", {"note"}},
        StreamCase{"processingInstructionAsFirstChildIsTheLine",
                   "<list><symptom><category name='o'><r><?pi data?>Text<remedy>Op.</remedy></r></category></symptom></list>",
                   "o", "Op.", {"data"}},
        StreamCase{"cdataOfSpacesIsANode",
                   "<list><symptom><category name='o'><r><![CDATA[  ]]>Text<remedy>Op.</remedy></r></category></symptom></list>",
                   "o", "Op.", {""}},
        StreamCase{"emptyFirstElementGivesEmptyLine",
                   "<list><symptom><category name='o'><r><t/><remedy>Op.</remedy></r></category></symptom></list>",
                   "o", "Op.", {""}},
        StreamCase{"nestedCategoriesOfOneCodeGiveOneLine",
                   "<list><symptom><category name='m'><category name='m'><r>Dry<remedy>Bry.</remedy></r></category></category>"
                   "</symptom></list>",
                   "m", "Bry.", {"Dry"}},
        StreamCase{"nestedSymptomsGiveOneLine",
                   "<list><symptom><symptom><category name='m'><r>Dry<remedy>Bry.</remedy></r></category></symptom></symptom></list>",
                   "m", "Bry.", {"Dry"}},
        StreamCase{"subRubricsInDocumentOrder",
                   "<list><symptom><category name='mi'><r>Fear<remedy>Acon.</remedy><r>Fear, night<remedy>Acon.</remedy></r></r>"
                   "<r>Anger<remedy>Acon.</remedy></r></category></symptom></list>",
                   "mi", "Acon.", Lines{"Fear", "Fear, night", "Anger"}},
        StreamCase{"nestedRemediesInDocumentOrder",
                   "<list><symptom><category name='mi'><r>Outer<remedy>A<remedy>A</remedy></remedy></r></category></symptom></list>",
                   "mi", "A", Lines{"A"}},
        StreamCase{"caseAndTrailingSpaceMustAgree",
                   "<list><symptom><category name='mi'><r>A<remedy>bell.</remedy><remedy>Bell. </remedy></r></category></symptom></list>",
                   "mi", "Bell.", {}},
        StreamCase{"otherChapterNotSearched",
                   "<list><symptom><category name='MI'><r>A<remedy>Bell.</remedy></r></category></symptom></list>",
                   "mi", "Bell.", {}},
        StreamCase{"categoryOutsideSymptomIgnored",
                   "<list><category name='mi'><r>A<remedy>Bell.</remedy></r></category></list>", "mi", "Bell.", {}},
        StreamCase{"otherRootGivesNothing",
                   "<rep><symptom><category name='mi'><r>A<remedy>Bell.</remedy></r></category></symptom></rep>", "mi", "Bell.", {}},
        StreamCase{"rootInANamespaceGivesNothing",
                   "<list xmlns='urn:r'><symptom><category name='mi'><r>A<remedy>Bell.</remedy></r></category></symptom></list>",
                   "mi", "Bell.", {}},
        StreamCase{"prefixedNameAttributeIsNotTheChapter",
                   "<list xmlns:x='urn:x'><symptom><category x:name='mi'><r>A<remedy>Bell.</remedy></r></category></symptom></list>",
                   "mi", "Bell.", {}},
        StreamCase{"emptyCodeMatchesNoNamedCategory",
                   "<list><symptom><category name='mi'><r>A<remedy>Bell.</remedy></r></category></symptom></list>", "", "Bell.", {}},
        StreamCase{"bothQuotesInName",
                   "<list><symptom><category name='mi'><r>A<remedy>Ferr. \"met.\" d'x</remedy></r></category></symptom></list>",
                   "mi", "Ferr. \"met.\" d'x", {"A"}},
        StreamCase{"injectionAttemptIsJustAName",
                   "<list><symptom><category name='mi'><r>A<remedy>Bell.</remedy></r></category></symptom></list>",
                   "mi", "x' or '1'='1", {}},
        StreamCase{"emptyName",
                   "<list><symptom><category name='mi'><r>A<remedy/></r><r>B<remedy>Bell.</remedy></r></category></symptom></list>",
                   "mi", "", {"A"}},
        StreamCase{"internalEntitiesExpandInNamesLinesAndCodes",
                   "<!DOCTYPE list [<!ENTITY b 'Bell.'><!ENTITY c 'mi'><!ENTITY rub '<t>Fear &amp; <i>dread</i></t>'>]>"
                   "<list><symptom><category name='&c;'><r>&rub;<remedy>&b;</remedy></r></category></symptom></list>",
                   "mi", "Bell.", {"Fear & dread"}},
        StreamCase{"nonAsciiNamesAndLines",
                   "<list><symptom><category name='mi'><r>\xC3\x84ngste \xF0\x9F\x8C\xBF<remedy>\xCE\xB1\xCE\xB2</remedy></r>"
                   "</category></symptom></list>",
                   "mi", "\xCE\xB1\xCE\xB2", {"\xC3\x84ngste \xF0\x9F\x8C\xBF"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Random repertory-like documents over a tiny alphabet, so that nesting,
// repeated names, mixed content, entities and quotes collide often.
class RandomRepertory {
public:
    explicit RandomRepertory(unsigned seed) : random_(seed) {}

    std::string document()
    {
        std::string xml = pick(0, 3) == 0 ? "<!DOCTYPE list [<!ENTITY b 'Bell.'><!ENTITY r '<t>Rubric</t>'>]>" : "";
        const std::string root = pick({"list", "list", "list", "other"});
        xml += "<" + root + ">";
        for (int i = pick(1, 4); i > 0; --i)
            element(xml, 0, pick(0, 2) != 0 ? "symptom" : "");
        xml += "</" + root + ">";
        return xml;
    }

    // The same number of bytes, other content: a remedy renamed, a chapter recoded.
    static void editKeepingSize(std::string& xml)
    {
        for (const auto& [from, to] : {std::pair{"Bell.", "\xC3\x84rz."}, {"\xC3\x84rz.", "Bell."}, {"'mi'", "'xx'"}}) {
            if (const auto at = xml.find(from); at != std::string::npos) {
                xml.replace(at, std::string_view(from).size(), to);
                return;
            }
        }
    }

    std::string remedy() { return pick({"Bell.", "Nux-v.", "O'Neil \"b\"", "Bell. ", "", "\xC3\x84rz."}); }
    std::string code() { return pick({"mi", "m", "x"}); }
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

private:
    std::string pick(std::initializer_list<const char*> choices)
    {
        return *(choices.begin() + pick(0, static_cast<int>(choices.size()) - 1));
    }

    void text(std::string& xml, bool entities)
    {
        switch (pick(0, 8)) {
        case 0: xml += "<![CDATA[Bell.]]>"; break;
        case 1: xml += "<!--note-->"; break;
        case 2: xml += "\n  "; break;
        case 3: xml += "Bell."; break;
        case 4: xml += "O'Neil &quot;b&quot;"; break;
        case 5: xml += "<?pi Rubric?>"; break;
        case 6: xml += entities ? "&r;" : "\xC3\x84rz."; break;
        case 7: xml += " &#32; "; break;
        default: xml += "Rubric &amp; modality"; break;
        }
    }

    void element(std::string& xml, int depth, std::string name = {})
    {
        const bool entities = xml.rfind("<!DOCTYPE", 0) == 0;
        if (name.empty())
            name = pick({"symptom", "category", "category", "remedy", "remedy", "r", "t"});
        xml += "<" + name;
        if (name == "category" || pick(0, 6) == 0)
            xml += " name=\"" + code() + "\"";
        xml += ">";
        for (int i = depth < 5 ? pick(0, 4) : 0; i > 0; --i) {
            if (pick(0, 2) == 0)
                text(xml, entities);
            else
                element(xml, depth + 1);
        }
        if (name == "remedy" && pick(0, 3) != 0) {
            std::string value = entities && pick(0, 2) == 0 ? "&b;" : remedy();
            for (std::size_t at = 0; (at = value.find('"', at)) != std::string::npos; at += 6)
                value.replace(at, 1, "&quot;");
            xml += value;
        }
        xml += "</" + name + ">";
    }

    std::mt19937 random_;
};

TEST(RepertorySearch, selectsWhatTheQueriesSelect_overRandomDocuments)
{
    RandomRepertory random(20261207);
    Repertory repertory;
    std::size_t found = 0;
    for (int round = 0; round < 2000; ++round) {
        const std::string xml = random.document();
        const Names names{random.remedy(), random.remedy(), random.remedy()};
        const std::string code = random.code();
        for (unsigned mask = 0; mask < 8; ++mask) {
            const ChosenPositions chosen{(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0};
            const ResultLists streamed = repertory.lists(xml, code, names, chosen);
            ASSERT_EQ(streamed, repertory.queried(xml, code, names, chosen)) << xml << "\ncode " << code << ", mask " << mask;
            if (mask == 7)
                found += streamed[0].size() + streamed[1].size() + streamed[2].size();
        }
    }
    EXPECT_GT(found, 800U) << "the random documents hardly ever match: the comparison proves little";
}

TEST(RepertorySearch, selectsWhatTheQueriesSelect_overTheDemoRepertory)
{
    CurrentDocument names;
    SilentMessageSink sink;
    ASSERT_EQ(LoadXmlDocument(names, test::demoData("remedy.xml").string(), sink), 0);
    const std::vector<std::string> remedies = remedyPickerEntries(names).toStrings();
    CurrentDocument tree;
    ASSERT_EQ(LoadXmlDocument(tree, test::demoData("garepertory.xml").string(), sink), 0);

    const ChosenPositions all{true, true, true};
    std::size_t found = 0;
    for (const ChapterEntry& chapter : kChapters) {
        for (std::size_t i = 0; i + 2 < remedies.size(); ++i) {
            const Names three{remedies[i], remedies[i + 1], remedies[i + 2]};
            const RepertoryMatches streamed
                = searchRepertoryFile(test::demoData("garepertory.xml").string(), chapter.code, three, all);
            ASSERT_TRUE(streamed.loaded) << streamed.error;
            EXPECT_EQ(texts(streamed), queriedChecked(tree, chapter.code, three, all)) << chapter.code << " from " << remedies[i];
            found += streamed.lists[0].size();
        }
    }
    EXPECT_GT(found, 0U);
}

TEST(RepertorySearch, faultAfterTheLastMatch_givesNoPartialResult)
{
    Repertory repertory;
    for (const char* tail : {"<list>", "<b></a>", "&undeclared;", "<!-- a -- b -->", "\x01", "<x a='1' a='2'/>", "<p:x/>"}) {
        const std::string xml = std::string("<list><symptom><category name='mi'><r>A<remedy>Bell.</remedy></r></category>")
            + tail + "</symptom></list>";
        const RepertoryMatches found = repertory.search(xml, "mi", {"Bell.", "....", "...."}, {true, false, false});
        EXPECT_FALSE(found.loaded) << tail;
        EXPECT_FALSE(found.error.empty()) << tail;
        EXPECT_TRUE(found.lists[0].empty()) << tail;
    }
}

TEST(RepertorySearch, oneRubricListingARemedyManyTimes_keepsItsLineOnce)
{
    std::string xml = "<list><symptom><category name='mi'><r>" + std::string(100000, 'x');
    for (int i = 0; i < 3000; ++i)
        xml += "<remedy>Bell.</remedy>";
    xml += "</r></category></symptom></list>";
    Repertory repertory;
    const RepertoryMatches found = repertory.search(xml, "mi", {"Bell.", "Bell.", "...."}, {true, true, false});
    ASSERT_TRUE(found.loaded) << found.error;
    ASSERT_EQ(found.lists[0].size(), 3000U);
    EXPECT_EQ(found.lists[0], found.lists[1]);
    EXPECT_EQ(found.lines->size(), 2U) << "the empty line and the rubric's, nothing more";
}

// Nesting up to the parser's limit is searched; one level more fails the load.
TEST(RepertorySearch, deepNestingSearchedUpToTheLimit)
{
    const auto nested = [](std::size_t remedies) {
        std::string xml = "<list><symptom><category name='mi'>Deep";
        for (std::size_t i = 0; i < remedies; ++i)
            xml += "<remedy>";
        xml += "Bell.";
        for (std::size_t i = 0; i < remedies; ++i)
            xml += "</remedy>";
        return xml + "</category></symptom></list>";
    };
    constexpr std::size_t kRemedies = XmlParser::kMaxDepth - 3;
    Repertory repertory;
    const ResultLists lists = repertory.lists(nested(kRemedies), "mi", {"Bell.", "....", "...."}, {true, false, false});
    // Every level's text is "Bell.": each is found once, the outermost under the category's text.
    ASSERT_EQ(lists[0].size(), kRemedies);
    EXPECT_EQ(lists[0].front(), "Deep");
    EXPECT_EQ(lists[0].back(), "Bell.");
    const RepertoryMatches tooDeep = repertory.search(nested(kRemedies + 1), "mi", {"Bell.", "....", "...."}, {true, false, false});
    EXPECT_FALSE(tooDeep.loaded);
    EXPECT_NE(tooDeep.error.find("256 deep"), std::string::npos) << tooDeep.error;
}

// Later searches come from the index while the file stays the same, and
// always give what a fresh pass over the file on disk gives: across new
// documents, edits of the same size in place and by replacement (within the
// same second), a spoilt file and a removed one.
TEST(IndexedRepertory, answersAsAFreshPassWould_whileTheFileChanges)
{
    RandomRepertory random(20261208);
    test::TempDir dir;
    const std::filesystem::path file = dir.path() / "garepertory.xml";
    std::string xml = random.document();
    dir.write("garepertory.xml", xml);
    IndexedRepertory repertory;
    int fromIndex = 0;
    for (int round = 0; round < 1500; ++round) {
        // No reader of the index holds the file open now: Windows would refuse to replace it.
        repertory.holdsIndex();
        const int change = random.pick(0, 9);
        if (change == 0)
            xml = random.document();
        if (change <= 2)
            RandomRepertory::editKeepingSize(xml);
        if (change == 1) {
            std::ofstream(file, std::ios::binary | std::ios::in | std::ios::out) << xml; // same file, rewritten
        } else if (change <= 2) {
            dir.write("next.xml", xml);
            std::filesystem::rename(dir.path() / "next.xml", file);
        } else if (change == 3) {
            dir.write("garepertory.xml", xml.substr(0, xml.size() / 2));
        } else if (change == 4) {
            std::filesystem::remove(file);
        } else if (change == 5) {
            dir.write("garepertory.xml", xml);
        }
        fromIndex += change > 5 && repertory.holdsIndex() ? 1 : 0;
        const Names names{random.remedy(), random.remedy(), random.remedy()};
        const std::string code = random.code();
        const ChosenPositions chosen{random.pick(0, 1) == 0, random.pick(0, 1) == 0, true};
        const RepertoryMatches answered = repertory.search(file.string(), code, names, chosen);
        const RepertoryMatches fresh = searchRepertoryFile(file.string(), code, names, chosen);
        ASSERT_EQ(answered.loaded, fresh.loaded) << "round " << round << "\n" << xml;
        ASSERT_EQ(texts(answered), texts(fresh)) << "round " << round << ", code " << code << "\n" << xml;
    }
    EXPECT_GT(fromIndex, 300) << "the index was hardly ever used: the comparison proves little";
}

// Rewrites the file under the walk when the first remedy ends.
class RewritingWalk : public RepertoryWalk<RewritingWalk, int> {
public:
    static constexpr bool kFullStructure = false;
    RewritingWalk(std::filesystem::path file, bool replace) : file_(std::move(file)), replace_(replace) {}
    bool run(std::string& error) { return walkFile(file_.string(), error); }

    static bool rootStarts(bool) { return true; }
    static bool categoryStarts(int, const xmlChar**) { return true; }
    static void categoryEnds() {}
    static std::size_t remedyStarts() { return 0; }
    void remedyEnds(const Frame&, Frame&, std::string_view)
    {
        if (std::exchange(rewritten_, true))
            return;
        std::string text = test::readFile(file_);
        RandomRepertory::editKeepingSize(text);
        const auto target = replace_ ? std::filesystem::path(file_.string() + ".new") : file_;
        std::ofstream(target, std::ios::binary | std::ios::in | std::ios::out | (replace_ ? std::ios::trunc : std::ios::openmode{}))
            << text;
        if (replace_)
            std::filesystem::rename(target, file_);
    }

private:
    std::filesystem::path file_;
    bool replace_;
    bool rewritten_ = false;
};

TEST(RepertorySearch, fileRewrittenWhileRead_isReadAgainOrFails)
{
    std::string xml = "<list><symptom><category name='mi'>";
    for (int i = 0; i < 20000; ++i)
        xml += "<r>Rubric " + std::to_string(i) + "<remedy>Bell.</remedy></r>";
    xml += "</category></symptom></list>";
    // Windows refuses to replace a file that is open; a rewrite in place can happen anywhere.
#ifdef _WIN32
    const std::vector<bool> replacing{false};
#else
    const std::vector<bool> replacing{false, true};
#endif
    for (const bool replace : replacing) {
        test::TempDir dir;
        RewritingWalk walk(dir.write("garepertory.xml", xml), replace);
        std::string error;
        EXPECT_FALSE(walk.run(error)) << replace;
        EXPECT_TRUE(walk.changedWhileRead()) << replace;
        EXPECT_EQ(error, "it changed while it was being read");
    }
}

} // namespace
} // namespace orvex
