#include "core/print/PageLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvex {
namespace {

using Placements = std::vector<LinePlacement>;

Placements layOutLines(double printableHeight, const std::vector<double>& lineHeights)
{
    PageLayout layout(printableHeight);
    Placements placements;
    for (const double height : lineHeights)
        placements.push_back(layout.place(height));
    return placements;
}

TEST(PageLayout, lineEndingExactlyAtBottom_staysOnPage)
{
    EXPECT_EQ(layOutLines(30, {10, 10, 10}), (Placements{{0, 0}, {0, 10}, {0, 20}}));
}

TEST(PageLayout, lineOverBottom_startsNewPageAtTop)
{
    EXPECT_EQ(layOutLines(30, {10, 10, 10.5, 10}), (Placements{{0, 0}, {0, 10}, {1, 0}, {1, 10.5}}));
}

TEST(PageLayout, roundingOfFractionalHeights_doesNotBreakEarly)
{
    // Ten lines of 0.1 add up to slightly more than 1.0 in binary.
    const Placements placements = layOutLines(1.0, std::vector<double>(10, 0.1));
    EXPECT_EQ(placements.back().page, 0U);
}

TEST(PageLayout, lineTallerThanPage_getsOnePageNoEmptyOnes)
{
    EXPECT_EQ(layOutLines(10, {25, 25, 5}), (Placements{{0, 0}, {1, 0}, {2, 0}}));
}

TEST(PageLayout, pageCount_countsPagesBegun)
{
    PageLayout layout(100);
    EXPECT_EQ(layout.pageCount(), 1U);
    for (int i = 0; i < 25; ++i)
        layout.place(9.6);
    // Ten lines of 9.6 fit on a page of 100, the eleventh does not.
    EXPECT_EQ(layout.pageCount(), 3U);
}

} // namespace
} // namespace orvex
