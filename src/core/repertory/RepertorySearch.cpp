#include "core/repertory/RepertorySearch.h"

#include "core/repertory/RepertoryWalk.h"
#include "core/repertory/SearchMatches.h"

namespace orvex {
namespace {

class Search : public RepertoryWalk<Search, InternedLine> {
public:
    static constexpr bool kFullStructure = false;

    Search(std::string_view code, const std::array<std::string, kRemedyPositions>& remedies,
           const ChosenPositions& chosen, LinePool& lines)
        : code_(code), matches_(remedies, chosen), lines_(lines)
    {
    }

    bool run(const std::string& fileName, std::string& error) { return walkFile(fileName, error); }
    LineIdLists lists() const { return matches_.lists(); }

    // The walk's hooks.
    bool rootStarts(bool isList) const { return matches_.anyChosen() && isList; }

    // Only the chosen chapter's categories count.
    bool categoryStarts(int attributeCount, const xmlChar** attributes) const
    {
        std::string_view name;
        return walk::nameAttribute(attributeCount, attributes, name) != nullptr && name == code_;
    }
    void categoryEnds() {}

    std::size_t remedyStarts() { return matches_.remedyStarts(); }

    void remedyEnds(const Frame& remedy, Frame& parent, std::string_view name)
    {
        matches_.remedyEnds(remedy.slot, name, parent.state, parent.line, lines_);
    }

private:
    std::string_view code_;
    SearchMatches matches_;
    LinePool& lines_;
};

} // namespace

RepertoryMatches searchRepertoryFile(const std::string& fileName, std::string_view code,
                                     const std::array<std::string, kRemedyPositions>& remedies,
                                     const ChosenPositions& chosen)
{
    RepertoryMatches result;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        auto lines = std::make_shared<LinePool>();
        Search search(code, remedies, chosen, *lines);
        result.error.clear();
        result.loaded = search.run(fileName, result.error);
        result.lines = lines;
        if (result.loaded)
            result.lists = search.lists();
        if (!search.changedWhileRead())
            break;
    }
    return result;
}

} // namespace orvex
