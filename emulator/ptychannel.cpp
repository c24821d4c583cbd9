#include "ptychannel.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

PtyChannel::PtyChannel(QObject *parent) : QObject(parent)
{
    m_paceTimer = new QTimer(this);
    m_paceTimer->setTimerType(Qt::PreciseTimer);
    m_paceTimer->setInterval(2);
    connect(m_paceTimer, &QTimer::timeout, this, &PtyChannel::pump);
    m_inTimer = new QTimer(this);
    m_inTimer->setSingleShot(true);
    m_inTimer->setTimerType(Qt::PreciseTimer);
    connect(m_inTimer, &QTimer::timeout, this, &PtyChannel::deliverInput);
}

PtyChannel::~PtyChannel()
{
    close();
}

bool PtyChannel::open()
{
    close();
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        m_error = QString::fromLocal8Bit(strerror(errno));
        if (master >= 0)
            ::close(master);
        return false;
    }
    const char *name = ptsname(master);
    int slave = name ? ::open(name, O_RDWR | O_NOCTTY) : -1;
    if (slave < 0) {
        m_error = QString::fromLocal8Bit(strerror(errno));
        ::close(master);
        return false;
    }
    // Raw from the start: no echo or line editing even before the client sets its mode.
    termios tio;
    if (tcgetattr(slave, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    m_master = master;
    m_slave = slave;
    m_slavePath = QString::fromLocal8Bit(name);
    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyChannel::onReadable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyChannel::pump);
    return true;
}

void PtyChannel::close()
{
    delete m_readNotifier;
    m_readNotifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
    m_paceTimer->stop();
    m_out.clear();
    m_inTimer->stop();
    m_in.clear();
    m_inFreeAtNs = 0;
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}

void PtyChannel::write(const QByteArray &bytes)
{
    if (m_master < 0 || bytes.isEmpty())
        return;
    if (m_out.isEmpty()) {
        m_paceClock.start();
        m_pacedSent = 0;
    }
    m_out.append(bytes);
    pump();
}

void PtyChannel::pump()
{
    if (m_master < 0)
        return;
    qsizetype allowed = m_out.size();
    if (m_baud > 0) {
        const qint64 due = m_paceClock.nsecsElapsed() * (m_baud / 10) / 1000000000LL + 1;
        allowed = qBound<qsizetype>(0, due - m_pacedSent, m_out.size());
    }
    if (allowed > 0) {
        const ssize_t n = ::write(m_master, m_out.constData(), size_t(allowed));
        if (n > 0) {
            m_out.remove(0, n);
            m_pacedSent += n;
        }
        const bool full = n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        m_writeNotifier->setEnabled(full || (n >= 0 && n < allowed));
    }
    if (m_out.isEmpty()) {
        m_paceTimer->stop();
        m_writeNotifier->setEnabled(false);
        emit written();
    } else if (m_baud > 0 && !m_paceTimer->isActive()) {
        m_paceTimer->start();
    }
}

void PtyChannel::onReadable()
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            receive(QByteArray(buf, int(n)));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // EAGAIN: drained; EIO cannot happen while we hold the slave open
    }
}

void PtyChannel::receive(const QByteArray &bytes)
{
    if (m_inBaud <= 0 && m_in.isEmpty()) {
        emit received(bytes);
        return;
    }
    if (!m_inClock.isValid())
        m_inClock.start();
    const qint64 now = m_inClock.nsecsElapsed();
    const qint64 byteNs = m_inBaud > 0 ? 10LL * 1000000000LL / m_inBaud : 0; // 8N1
    // The line carries one byte after the other: a burst written at once by the
    // program still arrives at the line's rate.
    m_inFreeAtNs = qMax(m_inFreeAtNs, now) + bytes.size() * byteNs;
    m_in.append(Arrival{m_inFreeAtNs, bytes});
    deliverInput();
}

void PtyChannel::deliverInput()
{
    const qint64 now = m_inClock.nsecsElapsed();
    while (!m_in.isEmpty() && m_in.first().dueNs <= now)
        emit received(m_in.takeFirst().bytes);
    if (!m_in.isEmpty())
        m_inTimer->start(int((m_in.first().dueNs - now + 999999) / 1000000));
}
