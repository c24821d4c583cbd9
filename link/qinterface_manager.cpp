#include "qinterface_manager.h"

#include "linklog.h"
#include "rs232_port.h"

#include <QMutexLocker>
#include <QTimer>

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

QString QInterface_Manager::port_name() const
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

bool QInterface_Manager::is_free() const
{
    QMutexLocker l(&m_lock);
    return m_current.frame().isEmpty();
}

bool QInterface_Manager::interface_status() const
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
    return m_worker ? m_worker->logic_state() : LOGIC_PORT_CLOSED;
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
            m_worker->set_logic_state(LOGIC_IDLE);
            // Not yet written? Then it never will be.
            m_worker->cancel_command();
        }
        m_current.clear();
        m_last.clear();
        m_busy = false;
    }
    state_machine();
    return true;
}

bool QInterface_Manager::wait_for_command()
{
    QMutexLocker l(&m_lock);
    if (!m_worker || m_busy || m_worker->logic_state() != LOGIC_IDLE)
        return false;
    m_worker->set_answer_timeout(m_ackTimeout);
    return m_worker->start_receive();
}

void QInterface_Manager::state_machine()
{
    QByteArray delivered;
    bool deliver = false;
    bool proc = false;
    bool repeat = false;
    bool timeout = false;
    {
        QMutexLocker l(&m_lock);
        if (!m_status || !m_worker)
            return;
        const INTERFACE_LOGIC_STATE_T s = m_worker->logic_state();
        if (m_busy && s != LOGIC_IDLE)
            m_busy = false;
        switch (s) {
        case LOGIC_IDLE:
            if (!m_current.frame().isEmpty() && !m_busy) {
                m_busy = true;
                m_worker->set_command(m_current.frame());
            }
            proc = true;
            break;
        case LOGIC_SEND_COMMAND:
        case LOGIC_SEND_ANSWER:
        case LOGIC_RECEIVE:
        case LOGIC_WAIT_ANSWER:
            proc = true;
            break;
        case LOGIC_ANSWER_READY:
            m_last.assign(m_current);
            m_current.clear();
            delivered = m_worker->take_answer();
            deliver = proc = true;
            break;
        case LOGIC_MESSAGE_READY:
            if (!m_current.frame().isEmpty())
                m_last.assign(m_current);
            m_current.clear();
            delivered = m_worker->take_incoming();
            deliver = proc = true;
            break;
        case LOGIC_PORT_CLOSED:
            return;
        case LOGIC_TIMEOUT:
            qCDebug(lcLink).noquote() << QStringLiteral("Таймаут ожидания данных от модема");
            m_worker->set_logic_state(LOGIC_IDLE);
            if (!m_current.frame().isEmpty())
                m_last.assign(m_current);
            m_current.clear();
            if (m_retries < m_retryLimit) {
                repeat = true;
            } else {
                m_retries = 0;
                timeout = true;
            }
            break;
        }
    }
    if (deliver)
        emit signal_proc_incoming_message(delivered);
    if (proc)
        emit signal_port_proc();
    if (repeat)
        repeat_command();
    if (timeout)
        emit signal_ack_timeout();
}

void QInterface_Manager::set_status(bool on)
{
    {
        QMutexLocker l(&m_lock);
        m_status = on;
        if (!on) {
            m_current.clear();
            m_last.clear();
        }
    }
    emit signal_interface_status(on);
}

void QInterface_Manager::run()
{
    auto *timer = new QTimer;
    timer->start(TICK_MS);
    auto *worker = new rs232_port;
    QString name;
    int baud, mode;
    {
        QMutexLocker l(&m_lock);
        worker->set_answer_timeout(m_ackTimeout);
        name = m_portName;
        baud = m_baud;
        mode = m_framingMode;
    }
    connect(this, &QInterface_Manager::signal_port_proc, worker, &rs232_port::proc,
            Qt::QueuedConnection);
    const bool opened = worker->open_port(name, baud, mode);
    {
        QMutexLocker l(&m_lock);
        m_worker = worker;
        m_busy = false;
    }
    if (opened)
        emit signal_log_buffer(QStringLiteral("Открыт порт ") + name, QByteArray());
    set_status(opened);
    // The manager lives in the main thread, so each tick reaches state_machine() queued.
    connect(timer, &QTimer::timeout, this, &QInterface_Manager::state_machine);

    exec();

    timer->disconnect();
    timer->stop();
    delete timer;
    bool wasOpen;
    {
        QMutexLocker l(&m_lock);
        wasOpen = m_status;
        m_worker = nullptr;
    }
    if (wasOpen) {
        worker->close_port();
        set_status(false);
    }
    delete worker;
}
