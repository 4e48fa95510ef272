#pragma once

namespace orvex {

// What the hit test needs to know of a result list, in pixels.
struct ListGeometry {
    int clientWidth = 0;
    int clientHeight = 0;
    int itemHeight = 1;
    int topIndex = 0; // the first item shown
    int count = 0;
};

enum class TooltipChange { Keep, Clear, ShowItem };

struct TooltipDecision {
    TooltipChange change = TooltipChange::Keep;
    int item = -1; // with ShowItem
};

// A mouse move over a result list: while a button is held the tooltip stays;
// otherwise it shows the item under the pointer, or nothing when the point
// is outside the client area (although an item is still nearest there).
TooltipDecision tooltipForMouseMove(bool anyButtonHeld, int x, int y, const ListGeometry& list);

} // namespace orvex
