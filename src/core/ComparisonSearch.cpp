#include "ComparisonSearch.h"

#include "RemedyList.h"
#include "RepertoryScan.h"
#include "xml/CurrentDocument.h"

namespace orvex {

bool isRemedyChosen(const std::string& pickerText)
{
    return pickerText != kNoRemedy;
}

SearchResult ComparisonSearch::run(const SearchRequest& request, CurrentDocument& document, MessageSink& messages,
                                   const std::string& repertoryFile)
{
    // Read afresh every time, so a repertory changed on disk shows at once.
    LoadXmlDocument(document, repertoryFile, messages, XmlTextNodes::Compact);
    return runOnDocument(request, document);
}

SearchResult ComparisonSearch::runOnDocument(const SearchRequest& request, const CurrentDocument& document)
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
    // One walk answers the three per-remedy queries at once.
    result.lists = scanRepertory(document.document(), result.chapterCode, request.remedyTexts, chosen);
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
