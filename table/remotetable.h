#pragma once

#include "datasource.h"
#include "qcontroldevice.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the remote table shows, kept apart from the widgets so the window's
// slots stay thin.

enum REMOTE_COLUMN_T {
    COLUMN_ID = 0,
    COLUMN_OWNER = 1,
    COLUMN_STATUS = 2,
    COLUMN_GROUP = 3,
    COLUMN_COUNT = 4,
};

// The cell texts of one row, in column order; the status is translated.
QStringList remoteRowTexts(const QControlDevice &remote);
// "Активен" or "Заблокирован", translated.
QString remoteStatusText(const QControlDevice &remote);
// The group, with "*" for a remote that is not in the normal work mode.
QString remoteGroupText(const QControlDevice &remote);
// What the mark after the group number means; empty without one.
QString remoteGroupToolTip(const QControlDevice &remote);
// The row's background as 0xRRGGBB: green for an active remote, red for a blocked one.
quint32 remoteRowRgb(const QControlDevice &remote);
// The text of the button and menu entry that toggles a remote's state.
QString remoteToggleText(const QControlDevice &remote);

// The editing dialogs' limit on an owner name, in characters: it keeps a name within a
// short record.
constexpr int MaxOwnerNameLength = 59;
// Why an owner name cannot go into the stick's records unchanged: characters the short
// records' code page lacks, or more bytes than a long record holds. Empty when it can.
// The length limit is the caller's.
QString ownerNameRefusal(const QString &name, bool longRecords);

// Remotes whose owner name begins with `text`, in either case, in list order.
QList<QControlDevice> filterByOwnerPrefix(const QList<QControlDevice> &list, const QString &text);
// The same test for one remote; the prefix already in lower case.
bool ownerHasPrefix(const QControlDevice &remote, const QString &lowerPrefix);

// The index of the first remote with the id written in a row's id cell, or -1.
// Rows map through the id, so sorting and filtering never mix rows up.
int indexOfIdText(const QList<QControlDevice> &list, const QString &idCell);

// The ids of the remotes, in list order, as the operation log records them.
QList<int> remoteIds(const QList<QControlDevice> &list);

// Same count, and every remote of `a` equal to some remote of `b`.
bool sameRemotes(const QList<QControlDevice> &a, const QList<QControlDevice> &b);
// The modem's last known table against the last file or backup.
bool modemMatchesFile(bool modemConnected, const QList<QControlDevice> &modemSnapshot,
                      const QList<QControlDevice> &fileSnapshot);

// The data source as the label shows it: a file or backup equal to the modem's
// table counts as the modem. A table read from a stick that is gone says so.
struct DataSourceLabel {
    DATA_SOURCE_T kind;
    QString text; // without the heading markup
};
DataSourceLabel dataSourceLabel(DATA_SOURCE_T kind, bool matches, const QString &dbFileName,
                                bool modemConnected = true);

// The context menu is only offered for a table the modem holds.
bool contextMenuAvailable(DATA_SOURCE_T kind, bool modemConnected);
