#include "remotetablemodel.h"

#include "remotelist.h"
#include "remotetable.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>

namespace
{
// The headings keep the window's translation context, where the form had them.
struct WindowText {
    Q_DECLARE_TR_FUNCTIONS(MainWindow)
};

QString cellText(const QControlDevice &remote, int column)
{
    switch (column) {
    case COLUMN_ID:
        return QString::number(remote.id());
    case COLUMN_OWNER:
        return remote.ownerName();
    case COLUMN_STATUS:
        return remoteStatusText(remote);
    case COLUMN_GROUP:
        return remoteGroupText(remote);
    default:
        return QString();
    }
}
} // namespace

RemoteTableModel::RemoteTableModel(const RemoteList *list, QObject *parent)
    : QAbstractTableModel(parent), m_list(list)
{
    connect(list, &RemoteList::listAboutToBeReset, this, [this] { beginResetModel(); });
    connect(list, &RemoteList::listReset, this, [this] {
        m_arrivingShown = false;
        m_arriving.clear();
        endResetModel();
    });
    connect(list, &RemoteList::remoteChanged, this, [this](int index) {
        if (!m_arrivingShown)
            emit dataChanged(this->index(index, 0), this->index(index, COLUMN_COUNT - 1));
    });
    // Rows of records still arriving are not the list's rows.
    connect(list, &RemoteList::remoteAboutToBeRemoved, this, [this](int index) {
        m_removing = !m_arrivingShown;
        if (m_removing)
            beginRemoveRows(QModelIndex(), index, index);
    });
    connect(list, &RemoteList::remoteRemoved, this, [this] {
        if (m_removing)
            endRemoveRows();
        m_removing = false;
    });
}

const QList<QControlDevice> &RemoteTableModel::rows() const
{
    return m_arrivingShown ? m_arriving : m_list->remotes();
}

int RemoteTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows().size());
}

int RemoteTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : COLUMN_COUNT;
}

QVariant RemoteTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows().size())
        return QVariant();
    const QControlDevice &remote = rows().at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return cellText(remote, index.column());
    case Qt::BackgroundRole:
        return QBrush(QColor(QRgb(remoteRowRgb(remote))));
    case Qt::ToolTipRole:
        if (index.column() == COLUMN_GROUP) {
            const QString tip = remoteGroupToolTip(remote);
            if (!tip.isEmpty())
                return tip;
        }
        return QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return QVariant();
    }
}

QVariant RemoteTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case COLUMN_ID:
        return WindowText::tr("Пульт");
    case COLUMN_OWNER:
        return WindowText::tr("Владелец");
    case COLUMN_STATUS:
        return WindowText::tr("Статус");
    case COLUMN_GROUP:
        return WindowText::tr("Группа");
    default:
        return QVariant();
    }
}

int RemoteTableModel::listIndex(int row) const
{
    return !m_arrivingShown && row >= 0 && row < m_list->remotes().size() ? row : -1;
}

int RemoteTableModel::rowOfId(int id, int from) const
{
    const QList<QControlDevice> &shown = rows();
    for (int row = qMax(from, 0); row < shown.size(); ++row)
        if (shown.at(row).id() == id)
            return row;
    return -1;
}

void RemoteTableModel::showArriving(const QControlDevice &remote, bool first)
{
    if (first || !m_arrivingShown) {
        beginResetModel();
        m_arriving.clear();
        m_arrivingShown = true;
        endResetModel();
    }
    const int row = int(m_arriving.size());
    beginInsertRows(QModelIndex(), row, row);
    m_arriving.append(remote);
    endInsertRows();
}

void RemoteTableModel::showList()
{
    if (!m_arrivingShown)
        return;
    beginResetModel();
    m_arrivingShown = false;
    m_arriving.clear();
    endResetModel();
}

void RemoteTableModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, COLUMN_COUNT - 1);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, COLUMN_COUNT - 1));
}

RemoteFilterModel::RemoteFilterModel(RemoteTableModel *source, QObject *parent)
    : QSortFilterProxyModel(parent), m_source(source)
{
    setSourceModel(source);
}

void RemoteFilterModel::setOwnerPrefix(const QString &text)
{
    const QString prefix = text.toLower();
    if (prefix == m_prefix)
        return;
    m_prefix = prefix;
    // One layout change: a filter that hides every tenth row would otherwise be
    // thousands of row removals, each costing the views time in proportion to the rows.
    invalidate();
}

int RemoteFilterModel::listIndex(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    return m_source->listIndex(mapToSource(index(row, 0)).row());
}

int RemoteFilterModel::rowOfId(int id) const
{
    // The same id twice: the first one the filter lets through.
    for (int sourceRow = m_source->rowOfId(id); sourceRow != -1;
         sourceRow = m_source->rowOfId(id, sourceRow + 1)) {
        const QModelIndex shown = mapFromSource(m_source->index(sourceRow, 0));
        if (shown.isValid())
            return shown.row();
    }
    return -1;
}

QVariant RemoteFilterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // Numbered as shown, not by the list's order.
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return QSortFilterProxyModel::headerData(section, orientation, role);
}

bool RemoteFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    return sourceParent.isValid() || m_prefix.isEmpty() ||
           ownerHasPrefix(m_source->remoteAt(sourceRow), m_prefix);
}
