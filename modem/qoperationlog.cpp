#include "qoperationlog.h"

#include "modemlog.h"
#include "privatefiles.h"
#include "qmodem.h"
#include "qmodemsession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{
const struct {
    OPERATION_T operation;
    const char *key;
    const char *text;
} Operations[] = {
    {OPERATION_REMOTE_ADDED, "remote_added", QT_TRANSLATE_NOOP("QOperationLog", "Пульт добавлен")},
    {OPERATION_REMOTE_BLOCKED, "remote_blocked",
     QT_TRANSLATE_NOOP("QOperationLog", "Пульт заблокирован")},
    {OPERATION_REMOTE_ACTIVATED, "remote_activated",
     QT_TRANSLATE_NOOP("QOperationLog", "Пульт активирован")},
    {OPERATION_REMOTE_EDITED, "remote_edited",
     QT_TRANSLATE_NOOP("QOperationLog", "Изменен владелец пульта")},
    {OPERATION_REMOTE_DELETED, "remote_deleted",
     QT_TRANSLATE_NOOP("QOperationLog", "Пульт удален")},
    {OPERATION_TABLE_WRITTEN, "table_written",
     QT_TRANSLATE_NOOP("QOperationLog", "Таблица записана в USB-stick")},
    {OPERATION_TABLE_CLEARED, "table_cleared",
     QT_TRANSLATE_NOOP("QOperationLog", "Память очищена")},
    {OPERATION_TABLE_COPIED_TO_DEVICE, "table_copied_to_device",
     QT_TRANSLATE_NOOP("QOperationLog", "Таблица скопирована из USB-stick в устройство")},
    {OPERATION_TABLE_COPIED_TO_MODEM, "table_copied_to_stick",
     QT_TRANSLATE_NOOP("QOperationLog", "Таблица скопирована из устройства в USB-stick")},
    {OPERATION_DIFFERENCES_APPLIED, "differences_applied",
     QT_TRANSLATE_NOOP("QOperationLog", "Отличия от файла применены к USB-stick")},
    {OPERATION_PARAMS_WRITTEN, "params_written",
     QT_TRANSLATE_NOOP("QOperationLog", "Параметры записаны в устройство")},
    {OPERATION_FACTORY_RESET, "factory_reset",
     QT_TRANSLATE_NOOP("QOperationLog", "Восстановлены заводские настройки")},
    {OPERATION_FIRMWARE_FLASHED, "firmware_flashed",
     QT_TRANSLATE_NOOP("QOperationLog", "Прошивка загружена")},
    {OPERATION_PASSWORD_SET, "password_set",
     QT_TRANSLATE_NOOP("QOperationLog", "Установлен пароль")},
    {OPERATION_PASSWORD_REMOVED, "password_removed",
     QT_TRANSLATE_NOOP("QOperationLog", "Пароль удален")},
    {OPERATION_PASSWORD_RESET, "password_reset",
     QT_TRANSLATE_NOOP("QOperationLog", "Сброшен забытый пароль")},
};

QString rotatedName(const QString &path, int n)
{
    return path + "." + QString::number(n);
}
} // namespace

bool OperationLogEntry::operator==(const OperationLogEntry &other) const
{
    return time == other.time && user == other.user && stickVersion == other.stickVersion &&
           operation == other.operation && remotes == other.remotes && ok == other.ok &&
           detail == other.detail;
}

QOperationLog::QOperationLog(const QModem *modem, QObject *parent) : QObject(parent), m_modem(modem)
{
}

void QOperationLog::setPath(const QString &path)
{
    m_path = path;
}

QString QOperationLog::operationKey(OPERATION_T operation)
{
    for (const auto &o : Operations)
        if (o.operation == operation)
            return QString::fromLatin1(o.key);
    return QString();
}

QString QOperationLog::operationText(const QString &key)
{
    for (const auto &o : Operations)
        if (key == QLatin1String(o.key))
            return QCoreApplication::translate("QOperationLog", o.text);
    return key;
}

