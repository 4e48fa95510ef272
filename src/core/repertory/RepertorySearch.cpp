#include "core/repertory/RepertorySearch.h"
#include "core/AsciiText.h"

#include "core/repertory/RepertoryWalk.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orvex {
namespace {

struct Match {
    std::uint8_t positions = 0; // bit k: remedy k+1 has this element
    LineId line = kEmptyLine;
};

// A rubric's line, interned once a remedy of the search needed it: remedies
// of one rubric share it.
using InternedLine = std::optional<LineId>;

class Search : public RepertoryWalk<Search, InternedLine> {
public:
    static constexpr bool kFullStructure = false;

    Search(std::string_view code, const std::array<std::string, kRemedyPositions>& remedies,
           const ChosenPositions& chosen, LinePool& lines)
        : code_(code), remedies_(remedies), chosen_(chosen), lines_(lines)
    {
        anyChosen_ = chosen[0] || chosen[1] || chosen[2];
    }

    bool run(const std::string& fileName, std::string& error) { return walkFile(fileName, error); }

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

    // The walk's hooks.
    bool rootStarts(bool isList) const { return anyChosen_ && isList; }

    // Only the chosen chapter's categories count.
    bool categoryStarts(int attributeCount, const xmlChar** attributes) const
    {
        std::string_view name;
        return walk::nameAttribute(attributeCount, attributes, name) != nullptr && name == code_;
    }
    void categoryEnds() {}

    // A slot in document order, taken back at the end if no position has it.
    std::size_t remedyStarts()
    {
        matches_.emplace_back();
        return matches_.size() - 1;
    }

    void remedyEnds(const Frame& remedy, Frame& parent, std::string_view name)
    {
        Match& match = matches_[remedy.slot];
        for (std::size_t k = 0; k < kRemedyPositions; ++k) {
            if (chosen_[k] && name == remedies_[k])
                match.positions |= static_cast<std::uint8_t>(1U << k);
        }
        if (match.positions != 0) {
            if (!parent.state)
                parent.state = lines_.intern(trimmed(parent.line));
            match.line = *parent.state;
        } else if (remedy.slot + 1 == matches_.size()) {
            matches_.pop_back();
        }
    }

private:
    std::string_view code_;
    const std::array<std::string, kRemedyPositions>& remedies_;
    ChosenPositions chosen_;
    LinePool& lines_;
    bool anyChosen_ = false;
    std::vector<Match> matches_;
};

} // namespace

RepertoryMatches searchRepertoryFile(const std::string& fileName, std::string_view code,
                                     const std::array<std::string, kRemedyPositions>& remedies,
                                     const ChosenPositions& chosen)
{
    RepertoryMatches result;
    Search search(code, remedies, chosen, *result.lines);
    result.loaded = search.run(fileName, result.error);
    if (result.loaded)
        result.lists = search.lists();
    return result;
}

} // namespace orvex
