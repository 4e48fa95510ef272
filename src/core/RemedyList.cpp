#include "RemedyList.h"

#include "xml/XmlText.h"


namespace orvex {

std::vector<std::string> remedyPickerEntries(const pugi::xml_document& document)
{
    std::vector<std::string> names;
    for (const pugi::xpath_node& found : document.select_nodes("//remedy")) {
        const pugi::xml_node node = found.node();
        if (!node || node.type() == pugi::node_pcdata)
            continue;
        names.push_back(nodeText(node));
    }
    return names;
}

} // namespace orvex
