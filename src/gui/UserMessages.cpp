#include "gui/UserMessages.h"

#include <QApplication>
#include <QMessageBox>

namespace orvex::gui {

void MessageBoxMessages::showMessage(const QString& text, const QString& detail)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kMessageCaption), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    if (!detail.isEmpty())
        box.setInformativeText(detail);
    box.exec();
}

} // namespace orvex::gui
