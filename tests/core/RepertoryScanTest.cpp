#include "RepertoryScan.h"

#include "Chapters.h"
#include "RemedyList.h"
#include "RepertoryQuery.h"
#include "TempDir.h"
#include "xml/CurrentDocument.h"

#include <gtest/gtest.h>

#include <random>

namespace orvex {
namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_pi;

// What three separate XPath queries give: the reference the walk must match.
ResultLists queriedLists(const pugi::xml_document& document, std::string_view code,
                         const std::array<std::string, kRemedyPositions>& remedies, const ChosenPositions& chosen)
{
    RepertoryQuery query;
    ResultLists lists;
    for (std::size_t k = 0; k < kRemedyPositions; ++k) {
        if (chosen[k])
            lists[k] = query.lines(document, code, remedies[k]);
    }
    return lists;
}

// Random repertory-like documents over a tiny alphabet, so that nesting,
// repeated names, mixed content and quotes collide often.
class RandomRepertory {
public:
    explicit RandomRepertory(unsigned seed) : random_(seed) {}

    std::string document()
    {
        std::string xml = pick({"<list>", "<list>", "<list>", "<other>"});
        const bool isList = xml == "<list>";
        for (int i = pick(1, 4); i > 0; --i)
            element(xml, 0, pick(0, 2) != 0 ? "symptom" : "");
        xml += isList ? "</list>" : "</other>";
        return xml;
    }

    std::string remedy() { return pick({"Bell.", "Nux-v.", "O'Neil \"b\"", "Bell. ", ""}); }
    std::string code() { return pick({"mi", "m", "x"}); }
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

private:
    std::string pick(std::initializer_list<const char*> choices)
    {
        return *(choices.begin() + pick(0, static_cast<int>(choices.size()) - 1));
    }

    void text(std::string& xml)
    {
        switch (pick(0, 5)) {
        case 0: xml += "<![CDATA[Bell.]]>"; break;
        case 1: xml += "<!--note-->"; break;
        case 2: xml += "\n  "; break;
        case 3: xml += "Bell."; break;
        case 4: xml += "O'Neil &quot;b&quot;"; break;
        default: xml += "Rubric &amp; modality"; break;
        }
    }

    void element(std::string& xml, int depth, std::string name = {})
    {
        if (name.empty())
            name = pick({"symptom", "category", "category", "remedy", "remedy", "r", "t"});
        xml += "<" + name;
        if (name == "category" || pick(0, 6) == 0)
            xml += " name=\"" + code() + "\"";
        xml += ">";
        for (int i = depth < 5 ? pick(0, 4) : 0; i > 0; --i) {
            if (pick(0, 2) == 0)
                text(xml);
            else
                element(xml, depth + 1);
        }
        if (name == "remedy" && pick(0, 3) != 0) {
            std::string value = remedy();
            for (std::size_t at = 0; (at = value.find('"', at)) != std::string::npos; at += 6)
                value.replace(at, 1, "&quot;");
            xml += value;
        }
        xml += "</" + name + ">";
    }

    std::mt19937 random_;
};

TEST(RepertoryScan, selectsWhatTheQueriesSelect_overRandomDocuments)
{
    RandomRepertory random(20261206);
    std::size_t found = 0;
    for (int round = 0; round < 10000; ++round) {
        const std::string xml = random.document();
        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(xml.c_str(), kParseOptions)) << xml;
        // The search reads the compact form; the queries need the other.
        pugi::xml_document compact;
        ASSERT_TRUE(compact.load_string(xml.c_str(), kParseOptions | pugi::parse_embed_pcdata)) << xml;
        const std::array<std::string, kRemedyPositions> remedies{random.remedy(), random.remedy(), random.remedy()};
        const std::string code = random.code();
        for (unsigned mask = 0; mask < 8; ++mask) {
            const ChosenPositions chosen{(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0};
            const ResultLists queried = queriedLists(document, code, remedies, chosen);
            ASSERT_EQ(scanRepertory(document, code, remedies, chosen), queried)
                << xml << "\ncode " << code << ", mask " << mask;
            ASSERT_EQ(scanRepertory(compact, code, remedies, chosen), queried)
                << "compact: " << xml << "\ncode " << code << ", mask " << mask;
        }
        for (const auto& list : scanRepertory(document, code, remedies, {true, true, true}))
            found += list.size();
    }
    EXPECT_GT(found, 4000U) << "the random documents hardly ever match: the comparison proves little";
}

TEST(RepertoryScan, selectsWhatTheQueriesSelect_overTheDemoRepertory)
{
    CurrentDocument names;
    SilentMessageSink sink;
    ASSERT_EQ(LoadXmlDocument(names, test::demoData("remedy.xml").string(), sink), 0);
    std::vector<std::string> remedies = remedyPickerEntries(names.document());
    CurrentDocument repertory;
    ASSERT_EQ(LoadXmlDocument(repertory, test::demoData("garepertory.xml").string(), sink), 0);
    CurrentDocument compact;
    ASSERT_EQ(LoadXmlDocument(compact, test::demoData("garepertory.xml").string(), sink, XmlTextNodes::Compact), 0);

    const ChosenPositions all{true, true, true};
    for (const ChapterEntry& chapter : kChapters) {
        for (std::size_t i = 0; i + 2 < remedies.size(); ++i) {
            const std::array<std::string, kRemedyPositions> three{remedies[i], remedies[i + 1], remedies[i + 2]};
            const ResultLists queried = queriedLists(repertory.document(), chapter.code, three, all);
            EXPECT_EQ(scanRepertory(repertory.document(), chapter.code, three, all), queried)
                << chapter.code << " from " << remedies[i];
            EXPECT_EQ(scanRepertory(compact.document(), chapter.code, three, all), queried)
                << "compact: " << chapter.code << " from " << remedies[i];
        }
    }
}

TEST(RepertoryScan, repeatedNameAttribute_onlyTheFirstCounts_asInTheQuery)
{
    const std::string xml = "<list><symptom>"
                            "<category name='m' name=''><remedy>Bell.</remedy>Mouth</category>"
                            "<category name='' name='mi'><remedy>Bell.</remedy>Mind</category>"
                            "</symptom></list>";
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(xml.c_str(), kParseOptions));
    const std::array<std::string, kRemedyPositions> remedies{"Bell.", "", ""};
    const ChosenPositions chosen{true, false, false};
    for (const std::string code : {"m", "", "mi"})
        EXPECT_EQ(scanRepertory(document, code, remedies, chosen), queriedLists(document, code, remedies, chosen))
            << "code '" << code << "'";
    EXPECT_EQ(scanRepertory(document, "mi", remedies, chosen)[0], std::vector<std::string>{});
}

TEST(RepertoryScan, deepNestingDoesNotExhaustTheStack)
{
    std::string xml = "<list><symptom><category name='mi'>Deep";
    for (int i = 0; i < 100000; ++i)
        xml += "<r>";
    xml += "<remedy>Bell.</remedy>";
    for (int i = 0; i < 100000; ++i)
        xml += "</r>";
    xml += "</category></symptom></list>";
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(xml.c_str(), kParseOptions));
    const ResultLists lists = scanRepertory(document, "mi", {"Bell.", "....", "...."}, {true, false, false});
    EXPECT_EQ(lists[0], std::vector<std::string>{"Bell."});
}

} // namespace
} // namespace orvex
