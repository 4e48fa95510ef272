#include "core/xml/CurrentDocument.h"

#include "core/data/RemedyList.h"
#include "core/repertory/RepertorySearch.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvex {
namespace {

using test::RecordingSink;

struct BadFile {
    const char* name;
    std::string bytes;
    const char* reasonPart; // or one of its parts between '|': libxml2's words differ between versions
    bool streamedToo = true; // the repertory's streaming pass refuses it with the same reason
};

// " a0" + after, " a1" + after, ...
std::string numbered(std::string_view after, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text.append(" a").append(std::to_string(i)).append(after);
    return text;
}

std::string repeated(std::string_view text, std::size_t count)
{
    std::string result;
    for (std::size_t i = 0; i < count; ++i)
        result += text;
    return result;
}

void PrintTo(const BadFile& c, std::ostream* os) { *os << c.name; }

class LoadFailure : public ::testing::TestWithParam<BadFile> {};

bool givesReason(const std::string& reason, std::string_view parts)
{
    for (std::size_t at = 0, bar = 0; bar != std::string_view::npos; at = bar + 1) {
        bar = parts.find('|', at);
        if (reason.find(parts.substr(at, bar - at)) != std::string::npos)
            return true;
    }
    return false;
}

TEST_P(LoadFailure, reportsLoadFailedOnceAndLeavesEmptyDocument)
{
    const test::TempDir dir;
    const std::string path = dir.write("file.xml", GetParam().bytes);
    CurrentDocument current;
    RecordingSink sink;

    EXPECT_EQ(LoadXmlDocument(current, path, sink), 1);
    ASSERT_EQ(sink.files.size(), 1U);
    EXPECT_EQ(sink.files[0], path);
    EXPECT_TRUE(givesReason(sink.reasons[0], GetParam().reasonPart)) << sink.reasons[0];
    EXPECT_TRUE(current.empty());
    if (GetParam().streamedToo) {
        const RepertoryMatches found = searchRepertoryFile(path, "mi", {"a", "b", "c"}, {true, true, true});
        EXPECT_FALSE(found.loaded);
        EXPECT_TRUE(givesReason(found.error, GetParam().reasonPart)) << found.error;
    }
}

INSTANTIATE_TEST_SUITE_P(BadInput, LoadFailure,
    ::testing::Values(
        BadFile{"empty", "", "not well-formed"},
        BadFile{"truncated", "<list><symptom><category name='mi'>", "not well-formed"},
        BadFile{"notXml", "Bell.;Nux-v.;Puls.\n", "not well-formed"},
        BadFile{"mismatchedTags", "<a>\n<b></a>", "line 2"},
        BadFile{"unknownEncoding", "<?xml version='1.0' encoding='X-NO-SUCH-CODE'?><a/>", "X-NO-SUCH-CODE"},
        BadFile{"utf16DeclaredOverBytes", "<?xml version='1.0' encoding='UTF-16'?><a/>", "UTF-16|Blank needed"},
        BadFile{"bareAmpersand", "<list>\n<remedy>A & B</remedy></list>", "line 2"},
        BadFile{"undeclaredPrefix", "<list><a:remedy>Bell.</a:remedy></list>", "prefix"},
        BadFile{"markContradictsDeclaration", "\xEF\xBB\xBF<?xml version='1.0' encoding='ISO-8859-1'?><a/>", "ISO-8859-1"},
        BadFile{"entityAmplification",
                "<!DOCTYPE l [<!ENTITY a 'aaaaaaaaaaaaaaaa'><!ENTITY b '&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;'>"
                "<!ENTITY c '&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;'><!ENTITY d '&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;'>"
                "<!ENTITY e '&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;'><!ENTITY f '&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;'>"
                "<!ENTITY g '&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;'>]><l>&g;</l>",
                "not well-formed|expand to more than"},
        // Hostile documents: each refused at once, with the reason.
        BadFile{"externalEntity", "<!DOCTYPE r [<!ENTITY x SYSTEM 'x.txt'>]><r>Fear &x; of the dark</r>", "external entity x"},
        BadFile{"externalParameterEntity", "<!DOCTYPE r [<!ENTITY % p SYSTEM 'p.dtd'>%p;]><r/>", "external entity p"},
        BadFile{"entityOnlyAnExternalDtdCouldDeclare", "<!DOCTYPE r SYSTEM 'r.dtd'><r>Fear &x; of the dark</r>",
                "entity x, which it does not declare"},
        BadFile{"expansionPastTheBudget",
                "<!DOCTYPE r [<!ENTITY e '" + std::string(10000, 'x') + "'>]><r>" + repeated("&e;", 200) + "</r>",
                "expand to more than|amplification"},
        // libxml2 2.9 fails it on a fault of its own, newer ones on the budget: either way at once.
        BadFile{"nestedParameterEntities",
                "<!DOCTYPE r [<!ENTITY % a '<!-- a comment -->'><!ENTITY % b '" + repeated("&#37;a;", 10)
                    + "'><!ENTITY % c '" + repeated("&#37;b;", 10) + "'><!ENTITY % d '" + repeated("&#37;c;", 10)
                    + "'><!ENTITY % e '" + repeated("&#37;d;", 10) + "'><!ENTITY % f '" + repeated("&#37;e;", 10)
                    + "'>%f;]><r/>",
                "internal error|expand to more than|amplification"},
        BadFile{"manyDefaultedAttributes", "<!DOCTYPE r [<!ATTLIST r" + numbered(" CDATA 'v'", 1001) + ">]><r/>",
                "declares more than 1000 attributes"},
        BadFile{"manyAttributes", "<r" + numbered("=''", 5000) + "/>", "more than 1000 attributes"},
        BadFile{"manyAttributesInAnEntity", "<!DOCTYPE r [<!ENTITY e \"<x" + numbered("=''", 1001) + "/>\">]><r>&e;</r>",
                "more than 1000 attributes"},
        BadFile{"tooDeep", repeated("<g>", XmlParser::kMaxDepth + 1) + repeated("</g>", XmlParser::kMaxDepth + 1),
                "nest more than 256 deep"},
        // The tree's limit on one text; the stream has none.
        BadFile{"hugeText", "<r>" + std::string(11U << 20U, 'n') + "</r>", "huge text node|Text node too long", false},
        // Windows' libxml2 has no iconv: there it names the encoding it does not know.
        BadFile{"bytesNotShiftJis", "<?xml version='1.0' encoding='Shift_JIS'?><r>\x81\x7f\xff\xfc</r>",
                "conversion|Invalid bytes|Shift_JIS"},
        BadFile{"nulAfterTheRoot", std::string("<r/>\0<r/>", 9), "NUL"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadXmlDocument, externalEntitiesAndDtds_areNeverFetched)
{
    const test::TempDir dir;
    const std::string secret = dir.write("secret.txt", "SECRET");
    const std::string url = "file://" + secret;
    CurrentDocument current;
    SilentMessageSink sink;
    for (const std::string& xml : {"<!DOCTYPE r [<!ENTITY x SYSTEM '" + url + "'>]><r><remedy>&x;</remedy></r>",
                                   "<!DOCTYPE r SYSTEM '" + url + "'><r><remedy>Bell.</remedy></r>",
                                   "<!DOCTYPE r [<!ENTITY % p SYSTEM '" + url + "'>%p;]><r><remedy>Bell.</remedy></r>"}) {
        if (LoadXmlDocument(current, dir.write("r.xml", xml), sink) != 0)
            continue; // refusing is as good as not fetching
        const RemedyNames names = remedyPickerEntries(current);
        ASSERT_EQ(names.size(), 1U) << xml;
        EXPECT_EQ(names[0].find("SECRET"), std::string_view::npos) << xml;
    }
}

TEST(LoadXmlDocument, missingFolderOrDirectory_failsWithReason)
{
    const test::TempDir dir;
    CurrentDocument current;
    RecordingSink sink;
    EXPECT_EQ(LoadXmlDocument(current, (dir.path() / "absent.xml").string(), sink), 1);
    EXPECT_EQ(LoadXmlDocument(current, dir.path().string(), sink), 1);
    ASSERT_EQ(sink.reasons.size(), 2U);
    EXPECT_NE(sink.reasons[0].find("does not exist"), std::string::npos);
    EXPECT_NE(sink.reasons[1].find("folder"), std::string::npos);
}

TEST(LoadXmlDocument, failedLoad_replacesThePreviousDocument)
{
    const test::TempDir dir;
    CurrentDocument current;
    SilentMessageSink sink;
    ASSERT_EQ(LoadXmlDocument(current, dir.write("r.xml", "<r><remedy>Bell.</remedy></r>"), sink), 0);
    ASSERT_EQ(remedyPickerEntries(current).toStrings().size(), 1U);

    EXPECT_EQ(LoadXmlDocument(current, dir.write("bad.xml", "<r>"), sink), 1);
    EXPECT_TRUE(remedyPickerEntries(current).toStrings().empty());
}

TEST(LoadXmlDocument, bareNameResolvesAgainstCurrentDirectory)
{
    const test::TempDir dir;
    dir.write("remedy.xml", "<r><remedy>Puls.</remedy></r>");
    const test::CurrentDirectory here(dir.path());
    CurrentDocument current;
    RecordingSink sink;
    EXPECT_EQ(LoadXmlDocument(current, "remedy.xml", sink), 0);
    EXPECT_TRUE(sink.files.empty());
    EXPECT_EQ(remedyPickerEntries(current).toStrings(), std::vector<std::string>{"Puls."});
}

struct EncodedFile {
    const char* name;
    std::string bytes;
    std::string expected; // UTF-8
};

void PrintTo(const EncodedFile& c, std::ostream* os) { *os << c.name; }

class Encodings : public ::testing::TestWithParam<EncodedFile> {};

TEST_P(Encodings, loadWithTheRightCharacters)
{
    const test::TempDir dir;
    CurrentDocument current;
    RecordingSink sink;
    ASSERT_EQ(LoadXmlDocument(current, dir.write("r.xml", GetParam().bytes), sink), 0)
        << (sink.reasons.empty() ? "" : sink.reasons[0]);
    EXPECT_EQ(remedyPickerEntries(current).toStrings(), std::vector<std::string>{GetParam().expected});
}

std::string repeated(const std::string& text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

std::string utf16le(std::string_view ascii, bool bom)
{
    std::string out = bom ? std::string("\xFF\xFE", 2) : std::string();
    for (const char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(Declared, Encodings,
    ::testing::Values(
        EncodedFile{"utf8NoDeclaration", "<r><remedy>\xC3\x84rz.</remedy></r>", "\xC3\x84rz."},
        EncodedFile{"utf8Bom", "\xEF\xBB\xBF<?xml version='1.0'?><r><remedy>\xC3\x91" "aja</remedy></r>", "\xC3\x91" "aja"},
        EncodedFile{"latin1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r><remedy>\xC4rz.</remedy></r>", "\xC3\x84rz."},
        EncodedFile{"latin1LowerCase", "<?xml version='1.0' encoding='iso-8859-1'?><r><remedy>\xE9</remedy></r>", "\xC3\xA9"},
        EncodedFile{"windows1252Quotes", "<?xml version='1.0' encoding='windows-1252'?><r><remedy>\x93" "a\x94 \x80</remedy></r>",
                    "\xE2\x80\x9C" "a\xE2\x80\x9D \xE2\x82\xAC"},
        EncodedFile{"latin9Euro", "<?xml version='1.0' encoding='ISO-8859-15'?><r><remedy>\xA4</remedy></r>", "\xE2\x82\xAC"},
        // Two-byte characters, also across the chunks the parser reads in.
        EncodedFile{"shiftJis", "<?xml version='1.0' encoding='Shift_JIS'?><r><remedy>\x93\xFA" "a</remedy></r>",
                    "\xE6\x97\xA5" "a"},
        EncodedFile{"shiftJisLong", "<?xml version='1.0' encoding='Shift_JIS'?><r><remedy>a" + repeated("\x93\xFA", 9000)
                    + "</remedy></r>", "a" + repeated("\xE6\x97\xA5", 9000)},
        EncodedFile{"utf16WithBom", utf16le("<r><remedy>Op.</remedy></r>", true), "Op."},
        EncodedFile{"utf16WithoutBom", utf16le("<?xml version='1.0' encoding='UTF-16'?><r><remedy>Op.</remedy></r>", false), "Op."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadXmlDocument, nestingToTheLimit_loadsAndQueries)
{
    constexpr std::size_t depth = XmlParser::kMaxDepth - 1;
    std::string xml;
    for (std::size_t i = 0; i < depth; ++i)
        xml += "<g>";
    xml += "<remedy>Deep</remedy>";
    for (std::size_t i = 0; i < depth; ++i)
        xml += "</g>";
    const test::TempDir dir;
    CurrentDocument current;
    SilentMessageSink sink;
    ASSERT_EQ(LoadXmlDocument(current, dir.write("deep.xml", xml), sink), 0);
    EXPECT_EQ(remedyPickerEntries(current).toStrings(), std::vector<std::string>{"Deep"});
}

TEST(LoadXmlDocument, hundredMegabyteFile_loads)
{
    const std::string entry = "<remedy>Bell.</remedy><remedy>Nux-v. with a longer name</remedy>\n";
    const std::size_t copies = (100U << 20U) / entry.size() + 1;
    std::string xml = "<r>";
    xml.reserve(copies * entry.size() + 10);
    for (std::size_t i = 0; i < copies; ++i)
        xml += entry;
    xml += "</r>";
    const test::TempDir dir;
    const std::string path = dir.write("big.xml", xml);
    xml.clear();
    xml.shrink_to_fit();
    CurrentDocument current;
    SilentMessageSink sink;
    ASSERT_EQ(LoadXmlDocument(current, path, sink), 0);
    const xmlNode* root = xmlDocGetRootElement(current.document());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(current.text(root->last), "Nux-v. with a longer name");
}

} // namespace
} // namespace orvex
