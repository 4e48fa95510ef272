#pragma once

#include "core/data/StringTable.h"

namespace orvex::test {

// The texts a tip window takes from the table.
inline StringTable tipWindowTexts()
{
    StringTable texts;
    texts.set("strHelp", "Help");
    texts.set("appTitle", "Orvex Comparative Software");
    texts.set("strNext", "&Next Tip");
    return texts;
}

} // namespace orvex::test
