#include "xml/XmlEncoding.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

TEST(DetectXmlEncoding, declarationNamesAreCaseInsensitiveAndQuoteEither)
{
    struct Case {
        const char* bytes;
        std::optional<XmlByteEncoding> expected;
    };
    const Case cases[] = {
        {"<a/>", XmlByteEncoding::Utf8},
        {"<?xml version='1.0'?><a/>", XmlByteEncoding::Utf8},
        {"<?xml version='1.0' encoding=\"Utf-8\"?><a/>", XmlByteEncoding::Utf8},
        {"<?xml version='1.0' encoding='US-ASCII'?><a/>", XmlByteEncoding::Utf8},
        {"<?xml version='1.0' encoding='Latin1'?><a/>", XmlByteEncoding::Latin1},
        {"<?xml version='1.0' encoding='CP1252'?><a/>", XmlByteEncoding::Windows1252},
        {"<?xml version='1.0' encoding='EBCDIC'?><a/>", std::nullopt},
        {"<?xml version='1.0' encoding='utf-16'?><a/>", std::nullopt},
        // A declaration that is not at the very start is no declaration.
        {" <?xml version='1.0' encoding='EBCDIC'?><a/>", XmlByteEncoding::Utf8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(detectXmlEncoding(c.bytes).encoding, c.expected) << c.bytes;
}

TEST(SingleByteToUtf8, undefinedWindows1252BytesBecomeReplacementCharacter)
{
    EXPECT_EQ(singleByteToUtf8("\x81", XmlByteEncoding::Windows1252), "\xEF\xBF\xBD");
    EXPECT_EQ(singleByteToUtf8("\x81", XmlByteEncoding::Latin1), "\xC2\x81");
    EXPECT_EQ(singleByteToUtf8("\xFF", XmlByteEncoding::Windows1252), "\xC3\xBF");
    EXPECT_EQ(singleByteToUtf8("plain", XmlByteEncoding::Latin9), "plain");
}

} // namespace
} // namespace orvex
