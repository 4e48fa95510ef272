#pragma once

#include <string>
#include <vector>

namespace orvex {

// The edit field of a remedy picker as the key handler sees it. Positions
// and lengths count UTF-16 code units, as the widget does.
struct PickerEditState {
    std::u16string text;
    int selectionStart = 0; // the caret when nothing is selected
    int selectionLength = 0;
};

// What one key press in a remedy picker does.
struct PickerKeyOutcome {
    bool passKeyOn = true;      // false: the key is swallowed, the control never sees it
    int selectListItem = -1;    // >= 0: choose this list entry, then apply `edit`
    PickerEditState edit;       // the field afterwards (unchanged when nothing was found)
};

// The first entry that begins with `prefix`, letters compared without regard
// to case; -1 when none does. Searches from the start of the list.
int findEntryWithPrefix(const std::vector<std::u16string>& entries, std::u16string_view prefix);

// Type-ahead completion: a printable character (32 to 127) extends what the
// user has typed, the field is completed to the first entry that begins with
// it and the completed tail is selected. A character that continues no entry
// is refused. Other keys pass on untouched.
PickerKeyOutcome completeRemedyKey(const std::vector<std::u16string>& entries, const PickerEditState& state,
                                   int keyCode);

} // namespace orvex
