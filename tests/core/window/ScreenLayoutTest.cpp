#include "core/window/ScreenLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

namespace orvex {
namespace {

constexpr std::array<std::string_view, 6> kKnownWidths = {"640", "800", "1024", "1152", "1280", "1600"};

TEST(ScreenLayout, knownWidthsSelectTheirRowAsText)
{
    for (const std::string_view width : kKnownWidths)
        EXPECT_EQ(screenLayoutRow(width).screenWidth, width);
    EXPECT_EQ(screenLayoutRow("640").windowWidth, 9600);
    EXPECT_EQ(screenLayoutRow("640").frameHeight, 1815);
    EXPECT_EQ(screenLayoutRow("640").differentTop, 1240);
}

TEST(ScreenLayout, otherWidthsTakeThe1024Row)
{
    for (const char* width : {"1920", "1366", "", "0640", "1024 ", "-1", "99999999999999999999"}) {
        const ScreenLayoutRow& row = screenLayoutRow(width);
        EXPECT_EQ(row.screenWidth, "1024") << width;
        EXPECT_EQ(row.windowWidth, 15360) << width;
        EXPECT_EQ(row.windowHeight, 11520) << width;
    }
}

TEST(ScreenLayout, windowIsTheScreenSizeInTwips)
{
    for (const std::string_view width : kKnownWidths) {
        const ScreenLayoutRow& row = screenLayoutRow(width);
        EXPECT_EQ(row.windowWidth, std::stoi(std::string(row.screenWidth)) * kTwipsPerPixel) << row.screenWidth;
    }
}

TEST(ScreenLayout, chapterCaptionEndsUpRightOfTheThirdList)
{
    for (const std::string_view width : kKnownWidths) {
        const ScreenLayoutRow& row = screenLayoutRow(width);
        const int chapterLeft = row.windowWidth - kChapterRightOffset;
        EXPECT_GT(chapterLeft, row.listLeft[2] + row.listWidth) << row.screenWidth;
    }
    EXPECT_EQ(screenLayoutRow("800").windowWidth - kChapterRightOffset - (7320 + 3375), 5);
}

TEST(ScreenLayout, listsSitSideBySideWithoutOverlap)
{
    for (const std::string_view width : kKnownWidths) {
        const ScreenLayoutRow& row = screenLayoutRow(width);
        EXPECT_LT(row.listLeft[0] + row.listWidth, row.listLeft[1]) << row.screenWidth;
        EXPECT_LT(row.listLeft[1] + row.listWidth, row.listLeft[2]) << row.screenWidth;
        EXPECT_EQ(row.captionTop + 240, row.listTop) << row.screenWidth;
    }
}

} // namespace
} // namespace orvex
