#include "DemoReport.h"

#include "core/data/Chapters.h"
#include "core/repertory/ComparisonSearch.h"
#include "core/data/StringTable.h"
#include "core/xml/CurrentDocument.h"

#include <filesystem>
#include <stdexcept>

namespace orvex::tools {
namespace {

std::string demoFile(const char* name)
{
    return (std::filesystem::path(ORVEX_DEMO_DATA_DIR) / name).string();
}

class ThrowingSink final : public MessageSink {
public:
    void loadFailed(const std::string& fileName, const std::string& reason) override
    {
        throw std::runtime_error("Load Failed: " + fileName + ": " + reason);
    }
};

} // namespace

std::vector<ReportLine> demoReport(const std::string& longDate)
{
    ThrowingSink messages;
    CurrentDocument document;
    LoadXmlDocument(document, demoFile("list.xml"), messages);
    const StringTable texts = LoadTextTable(document);

    SearchRequest request;
    request.chapterEntries = chapterPickerEntries(texts);
    request.chapterText = request.chapterEntries[0];
    request.remedyTexts = {"Bell.", "Nux-v.", "Puls."};
    request.mode = CompareMode::Different;
    ComparisonSearch search;
    const SearchResult result = search.run(request, document, messages, demoFile("garepertory.xml"));

    return buildReportLines(
        reportInput(texts, request.chapterText, request.mode, longDate, result.captions, result.textLists()));
}

} // namespace orvex::tools
