#pragma once

#include <string>
#include <string_view>

// Text rules of files and protocols that are ASCII by definition (encoding
// names, registry names, file extensions, XML white space): never the C
// library's locale-dependent ones, which change with the user's settings.
namespace orvex {

constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string asciiLowered(std::string text)
{
    for (char& c : text)
        c = asciiLower(c);
    return text;
}

inline std::string asciiUppered(std::string text)
{
    for (char& c : text)
        c = asciiUpper(c);
    return text;
}

// Space, tab, carriage return and line feed: XML's white space, and what a
// line of the other text files here may be padded with.
inline constexpr std::string_view kAsciiSpace = " \t\r\n";

// `text` without the characters of `set` at either end.
constexpr std::string_view trimmed(std::string_view text, std::string_view set = kAsciiSpace)
{
    const std::size_t first = text.find_first_not_of(set);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(set) - first + 1);
}

} // namespace orvex
