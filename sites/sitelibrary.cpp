#include "sitelibrary.h"

#include "privatefiles.h"
#include "qdbmanipulator.h"
#include "tablediff.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSysInfo>

#include <algorithm>

namespace
{
const QLatin1String SitesFolder("sites");
const QLatin1String SnapshotsFolder("snapshots");
const QLatin1String SiteFile("site.json");
const QLatin1String MetaSuffix(".meta.json");
const QLatin1String JsonSuffix(".json");
// UTC, sortable, and without the colons Windows refuses in a file name.
const QLatin1String SnapshotTimeFormat("yyyy-MM-ddTHH-mm-ss'Z'");
constexpr int SnapshotTimeLength = 20;
// Folder names stay short enough for the deepest path Windows allows by default.
constexpr int MaxFolderName = 60;

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

bool isReservedOnWindows(const QString &name)
{
    // The device names, with any extension: "con.txt" is the console as well.
    const QString base = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const QStringList Fixed = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    if (Fixed.contains(base))
        return true;
    if (base.size() == 4 && (base.startsWith("COM") || base.startsWith("LPT")))
        return base.at(3).isDigit() || base.at(3) == QChar(0xB9) || base.at(3) == QChar(0xB2) ||
               base.at(3) == QChar(0xB3);
    return false;
}

QString cleanFileName(const QString &text, int limit)
{
    static const QString Refused = QStringLiteral("<>:\"/\\|?*");
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text)
        clean += (c.unicode() < 0x20 || c.unicode() == 0x7F || Refused.contains(c))
                     ? QLatin1Char('_')
                     : c;
    // Windows drops trailing dots and spaces; a leading dot hides the folder elsewhere.
    while (!clean.isEmpty() && (clean.front() == QLatin1Char('.') || clean.front().isSpace()))
        clean.remove(0, 1);
    if (clean.size() > limit) {
        int cut = limit;
        if (clean.at(cut - 1).isHighSurrogate())
            --cut;
        clean.truncate(cut);
    }
    while (!clean.isEmpty() && (clean.back() == QLatin1Char('.') || clean.back().isSpace()))
        clean.chop(1);
    return clean;
}

QJsonObject siteJson(const Site &site)
{
    return QJsonObject{{"name", site.name},
                       {"address", site.address},
                       {"notes", site.notes},
                       {"sticks", QJsonArray::fromStringList(site.sticks)},
                       {"created", site.created.toUTC().toString(Qt::ISODate)}};
}

QJsonObject metaJson(const SnapshotMeta &meta)
{
    QJsonObject params;
    for (auto i = meta.params.cbegin(); i != meta.params.cend(); ++i)
        params.insert(QString::number(i.key()), i.value());
    QJsonObject o{{"time", meta.time.toUTC().toString(Qt::ISODateWithMs)},
                  {"machine", meta.machine},
                  {"action", meta.action},
                  {"stickVersion", meta.stickVersion},
                  {"actuatorVersion", meta.actuatorVersion},
                  {"params", params},
                  {"adapterSerial", meta.adapterSerial},
                  {"remotes", meta.remotes}};
    if (!meta.backup.isEmpty())
        o.insert("backup", meta.backup);
    return o;
}

// A new file, never one that is there: false when the name is taken or it cannot be
// written, and then nothing of it is left behind.
bool writeNewFile(const QString &path, const QByteArray &bytes, QString *error, bool *taken)
{
    QFile file(path);
    *taken = false;
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, privatefiles::FilePermissions)) {
        *taken = file.exists();
        setError(error,
                 SiteLibrary::tr("Ошибка записи файла %1: %2").arg(path, file.errorString()));
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        setError(error,
                 SiteLibrary::tr("Ошибка записи файла %1: %2").arg(path, file.errorString()));
        file.close();
        file.remove();
        return false;
    }
    file.close();
    return true;
}

QDateTime timeFromName(const QString &fileName)
{
    QDateTime time = QDateTime::fromString(fileName.left(SnapshotTimeLength), SnapshotTimeFormat);
    time.setTimeSpec(Qt::UTC);
    return time;
}
} // namespace

QString SnapshotAction::text(const QString &action)
{
    if (action == QLatin1String(Read))
        return SiteLibrary::tr("Чтение таблицы");
    if (action == QLatin1String(Write))
        return SiteLibrary::tr("Запись таблицы");
    if (action == QLatin1String(Apply))
        return SiteLibrary::tr("Применение изменений");
    if (action == QLatin1String(ParamsRead))
        return SiteLibrary::tr("Чтение параметров");
    if (action == QLatin1String(ParamsWrite))
        return SiteLibrary::tr("Запись параметров");
    if (action == QLatin1String(Backup))
        return SiteLibrary::tr("Резервная копия");
    if (action == QLatin1String(Restore))
        return SiteLibrary::tr("Восстановление");
    return action;
}

