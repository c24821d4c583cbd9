// The remote table on screen: rows, context menu, filter and data-source label.
#include "qremotetablecontroller.h"

#include "qmodemsession.h"
#include "qtablecolumnstyleddelegate.h"
#include "remotetable.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>

QRemoteTableController::QRemoteTableController(QModemSession *session,
                                               const RemoteTableWidgets &widgets, QObject *parent)
    : QObject(parent), m_session(session), m_widgets(widgets)
{
    build_table();
    create_table_menu();
    register_steps();
    connect(this, &QRemoteTableController::signal_need_saving, this,
            &QRemoteTableController::need_saving);
    connect(m_widgets.table, &QTableWidget::currentCellChanged, this,
            &QRemoteTableController::control_device_select);
    connect(m_widgets.table, &QWidget::customContextMenuRequested, this,
            &QRemoteTableController::context_menu_config_popup);
    connect(m_widgets.filter, &QLineEdit::textChanged, this,
            &QRemoteTableController::filter_text_change);
    // Another stick, or the same one changed elsewhere, until its table is read.
    connect(m_session, &QModemSession::sessionOpened, this, [this] { m_stickTableKnown = false; });
    // A stick left listening by a search that lost it is set back first.
    connect(m_session, &QModemSession::sessionOpened, this,
            &QRemoteTableController::restore_normal_mode);
    // Every new session reads the stick's table.
    connect(m_session, &QModemSession::sessionOpened, this,
            &QRemoteTableController::load_db_from_modem);
    connect(m_session, &QModemSession::sessionClosed, this, [this] { m_stickTableKnown = false; });
    // A table read from a stick that is gone says so.
    connect(m_session, &QModemSession::stateChanged, this,
            &QRemoteTableController::show_source_label);
    set_data_source(SOURCE_UNKNOWN);
    control_device_select();
}

QRemoteTableController::~QRemoteTableController() = default;

QString QRemoteTableController::dataDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           "/Vexo Electronics/VexoControlTool";
}

QAction *QRemoteTableController::menuAction(TABLE_MENU_T entry) const
{
    return tableMenu->actions().value(entry);
}

void QRemoteTableController::create_table_menu()
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

void QRemoteTableController::build_table()
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

void QRemoteTableController::add_table_row(const QControlDevice &remote)
{
    QTableWidget *table = m_widgets.table;
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

void QRemoteTableController::remove_table_row(const QControlDevice &remote)
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

void QRemoteTableController::clear_table()
{
    QTableWidget *table = m_widgets.table;
    while (table->rowCount() > 0) {
        const int last = table->rowCount() - 1;
        for (int column = 0; column < table->columnCount(); ++column)
            delete table->takeItem(last, column);
        table->removeRow(last);
    }
}

void QRemoteTableController::show_stick_table(const QList<QControlDevice> &list)
{
    remoteList = list;
    fill_table(remoteList);
    set_data_source(SOURCE_MODEM);
}

void QRemoteTableController::fill_table(const QList<QControlDevice> &list)
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
    table->repaint();
    QCoreApplication::processEvents();
    resize_columns(true);
}

int QRemoteTableController::row_to_index(int row)
{
    if (row == -1)
        return -1;
    const QTableWidgetItem *id = m_widgets.table->item(row, COLUMN_ID);
    return id ? indexOfIdText(remoteList, id->text()) : -1;
}

void QRemoteTableController::control_device_select()
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
    m_widgets.activeButton->setText(remoteToggleText(remoteList.at(index)));
    resize_columns();
}

void QRemoteTableController::context_menu_config_popup()
{
    if (!contextMenuAvailable(dataSource, m_session->connected()))
        return;
    const int row = m_widgets.table->currentRow();
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

void QRemoteTableController::filter_text_change()
{
    // remoteList itself is never filtered; rows map back through the id.
    fill_table(filterByOwnerPrefix(remoteList, m_widgets.filter->text()));
}

void QRemoteTableController::resize_columns(bool force)
{
    const int w = m_widgets.table->viewport()->width();
    if (force || w != m_lastTableWidth) {
        const double shares[COLUMN_COUNT] = {0.15, 0.55, 0.2, 0.1};
        for (int column = 0; column < COLUMN_COUNT; ++column)
            m_widgets.table->setColumnWidth(column, int(w * shares[column]));
        m_lastTableWidth = w;
    }
    show_source_label();
}

void QRemoteTableController::need_saving()
{
    dbSaved = false;
    // With the modem as source this also makes the modem's snapshot follow the change.
    set_data_source(dataSource);
}

bool QRemoteTableController::modem_matches_file()
{
    return modemMatchesFile(m_session->connected(), m_modemSnapshot, m_fileSnapshot);
}

void QRemoteTableController::set_data_source(DATA_SOURCE_T kind)
{
    dataSource = kind;
    switch (kind) {
    case SOURCE_MODEM:
        m_modemSnapshot = remoteList;
        m_stickTableKnown = true;
        break;
    case SOURCE_FILE:
    case SOURCE_BACKUP:
        m_fileSnapshot = remoteList;
        break;
    case SOURCE_UNKNOWN:
        break;
    }
    show_source(kind);
}

void QRemoteTableController::show_source(DATA_SOURCE_T kind)
{
    m_labelKind = kind;
    dataSource = dataSourceLabel(kind, modem_matches_file(), source_file_name()).kind;
    show_source_label();
    emit stateChanged();
}

QString QRemoteTableController::source_file_name() const
{
    return dbFileName.isEmpty() ? m_importedFile : dbFileName;
}

void QRemoteTableController::show_source_label()
{
    QLabel *label = m_widgets.sourceLabel;
    const QString text = dataSourceLabel(m_labelKind, modem_matches_file(), source_file_name(),
                                         m_session->connected())
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
