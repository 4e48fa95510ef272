#include "gui/UserMessages.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>

namespace orvex::gui {

std::unique_ptr<QMessageBox> messageBox(const QString& text, const QString& detail)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString::fromLatin1(kMessageCaption), text,
                                             QMessageBox::Ok, QApplication::activeWindow());
    box->setTextFormat(Qt::PlainText);
    if (!detail.isEmpty()) {
        box->setInformativeText(detail);
        // Qt 6.4 leaves the detail's label to guess; its name is Qt's own.
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
            label->setTextFormat(Qt::PlainText);
    }
    return box;
}

void MessageBoxMessages::showMessage(const QString& text, const QString& detail)
{
    messageBox(text, detail)->exec();
}

} // namespace orvex::gui
