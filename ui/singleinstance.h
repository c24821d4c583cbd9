#pragma once

#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class QLocalServer;

// One running program per user: a second one would fight the first over the serial port.
// The first holds a lock file and listens on a local socket beside it, both in a folder
// private to the user; a later start finds the lock taken, asks the first one through the
// socket to bring its window to the front, and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // directory: where the lock and the socket live; empty for defaultDirectory().
    explicit SingleInstance(const QString &directory = QString(), QObject *parent = nullptr);

    // The user's runtime directory when it is private to the user (XDG_RUNTIME_DIR), else
    // a folder of the user's own made 0700; empty when neither can be had.
    static QString defaultDirectory();
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

    QString m_directory;
    QString m_socketPath;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
    QPointer<QWidget> m_window;
};
