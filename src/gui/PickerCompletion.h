#pragma once

#include <QObject>

class QComboBox;

namespace orvex::gui {

// Type-ahead completion for a remedy picker: watches the picker's key
// presses and lets the core decide what each printable character does.
class PickerCompletion final : public QObject {
    Q_OBJECT

public:
    // Installs itself on `picker`, which owns it.
    static void attachTo(QComboBox* picker);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit PickerCompletion(QComboBox* picker);
    QComboBox* picker_;
};

} // namespace orvex::gui
