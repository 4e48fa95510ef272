#pragma once

#include <string>
#include <vector>

// What orvex-compare takes from the system it runs on, always as UTF-8, and
// how it hands its output back. Only Windows needs more than the standard
// library for it.
namespace orvex::cli {

// The arguments after the program name. On Windows they come from the wide
// command line: the narrow argv holds them in the ANSI code page, where a
// remedy name such as "Ärz." would no longer match.
std::vector<std::string> programArguments(int argc, char* argv[]);

// Standard output and error pass bytes as they are, so that the output is
// the same on every system (Windows would otherwise write "\n" as "\r\n").
void useBinaryOutput();

} // namespace orvex::cli
