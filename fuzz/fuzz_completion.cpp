// One key press in a remedy picker: the bytes give the picker's entries, the
// edit field (any text, any selection, out of range included) and the key.
#include "core/window/RemedyCompletion.h"

#include "FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using orvex::fuzz::fail;

// Mostly ASCII and Latin-1, where the case folding is; now and then any
// UTF-16 code unit.
std::u16string consumeText(FuzzedDataProvider& input, std::size_t maxLength)
{
    std::u16string text;
    const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, maxLength);
    for (std::size_t i = 0; i < length && input.remaining_bytes() > 0; ++i) {
        const auto byte = input.ConsumeIntegral<std::uint8_t>();
        text.push_back(byte < 0xF8 ? static_cast<char16_t>(byte) : input.ConsumeIntegral<char16_t>());
    }
    return text;
}

int consumePosition(FuzzedDataProvider& input, int size)
{
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return input.ConsumeIntegralInRange<int>(0, size);
    case 1: return input.ConsumeIntegralInRange<int>(-2, size + 2);
    case 2: return input.ConsumeBool() ? 0 : size;
    default: return input.ConsumeIntegral<int>();
    }
}

bool sameEdit(const orvex::PickerEditState& a, const orvex::PickerEditState& b)
{
    return a.text == b.text && a.selectionStart == b.selectionStart && a.selectionLength == b.selectionLength;
}

bool selectionInText(const orvex::PickerEditState& edit)
{
    const auto size = static_cast<long long>(edit.text.size());
    return edit.selectionStart >= 0 && edit.selectionLength >= 0 && edit.selectionStart <= size
        && static_cast<long long>(edit.selectionStart) + edit.selectionLength <= size;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    std::vector<std::u16string> entries(input.ConsumeIntegralInRange<std::size_t>(0, 8));
    for (std::u16string& entry : entries)
        entry = consumeText(input, 12);
    orvex::PickerEditState state;
    state.text = consumeText(input, 14);
    state.selectionStart = consumePosition(input, static_cast<int>(state.text.size()));
    state.selectionLength = consumePosition(input, static_cast<int>(state.text.size()));
    const int keyCode = input.ConsumeBool() ? input.ConsumeIntegralInRange<int>(30, 130) : input.ConsumeIntegral<int>();

    const orvex::PickerKeyOutcome outcome = orvex::completeRemedyKey(entries, state, keyCode);
    const bool printable = keyCode >= 32 && keyCode <= 127;
    if (outcome.passKeyOn == printable)
        fail("a printable key was passed on, or another key swallowed");
    if (outcome.selectListItem < -1 || outcome.selectListItem >= static_cast<int>(entries.size()))
        fail("the chosen entry is not in the list");

    if (outcome.selectListItem < 0) {
        if (!sameEdit(outcome.edit, state))
            fail("the field changed although nothing was chosen");
    } else {
        const std::u16string& entry = entries[static_cast<std::size_t>(outcome.selectListItem)];
        if (outcome.edit.text != entry)
            fail("the field does not show the chosen entry");
        if (!selectionInText(outcome.edit))
            fail("the selection lies outside the field's text");
        if (static_cast<std::size_t>(outcome.edit.selectionStart + outcome.edit.selectionLength) != entry.size())
            fail("the completed tail does not reach the end of the entry");
        if (outcome.edit.selectionStart == 0)
            fail("the typed character is not before the selection");
        // What stays unselected is what was typed: it must lead to the same entry.
        const std::u16string typed = entry.substr(0, static_cast<std::size_t>(outcome.edit.selectionStart));
        if (orvex::findEntryWithPrefix(entries, typed) != outcome.selectListItem)
            fail("the typed text leads to another entry");
    }
    if (selectionInText(state) && !selectionInText(outcome.edit))
        fail("a selection within the text became one outside it");

    const std::u16string prefix = consumeText(input, 14);
    const int found = orvex::findEntryWithPrefix(entries, prefix);
    if (found < -1 || found >= static_cast<int>(entries.size()))
        fail("findEntryWithPrefix found no entry of the list");
    if (prefix.empty() && found != (entries.empty() ? -1 : 0))
        fail("an empty prefix does not find the first entry");
    if (found >= 0) {
        const auto index = static_cast<std::size_t>(found);
        if (entries[index].size() < prefix.size())
            fail("the found entry is shorter than the prefix");
        // No earlier entry begins with the prefix.
        const std::vector<std::u16string> before(entries.begin(), entries.begin() + found);
        if (orvex::findEntryWithPrefix(before, prefix) != -1)
            fail("an earlier entry begins with the prefix too");
        if (orvex::findEntryWithPrefix({entries[index]}, prefix) != 0)
            fail("the found entry does not begin with the prefix");
    } else if (!prefix.empty()) {
        for (const std::u16string& entry : entries)
            if (entry.compare(0, prefix.size(), prefix) == 0)
                fail("an entry begins with the prefix exactly and was not found");
    }
    return 0;
}
