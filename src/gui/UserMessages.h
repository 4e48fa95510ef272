#pragma once

#include <QString>

class QWidget;

namespace orvex::gui {

// Every message the user must acknowledge goes through here: a message box
// captioned "Orvex" with an OK button only. Tests install a recorder instead,
// so no modal box ever blocks a test run.
class UserMessages {
public:
    virtual ~UserMessages() = default;
    virtual void showMessage(const QString& text, const QString& detail = {}) = 0;
};

// The real one: a modal QMessageBox over `parent`.
class MessageBoxMessages final : public UserMessages {
public:
    explicit MessageBoxMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void showMessage(const QString& text, const QString& detail = {}) override;

private:
    QWidget* parent_;
};

inline constexpr const char* kMessageCaption = "Orvex";

} // namespace orvex::gui
