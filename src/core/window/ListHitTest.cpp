#include "core/window/ListHitTest.h"

#include <algorithm>

namespace orvex {

namespace {

// The answer of the list to "which item is at this point": the nearest
// item (below the last item, the last one; -1 in an empty list) and whether
// the point lies outside the client area. Kept as two fields rather than one
// packed word, so lists of more than 65,535 lines cannot wrap around.
struct ListHit {
    int nearestItem = -1;
    bool outsideClientArea = true;
};

ListHit itemFromPoint(const ListGeometry& list, int x, int y)
{
    ListHit hit;
    hit.outsideClientArea = x < 0 || y < 0 || x >= list.clientWidth || y >= list.clientHeight;
    if (list.count <= 0)
        return hit;
    const int height = std::max(list.itemHeight, 1);
    const int row = std::clamp(y, 0, std::max(list.clientHeight - 1, 0)) / height;
    hit.nearestItem = std::clamp(list.topIndex + row, 0, list.count - 1);
    return hit;
}

} // namespace

TooltipDecision tooltipForMouseMove(bool anyButtonHeld, int x, int y, const ListGeometry& list)
{
    if (anyButtonHeld)
        return {};
    const ListHit hit = itemFromPoint(list, x, y);
    if (!hit.outsideClientArea && hit.nearestItem >= 0 && hit.nearestItem < list.count)
        return {TooltipChange::ShowItem, hit.nearestItem};
    return {TooltipChange::Clear, -1};
}

} // namespace orvex
