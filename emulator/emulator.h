#pragma once

#include "emulatorstate.h"
#include "firmwarereceiver.h"
#include "framelog.h"

#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace vexo::emu
{

struct EmulatorCore;
class EmulatorEngine;

// The emulated stick and actuator on a pseudo-terminal. The program (or a test client)
// opens slavePath() as its serial port: a private link that follows the line from one
// pseudo-terminal to the next and is gone while the line is closed.
//
// start(false) runs the line in the caller's thread, which must then run an event
// loop; start(true) gives it a thread of its own, so the caller may block (modal
// dialogs, waitForReadyRead). Every other member may be called from any thread.
class Emulator : public QObject
{
    Q_OBJECT
public:
    explicit Emulator(const EmulatorState &state = EmulatorState(), QObject *parent = nullptr);
    ~Emulator() override;

    bool start(bool ownThread = false);
    void stop();
    bool isRunning() const { return m_engine != nullptr; }
    QString slavePath() const;
    QString errorString() const;

    // --- device state ---
    EmulatorState state() const;
    void setState(const EmulatorState &state);
    // Changes the state in place under the lock, e.g. to add a remote or drop the link.
    void modifyState(const std::function<void(EmulatorState &)> &change);
    // The last firmware transfer, complete or not.
    FirmwareImage lastFirmware() const;

    // --- the world around the device ---
    // A remote transmits with its button held; polls 0 takes pressPolls of the state.
    // False when the stick is not listening (search mode).
    bool pressRemote(quint32 id, quint8 group = 0, int polls = 0);
    // The button on the actuator is held; clears the password in password-reset mode.
    bool holdActuatorButton();

    // --- faults, each counted in answer frames ---
    void dropAnswers(int count); // the device acts, the answer is lost
    void delayAnswers(int count, int ms);
    void corruptChecksums(int count = 1);
    void sendGarbage(const QByteArray &bytes, int count = 1); // written just before the answer
    void splitAnswers(int count, int pieces, int gapMs);
    // Answer the request with this command word (data-frame command or short-frame
    // word 1) by this status instead of executing it; count < 0 until cleared, 0 clears.
    void forceStatus(quint16 command, quint8 status, quint8 detail = 0, int count = 1);
    // The next count parameter answers name the parameter after the one asked for.
    void misnameParamAnswers(int count = 1);
    // The next count remote writes are stored with the group's lowest bit flipped, and
    // answered as if all went well.
    void garbleWrites(int count = 1);
    // The line closes in place of the next answer; the device has acted on the request.
    void hangUpAtNextAnswer();
    // Faults wait until a request with this command word (data or short) has come this
    // many times, and start with its answer: a fault in the middle of an operation.
    void holdFaultsUntil(quint16 command, int occurrence = 1);
    void clearFaults();
    // The device end goes away: the program sees a hang-up. reopenLine() opens a new
    // pseudo-terminal, reached by the same slavePath(), with the same device state.
    void closeLine();
    bool reopenLine();
    bool lineOpen() const;

    // --- line (these settings may be made before start() and survive reopenLine()) ---
    // slavePath() is this fixed path, valid across restarts, instead of a private one.
    void setLinkPath(const QString &path) { m_linkPath = path; }
    void setPacing(bool on); // 4800 baud, 8N1
    bool pacing() const { return m_pacing; }
    // Requests reach the device no faster than 4800 baud carries them (off by default).
    void setInputPacing(bool on);
    // An incomplete frame is dropped after this much silence (default 500 ms).
    void setReceiveGapMs(int ms);
    // Bytes not yet on the line (paced, delayed or split answers).
    qsizetype pendingBytes() const;

    // --- log ---
    QList<FrameLogEntry> frameLog() const;
    void clearFrameLog();
    // Sequence numbers of the checked data frames, in order of arrival.
    QList<int> sequenceNumbers() const;
    // Checked requests with this command word (data or short) since the log was cleared.
    int requestCount(quint16 command) const;

signals:
    // Emitted in the emulator's thread; connect with a queued or auto connection.
    void frameLogged(const vexo::emu::FrameLogEntry &entry);
    void lineClosed();

private:
    template <typename F> void inEngine(F &&fn) const;

    std::unique_ptr<EmulatorCore> m_core;
    EmulatorEngine *m_engine = nullptr;
    QThread *m_thread = nullptr;
    QString m_error;
    QString m_linkPath;
    std::atomic<bool> m_pacing{false};
    std::atomic<bool> m_inputPacing{false};
    std::atomic<int> m_receiveGapMs{500};
};

} // namespace vexo::emu
