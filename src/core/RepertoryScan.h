#pragma once

#include "ResultBuilder.h"

#include <pugixml.hpp>

#include <array>
#include <string>
#include <string_view>

namespace orvex {

// The repertory query for all three remedy positions in one walk over the
// document. It selects exactly what RepertoryQuery's XPath selects for each
// name (same elements, document order, no duplicates), but visits every node
// once instead of three times and compares names without building strings.
// Positions whose `chosen` flag is false get an empty list.
ResultLists scanRepertory(const pugi::xml_document& repertory, std::string_view code,
                          const std::array<std::string, kRemedyPositions>& remedies, const ChosenPositions& chosen);

} // namespace orvex
