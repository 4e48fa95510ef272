// Any bytes as one data file: loaded like remedy.xml, list.xml and
// garepertory.xml, then read by every query the program runs on them. The
// one-walk repertory scan, on the compact document the search loads and on
// the separate one, must select exactly what the XPath query selects.
#include "MessageSink.h"
#include "RemedyList.h"
#include "RepertoryQuery.h"
#include "RepertoryScan.h"
#include "StringTable.h"
#include "xml/CurrentDocument.h"

#include "FuzzSupport.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool trimmed(std::string_view text)
{
    return text.empty() || (!isXmlSpace(text.front()) && !isXmlSpace(text.back()));
}

void addOnce(std::vector<std::string>& list, std::string value, std::size_t limit)
{
    if (list.size() < limit && std::find(list.begin(), list.end(), value) == list.end())
        list.push_back(std::move(value));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    orvex::fuzz::writeScratchFile(inputPath(), std::string_view(reinterpret_cast<const char*>(data), size));
    orvex::CurrentDocument current;
    orvex::SilentMessageSink sink;
    const int status = orvex::LoadXmlDocument(current, inputPath(), sink);
    orvex::CurrentDocument compact;
    const int compactStatus = orvex::LoadXmlDocument(compact, inputPath(), sink, orvex::XmlTextNodes::Compact);
    // Gone before any check can abort, so that no crash leaves it behind.
    std::remove(inputPath().c_str());
    const pugi::xml_document& document = current.document();
    if (status != 0 && document.first_child())
        fail("a failed load left a document behind");
    if (compactStatus != status)
        fail("the compact load and the separate one disagree on success");

    // Names and codes the document itself holds, so that the scan has
    // something to find; plus ones that match nothing or empty elements.
    const std::vector<std::string> entries = orvex::remedyPickerEntries(document);
    std::vector<std::string> names;
    for (const std::string& entry : entries)
        addOnce(names, entry, 3);
    addOnce(names, "", 4);
    addOnce(names, "Bell.", 5);
    std::vector<std::string> codes;
    for (const pugi::xpath_node& found : document.select_nodes("//category/@name"))
        addOnce(codes, found.attribute().value(), 3);
    addOnce(codes, "", 4);
    addOnce(codes, "mi", 5);

    orvex::RepertoryQuery query;
    for (const std::string& code : codes) {
        for (std::size_t first = 0; first < names.size(); first += orvex::kRemedyPositions) {
            std::array<std::string, orvex::kRemedyPositions> remedies;
            orvex::ChosenPositions chosen{};
            for (std::size_t k = 0; k < orvex::kRemedyPositions && first + k < names.size(); ++k) {
                remedies[k] = names[first + k];
                chosen[k] = true;
            }
            const orvex::ResultLists scanned = orvex::scanRepertory(document, code, remedies, chosen);
            if (orvex::scanRepertory(compact.document(), code, remedies, chosen) != scanned)
                fail("the scan selected other lines in the compact document");
            for (std::size_t k = 0; k < orvex::kRemedyPositions; ++k) {
                if (!chosen[k]) {
                    if (!scanned[k].empty())
                        fail("the scan filled a position that was not chosen");
                    continue;
                }
                if (scanned[k] != query.lines(document, code, remedies[k]))
                    fail("scan and XPath query selected different lines");
                for (const std::string& line : scanned[k])
                    if (!trimmed(line))
                        fail("a result line keeps white space at an end");
            }
        }
    }

    const orvex::StringTable table = orvex::LoadTextTable(current);
    for (const std::string_view key : orvex::kTextKeys) {
        if (!table.contains(key))
            fail("the text table lacks a key");
        if (table.text(key) != orvex::LookupText(document, key))
            fail("the text table and LookupText disagree");
        if (!trimmed(table.text(key)))
            fail("a text keeps white space at an end");
    }
    for (const pugi::xpath_node& found : document.select_nodes("//string/name")) {
        if (!trimmed(orvex::LookupText(document, found.node().text().get())))
            fail("a text keeps white space at an end");
        break;
    }
    return 0;
}
