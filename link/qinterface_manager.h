#pragma once

#include "interface_state.h"
#include "portopener.h"
#include "qinterfacemessage.h"

#include <QDeadlineTimer>
#include <QMutex>
#include <QThread>

#include <functional>

class rs232_port;

// The single gateway to the modem. Holds the one command in flight, hands it to the port
// worker in the worker thread, delivers received frames to the main thread and repeats a
// command whose answer stays out. All slots run in the main thread and act when the port
// worker reports a frame, a time-out or a lost device; the worker thread runs only the port
// worker, which acts on the line's own events. Nothing runs while nothing is pending.
class QInterface_Manager : public QThread
{
    Q_OBJECT
public:
    static constexpr int DEFAULT_ACK_TIMEOUT = 3000;
    static constexpr int DEFAULT_RETRY_COUNT = 3;

    explicit QInterface_Manager(QObject *parent = nullptr);
    ~QInterface_Manager() override;

    void set_port(const QString &name, int baud, int mode);
    QString portName() const;
    void start_interface();
    void stop_interface();
    void set_ack_timeout(int ms);
    int ack_timeout() const;
    void set_retry_count(int n);
    int retry_count() const;
    // How long a command may stay unanswered before the link gives it up: the
    // acknowledgement time-out for the first try and for each repeat.
    qint64 give_up_ms() const;
    bool is_free() const;
    // The time-out of the command on the line (its factor applied), else the plain one.
    int command_timeout() const;
    // Runs then once no command is out (at once when none is), unless context is gone
    // first. A command still out when the link would have given it up, counted from now,
    // is dropped: then hears dropped = true.
    void whenFree(QObject *context, const std::function<void(bool dropped)> &then);
    bool interfaceStatus() const;
    QInterfaceMessage last_command() const;
    // How the next openings open the port; empty for the system's way.
    void setPortOpener(const PortOpener &opener);
    // Why the last opening failed; NoError after a success.
    QSerialPort::SerialPortError openError() const;

signals:
    void signal_interface_status(bool on_off);
    void signal_proc_incoming_message(QByteArray);
    void signal_ack_timeout();
    void signal_port_proc();
    void signal_log_buffer(QString, QByteArray);
    // The open port's device has gone (unplugged, hung up); the port is closed. Emitted
    // once per opening, in the main thread, whether or not a command is outstanding. A
    // command that was outstanding is not retried: signal_ack_timeout() follows at once,
    // and so it does for a command sent after the loss, until the interface is restarted.
    void signal_port_lost();
    // No command is out any more; emitted once the frame that ended it has been delivered.
    void signal_line_free();

public slots:
    bool send_command(QInterfaceMessage &mess);
    bool send_answer(QInterfaceMessage &mess);
    bool repeat_command();
    bool stop_command();
    bool wait_for_command();
    INTERFACE_LOGIC_STATE_T logic_state();

private slots:
    void state_machine();
    void endLostCommand();

protected:
    void run() override;

private:
    void setStatus(bool on);
    void portLost(int opening);
    bool handOverLocked();
    bool isDuplicateLocked(const QByteArray &frame);
    void noteAnswerLocked(const QByteArray &frame);
    int timeoutLocked(const QInterfaceMessage &command) const;
    void announceIfFree();

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
    PortOpener m_opener;
    QSerialPort::SerialPortError m_openError = QSerialPort::NoError;
    int m_framingMode = 0;
    int m_sequence = 0;
    bool m_busy = false;
    int m_retries = 0;
    uint m_messageCounter = 0;
    bool m_waiting = false;  // wait_for_command(): a further frame of the last command is due
    int m_opening = 0;       // counts the thread's runs, so a late report of an old port is known
    bool m_portLost = false; // the device of this opening has gone
    bool m_lostEndPosted = false;
    // Every transmission of a command may be answered, but only the first answer counts: the
    // others are duplicates, dropped for as long as two time-outs after it.
    int m_transmissions = 0;
    // Frames dropped as duplicates while this command waited: when its own answer was among
    // them, its repeats leave that many fewer copies to come.
    int m_droppedWhileWaiting = 0;
    QByteArray m_duplicate;
    int m_duplicatesLeft = 0;
    QDeadlineTimer m_duplicateWindow;
    // A stopped command that was already written may still be answered: the next command
    // waits for that answer (dropped) or for one time-out, so it never takes it for its own.
    bool m_draining = false;
    QDeadlineTimer m_drainEnd;
};
