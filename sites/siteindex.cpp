#include "siteindex.h"

#include "privatefiles.h"
#include "sitelibrary.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace
{
const QLatin1String IndexFile("sites.sqlite");
// A new layout makes the old index go and be built again.
const QLatin1String SchemaVersion("1");

const char *const Schema[] = {
    "CREATE TABLE info(key TEXT PRIMARY KEY, value TEXT)",
    "CREATE TABLE sites(folder TEXT PRIMARY KEY, signature TEXT, name TEXT, address TEXT, "
    "snapshots INTEGER, last_time INTEGER, last_count INTEGER)",
    "CREATE TABLE sticks(folder TEXT, serial TEXT)",
    "CREATE INDEX sticks_serial ON sticks(serial)",
    "CREATE TABLE backups(folder TEXT, backup TEXT)",
    // One row a remote and site; names: every owner name it had there, case-folded.
    "CREATE TABLE remotes(folder TEXT, id INTEGER, owner TEXT, names TEXT, first_file TEXT, "
    "first_time INTEGER, last_file TEXT, last_time INTEGER, in_last INTEGER)",
    "CREATE INDEX remotes_id ON remotes(id)",
    "CREATE INDEX remotes_folder ON remotes(folder)",
};

QDateTime fromMs(const QVariant &v)
{
    return v.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(v.toLongLong(), Qt::UTC);
}

const char *const FoundColumns =
    "SELECT r.folder, s.name, r.id, r.owner, r.first_file, r.first_time, r.last_file, "
    "r.last_time, r.in_last FROM remotes r JOIN sites s ON s.folder = r.folder ";

RemoteFound foundRow(const QSqlQuery &q)
{
    RemoteFound f;
    f.folder = q.value(0).toString();
    f.siteName = q.value(1).toString();
    f.id = q.value(2).toInt();
    f.ownerName = q.value(3).toString();
    f.firstSnapshot = q.value(4).toString();
    f.firstTime = fromMs(q.value(5));
    f.lastSnapshot = q.value(6).toString();
    f.lastTime = fromMs(q.value(7));
    f.inLastSnapshot = q.value(8).toInt() != 0;
    return f;
}
} // namespace

struct SiteIndex::Private {
    QString connection;
    QSqlDatabase db;
    QString lastError;

    bool exec(const QString &sql)
    {
        QSqlQuery q(db);
        if (q.exec(sql))
            return true;
        lastError = q.lastError().text();
        return false;
    }
};

SiteIndex::SiteIndex(SiteLibrary *library) : m_library(library), d(new Private)
{
    d->connection = QStringLiteral("vexo-sites-%1").arg(quintptr(this), 0, 16);
}

SiteIndex::~SiteIndex()
{
    if (d->db.isValid())
        d->db.close();
    d->db = QSqlDatabase();
    if (QSqlDatabase::contains(d->connection))
        QSqlDatabase::removeDatabase(d->connection);
    delete d;
}

QString SiteIndex::path() const
{
    return m_library->dataDirectory() + QLatin1Char('/') + IndexFile;
}

bool SiteIndex::open(QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = tr("Не удалось открыть указатель объектов %1: %2").arg(path(), why);
        return false;
    };
    if (!privatefiles::makeDirectory(m_library->dataDirectory()))
        return fail(tr("папка не создаётся"));
    // Made the user's alone before SQLite writes a byte; its journals take its mode.
    QFile file(path());
    if (!file.exists()) {
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, privatefiles::FilePermissions) &&
            !file.exists())
            return fail(file.errorString());
        file.close();
    }
    file.setPermissions(privatefiles::FilePermissions);

    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!d->db.isValid())
            d->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), d->connection);
        d->db.setDatabaseName(path());
        // The window and vexoctl may refresh it at the same time: one waits for the other.
        d->db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        if (!d->db.open())
            return fail(d->db.lastError().text());
        QSqlQuery q(d->db);
        const bool current =
            q.exec(QStringLiteral("SELECT value FROM info WHERE key = 'schema'")) && q.next() &&
            q.value(0).toString() == SchemaVersion;
        q.finish();
        if (current)
            break;
        // Unreadable, empty or of another layout: built anew from the files.
        d->db.close();
        if (!QFile::remove(path()) && QFile::exists(path()))
            return fail(tr("старый указатель не удаляется"));
        QFile fresh(path());
        if (!fresh.open(QIODevice::WriteOnly | QIODevice::NewOnly, privatefiles::FilePermissions))
            return fail(fresh.errorString());
        fresh.close();
        if (!d->db.open())
            return fail(d->db.lastError().text());
        bool made = d->exec(QStringLiteral("BEGIN"));
        for (const char *statement : Schema)
            made = made && d->exec(QLatin1String(statement));
        made = made &&
               d->exec(
                   QStringLiteral("INSERT INTO info VALUES ('schema', '%1')").arg(SchemaVersion)) &&
               d->exec(QStringLiteral("COMMIT"));
        if (!made)
            return fail(d->lastError);
        break;
    }
    // It can always be built again from the files: no waiting on the disk for it.
    d->exec(QStringLiteral("PRAGMA synchronous = OFF"));
    return true;
}

