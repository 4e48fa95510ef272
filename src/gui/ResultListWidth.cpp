#include "gui/ResultListWidth.h"

#include "gui/LongText.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QStyle>

#include <algorithm>
#include <utility>
#include <vector>

namespace orvex::gui {
namespace {

// Only the lines longest in characters are measured: in a proportional font
// the widest line is among them, and a list of 30,000 lines costs no more
// than a handful of measurements.
constexpr std::size_t kMeasuredLines = 16;
// Beyond this a line is wider than any screen can scroll to sensibly; a
// line of megabytes must not be laid out whole just to size a row. The
// lists draw no more of a line than this either (ShownTextDelegate).
constexpr qsizetype kMeasuredCharacters = kShownCharacters;

} // namespace

void widenToLongestLine(QListWidget* list)
{
    auto* delegate = qobject_cast<ShownTextDelegate*>(list->itemDelegate());
    if (delegate == nullptr)
        return;
    const int count = list->count();
    std::vector<std::pair<qsizetype, int>> lengths;
    lengths.reserve(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row)
        lengths.emplace_back(list->item(row)->text().size(), row);
    const auto measured = std::min(kMeasuredLines, lengths.size());
    std::partial_sort(lengths.begin(), lengths.begin() + static_cast<std::ptrdiff_t>(measured), lengths.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });

    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (std::size_t i = 0; i < measured; ++i) {
        const QString& text = list->item(lengths[i].second)->text();
        widest = std::max(widest, metrics.horizontalAdvance(text.left(kMeasuredCharacters)));
    }
    // The item view's own margin on either side of the text.
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    delegate->setRowWidth(count == 0 ? 0 : widest + 2 * margin);
}

} // namespace orvex::gui
