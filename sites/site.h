#pragma once

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// A place the installer serves: one folder in the data folder's "sites", its description
// in site.json and its snapshots beside it.
struct Site {
    QString folder; // the folder's name, derived from the name when the site was made
    QString name;
    QString address; // or the customer
    QString notes;
    QStringList sticks; // serial numbers of the USB adapters that belong to it
    QDateTime created;
};

// What a snapshot records beside its table.
struct SnapshotMeta {
    QDateTime time; // UTC
    QString machine;
    QString action; // one of the SnapshotAction names, or another word
    QString stickVersion;
    QString actuatorVersion;
    QMap<int, int> params; // parameter id to value, where known
    QString adapterSerial;
    QString backup; // the backup it was copied from, by file name
    int remotes = -1;
};

// One snapshot file of a site.
struct SnapshotInfo {
    QString path; // the table, in the database file format
    QString fileName;
    SnapshotMeta meta;
};

// A snapshot in a site's history with what changed since the one before it.
struct HistoryEntry {
    SnapshotInfo snapshot;
    int added = 0;
    int removed = 0;
    int changed = 0;
    bool readable = true; // false: its table could not be read, the counts say nothing
};

// A backup of the data folder not yet assigned to a site.
struct BackupInfo {
    QString path;
    QString fileName;
    QDateTime time; // local time, from its name
};

namespace SnapshotAction
{
inline constexpr const char *Read = "read";
inline constexpr const char *Write = "write";
inline constexpr const char *Apply = "apply";
inline constexpr const char *ParamsRead = "params-read";
inline constexpr const char *ParamsWrite = "params-write";
inline constexpr const char *Backup = "backup";
inline constexpr const char *Restore = "restore";
// Translated, for lists and the report; an unknown action as it is written.
QString text(const QString &action);
} // namespace SnapshotAction
