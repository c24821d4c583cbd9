#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

namespace vexo::emu
{

// One line of the emulator's traffic log.
struct FrameLogEntry {
    enum class Direction {
        In,    // a frame from the program, whether or not it checked out
        Out,   // a frame from the device (with what a fault did to it)
        Event, // anything else seen or done on the line: skipped bytes, gaps, close
    };

    qint64 msecs = 0; // since the emulator was created
    Direction direction = Direction::Event;
    QByteArray frame; // unescaped frame, or the raw bytes of an event
    QString text;     // decoded frame and what the device made of it

    QString toString() const;
};

// "data CMD_WRITE_REMOTE 0x0103 target 1 seq 3 payload[64] 03 ..." or
// "short QUERY_IDENT 0x1220 w0 0 value 0x0000 w3 0x0000", plus the verdict when bad.
QString describeFrame(const QByteArray &frame);

} // namespace vexo::emu

Q_DECLARE_METATYPE(vexo::emu::FrameLogEntry)
