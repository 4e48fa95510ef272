#pragma once

#include "core/window/ScreenLayout.h"

#include <QColor>
#include <QFont>
#include <QRect>

class QWidget;

namespace orvex::gui {

// Window layouts are designed in twips at 15 to a pixel. Qt works in
// device-independent pixels, so on a denser screen the device pixel ratio
// scales the result and the window looks the same.
constexpr int twips(int value)
{
    constexpr int half = kTwipsPerPixel / 2;
    return value >= 0 ? (value + half) / kTwipsPerPixel : -((-value + half) / kTwipsPerPixel);
}
QRect twipsRect(int left, int top, int width, int height);
void placeInTwips(QWidget* widget, int left, int top, int width, int height);

// The classic desktop colours the windows were designed with, by index.
enum class SystemColour { Menu = 4, CaptionText = 9, InactiveBorder = 11 };
QColor systemColour(SystemColour colour);

inline const QColor kDifferentColour{255, 0, 0};
inline const QColor kSimilarColour{0, 0, 255};

// "MS Sans Serif" 8.25 points, with look-alikes where it is not installed.
QFont designFont(bool bold = false);

void setBackground(QWidget* widget, const QColor& colour);
void setTextColour(QWidget* widget, const QColor& colour);

} // namespace orvex::gui
