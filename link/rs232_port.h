#pragma once

#include "interface_state.h"

#include <QByteArray>
#include <QMutex>
#include <QSerialPort>

#include <atomic>

// Owns the serial port in the link's worker thread. Driven by polling: each proc() step
// writes a pending frame or collects received bytes into one unescaped frame.
// The manager thread reads the state and swaps frames in and out; the state is atomic and
// the buffers sit behind a mutex, so neither side ever sees half a hand-over.
class rs232_port : public QSerialPort
{
    Q_OBJECT
public:
    static constexpr int RECEIVE_BUFFER_SIZE = 512;
    static constexpr int BYTE_GAP_STEPS = 10;
    static constexpr int STEP_MS = 50;

    explicit rs232_port(QObject *parent = nullptr);

    bool open_port(const QString &name, int baud, int mode);
    void close_port();
    int port_number() const { return m_portNumber; }

    void set_answer_timeout(int ms) { m_answerTimeout = ms; }
    int answer_timeout() const { return m_answerTimeout; }

    void set_command(const QByteArray &frame);
    void cancel_command();
    void set_answer(const QByteArray &frame);
    QByteArray take_answer();
    QByteArray take_incoming();
    bool start_receive();

    INTERFACE_LOGIC_STATE_T logic_state() const { return m_state.load(); }
    void set_logic_state(INTERFACE_LOGIC_STATE_T s) { m_state.store(s); }

public slots:
    INTERFACE_LOGIC_STATE_T proc();

private:
    INTERFACE_LOGIC_STATE_T receive();
    void reset_receiver();
    void writeFrame(const QByteArray &frame);
    void onError(QSerialPort::SerialPortError error);

    std::atomic<int> m_portNumber{-1};
    std::atomic<int> m_countdown{0};
    std::atomic<int> m_answerTimeout{3000};
    QMutex m_lock; // guards the four frame buffers and the pending flags
    QByteArray m_commandBuffer;
    QByteArray m_answerBuffer;
    QByteArray m_incomingFrame;
    QByteArray m_answerFrame;
    bool m_commandPending = false;
    bool m_answerPending = false;
    std::atomic<INTERFACE_LOGIC_STATE_T> m_state{LOGIC_IDLE};
    char m_rxBuffer[RECEIVE_BUFFER_SIZE] = {};
    quint16 m_rxCount = 0;
    bool m_rxEscape = false;
    int m_framingMode = 0;
};
