#pragma once

#include "core/repertory/ResultBuilder.h"
#include "core/xml/CurrentDocument.h"

#include <string>
#include <string_view>

namespace orvex::test {

// The yardstick of the streaming search: libxml2's own XPath evaluation of
// the repertory query on the document tree, one query per position, and the
// text of the first child node of each found element's parent, trimmed.
// The variable form always; the literal form too where the name holds no
// single quote: where the two differ, `disagreement` says so.
ResultLists queriedLists(const CurrentDocument& repertory, std::string_view code,
                         const std::array<std::string, kRemedyPositions>& remedies, const ChosenPositions& chosen,
                         std::string& disagreement);

// The query with code and name written into it literally, as the window
// first built it: no escaping, so a name with a single quote cannot be said.
std::string literalRepertoryQuery(std::string_view code, std::string_view remedy);

} // namespace orvex::test
