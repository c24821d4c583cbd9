#pragma once

#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class QLocalServer;

// One running program per user: a second one would fight the first over the serial port.
// The first holds a lock file and listens on a local socket beside it, both in the user's
// runtime directory; a later start finds the lock taken, asks the first one through the
// socket to bring its window to the front, and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // directory: where the lock and the socket live; empty for the user's runtime directory.
    explicit SingleInstance(const QString &directory = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when no other instance runs: this one then answers later starts. A lock left
    // by an instance that died is taken over.
    bool claim();
    // Asks the running instance to show its window; true once it has confirmed. It may
    // still be starting, so its socket is tried until timeoutMs have passed.
    bool activateRunning(int timeoutMs = 5000);

    // The window to bring to the front when another start asks for it.
    void setWindow(QWidget *window) { m_window = window; }
    QString socketPath() const { return m_socketPath; }

signals:
    void activationRequested();

private:
    void onNewConnection();
    void activate();

    QString m_socketPath;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
    QPointer<QWidget> m_window;
};
