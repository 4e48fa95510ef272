#include "PickerCompletion.h"

#include "window/RemedyCompletion.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace orvex::gui {
namespace {

// The character a key press types, as the pickers see it: editing and
// movement keys type nothing, even where the platform gives them a code.
int typedCharacter(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Backspace:
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
    if (code < 0 || (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
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
