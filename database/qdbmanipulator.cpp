#include "qdbmanipulator.h"

#include "privatefiles.h"
#include "remotetable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QSet>

#include <cmath>

Q_LOGGING_CATEGORY(lcDatabase, "vexo.database", QtInfoMsg)

const char *const QDbManipulator::BackupNameFormat = "yyyy_MM_dd_hh_mm_ss";
const char *const QDbManipulator::BackupLabelFormat = "dd-MM-yyyy hh:mm:ss";

namespace
{
const QLatin1String KeyDevices("devices");
const QLatin1String KeyActive("active");
const QLatin1String KeyGroup("group");
const QLatin1String KeyId("id");
const QLatin1String KeyOwnerName("ownerName");
const QLatin1String KeyWorkMode("workMode");

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString openError(const QString &fileName)
{
    return QDbManipulator::tr("Ошибка открытия файла ") + fileName;
}

QString formatError(const QString &fileName)
{
    return QDbManipulator::tr("Неверный формат файла ") + fileName;
}

// A whole number within [0, max]; anything else would be cut on the wire.
bool wholeNumberInRange(const QJsonValue &value, double max, int *out)
{
    bool ok = false;
    const double d = value.toVariant().toDouble(&ok);
    if (!ok || !std::isfinite(d) || d < 0 || d > max || std::floor(d) != d)
        return false;
    *out = int(d);
    return true;
}

// Each element starts from the blank remote, so a missing key never borrows
// a value from the element before it.
bool parseDevice(const QJsonValue &element, QControlDevice *device)
{
    // Anything without a single key of a remote is not one: loaded, it would stand for an
    // empty table that one write puts on the stick.
    if (!element.isObject())
        return false;
    const QJsonObject object = element.toObject();
    if (!object.contains(KeyId) && !object.contains(KeyGroup) && !object.contains(KeyOwnerName) &&
        !object.contains(KeyActive) && !object.contains(KeyWorkMode))
        return false;
    QControlDevice blank;
    int number = 0;
    if (object.contains(KeyId)) {
        if (!wholeNumberInRange(object.value(KeyId), QControlDevice::MaxId, &number))
            return false;
        blank.setId(number);
    }
    if (object.contains(KeyGroup)) {
        if (!wholeNumberInRange(object.value(KeyGroup), 255, &number))
            return false;
        blank.setGroup((unsigned char)number);
    }
    if (object.contains(KeyOwnerName))
        blank.setOwnerName(object.value(KeyOwnerName).toVariant().toString());
    if (object.contains(KeyActive))
        blank.setActive(object.value(KeyActive).toVariant().toBool());
    if (object.contains(KeyWorkMode)) {
        if (!wholeNumberInRange(object.value(KeyWorkMode), 255, &number))
            return false;
        blank.setWorkMode((unsigned char)number);
    }
    *device = blank;
    return true;
}
} // namespace

QByteArray QDbManipulator::toJson(const QList<QControlDevice> &list)
{
    QJsonArray devices;
    for (const QControlDevice &d : list) {
        QJsonObject o;
        o.insert(KeyActive, d.active());
        o.insert(KeyGroup, int(d.group()));
        o.insert(KeyId, d.id());
        o.insert(KeyOwnerName, d.ownerName());
        o.insert(KeyWorkMode, int(d.workMode()));
        devices.append(o);
    }
    QJsonObject root;
    root.insert(KeyDevices, devices);
    return QJsonDocument(root).toJson();
}

bool QDbManipulator::saveToFile(const QString &fileName, const QList<QControlDevice> &list,
                                QString *error)
{
    return writeFile(fileName, list, error, false);
}

bool QDbManipulator::writeFile(const QString &fileName, const QList<QControlDevice> &list,
                               QString *error, bool ownerOnly)
{
    // The old file stays whole until the new one is complete on disk.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) ||
        (ownerOnly && !file.setPermissions(privatefiles::FilePermissions))) {
        setError(error, openError(fileName));
        return false;
    }
    // A short write (disk full, size limit) reports no error by itself, and
    // commit() would then put a truncated file in place of the old one.
    // Nor does commit() notice when flushing what is still buffered fails: a small table
    // is flushed here.
    const QByteArray bytes = toJson(list);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        setError(error, openError(fileName));
        return false;
    }
    if (!file.commit()) {
        setError(error, openError(fileName));
        return false;
    }
    return true;
}

