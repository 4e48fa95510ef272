// Any bytes as one data file: loaded like remedy.xml, list.xml and
// garepertory.xml, then read by every query the program runs on them. The
// streaming repertory search must agree with the tree loader on whether the
// file is well-formed, and select exactly what libxml2's own XPath selects.
#include "core/MessageSink.h"
#include "core/AsciiText.h"
#include "core/data/RemedyList.h"
#include "core/repertory/RepertorySearch.h"
#include "support/RepertoryXPath.h"
#include "core/data/StringTable.h"
#include "core/xml/CurrentDocument.h"
#include "core/xml/XmlText.h"

#include "FuzzSupport.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

using orvex::fuzz::fail;

const std::string& inputPath()
{
    static const std::string path = orvex::fuzz::scratchFilePath("document.xml");
    return path;
}

bool isTrimmed(std::string_view text) { return orvex::trimmed(text).size() == text.size(); }

void addOnce(std::vector<std::string>& list, std::string value, std::size_t limit)
{
    if (list.size() < limit && std::find(list.begin(), list.end(), value) == list.end())
        list.push_back(std::move(value));
}

orvex::ResultLists texts(const orvex::RepertoryMatches& found)
{
    orvex::ResultLists lists;
    for (std::size_t k = 0; k < orvex::kRemedyPositions; ++k) {
        for (const orvex::LineId line : found.lists[k])
            lists[k].emplace_back(found.lines->text(line));
    }
    return lists;
}

// Names and codes the document itself holds, so that the search has
// something to find; plus ones that match nothing or empty elements.
std::vector<std::string> candidateNames(const orvex::CurrentDocument& current)
{
    const orvex::RemedyNames entries = orvex::remedyPickerEntries(current);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < entries.size(); ++i)
        addOnce(names, std::string(entries[i]), 3);
    addOnce(names, "", 4);
    addOnce(names, "Bell.", 5);
    addOnce(names, "O'Hara \"x\"", 6);
    return names;
}

std::vector<std::string> candidateCodes(const orvex::CurrentDocument& current)
{
    std::vector<std::string> codes;
    for (const xmlNode* category : current.select("/descendant::category")) {
        xmlChar* name = xmlGetNoNsProp(category, reinterpret_cast<const xmlChar*>("name"));
        if (name != nullptr)
            addOnce(codes, reinterpret_cast<const char*>(name), 3);
        xmlFree(name);
    }
    addOnce(codes, "", 4);
    addOnce(codes, "mi", 5);
    return codes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    orvex::fuzz::writeScratchFile(inputPath(), std::string_view(reinterpret_cast<const char*>(data), size));
    orvex::CurrentDocument current;
    orvex::SilentMessageSink sink;
    const int status = orvex::LoadXmlDocument(current, inputPath(), sink);
    const std::vector<std::string> names = status == 0 ? candidateNames(current) : std::vector<std::string>{"a"};
    const std::vector<std::string> codes = status == 0 ? candidateCodes(current) : std::vector<std::string>{"mi"};

    // The first broken invariant of the search, reported once the scratch
    // file is gone so that no crash leaves it behind.
    const char* broken = nullptr;
    const auto check = [&broken](bool holds, const char* what) {
        if (!holds && broken == nullptr)
            broken = what;
    };
    for (const std::string& code : codes) {
        for (std::size_t first = 0; first < names.size(); first += orvex::kRemedyPositions) {
            std::array<std::string, orvex::kRemedyPositions> remedies;
            orvex::ChosenPositions chosen{};
            for (std::size_t k = 0; k < orvex::kRemedyPositions && first + k < names.size(); ++k) {
                remedies[k] = names[first + k];
                chosen[k] = true;
            }
            const orvex::RepertoryMatches streamed = orvex::searchRepertoryFile(inputPath(), code, remedies, chosen);
            check(streamed.loaded == (status == 0), "the streaming search and the tree loader disagree on well-formedness");
            if (!streamed.loaded) {
                check(std::all_of(streamed.lists.begin(), streamed.lists.end(), [](const auto& l) { return l.empty(); }),
                      "a failed search returned lines");
                continue;
            }
            std::string disagreement;
            check(texts(streamed) == orvex::test::queriedLists(current, code, remedies, chosen, disagreement),
                  "the streaming search and the XPath query selected different lines");
            check(disagreement.empty(), "the literal and variable XPath forms disagree");
            for (const auto& list : streamed.lists) {
                for (const orvex::LineId line : list)
                    check(isTrimmed(streamed.lines->text(line)), "a result line keeps white space at an end");
            }
        }
    }
    std::remove(inputPath().c_str());
    if (broken != nullptr)
        fail(broken);
    if (status != 0) {
        if (!current.empty())
            fail("a failed load left a document behind");
        return 0;
    }

    const orvex::StringTable table = orvex::LoadTextTable(current);
    for (const std::string_view key : orvex::kTextKeys) {
        if (table.text(key) != orvex::LookupText(current, key))
            fail("the text table and LookupText disagree");
        if (!isTrimmed(table.text(key)))
            fail("a text keeps white space at an end");
    }
    return 0;
}
