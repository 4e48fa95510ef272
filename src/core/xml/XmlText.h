#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace orvex {

// The text of a node as the data files mean it: a text, CDATA, comment or
// processing-instruction node gives its own characters; an element gives all
// text and CDATA within it, concatenated in document order, whether the text
// is kept in nodes or in the elements' own values (XmlTextNodes::Compact).
std::string nodeText(pugi::xml_node node);

// Removes XML white space (space, tab, CR, LF) at both ends.
std::string_view trimXmlSpace(std::string_view text);

} // namespace orvex
