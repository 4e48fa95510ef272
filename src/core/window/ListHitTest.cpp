#include "window/ListHitTest.h"

#include <algorithm>

namespace orvex {

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
