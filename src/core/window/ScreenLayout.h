#pragma once

#include <array>
#include <string_view>

namespace orvex {

// One row of the main window's layout for a known screen width, in twips.
// Option positions are relative to the search frame, the rest to the panel
// that holds the controls, the window's to the screen.
struct ScreenLayoutRow {
    std::string_view screenWidth;
    int windowWidth, windowHeight;
    int frameWidth, frameHeight;
    int searchLeft, printLeft;
    int similarLeft, similarTop, differentLeft, differentTop;
    int captionTop, listTop, listWidth;
    std::array<int, 3> listLeft;
    int listHeightMargin;
};

inline constexpr int kButtonTop = 240;
inline constexpr int kChapterRightOffset = 1300; // lblChapter's Left = window width minus this
inline constexpr int kTwipsPerPixel = 15;

// The row for a screen width written as decimal text, compared as text;
// any width not in the table gets the row of "1024".
const ScreenLayoutRow& screenLayoutRow(std::string_view screenWidth);

} // namespace orvex
