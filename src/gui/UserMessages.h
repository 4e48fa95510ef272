#pragma once

#include <QString>

#include <memory>

class QMessageBox;

namespace orvex::gui {

// Every message the user must acknowledge goes through here: a message box
// captioned "Orvex" with an OK button only. Tests install a recorder instead,
// so no modal box ever blocks a test run.
class UserMessages {
public:
    virtual ~UserMessages() = default;
    virtual void showMessage(const QString& text, const QString& detail = {}) = 0;
};

// The real one: a modal QMessageBox over whichever of the program's windows
// is active (the splash while the data loads, the main window afterwards).
class MessageBoxMessages final : public UserMessages {
public:
    void showMessage(const QString& text, const QString& detail = {}) override;
};

inline constexpr const char* kMessageCaption = "Orvex";

// The box MessageBoxMessages shows. Both texts are plain: the detail of
// "Load Failed" names a file and quotes the parser, either of which may
// hold markup.
std::unique_ptr<QMessageBox> messageBox(const QString& text, const QString& detail);

} // namespace orvex::gui
