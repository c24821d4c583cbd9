#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace vexo::emu
{

// One remote as the stick and the actuator keep it.
struct EmulatorRemote {
    quint32 id = 0; // 24 bits
    quint8 group = 0;
    bool active = true;
    quint8 workMode = 0; // only bit 0 is stored in a record
    QString ownerName;

    bool operator==(const EmulatorRemote &o) const
    {
        return id == o.id && group == o.group && active == o.active && workMode == o.workMode &&
               ownerName == o.ownerName;
    }
    bool operator!=(const EmulatorRemote &o) const { return !(*this == o); }
};

constexpr quint32 ErasedId = 0xFFFFFF;

// Record layout: flags (bit 0 in use, bit 1 active, bit 2 work mode), id (3 bytes, low
// first), group, owner name (Windows-1251 in 64-byte records, UTF-8 in 128-byte ones)
// padded with zeros. A name too long for the record is cut at the last whole character.
QByteArray encodeRecord(const EmulatorRemote &remote, bool longRecord);

// An erased memory cell: every byte 0xFF.
QByteArray erasedRecord(bool longRecord);

// False for a record of the wrong size, not in use, or with the erased id.
bool decodeRecord(const QByteArray &record, bool longRecord, EmulatorRemote *remote);

QByteArray encodeCp1251(const QString &text);
QString decodeCp1251(const QByteArray &bytes);

} // namespace vexo::emu
