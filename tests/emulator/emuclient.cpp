#include "emuclient.h"

#include <QCoreApplication>
#include <QThread>

using namespace vexo::emu;

EmuClient::~EmuClient()
{
    close();
}

bool EmuClient::open(const QString &path)
{
    m_clock.start();
    m_port.setPortName(path);
    m_port.setBaudRate(QSerialPort::Baud4800);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    return m_port.open(QIODevice::ReadWrite);
}

void EmuClient::close()
{
    if (m_port.isOpen())
        m_port.close();
}

void EmuClient::sendData(quint16 command, quint16 target, const QByteArray &payload)
{
    QByteArray frame = makeDataFrame(command, target, payload);
    m_seq = (m_seq + 1) & 7;
    frame[8] = char((quint8(frame.at(8)) & ~0x70) | (m_seq << 4));
    m_lastSent = frame;
    sendWire(escapeFrame(frame));
}

void EmuClient::sendShort(quint16 word1, quint16 value, quint16 word3)
{
    m_lastSent = makeShortFrame(0, word1, value, word3);
    sendWire(escapeFrame(m_lastSent));
}

void EmuClient::sendWire(const QByteArray &bytes)
{
    m_port.write(bytes);
    m_port.flush();
}

void EmuClient::pump(int ms)
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
    if (m_port.bytesAvailable() == 0)
        m_port.waitForReadyRead(1); // also drives QSerialPort when no event loop runs its notifier
    const QByteArray bytes = m_port.readAll();
    if (!bytes.isEmpty()) {
        m_wire.append(bytes);
        m_chunks.append(Chunk{m_clock.elapsed(), bytes});
        m_frames.append(m_receiver.feed(bytes));
    } else {
        QThread::msleep(1);
    }
}

QByteArray EmuClient::waitFrame(int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (m_frames.isEmpty() && t.elapsed() < timeoutMs && m_port.isOpen())
        pump(5);
    return m_frames.isEmpty() ? QByteArray() : m_frames.takeFirst();
}

Frame EmuClient::data(quint16 command, quint16 target, const QByteArray &payload)
{
    sendData(command, target, payload);
    return decodeFrame(waitFrame());
}

Frame EmuClient::shortFrame(quint16 word1, quint16 value, quint16 word3)
{
    sendShort(word1, value, word3);
    return decodeFrame(waitFrame());
}

bool EmuClient::silentFor(int ms)
{
    const qsizetype before = m_wire.size();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        pump(5);
    return m_wire.size() == before && m_frames.isEmpty();
}

void EmuClient::clearWire()
{
    m_wire.clear();
    m_chunks.clear();
    m_frames.clear();
    m_receiver.reset();
}
