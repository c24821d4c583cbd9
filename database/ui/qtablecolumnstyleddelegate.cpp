#include "qtablecolumnstyleddelegate.h"

#include <QPainter>

QTableColumnStyledDelegate::QTableColumnStyledDelegate(int kind, QObject *parent)
    : QStyledItemDelegate(parent), m_kind(kind)
{
}

void QTableColumnStyledDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);

    painter->save();
    painter->setPen(QPen(QColor(127, 127, 127), 1));

    // Inclusive corners, as QRect gives them.
    const int x1 = opt.rect.left();
    const int y1 = opt.rect.top();
    const int x2 = opt.rect.right();
    const int y2 = opt.rect.bottom();
    const bool selected = opt.state & QStyle::State_Selected;
    const auto fill = [&](int left, int right) {
        painter->fillRect(QRect(QPoint(left, y1 + 1), QPoint(right, y2 - 1)), opt.backgroundBrush);
    };
    const auto arc = [&](int x, int y, int start, int span) {
        painter->drawArc(QRect(x, y, 10, 10), start * 16, span * 16);
    };
    const auto rails = [&](int left, int right) {
        for (int y : {y1 + 1, y1 + 2, y2, y2 - 1})
            painter->drawLine(left, y, right, y);
    };

    switch (m_kind) {
    case CELL_LEFT:
        if (selected)
            painter->fillRect(opt.rect, Qt::gray);
        else
            fill(x1 + 1, x2);
        arc(x1 + 1, y1 + 1, 180, -90);
        arc(x1 + 1, y1 + 2, 180, -90);
        arc(x1 + 1, y2 - 10, 180, 90);
        arc(x1 + 1, y2 - 11, 180, 90);
        rails(x1 + 6, x2 + 1);
        for (int x : {x1 + 1, x1 + 2})
            painter->drawLine(x, y1 + 6, x, y2 - 5);
        break;
    case CELL_MIDDLE:
        if (selected)
            painter->fillRect(opt.rect, Qt::gray);
        else
            fill(x1, x2);
        rails(x1, x2 + 1);
        break;
    case CELL_RIGHT:
        if (selected)
            painter->fillRect(opt.rect, Qt::gray);
        else
            fill(x1, x2 - 1);
        arc(x2 - 10, y1 + 1, 90, -90);
        arc(x2 - 10, y1 + 2, 90, -90);
        arc(x2 - 10, y2 - 10, 0, -90);
        arc(x2 - 10, y2 - 11, 0, -90);
        rails(x1, x2 - 5);
        for (int x : {x2, x2 - 1})
            painter->drawLine(x, y1 + 6, x, y2 - 5);
        break;
    default:
        break;
    }

    if (!opt.text.isEmpty()) {
        painter->setPen(QPen(Qt::black));
        painter->drawText(QRect(QPoint(x1 + 10, y1), QPoint(x2 - 10, y2)),
                          Qt::AlignLeft | Qt::AlignVCenter, opt.text);
    }
    painter->restore();
}
