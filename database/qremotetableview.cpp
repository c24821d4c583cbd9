#include "qremotetableview.h"

#include "qmodemsession.h"
#include "qtablecolumnstyleddelegate.h"
#include "remotelist.h"
#include "remotetable.h"

#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

QRemoteTableView::QRemoteTableView(QModemSession *session, RemoteList *list,
                                   const RemoteTableWidgets &widgets, QObject *parent)
    : QObject(parent), m_session(session), m_list(list), m_widgets(widgets)
{
    buildTable();
    createTableMenu();
    connect(m_widgets.table, &QTableWidget::currentCellChanged, this,
            &QRemoteTableView::control_device_select);
    connect(m_widgets.table, &QWidget::customContextMenuRequested, this,
            &QRemoteTableView::context_menu_config_popup);
    connect(m_widgets.filter, &QLineEdit::textChanged, this, &QRemoteTableView::filter_text_change);
    // New rows widen the row header in the table's delayed layout, which narrows the
    // viewport after the fill: the widths follow each resize of the viewport itself.
    m_widgets.table->viewport()->installEventFilter(this);
    connect(m_list, &RemoteList::listReset, this, [this] { fill_table(m_list->remotes()); });
    connect(m_list, &RemoteList::remoteChanged, this, &QRemoteTableView::updateRow);
    connect(m_list, &RemoteList::remoteRemoved, this, &QRemoteTableView::remove_table_row);
    connect(m_list, &RemoteList::stateChanged, this, &QRemoteTableView::showSourceLabel);
    // A table read from a stick that is gone says so.
    connect(m_session, &QModemSession::stateChanged, this, &QRemoteTableView::showSourceLabel);
}

QAction *QRemoteTableView::menuAction(TABLE_MENU_T entry) const
{
    return tableMenu->actions().value(entry);
}

void QRemoteTableView::createTableMenu()
{
    tableMenu = new QMenu(m_widgets.table);
    tableMenu->setObjectName("tableMenu");
    const struct {
        const char *text;
        const char *icon;
        const char *keys;
    } entries[] = {
        {QT_TR_NOOP("Добавить пульт"), ":/images/plus.png", "Ctrl+N"},
        {nullptr, nullptr, nullptr},
        {QT_TR_NOOP("Редактировать пульт"), ":/images/edit.png", "Ctrl+E"},
        {QT_TR_NOOP("Удалить пульт"), ":/images/minus.png", "Ctrl+D"},
        {QT_TR_NOOP("Активировать пульт"), ":/images/turn.png", "Ctrl+B"},
    };
    for (const auto &e : entries) {
        if (!e.text) {
            tableMenu->addSeparator();
            continue;
        }
        QAction *action = tableMenu->addAction(QIcon(e.icon), tr(e.text));
        action->setShortcut(QKeySequence(e.keys));
        // The window's own shortcuts already answer these keys.
        action->setShortcutContext(Qt::WidgetShortcut);
    }
}

void QRemoteTableView::buildTable()
{
    QTableWidget *table = m_widgets.table;
    table->setColumnCount(COLUMN_COUNT);
    table->setShowGrid(false);
    const int kinds[COLUMN_COUNT] = {
        QTableColumnStyledDelegate::CELL_LEFT, QTableColumnStyledDelegate::CELL_MIDDLE,
        QTableColumnStyledDelegate::CELL_MIDDLE, QTableColumnStyledDelegate::CELL_RIGHT};
    for (int column = 0; column < COLUMN_COUNT; ++column)
        table->setItemDelegateForColumn(column,
                                        new QTableColumnStyledDelegate(kinds[column], table));
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setTabKeyNavigation(false);
    // Cells mirror remoteList; an edited id cell would map its row to another remote.
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    m_widgets.sourceLabel->setAlignment(Qt::AlignHCenter);
    // A long file name is elided instead of widening the window.
    m_widgets.sourceLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void QRemoteTableView::add_table_row(const QControlDevice &remote)
{
    QTableWidget *table = m_widgets.table;
    const int row = table->rowCount();
    table->insertRow(row);
    const QStringList texts = remoteRowTexts(remote);
    const QBrush background(remoteRowColor(remote));
    for (int column = 0; column < COLUMN_COUNT; ++column) {
        auto *item = new QTableWidgetItem(texts.at(column));
        item->setBackground(background);
        if (column == COLUMN_GROUP)
            item->setToolTip(remoteGroupToolTip(remote));
        table->setItem(row, column, item);
    }
    table->setShowGrid(false);
}

void QRemoteTableView::remove_table_row(const QControlDevice &remote)
{
    QTableWidget *table = m_widgets.table;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *id = table->item(row, COLUMN_ID);
        const QTableWidgetItem *owner = table->item(row, COLUMN_OWNER);
        bool ok = false;
        if (id && owner && id->text().toInt(&ok, 10) == remote.id() && ok &&
            owner->text() == remote.ownerName()) {
            table->removeRow(row);
            return;
        }
    }
}

void QRemoteTableView::updateRow(const QControlDevice &remote)
{
    const int row = rowOfId(remote.id());
    if (row != -1) {
        // Held by pointer: with the table sorted by a changed column the row may move.
        QList<QTableWidgetItem *> items;
        for (int column = 0; column < COLUMN_COUNT; ++column)
            items << m_widgets.table->item(row, column);
        const QBrush background(remoteRowColor(remote));
        const QStringList texts = remoteRowTexts(remote);
        for (QTableWidgetItem *item : std::as_const(items))
            if (item)
                item->setBackground(background);
        for (int column = 0; column < COLUMN_COUNT; ++column)
            if (items.at(column))
                items.at(column)->setText(texts.at(column));
        if (items.at(COLUMN_GROUP))
            items.at(COLUMN_GROUP)->setToolTip(remoteGroupToolTip(remote));
    }
    control_device_select();
}

