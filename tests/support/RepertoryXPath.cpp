#include "support/RepertoryXPath.h"
#include "core/AsciiText.h"

namespace orvex::test {
namespace {

std::vector<std::string> linesOf(const CurrentDocument& repertory, const std::vector<xmlNodePtr>& found)
{
    std::vector<std::string> lines;
    lines.reserve(found.size());
    for (const xmlNode* remedy : found)
        lines.emplace_back(trimmed(repertory.text(remedy->parent->children)));
    return lines;
}

} // namespace

std::string literalRepertoryQuery(std::string_view code, std::string_view remedy)
{
    std::string query = "/list//symptom//";
    query += "category[@name='";
    query += code;
    query += "']";
    query += "//remedy[. = '";
    query += remedy;
    query += "']";
    return query;
}

ResultLists queriedLists(const CurrentDocument& repertory, std::string_view code,
                         const std::array<std::string, kRemedyPositions>& remedies, const ChosenPositions& chosen,
                         std::string& disagreement)
{
    ResultLists lists;
    for (std::size_t k = 0; k < kRemedyPositions; ++k) {
        if (!chosen[k])
            continue;
        lists[k] = linesOf(repertory, repertory.select("/list//symptom//category[@name = $code]//remedy[. = $remedy]",
                                                       {{"code", std::string(code)}, {"remedy", remedies[k]}}));
        if (remedies[k].find('\'') == std::string::npos && code.find('\'') == std::string::npos) {
            if (linesOf(repertory, repertory.select(literalRepertoryQuery(code, remedies[k]).c_str())) != lists[k])
                disagreement += "literal and variable forms differ for " + remedies[k] + "\n";
        }
    }
    return lists;
}

} // namespace orvex::test
