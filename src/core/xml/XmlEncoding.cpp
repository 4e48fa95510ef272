#include "xml/XmlEncoding.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace orvex {
namespace {

bool startsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

std::string lowerAscii(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The encoding pseudo-attribute of a leading `<?xml ...?>`, or empty.
std::string declaredEncoding(std::string_view bytes)
{
    if (!startsWith(bytes, "<?xml"))
        return {};
    const auto end = bytes.find("?>");
    const std::string_view declaration = bytes.substr(0, end);
    auto pos = declaration.find("encoding");
    if (pos == std::string_view::npos)
        return {};
    pos = declaration.find_first_of("\"'", pos);
    if (pos == std::string_view::npos)
        return {};
    const char quote = declaration[pos];
    const auto close = declaration.find(quote, pos + 1);
    if (close == std::string_view::npos)
        return {};
    return std::string(declaration.substr(pos + 1, close - pos - 1));
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// windows-1252 bytes 0x80..0x9F; 0 marks the five undefined ones.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char32_t latin9CodePoint(unsigned char byte)
{
    switch (byte) {
    case 0xA4: return 0x20AC;
    case 0xA6: return 0x0160;
    case 0xA8: return 0x0161;
    case 0xB4: return 0x017D;
    case 0xB8: return 0x017E;
    case 0xBC: return 0x0152;
    case 0xBD: return 0x0153;
    case 0xBE: return 0x0178;
    default: return byte;
    }
}

} // namespace

EncodingDecision detectXmlEncoding(std::string_view bytes)
{
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        return {XmlByteEncoding::Utf8, {}};
    // UTF-16/32 with or without BOM: the parser recognises these patterns itself.
    if (startsWith(bytes, "\xFE\xFF") || startsWith(bytes, "\xFF\xFE")
        || startsWith(bytes, std::string_view("\0\0\xFE\xFF", 4))
        || startsWith(bytes, std::string_view("<\0", 2))
        || startsWith(bytes, std::string_view("\0<", 2)))
        return {XmlByteEncoding::Auto, {}};

    EncodingDecision decision;
    decision.declared = declaredEncoding(bytes);
    const std::string name = lowerAscii(decision.declared);
    if (name.empty() || name == "utf-8" || name == "utf8" || name == "us-ascii" || name == "ascii")
        decision.encoding = XmlByteEncoding::Utf8;
    else if (name == "iso-8859-1" || name == "iso8859-1" || name == "iso_8859-1" || name == "latin1"
             || name == "latin-1" || name == "l1" || name == "cp819")
        decision.encoding = XmlByteEncoding::Latin1;
    else if (name == "windows-1252" || name == "cp1252" || name == "x-cp1252")
        decision.encoding = XmlByteEncoding::Windows1252;
    else if (name == "iso-8859-15" || name == "iso8859-15" || name == "latin-9" || name == "latin9")
        decision.encoding = XmlByteEncoding::Latin9;
    // Anything else, UTF-16 declared over single bytes included, stays refused.
    return decision;
}

std::string singleByteToUtf8(std::string_view bytes, XmlByteEncoding encoding)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
            continue;
        }
        char32_t cp = byte;
        if (encoding == XmlByteEncoding::Windows1252 && byte < 0xA0) {
            cp = kWindows1252High[byte - 0x80];
            if (cp == 0)
                cp = 0xFFFD;
        } else if (encoding == XmlByteEncoding::Latin9) {
            cp = latin9CodePoint(byte);
        }
        appendUtf8(out, cp);
    }
    return out;
}

} // namespace orvex
