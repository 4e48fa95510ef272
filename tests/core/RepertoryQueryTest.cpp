#include "RepertoryQuery.h"

#include "Chapters.h"
#include "RemedyList.h"
#include "TempDir.h"
#include "XmlFixture.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

using Lines = std::vector<std::string>;

struct QueryCase {
    const char* name;
    const char* xml;
    const char* code;
    const char* remedy;
    Lines expected;
};

void PrintTo(const QueryCase& c, std::ostream* os) { *os << c.name; }

class Query : public ::testing::TestWithParam<QueryCase> {};

TEST_P(Query, selectsWhatTheRepertoryListsInDocumentOrder)
{
    const auto current = test::loadXml(GetParam().xml);
    RepertoryQuery query;
    EXPECT_EQ(query.lines(current->document(), GetParam().code, GetParam().remedy), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Repertory, Query,
    ::testing::Values(
        QueryCase{"leadingTextIsTheLine",
                  "<list><symptom><category name='mi'><r>Anxiety<remedy>Bell.</remedy></r></category></symptom></list>",
                  "mi", "Bell.", {"Anxiety"}},
        QueryCase{"firstChildElementIsTheLine",
                  "<list><symptom><category name='mi'><r><t>Fear, <i>dark</i></t><remedy>Bell.</remedy></r></category></symptom></list>",
                  "mi", "Bell.", {"Fear, dark"}},
        QueryCase{"indentationIsNoFirstChild",
                  "<list>\n  <symptom>\n    <category name='mi'>\n      <r>\n        <t>Grief</t>\n        <remedy>Ign.</remedy>\n"
                  "      </r>\n    </category>\n  </symptom>\n</list>",
                  "mi", "Ign.", {"Grief"}},
        QueryCase{"trailingIndentationOfLeadingTextIsDropped",
                  "<list><symptom><category name='mi'><r>Weeping, easily\n      <remedy>Puls.</remedy></r></category></symptom></list>",
                  "mi", "Puls.", {"Weeping, easily"}},
        QueryCase{"remedyDirectlyInCategory",
                  "<list><symptom><category name='s'>Itching<remedy>Sulph.</remedy></category></symptom></list>",
                  "s", "Sulph.", {"Itching"}},
        QueryCase{"remedyAsFirstChildGivesItsOwnName",
                  "<list><symptom><category name='o'><r><remedy>Ruta</remedy><remedy>Op.</remedy></r></category></symptom></list>",
                  "o", "Op.", {"Ruta"}},
        QueryCase{"emptyFirstElementGivesEmptyLine",
                  "<list><symptom><category name='o'><r><t/><remedy>Op.</remedy></r></category></symptom></list>",
                  "o", "Op.", {""}},
        QueryCase{"nestedCategoriesOfOneCodeGiveOneLine",
                  "<list><symptom><category name='m'><category name='m'><r>Dry<remedy>Bry.</remedy></r></category></category>"
                  "</symptom></list>",
                  "m", "Bry.", {"Dry"}},
        QueryCase{"nestedSymptomsGiveOneLine",
                  "<list><symptom><symptom><category name='m'><r>Dry<remedy>Bry.</remedy></r></category></symptom></symptom></list>",
                  "m", "Bry.", {"Dry"}},
        QueryCase{"subRubricsInDocumentOrder",
                  "<list><symptom><category name='mi'><r>Fear<remedy>Acon.</remedy><r>Fear, night<remedy>Acon.</remedy></r></r>"
                  "<r>Anger<remedy>Acon.</remedy></r></category></symptom></list>",
                  "mi", "Acon.", Lines{"Fear", "Fear, night", "Anger"}},
        QueryCase{"caseAndTrailingSpaceMustAgree",
                  "<list><symptom><category name='mi'><r>A<remedy>bell.</remedy><remedy>Bell. </remedy></r></category></symptom></list>",
                  "mi", "Bell.", {}},
        QueryCase{"otherChapterNotSearched",
                  "<list><symptom><category name='MI'><r>A<remedy>Bell.</remedy></r></category></symptom></list>",
                  "mi", "Bell.", {}},
        QueryCase{"categoryOutsideSymptomIgnored",
                  "<list><category name='mi'><r>A<remedy>Bell.</remedy></r></category></list>", "mi", "Bell.", {}},
        QueryCase{"otherRootGivesNothing",
                  "<rep><symptom><category name='mi'><r>A<remedy>Bell.</remedy></r></category></symptom></rep>", "mi", "Bell.", {}},
        QueryCase{"emptyCodeMatchesNoNamedCategory",
                  "<list><symptom><category name='mi'><r>A<remedy>Bell.</remedy></r></category></symptom></list>", "", "Bell.", {}},
        QueryCase{"apostropheInName",
                  "<list><symptom><category name='mi'><r>A<remedy>Sulph. d'Arc</remedy></r></category></symptom></list>",
                  "mi", "Sulph. d'Arc", {"A"}},
        QueryCase{"bothQuotesInName",
                  "<list><symptom><category name='mi'><r>A<remedy>Ferr. \"met.\" d'x</remedy></r></category></symptom></list>",
                  "mi", "Ferr. \"met.\" d'x", {"A"}},
        QueryCase{"injectionAttemptIsJustAName",
                  "<list><symptom><category name='mi'><r>A<remedy>Bell.</remedy></r></category></symptom></list>",
                  "mi", "x' or '1'='1", {}},
        QueryCase{"emptyName",
                  "<list><symptom><category name='mi'><r>A<remedy/></r><r>B<remedy>Bell.</remedy></r></category></symptom></list>",
                  "mi", "", {"A"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The variable form must select exactly what the literal query selects for
// every name the literal form can express.
void expectBothFormsAgree(const pugi::xml_document& repertory, const std::vector<std::string>& remedies)
{
    RepertoryQuery query;
    std::size_t compared = 0;
    for (const ChapterEntry& chapter : kChapters) {
        for (const std::string& remedy : remedies) {
            if (remedy.find('\'') != std::string::npos)
                continue;
            Lines literal;
            for (const pugi::xpath_node& node : repertory.select_nodes(literalRepertoryQuery(chapter.code, remedy).c_str()))
                literal.push_back(resultLine(node.node()));
            EXPECT_EQ(query.lines(repertory, chapter.code, remedy), literal) << chapter.code << " " << remedy;
            compared += literal.size();
        }
    }
    EXPECT_GT(compared, 0U);
}

TEST(RepertoryQuery, variableFormEqualsLiteralForm_overTheDemoRepertory)
{
    const auto remedies = test::loadXml(test::readFile(test::demoData("remedy.xml")));
    const auto repertory = test::loadXml(test::readFile(test::demoData("garepertory.xml")));
    expectBothFormsAgree(repertory->document(), remedyPickerEntries(remedies->document()));
}

TEST(ResultLine, leadingTextThatReadsAsEmpty_isTheLineInBothForms)
{
    // "&#0;" ends the text for every reader; the remedy after it is not the first child.
    const char* const xml = "<r>&#0;Fear<remedy>Bell.</remedy></r>";
    constexpr unsigned options = pugi::parse_default | pugi::parse_comments | pugi::parse_pi;
    pugi::xml_document separate;
    ASSERT_TRUE(separate.load_string(xml, options));
    pugi::xml_document compact;
    ASSERT_TRUE(compact.load_string(xml, options | pugi::parse_embed_pcdata));
    EXPECT_EQ(resultLine(separate.child("r").child("remedy")), "");
    EXPECT_EQ(resultLine(compact.child("r").child("remedy")), "");
}

TEST(LiteralRepertoryQuery, joinsThePartsWithoutEscaping)
{
    EXPECT_EQ(literalRepertoryQuery("mi", "Abc"), "/list//symptom//category[@name='mi']//remedy[. = 'Abc']");
}

} // namespace
} // namespace orvex
