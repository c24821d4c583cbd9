#pragma once

#include <QTemporaryDir>

#include <memory>

#include "devicemodel.h"
#include "faultplan.h"
#include "framelog.h"
#include "wireframe.h"

#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QSet>

#include <functional>

class PtyChannel;
class QTimer;

namespace vexo::emu
{

// What the line side and the API side share; every field is guarded by the mutex.
struct EmulatorCore {
    mutable QMutex mutex;
    DeviceModel model;
    FaultPlan faults;
    QList<FrameLogEntry> log;
    QList<int> sequences;
    QElapsedTimer clock;

    static constexpr int MaxLogEntries = 50000;

    qint64 now() const { return clock.elapsed(); }
    // Caller holds the mutex.
    FrameLogEntry append(FrameLogEntry::Direction direction, const QByteArray &frame,
                         const QString &text);
};

// The line side: owns the pseudo-terminal, delimits frames, asks the model and writes
// the answers with whatever faults are due. Lives in the emulator's thread; everything
// here runs there.
class EmulatorEngine : public QObject
{
    Q_OBJECT
public:
    explicit EmulatorEngine(EmulatorCore *core, QObject *parent = nullptr);
    ~EmulatorEngine() override;

    bool openLine();
    void closeLine();
    bool isOpen() const;
    // A link of our own that follows the line: a pseudo-terminal's number is taken by
    // whoever opens one next once the line closes, so the raw name must not be handed
    // out to be opened again later.
    QString slavePath() const { return m_linkPath; }
    // The pseudo-terminal itself, for reports.
    QString ptyName() const { return m_ptyName; }
    QString errorString() const { return m_error; }
    void setPacing(int baud);
    void setInputPacing(int baud);
    void setReceiveGapMs(int ms) { m_receiveGapMs = qMax(1, ms); }
    // The link at this path instead of one in a directory of its own; before openLine().
    void setLinkPath(const QString &path) { m_fixedLinkPath = path; }
    // Bytes still queued for the line (paced output, pieces of a split answer).
    qsizetype pendingBytes() const;
    // Stops timers and closes the line; must run in the engine's thread.
    void shutdown();

signals:
    void logged(const vexo::emu::FrameLogEntry &entry);
    void lineClosed();

private:
    // Drops what is queued for the line, its link and the pseudo-terminal.
    void releaseLine();
    void onReceived(const QByteArray &bytes);
    void onGap();
    void process(const QByteArray &raw);
    // A pending misnamed-parameter fault rewrites a parameter answer.
    void misnameParam(DeviceModel::Reply *reply);
    void sendAnswer(const QByteArray &frame, const FaultPlan::Decision &decision);
    void writeBytes(const QByteArray &bytes);
    void after(int ms, std::function<void()> fn);
    void log(FrameLogEntry::Direction direction, const QByteArray &frame, const QString &text);

    EmulatorCore *m_core;
    PtyChannel *m_channel = nullptr;
    QTimer *m_gapTimer = nullptr;
    QSet<QTimer *> m_pending;
    FrameReceiver m_receiver;
    std::unique_ptr<QTemporaryDir> m_linkDir;
    QString m_linkPath;
    QString m_fixedLinkPath;
    bool m_linked = false;
    QString m_ptyName;
    QString m_error;
    int m_receiveGapMs = 500;
    qsizetype m_scheduledBytes = 0;
};

} // namespace vexo::emu
