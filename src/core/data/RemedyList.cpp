#include "core/data/RemedyList.h"

#include "core/xml/CurrentDocument.h"

namespace orvex {

std::vector<std::string> RemedyNames::toStrings() const
{
    std::vector<std::string> names;
    names.reserve(size());
    for (std::size_t i = 0; i < size(); ++i)
        names.emplace_back((*this)[i]);
    return names;
}

RemedyNames remedyPickerEntries(const CurrentDocument& current)
{
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    // "//remedy", said as the one step it means: libxml2 takes "//" as a
    // step of its own and loses the elements of documents nested some
    // thousands of levels deep.
    for (const xmlNode* node : current.select("/descendant::remedy")) {
        if (node->type == XML_ELEMENT_NODE)
            ranges.push_back(current.texts().rangeOf(node));
    }
    return {current.texts().buffer(), std::move(ranges)};
}

} // namespace orvex
