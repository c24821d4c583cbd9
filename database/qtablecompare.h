#pragma once

#include "qcontroldevice.h"

#include <QList>
#include <QObject>
#include <QString>

class QModemSession;
class QRemoteOperations;
class QTableFiles;
class QTableTransfers;
class RemoteList;
struct RemoteDifference;

// The stick's table beside a file or a backup; the differences can be applied to the
// stick with single-remote writes and deletes.
class QTableCompare : public QObject
{
    Q_OBJECT
public:
    QTableCompare(QModemSession *session, RemoteList *list, QTableFiles *files,
                  QTableTransfers *transfers, QRemoteOperations *operations,
                  QObject *parent = nullptr);

signals:
    // A short note for the status bar: differences applied.
    void statusMessage(const QString &text);

public slots:
    void compare_with_file();
    void compare_with_backup();
    // True when the stick now holds the other table.
    bool compare_and_apply(const QList<QControlDevice> &other, const QString &otherName);

private:
    bool apply_differences(const QList<RemoteDifference> &differences);

    QModemSession *m_session;
    RemoteList *m_list;
    QTableFiles *m_files;
    QTableTransfers *m_transfers;
    QRemoteOperations *m_operations;
};
