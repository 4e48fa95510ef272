#pragma once

#include "core/AsciiText.h"
#include "core/repertory/LinePool.h"
#include "core/repertory/ResultBuilder.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

// A rubric's line, interned once a remedy needed it: remedies of one rubric
// share it.
using InternedLine = std::optional<LineId>;

// The remedy elements of one chapter that the three positions look for, in
// document order, with the line of each: what the search of one request
// keeps while the walk goes by. A walk's visitor reports each remedy element
// of the chapter where it starts (its place in document order) and where it
// ends (its name, now known).
class SearchMatches {
public:
    SearchMatches(const std::array<std::string, kRemedyPositions>& remedies, const ChosenPositions& chosen)
        : remedies_(remedies), chosen_(chosen)
    {
    }

    bool anyChosen() const { return chosen_[0] || chosen_[1] || chosen_[2]; }

    // A slot in document order, taken back at the end if no position has it.
    std::size_t remedyStarts()
    {
        matches_.emplace_back();
        return matches_.size() - 1;
    }

    // `line` is the rubric's line untrimmed: trimmed once, when first needed.
    void remedyEnds(std::size_t slot, std::string_view name, InternedLine& rubricLine, std::string_view line,
                    LinePool& pool)
    {
        Match& match = matches_[slot];
        for (std::size_t k = 0; k < kRemedyPositions; ++k) {
            if (chosen_[k] && name == remedies_[k])
                match.positions |= static_cast<std::uint8_t>(1U << k);
        }
        if (match.positions != 0) {
            if (!rubricLine)
                rubricLine = pool.intern(trimmed(line));
            match.line = *rubricLine;
        } else if (slot + 1 == matches_.size()) {
            matches_.pop_back();
        }
    }

    // The lines found so far, interned in another pool instead.
    void moveLines(const LinePool& from, LinePool& to)
    {
        for (Match& match : matches_) {
            if (match.positions != 0)
                match.line = to.intern(from.text(match.line));
        }
    }

    LineIdLists lists() const
    {
        LineIdLists lists;
        for (const Match& match : matches_) {
            for (std::size_t k = 0; k < kRemedyPositions; ++k) {
                if ((match.positions & (1U << k)) != 0)
                    lists[k].push_back(match.line);
            }
        }
        return lists;
    }

private:
    struct Match {
        std::uint8_t positions = 0; // bit k: remedy k+1 has this element
        LineId line = kEmptyLine;
    };

    const std::array<std::string, kRemedyPositions>& remedies_;
    ChosenPositions chosen_;
    std::vector<Match> matches_;
};

} // namespace orvex
