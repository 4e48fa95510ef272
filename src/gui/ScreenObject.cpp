#include "gui/ScreenObject.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace orvex::gui {

QtScreenObject::~QtScreenObject()
{
    setMousePointer(kDefaultPointer);
}

int QtScreenObject::primaryScreenWidth() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

void QtScreenObject::setMousePointer(int shape)
{
    // One override at most, so an hourglass never outlives its search.
    if (shape_ == kHourglass)
        QGuiApplication::restoreOverrideCursor();
    if (shape == kHourglass)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    shape_ = shape;
}

} // namespace orvex::gui
