#pragma once

#include "emulatorstate.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vexo::emu
{

// A firmware file as the program reads it: a 15-byte header (little-endian), then
// sections of address (4), length (4) and data up to the end of the file.
struct FirmwareFile {
    struct Section {
        quint32 address = 0;
        QByteArray data;
    };

    static constexpr int HeaderSize = 15;

    quint16 headerLength = HeaderSize;
    quint32 imageWord = 0x4F584556; // "VEXO"
    qint64 imageSize = -1;          // < 0: the sum of the sections' data
    quint8 type = 0;
    quint8 major = 0;
    quint8 minor = 0;
    quint8 board = 0;
    quint8 headerByte14 = 0;
    QList<Section> sections;

    QByteArray toBytes() const;
    bool save(const QString &path, QString *error) const;

    // An image of size bytes of made-up code for one target (0 the stick, 1 the
    // actuator) with that target's type and board as state holds them. The bytes
    // include the line's flag and escape values.
    static FirmwareFile forTarget(const EmulatorState &state, int target, quint8 major,
                                  quint8 minor, int size);
};

// The files the demonstration offers, written into dir: a newer image for the stick
// and a pair for the actuator whose names differ only in 4 and 3. Returns their paths,
// or an empty list with the reason in error.
QStringList writeDemoFirmware(const QString &dir, const EmulatorState &state, QString *error);

} // namespace vexo::emu
