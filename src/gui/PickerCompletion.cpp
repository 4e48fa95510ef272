#include "gui/PickerCompletion.h"

#include "core/window/RemedyCompletion.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace orvex::gui {
namespace {

// The character code a key press types, as the pickers' key handler is
// given it on the desktop the program was designed for: Ctrl+Backspace types
// 127 and Ctrl+Space a blank (both in the handled range, so they complete or
// are refused like any character); Ctrl with a letter types a control code
// (1 to 26), which passes on, so copy, paste and undo keep working. Keys
// that type nothing there (Delete, arrows, Alt chords for the menus) give -1.
int typedCharacter(const QKeyEvent& key)
{
    constexpr int kDelete = 127;
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    const bool control = (modifiers & Qt::ControlModifier) != 0;
    const bool alt = (modifiers & Qt::AltModifier) != 0;
    switch (key.key()) {
    case Qt::Key_Backspace:
        return control ? kDelete : '\b';
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return -1;
    default:
        break;
    }
    if ((modifiers & Qt::MetaModifier) != 0 || (alt && !control))
        return -1;
    if (control && !alt) { // Ctrl with Alt is AltGr there: it types what the key shows
        if (key.key() == Qt::Key_Space)
            return ' ';
        if (key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z)
            return key.key() - Qt::Key_A + 1;
        return -1;
    }
    const QString text = key.text();
    if (text.size() != 1)
        return -1;
    return text.at(0).unicode();
}

std::vector<std::u16string> entriesOf(const QComboBox& picker)
{
    std::vector<std::u16string> entries;
    entries.reserve(static_cast<std::size_t>(picker.count()));
    for (int i = 0; i < picker.count(); ++i)
        entries.push_back(picker.itemText(i).toStdU16String());
    return entries;
}

} // namespace

void PickerCompletion::attachTo(QComboBox* picker)
{
    auto* completion = new PickerCompletion(picker);
    // Keys reach the combo box, which hands them to its line edit without
    // passing event filters; watch both.
    picker->installEventFilter(completion);
    picker->lineEdit()->installEventFilter(completion);
}

PickerCompletion::PickerCompletion(QComboBox* picker) : QObject(picker), picker_(picker) {}

bool PickerCompletion::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const int code = typedCharacter(key);
    if (code < 0)
        return false;

    QLineEdit* edit = picker_->lineEdit();
    PickerEditState state;
    state.text = edit->text().toStdU16String();
    state.selectionStart = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    state.selectionLength = static_cast<int>(edit->selectedText().size());

    const PickerKeyOutcome outcome = completeRemedyKey(entriesOf(*picker_), state, code);
    if (outcome.passKeyOn)
        return false;
    if (outcome.selectListItem >= 0) {
        picker_->setCurrentIndex(outcome.selectListItem);
        // Choosing the entry that is already current leaves the edited text
        // alone, so the entry's text is put in the field either way.
        edit->setText(picker_->itemText(outcome.selectListItem));
        const int start = outcome.edit.selectionStart;
        edit->setSelection(start, static_cast<int>(edit->text().size()) - start);
    }
    return true;
}

} // namespace orvex::gui
