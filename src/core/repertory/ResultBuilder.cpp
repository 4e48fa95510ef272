#include "core/repertory/ResultBuilder.h"

#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>

namespace orvex {
namespace {

// Texts are looked up by view, so the maps copy no line.
template <typename Line>
using Key = std::conditional_t<std::is_same_v<Line, std::string>, std::string_view, Line>;

constexpr std::size_t npos = static_cast<std::size_t>(-1);

bool isEmptyLine(const std::string& line) { return line.empty(); }
bool isEmptyLine(LineId line) { return line == kEmptyLine; }

// The occurrences of each line in one list, handed out first to last: the
// "first equal entry still there" of a list whose removals always take the
// first remaining occurrence.
template <typename Line>
class OccurrenceQueue {
public:
    explicit OccurrenceQueue(const std::vector<Line>& list)
    {
        for (std::size_t i = 0; i < list.size(); ++i)
            queues_[list[i]].positions.push_back(i);
    }

    // Takes the first remaining occurrence of `line`; npos when none is left.
    std::size_t take(const Line& line)
    {
        const auto found = queues_.find(line);
        if (found == queues_.end() || found->second.next == found->second.positions.size())
            return npos;
        return found->second.positions[found->second.next++];
    }

private:
    struct Queue {
        std::vector<std::size_t> positions;
        std::size_t next = 0;
    };
    std::unordered_map<Key<Line>, Queue> queues_;
};

template <typename Line>
void eraseMarked(std::vector<Line>& list, const std::vector<bool>& removed)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!removed[i]) {
            if (kept != i)
                list[kept] = std::move(list[i]);
            ++kept;
        }
    }
    list.resize(kept);
}

} // namespace

template <typename Line>
void DisplayDifferentSymptoms(ListsOf<Line>& lists)
{
    auto& [first, second, third] = lists;
    std::vector<bool> removed1(first.size()), removed2(second.size()), removed3(third.size());
    {
        OccurrenceQueue<Line> in2(second);
        OccurrenceQueue<Line> in3(third);
        for (std::size_t i = 0; i < first.size(); ++i) {
            const std::size_t partner2 = in2.take(first[i]);
            const std::size_t partner3 = in3.take(first[i]);
            if (partner2 != npos)
                removed2[partner2] = true;
            if (partner3 != npos)
                removed3[partner3] = true;
            removed1[i] = partner2 != npos || partner3 != npos;
        }
        for (std::size_t i = 0; i < second.size(); ++i) {
            if (removed2[i])
                continue;
            const std::size_t partner3 = in3.take(second[i]);
            if (partner3 != npos) {
                removed3[partner3] = true;
                removed2[i] = true;
            }
        }
    }
    eraseMarked(first, removed1);
    eraseMarked(second, removed2);
    eraseMarked(third, removed3);
}

template <typename Line>
std::vector<Line> DisplaySimilarSymptoms(ListsOf<Line>& lists, const ChosenPositions& chosen)
{
    const auto& [first, second, third] = lists;
    std::vector<Line> shared;
    {
        const std::unordered_set<Key<Line>> in2(second.begin(), second.end());
        const std::unordered_set<Key<Line>> in3(third.begin(), third.end());
        for (const Line& line : first) {
            if (in2.count(line) != 0)
                shared.push_back(line);
            if (in3.count(line) != 0)
                shared.push_back(line);
        }
        for (const Line& line : second) {
            if (in3.count(line) != 0)
                shared.push_back(line);
        }
    }

    if (chosen[0] && chosen[1] && chosen[2]) {
        // A line stays only where the same line follows it directly; after
        // the last one stands the empty text.
        std::vector<Line> reduced;
        for (std::size_t i = 0; i < shared.size(); ++i) {
            if (i + 1 < shared.size() ? shared[i] == shared[i + 1] : isEmptyLine(shared[i]))
                reduced.push_back(shared[i]);
        }
        shared = std::move(reduced);
    }

    for (std::size_t k = 0; k < kRemedyPositions; ++k) {
        if (chosen[k])
            lists[k] = shared;
        else
            lists[k].clear();
    }
    return shared;
}

} // namespace orvex

namespace orvex {
template void DisplayDifferentSymptoms<std::string>(ResultLists&);
template void DisplayDifferentSymptoms<LineId>(LineIdLists&);
template std::vector<std::string> DisplaySimilarSymptoms<std::string>(ResultLists&, const ChosenPositions&);
template std::vector<LineId> DisplaySimilarSymptoms<LineId>(LineIdLists&, const ChosenPositions&);
} // namespace orvex
