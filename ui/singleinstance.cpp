#include "singleinstance.h"

#include "privatefiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace
{
const char ACTIVATE[] = "activate\n";
const char ACTIVATED[] = "ok\n";
constexpr int ANSWER_WAIT_MS = 2000;

// The lock file's name, without its folder.
QString baseName()
{
#ifdef Q_OS_WIN
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return QStringLiteral("vexo-control-tool-%1-%2").arg(privatefiles::userSid()).arg(session);
#else
    return QStringLiteral("vexo-control-tool");
#endif
}

QString serverName(const QString &socketPath)
{
#ifdef Q_OS_WIN
    // Pipe names are global on Windows: the session's namespace and the user's SID keep
    // them apart, so no other session or user can take the name first.
    Q_UNUSED(socketPath);
    return QStringLiteral("Local\\") + baseName();
#else
    return socketPath;
#endif
}

QString instanceDirectory(const QString &directory)
{
    return directory.isEmpty() ? SingleInstance::defaultDirectory() : directory;
}
} // namespace

QString SingleInstance::defaultDirectory()
{
#ifdef Q_OS_UNIX
    // Another user must not be able to plant the lock or the socket: a name under the
    // shared /tmp could be taken by anyone first.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && privatefiles::isPrivateDirectory(runtime))
        return runtime;
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                        QStringLiteral("/vexo-control-tool");
    if (privatefiles::makeDirectory(own) && privatefiles::isPrivateDirectory(own))
        return own;
    return QString();
#else
    // %LOCALAPPDATA% is the user's own; Qt's runtime location there is the home folder.
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                        QStringLiteral("/vexo-control-tool");
    return privatefiles::makeDirectory(own) ? own : QString();
#endif
}

SingleInstance::SingleInstance(const QString &directory, QObject *parent)
    : QObject(parent), m_directory(instanceDirectory(directory)),
      m_socketPath(m_directory + QLatin1Char('/') + baseName() + ".socket"),
      m_lock(m_directory + QLatin1Char('/') + baseName() + ".lock")
{
    // Only the death of the holder frees the lock, never its age.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    delete m_server; // removes the socket file before the lock goes
    m_server = nullptr;
}

bool SingleInstance::claim()
{
    if (m_directory.isEmpty()) {
        // Better a second program than none at all.
        qWarning("No private folder for the instance lock: other starts are not checked.");
        return true;
    }
    if (!m_lock.tryLock(0))
        return false;
    // A socket file left by an instance that died would block listening.
    const QString name = serverName(m_socketPath);
    QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    if (!m_server->listen(name))
        qWarning("Later starts cannot reach this instance: %s",
                 qPrintable(m_server->errorString()));
    return true;
}

bool SingleInstance::activateRunning(int timeoutMs)
{
    if (m_directory.isEmpty())
        return false;
    const QString name = serverName(m_socketPath);
    const QDeadlineTimer deadline(timeoutMs);
    const auto remaining = [&] {
        return int(qBound(qint64(1), deadline.remainingTime(), qint64(timeoutMs)));
    };
    do {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(remaining())) {
            socket.write(ACTIVATE);
            socket.flush();
            // Once connected, the answer gets its time even when the deadline is near.
            QByteArray answer;
            while (!answer.contains('\n') &&
                   socket.waitForReadyRead(qMax(remaining(), ANSWER_WAIT_MS)))
                answer += socket.readAll();
            return answer == ACTIVATED;
        }
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    return false;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() != ACTIVATE) {
                socket->disconnectFromServer();
                return;
            }
            activate();
            socket->write(ACTIVATED);
            socket->flush();
        });
    }
}

void SingleInstance::activate()
{
    if (m_window) {
        if (m_window->isMinimized())
            m_window->showNormal();
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    }
    emit activationRequested();
}