QStringList SiteIndex::folders() const
{
    return QDir(m_library->sitesDirectory()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

QString SiteIndex::signatureOf(const QString &folder) const
{
    const QString dir = m_library->siteDirectory(folder);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    QByteArray listing;
    const auto add = [&listing](const QFileInfoList &files) {
        for (const QFileInfo &f : files) {
            listing += f.fileName().toUtf8();
            listing += '\t';
            listing += QByteArray::number(f.size());
            listing += '\t';
            listing += QByteArray::number(f.lastModified().toMSecsSinceEpoch());
            listing += '\n';
        }
    };
    add(QDir(dir).entryInfoList({QStringLiteral("site.json")}, QDir::Files));
    add(QDir(dir + QStringLiteral("/snapshots")).entryInfoList(QDir::Files, QDir::Name));
    hash.addData(listing);
    return QString::fromLatin1(hash.result().toHex());
}

bool SiteIndex::isStale()
{
    QSqlQuery q(d->db);
    QHash<QString, QString> stored;
    if (!q.exec(QStringLiteral("SELECT folder, signature FROM sites")))
        return true;
    while (q.next())
        stored.insert(q.value(0).toString(), q.value(1).toString());
    const QStringList onDisk = folders();
    if (onDisk.size() != stored.size())
        return true;
    for (const QString &folder : onDisk)
        if (stored.value(folder) != signatureOf(folder))
            return true;
    return false;
}

bool SiteIndex::refresh(const Progress &progress, QString *error)
{
    m_lastRead = 0;
    QHash<QString, QString> stored;
    {
        QSqlQuery q(d->db);
        if (!q.exec(QStringLiteral("SELECT folder, signature FROM sites"))) {
            if (error)
                *error = q.lastError().text();
            return false;
        }
        while (q.next())
            stored.insert(q.value(0).toString(), q.value(1).toString());
    }
    const QStringList onDisk = folders();
    if (!d->exec(QStringLiteral("BEGIN"))) {
        if (error)
            *error = d->lastError;
        return false;
    }
    bool ok = true;
    int done = 0;
    for (const QString &folder : onDisk) {
        if (progress && !progress(done, int(onDisk.size()))) {
            ok = false;
            d->lastError = tr("Прервано");
            break;
        }
        ++done;
        const QString before = stored.take(folder);
        const QString signature = signatureOf(folder);
        if (!before.isEmpty() && before == signature)
            continue;
        if (!rebuildSite(folder, signature)) {
            ok = false;
            break;
        }
        ++m_lastRead;
    }
    // Sites whose folders are gone.
    for (auto i = stored.cbegin(); ok && i != stored.cend(); ++i) {
        for (const char *table : {"sites", "sticks", "backups", "remotes"}) {
            QSqlQuery q(d->db);
            q.prepare(QStringLiteral("DELETE FROM %1 WHERE folder = ?").arg(QLatin1String(table)));
            q.addBindValue(i.key());
            ok = ok && q.exec();
        }
    }
    if (!ok || !d->exec(QStringLiteral("COMMIT"))) {
        const QString why = d->lastError;
        d->exec(QStringLiteral("ROLLBACK"));
        if (error)
            *error = why;
        return false;
    }
    if (progress)
        progress(done, int(onDisk.size()));
    return true;
}

bool SiteIndex::rebuildSite(const QString &folder, const QString &signature)
{
    const auto run = [this](QSqlQuery &q) {
        if (q.exec())
            return true;
        d->lastError = q.lastError().text();
        return false;
    };
    for (const char *table : {"sites", "sticks", "backups", "remotes"}) {
        QSqlQuery q(d->db);
        q.prepare(QStringLiteral("DELETE FROM %1 WHERE folder = ?").arg(QLatin1String(table)));
        q.addBindValue(folder);
        if (!run(q))
            return false;
    }
    Site site;
    // A folder without a readable site.json is no site; it is looked at again once it
    // changes.
    const bool isSite = m_library->readSite(folder, &site);

    struct Seen {
        QString owner;
        QStringList names;
        QString firstFile, lastFile;
        qint64 firstTime = 0, lastTime = 0;
    };
    QHash<int, Seen> seen;
    QSet<int> inLast;
    const QList<SnapshotInfo> snapshots =
        isSite ? m_library->snapshots(folder) : QList<SnapshotInfo>();
    QStringList backups;
    for (const SnapshotInfo &info : snapshots) {
        if (!info.meta.backup.isEmpty())
            backups << info.meta.backup;
        QList<QControlDevice> table;
        if (!SiteLibrary::loadSnapshot(info.path, &table))
            continue;
        const qint64 time = info.meta.time.toMSecsSinceEpoch();
        inLast.clear();
        for (const QControlDevice &r : table) {
            inLast.insert(r.id());
            Seen &s = seen[r.id()];
            if (s.firstFile.isEmpty()) {
                s.firstFile = info.fileName;
                s.firstTime = time;
            }
            s.lastFile = info.fileName;
            s.lastTime = time;
            s.owner = r.ownerName();
            const QString folded = r.ownerName().toCaseFolded();
            if (!s.names.contains(folded))
                s.names << folded;
        }
    }

    QSqlQuery q(d->db);
    q.prepare(QStringLiteral("INSERT INTO sites VALUES (?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(folder);
    q.addBindValue(signature);
    q.addBindValue(isSite ? site.name : QString());
    q.addBindValue(site.address);
    q.addBindValue(isSite ? int(snapshots.size()) : -1);
    q.addBindValue(snapshots.isEmpty() ? QVariant()
                                       : QVariant(snapshots.last().meta.time.toMSecsSinceEpoch()));
    q.addBindValue(int(inLast.size()));
    if (!run(q))
        return false;
    q.prepare(QStringLiteral("INSERT INTO sticks VALUES (?, ?)"));
    for (const QString &serial : std::as_const(site.sticks)) {
        q.addBindValue(folder);
        q.addBindValue(serial);
        if (!run(q))
            return false;
    }
    q.prepare(QStringLiteral("INSERT INTO backups VALUES (?, ?)"));
    for (const QString &backup : std::as_const(backups)) {
        q.addBindValue(folder);
        q.addBindValue(backup);
        if (!run(q))
            return false;
    }
    q.prepare(QStringLiteral("INSERT INTO remotes VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (auto i = seen.cbegin(); i != seen.cend(); ++i) {
        q.addBindValue(folder);
        q.addBindValue(i.key());
        q.addBindValue(i->owner);
        q.addBindValue(i->names.join(QLatin1Char('\n')));
        q.addBindValue(i->firstFile);
        q.addBindValue(i->firstTime);
        q.addBindValue(i->lastFile);
        q.addBindValue(i->lastTime);
        q.addBindValue(inLast.contains(i.key()) ? 1 : 0);
        if (!run(q))
            return false;
    }
    return true;
}

QList<SiteSummary> SiteIndex::sites()
{
    QList<SiteSummary> list;
    QSqlQuery q(d->db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral(
            "SELECT folder, name, address, snapshots, last_time FROM sites WHERE snapshots >= 0")))
        return list;
    while (q.next())
        list.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                     q.value(3).toInt(), fromMs(q.value(4))});
    std::sort(list.begin(), list.end(), [](const SiteSummary &a, const SiteSummary &b) {
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
    return list;
}

QList<RemoteFound> SiteIndex::findId(int id)
{
    QList<RemoteFound> list;
    QSqlQuery q(d->db);
    q.setForwardOnly(true);
    q.prepare(QLatin1String(FoundColumns) + QStringLiteral("WHERE r.id = ?"));
    q.addBindValue(id);
    if (q.exec())
        while (q.next())
            list.append(foundRow(q));
    return list;
}

QList<RemoteFound> SiteIndex::findOwner(const QString &part, int limit)
{
    QList<RemoteFound> list;
    const QString folded = part.trimmed().toCaseFolded();
    if (folded.isEmpty())
        return list;
    QSqlQuery q(d->db);
    q.setForwardOnly(true);
    q.prepare(QLatin1String(FoundColumns) + QStringLiteral("WHERE instr(r.names, ?) > 0 LIMIT ?"));
    q.addBindValue(folded);
    q.addBindValue(limit);
    if (q.exec())
        while (q.next())
            list.append(foundRow(q));
    return list;
}

QList<RemoteFound> SiteIndex::find(const QString &text, int limit)
{
    const QString trimmed = text.trimmed();
    QList<RemoteFound> list;
    // Digits alone are an id, as the table shows it; anything else a part of a name.
    bool isNumber = false;
    const int id = trimmed.toInt(&isNumber);
    list = isNumber && trimmed.at(0).isDigit() ? findId(id) : findOwner(trimmed, limit);
    std::sort(list.begin(), list.end(), [](const RemoteFound &a, const RemoteFound &b) {
        const int bySite = QString::localeAwareCompare(a.siteName, b.siteName);
        return bySite != 0 ? bySite < 0 : a.id < b.id;
    });
    if (list.size() > limit)
        list.resize(limit);
    return list;
}

SiteRecognition SiteIndex::recognise(const QString &adapterSerial,
                                     const QList<QControlDevice> &table)
{
    SiteRecognition result;
    QSet<QString> bySerial;
    if (!adapterSerial.isEmpty()) {
        QSqlQuery q(d->db);
        q.prepare(QStringLiteral("SELECT DISTINCT folder FROM sticks WHERE serial = ?"));
        q.addBindValue(adapterSerial);
        if (q.exec())
            while (q.next())
                bySerial.insert(q.value(0).toString());
    }

    QSet<int> ids;
    for (const QControlDevice &r : table)
        ids.insert(r.id());
    if (!ids.isEmpty()) {
        // Whole numbers only: written into the statement, no text from outside.
        QStringList list;
        list.reserve(ids.size());
        for (int id : std::as_const(ids))
            list << QString::number(id);
        QSqlQuery q(d->db);
        q.setForwardOnly(true);
        if (q.exec(QStringLiteral("SELECT r.folder, s.name, COUNT(*), s.last_count FROM remotes r "
                                  "JOIN sites s ON s.folder = r.folder WHERE r.in_last = 1 AND "
                                  "r.id IN (%1) GROUP BY r.folder ORDER BY 3 DESC LIMIT 20")
                       .arg(list.join(QLatin1Char(','))))) {
            while (q.next())
                result.candidates.append({q.value(0).toString(), q.value(1).toString(),
                                          q.value(2).toInt(), q.value(3).toInt()});
        }
    }
    // Sites of the serial number that share no remote are candidates too.
    for (const QString &folder : std::as_const(bySerial)) {
        const bool listed = std::any_of(
            result.candidates.cbegin(), result.candidates.cend(),
            [&folder](const SiteRecognition::Candidate &c) { return c.folder == folder; });
        if (listed)
            continue;
        QSqlQuery q(d->db);
        q.prepare(QStringLiteral("SELECT name, last_count FROM sites WHERE folder = ?"));
        q.addBindValue(folder);
        if (q.exec() && q.next())
            result.candidates.append({folder, q.value(0).toString(), 0, q.value(1).toInt()});
    }
    std::stable_sort(
        result.candidates.begin(), result.candidates.end(),
        [&bySerial](const SiteRecognition::Candidate &a, const SiteRecognition::Candidate &b) {
            const bool sa = bySerial.contains(a.folder);
            const bool sb = bySerial.contains(b.folder);
            return sa != sb ? sa : a.shared > b.shared;
        });

    // One site lists the adapter: that one. Several do (a stick moved without its old
    // site updated): the table decides among them.
    if (bySerial.size() == 1) {
        result.kind = SiteRecognition::BY_SERIAL;
        result.folder = *bySerial.cbegin();
        return result;
    }
    const QList<SiteRecognition::Candidate> &c = result.candidates;
    if (!c.isEmpty()) {
        const SiteRecognition::Candidate &best = c.first();
        const int whole = std::max(int(ids.size()), best.lastCount);
        const bool enough = whole > 0 && best.shared * 100 >= RecogniseShare * whole;
        const bool alone = c.size() < 2 || c.at(1).shared < best.shared;
        if (enough && alone && (bySerial.isEmpty() || bySerial.contains(best.folder))) {
            result.kind =
                bySerial.isEmpty() ? SiteRecognition::BY_TABLE : SiteRecognition::BY_SERIAL;
            result.folder = best.folder;
        }
    }
    return result;
}

QStringList SiteIndex::assignedBackups()
{
    QStringList list;
    QSqlQuery q(d->db);
    if (q.exec(QStringLiteral("SELECT DISTINCT backup FROM backups")))
        while (q.next())
            list << q.value(0).toString();
    return list;
}
