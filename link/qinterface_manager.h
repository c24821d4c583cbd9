#pragma once

#include "interface_state.h"
#include "qinterfacemessage.h"

#include <QMutex>
#include <QThread>

class QTimer;
class rs232_port;

// The single gateway to the modem. Holds the one command in flight, hands it to the port
// worker in the worker thread, delivers every received frame to the main thread and
// repeats a command whose answer stays out. All slots run in the main thread; the worker
// thread only runs the port worker and the 50 ms timer.
class QInterface_Manager : public QThread
{
    Q_OBJECT
public:
    static constexpr int DEFAULT_ACK_TIMEOUT = 3000;
    static constexpr int DEFAULT_RETRY_COUNT = 3;
    static constexpr int TICK_MS = 50;

    explicit QInterface_Manager(QObject *parent = nullptr);
    ~QInterface_Manager() override;

    void set_port(const QString &name, int baud, int mode);
    QString port_name() const;
    void start_interface();
    void stop_interface();
    void set_ack_timeout(int ms);
    int ack_timeout() const;
    void set_retry_count(int n);
    int retry_count() const;
    bool is_free() const;
    bool interface_status() const;
    QInterfaceMessage last_command() const;

signals:
    void signal_interface_status(bool on_off);
    void signal_proc_incoming_message(QByteArray);
    void signal_ack_timeout();
    void signal_port_proc();
    void signal_log_buffer(QString, QByteArray);
    // The open port's device went away.
    void signal_port_lost();

public slots:
    bool send_command(QInterfaceMessage &mess);
    bool send_answer(QInterfaceMessage &mess);
    bool repeat_command();
    bool stop_command();
    bool wait_for_command();
    INTERFACE_LOGIC_STATE_T logic_state();

private slots:
    void state_machine();

protected:
    void run() override;

private:
    void set_status(bool on);

    // Guards everything below that the worker thread's run() also touches. Never held
    // while a signal is emitted, so slots may call back into the manager freely.
    mutable QMutex m_lock;
    QInterfaceMessage m_current;
    QInterfaceMessage m_last;
    QInterfaceMessage m_pendingAnswer;
    int m_ackTimeout = DEFAULT_ACK_TIMEOUT;
    int m_retryLimit = DEFAULT_RETRY_COUNT;
    bool m_status = false;
    QString m_portName;
    int m_baud = 4800;
    rs232_port *m_worker = nullptr;
    int m_framingMode = 0;
    int m_sequence = 0;
    bool m_busy = false;
    int m_retries = 0;
    uint m_messageCounter = 0;
};
