#include "tablefit.h"

#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QWidget>

void widenToColumns(QWidget *window, QTableView *table)
{
    QHeaderView *header = table->horizontalHeader();
    // A stretched last section would count the space it was given, not its contents.
    const bool stretched = header->stretchLastSection();
    header->setStretchLastSection(false);
    table->resizeColumnsToContents();
    int columns = 0;
    for (int column = 0; column < header->count(); ++column)
        columns += header->sectionSize(column);
    header->setStretchLastSection(stretched);
    const int rowHeader =
        table->verticalHeader()->isVisible() ? table->verticalHeader()->width() : 0;
    int margins = 0;
    if (const QLayout *layout = window->layout())
        margins = layout->contentsMargins().left() + layout->contentsMargins().right();
    const int needed = columns + rowHeader + 2 * table->frameWidth() +
                       table->verticalScrollBar()->sizeHint().width() + margins;
    int limit = needed;
    if (const QScreen *screen = window->screen())
        limit = screen->availableGeometry().width() * 9 / 10;
    const int width = qMin(needed, limit);
    if (width > window->width())
        window->resize(width, window->height());
}
