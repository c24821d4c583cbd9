#pragma once

#include "qcontroldevice.h"
#include "qdbmanipulator.h"

#include <QList>
#include <QObject>
#include <QString>

class QModemSession;
class RemoteList;

// The remote list in database files and backups, and the exit question that offers to
// save it.
class QTableFiles : public QObject
{
    Q_OBJECT
public:
    QTableFiles(QModemSession *session, RemoteList *list, QObject *parent = nullptr);

    // Per-user directory for backups, downloads and the operation log.
    static QString dataDirectory();
    // The operation log's file in it.
    static QString operationLogPath();
    // Another data directory for this run (--demo's own); empty: the user's.
    static void setDataDirectory(const QString &path);
    // The exit question; false keeps the program open.
    bool confirmClose();
    // Leaving without the exit question (logout, shutdown): what the question would have
    // offered to keep goes into a backup. False when one was due and not written.
    bool backupBeforeLeaving();
    // The database file the user picks, read; warns and returns false otherwise.
    bool chooseFile(QList<QControlDevice> *list, QString *chosen);
    // The backup the user picks from the data folder; warns and returns false otherwise.
    bool chooseBackup(QList<QControlDevice> *list, QString *chosen = nullptr);
    // A device's table kept in a backup before a step replaces it. False when the backup
    // could not be written: the user has been told why, and that notDone.
    bool keepBeforeReplacing(const QList<QControlDevice> &table,
                             QDbManipulator::BACKUP_SOURCE_T source, const QString &notDone);

public slots:
    void load_db_from_file();
    void save_db_to_file();
    void save_db_to_new_file();
    void load_reserved();
    void save_reserved();

private:
    // False (after the warning) when the file was not written.
    bool writeDbFile(const QString &name);

    QModemSession *m_session;
    RemoteList *m_list;
};
