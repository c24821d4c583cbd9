#include "qinterface_manager.h"

#include "linklog.h"
#include "rs232_port.h"

#include <QMutexLocker>
#include <QTimer>

#include <memory>

Q_LOGGING_CATEGORY(lcLink, "vexo.link", QtInfoMsg)

QInterface_Manager::QInterface_Manager(QObject *parent) : QThread(parent) {}

QInterface_Manager::~QInterface_Manager()
{
    if (isRunning()) {
        quit();
        wait();
    }
}

void QInterface_Manager::set_port(const QString &name, int baud, int mode)
{
    QMutexLocker l(&m_lock);
    m_portName = name;
    m_baud = baud;
    m_framingMode = mode;
}

QString QInterface_Manager::portName() const
{
    QMutexLocker l(&m_lock);
    return m_portName;
}

void QInterface_Manager::start_interface()
{
    if (isRunning()) {
        quit();
        wait();
        start(QThread::HighPriority);
        qCDebug(lcLink).noquote() << QStringLiteral("Поток интерфейса перезапущен");
    } else {
        start(QThread::HighPriority);
        qCDebug(lcLink).noquote() << QStringLiteral("Поток интерфейса запущен");
    }
}

void QInterface_Manager::stop_interface()
{
    quit();
    wait();
    qCDebug(lcLink).noquote() << QStringLiteral("Поток интерфейса остановлен");
}

void QInterface_Manager::setPortOpener(const PortOpener &opener)
{
    QMutexLocker l(&m_lock);
    m_opener = opener;
}

QSerialPort::SerialPortError QInterface_Manager::openError() const
{
    QMutexLocker l(&m_lock);
    return m_openError;
}

void QInterface_Manager::set_ack_timeout(int ms)
{
    QMutexLocker l(&m_lock);
    m_ackTimeout = ms;
    if (m_worker)
        m_worker->set_answer_timeout(ms);
}

int QInterface_Manager::ack_timeout() const
{
    QMutexLocker l(&m_lock);
    return m_ackTimeout;
}

void QInterface_Manager::set_retry_count(int n)
{
    QMutexLocker l(&m_lock);
    m_retryLimit = n;
}

int QInterface_Manager::retry_count() const
{
    QMutexLocker l(&m_lock);
    return m_retryLimit;
}

qint64 QInterface_Manager::give_up_ms() const
{
    QMutexLocker l(&m_lock);
    return qint64(m_ackTimeout) * (m_retryLimit + 1);
}

bool QInterface_Manager::is_free() const
{
    QMutexLocker l(&m_lock);
    return m_current.frame().isEmpty();
}

int QInterface_Manager::timeoutLocked(const QInterfaceMessage &command) const
{
    return m_ackTimeout * command.timeout_factor();
}

int QInterface_Manager::command_timeout() const
{
    QMutexLocker l(&m_lock);
    return timeoutLocked(m_current);
}

void QInterface_Manager::whenFree(QObject *context, const std::function<void(bool)> &then)
{
    if (is_free()) {
        then(false);
        return;
    }
    struct Wait {
        QMetaObject::Connection connection;
        bool done = false;
        bool dropped = false;
    };
    auto wait = std::make_shared<Wait>();
    wait->connection = connect(this, &QInterface_Manager::signal_line_free, context, [=] {
        // A receiver before this one may have sent the next command already.
        if (wait->done || !is_free())
            return;
        wait->done = true;
        disconnect(wait->connection);
        then(wait->dropped);
    });
    // The time-out may have been lowered since the command went out: waiting longer than
    // the link would try it now is in vain.
    QTimer::singleShot(give_up_ms(), context, [this, wait] {
        if (wait->done || is_free())
            return;
        qCWarning(lcLink) << "a command stayed unanswered past its time; dropped";
        wait->dropped = true;
        stop_command();
    });
}

void QInterface_Manager::announceIfFree()
{
    if (is_free())
        emit signal_line_free();
}

bool QInterface_Manager::interfaceStatus() const
{
    QMutexLocker l(&m_lock);
    return m_status;
}

QInterfaceMessage QInterface_Manager::last_command() const
{
    QMutexLocker l(&m_lock);
    return m_last;
}

