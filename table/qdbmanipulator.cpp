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

const QLatin1String KeySource("source");

// Remotes whose faults a format error names before the rest are only counted.
constexpr int LISTED_FAULTS = 10;

QString jsonTypeName(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return QDbManipulator::tr("null");
    case QJsonValue::Bool:
        return QDbManipulator::tr("логическое значение");
    case QJsonValue::Double:
        return QDbManipulator::tr("число");
    case QJsonValue::String:
        return QDbManipulator::tr("строка");
    case QJsonValue::Array:
        return QDbManipulator::tr("массив");
    case QJsonValue::Object:
        return QDbManipulator::tr("объект");
    case QJsonValue::Undefined:
        break;
    }
    return QDbManipulator::tr("нет значения");
}

QString wrongType(const QString &key, const QString &expected, const QJsonValue &value)
{
    QString found = jsonTypeName(value);
    if (value.isString())
        found += QStringLiteral(" \"%1\"").arg(value.toString().left(20));
    else if (value.isBool())
        found += value.toBool() ? QStringLiteral(" true") : QStringLiteral(" false");
    return QDbManipulator::tr("поле «%1»: ожидается %2, в файле %3").arg(key, expected, found);
}

// A whole number within [0, max]; anything else would be cut on the wire. Empty when it
// is one, else what is wrong with it.
QString wholeNumber(const QJsonObject &object, const QString &key, double max, int *out)
{
    const QJsonValue value = object.value(key);
    if (!value.isDouble())
        return wrongType(key, QDbManipulator::tr("число"), value);
    const double d = value.toDouble();
    if (!std::isfinite(d) || d < 0 || d > max || std::floor(d) != d)
        return QDbManipulator::tr("поле «%1»: %2 не целое число в диапазоне 0..%3")
            .arg(key, QString::number(d, 'g', 17), QString::number(qint64(max)));
    *out = int(d);
    return QString();
}

// Each element starts from the blank remote, so a missing key never borrows a value from
// the element before it. Every fault of the element goes into faults; why a name does not
// fit is only worked out when explain is set (it takes a code-page lookup per character).
QControlDevice parseDevice(const QJsonValue &element, RECORD_FORMAT_T records, QStringList *faults,
                           bool explain)
{
    QControlDevice device;
    // Anything without a single key of a remote is not one: loaded, it would stand for an
    // empty table that one write puts on the stick.
    if (!element.isObject()) {
        *faults << QDbManipulator::tr("ожидается объект, в файле %1").arg(jsonTypeName(element));
        return device;
    }
    const QJsonObject object = element.toObject();
    if (!object.contains(KeyId) && !object.contains(KeyGroup) && !object.contains(KeyOwnerName) &&
        !object.contains(KeyActive) && !object.contains(KeyWorkMode)) {
        *faults << QDbManipulator::tr("нет ни одного поля пульта");
        return device;
    }
    int number = 0;
    const auto check = [faults](const QString &fault) {
        if (fault.isEmpty())
            return true;
        *faults << fault;
        return false;
    };
    if (object.contains(KeyId) && check(wholeNumber(object, KeyId, QControlDevice::MaxId, &number)))
        device.setId(number);
    if (object.contains(KeyGroup) && check(wholeNumber(object, KeyGroup, 255, &number)))
        device.setGroup((unsigned char)number);
    if (object.contains(KeyWorkMode) && check(wholeNumber(object, KeyWorkMode, 255, &number)))
        device.setWorkMode((unsigned char)number);
    if (object.contains(KeyActive)) {
        const QJsonValue value = object.value(KeyActive);
        if (check(value.isBool()
                      ? QString()
                      : wrongType(KeyActive, QDbManipulator::tr("true или false"), value)))
            device.setActive(value.toBool());
    }
    if (object.contains(KeyOwnerName)) {
        const QJsonValue value = object.value(KeyOwnerName);
        if (!value.isString()) {
            check(wrongType(KeyOwnerName, QDbManipulator::tr("строка"), value));
        } else {
            device.setOwnerName(value.toString());
            if (!ownerNameFits(device.ownerName(), records))
                check(explain ? QDbManipulator::tr("поле «%1»: %2")
                                    .arg(QString(KeyOwnerName),
                                         ownerNameProblem(device.ownerName(), records))
                              : QString(KeyOwnerName));
        }
    }
    return device;
}

// Where a parse error lies, as an editor counts lines and columns (from 1).
QString parsePlace(const QByteArray &bytes, int offset)
{
    const QByteArray before = bytes.left(qBound(0, offset, int(bytes.size())));
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    const int line = int(before.count('\n')) + 1;
    const int column = int(QString::fromUtf8(before.mid(lineStart)).size()) + 1;
    return QDbManipulator::tr("строка %1, столбец %2").arg(line).arg(column);
}

QString sourceKey(QDbManipulator::BACKUP_SOURCE_T source)
{
    switch (source) {
    case QDbManipulator::BACKUP_STICK:
        return QStringLiteral("stick");
    case QDbManipulator::BACKUP_ACTUATOR:
        return QStringLiteral("actuator");
    case QDbManipulator::BACKUP_FILE:
        break;
    }
    return QStringLiteral("file");
}
} // namespace

QByteArray QDbManipulator::toJson(const QList<QControlDevice> &list)
{
    return toJson(list, QString());
}

QByteArray QDbManipulator::toJson(const QList<QControlDevice> &list, const QString &source)
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
    // Backups only: older versions read "devices" and pass over keys they do not know.
    if (!source.isEmpty())
        root.insert(KeySource, source);
    return QJsonDocument(root).toJson();
}

