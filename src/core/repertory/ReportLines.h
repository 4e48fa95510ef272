#pragma once

#include "core/repertory/ComparisonSearch.h"

#include <array>
#include <string>
#include <vector>

namespace orvex {

class StringTable;

// One printed line and the font state it is printed in.
struct ReportLine {
    std::string text;
    float size = 10.0F;
    bool bold = false;
    bool italic = false;

    friend bool operator==(const ReportLine&, const ReportLine&) = default;
};

// What the report reads from the window at the moment of printing.
struct ReportInput {
    std::string chapterLabel;   // text of strChapter
    std::string chapterText;    // text of the chapter picker
    std::string longDate;       // today's date, already in the locale's long format
    std::string modeTitle;      // strPrintSimilar or strPrintDifferent
    std::array<std::string, kRemedyPositions> captions;
    ResultLists lists;
};

// Blanks between the chapter name and the date in the header line.
inline constexpr std::size_t kHeaderDateGap = 32;

// The report as a list of lines: header, mode title, two blank lines, then a
// block for every position whose caption is set.
std::vector<ReportLine> buildReportLines(const ReportInput& input);

// The report's input from what is on show: the chapter label and the mode's
// title come from the text table. The window and the command-line tool
// both print through here.
ReportInput reportInput(const StringTable& texts, std::string chapterText, CompareMode mode, std::string longDate,
                        std::array<std::string, kRemedyPositions> captions, ResultLists lists);

} // namespace orvex
