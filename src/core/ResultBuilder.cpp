#include "ResultBuilder.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace orvex {
namespace {

// The occurrences of each line in one list, handed out first to last: the
// "first equal entry still there" of a list whose removals always take the
// first remaining occurrence.
class OccurrenceQueue {
public:
    explicit OccurrenceQueue(const std::vector<std::string>& list)
    {
        for (std::size_t i = 0; i < list.size(); ++i)
            queues_[list[i]].positions.push_back(i);
    }

    // Takes the first remaining occurrence of `line`; npos when none is left.
    std::size_t take(std::string_view line)
    {
        const auto found = queues_.find(line);
        if (found == queues_.end() || found->second.next == found->second.positions.size())
            return npos;
        return found->second.positions[found->second.next++];
    }

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    struct Queue {
        std::vector<std::size_t> positions;
        std::size_t next = 0;
    };
    std::unordered_map<std::string_view, Queue> queues_;
};

void eraseMarked(std::vector<std::string>& list, const std::vector<bool>& removed)
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

void DisplayDifferentSymptoms(ResultLists& lists)
{
    auto& [first, second, third] = lists;
    std::vector<bool> removed1(first.size()), removed2(second.size()), removed3(third.size());
    {
        OccurrenceQueue in2(second);
        OccurrenceQueue in3(third);
        for (std::size_t i = 0; i < first.size(); ++i) {
            const std::size_t partner2 = in2.take(first[i]);
            const std::size_t partner3 = in3.take(first[i]);
            if (partner2 != OccurrenceQueue::npos)
                removed2[partner2] = true;
            if (partner3 != OccurrenceQueue::npos)
                removed3[partner3] = true;
            removed1[i] = partner2 != OccurrenceQueue::npos || partner3 != OccurrenceQueue::npos;
        }
        for (std::size_t i = 0; i < second.size(); ++i) {
            if (removed2[i])
                continue;
            const std::size_t partner3 = in3.take(second[i]);
            if (partner3 != OccurrenceQueue::npos) {
                removed3[partner3] = true;
                removed2[i] = true;
            }
        }
    }
    eraseMarked(first, removed1);
    eraseMarked(second, removed2);
    eraseMarked(third, removed3);
}

std::vector<std::string> DisplaySimilarSymptoms(ResultLists& lists, const ChosenPositions& chosen)
{
    const auto& [first, second, third] = lists;
    std::vector<std::string> shared;
    {
        const std::unordered_set<std::string_view> in2(second.begin(), second.end());
        const std::unordered_set<std::string_view> in3(third.begin(), third.end());
        for (const std::string& line : first) {
            if (in2.count(line) != 0)
                shared.push_back(line);
            if (in3.count(line) != 0)
                shared.push_back(line);
        }
        for (const std::string& line : second) {
            if (in3.count(line) != 0)
                shared.push_back(line);
        }
    }

    if (chosen[0] && chosen[1] && chosen[2]) {
        // A line stays only where the same line follows it directly; after
        // the last one stands the empty text.
        std::vector<std::string> reduced;
        for (std::size_t i = 0; i < shared.size(); ++i) {
            const std::string_view next = i + 1 < shared.size() ? std::string_view(shared[i + 1]) : std::string_view();
            if (shared[i] == next)
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
