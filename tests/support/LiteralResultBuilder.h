#pragma once

#include "core/repertory/ResultBuilder.h"

namespace orvex::test {

// Step-by-step transcriptions of the two reductions as the window first did
// them on its list boxes: restart after every removal, scan partners from the
// top. Quadratic and slow on purpose; the reference the fast ones must equal.
void literalDisplayDifferentSymptoms(ResultLists& lists);
std::vector<std::string> literalDisplaySimilarSymptoms(ResultLists& lists, const ChosenPositions& chosen);

} // namespace orvex::test