INTERFACE_LOGIC_STATE_T QInterface_Manager::logic_state()
{
    QMutexLocker l(&m_lock);
    if (!m_worker || m_worker->portNumber() == -1)
        return LOGIC_PORT_CLOSED;
    return m_worker->logic_state();
}

bool QInterface_Manager::send_command(QInterfaceMessage &mess)
{
    QString line;
    QByteArray frame;
    {
        QMutexLocker l(&m_lock);
        if (!m_current.frame().isEmpty())
            return false;
        const QByteArray &f = mess.frame();
        if (mess.message_type() == 1 && f.size() >= 9 && f[3] == 2) {
            ++m_sequence;
            mess.set_sequence(quint8(m_sequence & 0x07));
        }
        m_current.assign(mess);
        ++m_messageCounter;
        m_retries = 0;
        m_transmissions = 1;
        m_droppedWhileWaiting = 0;
        line = QStringLiteral("HOST -> DEV #") + QString::number(m_messageCounter) + ' ';
        frame = m_current.frame();
    }
    emit signal_log_buffer(line, frame);
    state_machine();
    return true;
}

bool QInterface_Manager::send_answer(QInterfaceMessage &mess)
{
    {
        QMutexLocker l(&m_lock);
        m_pendingAnswer.assign(mess);
    }
    state_machine();
    return true;
}

bool QInterface_Manager::repeat_command()
{
    QString line;
    QByteArray frame;
    {
        QMutexLocker l(&m_lock);
        ++m_retries;
        if (!m_current.frame().isEmpty() || m_last.frame().isEmpty())
            return false;
        m_current.assign(m_last);
        ++m_transmissions;
        line =
            QStringLiteral("<b>RETRY</b> HOST -> DEV #") + QString::number(m_messageCounter) + ' ';
        frame = m_current.frame();
    }
    emit signal_log_buffer(line, frame);
    state_machine();
    return true;
}

bool QInterface_Manager::stop_command()
{
    {
        QMutexLocker l(&m_lock);
        if (m_current.frame().isEmpty())
            return false;
        if (m_worker) {
            if (m_worker->logic_state() == LOGIC_WAIT_ANSWER) {
                m_draining = true;
                m_drainEnd = QDeadlineTimer(timeoutLocked(m_current));
            }
            // Not yet written? Then it never will be.
            m_worker->cancelCommand();
            m_worker->setLogicState(LOGIC_IDLE);
        }
        m_current.clear();
        m_last.clear();
        m_busy = false;
        m_waiting = false;
        m_transmissions = 0;
    }
    state_machine();
    announceIfFree();
    return true;
}

bool QInterface_Manager::wait_for_command()
{
    {
        QMutexLocker l(&m_lock);
        if (!m_worker || m_busy || m_portLost)
            return false;
        m_worker->set_answer_timeout(timeoutLocked(m_last));
        if (!m_worker->start_receive())
            return false;
        m_waiting = true;
    }
    emit signal_port_proc(); // the worker starts the time-out in its own thread
    return true;
}

bool QInterface_Manager::handOverLocked()
{
    if (m_current.frame().isEmpty() || m_busy)
        return false;
    if (m_draining && !m_drainEnd.hasExpired()) {
        // Looked at again when the stopped command's answer can no longer come.
        QTimer::singleShot(int(m_drainEnd.remainingTime()) + 1, this,
                           &QInterface_Manager::state_machine);
        return false;
    }
    m_draining = false;
    m_worker->set_answer_timeout(timeoutLocked(m_current));
    if (!m_worker->set_command(m_current.frame()))
        return false;
    m_busy = true;
    return true;
}

bool QInterface_Manager::isDuplicateLocked(const QByteArray &frame)
{
    if (m_duplicatesLeft <= 0 || frame != m_duplicate || m_duplicateWindow.hasExpired())
        return false;
    --m_duplicatesLeft;
    if (m_transmissions > 0)
        ++m_droppedWhileWaiting;
    qCDebug(lcLink) << "dropped a second answer to a repeated command:" << frame.toHex(' ');
    return true;
}

