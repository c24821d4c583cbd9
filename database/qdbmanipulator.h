#pragma once

#include "qcontroldevice.h"

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

    static bool saveToFile(const QString &fileName, const QList<QControlDevice> &list,
                           QString *error);
    // `list` changes only on success.
    static bool loadFromFile(const QString &fileName, QList<QControlDevice> &list, QString *error);

    // Writes nothing when the newest backup already holds this table.
    static bool saveBackup(const QString &dir, const QList<QControlDevice> &list, QString *error,
                           const QDateTime &now = QDateTime::currentDateTime());
    static bool loadBackup(const QString &dir, QList<QControlDevice> &list, QString *error,
                           const BackupChooser &choose);
    // Backups newest file first; names and times stay parallel.
    static void listBackups(const QString &dir, QStringList &names, QList<QDateTime> &times);

    static QByteArray toJson(const QList<QControlDevice> &list);

private:
    // ownerOnly: readable and writable by the user alone.
    static bool writeFile(const QString &fileName, const QList<QControlDevice> &list,
                          QString *error, bool ownerOnly);
};
