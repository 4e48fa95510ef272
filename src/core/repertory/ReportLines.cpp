#include "core/repertory/ReportLines.h"

#include "core/data/StringTable.h"

namespace orvex {
namespace {

constexpr float kHeadingSize = 10.0F;
constexpr float kBodySize = 8.0F;

} // namespace

std::vector<ReportLine> buildReportLines(const ReportInput& input)
{
    std::vector<ReportLine> lines;
    const std::string header = input.chapterLabel + ": " + input.chapterText + std::string(kHeaderDateGap, ' ')
        + input.longDate;
    lines.push_back({header, kHeadingSize, true, false});
    lines.push_back({input.modeTitle, kHeadingSize, true, false});
    lines.push_back({"", kHeadingSize, true, false});
    lines.push_back({"", kHeadingSize, true, false});

    for (std::size_t k = 0; k < kRemedyPositions; ++k) {
        if (input.captions[k].empty())
            continue;
        lines.push_back({input.captions[k], kBodySize, true, true});
        lines.push_back({"", kBodySize, true, true});
        for (const std::string& item : input.lists[k])
            lines.push_back({item, kBodySize, false, false});
        // The document ends right after the third block's items.
        if (k + 1 < kRemedyPositions) {
            lines.push_back({"", kBodySize, false, false});
            lines.push_back({"", kBodySize, false, false});
        }
    }
    return lines;
}

ReportInput reportInput(const StringTable& texts, std::string chapterText, CompareMode mode, std::string longDate,
                        std::array<std::string, kRemedyPositions> captions, ResultLists lists)
{
    ReportInput input;
    input.chapterLabel = texts.text("strChapter");
    input.chapterText = std::move(chapterText);
    input.longDate = std::move(longDate);
    input.modeTitle = texts.text(mode == CompareMode::Different ? "strPrintDifferent" : "strPrintSimilar");
    input.captions = std::move(captions);
    input.lists = std::move(lists);
    return input;
}

} // namespace orvex
