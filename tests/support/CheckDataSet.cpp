#include "support/CheckDataSet.h"

#include "core/data/Chapters.h"
#include "core/data/StringTable.h"

#include <array>

namespace orvex::test {

std::string checkRemedyList()
{
    return "<remedies><remedy>....</remedy><remedy>Bell.</remedy><remedy>Nux-v.</remedy></remedies>";
}

std::string checkStrings(std::string_view extra, std::string_view leaveOut)
{
    // Names of strRubricList2 to strRubricList6.
    const std::array<const char*, 5> chapterNames = {"Skin", "Mouth", "Mind", "Eyes", "Perspiration"};
    constexpr std::string_view kChapterKey = "strRubricList";
    std::string xml = "<strings>\n";
    for (const std::string_view key : kTextKeys) {
        if (key == leaveOut)
            continue;
        const bool chapter = key.substr(0, kChapterKey.size()) == kChapterKey;
        const std::string text = chapter ? chapterNames[static_cast<std::size_t>(key[kChapterKey.size()] - '2')]
                                         : "Text of " + std::string(key);
        xml += "<string><name>" + std::string(key) + "</name>" + text + "</string>\n";
    }
    return xml + std::string(extra) + "</strings>";
}

std::string checkChapter(std::string_view code, std::string_view extra)
{
    return "<category name=\"" + std::string(code) + "\"><rubric>Line " + std::string(code)
        + "<remedy>Bell.</remedy><remedy>Nux-v.</remedy></rubric>" + std::string(extra) + "</category>\n";
}

std::string checkRepertory(std::string_view extra, std::string_view outside, std::string_view leaveOut)
{
    std::string xml = "<list>\n<symptom>\n";
    for (const ChapterEntry& chapter : kChapters) {
        if (chapter.code != leaveOut)
            xml += checkChapter(chapter.code);
    }
    return xml + std::string(extra) + "</symptom>\n" + std::string(outside) + "</list>";
}

} // namespace orvex::test
