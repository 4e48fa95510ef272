#pragma once

#include <QIcon>
#include <QPixmap>

namespace orvex::gui {

// All of the program's pictures are painted here, so the program ships no
// image files. Pixmaps are made at size x devicePixelRatio physical pixels
// and carry that ratio, so they stay sharp on high-density screens.

// A stethoscope, drawn separately at 16, 32, 48, 64 and 128 pixels.
QIcon applicationIcon();

// 58 x 54: a clipboard under a magnifying glass, on a transparent ground.
QPixmap searchButtonPicture(qreal devicePixelRatio = 1.0);

// 51 x 39: a desktop printer, on a transparent ground.
QPixmap printButtonPicture(qreal devicePixelRatio = 1.0);

// 430 x 280: a stethoscope with the program's name, slogan and web address.
QPixmap splashLogo(qreal devicePixelRatio = 1.0);

} // namespace orvex::gui
