#include "platform/registry/HiveText.h"

#include "core/settings/RegistryApi.h"

#include <gtest/gtest.h>

namespace orvex::platform {
namespace {

using namespace std::string_literals;

const KeyPath kOcs = {"HKEY_LOCAL_MACHINE", "Software", "Tarnwell", "OCS"};

std::string hive(std::string_view body)
{
    return std::string(kHiveHeader) + "\n\n[HKEY_LOCAL_MACHINE\\Software\\Tarnwell\\OCS]\n" + std::string(body) + "\n";
}

struct FormatCase {
    const char* name;
    HiveValue value;
    const char* line;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class Format : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Format, writesTheLineAndReadsTheSameBytesBack)
{
    const HiveValue& value = GetParam().value;
    EXPECT_EQ(formatValue(value), GetParam().line);

    const auto document = parseHive(hive(formatValue(value)));
    ASSERT_TRUE(document);
    const auto values = document->values(kOcs);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, value.name);
    EXPECT_EQ(values[0].type, value.type);
    EXPECT_EQ(values[0].data, value.data);
}

INSTANTIATE_TEST_SUITE_P(Values, Format,
    ::testing::Values(
        FormatCase{"plainText", {"count", reg::REG_SZ, "1\0"s}, R"("count"="1")"},
        FormatCase{"emptyText", {"e", reg::REG_SZ, "\0"s}, R"("e"="")"},
        FormatCase{"unnamedValue", {"", reg::REG_SZ, "x\0"s}, R"(@="x")"},
        FormatCase{"quotesAndBackslashes", {"a\"b\\c", reg::REG_SZ, "C:\\dir \"x\"\\\0"s},
                   R"("a\"b\\c"="C:\\dir \"x\"\\")"},
        FormatCase{"nonAscii", {"name", reg::REG_SZ, "Rhus-t. \xC3\xA9\xE2\x82\xAC\0"s}, "\"name\"=\"Rhus-t. \xC3\xA9\xE2\x82\xAC\""},
        FormatCase{"tabStaysText", {"t", reg::REG_SZ, "a\tb\0"s}, "\"t\"=\"a\tb\""},
        FormatCase{"lineBreakAsHex", {"n", reg::REG_SZ, "a\nb\0"s}, R"("n"=hex(1):61,0a,62,00)"},
        FormatCase{"carriageReturnAsHex", {"n", reg::REG_SZ, "a\r\0"s}, R"("n"=hex(1):61,0d,00)"},
        FormatCase{"noTerminatingNulAsHex", {"n", reg::REG_SZ, "ab"s}, R"("n"=hex(1):61,62)"},
        FormatCase{"embeddedNulAsHex", {"n", reg::REG_SZ, "a\0b\0"s}, R"("n"=hex(1):61,00,62,00)"},
        FormatCase{"sizeZeroTextAsHex", {"n", reg::REG_SZ, ""s}, R"("n"=hex(1):)"},
        FormatCase{"invalidUtf8AsHex", {"n", reg::REG_SZ, "\xE9t\xE9\0"s}, R"("n"=hex(1):e9,74,e9,00)"},
        FormatCase{"surrogateAsHex", {"n", reg::REG_SZ, "\xED\xA0\x80\0"s}, R"("n"=hex(1):ed,a0,80,00)"},
        FormatCase{"overlongAsHex", {"n", reg::REG_SZ, "\xE0\x80\xAF\0"s}, R"("n"=hex(1):e0,80,af,00)"},
        FormatCase{"pastU10FFFFAsHex", {"n", reg::REG_SZ, "\xF4\x90\x80\x80\0"s}, R"("n"=hex(1):f4,90,80,80,00)"},
        FormatCase{"dword", {"d", reg::REG_DWORD, "\x2a\x00\x00\x80"s}, R"("d"=dword:8000002a)"},
        FormatCase{"shortDwordAsHex", {"d", reg::REG_DWORD, "\x2a"s}, R"("d"=hex(4):2a)"},
        FormatCase{"binary", {"b", reg::REG_BINARY, "\x00\xff"s}, R"("b"=hex:00,ff)"},
        FormatCase{"expandText", {"x", reg::REG_EXPAND_SZ, "%A%\0"s}, R"("x"=hex(2):25,41,25,00)"},
        FormatCase{"qword", {"q", reg::REG_QWORD, "\x01\x02\x03\x04\x05\x06\x07\x08"s},
                   R"("q"=hex(b):01,02,03,04,05,06,07,08)"},
        FormatCase{"noneEmpty", {"z", reg::REG_NONE, ""s}, R"("z"=hex(0):)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HiveText, longHexList_wrapsAtEightyColumnsAndReadsBack)
{
    const HiveValue value{"blob", reg::REG_BINARY, std::string(100, '\x5a')};
    const std::string text = formatValue(value);
    std::size_t lines = 0;
    for (std::size_t start = 0; start <= text.size(); ++lines) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        EXPECT_LE(end - start, 80u);
        start = end + 1;
    }
    EXPECT_GT(lines, 1u);
    const auto document = parseHive(hive(text));
    ASSERT_TRUE(document);
    ASSERT_EQ(document->values(kOcs).size(), 1u);
    EXPECT_EQ(document->values(kOcs)[0].data, value.data);
}

TEST(HiveText, unchangedHive_isWrittenBackByteForByte)
{
    const std::string text = std::string(kHiveHeader) + "\r\n"
        "; kept comment\n"
        "\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Tarnwell\\OCS]\r\n"
        "\"count\"=\"1\"\r\n"
        "\"b\"=hex:01,02,\\\n"
        "    03\n"
        "\"broken\"=\"no end\n"
        "  \n"
        "[HKEY_LOCAL_MACHINE\\Software\\Tarnwell\\OCS\\Sub]\n"
        "@=dword:1\n";
    const auto document = parseHive(text);
    ASSERT_TRUE(document);
    EXPECT_EQ(writeHive(*document), text);
    EXPECT_EQ(document->values(kOcs).size(), 2u);
}

TEST(HiveText, emptyText_isAnEmptyHiveWithItsHeader)
{
    const auto document = parseHive("");
    ASSERT_TRUE(document);
    EXPECT_EQ(writeHive(*document), std::string(kHiveHeader) + "\n\n");
}

struct NotAHiveCase {
    const char* name;
    std::string text;
};

void PrintTo(const NotAHiveCase& c, std::ostream* os) { *os << c.name; }

class NotAHive : public ::testing::TestWithParam<NotAHiveCase> {};

TEST_P(NotAHive, isRefused)
{
    EXPECT_FALSE(parseHive(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Texts, NotAHive,
    ::testing::Values(
        NotAHiveCase{"garbage", "\x01\x02 not a hive\n"},
        NotAHiveCase{"headerCutShort", "Windows Registry Ed"},
        NotAHiveCase{"olderFormat", "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n"},
        NotAHiveCase{"utf16Export", "\xFF\xFEW\0i\0n\0"s},
        NotAHiveCase{"sectionWithoutHeader", "[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=\"b\"\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct UnreadableCase {
    const char* name;
    const char* lines; // after the OCS section header
};

void PrintTo(const UnreadableCase& c, std::ostream* os) { *os << c.name; }

class Unreadable : public ::testing::TestWithParam<UnreadableCase> {};

// Each fixture ends in the readable value "after"="ok" under OCS or Other.
TEST_P(Unreadable, isKeptAsItIsAndReadsAsNoValue)
{
    const std::string text = hive(GetParam().lines);
    const auto document = parseHive(text);
    ASSERT_TRUE(document);
    EXPECT_EQ(writeHive(*document), text);
    for (const auto& value : document->values(kOcs))
        EXPECT_EQ(value.name, "after") << "read a value from an unreadable line";
    bool kept = false;
    for (const auto& section : document->sections())
        for (const auto& line : section.lines)
            kept |= line.kind == HiveLine::Kind::Unreadable;
    EXPECT_TRUE(kept);
}

INSTANTIATE_TEST_SUITE_P(Lines, Unreadable,
    ::testing::Values(
        UnreadableCase{"textCutShort", "\"a\"=\"no end\n\"after\"=\"ok\""},
        UnreadableCase{"unknownEscape", "\"a\"=\"x\\ny\"\n\"after\"=\"ok\""},
        UnreadableCase{"textAfterClosingQuote", "\"a\"=\"x\" y\n\"after\"=\"ok\""},
        UnreadableCase{"nameWithoutValue", "\"a\"\n\"after\"=\"ok\""},
        UnreadableCase{"deletionMark", "\"a\"=-\n\"after\"=\"ok\""},
        UnreadableCase{"badDword", "\"a\"=dword:xyz\n\"after\"=\"ok\""},
        UnreadableCase{"longDword", "\"a\"=dword:123456789\n\"after\"=\"ok\""},
        UnreadableCase{"badHexByte", "\"a\"=hex:0g\n\"after\"=\"ok\""},
        UnreadableCase{"unknownKind", "\"a\"=qword:1\n\"after\"=\"ok\""},
        UnreadableCase{"bareWord", "count=1\n\"after\"=\"ok\""},
        UnreadableCase{"hexCutAtEnd", "\"after\"=\"ok\"\n\"a\"=hex:01,\\"},
        UnreadableCase{"hexCutBeforeSection", "\"a\"=hex:01,\\\n[HKEY_LOCAL_MACHINE\\Other]\n\"after\"=\"ok\""},
        UnreadableCase{"headerCutShort", "[HKEY_LOCAL_MACHINE\\Software\n\"a\"=\"x\""},
        UnreadableCase{"unknownRoot", "[HKEY_NOWHERE\\Software]\n\"a\"=\"x\""},
        UnreadableCase{"emptyKeyName", "[HKEY_LOCAL_MACHINE\\\\Software]\n\"a\"=\"x\""},
        UnreadableCase{"keyDeletionMark", "[-HKEY_LOCAL_MACHINE\\Software\\Tarnwell\\OCS]\n\"a\"=\"x\""},
        UnreadableCase{"textAfterHeader", "[HKEY_LOCAL_MACHINE\\Software\\Tarnwell\\OCS] x\n\"a\"=\"x\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HiveText, valueBeforeAnySection_isUnreadable)
{
    const std::string text = std::string(kHiveHeader) + "\n\"a\"=\"x\"\n";
    const auto document = parseHive(text);
    ASSERT_TRUE(document);
    ASSERT_EQ(document->preamble().size(), 1u);
    EXPECT_EQ(document->preamble()[0].kind, HiveLine::Kind::Unreadable);
    EXPECT_EQ(writeHive(*document), text);
}

TEST(HiveText, byteOrderMark_isAccepted)
{
    EXPECT_TRUE(parseHive("\xEF\xBB\xBF" + std::string(kHiveHeader) + "\n"));
}

} // namespace
} // namespace orvex::platform
