#include "remotetable.h"
#include <QCoreApplication>

namespace
{
// The window owns these texts in its translation context.
struct WindowText {
    Q_DECLARE_TR_FUNCTIONS(MainWindow)
};
} // namespace

QString remoteGroupText(const QControlDevice &remote)
{
    QString text = QString::number(remote.group());
    if (remote.workMode() != 0)
        text += QLatin1Char('*');
    return text;
}

QString remoteGroupToolTip(const QControlDevice &remote)
{
    return remote.workMode() != 0 ? WindowText::tr("* — пульт в пешеходном режиме") : QString();
}

QString remoteStatusText(const QControlDevice &remote)
{
    return remote.active() ? WindowText::tr("Активен") : WindowText::tr("Заблокирован");
}

QStringList remoteRowTexts(const QControlDevice &remote)
{
    return {QString::number(remote.id()), remote.ownerName(), remoteStatusText(remote),
            remoteGroupText(remote)};
}

quint32 remoteRowRgb(const QControlDevice &remote)
{
    return remote.active() ? 0xA7E8C1u : 0xF5B7B7u;
}

QString remoteToggleText(const QControlDevice &remote)
{
    return remote.active() ? WindowText::tr("Заблокировать пульт")
                           : WindowText::tr("Активировать пульт");
}

QString ownerNameRefusal(const QString &name, bool longRecords)
{
    const int room =
        (longRecords ? QControlDevice::LongRecordSize : QControlDevice::ShortRecordSize) -
        QControlDevice::NameOffset;
    // A character the codec lacks comes back as something else, usually '?'.
    QStringList lost;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype len =
            (name.at(i).isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate())
                ? 2
                : 1;
        const QString character = name.mid(i, len);
        const QByteArray encoded = QControlDevice::encodeName(character, longRecords);
        bytes += encoded.size();
        if (QControlDevice::decodeName(encoded, longRecords) != character &&
            !lost.contains(character))
            lost << character;
        i += len;
    }
    if (!lost.isEmpty())
        return WindowText::tr(
                   "Информация о владельце пульта содержит символы, которые USB-stick не "
                   "может сохранить: %1")
            .arg(lost.join(QLatin1Char(' ')));
    if (bytes > room)
        return WindowText::tr(
                   "Информация о владельце пульта не помещается в память USB-stick: %1 байт "
                   "при допустимых %2.")
            .arg(bytes)
            .arg(room);
    return QString();
}

QList<QControlDevice> filterByOwnerPrefix(const QList<QControlDevice> &list, const QString &text)
{
    const QString prefix = text.toLower();
    if (prefix.isEmpty())
        return list;
    QList<QControlDevice> shown;
    for (const QControlDevice &remote : list) {
        if (ownerHasPrefix(remote, prefix))
            shown.append(remote);
    }
    return shown;
}

bool ownerHasPrefix(const QControlDevice &remote, const QString &lowerPrefix)
{
    return lowerPrefix.isEmpty() || remote.ownerName().toLower().startsWith(lowerPrefix);
}

int indexOfIdText(const QList<QControlDevice> &list, const QString &idCell)
{
    bool ok = false;
    const int id = idCell.toInt(&ok, 10);
    if (!ok)
        return -1;
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).id() == id)
            return int(i);
    }
    return -1;
}

QList<int> remoteIds(const QList<QControlDevice> &list)
{
    QList<int> out;
    for (const QControlDevice &remote : list)
        out << remote.id();
    return out;
}

bool sameRemotes(const QList<QControlDevice> &a, const QList<QControlDevice> &b)
{
    if (a.size() != b.size())
        return false;
    for (const QControlDevice &remote : a) {
        if (!b.contains(remote))
            return false;
    }
    return true;
}

bool modemMatchesFile(bool modemConnected, const QList<QControlDevice> &modemSnapshot,
                      const QList<QControlDevice> &fileSnapshot)
{
    return modemConnected && sameRemotes(modemSnapshot, fileSnapshot);
}

DataSourceLabel dataSourceLabel(DATA_SOURCE_T kind, bool matches, const QString &dbFileName,
                                bool modemConnected)
{
    switch (kind) {
    case SOURCE_MODEM: {
        QString text = modemConnected ? WindowText::tr("Источник данных - USB-stick")
                                      : WindowText::tr("Источник данных - отключенный USB-stick");
        if (!dbFileName.isEmpty()) {
            text += matches
                        ? WindowText::tr("(Актуальный файл %1)").arg(dbFileName)
                        : WindowText::tr("(Несохраненные изменения для файла %1)").arg(dbFileName);
        }
        return {SOURCE_MODEM, text};
    }
    case SOURCE_BACKUP:
        if (matches)
            return {SOURCE_MODEM,
                    WindowText::tr("Источник данных - USB-stick(актуальная резервная копия)")};
        return {SOURCE_BACKUP, WindowText::tr("Источник данных - резервная копия ")};
    case SOURCE_FILE:
        if (matches)
            return {
                SOURCE_MODEM,
                WindowText::tr("Источник данных - USB-stick(актуальный файл %1)").arg(dbFileName)};
        return {SOURCE_FILE, WindowText::tr("Источник данных - файл ") + dbFileName};
    case SOURCE_UNKNOWN:
        break;
    }
    return {kind, WindowText::tr("Неизвестный источник данных")};
}

bool contextMenuAvailable(DATA_SOURCE_T kind, bool modemConnected)
{
    return kind == SOURCE_MODEM && modemConnected;
}