SiteLibrary::SiteLibrary(const QString &dataDirectory) : m_dataDirectory(dataDirectory) {}

QString SiteLibrary::sitesDirectory() const
{
    return m_dataDirectory + QLatin1Char('/') + SitesFolder;
}

QString SiteLibrary::siteDirectory(const QString &folder) const
{
    return sitesDirectory() + QLatin1Char('/') + folder;
}

QString SiteLibrary::folderNameFor(const QString &name, const QStringList &taken)
{
    QString base = cleanFileName(name.simplified(), MaxFolderName);
    if (base.isEmpty())
        base = QStringLiteral("site");
    if (isReservedOnWindows(base))
        base.prepend(QLatin1Char('_'));
    QString candidate = base;
    const auto isTaken = [&taken](const QString &folder) {
        return std::any_of(taken.cbegin(), taken.cend(), [&folder](const QString &t) {
            return t.compare(folder, Qt::CaseInsensitive) == 0;
        });
    };
    for (int n = 2; isTaken(candidate); ++n)
        candidate = base + QStringLiteral(" (%1)").arg(n);
    return candidate;
}

QString SiteLibrary::machineName()
{
    QString name;
    for (const QChar c : QSysInfo::machineHostName())
        name += (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))
                    ? c
                    : QLatin1Char('_');
    name.truncate(40);
    return name.isEmpty() ? QStringLiteral("pc") : name;
}

QList<Site> SiteLibrary::sites() const
{
    QList<Site> list;
    const QStringList folders = QDir(sitesDirectory()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &folder : folders) {
        Site site;
        if (readSite(folder, &site))
            list.append(site);
    }
    std::sort(list.begin(), list.end(), [](const Site &a, const Site &b) {
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
    return list;
}

bool SiteLibrary::readSite(const QString &folder, Site *site, QString *error) const
{
    QFile file(siteDirectory(folder) + QLatin1Char('/') + SiteFile);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error,
                 tr("Ошибка открытия файла %1: %2").arg(file.fileName(), file.errorString()));
        return false;
    }
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    if (!doc.isObject()) {
        setError(error, tr("Неверный формат файла %1").arg(file.fileName()));
        return false;
    }
    const QJsonObject o = doc.object();
    site->folder = folder;
    site->name = o.value("name").toString();
    if (site->name.isEmpty())
        site->name = folder;
    site->address = o.value("address").toString();
    site->notes = o.value("notes").toString();
    site->sticks.clear();
    for (const QJsonValue &v : o.value("sticks").toArray())
        if (!v.toString().isEmpty())
            site->sticks << v.toString();
    site->created = QDateTime::fromString(o.value("created").toString(), Qt::ISODate);
    return true;
}

Site SiteLibrary::findByName(const QString &name) const
{
    const QString wanted = name.simplified();
    const QList<Site> all = sites();
    for (const Site &site : all)
        if (site.name.simplified().compare(wanted, Qt::CaseInsensitive) == 0)
            return site;
    return Site();
}

bool SiteLibrary::writeSiteFile(const Site &site, QString *error)
{
    QSaveFile file(siteDirectory(site.folder) + QLatin1Char('/') + SiteFile);
    const QByteArray bytes = QJsonDocument(siteJson(site)).toJson();
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(privatefiles::FilePermissions) ||
        file.write(bytes) != bytes.size() || !file.commit()) {
        setError(error, tr("Ошибка записи файла %1: %2").arg(file.fileName(), file.errorString()));
        return false;
    }
    return true;
}

