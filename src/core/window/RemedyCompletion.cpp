#include "core/window/RemedyCompletion.h"

#include <algorithm>

namespace orvex {
namespace {

// Case folding for the letters a remedy name can hold: ASCII and Latin-1.
// Letters beyond that compare exactly.
char16_t foldCase(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return static_cast<char16_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<char16_t>(c + 32);
    return c;
}

bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix)
{
    if (prefix.size() > text.size())
        return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char16_t a, char16_t b) { return foldCase(a) == foldCase(b); });
}

} // namespace

int findEntryWithPrefix(const std::vector<std::u16string>& entries, std::u16string_view prefix)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (startsWithIgnoringCase(entries[i], prefix))
            return static_cast<int>(i);
    }
    return -1;
}

PickerKeyOutcome completeRemedyKey(const std::vector<std::u16string>& entries, const PickerEditState& state,
                                   int keyCode)
{
    PickerKeyOutcome outcome;
    outcome.edit = state;
    if (keyCode < 32 || keyCode > 127)
        return outcome;

    // With nothing selected the character counts as appended to the whole
    // text, wherever the caret stands; a selection and all after it go.
    std::u16string search;
    if (state.selectionLength == 0) {
        search = state.text;
    } else {
        const auto keep = static_cast<std::size_t>(std::clamp(state.selectionStart, 0, static_cast<int>(state.text.size())));
        search = state.text.substr(0, keep);
    }
    search.push_back(static_cast<char16_t>(keyCode));

    outcome.passKeyOn = false;
    const int found = findEntryWithPrefix(entries, search);
    if (found < 0)
        return outcome;

    outcome.selectListItem = found;
    outcome.edit.text = entries[static_cast<std::size_t>(found)];
    outcome.edit.selectionStart = static_cast<int>(search.size());
    outcome.edit.selectionLength = static_cast<int>(outcome.edit.text.size()) - outcome.edit.selectionStart;
    return outcome;
}

} // namespace orvex