QString QOperationLog::userName()
{
    for (const char *name : {"USER", "USERNAME", "LOGNAME"}) {
        const QString user = qEnvironmentVariable(name);
        if (!user.isEmpty())
            return user;
    }
    // Services and containers may set none of them; the home folder is named after the user.
    return QDir::home().dirName();
}

bool QOperationLog::append(OPERATION_T operation, const QList<int> &remotes, bool ok,
                           const QString &detail)
{
    OperationLogEntry entry;
    entry.time = QDateTime::currentDateTime();
    entry.user = userName();
    if (m_modem && m_modem->version().size() == 4)
        entry.stickVersion = QModemSession::versionText(m_modem->version());
    entry.operation = operationKey(operation);
    entry.remotes = remotes;
    entry.ok = ok;
    entry.detail = detail;
    return append(entry);
}

bool QOperationLog::append(const OperationLogEntry &entry)
{
    if (m_path.isEmpty())
        return false;
    const QByteArray line = toLine(entry);
    if (QFileInfo(m_path).size() + line.size() > m_maxBytes)
        rotate();
    privatefiles::makeDirectory(QFileInfo(m_path).absolutePath());
    // A line cut short by a crash must not swallow the next entry.
    QByteArray out = line;
    {
        QFile existing(m_path);
        if (existing.open(QIODevice::ReadOnly) && existing.size() > 0 &&
            existing.seek(existing.size() - 1) && existing.read(1) != "\n")
            out.prepend('\n');
    }
    // Who opened the gate when is for the user's eyes only.
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append, privatefiles::FilePermissions) ||
        !file.setPermissions(privatefiles::FilePermissions)) {
        qCWarning(lcModem) << "operation log not writable:" << m_path << file.errorString();
        return false;
    }
    const bool written = file.write(out) == out.size() && file.flush();
    file.close();
    emit appended(entry);
    return written;
}

void QOperationLog::rotate()
{
    QFile::remove(rotatedName(m_path, RotatedFiles));
    for (int n = RotatedFiles - 1; n >= 1; --n)
        QFile::rename(rotatedName(m_path, n), rotatedName(m_path, n + 1));
    QFile::rename(m_path, rotatedName(m_path, 1));
}

QList<OperationLogEntry> QOperationLog::entries() const
{
    QList<OperationLogEntry> all;
    if (m_path.isEmpty())
        return all;
    QStringList files;
    for (int n = RotatedFiles; n >= 1; --n)
        files << rotatedName(m_path, n);
    files << m_path;
    for (const QString &name : qAsConst(files)) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        while (!file.atEnd()) {
            OperationLogEntry entry;
            if (fromLine(file.readLine(), &entry))
                all.append(entry);
        }
    }
    return all;
}

QByteArray QOperationLog::toLine(const OperationLogEntry &entry)
{
    QJsonArray remotes;
    for (int id : entry.remotes)
        remotes.append(id);
    QJsonObject o;
    // With the offset from UTC, so entries stay comparable across time zones and DST.
    o["time"] = entry.time.toOffsetFromUtc(entry.time.offsetFromUtc()).toString(Qt::ISODateWithMs);
    o["user"] = entry.user;
    o["stick"] = entry.stickVersion;
    o["operation"] = entry.operation;
    o["remotes"] = remotes;
    o["outcome"] = entry.ok ? QStringLiteral("ok") : QStringLiteral("failed");
    o["detail"] = entry.detail;
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

bool QOperationLog::fromLine(const QByteArray &line, OperationLogEntry *entry)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line.trimmed(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject o = document.object();
    if (!o.contains("operation") || !o.contains("time"))
        return false;
    entry->time = QDateTime::fromString(o["time"].toString(), Qt::ISODateWithMs);
    entry->user = o["user"].toString();
    entry->stickVersion = o["stick"].toString();
    entry->operation = o["operation"].toString();
    entry->remotes.clear();
    const QJsonArray remotes = o["remotes"].toArray();
    for (const QJsonValue &id : remotes)
        entry->remotes.append(id.toInt());
    entry->ok = o["outcome"].toString() == QLatin1String("ok");
    entry->detail = o["detail"].toString();
    return true;
}
