#pragma once

#include <QAbstractItemModel>
#include <QBrush>
#include <QColor>
#include <QStringList>
#include <QTableView>

// The remote table's rows as the view shows them, through its (filtering) model.
namespace tableview
{
inline int rows(const QTableView *t)
{
    return t->model()->rowCount();
}

inline QString cell(const QTableView *t, int row, int column)
{
    const QModelIndex index = t->model()->index(row, column);
    return index.isValid() ? index.data().toString() : QStringLiteral("<none>");
}

inline QColor background(const QTableView *t, int row, int column)
{
    return t->model()->index(row, column).data(Qt::BackgroundRole).value<QBrush>().color();
}

inline QString toolTip(const QTableView *t, int row, int column)
{
    return t->model()->index(row, column).data(Qt::ToolTipRole).toString();
}

inline QStringList rowTexts(const QTableView *t, int row)
{
    QStringList texts;
    for (int column = 0; column < t->model()->columnCount(); ++column)
        texts << cell(t, row, column);
    return texts;
}

inline QStringList idColumn(const QTableView *t)
{
    QStringList ids;
    for (int row = 0; row < rows(t); ++row)
        ids << cell(t, row, 0);
    return ids;
}

// As a click would: -1 leaves no row current.
inline void setCurrentCell(QTableView *t, int row, int column)
{
    t->setCurrentIndex(t->model()->index(row, column));
}

inline QString headerText(const QTableView *t, int column)
{
    return t->model()->headerData(column, Qt::Horizontal).toString();
}
} // namespace tableview