bool QDbManipulator::saveToFile(const QString &fileName, const QList<QControlDevice> &list,
                                QString *error)
{
    return writeFile(fileName, list, error, QString());
}

bool QDbManipulator::writeFile(const QString &fileName, const QList<QControlDevice> &list,
                               QString *error, const QString &source)
{
    const bool backup = !source.isEmpty();
    // A backup that fails stops what it was for: the user is told why, beneath the name.
    const auto failed = [&](const QFileDevice &file) {
        setError(error, backup ? openError(fileName) + QLatin1Char('\n') + file.errorString()
                               : openError(fileName));
        return false;
    };
    // The old file stays whole until the new one is complete on disk.
    QSaveFile file(fileName);
    // A backup holds who may open the gate: for the user's eyes only.
    if (!file.open(QIODevice::WriteOnly) ||
        (backup && !file.setPermissions(privatefiles::FilePermissions)))
        return failed(file);
    // A short write (disk full, size limit) reports no error by itself, and
    // commit() would then put a truncated file in place of the old one.
    // Nor does commit() notice when flushing what is still buffered fails: a small table
    // is flushed here.
    const QByteArray bytes = toJson(list, source);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        setError(error,
                 backup ? openError(fileName) + QLatin1Char('\n') + reason : openError(fileName));
        return false;
    }
    if (!file.commit())
        return failed(file);
    return true;
}

bool QDbManipulator::loadFromFile(const QString &fileName, QList<QControlDevice> &list,
                                  QString *error, RECORD_FORMAT_T records)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, openError(fileName));
        return false;
    }
    const QByteArray bytes = file.readAll();
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        setError(error,
                 formatError(fileName) + QLatin1Char('\n') +
                     tr("Файл не является документом JSON: %1: %2")
                         .arg(parsePlace(bytes, parseError.offset), parseError.errorString()));
        return false;
    }
    // A file without a list of remotes is no table, not an empty one.
    if (!doc.isObject() || !doc.object().value(KeyDevices).isArray()) {
        setError(error, formatError(fileName) + QLatin1Char('\n') +
                            tr("В файле нет списка пультов «%1»").arg(QString(KeyDevices)));
        return false;
    }
    const QJsonArray devices = doc.object().value(KeyDevices).toArray();

    QList<QControlDevice> loaded;
    loaded.reserve(devices.size());
    QSet<int> ids;
    bool duplicate = false;
    QStringList faults;
    int faulty = 0;
    for (qsizetype i = 0; i < devices.size(); ++i) {
        QStringList found;
        const QControlDevice device =
            parseDevice(devices.at(i), records, &found, faulty < LISTED_FAULTS);
        if (!found.isEmpty()) {
            if (++faulty <= LISTED_FAULTS) {
                const QJsonObject object = devices.at(i).toObject();
                const QString which =
                    object.value(KeyId).isDouble()
                        ? tr("Пульт %1 (№%2)")
                              .arg(i + 1)
                              .arg(QString::number(object.value(KeyId).toDouble(), 'g', 17))
                        : tr("Пульт %1").arg(i + 1);
                faults << which + ": " + found.join(QStringLiteral("; "));
            }
            continue;
        }
        if (ids.contains(device.id()))
            duplicate = true;
        ids.insert(device.id());
        loaded.append(device);
    }
    if (faulty > 0) {
        if (faulty > LISTED_FAULTS)
            faults << tr("... и еще пультов с ошибками: %1").arg(faulty - LISTED_FAULTS);
        setError(error, formatError(fileName) + QLatin1Char('\n') + faults.join(QLatin1Char('\n')));
        return false;
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
                                QString *error, const QDateTime &now, BACKUP_SOURCE_T source)
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
        const QString newestPath = dir + QLatin1Char('/') + names.at(closest);
        if (loadFromFile(newestPath, newest, nullptr) && sameRemotes(newest, list) &&
            backupSource(newestPath) == sourceKey(source))
            return true;

        if (names.size() > MaxBackups - 1) {
            const QString victim = dir + QLatin1Char('/') + names.at(farthest);
            if (!QFile::remove(victim))
                qCWarning(lcDatabase) << "Не удалось удалить резервную копию" << victim;
        }
    }
    const QString name = now.toString(QLatin1String(BackupNameFormat)) + QLatin1String(".json");
    return writeFile(dir + QLatin1Char('/') + name, list, error, sourceKey(source));
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
    for (qsizetype i = 0; i < names.size(); ++i)
        items.append(backupLabel(dir + QLatin1Char('/') + names.at(i), times.at(i)));

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

QString QDbManipulator::backupSource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    // Backups of older versions came from the stick or a file, which they did not say.
    return doc.object().value(KeySource).toString(QStringLiteral("file"));
}

QString QDbManipulator::backupLabel(const QString &path, const QDateTime &time)
{
    const QString when = time.toString(QLatin1String(BackupLabelFormat));
    QFile file(path);
    const QJsonDocument doc =
        file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()) : QJsonDocument();
    const QJsonValue devices = doc.object().value(KeyDevices);
    if (!devices.isArray())
        return tr("%1 — не читается").arg(when);
    const QString count = tr("%1 — пультов: %2").arg(when).arg(devices.toArray().size());
    const QString source = doc.object().value(KeySource).toString();
    if (source == QLatin1String("stick"))
        return count + tr(", из USB-stick");
    if (source == QLatin1String("actuator"))
        return count + tr(", из исполнительного устройства");
    if (source == QLatin1String("file"))
        return count + tr(", из файла");
    // Written by an older version, which did not say where from.
    return count;
}
