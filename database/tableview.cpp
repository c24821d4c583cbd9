// MainWindow: the remote table, its context menu, filter and data-source label.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "qtablecolumnstyleddelegate.h"
#include "remotetable.h"

#include <QCoreApplication>
#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>

namespace
{
// Positions of the context-menu entries; the popup addresses them by index.
enum TABLE_MENU_T {
    MENU_ADD = 0,
    MENU_SEPARATOR = 1,
    MENU_EDIT = 2,
    MENU_DELETE = 3,
    MENU_ACTIVATE = 4,
};
} // namespace

void MainWindow::create_table_menu()
{
    tableMenu = new QMenu(ui->tablePults);
    tableMenu->setObjectName("tableMenu");
    const struct {
        const char *text;
        const char *icon;
        const char *keys;
        void (MainWindow::*slot)();
    } entries[] = {
        {QT_TR_NOOP("Добавить пульт"), ":/images/plus.png", "Ctrl+N",
         &MainWindow::add_button_clicked},
        {nullptr, nullptr, nullptr, nullptr},
        {QT_TR_NOOP("Редактировать пульт"), ":/images/edit.png", "Ctrl+E",
         &MainWindow::edit_button_clicked},
        {QT_TR_NOOP("Удалить пульт"), ":/images/minus.png", "Ctrl+D",
         &MainWindow::del_button_clicked},
        {QT_TR_NOOP("Активировать пульт"), ":/images/turn.png", "Ctrl+B",
         &MainWindow::active_button_clicked},
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
        connect(action, &QAction::triggered, this, e.slot);
    }
}

void MainWindow::build_remote_table()
{
    QTableWidget *table = ui->tablePults;
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
    ui->labelBDSource->setAlignment(Qt::AlignHCenter);
}

void MainWindow::add_table_row(const QControlDevice &remote)
{
    QTableWidget *table = ui->tablePults;
    const int row = table->rowCount();
    table->insertRow(row);
    const QStringList texts = remoteRowTexts(remote);
    const QBrush background(remoteRowColor(remote));
    for (int column = 0; column < COLUMN_COUNT; ++column) {
        auto *item = new QTableWidgetItem(texts.at(column));
        item->setBackground(background);
        table->setItem(row, column, item);
    }
    table->setShowGrid(false);
}

void MainWindow::remove_table_row(const QControlDevice &remote)
{
    QTableWidget *table = ui->tablePults;
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

void MainWindow::clear_table()
{
    QTableWidget *table = ui->tablePults;
    while (table->rowCount() > 0) {
        const int last = table->rowCount() - 1;
        for (int column = 0; column < table->columnCount(); ++column)
            delete table->takeItem(last, column);
        table->removeRow(last);
    }
}

void MainWindow::fill_table(const QList<QControlDevice> &list)
{
    QTableWidget *table = ui->tablePults;
    table->setSortingEnabled(false);
    {
        // Row-by-row selection changes would otherwise reach control_device_select().
        const QSignalBlocker blockTable(table);
        clear_table();
        for (const QControlDevice &remote : list)
            add_table_row(remote);
    }
    table->setSortingEnabled(true);
    table->repaint();
    QCoreApplication::processEvents();
    ui_tables_resize();
}

int MainWindow::row_to_index(int row)
{
    if (row == -1)
        return -1;
    const QTableWidgetItem *id = ui->tablePults->item(row, COLUMN_ID);
    return id ? indexOfIdText(remoteList, id->text()) : -1;
}

void MainWindow::control_device_select()
{
    const int row = ui->tablePults->currentRow();
    const bool haveRow = row != -1;
    ui->pushButton_activeDev->setVisible(haveRow);
    ui->pushButton_delDev->setVisible(haveRow);
    ui->pushButton_editDev->setVisible(haveRow);
    const int index = row_to_index(row);
    if (index == -1) {
        ui->pushButton_activeDev->hide();
        return;
    }
    ui->pushButton_activeDev->setText(remoteToggleText(remoteList.at(index)));
    ui_tables_resize();
}

void MainWindow::context_menu_config_popup()
{
    if (!contextMenuAvailable(dataSource, m_modem.connected()))
        return;
    const int row = ui->tablePults->currentRow();
    const QList<QAction *> entries = tableMenu->actions();
    for (int i = MENU_SEPARATOR; i < entries.size(); ++i)
        entries.at(i)->setEnabled(row != -1);
    entries.at(MENU_ADD)->setText(tr("Добавить пульт"));
    entries.at(MENU_EDIT)->setText(tr("Редактировать пульт"));
    entries.at(MENU_DELETE)->setText(tr("Удалить пульт"));
    const int index = row_to_index(row);
    if (index != -1)
        entries.at(MENU_ACTIVATE)->setText(remoteToggleText(remoteList.at(index)));
    tableMenu->popup(QCursor::pos());
}

void MainWindow::filter_text_change()
{
    // remoteList itself is never filtered; rows map back through the id.
    fill_table(filterByOwnerPrefix(remoteList, ui->lineEdit_find_owner->text()));
}

void MainWindow::ui_tables_resize()
{
    const int w = ui->tablePults->viewport()->width();
    const int v = ui->tableProperties->viewport()->width();
    if (w == lastTablePultsWidth && v == lastTablePropertiesWidth)
        return;
    const double shares[COLUMN_COUNT] = {0.15, 0.55, 0.2, 0.1};
    for (int column = 0; column < COLUMN_COUNT; ++column)
        ui->tablePults->setColumnWidth(column, int(w * shares[column]));
    lastTablePultsWidth = w;
    ui->tableProperties->setColumnWidth(0, v);
    lastTablePropertiesWidth = v;
}

void MainWindow::tab_changed(int)
{
    lastTablePultsWidth = -1; // recompute even when the width is unchanged
    ui_tables_resize();
}

void MainWindow::need_saving()
{
    dbSaved = false;
    // With the modem as source this also makes modemSnapshot follow the change.
    set_data_source(dataSource);
}

bool MainWindow::modem_matches_file()
{
    return modemMatchesFile(m_modem.connected(), m_modem.modemSnapshot(), fileSnapshot);
}

void MainWindow::set_data_source(DATA_SOURCE_T kind)
{
    dataSource = kind;
    switch (kind) {
    case SOURCE_MODEM:
        m_modem.setModemSnapshot(remoteList);
        break;
    case SOURCE_FILE:
    case SOURCE_BACKUP:
        fileSnapshot = remoteList;
        break;
    case SOURCE_UNKNOWN:
        break;
    }
    const DataSourceLabel label = dataSourceLabel(kind, modem_matches_file(), dbFileName);
    dataSource = label.kind;
    // The file name may hold characters that rich text would swallow.
    ui->labelBDSource->setText("<h3>" + label.text.toHtmlEscaped() + "</h3>");
    update_controls_enabled();
}
