#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvex {

// How the raw bytes of an XML file are to be read.
enum class XmlByteEncoding {
    Auto,        // a BOM or UTF-16/32 byte pattern: let the parser decide
    Utf8,        // UTF-8 or plain ASCII
    Latin1,      // ISO-8859-1, converted to UTF-8 before parsing
    Windows1252, // converted to UTF-8 before parsing
    Latin9,      // ISO-8859-15, converted to UTF-8 before parsing
};

struct EncodingDecision {
    std::optional<XmlByteEncoding> encoding; // empty: the file cannot be read
    std::string declared;                    // the name in the XML declaration, if any
};

// Looks at the BOM, the byte pattern and the XML declaration. A declared
// encoding we do not know is refused rather than read as garbage.
EncodingDecision detectXmlEncoding(std::string_view bytes);

// Converts a single-byte encoded text to UTF-8. Bytes that the encoding leaves
// undefined (five in windows-1252) become U+FFFD.
std::string singleByteToUtf8(std::string_view bytes, XmlByteEncoding encoding);

} // namespace orvex
