#include "support/LiteralResultBuilder.h"

namespace orvex::test {
namespace {

using List = std::vector<std::string>;

// Index of the first entry equal to `s`, or -1.
long findFirst(const List& list, const std::string& s)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == s)
            return static_cast<long>(i);
    }
    return -1;
}

void removeAt(List& list, long index)
{
    list.erase(list.begin() + index);
}

} // namespace

void literalDisplayDifferentSymptoms(ResultLists& lists)
{
    List& l1 = lists[0];
    List& l2 = lists[1];
    List& l3 = lists[2];

    // Phase A: list 1 against lists 2 and 3.
    std::size_t i = 0;
    while (i < l1.size()) {
        const std::string s = l1[i];
        if (const long j = findFirst(l2, s); j >= 0) {
            removeAt(l2, j);
            if (const long m = findFirst(l3, s); m >= 0)
                removeAt(l3, m);
            removeAt(l1, static_cast<long>(i));
            i = 0;
        } else if (const long m = findFirst(l3, s); m >= 0) {
            removeAt(l3, m);
            removeAt(l1, static_cast<long>(i));
            i = 0;
        } else {
            ++i;
        }
    }

    // Phase B: list 2 against list 3.
    i = 0;
    while (i < l2.size()) {
        const std::string s = l2[i];
        if (const long m = findFirst(l3, s); m >= 0) {
            removeAt(l3, m);
            removeAt(l2, static_cast<long>(i));
            i = 0;
        } else {
            ++i;
        }
    }
}

std::vector<std::string> literalDisplaySimilarSymptoms(ResultLists& lists, const ChosenPositions& chosen)
{
    List temp;
    for (const std::string& s : lists[0]) {
        if (findFirst(lists[1], s) >= 0)
            temp.push_back(s);
        if (findFirst(lists[2], s) >= 0)
            temp.push_back(s);
    }
    for (const std::string& s : lists[1]) {
        if (findFirst(lists[2], s) >= 0)
            temp.push_back(s);
    }
    if (chosen[0] && chosen[1] && chosen[2]) {
        std::size_t position = 0;
        while (position < temp.size()) {
            const std::string next = position + 1 < temp.size() ? temp[position + 1] : std::string();
            if (temp[position] != next)
                removeAt(temp, static_cast<long>(position));
            else
                ++position;
        }
    }
    for (List& list : lists)
        list.clear();
    for (const std::string& s : temp) {
        for (std::size_t k = 0; k < kRemedyPositions; ++k) {
            if (chosen[k])
                lists[k].push_back(s);
        }
    }
    return temp;
}

} // namespace orvex::test
