#include "rs232_port.h"

#include "linklog.h"
#include "qinterfacemessage.h"

#include <QMutexLocker>
#include <QTimer>

#include <utility>

#ifdef Q_OS_UNIX
#include <poll.h>
#endif
#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace
{
constexpr char FLAG = char(0x7E);
constexpr char ESCAPE = char(0x7D);

#ifdef Q_OS_WIN
// Bytes the driver holds that Qt has not read yet.
bool driverHoldsInput(Qt::HANDLE port)
{
    COMSTAT status = {};
    DWORD errors = 0;
    return ClearCommError(port, &errors, &status) && status.cbInQue > 0;
}
#endif
} // namespace

rs232_port::rs232_port(QObject *parent)
    : QSerialPort(parent), m_timer(new QTimer(this)), m_turnaround(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    m_turnaround->setSingleShot(true);
    m_turnaround->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &rs232_port::onTimer);
    connect(m_turnaround, &QTimer::timeout, this, &rs232_port::proc);
    connect(this, &QSerialPort::readyRead, this, &rs232_port::onReadyRead);
    connect(this, &QSerialPort::bytesWritten, this, &rs232_port::onBytesWritten);
    connect(this, &QSerialPort::errorOccurred, this, &rs232_port::onError);
}

bool rs232_port::open_port(const QString &name, int baud, int mode)
{
    m_openError = QSerialPort::DeviceNotFoundError;
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
#ifdef Q_OS_WIN
    if (number < 0)
        return false;
#else
    // Device paths such as a udev link /dev/vexo need not hold a digit; the number only
    // names the port in the log.
    if (number < 0)
        number = 0;
#endif

    setPortName(name);
    setBaudRate(baud);
    setFlowControl(QSerialPort::NoFlowControl);
    setParity(QSerialPort::NoParity);
    setDataBits(QSerialPort::Data8);
    setStopBits(QSerialPort::OneStop);
    m_openError = m_opener ? m_opener(*this, name) : openSerialPort(*this, name);
    if (m_openError == QSerialPort::NoError && isOpen()) {
        m_portNumber = number;
        m_framingMode = mode;
        m_input.clear();
        resetReceiver();
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
    m_timer->stop();
    m_turnaround->stop();
    if (isOpen()) {
        close();
        qCDebug(lcLink).noquote() << QStringLiteral("Закрыт порт RS232 №") +
                                         QString::number(m_portNumber);
    }
    m_portNumber = -1;
}

bool rs232_port::hungUp()
{
#ifdef Q_OS_UNIX
    pollfd p{int(handle()), POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
#else
    return true;
#endif
}

void rs232_port::onError(QSerialPort::SerialPortError error)
{
    if (!isOpen())
        return;
    switch (error) {
    case QSerialPort::ResourceError:
        break;
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        // A hung-up line stays readable and every read fails at once: that is a device
        // gone, not a passing fault.
        if (hungUp())
            break;
        qCDebug(lcLink) << "serial port error:" << errorString();
        return;
    default:
        return;
    }
    // A vanished device is a disconnect, not an error storm: close it once, report it once
    // and leave what was outstanding to the manager.
    qCDebug(lcLink) << "serial device vanished:" << errorString();
    close();
    m_timer->stop();
    m_turnaround->stop();
    m_input.clear();
    resetReceiver();
    m_portNumber = -1;
    emit signal_port_lost();
}

bool rs232_port::set_command(const QByteArray &frame)
{
    if (frame.isEmpty())
        return false;
    QMutexLocker l(&m_lock);
    if (m_state != LOGIC_IDLE)
        return false;
    m_commandBuffer = frame;
    m_commandPending = true;
    return true;
}

void rs232_port::cancelCommand()
{
    QMutexLocker l(&m_lock);
    m_commandBuffer.clear();
    m_commandPending = false;
    if (m_state == LOGIC_SEND_COMMAND)
        m_state = LOGIC_IDLE;
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
    if (m_state == LOGIC_ANSWER_READY) {
        m_state = LOGIC_IDLE;
        m_parked = true;
    }
    return m_answerFrame;
}

QByteArray rs232_port::take_incoming()
{
    QMutexLocker l(&m_lock);
    if (m_state == LOGIC_MESSAGE_READY) {
        m_state = LOGIC_IDLE;
        m_parked = true;
    }
    return m_incomingFrame;
}

QByteArray rs232_port::readyFrame() const
{
    QMutexLocker l(&m_lock);
    if (m_state == LOGIC_ANSWER_READY)
        return m_answerFrame;
    if (m_state == LOGIC_MESSAGE_READY)
        return m_incomingFrame;
    return QByteArray();
}

bool rs232_port::start_receive()
{
    QMutexLocker l(&m_lock);
    if (m_state != LOGIC_IDLE || m_commandPending)
        return false;
    m_state = LOGIC_RECEIVE;
    m_rearm = true;
    return true;
}

bool rs232_port::resumeReceive()
{
    QMutexLocker l(&m_lock);
    if (m_state == LOGIC_ANSWER_READY)
        m_state = LOGIC_WAIT_ANSWER;
    else if (m_state == LOGIC_MESSAGE_READY)
        m_state = LOGIC_RECEIVE;
    else
        return false;
    m_resumed = true;
    return true;
}

void rs232_port::setLogicState(INTERFACE_LOGIC_STATE_T s)
{
    QMutexLocker l(&m_lock);
    m_state = s;
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

    bool sending = false;
    {
        QMutexLocker l(&m_lock);
        m_parked = false;
        if (m_state == LOGIC_IDLE && m_commandPending) {
            m_state = LOGIC_SEND_COMMAND;
            sending = true;
        }
    }
    if (sending && m_lastReceived.isValid()) {
        // Hold the request until the device has had its turnaround after what it sent last.
        const qint64 wait = TURNAROUND_MS - m_lastReceived.elapsed();
        if (wait > 0) {
            m_turnaround->start(int(wait));
            return m_state;
        }
    }

    switch (m_state.load()) {
    case LOGIC_IDLE:
        // Forced back from a reception: what it had begun belongs to nothing now.
        resetReceiver();
        m_timer->stop();
        receive();
        break;
    case LOGIC_SEND_COMMAND:
        if (!m_turnaround->isActive())
            writePending();
        break;
    case LOGIC_WAIT_ANSWER:
    case LOGIC_RECEIVE:
        receive();
        break;
    case LOGIC_SEND_ANSWER: {
        QByteArray answer;
        {
            QMutexLocker l(&m_lock);
            if (!m_answerPending)
                break;
            answer = m_answerBuffer;
            m_answerPending = false;
            m_state = LOGIC_IDLE;
        }
        writeFrame(answer);
        break;
    }
    default:
        break;
    }
    return m_state;
}

void rs232_port::writePending()
{
    QByteArray frame;
    {
        QMutexLocker l(&m_lock);
        if (m_state != LOGIC_SEND_COMMAND || !m_commandPending)
            return;
        frame = m_commandBuffer;
        m_commandPending = false;
        m_state = LOGIC_WAIT_ANSWER;
    }
    resetReceiver();
    m_answerDeadline = QDeadlineTimer(m_answerTimeout);
    m_deadline = m_answerDeadline;
    writeFrame(frame);
    // Bytes that came in during the turnaround are read as the answer.
    receive();
}

void rs232_port::onReadyRead()
{
    takeBytes(readAll());
}

void rs232_port::takeBytes(const QByteArray &bytes)
{
    m_input += bytes;
    m_lastReceived.start();
    receive();
    // A device that keeps sending while nobody takes its frames must not fill the memory.
    // The newest bytes are kept: what answers the next request comes after the flood.
    if (m_input.size() > INPUT_LIMIT) {
        const qsizetype excess = m_input.size() - INPUT_LIMIT;
        m_input.remove(0, excess);
        if (m_droppedInFlood == 0)
            qCWarning(lcLink) << "received bytes beyond" << INPUT_LIMIT
                              << "waiting without a frame taken: the oldest are dropped";
        m_droppedInFlood += excess;
        m_droppedTotal += excess;
    }
}

void rs232_port::onBytesWritten()
{
    // The answer time-out runs from the end of the write.
    if (bytesToWrite() > 0 || m_state != LOGIC_WAIT_ANSWER || m_rxCount > 0)
        return;
    m_answerDeadline = QDeadlineTimer(m_answerTimeout);
    m_deadline = m_answerDeadline;
    armTimer();
}

void rs232_port::onTimer()
{
#ifndef Q_OS_WIN
    // Bytes that reached the device by the deadline still count, even when their read
    // notification is queued behind this timer.
    if (isOpen() && waitForReadyRead(0) == false && error() == QSerialPort::TimeoutError)
        clearError();
#endif
    if (m_portNumber == -1)
        return;
    const INTERFACE_LOGIC_STATE_T s = m_state;
    if (s != LOGIC_WAIT_ANSWER && s != LOGIC_RECEIVE)
        return;
    if (!m_deadline.hasExpired()) {
        armTimer();
        return;
    }
#ifdef Q_OS_WIN
    // The same there, without Qt's synchronous wait: Qt Serial Port 6.4 may take from it
    // a result its queued notification has handed out already, and read an empty queue.
    // Bytes the driver holds get their notification's time instead, a little at a time.
    if (isOpen() && m_lateChecks < LATE_CHECKS && driverHoldsInput(handle())) {
        ++m_lateChecks;
        m_timer->start(LATE_CHECK_MS);
        return;
    }
#endif
    resetReceiver();
    bool announce = false;
    {
        QMutexLocker l(&m_lock);
        if (m_state == s) {
            m_state = LOGIC_TIMEOUT;
            announce = true;
        }
    }
    if (announce)
        emit signal_state_ready();
}

void rs232_port::resetReceiver()
{
    m_rxCount = 0;
    m_rxEscape = false;
}

void rs232_port::armTimer()
{
    m_lateChecks = 0;
    const INTERFACE_LOGIC_STATE_T s = m_state;
    if (s != LOGIC_WAIT_ANSWER && s != LOGIC_RECEIVE) {
        m_timer->stop();
        return;
    }
    m_timer->start(int(qMax<qint64>(0, m_deadline.remainingTime())));
}

void rs232_port::receive()
{
    bool rearm, resumed;
    {
        QMutexLocker l(&m_lock);
        rearm = std::exchange(m_rearm, false);
        resumed = std::exchange(m_resumed, false);
    }
    if (rearm)
        m_answerDeadline = QDeadlineTimer(m_answerTimeout);
    if (rearm || resumed) {
        resetReceiver();
        m_deadline = m_answerDeadline;
    }

    int noise = 0;   // dropped on an idle line
    int ignored = 0; // dropped while waiting for the start of a frame
    bool stored = false;
    qsizetype i = 0;
    while (i < m_input.size()) {
        const INTERFACE_LOGIC_STATE_T s = m_state;
        if (s == LOGIC_IDLE) {
            if (m_input.at(i) != FLAG) {
                ++noise;
                ++i;
                continue;
            }
            // A frame nobody asked for begins; a command handed over meanwhile goes first.
            QMutexLocker l(&m_lock);
            if (m_commandPending || m_parked)
                break;
            if (m_state == LOGIC_IDLE)
                m_state = LOGIC_RECEIVE;
            continue;
        }
        if (s != LOGIC_RECEIVE && s != LOGIC_WAIT_ANSWER)
            break; // a frame waits to be taken: the rest stays for after it
        const char c = m_input.at(i++);
        if (m_rxCount == 0 && c != FLAG) {
            ++ignored;
            continue;
        }
        if (m_rxCount > 0 && !m_rxEscape && c == ESCAPE) {
            m_rxEscape = true;
            continue;
        }
        m_rxEscape = false;
        m_rxBuffer[m_rxCount++] = c;
        stored = true;
        const bool byLength = m_rxCount > 4 && m_rxCount > quint8(m_rxBuffer[4]) + 6;
        if (byLength || m_rxCount >= RECEIVE_BUFFER_SIZE) {
            stored = false;
            completeFrame();
        }
    }
    m_input.remove(0, i);
    if (m_input.isEmpty() && m_droppedInFlood > 0) {
        qCWarning(lcLink) << "dropped" << m_droppedInFlood << "received bytes in all";
        m_droppedInFlood = 0;
    }
    if (noise > 0)
        qCDebug(lcLink) << "dropped" << noise << "bytes of noise on an idle line";
    if (ignored > 0)
        qCDebug(lcLink) << "ignored" << ignored << "bytes before the start of a frame";
    if (stored && m_rxCount > 0)
        m_deadline = QDeadlineTimer(BYTE_GAP_MS);
    armTimer();
}

void rs232_port::completeFrame()
{
    const QByteArray frame(m_rxBuffer, m_rxCount);
    resetReceiver();
    m_timer->stop();
    bool announce = false;
    {
        QMutexLocker l(&m_lock);
        // The manager may have forced another state meanwhile; its word wins.
        if (m_state == LOGIC_WAIT_ANSWER) {
            m_answerFrame = frame;
            m_state = LOGIC_ANSWER_READY;
            announce = true;
        } else if (m_state == LOGIC_RECEIVE) {
            m_incomingFrame = frame;
            m_state = LOGIC_MESSAGE_READY;
            announce = true;
        }
    }
    if (announce)
        emit signal_state_ready();
}
