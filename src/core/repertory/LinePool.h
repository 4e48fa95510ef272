#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace orvex {

// A result line by number: equal texts get the same number, so a rubric's
// line is kept once however many remedy elements and lists refer to it, and
// lines compare as numbers.
using LineId = std::uint32_t;

// Every pool holds the empty text, under this number.
inline constexpr LineId kEmptyLine = 0;

class LinePool {
public:
    LinePool() { intern({}); }

    LineId intern(std::string_view text);
    std::string_view text(LineId id) const { return texts_[id]; }
    std::size_t size() const { return texts_.size(); }
    // About what the pool takes of memory, for callers that keep it long.
    std::size_t bytes() const { return textBytes_ + texts_.size() * kBytesPerLine; }

private:
    // A stored string, its hash node and bucket, beyond the text.
    static constexpr std::size_t kBytesPerLine = 96;

    std::size_t textBytes_ = 0;
    std::deque<std::string> texts_; // a deque: the index's views stay valid as it grows
    std::unordered_map<std::string_view, LineId> index_;
};

} // namespace orvex
