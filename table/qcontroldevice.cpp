#include "qcontroldevice.h"

#include "cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace
{
enum : quint8 {
    FlagInUse = 0x01,
    FlagActive = 0x02,
    FlagWorkMode = 0x04,
};

} // namespace

// Short records come from older sticks that only know the Cyrillic code page.
QByteArray QControlDevice::encodeName(QStringView name, bool longFormat)
{
    return longFormat ? QByteArray(QStringEncoder(QStringEncoder::Utf8).encode(name))
                      : cp1251::encode(name);
}

QString QControlDevice::decodeName(QByteArrayView bytes, bool longFormat)
{
    return longFormat ? QString(QStringDecoder(QStringDecoder::Utf8,
                                               QStringConverter::Flag::ConvertInitialBom)
                                    .decode(bytes))
                      : cp1251::decode(bytes);
}

QControlDevice::QControlDevice(QObject *parent, int id, unsigned char group,
                               const QString &ownerName, bool active, unsigned char workMode)
    : QObject(parent), m_ownerName(ownerName), m_id(id), m_active(active), m_group(group),
      m_workMode(workMode)
{
}

QControlDevice::QControlDevice(const QControlDevice &other)
    : QObject(nullptr), m_ownerName(other.m_ownerName), m_id(other.m_id), m_active(other.m_active),
      m_group(other.m_group), m_workMode(other.m_workMode)
{
}

QControlDevice &QControlDevice::operator=(const QControlDevice &other)
{
    m_ownerName = other.m_ownerName;
    m_id = other.m_id;
    m_active = other.m_active;
    m_group = other.m_group;
    m_workMode = other.m_workMode;
    return *this;
}

bool QControlDevice::operator==(const QControlDevice &other) const
{
    return m_ownerName == other.m_ownerName && m_id == other.m_id && m_active == other.m_active &&
           m_group == other.m_group && m_workMode == other.m_workMode;
}

QByteArray encodeOwnerName(const QString &name, bool longFormat, int maxBytes)
{
    QByteArray out;
    // Encode one code point at a time so a cut never splits a UTF-8 sequence
    // or a surrogate pair.
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype len =
            (name.at(i).isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate())
                ? 2
                : 1;
        const QByteArray bytes =
            QControlDevice::encodeName(QStringView(name).mid(i, len), longFormat);
        if (out.size() + bytes.size() > maxBytes)
            break;
        out += bytes;
        i += len;
    }
    return out;
}

QByteArray QControlDevice::toRecord(bool longFormat) const
{
    const int size = longFormat ? LongRecordSize : ShortRecordSize;
    QByteArray record(size, '\0');
    quint8 flags = m_active ? (FlagInUse | FlagActive) : FlagInUse;
    if (m_workMode != 0)
        flags |= FlagWorkMode;
    record[0] = char(flags);
    record[1] = char(m_id & 0xFF);
    record[2] = char((m_id >> 8) & 0xFF);
    record[3] = char((m_id >> 16) & 0xFF);
    record[4] = char(m_group);
    const QByteArray name = encodeOwnerName(m_ownerName, longFormat, size - NameOffset);
    record.replace(NameOffset, name.size(), name);
    return record;
}

QControlDevice QControlDevice::fromRecord(const QByteArray &record, bool longFormat, bool *valid)
{
    QControlDevice device;
    bool ok = false;
    if (record.size() == (longFormat ? LongRecordSize : ShortRecordSize)) {
        const auto byte = [&record](int i) { return quint8(record.at(i)); };
        const quint8 flags = byte(0);
        const int id = byte(1) | (byte(2) << 8) | (byte(3) << 16);
        ok = (flags & FlagInUse) && id != ErasedId;
        if (ok) {
            device.m_id = id;
            device.m_active = flags & FlagActive;
            device.m_workMode = (flags & FlagWorkMode) ? 1 : 0;
            device.m_group = byte(4);
            QByteArray name = record.mid(NameOffset);
            const qsizetype end = name.indexOf('\0');
            if (end >= 0)
                name.truncate(end);
            // A name may begin with U+FEFF like any other character: it is not a mark to drop.
            device.m_ownerName = decodeName(name, longFormat);
        }
    }
    if (valid)
        *valid = ok;
    return device;
}
