#include "fittingstatusbar.h"

#include <QHelpEvent>
#include <QPainter>
#include <QSizeGrip>
#include <QStyleOption>
#include <QToolTip>

namespace
{
// Margins QStatusBar keeps around its message.
constexpr int MessageLeft = 6;
constexpr int MessageRight = 12;
constexpr int ItemGap = 2;
} // namespace

QFittingStatusBar::QFittingStatusBar(QWidget *parent) : QStatusBar(parent) {}

QSize QFittingStatusBar::minimumSizeHint() const
{
    QSize size = QStatusBar::minimumSizeHint();
    size.setWidth(qMin(size.width(), MaxMinimumWidth));
    return size;
}

QSize QFittingStatusBar::sizeHint() const
{
    QSize size = QStatusBar::sizeHint();
    size.setWidth(qMin(size.width(), MaxMinimumWidth));
    return size;
}

QRect QFittingStatusBar::messageRect() const
{
    // While a message shows, the only widgets left visible are the permanent ones.
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    int left = MessageLeft;
    int right = width() - MessageRight;
    const QList<QWidget *> items = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (const QWidget *w : items) {
        if (!w->isVisible() || w->isWindow())
            continue;
        if (rtl)
            left = qMax(left, w->x() + w->width() + ItemGap);
        else
            right = qMin(right, w->x() - ItemGap);
    }
    return QRect(left, 0, qMax(0, right - left), height());
}

QString QFittingStatusBar::shownMessage() const
{
    return fontMetrics().elidedText(currentMessage(), Qt::ElideRight, messageRect().width());
}

bool QFittingStatusBar::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString message = currentMessage();
        if (!message.isEmpty() && shownMessage() != message &&
            messageRect().contains(help->pos())) {
            QToolTip::showText(help->globalPos(), message, this);
            return true;
        }
    }
    return QStatusBar::event(event);
}

void QFittingStatusBar::paintEvent(QPaintEvent *event)
{
    if (currentMessage().isEmpty()) {
        QStatusBar::paintEvent(event);
        return;
    }
    // As QStatusBar paints it, with the message cut to the room it has.
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &painter, this);
    const QList<QWidget *> items = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *w : items) {
        if (!w->isVisible() || w->isWindow() || qobject_cast<QSizeGrip *>(w))
            continue;
        QStyleOption frame(0);
        frame.rect = w->geometry().adjusted(-2, -1, 2, 1);
        frame.palette = palette();
        frame.state = QStyle::State_None;
        style()->drawPrimitive(QStyle::PE_FrameStatusBarItem, &frame, &painter, w);
    }
    painter.setPen(palette().windowText().color());
    painter.drawText(messageRect(), Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
                     shownMessage());
}
