#pragma once

#include "qcontroldevice.h"
#include "site.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

// The sites kept as plain files under a data folder, so that a site's folder can be
// copied, synchronised between machines and opened by hand:
//   sites/<folder>/site.json
//   sites/<folder>/snapshots/<UTC time>-<machine>.json       the table, as a database file
//   sites/<folder>/snapshots/<UTC time>-<machine>.meta.json  what it records beside it
// Snapshots are only ever added: a name taken gets a suffix, so two machines never
// overwrite each other's. Files are the user's alone (0600), folders too (0700).
class SiteLibrary
{
    Q_DECLARE_TR_FUNCTIONS(SiteLibrary)
public:
    // dataDirectory: the program's data folder, where its backups are.
    explicit SiteLibrary(const QString &dataDirectory);

    QString dataDirectory() const { return m_dataDirectory; }
    QString sitesDirectory() const;
    QString siteDirectory(const QString &folder) const;

    // A folder name for a site's free-text name: no path separators or characters Windows
    // refuses, no name Windows reserves (CON, COM1, ...), no leading dot, not empty, and
    // unlike every name in taken (ignoring case, as Windows and macOS compare them).
    static QString folderNameFor(const QString &name, const QStringList &taken);
    // The machine's name as a file name takes it.
    static QString machineName();

    // Every site on disk, by name; a folder whose site.json cannot be read is left out.
    QList<Site> sites() const;
    bool readSite(const QString &folder, Site *site, QString *error = nullptr) const;
    // The site with this name (ignoring case), else a folder that is none.
    Site findByName(const QString &name) const;
    // Makes the site's folder (site->folder is filled in) and writes site.json.
    bool createSite(Site *site, QString *error);
    // Rewrites site.json of an existing site.
    bool saveSite(const Site &site, QString *error);
    // Removes the site's folder with its snapshots.
    bool removeSite(const QString &folder, QString *error);
    // The site named so, made when there is none.
    bool siteNamed(const QString &name, Site *site, QString *error);
    // Adds an adapter's serial number to the site's sticks (nothing when empty or there).
    bool addStick(Site *site, const QString &serial, QString *error);

    // Writes a new snapshot; meta.time is taken as now when it is not valid, and
    // meta.machine as this machine when empty. *path: the table's file.
    bool addSnapshot(const QString &folder, const QList<QControlDevice> &table, SnapshotMeta meta,
                     QString *path, QString *error);
    // The site's snapshots, oldest first.
    QList<SnapshotInfo> snapshots(const QString &folder) const;
    // The snapshots with their added, removed and changed counts against the one before.
    QList<HistoryEntry> history(const QString &folder) const;
    static bool loadSnapshot(const QString &path, QList<QControlDevice> *table,
                             QString *error = nullptr);
    static SnapshotMeta readMeta(const QString &snapshotPath);

    // The program's own backups in the data folder, newest first; they stay as they are.
    QList<BackupInfo> backups() const;
    // A copy of a backup becomes a snapshot of the site, timed as the backup was made.
    bool assignBackup(const QString &backupPath, const QString &folder, QString *snapshotPath,
                      QString *error);

private:
    bool writeSiteFile(const Site &site, QString *error);

    QString m_dataDirectory;
};
