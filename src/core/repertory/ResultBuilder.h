#pragma once

#include "core/repertory/LinePool.h"

#include <array>
#include <string>
#include <vector>

namespace orvex {

inline constexpr std::size_t kRemedyPositions = 3;

// The raw or reduced result lists of the three remedy positions, left to
// right. The search works on line numbers (LineId); lines of text are the
// same reduction for callers that hold texts.
template <typename Line>
using ListsOf = std::array<std::vector<Line>, kRemedyPositions>;
using ResultLists = ListsOf<std::string>;
using LineIdLists = ListsOf<LineId>;
// Whether a remedy is chosen in each position.
using ChosenPositions = std::array<bool, kRemedyPositions>;

// Different mode: equal lines cancel occurrence by occurrence. Each line of
// list 1, in order, cancels the first equal line still in list 2 and in list 3
// and goes itself if it cancelled any; then each remaining line of list 2
// cancels the first equal line still in list 3 and goes with it.
// Linear in the total number of lines.
template <typename Line>
void DisplayDifferentSymptoms(ListsOf<Line>& lists);

// Similar mode: collects the shared lines (the hidden work list) and gives the
// same lines to every chosen position; the others end empty. Returns the work
// list. Linear in the total number of lines.
template <typename Line>
std::vector<Line> DisplaySimilarSymptoms(ListsOf<Line>& lists, const ChosenPositions& chosen);

extern template void DisplayDifferentSymptoms<std::string>(ResultLists&);
extern template void DisplayDifferentSymptoms<LineId>(LineIdLists&);
extern template std::vector<std::string> DisplaySimilarSymptoms<std::string>(ResultLists&, const ChosenPositions&);
extern template std::vector<LineId> DisplaySimilarSymptoms<LineId>(LineIdLists&, const ChosenPositions&);

} // namespace orvex
