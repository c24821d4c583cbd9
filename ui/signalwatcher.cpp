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
#elif defined(Q_OS_WIN)
#include <QMetaObject>
#include <QPointer>
#include <csignal>
#include <utility>
#include <windows.h>

namespace
{
QPointer<SignalWatcher> g_watcher;
bool g_started = false;
int g_waiting = 0; // a request that came before start()

// Runs on a thread of its own that the system starts for Ctrl+C, Ctrl+Break or the
// console's closing; the event loop does the rest.
BOOL WINAPI onConsoleEvent(DWORD event)
{
    const int number = event == CTRL_C_EVENT ? SIGINT : SIGTERM;
    QMetaObject::invokeMethod(
        g_watcher.data(),
        [number] {
            if (!g_watcher)
                return;
            if (g_started)
                emit g_watcher->terminationRequested(number);
            else
                g_waiting = number;
        },
        Qt::QueuedConnection);
    return TRUE;
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
#elif defined(Q_OS_WIN)
    if (g_watcher)
        return; // one watcher per process
    g_watcher = this;
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
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
#elif defined(Q_OS_WIN)
    if (g_watcher != this)
        return;
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    g_watcher = nullptr;
    g_started = false;
#endif
}

bool SignalWatcher::isActive() const
{
#ifdef Q_OS_WIN
    return g_watcher == this;
#else
    return m_notifier != nullptr;
#endif
}

void SignalWatcher::start()
{
    if (m_notifier)
        m_notifier->setEnabled(true);
#ifdef Q_OS_WIN
    if (g_watcher != this)
        return;
    g_started = true;
    if (g_waiting)
        emit terminationRequested(std::exchange(g_waiting, 0));
#endif
}

void SignalWatcher::onReadable()
{
#ifdef Q_OS_UNIX
    unsigned char byte = 0;
    if (::read(g_fds[1], &byte, 1) == 1)
        emit terminationRequested(byte);
#endif
}
