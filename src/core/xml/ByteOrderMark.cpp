#include "core/xml/ByteOrderMark.h"
#include "core/AsciiText.h"

#include <array>
#include <cctype>

namespace orvex {
namespace {

enum class Mark { None, Utf8, Utf16LittleEndian, Utf16BigEndian };

Mark markOf(std::string_view head)
{
    const auto starts = [head](std::string_view bytes) { return head.substr(0, bytes.size()) == bytes; };
    if (starts("\xEF\xBB\xBF"))
        return Mark::Utf8;
    if (starts("\xFF\xFE"))
        return Mark::Utf16LittleEndian;
    if (starts("\xFE\xFF"))
        return Mark::Utf16BigEndian;
    return Mark::None;
}

// The declaration's ASCII characters, whatever the mark's code unit width.
std::string declarationText(std::string_view head, Mark mark)
{
    std::string text;
    if (mark == Mark::Utf8) {
        text = head.substr(3);
    } else {
        const std::size_t low = mark == Mark::Utf16LittleEndian ? 0 : 1;
        for (std::size_t at = 2; at + 1 < head.size(); at += 2) {
            if (head[at + 1 - low] != '\0')
                break; // past the ASCII a declaration is written in
            text += head[at + low];
        }
    }
    const std::size_t end = text.find("?>");
    if (text.rfind("<?xml", 0) != 0 || end == std::string::npos)
        return {};
    return text.substr(0, end);
}

// The value of `encoding="..."` in a declaration, or empty.
std::string declaredEncoding(const std::string& declaration)
{
    std::size_t at = declaration.find("encoding");
    if (at == std::string::npos)
        return {};
    at += 8;
    while (at < declaration.size() && (declaration[at] == ' ' || declaration[at] == '=' || declaration[at] == '\t'
                                       || declaration[at] == '\r' || declaration[at] == '\n'))
        ++at;
    if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\''))
        return {};
    const std::size_t close = declaration.find(declaration[at], at + 1);
    if (close == std::string::npos)
        return {};
    return asciiUppered(declaration.substr(at + 1, close - at - 1));
}

bool fitsMark(const std::string& encoding, Mark mark)
{
    if (mark == Mark::Utf8)
        return encoding == "UTF-8" || encoding == "UTF8";
    static constexpr std::array<std::string_view, 5> kWide = {"UTF-16", "UTF16", "UCS-2", "ISO-10646-UCS-2", "UNICODE"};
    for (std::string_view name : kWide) {
        if (encoding.rfind(name, 0) == 0)
            return true;
    }
    return false;
}

} // namespace

std::string byteOrderMarkConflict(std::string_view head)
{
    const Mark mark = markOf(head);
    if (mark == Mark::None)
        return {};
    const std::string encoding = declaredEncoding(declarationText(head, mark));
    if (encoding.empty() || fitsMark(encoding, mark))
        return {};
    return std::string("it starts with a ") + (mark == Mark::Utf8 ? "UTF-8" : "UTF-16")
        + " byte order mark but declares the encoding " + encoding;
}

} // namespace orvex
