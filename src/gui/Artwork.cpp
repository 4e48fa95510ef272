#include "gui/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

namespace orvex::gui {

namespace {

// A small flat palette keeps the 256-colour look the icon was designed in.
const QColor kTealDark(0x1d, 0x55, 0x5c);
const QColor kTeal(0x2e, 0x8b, 0x8f);
const QColor kTealLight(0x8f, 0xd0, 0xcb);
const QColor kSlateDark(0x2c, 0x3a, 0x45);
const QColor kSlate(0x5f, 0x73, 0x82);
const QColor kSteel(0xa9, 0xb8, 0xc3);
const QColor kSteelLight(0xe3, 0xea, 0xee);
const QColor kPaper(0xfb, 0xf5, 0xe4);
const QColor kBoard(0xb9, 0x87, 0x52);
const QColor kBoardDark(0x7a, 0x54, 0x30);
const QColor kInk(0x8a, 0x96, 0x9f);
const QColor kDiaphragm(0xdc, 0xf0, 0xed);

QPixmap blankPixmap(int width, int height, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(qRound(width * ratio), qRound(height * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPen roundPen(const QColor& colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// An outline stroke under a narrower fill stroke reads as one outlined tube.
void strokeTube(QPainter& p, const QPainterPath& path, qreal width, qreal edge,
                const QColor& outline, const QColor& fill)
{
    p.strokePath(path, roundPen(outline, width + 2 * edge));
    p.strokePath(path, roundPen(fill, width));
}

// The stethoscope in a 32 x 32 design space. `pixel` is the size of one
// device pixel in design units: lines never get thinner than a pixel allows,
// so the 16 px icon stays legible. `shaded` adds highlights for large art.
void paintStethoscope(QPainter& p, qreal pixel, bool shaded)
{
    const qreal tube = std::max(2.6, 1.7 * pixel);
    const qreal metal = std::max(1.8, 1.3 * pixel);
    const qreal edge = std::max(0.6, 0.55 * pixel);

    QPainterPath hose;
    hose.moveTo(12.5, 13.8);
    hose.cubicTo(12.5, 30.5, 24.5, 31.0, 24.5, 22.0);
    strokeTube(p, hose, tube, edge, kTealDark, kTeal);
    if (shaded)
        p.strokePath(hose.translated(-0.35, -0.3), roundPen(kTealLight, tube * 0.28));

    QPainterPath binaurals;
    binaurals.moveTo(7.2, 4.6);
    binaurals.lineTo(7.5, 8.5);
    binaurals.cubicTo(7.5, 15.5, 17.5, 15.5, 17.5, 8.5);
    binaurals.lineTo(17.8, 4.6);
    strokeTube(p, binaurals, metal, edge, kSlateDark, kSteel);
    if (shaded)
        p.strokePath(binaurals.translated(-0.25, -0.2), roundPen(kSteelLight, metal * 0.3));

    // Yoke where the ear tubes meet the hose, and the soft ear tips.
    p.setPen(QPen(kSlateDark, edge));
    p.setBrush(kSlate);
    p.drawEllipse(QPointF(12.5, 13.9), 1.7, 1.7);
    for (const QPointF tip : {QPointF(7.1, 3.4), QPointF(17.9, 3.4)}) {
        if (shaded) {
            QRadialGradient soft(tip - QPointF(0.6, 0.6), 2.2);
            soft.setColorAt(0, kSlate);
            soft.setColorAt(1, kSlateDark);
            p.setBrush(soft);
        } else {
            p.setBrush(kSlateDark);
        }
        p.drawEllipse(tip, 1.9, 1.7);
    }

    // Chest piece: a neck into the hose, a steel rim and the diaphragm.
    const QPointF centre(24.5, 16.5);
    p.setBrush(kSlate);
    p.drawRoundedRect(QRectF(23.3, 20.5, 2.4, 3.0), 0.6, 0.6);
    if (shaded) {
        QRadialGradient rim(centre - QPointF(1.8, 1.8), 7.5);
        rim.setColorAt(0, kSteelLight);
        rim.setColorAt(1, kSlate);
        p.setBrush(rim);
    } else {
        p.setBrush(kSteel);
    }
    p.drawEllipse(centre, 5.6, 5.6);
    p.setPen(QPen(kSlate, edge));
    p.setBrush(kDiaphragm);
    p.drawEllipse(centre, 3.6, 3.6);
    p.setPen(Qt::NoPen);
    p.setBrush(kSlateDark);
    p.drawEllipse(centre, 1.0, 1.0);
}

QPixmap stethoscopePixmap(int size)
{
    QPixmap pixmap = blankPixmap(size, size, 1.0);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal scale = size / 32.0;
    p.scale(scale, scale);
    p.translate(-1.0, 0); // centres the drawing's bounds in the square
    paintStethoscope(p, 1.0 / scale, false);
    return pixmap;
}

// The clipboard alone, so the lens can draw it again, magnified.
void paintClipboard(QPainter& p)
{
    p.setPen(QPen(kBoardDark, 1.0));
    p.setBrush(kBoard);
    p.drawRoundedRect(QRectF(4.5, 6.5, 34, 45), 3, 3);
    p.setPen(QPen(QColor(0xd8, 0xcd, 0xb2), 0.8));
    p.setBrush(kPaper);
    p.drawRect(QRectF(8.5, 11.5, 26, 37));

    // A short symptom list: a teal bullet and a line of text per row.
    const qreal lengths[] = {17, 13, 16, 11, 15, 9};
    for (int row = 0; row < 6; ++row) {
        const qreal y = 17.5 + row * 5.0;
        p.setPen(Qt::NoPen);
        p.setBrush(kTeal);
        p.drawEllipse(QPointF(12.5, y), 1.1, 1.1);
        p.setPen(roundPen(kInk, 1.3));
        p.drawLine(QPointF(15.5, y), QPointF(15.5 + lengths[row], y));
    }

    p.setPen(QPen(kSlateDark, 1.0));
    p.setBrush(kSteel);
    p.drawRoundedRect(QRectF(14.5, 3.5, 14, 8), 2, 2);
    p.setBrush(kBoardDark);
    p.drawEllipse(QPointF(21.5, 6.3), 1.4, 1.4);
}

// Lettering over the picture gets a pale halo so it reads over the tubing.
void letter(QPainter& p, QPointF baseline, const QFont& font, const QString& text,
            const QColor& colour)
{
    QPainterPath path;
    path.addText(baseline, font, text);
    p.strokePath(path, roundPen(QColor(0xf8, 0xf6, 0xee, 220), 5.0));
    p.fillPath(path, colour);
}

} // namespace

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(stethoscopePixmap(size));
    return icon;
}

QPixmap searchButtonPicture(qreal devicePixelRatio)
{
    QPixmap pixmap = blankPixmap(58, 54, devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(4, 0); // leaves room on the left as the handle does on the right
    paintClipboard(p);

    // The lens sits over the page so its enlarged view shows list, not board.
    const QPointF lens(28, 29);
    const qreal radius = 10.5;
    QPainterPath glass;
    glass.addEllipse(lens, radius, radius);

    p.setPen(roundPen(kSlateDark, 6.0));
    p.drawLine(QPointF(36.5, 37.5), QPointF(46.5, 47.5));
    p.setPen(roundPen(kSlate, 3.2));
    p.drawLine(QPointF(37, 38), QPointF(46.1, 47.1));

    p.save();
    p.setClipPath(glass);
    p.fillPath(glass, QColor(0xf2, 0xf7, 0xf8));
    p.translate(lens);
    p.scale(1.3, 1.3);
    p.translate(-lens);
    paintClipboard(p);
    p.restore();
    p.fillPath(glass, QColor(0x9c, 0xd3, 0xde, 70));

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kSlateDark, 3.4));
    p.drawEllipse(lens, radius, radius);
    p.setPen(QPen(kSteel, 1.6));
    p.drawEllipse(lens, radius, radius);
    p.setPen(roundPen(QColor(255, 255, 255, 190), 1.6));
    p.drawArc(QRectF(lens.x() - 7.5, lens.y() - 7.5, 15, 15), 100 * 16, 60 * 16);
    return pixmap;
}

QPixmap printButtonPicture(qreal devicePixelRatio)
{
    QPixmap pixmap = blankPixmap(51, 39, devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // Blank paper waiting in the feeder behind the body.
    p.setPen(QPen(kSteel, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(13.5, 1.5, 24, 14));

    p.setPen(QPen(kSlateDark, 1.0));
    p.setBrush(kSteelLight);
    p.drawRoundedRect(QRectF(2.5, 11.5, 46, 20), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kSteel);
    p.drawRoundedRect(QRectF(3.5, 22, 44, 8.5), 2, 2);
    p.setPen(roundPen(kSlateDark, 2.0));
    p.drawLine(QPointF(10, 25), QPointF(41, 25));

    // Panel: a green ready light and two buttons.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4c, 0xb8, 0x6e));
    p.drawEllipse(QPointF(41.5, 16.5), 1.5, 1.5);
    p.setBrush(kSlate);
    p.drawRoundedRect(QRectF(33, 15.5, 4, 2), 1, 1);
    p.drawRoundedRect(QRectF(27, 15.5, 4, 2), 1, 1);

    // The printed page coming out of the front slot.
    p.setPen(QPen(kSteel, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(12.5, 25, 26, 12.5));
    p.setPen(roundPen(kTeal, 1.4));
    p.drawLine(QPointF(16, 28.5), QPointF(28, 28.5));
    p.setPen(roundPen(kInk, 1.1));
    p.drawLine(QPointF(16, 31.5), QPointF(35, 31.5));
    p.drawLine(QPointF(16, 34.5), QPointF(31, 34.5));
    return pixmap;
}

QPixmap splashLogo(qreal devicePixelRatio)
{
    const int width = 430;
    const int height = 280;
    QPixmap pixmap = blankPixmap(width, height, devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient ground(0, 0, width, height);
    ground.setColorAt(0, QColor(0xf8, 0xf5, 0xec));
    ground.setColorAt(1, QColor(0xc9, 0xe2, 0xdf));
    p.fillRect(QRectF(0, 0, width, height), ground);
    QRadialGradient glow(QPointF(320, 150), 150);
    glow.setColorAt(0, QColor(255, 255, 255, 170));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(0, 0, width, height), glow);

    p.save();
    p.translate(190, 22);
    p.scale(7.3, 7.3);
    paintStethoscope(p, 1.0 / 7.3, true);
    p.restore();

    // A thin frame and a rule above the address give the card an edge.
    p.setPen(QPen(QColor(0x2e, 0x8b, 0x8f, 90), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, width - 1, height - 1));
    p.setPen(QPen(kTeal, 1.5));
    p.drawLine(QPointF(28, 236.5), QPointF(200, 236.5));

    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans")});
    font.setBold(true);
    font.setPixelSize(46);
    letter(p, QPointF(26, 76), font, QStringLiteral("Orvex"), kSlateDark);
    font.setPixelSize(19);
    letter(p, QPointF(28, 103), font, QStringLiteral("Comparative Software"), kTealDark);
    font.setBold(false);
    font.setItalic(true);
    font.setPixelSize(17);
    letter(p, QPointF(28, 150), font, QStringLiteral("Compare remedies at a glance"), kSlate);
    font.setItalic(false);
    font.setPixelSize(13);
    letter(p, QPointF(28, 256), font, QStringLiteral("www.orvex-software.example"), kSlateDark);
    return pixmap;
}

} // namespace orvex::gui
