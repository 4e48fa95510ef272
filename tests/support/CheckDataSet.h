#pragma once

#include <string>
#include <string_view>

namespace orvex::test {

// A small data set that the data check finds clean: "...." first and two
// remedies, every text key, and both remedies listed once in each of the
// five chapters of one symptom. Tests change one thing to make one finding.

// The remedy list: "....", "Bell.", "Nux-v.".
std::string checkRemedyList();

// The strings document, one entry a line from line 2 on, without the key
// `leaveOut`; `extra` is added on the lines after them (from line 29).
std::string checkStrings(std::string_view extra = {}, std::string_view leaveOut = {});

// A chapter's category holding one rubric "Line CODE" with both remedies,
// then `extra`, on one line.
std::string checkChapter(std::string_view code, std::string_view extra = {});

// The repertory: the five chapters (less `leaveOut`) on lines 3 to 7, then
// `extra` inside the symptom from line 8, then `outside` after it.
std::string checkRepertory(std::string_view extra = {}, std::string_view outside = {}, std::string_view leaveOut = {});

} // namespace orvex::test
