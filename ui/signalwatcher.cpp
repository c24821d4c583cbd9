#include "signalwatcher.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
int g_fds[2] = {-1, -1};

void onSignal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    // Nothing else is async-signal-safe enough to do here.
    [[maybe_unused]] ssize_t n = ::write(g_fds[0], &byte, 1);
}
} // namespace
#endif

SignalWatcher::SignalWatcher(QObject *parent) : QObject(parent)
{
#ifdef Q_OS_UNIX
    if (g_fds[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_fds) != 0)
        return; // one watcher per process
    m_notifier = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
    m_notifier->setEnabled(false);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalWatcher::onReadable);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
#endif
}

SignalWatcher::~SignalWatcher()
{
#ifdef Q_OS_UNIX
    if (!m_notifier)
        return;
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    delete m_notifier;
    m_notifier = nullptr;
    ::close(g_fds[0]);
    ::close(g_fds[1]);
    g_fds[0] = g_fds[1] = -1;
#endif
}

void SignalWatcher::start()
{
    if (m_notifier)
        m_notifier->setEnabled(true);
}

void SignalWatcher::onReadable()
{
#ifdef Q_OS_UNIX
    unsigned char byte = 0;
    if (::read(g_fds[1], &byte, 1) == 1)
        emit terminationRequested(byte);
#endif
}
