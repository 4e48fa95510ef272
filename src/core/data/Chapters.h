#pragma once

#include <array>
#include <string>
#include <string_view>

namespace orvex {

class StringTable;

// One entry of the chapter picker: the text key of its name and the code
// under which the repertory files that chapter.
struct ChapterEntry {
    std::string_view textKey;
    std::string_view code;
};

// Picker order. The repertory is searched by position in this list, so the
// order is part of the contract between the strings document and the data.
inline constexpr std::array<ChapterEntry, 5> kChapters = {{
    {"strRubricList4", "mi"},
    {"strRubricList3", "m"},
    {"strRubricList5", "o"},
    {"strRubricList6", "p"},
    {"strRubricList2", "s"},
}};

using ChapterPickerEntries = std::array<std::string, kChapters.size()>;

ChapterPickerEntries chapterPickerEntries(const StringTable& texts);

// The code of the first entry equal to `pickerText`, or empty when the user
// typed something that is none of them.
std::string_view chapterCode(std::string_view pickerText, const ChapterPickerEntries& entries);

} // namespace orvex
