#include "core/data/StringTable.h"
#include "core/AsciiText.h"

#include "core/xml/CurrentDocument.h"
#include "core/xml/XmlText.h"

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

namespace {

// The entry "//string[name=$key]" selects: the first `string` element in
// document order with a `name` child whose text is the key. Selected with
// "/descendant::string" (the same as "//string", which libxml2 loses in
// very deep documents) and tested on the document's texts, each worked out once:
// evaluated as one query, every `name` would be rebuilt from the text below
// it, which on nested entries grows with the square of the file.
const xmlNode* findEntry(const CurrentDocument& current, std::string_view key)
{
    for (const xmlNode* entry : current.select("/descendant::string")) {
        for (const xmlNode* child = entry->children; child != nullptr; child = child->next) {
            if (child->type == XML_ELEMENT_NODE && child->ns == nullptr
                && std::string_view(reinterpret_cast<const char*>(child->name)) == "name"
                && current.text(child) == key)
                return entry;
        }
    }
    return nullptr;
}

} // namespace

std::string LookupText(const CurrentDocument& current, std::string_view key)
{
    const xmlNode* entry = findEntry(current, key);
    if (entry == nullptr || entry->children == nullptr)
        return {};
    return std::string(trimmed(current.text(entry->children->next)));
}

StringTable LoadTextTable(const CurrentDocument& current)
{
    StringTable table;
    for (const std::string_view key : kTextKeys)
        table.set(key, LookupText(current, key));
    return table;
}

} // namespace orvex
