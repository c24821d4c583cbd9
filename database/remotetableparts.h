#pragma once

#include "qremotetableview.h"

#include <QObject>

class QModemSession;
class QOperationLogWindow;
class QRemoteOperations;
class QRemoteSearch;
class QTableCompare;
class QTableCopy;
class QTableCsv;
class QTableFiles;
class QTableTransfers;
class RemoteList;

// Builds the remote table's parts around one remote list and ties them to the session.
// Each part does one job; the window wires its menus and buttons to them.
class RemoteTableParts : public QObject
{
    Q_OBJECT
public:
    RemoteTableParts(QModemSession *session, const RemoteTableWidgets &widgets,
                     QObject *parent = nullptr);

    RemoteList &list() const { return *m_list; }
    QRemoteTableView &view() const { return *m_view; }
    QTableFiles &files() const { return *m_files; }
    QTableTransfers &transfers() const { return *m_transfers; }
    QTableCopy &copier() const { return *m_copier; }
    QRemoteOperations &operations() const { return *m_operations; }
    QRemoteSearch &search() const { return *m_search; }
    QTableCompare &compare() const { return *m_compare; }
    QTableCsv &csv() const { return *m_csv; }
    QOperationLogWindow &logWindow() const { return *m_logWindow; }

signals:
    // A short note for the status bar from any part: a check passed, changes applied.
    void statusMessage(const QString &text);

private:
    RemoteList *m_list;
    QRemoteTableView *m_view;
    QTableFiles *m_files;
    QTableTransfers *m_transfers;
    QTableCopy *m_copier;
    QRemoteOperations *m_operations;
    QRemoteSearch *m_search;
    QTableCompare *m_compare;
    QTableCsv *m_csv;
    QOperationLogWindow *m_logWindow;
};
