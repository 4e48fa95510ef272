#pragma once

#include <QObject>

class QListWidget;

namespace orvex::gui {

// Keeps a result list's tooltip on the full text of the item under the
// pointer, through the core's hit test.
class ResultListTooltip final : public QObject {
    Q_OBJECT

public:
    static void attachTo(QListWidget* list);
    // What the list's tooltip says now (the list and its viewport share it).
    static void setTooltip(QListWidget* list, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ResultListTooltip(QListWidget* list);
    QListWidget* list_;
};

} // namespace orvex::gui
