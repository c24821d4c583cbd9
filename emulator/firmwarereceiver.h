#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QtGlobal>

namespace vexo::emu
{

// What a target received in one firmware transfer.
struct FirmwareImage {
    int target = -1; // 0 the stick, 1 the actuator
    quint32 imageWord = 0;
    quint32 imageSize = 0;
    quint8 type = 0;
    quint8 major = 0;
    quint8 minor = 0;
    quint8 board = 0;
    quint8 headerByte14 = 0;
    int blockSize = 0;
    int blocks = 0;
    bool complete = false; // the end message arrived
    // Contiguous runs of data by start address.
    QMap<quint32, QByteArray> runs;
};

// Receives start, block and end messages for one target. Block numbers must run on
// from 0, blocks may not exceed the announced block size, and no address may be
// written twice, which catches addresses that do not advance.
class FirmwareReceiver
{
public:
    enum class Result { Accepted, Repeated, Refused };

    Result start(int target, const QByteArray &payload, QString *why);
    Result block(int target, const QByteArray &payload, QString *why);
    Result end(int target, QString *why);

    bool active() const { return m_active; }
    int target() const { return m_image.target; }
    const FirmwareImage &image() const { return m_image; }

private:
    bool overlaps(quint32 address, int len) const;
    void abort() { m_active = false; }

    FirmwareImage m_image;
    bool m_active = false;
    quint32 m_lastNumber = 0;
    quint32 m_lastAddress = 0;
    QByteArray m_lastData;
};

} // namespace vexo::emu
