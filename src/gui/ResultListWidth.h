#pragma once

class QListWidget;

namespace orvex::gui {

// Result lists give every row the size of one sampled row, which keeps tens
// of thousands of lines cheap but cuts longer lines short. This makes the rows
// as wide as the longest line, so the horizontal scroll bar reaches it: the
// list's ShownTextDelegate answers every row's size with that width.
void widenToLongestLine(QListWidget* list);

} // namespace orvex::gui