void QInterface_Manager::noteAnswerLocked(const QByteArray &frame)
{
    // A further frame after wait_for_command() keeps the watch set up by the first answer.
    if (m_transmissions <= 0)
        return;
    // A copy that never comes (its request or answer was lost) would otherwise take the
    // same answer to the next request, which then is repeated and leaves a copy of its own
    // expected: the drops made while this command waited are counted against its repeats.
    const int repeats = m_transmissions - 1 - m_droppedWhileWaiting;
    m_transmissions = 0;
    m_droppedWhileWaiting = 0;
    // A command sent once leaves an earlier watch running: the late copy of that answer
    // may arrive while the commands after it are out.
    if (repeats <= 0)
        return;
    m_duplicate = frame;
    m_duplicatesLeft = repeats;
    // The copy answers a repeat that went out before this answer came, and may itself be
    // as late as this one was: one time-out from now is not always enough.
    m_duplicateWindow = QDeadlineTimer(2 * qint64(timeoutLocked(m_last)));
}

void QInterface_Manager::state_machine()
{
    QByteArray delivered;
    bool deliver = false;
    bool proc = false;
    bool repeat = false;
    bool timeout = false;
    bool endLost = false;
    {
        QMutexLocker l(&m_lock);
        if (!m_status || !m_worker)
            return;
        if (m_portLost) {
            // Nothing sent now can be answered: end it at once rather than retry it.
            if (!m_current.frame().isEmpty() && !m_lostEndPosted)
                m_lostEndPosted = endLost = true;
        } else {
            const INTERFACE_LOGIC_STATE_T s = m_worker->logic_state();
            if (m_busy && s != LOGIC_IDLE)
                m_busy = false;
            switch (s) {
            case LOGIC_IDLE:
                handOverLocked();
                proc = true;
                break;
            case LOGIC_SEND_COMMAND:
            case LOGIC_SEND_ANSWER:
            case LOGIC_RECEIVE:
            case LOGIC_WAIT_ANSWER:
                proc = true;
                break;
            case LOGIC_ANSWER_READY: {
                const QByteArray frame = m_worker->readyFrame();
                if (isDuplicateLocked(frame)) {
                    m_worker->resumeReceive(); // the real answer is still to come
                    proc = true;
                    break;
                }
                m_last.assign(m_current);
                m_current.clear();
                m_waiting = false;
                noteAnswerLocked(frame);
                delivered = m_worker->take_answer();
                deliver = proc = true;
                break;
            }
            case LOGIC_MESSAGE_READY: {
                const QByteArray frame = m_worker->readyFrame();
                if (m_draining && !m_drainEnd.hasExpired()) {
                    qCDebug(lcLink)
                        << "dropped the answer to a stopped command:" << frame.toHex(' ');
                    m_draining = false;
                    m_worker->take_incoming();
                    handOverLocked();
                    proc = true;
                    break;
                }
                if (isDuplicateLocked(frame)) {
                    if (!m_waiting || !m_worker->resumeReceive()) {
                        m_worker->take_incoming();
                        handOverLocked();
                    }
                    proc = true;
                    break;
                }
                if (!m_current.frame().isEmpty()) {
                    // Accepted while this frame was arriving, so never written: only a
                    // repeat sends it.
                    m_worker->cancelCommand();
                    m_last.assign(m_current);
                    m_current.clear();
                } else if (!m_waiting) {
                    qCDebug(lcLink) << "dropped a frame that answers nothing:" << frame.toHex(' ');
                    m_worker->take_incoming();
                    proc = true;
                    break;
                }
                m_waiting = false;
                noteAnswerLocked(frame);
                delivered = m_worker->take_incoming();
                deliver = proc = true;
                break;
            }
            case LOGIC_PORT_CLOSED:
                return;
            case LOGIC_TIMEOUT:
                m_worker->setLogicState(LOGIC_IDLE);
                proc = true;
                if (m_current.frame().isEmpty() && !m_waiting) {
                    // Noise or a cut frame while nothing was asked: there is nothing to repeat.
                    qCDebug(lcLink) << "dropped an incomplete frame on an idle line";
                    break;
                }
                qCDebug(lcLink).noquote() << QStringLiteral("Таймаут ожидания данных от модема");
                if (!m_current.frame().isEmpty())
                    m_last.assign(m_current);
                m_current.clear();
                m_waiting = false;
                if (m_retries < m_retryLimit) {
                    repeat = true;
                } else {
                    m_retries = 0;
                    timeout = true;
                }
                break;
            }
        }
    }
    if (endLost)
        QMetaObject::invokeMethod(this, &QInterface_Manager::endLostCommand, Qt::QueuedConnection);
    // The frame is handed over before the worker is told to go on: see rs232_port::m_parked.
    if (deliver)
        emit signal_proc_incoming_message(delivered);
    if (proc)
        emit signal_port_proc();
    if (repeat)
        repeat_command();
    if (timeout)
        emit signal_ack_timeout();
    if (deliver || timeout)
        announceIfFree();
}

