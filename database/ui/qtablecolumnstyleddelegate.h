#pragma once

#include <QStyledItemDelegate>

// Draws one column of a remote row; the four columns together make the row one
// bar with rounded ends and a double outline.
class QTableColumnStyledDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    enum CELL_KIND_T {
        CELL_LEFT = 0,   // rounded left end
        CELL_MIDDLE = 1, // top and bottom lines only
        CELL_RIGHT = 2,  // rounded right end
    };

    explicit QTableColumnStyledDelegate(int kind, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    int m_kind;
};
