#pragma once

#include <QString>

namespace orvex::gui {

// How much of a text a label or tooltip shows. Tips and result lines are kept
// whole for the search, the lists and printing; only what is shown is cut, so
// that laying out a text of a hundred megabytes never holds up the window.
inline constexpr qsizetype kShownCharacters = 65536;

// `text` itself, or its first kShownCharacters characters (never half a
// surrogate pair) and "…".
QString shownText(const QString& text);

} // namespace orvex::gui
