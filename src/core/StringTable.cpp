#include "StringTable.h"

#include "xml/CurrentDocument.h"
#include "xml/XmlText.h"

namespace orvex {

const std::string& StringTable::text(std::string_view key) const
{
    static const std::string empty;
    const auto found = texts_.find(key);
    return found == texts_.end() ? empty : found->second;
}

void StringTable::set(std::string_view key, std::string text)
{
    texts_.insert_or_assign(std::string(key), std::move(text));
}

bool StringTable::contains(std::string_view key) const
{
    return texts_.find(key) != texts_.end();
}

std::string LookupText(const pugi::xml_document& document, std::string_view key)
{
    pugi::xpath_variable_set variables;
    variables.set("key", std::string(key).c_str());
    static const char* const query = "//string[name=$key]";
    const pugi::xpath_query compiled(query, &variables);
    const pugi::xml_node entry = compiled.evaluate_node(document).node();
    if (!entry)
        return {};
    const pugi::xml_node second = entry.first_child().next_sibling();
    if (!second)
        return {};
    return std::string(trimXmlSpace(nodeText(second)));
}

StringTable LoadTextTable(const CurrentDocument& current)
{
    StringTable table;
    for (const std::string_view key : kTextKeys)
        table.set(key, LookupText(current.document(), key));
    return table;
}

} // namespace orvex
