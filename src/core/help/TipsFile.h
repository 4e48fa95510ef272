#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

inline constexpr const char* kTipsFileName = "help.txt";

// Shown in the tip area when the tips file cannot be read. Both trailing
// blanks are part of the text.
inline constexpr const char* kTipsNotFoundText =
    "The Help file was not found? \r\n\r\nPlease contact kavrel for more information. ";

// The tips of a tips file, in file order. A carriage return, or a carriage
// return followed by a line feed, ends a tip and is not part of it; a line
// feed on its own stays in the tip. A last line without a terminator is still
// a tip; a blank line is an empty tip. Bytes are kept as they are.
std::vector<std::string> splitTips(std::string_view text);

// "help.txt" in `programDirectory`; empty when the directory is unknown, so
// that an unknown directory never reads "/help.txt" from the file-system root.
std::filesystem::path tipsFilePath(const std::filesystem::path& programDirectory);

// The tips of the file at `path`, or nothing when the path is empty, names no
// regular file, or the file cannot be read. An empty file gives no tips.
std::optional<std::vector<std::string>> readTipsFile(const std::filesystem::path& path);

} // namespace orvex
