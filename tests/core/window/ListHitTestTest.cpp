#include "core/window/ListHitTest.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

// 100 x 60 pixels, items 15 high: four rows show.
constexpr ListGeometry kThreeItems{100, 60, 15, 0, 3};

struct HitCase {
    const char* name;
    ListGeometry list;
    bool buttonHeld;
    int x, y;
    TooltipDecision expected;
};

void PrintTo(const HitCase& c, std::ostream* os) { *os << c.name; }

class Tooltip : public ::testing::TestWithParam<HitCase> {};

TEST_P(Tooltip, showsTheItemUnderThePointer)
{
    const TooltipDecision d = tooltipForMouseMove(GetParam().buttonHeld, GetParam().x, GetParam().y, GetParam().list);
    EXPECT_EQ(d.change, GetParam().expected.change);
    EXPECT_EQ(d.item, GetParam().expected.item);
}

INSTANTIATE_TEST_SUITE_P(ResultList, Tooltip,
    ::testing::Values(
        HitCase{"firstItem", kThreeItems, false, 5, 0, {TooltipChange::ShowItem, 0}},
        HitCase{"lastPixelOfFirstItem", kThreeItems, false, 5, 14, {TooltipChange::ShowItem, 0}},
        HitCase{"secondItem", kThreeItems, false, 5, 15, {TooltipChange::ShowItem, 1}},
        HitCase{"belowTheLastItemShowsTheLast", kThreeItems, false, 5, 59, {TooltipChange::ShowItem, 2}},
        HitCase{"scrolledListCountsFromTheTopItem", {100, 60, 15, 40, 50}, false, 5, 20, {TooltipChange::ShowItem, 41}},
        HitCase{"beyondSixtyFiveThousandLinesNoWrap", {100, 60, 15, 70000, 70010}, false, 5, 0, {TooltipChange::ShowItem, 70000}},
        HitCase{"emptyListShowsNothing", {100, 60, 15, 0, 0}, false, 5, 5, {TooltipChange::Clear, -1}},
        HitCase{"leftOfTheClientArea", kThreeItems, false, -1, 5, {TooltipChange::Clear, -1}},
        HitCase{"rightEdgeIsOutside", kThreeItems, false, 100, 5, {TooltipChange::Clear, -1}},
        HitCase{"bottomEdgeIsOutside", kThreeItems, false, 5, 60, {TooltipChange::Clear, -1}},
        HitCase{"aboveTheClientArea", kThreeItems, false, 5, -3, {TooltipChange::Clear, -1}},
        HitCase{"buttonHeldKeepsTheTooltip", kThreeItems, true, 5, 15, {TooltipChange::Keep, -1}},
        HitCase{"buttonHeldOutsideKeepsToo", kThreeItems, true, -5, -5, {TooltipChange::Keep, -1}}));

} // namespace
} // namespace orvex
