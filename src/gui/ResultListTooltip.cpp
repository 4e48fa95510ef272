#include "gui/ResultListTooltip.h"

#include "gui/LongText.h"

#include "core/window/ListHitTest.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace orvex::gui {

void ResultListTooltip::attachTo(QListWidget* list)
{
    auto* tooltip = new ResultListTooltip(list);
    list->setMouseTracking(true);
    list->viewport()->setMouseTracking(true);
    list->installEventFilter(tooltip);
    list->viewport()->installEventFilter(tooltip);
}

void ResultListTooltip::setTooltip(QListWidget* list, const QString& text)
{
    const QString shown = plainTooltip(shownText(text));
    list->setToolTip(shown);
    list->viewport()->setToolTip(shown);
}

ResultListTooltip::ResultListTooltip(QListWidget* list) : QObject(list), list_(list) {}

bool ResultListTooltip::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseMove)
        return QObject::eventFilter(watched, event);
    const auto& move = static_cast<const QMouseEvent&>(*event);
    QWidget* viewport = list_->viewport();
    // Positions on the frame around the viewport come out negative or past
    // its size: outside the client area.
    const QPoint at = viewport->mapFrom(static_cast<QWidget*>(watched), move.position().toPoint());
    ListGeometry geometry;
    geometry.clientWidth = viewport->width();
    geometry.clientHeight = viewport->height();
    geometry.count = list_->count();
    geometry.itemHeight = list_->count() > 0 ? std::max(list_->visualItemRect(list_->item(0)).height(), 1) : 1;
    geometry.topIndex = list_->verticalScrollBar()->value();

    const TooltipDecision decision = tooltipForMouseMove(move.buttons() != Qt::NoButton, at.x(), at.y(), geometry);
    if (decision.change == TooltipChange::ShowItem)
        setTooltip(list_, list_->item(decision.item)->text());
    else if (decision.change == TooltipChange::Clear)
        setTooltip(list_, QString());
    return false;
}

} // namespace orvex::gui
