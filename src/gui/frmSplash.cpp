#include "gui/frmSplash.h"

#include "gui/Artwork.h"
#include "gui/Design.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace orvex::gui {

frmSplash::frmSplash()
    : QWidget(nullptr, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    // Its going must never end the program: the main window shows right after.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(6855), twips(4965));

    auto* fraMainFrame = new QFrame(this);
    fraMainFrame->setObjectName(QStringLiteral("fraMainFrame"));
    fraMainFrame->setFrameShape(QFrame::Box);
    fraMainFrame->setFrameShadow(QFrame::Sunken);
    placeInTwips(fraMainFrame, 45, -15, 6780, 4950);

    auto* picLogo = new QLabel(fraMainFrame);
    picLogo->setObjectName(QStringLiteral("picLogo"));
    picLogo->setPixmap(splashLogo(devicePixelRatioF()));
    picLogo->setAlignment(Qt::AlignCenter);
    placeInTwips(picLogo, 120, 240, 6495, 4215);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - rect().center());
    }
}

} // namespace orvex::gui
