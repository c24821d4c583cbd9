#include "remoterecord.h"

#include "protocol.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace vexo::emu
{

namespace
{

constexpr int NameOffset = 5;

QByteArray encodeName(const QString &name, bool longRecord, int room)
{
    // Encode whole characters until the next one would not fit, so a multi-byte UTF-8
    // sequence is never cut in half.
    QByteArray out;
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype len = (name.at(i).isHighSurrogate() && i + 1 < name.size()) ? 2 : 1;
        const QString ch = name.mid(i, len);
        const QByteArray bytes = longRecord ? ch.toUtf8() : encodeCp1251(ch);
        if (out.size() + bytes.size() > room)
            break;
        out.append(bytes);
        i += len;
    }
    return out;
}

} // namespace

QByteArray encodeCp1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder(text);
}

QString decodeCp1251(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1251");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder(bytes);
}

QByteArray encodeRecord(const EmulatorRemote &remote, bool longRecord)
{
    const int size = longRecord ? LongRecordSize : ShortRecordSize;
    QByteArray record;
    record.reserve(size);
    quint8 flags = 0x01;
    if (remote.active)
        flags |= 0x02;
    if (remote.workMode & 1)
        flags |= 0x04;
    record.append(char(flags));
    record.append(char(remote.id & 0xFF));
    record.append(char((remote.id >> 8) & 0xFF));
    record.append(char((remote.id >> 16) & 0xFF));
    record.append(char(remote.group));
    record.append(encodeName(remote.ownerName, longRecord, size - NameOffset));
    record.append(QByteArray(size - record.size(), '\0'));
    return record;
}

QByteArray erasedRecord(bool longRecord)
{
    return QByteArray(longRecord ? LongRecordSize : ShortRecordSize, char(0xFF));
}

bool decodeRecord(const QByteArray &record, bool longRecord, EmulatorRemote *remote)
{
    if (record.size() != (longRecord ? LongRecordSize : ShortRecordSize))
        return false;
    const quint8 flags = quint8(record.at(0));
    const quint32 id =
        quint8(record.at(1)) | (quint8(record.at(2)) << 8) | (quint32(quint8(record.at(3))) << 16);
    if (!(flags & 0x01) || id == ErasedId)
        return false;
    if (remote) {
        remote->id = id;
        remote->active = flags & 0x02;
        remote->workMode = (flags & 0x04) ? 1 : 0;
        remote->group = quint8(record.at(4));
        QByteArray name = record.mid(NameOffset);
        const qsizetype end = name.indexOf('\0');
        if (end >= 0)
            name.truncate(end);
        remote->ownerName = longRecord ? QString::fromUtf8(name) : decodeCp1251(name);
    }
    return true;
}

} // namespace vexo::emu
