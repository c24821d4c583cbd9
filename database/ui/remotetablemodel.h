#pragma once

#include "qcontroldevice.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSortFilterProxyModel>
#include <QString>

class RemoteList;

// The remote list as table rows: row i is the list's remote i. While a table is being
// read, the rows are the records that have arrived so far instead, until the read's
// table becomes the list or is dropped.
class RemoteTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit RemoteTableModel(const RemoteList *list, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const QControlDevice &remoteAt(int row) const { return rows().at(row); }
    // The list's index of a row; -1 for a record still arriving or a row out of range.
    int listIndex(int row) const;
    // The first row from `from` on showing the remote with this id; -1 if none.
    int rowOfId(int id, int from = 0) const;
    bool showingArriving() const { return m_arrivingShown; }

    // A record of a table being read; the first one clears the rows.
    void showArriving(const QControlDevice &remote, bool first);
    // The rows are the list again.
    void showList();
    // The texts of the rows and the headings in the language now installed.
    void retranslate();

private:
    const QList<QControlDevice> &rows() const;

    const RemoteList *m_list;
    QList<QControlDevice> m_arriving;
    bool m_arrivingShown = false;
    bool m_removing = false;
};

// The rows whose owner begins with the filter text, sorted as the header asks; the row
// numbers count the rows shown.
class RemoteFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit RemoteFilterModel(RemoteTableModel *source, QObject *parent = nullptr);

    void setOwnerPrefix(const QString &text);
    QString ownerPrefix() const { return m_prefix; }
    // The list's index of a shown row; -1 if none.
    int listIndex(int row) const;
    // The shown row of the remote with this id; -1 if none shows it.
    int rowOfId(int id) const;

    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    RemoteTableModel *m_source;
    QString m_prefix; // lower case
};
