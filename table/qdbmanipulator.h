#pragma once

#include "qcontroldevice.h"
#include "tablecheck.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

// Reads and writes remote tables as JSON database files and keeps the
// time-stamped backups. Errors come back as a bool and a text for the user.
class QDbManipulator : public QObject
{
    Q_OBJECT
public:
    // At most this many backups stay in the backup directory.
    static constexpr int MaxBackups = 100;
    static const char *const BackupNameFormat;  // "yyyy_MM_dd_hh_mm_ss"
    static const char *const BackupLabelFormat; // as offered to the user

    // Asks the user to pick one of the items; *ok false when cancelled.
    using BackupChooser = std::function<QString(const QString &title, const QString &label,
                                                const QStringList &items, bool *ok)>;

    // Where a backed-up table came from; the backup says so for the chooser.
    enum BACKUP_SOURCE_T { BACKUP_STICK, BACKUP_ACTUATOR, BACKUP_FILE };

    static bool saveToFile(const QString &fileName, const QList<QControlDevice> &list,
                           QString *error);
    // `list` changes only on success. Every remote is checked: field types and ranges, and
    // owner names the records of this format hold; the error names each faulty remote.
    static bool loadFromFile(const QString &fileName, QList<QControlDevice> &list, QString *error,
                             RECORD_FORMAT_T records = RECORDS_ANY);

    // Writes nothing when the newest backup already holds this table from the same source.
    static bool saveBackup(const QString &dir, const QList<QControlDevice> &list, QString *error,
                           const QDateTime &now = QDateTime::currentDateTime(),
                           BACKUP_SOURCE_T source = BACKUP_FILE);
    static bool loadBackup(const QString &dir, QList<QControlDevice> &list, QString *error,
                           const BackupChooser &choose);
    // Backups newest file first; names and times stay parallel.
    static void listBackups(const QString &dir, QStringList &names, QList<QDateTime> &times);

    static QByteArray toJson(const QList<QControlDevice> &list);
    // How the chooser offers a backup: its time, its number of remotes, where it came from.
    static QString backupLabel(const QString &path, const QDateTime &time);
    // "stick", "actuator" or "file" as the backup says; "file" for an older one.
    static QString backupSource(const QString &path);

private:
    // With a source (not empty) the file is a backup: it says where its table came from,
    // is readable by the user alone, and a failure says why.
    static bool writeFile(const QString &fileName, const QList<QControlDevice> &list,
                          QString *error, const QString &source);
    static QByteArray toJson(const QList<QControlDevice> &list, const QString &source);
};
