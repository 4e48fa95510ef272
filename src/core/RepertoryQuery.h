#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace orvex {

// The query for one remedy within one chapter. Code and name travel as XPath
// variables, so a name with quotes in it is matched exactly like any other.
// The search itself runs scanRepertory, which selects the same in one walk
// for all three remedies; this form is the yardstick it is tested against.
class RepertoryQuery {
public:
    RepertoryQuery();

    // The result lines of `remedy` in chapter `code`, in document order.
    std::vector<std::string> lines(const pugi::xml_document& repertory, std::string_view code,
                                   std::string_view remedy);

private:
    pugi::xpath_variable_set variables_;
    pugi::xpath_query query_;
};

// The result line of one `remedy` element: the text of the first child node
// of its parent, without surrounding white space.
std::string resultLine(pugi::xml_node remedyElement);

// The query with code and name written into it literally. It cannot express a
// name holding a single quote; kept to show that the variable form selects the
// same elements.
std::string literalRepertoryQuery(std::string_view code, std::string_view remedy);

} // namespace orvex
