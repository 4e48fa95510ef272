#pragma once

#include "core/data/Chapters.h"
#include "core/repertory/IndexedRepertory.h"
#include "core/repertory/LinePool.h"
#include "core/MessageSink.h"
#include "core/repertory/ResultBuilder.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
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

// What the search puts back into the window. Lines are numbers into `lines`,
// where each distinct text is kept once.
struct SearchResult {
    std::string chapterCaption;                           // the chapter label
    std::string chapterCode;                              // empty when the chapter text is no entry
    std::array<std::string, kRemedyPositions> captions;  // empty where no remedy is chosen
    std::shared_ptr<const LinePool> lines = std::make_shared<LinePool>();
    LineIdLists lists;
    std::vector<LineId> workList;                         // the shared lines, similar mode only
    std::uint64_t matchCount = 0;                         // lines found before the reduction
    bool printOffered = false;

    // The lists as texts, for callers that want copies.
    ResultLists textLists() const;
};

// Reads the repertory afresh, finds every chosen remedy in the chosen
// chapter and reduces the lists for the mode. A failed load has been
// reported through `messages`; the result is then empty but for the captions.
class ComparisonSearch {
public:
    // How the repertory is read: in one streaming pass for each search (a
    // single search, as the command-line tool runs it), or once, keeping its
    // index for the searches that follow while the file stays the same (the
    // window, where one comparison follows another).
    enum class Reading { EverySearch, KeepIndex };

    explicit ComparisonSearch(Reading reading = Reading::EverySearch);

    // The repertory streams past: `document` is emptied and holds no tree of
    // it afterwards, since nothing reads the shared document after a search.
    SearchResult run(const SearchRequest& request, CurrentDocument& document, MessageSink& messages,
                     const std::string& repertoryFile = kRepertoryFileName);

private:
    std::optional<IndexedRepertory> indexed_;
};

bool isRemedyChosen(const std::string& pickerText);

} // namespace orvex
