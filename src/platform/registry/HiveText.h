#pragma once

#include "platform/registry/HiveDocument.h"

#include <optional>
#include <string>
#include <string_view>

// The hive's text: the format of a registry export, in UTF-8.
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\Tarnwell\OCS]
//   "count"="1"
//   @="unnamed value"
//   "size"=dword:0000002a
//   "note"=hex(1):6c,69,6e,65,0a,00
//
// A REG_SZ text is written in quotes, with \\ and \" for backslash and quote,
// when it is valid UTF-8 without control characters other than tab and ends
// in its one NUL; any other REG_SZ, a text with a line break for one, is
// written as hex(1) with its bytes exactly. dword: holds a 4-byte REG_DWORD,
// hex: a REG_BINARY, hex(N): the bytes of any other type N.
namespace orvex::platform {

inline constexpr std::string_view kHiveHeader = "Windows Registry Editor Version 5.00";

// Nullopt when the text does not start with the header line: then it is not
// a hive and must not be rewritten; nullopt too for a text of 4 GiB or more.
// An empty text is an empty hive. Lines that do not parse become
// HiveLine::Kind::Unreadable and are kept. The document keeps the text.
std::optional<HiveDocument> parseHive(std::string text);

// A value line as read, continuation lines and all: its value, or nullopt
// when it is none. parseValueName reads the name only.
std::optional<HiveValue> parseValueLines(std::string_view lines);
std::optional<std::string> parseValueName(std::string_view lines);

// Lines read from the file come back byte for byte; new or changed ones are
// written in the form above.
std::string writeHive(const HiveDocument& document);

// The value's line or lines as writeHive writes them, without the final newline.
std::string formatValue(const HiveValue& value);

} // namespace orvex::platform
