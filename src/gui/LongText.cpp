#include "gui/LongText.h"

#include <algorithm>

namespace orvex::gui {

QString shownText(const QString& text)
{
    if (text.size() <= kShownCharacters)
        return text;
    qsizetype cut = kShownCharacters;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

QString plainTooltip(const QString& text)
{
    if (text.isEmpty())
        return text;
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

QString ShownTextDelegate::displayText(const QVariant& value, const QLocale& locale) const
{
    if (value.typeId() == QMetaType::QString)
        return QStyledItemDelegate::displayText(shownText(value.toString()), locale);
    return QStyledItemDelegate::displayText(value, locale);
}

void ShownTextDelegate::setRowWidth(int width)
{
    if (width == rowWidth_)
        return;
    rowWidth_ = width;
    emit sizeHintChanged({}); // the view lays its rows out again
}

QSize ShownTextDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setWidth(std::max(size.width(), rowWidth_));
    return size;
}

} // namespace orvex::gui
