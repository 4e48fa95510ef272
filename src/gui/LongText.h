#pragma once

#include <QString>
#include <QStyledItemDelegate>

namespace orvex::gui {

// How much of a text a label, tooltip or list item shows. Tips and result
// lines are kept whole for the search, the lists and printing; only what is
// shown is cut, so that laying out a text of a hundred megabytes never holds
// up the window. 16 Ki characters are far more than any of these can show,
// and a tooltip of them still comes up in well under 100 ms (64 Ki take
// about that long alone: orvex_bench --benchmark_filter=Tooltip).
inline constexpr qsizetype kShownCharacters = 16384;

// `text` itself, or its first kShownCharacters characters (never half a
// surrogate pair) and "…".
QString shownText(const QString& text);

// A tooltip that shows `text` as it is written. Qt takes a tooltip that looks
// like markup for rich text, and a data file's "<img src=...>" would have it
// open any file it names; escaped and wrapped, every character shows. Empty
// stays empty: no tooltip.
QString plainTooltip(const QString& text);

// Draws a list's items with shownText: an item of a hundred megabytes keeps
// its whole text (search, printing, its tooltip's source) but is laid out only
// as far as can be seen.
class ShownTextDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Cut before the base class looks at it: it scans the whole text for line
    // breaks.
    QString displayText(const QVariant& value, const QLocale& locale) const override;

    // Rows at least `width` wide, whichever row a view with uniform item sizes
    // samples for all of them.
    void setRowWidth(int width);
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int rowWidth_ = 0;
};

} // namespace orvex::gui
