#pragma once

#include "Chapters.h"
#include "MessageSink.h"
#include "ResultBuilder.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvex {

class CurrentDocument;

inline constexpr const char* kRepertoryFileName = "garepertory.xml";

enum class CompareMode { Similar, Different };

// What the search reads from the window.
struct SearchRequest {
    std::string chapterText;                                 // text of the chapter picker
    ChapterPickerEntries chapterEntries;                     // its five list entries
    std::array<std::string, kRemedyPositions> remedyTexts;  // texts of the three remedy pickers
    CompareMode mode = CompareMode::Different;
};

// What the search puts back into the window.
struct SearchResult {
    std::string chapterCaption;                           // the chapter label
    std::string chapterCode;                              // empty when the chapter text is no entry
    std::array<std::string, kRemedyPositions> captions;  // empty where no remedy is chosen
    ResultLists lists;
    std::vector<std::string> workList;                    // the shared lines, similar mode only
    std::uint64_t matchCount = 0;                         // lines found before the reduction
    bool printOffered = false;
};

// Loads the repertory afresh, queries every chosen remedy in the chosen
// chapter and reduces the lists for the mode. A failed load has already been
// reported through `messages`; the result is then empty but for the captions.
class ComparisonSearch {
public:
    SearchResult run(const SearchRequest& request, CurrentDocument& document, MessageSink& messages,
                     const std::string& repertoryFile = kRepertoryFileName);

    // The same steps without loading: on a document already in memory.
    SearchResult runOnDocument(const SearchRequest& request, const CurrentDocument& document);
};

bool isRemedyChosen(const std::string& pickerText);

} // namespace orvex
