#pragma once

#include "interface_state.h"
#include "portopener.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QMutex>
#include <QSerialPort>

#include <atomic>

class QTimer;

// Owns the serial port in the link's worker thread and acts on events: received bytes are
// assembled into one unescaped frame as they arrive, a handed-over command is written as
// soon as the turnaround allows, and a single-shot timer ends a reception that stays silent.
// The manager thread reads the state and swaps frames in and out; the state is atomic and
// every change of it that both sides make sits behind a mutex with the buffers, so neither
// side ever sees half a hand-over. A state the manager must act on (a frame ready, a
// time-out) is announced by signal_state_ready(), a vanished device by signal_port_lost().
class rs232_port : public QSerialPort
{
    Q_OBJECT
public:
    static constexpr int RECEIVE_BUFFER_SIZE = 512;
    // Silence after a stored byte that ends a frame not yet complete.
    static constexpr int BYTE_GAP_MS = 500;
    // The least pause between the last byte received and the next request written.
    static constexpr int TURNAROUND_MS = 10;
    // Received bytes kept while a frame waits to be taken: room for several of the longest
    // frames, escaped. A device that sends more meanwhile loses the oldest of it.
    static constexpr int INPUT_LIMIT = 4 * RECEIVE_BUFFER_SIZE;

    explicit rs232_port(QObject *parent = nullptr);

    bool open_port(const QString &name, int baud, int mode);
    // Replaces the system's way of opening; empty restores it.
    void setOpener(const PortOpener &opener) { m_opener = opener; }
    // Why the last open_port() failed; NoError after a success.
    QSerialPort::SerialPortError openError() const { return m_openError; }
    void close_port();
    int portNumber() const { return m_portNumber; }

    void set_answer_timeout(int ms) { m_answerTimeout = ms; }
    int answer_timeout() const { return m_answerTimeout; }

    // Stores the frame to write next; only in LOGIC_IDLE, so that a reception the worker
    // has begun meanwhile is never mistaken for the answer to it.
    bool set_command(const QByteArray &frame);
    void cancelCommand();
    void set_answer(const QByteArray &frame);
    QByteArray take_answer();
    QByteArray take_incoming();
    // The frame of LOGIC_ANSWER_READY or LOGIC_MESSAGE_READY, left in place.
    QByteArray readyFrame() const;
    bool start_receive();
    // Drops the ready frame and goes on receiving as before it, against the same deadline.
    bool resumeReceive();

    // The receive path: bytes as a read from the device returned them, in any pieces.
    // readyRead feeds it; so can a harness that has no device behind the port.
    void takeBytes(const QByteArray &bytes);
    // Received bytes not looked at yet, and those dropped beyond INPUT_LIMIT since opening.
    qsizetype pendingInput() const { return m_input.size(); }
    qint64 droppedInput() const { return m_droppedTotal; }

    INTERFACE_LOGIC_STATE_T logic_state() const { return m_state.load(); }
    void setLogicState(INTERFACE_LOGIC_STATE_T s);

signals:
    void signal_state_ready();
    void signal_port_lost();

public slots:
    INTERFACE_LOGIC_STATE_T proc();

private:
    void onReadyRead();
    void onBytesWritten();
    void onTimer();
    void onError(QSerialPort::SerialPortError error);
    bool hungUp();
    void writePending();
    void receive();
    void completeFrame();
    void armTimer();
    void resetReceiver();
    void writeFrame(const QByteArray &frame);

    PortOpener m_opener;
    QSerialPort::SerialPortError m_openError = QSerialPort::NoError;
    std::atomic<int> m_portNumber{-1};
    std::atomic<int> m_answerTimeout{3000};
    mutable QMutex m_lock; // guards the frame buffers, the pending flags and state changes
    QByteArray m_commandBuffer;
    QByteArray m_answerBuffer;
    QByteArray m_incomingFrame;
    QByteArray m_answerFrame;
    bool m_commandPending = false;
    bool m_answerPending = false;
    bool m_rearm = false;   // a receiving state was set from outside: load the answer deadline
    bool m_resumed = false; // a ready frame was dropped: wait on against the old deadline
    // A frame was taken and is being delivered: its receiver may still ask for a further
    // frame or send the next command, so no reception of the worker's own begins until the
    // manager's next proc(). The manager hands the frame over before it tells the worker to
    // go on (signal_port_proc after signal_proc_incoming_message): a question to the user
    // may open inside that delivery, and its dialog must never find the worker mid-frame,
    // with a half-read frame timing out behind it.
    bool m_parked = false;
    std::atomic<INTERFACE_LOGIC_STATE_T> m_state{LOGIC_IDLE};

    // Worker thread only.
    QByteArray m_input; // read from the device, not yet looked at
    qint64 m_droppedTotal = 0;
    qint64 m_droppedInFlood = 0; // since the input last ran dry: logged once it does
    char m_rxBuffer[RECEIVE_BUFFER_SIZE] = {};
    quint16 m_rxCount = 0;
    bool m_rxEscape = false;
    int m_framingMode = 0;
    QTimer *m_timer;                 // ends a silent reception
    QTimer *m_turnaround;            // holds a command back until the turnaround has passed
    QDeadlineTimer m_answerDeadline; // for the first byte of an answer
    QDeadlineTimer m_deadline;       // of the reception under way: answer or byte gap
    QElapsedTimer m_lastReceived;    // since the last bytes came in
    // Windows: past the deadline, bytes still in the driver are waited for this often.
    static constexpr int LATE_CHECKS = 5;
    static constexpr int LATE_CHECK_MS = 10;
    int m_lateChecks = 0;
};
