#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a queued Qt signal: the handler only writes a
// byte to a socket pair, the event loop does the rest. Signals are caught from
// construction on but delivered only after start(), so one that comes while the
// receiver is still being built waits in the socket instead of being emitted to nobody.
class SignalWatcher : public QObject
{
    Q_OBJECT
public:
    explicit SignalWatcher(QObject *parent = nullptr);
    ~SignalWatcher() override;

    bool isActive() const;
    // Call once terminationRequested is connected.
    void start();

signals:
    void terminationRequested(int signalNumber);

private:
    void onReadable();

    QSocketNotifier *m_notifier = nullptr;
};
