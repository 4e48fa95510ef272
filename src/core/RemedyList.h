#pragma once

#include <pugixml.hpp>

#include <string>
#include <vector>

namespace orvex {

// The remedy list, opened by bare name from the current directory.
inline constexpr const char* kRemedyListFileName = "remedy.xml";

// The text a remedy picker shows when no remedy is chosen in its position.
inline constexpr const char* kNoRemedy = "....";

// The remedy picker entries of a remedy list document: the full text of every
// `remedy` element at any depth, in document order. Nothing is sorted,
// trimmed or dropped, so duplicates and empty names stay.
std::vector<std::string> remedyPickerEntries(const pugi::xml_document& document);

} // namespace orvex
