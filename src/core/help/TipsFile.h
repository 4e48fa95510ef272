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

// What a tip window can reach and show, and all that is ever read or kept of
// the tips file, so that a file of gigabytes opens as fast as a small one:
// the first kTipsReadLimit bytes of the file, of those the first kMostTips
// tips, and of each tip its first kTipBytesKept bytes. The window shows at
// most 16 Ki characters (at most 64 KiB of UTF-8); the one byte more tells it
// that the tip goes on.
inline constexpr std::size_t kTipsReadLimit = std::size_t{16} << 20;
inline constexpr std::size_t kMostTips = 65536;
inline constexpr std::size_t kTipBytesKept = 65536 + 1;

// The tips of a tips file, in file order, from text given in pieces. A
// carriage return, or a carriage return followed by a line feed, ends a tip
// and is not part of it; a line feed on its own stays in the tip. A last line
// without a terminator is still a tip; a blank line is an empty tip. Bytes
// are kept as they are, within the bounds above.
class TipSplitter {
public:
    void feed(std::string_view piece);
    // Whether the tips a window can reach are all there.
    bool full() const { return tips_.size() >= kMostTips; }
    std::vector<std::string> finish();

private:
    std::vector<std::string> tips_;
    std::string tip_;
    bool inTip_ = false;  // bytes since the last terminator
    bool afterCr_ = false; // a line feed next belongs to that terminator
};

std::vector<std::string> splitTips(std::string_view text);

// "help.txt" in `programDirectory`; empty when the directory is unknown, so
// that an unknown directory never reads "/help.txt" from the file-system root.
std::filesystem::path tipsFilePath(const std::filesystem::path& programDirectory);

// The tips of the file at `path`, or nothing when the path is empty, names no
// regular file, or the file cannot be read. An empty file gives no tips.
std::optional<std::vector<std::string>> readTipsFile(const std::filesystem::path& path);

} // namespace orvex
