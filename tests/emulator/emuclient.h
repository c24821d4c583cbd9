#pragma once

#include "wireframe.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QSerialPort>

// The program's side of the line in the emulator tests: opens the emulator's
// pseudo-terminal through QSerialPort and waits by running the event loop, so it works
// whether the emulator shares this thread or has its own.
class EmuClient
{
public:
    ~EmuClient();

    bool open(const QString &path);
    void close();
    QSerialPort &port() { return m_port; }

    // Data frames carry the next 3-bit sequence number, written after the checksum.
    void sendData(quint16 command, quint16 target, const QByteArray &payload = QByteArray());
    void sendShort(quint16 word1, quint16 value = 0, quint16 word3 = 0);
    void sendWire(const QByteArray &bytes);
    QByteArray lastSent() const { return m_lastSent; }

    // The next complete frame (unescaped), or empty after the time-out.
    QByteArray waitFrame(int timeoutMs = 2000);
    // Request and answer in one go.
    vexo::emu::Frame data(quint16 command, quint16 target,
                          const QByteArray &payload = QByteArray());
    vexo::emu::Frame shortFrame(quint16 word1, quint16 value = 0, quint16 word3 = 0);
    // True when nothing at all arrives for this long.
    bool silentFor(int ms);

    // Every byte received, as it came off the line, and when each read returned it.
    QByteArray wire() const { return m_wire; }
    struct Chunk {
        qint64 atMs;
        QByteArray bytes;
    };
    QList<Chunk> chunks() const { return m_chunks; }
    void clearWire();

    int sequence() const { return m_seq; }

private:
    void pump(int ms);

    QSerialPort m_port;
    vexo::emu::FrameReceiver m_receiver;
    QList<QByteArray> m_frames;
    QByteArray m_wire;
    QList<Chunk> m_chunks;
    QElapsedTimer m_clock;
    QByteArray m_lastSent;
    int m_seq = 0;
};

// "status 09 00" style checks.
inline bool isStatus(const vexo::emu::Frame &f, quint8 status, quint8 detail = 0)
{
    return f.ok() && f.isData && f.command == 0x0009 && f.payload.size() == 2 &&
           quint8(f.payload.at(0)) == status && quint8(f.payload.at(1)) == detail;
}
