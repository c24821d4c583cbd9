#include "rs232_port.h"

#include "linklog.h"
#include "qinterfacemessage.h"

#include <QMutexLocker>

namespace
{
constexpr char FLAG = char(0x7E);
constexpr char ESCAPE = char(0x7D);
} // namespace

rs232_port::rs232_port(QObject *parent) : QSerialPort(parent)
{
    connect(this, &QSerialPort::errorOccurred, this, &rs232_port::onError);
}

bool rs232_port::open_port(const QString &name, int baud, int mode)
{
    if (name.isEmpty() || name.contains(QLatin1String("NONE")))
        return false;
    // The port number is the first run of digits in the name.
    int number = -1;
    for (int i = 0; i < name.size(); ++i) {
        if (!name[i].isDigit())
            continue;
        int j = i;
        while (j < name.size() && name[j].isDigit())
            ++j;
        bool ok = false;
        number = name.mid(i, j - i).toInt(&ok);
        if (!ok)
            number = -1;
        break;
    }
    if (number < 0)
        return false;

    setPortName(name);
    setBaudRate(baud);
    setFlowControl(QSerialPort::NoFlowControl);
    setParity(QSerialPort::NoParity);
    setDataBits(QSerialPort::Data8);
    setStopBits(QSerialPort::OneStop);
    if (open(QIODevice::ReadWrite)) {
        m_portNumber = number;
        m_framingMode = mode;
        qCDebug(lcLink).noquote() << QStringLiteral("Открыт порт RS232 №") +
                                         QString::number(number);
        return true;
    }
    qCDebug(lcLink).noquote() << QStringLiteral("Ошибка: невозможно открыть порт COM") +
                                     QString::number(number)
                              << "(" + errorString() + ")";
    m_portNumber = -1;
    return false;
}

void rs232_port::close_port()
{
    if (isOpen()) {
        close();
        qCDebug(lcLink).noquote() << QStringLiteral("Закрыт порт RS232 №") +
                                         QString::number(m_portNumber);
    }
    m_portNumber = -1;
}

void rs232_port::onError(QSerialPort::SerialPortError error)
{
    // A vanished device is a disconnect, not an error storm: close it once and let the
    // missing answers run into the usual time-out, which restarts the search.
    if (error == QSerialPort::ResourceError && isOpen()) {
        qCDebug(lcLink) << "serial device vanished:" << errorString();
        close();
    }
}

void rs232_port::set_command(const QByteArray &frame)
{
    if (frame.isEmpty())
        return;
    QMutexLocker l(&m_lock);
    m_commandBuffer = frame;
    m_commandPending = true;
}

void rs232_port::cancel_command()
{
    QMutexLocker l(&m_lock);
    m_commandBuffer.clear();
    m_commandPending = false;
}

void rs232_port::set_answer(const QByteArray &frame)
{
    if (frame.isEmpty())
        return;
    QMutexLocker l(&m_lock);
    m_answerBuffer = frame;
    m_answerPending = true;
}

QByteArray rs232_port::take_answer()
{
    QMutexLocker l(&m_lock);
    INTERFACE_LOGIC_STATE_T expected = LOGIC_ANSWER_READY;
    m_state.compare_exchange_strong(expected, LOGIC_IDLE);
    return m_answerFrame;
}

QByteArray rs232_port::take_incoming()
{
    QMutexLocker l(&m_lock);
    INTERFACE_LOGIC_STATE_T expected = LOGIC_MESSAGE_READY;
    m_state.compare_exchange_strong(expected, LOGIC_IDLE);
    return m_incomingFrame;
}

bool rs232_port::start_receive()
{
    INTERFACE_LOGIC_STATE_T expected = LOGIC_IDLE;
    if (!m_state.compare_exchange_strong(expected, LOGIC_RECEIVE))
        return false;
    m_countdown = m_answerTimeout / STEP_MS;
    return true;
}

void rs232_port::writeFrame(const QByteArray &frame)
{
    if (m_framingMode != 0 || !isOpen())
        return; // a failed write shows up as a missing answer
    write(LinkCodec::escape(frame));
    flush();
}

INTERFACE_LOGIC_STATE_T rs232_port::proc()
{
    if (m_portNumber == -1)
        return LOGIC_PORT_CLOSED;

    switch (m_state.load()) {
    case LOGIC_IDLE: {
        QMutexLocker l(&m_lock);
        if (!m_commandPending) {
            if (isOpen() && bytesAvailable() > 0) {
                // Unasked-for bytes: give them the gap allowance to become a frame.
                m_countdown = BYTE_GAP_STEPS;
                m_state = LOGIC_RECEIVE;
            }
            return m_state;
        }
    }
        [[fallthrough]];
    case LOGIC_SEND_COMMAND: {
        QByteArray frame;
        {
            QMutexLocker l(&m_lock);
            frame = m_commandBuffer;
            m_commandPending = false;
        }
        writeFrame(frame);
        reset_receiver();
        m_countdown = m_answerTimeout / STEP_MS;
        m_state = LOGIC_WAIT_ANSWER;
        return receive();
    }
    case LOGIC_WAIT_ANSWER:
    case LOGIC_RECEIVE:
        return receive();
    case LOGIC_SEND_ANSWER: {
        QMutexLocker l(&m_lock);
        if (m_answerPending) {
            writeFrame(m_answerBuffer);
            m_answerPending = false;
            m_state = LOGIC_IDLE;
        }
        return m_state;
    }
    default:
        return m_state;
    }
}

void rs232_port::reset_receiver()
{
    m_rxCount = 0;
    m_rxEscape = false;
}

INTERFACE_LOGIC_STATE_T rs232_port::receive()
{
    const INTERFACE_LOGIC_STATE_T started = m_state;
    char c;
    while (isOpen() && bytesAvailable() > 0 && getChar(&c)) {
        if (m_rxCount == 0 && c != FLAG)
            continue; // hunting for the start of a frame
        if (m_rxCount > 0 && !m_rxEscape && c == ESCAPE) {
            m_rxEscape = true;
            continue;
        }
        m_rxEscape = false;
        m_rxBuffer[m_rxCount++] = c;
        m_countdown = BYTE_GAP_STEPS;
        const bool byLength = m_rxCount > 4 && m_rxCount > quint8(m_rxBuffer[4]) + 6;
        if (!byLength && m_rxCount < RECEIVE_BUFFER_SIZE)
            continue;

        const QByteArray frame(m_rxBuffer, m_rxCount);
        reset_receiver();
        INTERFACE_LOGIC_STATE_T next = LOGIC_IDLE;
        QMutexLocker l(&m_lock);
        if (started == LOGIC_WAIT_ANSWER) {
            m_answerFrame = frame;
            next = LOGIC_ANSWER_READY;
        } else if (started == LOGIC_RECEIVE) {
            m_incomingFrame = frame;
            next = LOGIC_MESSAGE_READY;
        }
        // The manager may have forced another state meanwhile; its word wins.
        INTERFACE_LOGIC_STATE_T expected = started;
        m_state.compare_exchange_strong(expected, next);
        return m_state;
    }
    if (--m_countdown > 0)
        return m_state;
    reset_receiver();
    INTERFACE_LOGIC_STATE_T expected = started;
    m_state.compare_exchange_strong(expected, LOGIC_TIMEOUT);
    return m_state;
}