void QRemoteTableView::clear_table()
{
    QTableWidget *table = m_widgets.table;
    while (table->rowCount() > 0) {
        const int last = table->rowCount() - 1;
        for (int column = 0; column < table->columnCount(); ++column)
            delete table->takeItem(last, column);
        table->removeRow(last);
    }
}

void QRemoteTableView::fill_table(const QList<QControlDevice> &list)
{
    QTableWidget *table = m_widgets.table;
    table->setSortingEnabled(false);
    {
        // Row-by-row selection changes would otherwise reach control_device_select().
        const QSignalBlocker blockTable(table);
        clear_table();
        for (const QControlDevice &remote : list)
            add_table_row(remote);
    }
    table->setSortingEnabled(true);
    resizeColumns(true);
}

void QRemoteTableView::showArriving(const QControlDevice &remote, bool first)
{
    QTableWidget *table = m_widgets.table;
    // Unsorted until the read ends, so each record lands below the one before.
    table->setSortingEnabled(false);
    const QSignalBlocker blockTable(table);
    if (first)
        clear_table();
    if (!filterByOwnerPrefix({remote}, m_widgets.filter->text()).isEmpty())
        add_table_row(remote);
}

bool QRemoteTableView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == m_widgets.table->viewport())
        resizeColumns();
    return QObject::eventFilter(watched, event);
}

int QRemoteTableView::row_to_index(int row) const
{
    if (row == -1)
        return -1;
    const QTableWidgetItem *id = m_widgets.table->item(row, COLUMN_ID);
    return id ? indexOfIdText(m_list->remotes(), id->text()) : -1;
}

int QRemoteTableView::currentIndex() const
{
    return row_to_index(m_widgets.table->currentRow());
}

int QRemoteTableView::rowOfId(int id) const
{
    const QTableWidget *table = m_widgets.table;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *item = table->item(row, COLUMN_ID);
        bool ok = false;
        if (item && item->text().toInt(&ok, 10) == id && ok)
            return row;
    }
    return -1;
}

void QRemoteTableView::selectRemote(int id)
{
    const int row = rowOfId(id);
    if (row != -1)
        m_widgets.table->setCurrentCell(row, COLUMN_ID);
}

void QRemoteTableView::control_device_select()
{
    const int row = m_widgets.table->currentRow();
    const bool haveRow = row != -1;
    m_widgets.activeButton->setVisible(haveRow);
    m_widgets.delButton->setVisible(haveRow);
    m_widgets.editButton->setVisible(haveRow);
    const int index = row_to_index(row);
    if (index == -1) {
        m_widgets.activeButton->hide();
        return;
    }
    m_widgets.activeButton->setText(remoteToggleText(m_list->remotes().at(index)));
    resizeColumns();
}

void QRemoteTableView::context_menu_config_popup()
{
    if (!contextMenuAvailable(m_list->source(), m_session->connected()))
        return;
    const int row = m_widgets.table->currentRow();
    const QList<QAction *> entries = tableMenu->actions();
    // Each entry is on and off with its button, and says why as the button does.
    const std::pair<TABLE_MENU_T, QPushButton *> buttons[] = {
        {MENU_ADD, m_widgets.addButton},
        {MENU_EDIT, m_widgets.editButton},
        {MENU_DELETE, m_widgets.delButton},
        {MENU_ACTIVATE, m_widgets.activeButton}};
    for (const auto &[entry, button] : buttons) {
        QAction *action = entries.at(entry);
        const bool on = (entry == MENU_ADD || row != -1) && (!button || button->isEnabled());
        action->setEnabled(on);
        action->setToolTip(on || !button ? QString() : button->toolTip());
        action->setStatusTip(action->toolTip());
    }
    entries.at(MENU_ADD)->setText(tr("Добавить пульт"));
    entries.at(MENU_EDIT)->setText(tr("Редактировать пульт"));
    entries.at(MENU_DELETE)->setText(tr("Удалить пульт"));
    const int index = row_to_index(row);
    if (index != -1)
        entries.at(MENU_ACTIVATE)->setText(remoteToggleText(m_list->remotes().at(index)));
    tableMenu->popup(QCursor::pos());
}

void QRemoteTableView::filter_text_change()
{
    // remoteList itself is never filtered; rows map back through the id.
    fill_table(filterByOwnerPrefix(m_list->remotes(), m_widgets.filter->text()));
}

void QRemoteTableView::resizeColumns(bool force)
{
    const int w = m_widgets.table->viewport()->width();
    if (force || w != m_lastTableWidth) {
        const double shares[COLUMN_COUNT] = {0.15, 0.55, 0.2, 0.1};
        for (int column = 0; column < COLUMN_COUNT; ++column)
            m_widgets.table->setColumnWidth(column, int(w * shares[column]));
        m_lastTableWidth = w;
    }
    showSourceLabel();
}

void QRemoteTableView::showSourceLabel()
{
    QLabel *label = m_widgets.sourceLabel;
    const QString text = dataSourceLabel(m_list->labelKind(), m_list->modem_matches_file(),
                                         m_list->sourceFileName(), m_session->connected())
                             .text;
    QString shown = text;
    if (label->isVisible()) {
        // Measured in the heading's font; a file name may be longer than the window is wide.
        QFont heading = label->font();
        heading.setBold(true);
        heading.setPointSizeF(heading.pointSizeF() * 1.17);
        shown = QFontMetrics(heading).elidedText(text, Qt::ElideMiddle, qMax(label->width(), 100));
    }
    // The file name may hold characters that rich text would swallow.
    label->setText("<h3>" + shown.toHtmlEscaped() + "</h3>");
    label->setToolTip(shown == text ? QString() : text);
}