bool SiteLibrary::createSite(Site *site, QString *error)
{
    site->name = site->name.simplified();
    if (site->name.isEmpty()) {
        setError(error, tr("У объекта нет названия"));
        return false;
    }
    if (!privatefiles::makeDirectory(sitesDirectory())) {
        setError(error, tr("Папка %1 не создаётся").arg(sitesDirectory()));
        return false;
    }
    const QStringList taken =
        QDir(sitesDirectory()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    site->folder = folderNameFor(site->name, taken);
    // Another program may make the same folder meanwhile: mkdir fails then, and the next
    // name is tried.
    for (int attempt = 0; !QDir(sitesDirectory()).mkdir(site->folder); ++attempt) {
        if (attempt > 20) {
            setError(error, tr("Папка %1 не создаётся").arg(siteDirectory(site->folder)));
            return false;
        }
        QStringList more = taken;
        more << site->folder;
        site->folder = folderNameFor(site->name, more);
    }
    if (!privatefiles::makeDirectory(siteDirectory(site->folder)) ||
        !privatefiles::makeDirectory(siteDirectory(site->folder) + QLatin1Char('/') +
                                     SnapshotsFolder)) {
        setError(error, tr("Папка %1 не создаётся").arg(siteDirectory(site->folder)));
        return false;
    }
    if (!site->created.isValid())
        site->created = QDateTime::currentDateTimeUtc();
    return writeSiteFile(*site, error);
}

bool SiteLibrary::saveSite(const Site &site, QString *error)
{
    if (site.folder.isEmpty() || !QDir(siteDirectory(site.folder)).exists()) {
        setError(error, tr("Нет объекта «%1»").arg(site.name));
        return false;
    }
    return writeSiteFile(site, error);
}

bool SiteLibrary::removeSite(const QString &folder, QString *error)
{
    // Only a folder of the sites' own, never a path that leads out of it.
    const QDir dir(siteDirectory(folder));
    if (folder.isEmpty() || folder.contains(QLatin1Char('/')) ||
        folder.contains(QLatin1Char('\\')) || folder.startsWith(QLatin1Char('.')) ||
        !dir.exists(QStringLiteral("site.json"))) {
        setError(error, tr("Нет объекта «%1»").arg(folder));
        return false;
    }
    if (!QDir(dir).removeRecursively()) {
        setError(error, tr("Папка %1 удаляется не полностью").arg(dir.path()));
        return false;
    }
    return true;
}

bool SiteLibrary::siteNamed(const QString &name, Site *site, QString *error)
{
    *site = findByName(name);
    if (!site->folder.isEmpty())
        return true;
    site->name = name;
    return createSite(site, error);
}

bool SiteLibrary::addStick(Site *site, const QString &serial, QString *error)
{
    if (serial.isEmpty() || site->sticks.contains(serial))
        return true;
    site->sticks << serial;
    return saveSite(*site, error);
}

bool SiteLibrary::addSnapshot(const QString &folder, const QList<QControlDevice> &table,
                              SnapshotMeta meta, QString *path, QString *error)
{
    const QString dir = siteDirectory(folder) + QLatin1Char('/') + SnapshotsFolder;
    if (folder.isEmpty() || !QDir(siteDirectory(folder)).exists()) {
        setError(error, tr("Нет объекта «%1»").arg(folder));
        return false;
    }
    if (!privatefiles::makeDirectory(dir)) {
        setError(error, tr("Папка %1 не создаётся").arg(dir));
        return false;
    }
    if (!meta.time.isValid())
        meta.time = QDateTime::currentDateTimeUtc();
    if (meta.machine.isEmpty())
        meta.machine = machineName();
    meta.remotes = int(table.size());
    const QString base = meta.time.toUTC().toString(SnapshotTimeFormat) + QLatin1Char('-') +
                         cleanFileName(meta.machine, 40);
    const QByteArray tableBytes = QDbManipulator::toJson(table);
    const QByteArray metaBytes = QJsonDocument(metaJson(meta)).toJson();
    for (int n = 1; n < 1000; ++n) {
        const QString name = n == 1 ? base : base + QStringLiteral("-%1").arg(n);
        const QString tablePath = dir + QLatin1Char('/') + name + JsonSuffix;
        const QString metaPath = dir + QLatin1Char('/') + name + MetaSuffix;
        if (QFile::exists(metaPath))
            continue;
        bool taken = false;
        // The table's file claims the name; its metadata follows.
        if (!writeNewFile(tablePath, tableBytes, error, &taken)) {
            if (taken)
                continue;
            return false;
        }
        if (!writeNewFile(metaPath, metaBytes, error, &taken)) {
            QFile::remove(tablePath);
            if (taken)
                continue;
            return false;
        }
        if (path)
            *path = tablePath;
        return true;
    }
    setError(error, tr("Ошибка записи снимка в папку %1").arg(dir));
    return false;
}

SnapshotMeta SiteLibrary::readMeta(const QString &snapshotPath)
{
    SnapshotMeta meta;
    const QString base = snapshotPath.left(snapshotPath.size() - JsonSuffix.size());
    QFile file(base + MetaSuffix);
    if (file.open(QIODevice::ReadOnly)) {
        const QJsonObject o = QJsonDocument::fromJson(file.readAll()).object();
        meta.time = QDateTime::fromString(o.value("time").toString(), Qt::ISODateWithMs);
        meta.machine = o.value("machine").toString();
        meta.action = o.value("action").toString();
        meta.stickVersion = o.value("stickVersion").toString();
        meta.actuatorVersion = o.value("actuatorVersion").toString();
        const QJsonObject params = o.value("params").toObject();
        for (auto i = params.begin(); i != params.end(); ++i) {
            bool ok = false;
            const int id = i.key().toInt(&ok);
            if (ok && i.value().isDouble())
                meta.params.insert(id, i.value().toInt());
        }
        meta.adapterSerial = o.value("adapterSerial").toString();
        meta.backup = o.value("backup").toString();
        meta.remotes = o.value("remotes").toInt(-1);
    }
    // A snapshot whose metadata is lost or was never finished keeps the time of its name.
    if (!meta.time.isValid())
        meta.time = timeFromName(QFileInfo(snapshotPath).fileName());
    if (!meta.time.isValid())
        meta.time = QFileInfo(snapshotPath).lastModified().toUTC();
    return meta;
}

QList<SnapshotInfo> SiteLibrary::snapshots(const QString &folder) const
{
    QList<SnapshotInfo> list;
    const QDir dir(siteDirectory(folder) + QLatin1Char('/') + SnapshotsFolder);
    const QStringList names = dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        if (name.endsWith(MetaSuffix))
            continue;
        SnapshotInfo info;
        info.fileName = name;
        info.path = dir.filePath(name);
        info.meta = readMeta(info.path);
        list.append(info);
    }
    std::stable_sort(list.begin(), list.end(), [](const SnapshotInfo &a, const SnapshotInfo &b) {
        return a.meta.time < b.meta.time;
    });
    return list;
}

