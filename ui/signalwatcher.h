#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a queued Qt signal: the handler only writes a
// byte to a socket pair, the event loop does the rest.
class SignalWatcher : public QObject
{
    Q_OBJECT
public:
    explicit SignalWatcher(QObject *parent = nullptr);
    ~SignalWatcher() override;

    bool isActive() const { return m_notifier != nullptr; }

signals:
    void terminationRequested(int signalNumber);

private:
    void onReadable();

    QSocketNotifier *m_notifier = nullptr;
};
