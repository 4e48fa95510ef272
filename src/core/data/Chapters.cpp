#include "core/data/Chapters.h"

#include "core/data/StringTable.h"

namespace orvex {

ChapterPickerEntries chapterPickerEntries(const StringTable& texts)
{
    ChapterPickerEntries entries;
    for (std::size_t i = 0; i < kChapters.size(); ++i)
        entries[i] = texts.text(kChapters[i].textKey);
    return entries;
}

std::string_view chapterCode(std::string_view pickerText, const ChapterPickerEntries& entries)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == pickerText)
            return kChapters[i].code;
    }
    return {};
}

} // namespace orvex