bool SiteLibrary::loadSnapshot(const QString &path, QList<QControlDevice> *table, QString *error)
{
    return QDbManipulator::loadFromFile(path, *table, error);
}

QList<HistoryEntry> SiteLibrary::history(const QString &folder) const
{
    QList<HistoryEntry> entries;
    QList<QControlDevice> previous;
    bool havePrevious = false;
    for (const SnapshotInfo &info : snapshots(folder)) {
        HistoryEntry entry;
        entry.snapshot = info;
        QList<QControlDevice> table;
        entry.readable = loadSnapshot(info.path, &table);
        if (entry.readable) {
            // Against the last readable one: an unreadable file in between changes nothing.
            const QList<QControlDevice> before = havePrevious ? previous : QList<QControlDevice>();
            for (const RemoteDifference &d : compareTables(table, before, true)) {
                if (d.kind == RemoteDifference::ONLY_IN_STICK)
                    ++entry.added;
                else if (d.kind == RemoteDifference::ONLY_IN_FILE)
                    ++entry.removed;
                else
                    ++entry.changed;
            }
            previous = table;
            havePrevious = true;
        }
        entries.append(entry);
    }
    return entries;
}

QList<BackupInfo> SiteLibrary::backups() const
{
    QStringList names;
    QList<QDateTime> times;
    QDbManipulator::listBackups(m_dataDirectory, names, times);
    QList<BackupInfo> list;
    for (qsizetype i = 0; i < names.size(); ++i)
        list.append({m_dataDirectory + QLatin1Char('/') + names.at(i), names.at(i), times.at(i)});
    return list;
}

bool SiteLibrary::assignBackup(const QString &backupPath, const QString &folder,
                               QString *snapshotPath, QString *error)
{
    const QString fileName = QFileInfo(backupPath).fileName();
    // Assigned twice, it is still one snapshot.
    for (const SnapshotInfo &info : snapshots(folder)) {
        if (info.meta.backup == fileName) {
            if (snapshotPath)
                *snapshotPath = info.path;
            return true;
        }
    }
    QList<QControlDevice> table;
    if (!QDbManipulator::loadFromFile(backupPath, table, error))
        return false;
    SnapshotMeta meta;
    // Backups are named by local time.
    meta.time = QDateTime::fromString(fileName.left(fileName.size() - JsonSuffix.size()),
                                      QLatin1String(QDbManipulator::BackupNameFormat));
    if (!meta.time.isValid())
        meta.time = QFileInfo(backupPath).lastModified();
    meta.time = meta.time.toUTC();
    meta.action = QLatin1String(SnapshotAction::Backup);
    meta.backup = fileName;
    return addSnapshot(folder, table, meta, snapshotPath, error);
}
