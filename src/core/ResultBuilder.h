#pragma once

#include <array>
#include <string>
#include <vector>

namespace orvex {

inline constexpr std::size_t kRemedyPositions = 3;

// The raw or reduced result lists of the three remedy positions, left to right.
using ResultLists = std::array<std::vector<std::string>, kRemedyPositions>;
// Whether a remedy is chosen in each position.
using ChosenPositions = std::array<bool, kRemedyPositions>;

// Different mode: equal lines cancel occurrence by occurrence. Each line of
// list 1, in order, cancels the first equal line still in list 2 and in list 3
// and goes itself if it cancelled any; then each remaining line of list 2
// cancels the first equal line still in list 3 and goes with it.
// Linear in the total number of lines.
void DisplayDifferentSymptoms(ResultLists& lists);

// Similar mode: collects the shared lines (the hidden work list) and gives the
// same lines to every chosen position; the others end empty. Returns the work
// list. Linear in the total number of lines.
std::vector<std::string> DisplaySimilarSymptoms(ResultLists& lists, const ChosenPositions& chosen);

} // namespace orvex