bool QDbManipulator::loadFromFile(const QString &fileName, QList<QControlDevice> &list,
                                  QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, openError(fileName));
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        setError(error, formatError(fileName));
        return false;
    }
    // A file without a list of remotes is no table, not an empty one.
    if (!doc.isObject() || !doc.object().value(KeyDevices).isArray()) {
        setError(error, formatError(fileName));
        return false;
    }
    const QJsonArray devices = doc.object().value(KeyDevices).toArray();

    QList<QControlDevice> loaded;
    loaded.reserve(devices.size());
    QSet<int> ids;
    bool duplicate = false;
    for (const QJsonValue &element : devices) {
        QControlDevice device;
        if (!parseDevice(element, &device)) {
            setError(error, formatError(fileName));
            return false;
        }
        if (ids.contains(device.id()))
            duplicate = true;
        ids.insert(device.id());
        loaded.append(device);
    }
    if (duplicate) {
        setError(error, tr("Неверный формат файла: дублирующие значения пультов. Загрузка "
                           "отменена."));
        return false;
    }
    list = loaded;
    return true;
}

void QDbManipulator::listBackups(const QString &dir, QStringList &names, QList<QDateTime> &times)
{
    names.clear();
    times.clear();
    const QFileInfoList files =
        QDir(dir).entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Time);
    for (const QFileInfo &info : files) {
        const QString name = info.fileName();
        const QDateTime time =
            QDateTime::fromString(name.left(name.size() - 5), QLatin1String(BackupNameFormat));
        if (!time.isValid())
            continue;
        names.append(name);
        times.append(time);
    }
}

bool QDbManipulator::saveBackup(const QString &dir, const QList<QControlDevice> &list,
                                QString *error, const QDateTime &now)
{
    const qint64 nowMs = now.toMSecsSinceEpoch();
    QStringList names;
    QList<QDateTime> times;
    listBackups(dir, names, times);

    if (!names.isEmpty()) {
        qsizetype closest = 0;
        qsizetype farthest = 0;
        qint64 closestDist = -1;
        qint64 farthestDist = -1;
        for (qsizetype i = 0; i < times.size(); ++i) {
            const qint64 dist = qAbs(times.at(i).toMSecsSinceEpoch() - nowMs);
            if (closestDist < 0 || dist < closestDist) {
                closestDist = dist;
                closest = i;
            }
            if (dist > farthestDist) {
                farthestDist = dist;
                farthest = i;
            }
        }

        // An unreadable newest backup must not stop backups for good.
        QList<QControlDevice> newest;
        if (loadFromFile(dir + QLatin1Char('/') + names.at(closest), newest, nullptr) &&
            sameRemotes(newest, list))
            return true;

        if (names.size() > MaxBackups - 1) {
            const QString victim = dir + QLatin1Char('/') + names.at(farthest);
            if (!QFile::remove(victim))
                qCWarning(lcDatabase) << "Не удалось удалить резервную копию" << victim;
        }
    }
    const QString name = now.toString(QLatin1String(BackupNameFormat)) + QLatin1String(".json");
    // A backup holds who may open the gate: for the user's eyes only.
    return writeFile(dir + QLatin1Char('/') + name, list, error, true);
}

bool QDbManipulator::loadBackup(const QString &dir, QList<QControlDevice> &list, QString *error,
                                const BackupChooser &choose)
{
    QStringList names;
    QList<QDateTime> times;
    listBackups(dir, names, times);
    if (names.isEmpty()) {
        setError(error, tr("Нет ни одной резервной копии"));
        return false;
    }
    QStringList items;
    for (const QDateTime &t : times)
        items.append(t.toString(QLatin1String(BackupLabelFormat)));

    bool ok = false;
    const QString chosen =
        choose ? choose(tr("Выбор резервной копии"),
                        tr("Выберите резервную копию для загрузки в программу"), items, &ok)
               : QString();
    if (!ok) {
        setError(error, tr("Не выбрана резервная копия файла"));
        return false;
    }
    const qsizetype index = items.indexOf(chosen);
    if (index < 0) {
        setError(error, tr("Ошибка загрузки резервной копии"));
        return false;
    }
    return loadFromFile(dir + QLatin1Char('/') + names.at(index), list, error);
}