void QInterface_Manager::endLostCommand()
{
    bool outstanding;
    {
        QMutexLocker l(&m_lock);
        m_lostEndPosted = false;
        outstanding = m_portLost && !m_current.frame().isEmpty();
        if (outstanding) {
            m_last.assign(m_current);
            m_current.clear();
            m_busy = false;
            m_retries = 0;
        }
    }
    if (outstanding) {
        emit signal_ack_timeout();
        announceIfFree();
    }
}

void QInterface_Manager::portLost(int opening)
{
    bool outstanding;
    QString name;
    {
        QMutexLocker l(&m_lock);
        if (opening != m_opening || !m_worker || m_portLost)
            return;
        m_portLost = true;
        outstanding = !m_current.frame().isEmpty() || m_waiting;
        if (!m_current.frame().isEmpty())
            m_last.assign(m_current);
        m_current.clear();
        m_busy = false;
        m_waiting = false;
        m_retries = 0;
        m_duplicatesLeft = 0;
        m_draining = false;
        name = m_portName;
    }
    qCDebug(lcLink).noquote() << "the device of port" << name << "has gone";
    emit signal_port_lost();
    if (outstanding)
        emit signal_ack_timeout();
    announceIfFree();
}

void QInterface_Manager::setStatus(bool on)
{
    {
        QMutexLocker l(&m_lock);
        m_status = on;
        if (!on) {
            m_current.clear();
            m_last.clear();
            m_waiting = false;
            m_duplicatesLeft = 0;
            m_draining = false;
        }
    }
    emit signal_interface_status(on);
    if (!on)
        announceIfFree();
}

void QInterface_Manager::run()
{
    auto *worker = new rs232_port;
    QString name;
    int baud, mode, opening;
    {
        QMutexLocker l(&m_lock);
        worker->set_answer_timeout(m_ackTimeout);
        worker->setOpener(m_opener);
        name = m_portName;
        baud = m_baud;
        mode = m_framingMode;
        opening = ++m_opening;
    }
    connect(this, &QInterface_Manager::signal_port_proc, worker, &rs232_port::proc,
            Qt::QueuedConnection);
    // The manager lives in the main thread, so the worker's reports reach it queued.
    connect(worker, &rs232_port::signal_state_ready, this, &QInterface_Manager::state_machine,
            Qt::QueuedConnection);
    connect(
        worker, &rs232_port::signal_port_lost, this, [this, opening] { portLost(opening); },
        Qt::QueuedConnection);
    const bool opened = worker->open_port(name, baud, mode);
    {
        QMutexLocker l(&m_lock);
        m_worker = worker;
        m_openError = worker->openError();
        m_busy = false;
        m_waiting = false;
        m_portLost = false;
        m_lostEndPosted = false;
        m_transmissions = 0;
        m_duplicatesLeft = 0;
        m_draining = false;
    }
    if (opened)
        emit signal_log_buffer(QStringLiteral("Открыт порт ") + name, QByteArray());
    setStatus(opened);

    exec();

    bool wasOpen;
    {
        QMutexLocker l(&m_lock);
        wasOpen = m_status;
        m_worker = nullptr;
    }
    if (wasOpen) {
        worker->close_port();
        setStatus(false);
    }
    delete worker;
}
