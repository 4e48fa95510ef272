#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace orvex {

// The number of the tip after `current` among `count` tips, 1-based, going
// round from the last to the first. Never 0, even when there are no tips.
std::size_t nextTipNumber(std::size_t current, std::size_t count);

// The tips of one tip window and the one on show. Every window has its own,
// reads the file afresh and starts at the first tip. Counts are not limited
// to 16 bits: every tip within the file's bounds (TipsFile.h) is reachable.
class TipCycle {
public:
    TipCycle() = default;

    // Reads the tips file and makes the first tip current. False, with no
    // tips, when the file is missing or unreadable; an empty file is true.
    bool load(const std::filesystem::path& tipsFile);

    void next() { current_ = nextTipNumber(current_, tips_.size()); }

    std::size_t count() const { return tips_.size(); }
    // 1-based; 0 before anything was loaded.
    std::size_t current() const { return current_; }
    // The tip on show, or nullptr when there are no tips: the tip area is then
    // left as it is.
    const std::string* currentTip() const;

private:
    std::vector<std::string> tips_;
    std::size_t current_ = 0;
};

} // namespace orvex
