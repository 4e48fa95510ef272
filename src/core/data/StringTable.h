#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

namespace orvex {

class CurrentDocument;

// The strings document with the user-interface texts, opened by bare name
// from the current directory.
inline constexpr const char* kStringsFileName = "list.xml";

// Every user-interface text key, in the order the table is filled.
inline constexpr std::array<std::string_view, 27> kTextKeys = {
    "strRubricList2", "strRubricList3", "strRubricList4", "strRubricList5", "strRubricList6",
    "strRemedy1", "strRemedy2", "strRemedy3", "strSelect", "appTitle",
    "strRemedy", "strTooltipReadBtn", "strTooltipPrintBtn", "strFile", "strStartSearch",
    "strInfo", "strAbout", "strHelp", "strNext", "strClose",
    "strSimilar", "strDifferent", "strPrintSimilar", "strPrintDifferent", "strChapter",
    "strSearch", "strPrint",
};

// The user-interface texts by key, read once at start and read-only after.
class StringTable {
public:
    // The text of `key`; empty when the strings document lacked it.
    const std::string& text(std::string_view key) const;

    void set(std::string_view key, std::string text);

private:
    std::map<std::string, std::string, std::less<>> texts_;
};

// The text of the first `string` entry whose `name` is `key`
// ("//string[name=$key]"): the whole text of its second child node, without
// surrounding white space. Empty when the entry is missing or has no second
// child.
std::string LookupText(const CurrentDocument& current, std::string_view key);

// Looks up every key of kTextKeys in the document.
StringTable LoadTextTable(const CurrentDocument& current);

} // namespace orvex
