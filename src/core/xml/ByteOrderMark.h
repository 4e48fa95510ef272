#pragma once

#include <string>
#include <string_view>

namespace orvex {

// libxml2 trusts a byte order mark over the encoding the XML declaration
// names, so a file marked UTF-8 but declared ISO-8859-1 would load as UTF-8.
// XML calls that a fatal error; this finds it from the file's first bytes.
// Returns why the two disagree, or an empty string when they do not (no
// mark, no declaration, or a declaration that fits the mark).
std::string byteOrderMarkConflict(std::string_view head);

} // namespace orvex
