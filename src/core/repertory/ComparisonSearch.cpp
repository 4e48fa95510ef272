#include "core/repertory/ComparisonSearch.h"

#include "core/data/RemedyList.h"
#include "core/repertory/RepertorySearch.h"
#include "core/xml/CurrentDocument.h"

namespace orvex {

bool isRemedyChosen(const std::string& pickerText)
{
    return pickerText != kNoRemedy;
}

ResultLists SearchResult::textLists() const
{
    ResultLists texts;
    for (std::size_t k = 0; k < kRemedyPositions; ++k) {
        for (const LineId line : lists[k])
            texts[k].emplace_back(lines->text(line));
    }
    return texts;
}

ComparisonSearch::ComparisonSearch(Reading reading)
{
    if (reading == Reading::KeepIndex)
        indexed_.emplace();
}

SearchResult ComparisonSearch::run(const SearchRequest& request, CurrentDocument& document, MessageSink& messages,
                                   const std::string& repertoryFile)
{
    SearchResult result;
    result.chapterCaption = request.chapterText;
    result.chapterCode = std::string(chapterCode(request.chapterText, request.chapterEntries));

    ChosenPositions chosen{};
    for (std::size_t k = 0; k < kRemedyPositions; ++k) {
        chosen[k] = isRemedyChosen(request.remedyTexts[k]);
        if (chosen[k])
            result.captions[k] = request.remedyTexts[k];
    }

    // Read afresh, or from an index of the very same file, so a repertory
    // changed on disk shows at once. The repertory replaces the shared
    // document as a load would, but it is searched while it streams past:
    // nothing reads the document after a search, so it is left empty rather
    // than holding a tree of the repertory.
    document.clear();
    RepertoryMatches found = indexed_
        ? indexed_->search(repertoryFile, result.chapterCode, request.remedyTexts, chosen)
        : searchRepertoryFile(repertoryFile, result.chapterCode, request.remedyTexts, chosen);
    if (!found.loaded) {
        messages.loadFailed(repertoryFile, found.error);
        return result;
    }
    result.lines = found.lines;
    result.lists = std::move(found.lists);
    for (const auto& list : result.lists)
        result.matchCount += list.size();

    if (request.mode == CompareMode::Similar)
        result.workList = DisplaySimilarSymptoms(result.lists, chosen);
    else
        DisplayDifferentSymptoms(result.lists);

    // Counted before the reduction: a similar search that shares nothing
    // still offers to print its (empty) comparison.
    result.printOffered = result.matchCount != 0;
    return result;
}

} // namespace orvex
