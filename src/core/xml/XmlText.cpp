#include "xml/XmlText.h"

namespace orvex {

std::string nodeText(pugi::xml_node node)
{
    switch (node.type()) {
    case pugi::node_pcdata:
    case pugi::node_cdata:
    case pugi::node_comment:
    case pugi::node_pi:
        return node.value();
    case pugi::node_element:
    case pugi::node_document:
        break;
    default:
        return {};
    }

    // Iterative walk: repertories may nest deeper than the stack allows.
    // An element's own value is text it opens with (compact documents), so
    // it comes before its children.
    std::string text = node.type() == pugi::node_element ? node.value() : "";
    pugi::xml_node current = node.first_child();
    while (current && current != node) {
        const pugi::xml_node_type type = current.type();
        if (type == pugi::node_pcdata || type == pugi::node_cdata || type == pugi::node_element)
            text += current.value();
        if (current.first_child()) {
            current = current.first_child();
            continue;
        }
        while (current != node && !current.next_sibling())
            current = current.parent();
        if (current != node)
            current = current.next_sibling();
    }
    return text;
}

std::string_view trimXmlSpace(std::string_view text)
{
    constexpr std::string_view space = " \t\r\n";
    const auto first = text.find_first_not_of(space);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(space);
    return text.substr(first, last - first + 1);
}

} // namespace orvex
