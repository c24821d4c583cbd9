#include "qremotetableview.h"

#include "qmodemsession.h"
#include "qtablecolumnstyleddelegate.h"
#include "remotelist.h"
#include "remotetable.h"
#include "remotetablemodel.h"

#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

QRemoteTableView::QRemoteTableView(QModemSession *session, RemoteList *list,
                                   const RemoteTableWidgets &widgets, QObject *parent)
    : QObject(parent), m_session(session), m_list(list), m_widgets(widgets),
      m_model(new RemoteTableModel(list, this)), m_filter(new RemoteFilterModel(m_model, this))
{
    m_widgets.table->setModel(m_filter);
    buildTable();
    createTableMenu();
    connect(m_widgets.table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] {
                control_device_select();
                emit currentRowChanged();
            });
    connect(m_widgets.table, &QWidget::customContextMenuRequested, this,
            &QRemoteTableView::context_menu_config_popup);
    connect(m_widgets.filter, &QLineEdit::textChanged, this, &QRemoteTableView::filter_text_change);
    // New rows widen the row header in the table's delayed layout, which narrows the
    // viewport after the fill: the widths follow each resize of the viewport itself.
    m_widgets.table->viewport()->installEventFilter(this);
    // After the model's own handlers, which the model connected first.
    connect(m_list, &RemoteList::listReset, this, &QRemoteTableView::listShown);
    connect(m_list, &RemoteList::remoteChanged, this, &QRemoteTableView::control_device_select);
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
    QTableView *table = m_widgets.table;
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
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    // One height for every row: the header never measures a hundred thousand of them.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // In the list's order until a heading is clicked.
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
    m_widgets.sourceLabel->setAlignment(Qt::AlignHCenter);
    // A long file name is elided instead of widening the window.
    m_widgets.sourceLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void QRemoteTableView::listShown()
{
    m_widgets.table->setSortingEnabled(true);
    resizeColumns(true);
    control_device_select();
}

void QRemoteTableView::showArriving(const QControlDevice &remote, bool first)
{
    if (first || !m_model->showingArriving()) {
        // Unsorted until the read ends, so each record lands below the one before.
        m_widgets.table->setSortingEnabled(false);
        m_filter->sort(-1);
    }
    m_model->showArriving(remote, first);
}

void QRemoteTableView::showList()
{
    m_model->showList();
    listShown();
}

bool QRemoteTableView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == m_widgets.table->viewport())
        resizeColumns();
    return QObject::eventFilter(watched, event);
}

int QRemoteTableView::row_to_index(int row) const
{
    return m_filter->listIndex(row);
}

int QRemoteTableView::currentIndex() const
{
    return row_to_index(m_widgets.table->currentIndex().row());
}

int QRemoteTableView::rowOfId(int id) const
{
    return m_filter->rowOfId(id);
}

void QRemoteTableView::selectRemote(int id)
{
    const int row = rowOfId(id);
    if (row != -1)
        m_widgets.table->setCurrentIndex(m_filter->index(row, COLUMN_ID));
}

void QRemoteTableView::control_device_select()
{
    const int row = m_widgets.table->currentIndex().row();
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
    const int row = m_widgets.table->currentIndex().row();
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
    // remoteList itself is never filtered; rows map back through the proxy.
    m_filter->setOwnerPrefix(m_widgets.filter->text());
    // A current row the filter hid is gone without a signal of the selection.
    control_device_select();
    emit currentRowChanged();
}

void QRemoteTableView::retranslate()
{
    m_model->retranslate();
    control_device_select();
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
