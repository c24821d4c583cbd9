#include "emulator.h"

#include "emulatorengine.h"
#include "emulatorlogging.h"
#include "protocol.h"

#include <QMutexLocker>
#include <QThread>

#include <type_traits>

namespace vexo::emu
{

namespace
{
constexpr int LineBaud = 4800;
}

Emulator::Emulator(const EmulatorState &state, QObject *parent)
    : QObject(parent), m_core(std::make_unique<EmulatorCore>())
{
    qRegisterMetaType<vexo::emu::FrameLogEntry>();
    m_core->model.setState(state);
    m_core->clock.start();
}

Emulator::~Emulator()
{
    stop();
}

template <typename F> void Emulator::inEngine(F &&fn) const
{
    if (!m_engine)
        return;
    if (!m_thread || QThread::currentThread() == m_thread)
        fn();
    else
        QMetaObject::invokeMethod(m_engine, std::forward<F>(fn), Qt::BlockingQueuedConnection);
}

bool Emulator::start(bool ownThread)
{
    if (m_engine)
        return true;
    m_engine = new EmulatorEngine(m_core.get());
    // Re-emitted from this object's thread through the auto (queued) connection.
    connect(m_engine, &EmulatorEngine::logged, this, &Emulator::frameLogged);
    connect(m_engine, &EmulatorEngine::lineClosed, this, &Emulator::lineClosed);
    if (ownThread) {
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("vexo-emulator"));
        m_engine->moveToThread(m_thread);
        m_thread->start();
    }
    bool ok = false;
    QString error;
    inEngine([this, &ok, &error]() {
        m_engine->setPacing(m_pacing ? LineBaud : 0);
        m_engine->setInputPacing(m_inputPacing ? LineBaud : 0);
        m_engine->setReceiveGapMs(m_receiveGapMs);
        m_engine->setLinkPath(m_linkPath);
        ok = m_engine->openLine();
        error = m_engine->errorString();
    });
    if (!ok) {
        stop();
        m_error = error;
        return false;
    }
    return true;
}

void Emulator::stop()
{
    if (!m_engine)
        return;
    if (m_thread) {
        QThread *home = thread();
        EmulatorEngine *engine = m_engine;
        QMetaObject::invokeMethod(
            engine,
            [engine, home]() {
                engine->shutdown();
                engine->moveToThread(home); // pushed back, so it can be deleted here
            },
            Qt::BlockingQueuedConnection);
        m_thread->quit();
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
    } else {
        m_engine->shutdown();
    }
    delete m_engine;
    m_engine = nullptr;
}

QString Emulator::slavePath() const
{
    QString path;
    inEngine([this, &path]() { path = m_engine->slavePath(); });
    return path;
}

QString Emulator::errorString() const
{
    return m_error;
}

EmulatorState Emulator::state() const
{
    QMutexLocker lock(&m_core->mutex);
    return m_core->model.state();
}

void Emulator::setState(const EmulatorState &state)
{
    QMutexLocker lock(&m_core->mutex);
    m_core->model.setState(state);
}

void Emulator::modifyState(const std::function<void(EmulatorState &)> &change)
{
    QMutexLocker lock(&m_core->mutex);
    change(m_core->model.state());
}

FirmwareImage Emulator::lastFirmware() const
{
    QMutexLocker lock(&m_core->mutex);
    return m_core->model.lastFirmware();
}

bool Emulator::pressRemote(quint32 id, quint8 group, int polls)
{
    FrameLogEntry e;
    bool heard = false;
    {
        QMutexLocker lock(&m_core->mutex);
        heard = m_core->model.pressRemote(id, group,
                                          polls > 0 ? polls : m_core->model.state().pressPolls);
        e = m_core->append(FrameLogEntry::Direction::Event, QByteArray(),
                           QStringLiteral("remote %1 group %2 pressed%3")
                               .arg(id & 0xFFFFFF)
                               .arg(group)
                               .arg(heard ? QString() : QStringLiteral(", stick not listening")));
    }
    qCDebug(lcEmulator).noquote() << e.toString();
    emit frameLogged(e);
    return heard;
}

bool Emulator::holdActuatorButton()
{
    FrameLogEntry e;
    bool cleared = false;
    {
        QMutexLocker lock(&m_core->mutex);
        cleared = m_core->model.holdActuatorButton(m_core->now());
        e = m_core->append(FrameLogEntry::Direction::Event, QByteArray(),
                           cleared ? QStringLiteral("actuator button held: password cleared")
                                   : QStringLiteral("actuator button held: nothing to do"));
    }
    qCDebug(lcEmulator).noquote() << e.toString();
    emit frameLogged(e);
    return cleared;
}

void Emulator::dropAnswers(int count)
{
    QMutexLocker lock(&m_core->mutex);
    m_core->faults.dropAnswers(count);
}

void Emulator::delayAnswers(int count, int ms)
{
    QMutexLocker lock(&m_core->mutex);
    m_core->faults.delayAnswers(count, ms);
}

void Emulator::corruptChecksums(int count)
{
    QMutexLocker lock(&m_core->mutex);
    m_core->faults.corruptChecksums(count);
}

void Emulator::sendGarbage(const QByteArray &bytes, int count)
{
    QMutexLocker lock(&m_core->mutex);
    m_core->faults.sendGarbage(bytes, count);
}

void Emulator::splitAnswers(int count, int pieces, int gapMs)
{
    QMutexLocker lock(&m_core->mutex);
    m_core->faults.splitAnswers(count, pieces, gapMs);
}

void Emulator::forceStatus(quint16 command, quint8 status, quint8 detail, int count)
{
    QMutexLocker lock(&m_core->mutex);
    m_core->faults.forceStatus(FaultPlan::ForcedStatus{command, status, detail, count});
}

void Emulator::misnameParamAnswers(int count)
{
    QMutexLocker lock(&m_core->mutex);
    m_core->faults.misnameParams(count);
}

void Emulator::garbleWrites(int count)
{
    QMutexLocker lock(&m_core->mutex);
    m_core->faults.garbleWrites(count);
}

void Emulator::hangUpAtNextAnswer()
{
    QMutexLocker lock(&m_core->mutex);
    m_core->faults.hangUp();
}

void Emulator::holdFaultsUntil(quint16 command, int occurrence)
{
    QMutexLocker lock(&m_core->mutex);
    m_core->faults.holdUntil(command, occurrence);
}

void Emulator::clearFaults()
{
    QMutexLocker lock(&m_core->mutex);
    m_core->faults.clear();
}

void Emulator::closeLine()
{
    inEngine([this]() { m_engine->closeLine(); });
}

bool Emulator::reopenLine()
{
    bool ok = false;
    inEngine([this, &ok]() {
        m_engine->closeLine();
        ok = m_engine->openLine();
        if (!ok)
            m_error = m_engine->errorString();
    });
    return ok;
}

bool Emulator::lineOpen() const
{
    bool open = false;
    inEngine([this, &open]() { open = m_engine->isOpen(); });
    return open;
}

void Emulator::setPacing(bool on)
{
    m_pacing = on;
    inEngine([this, on]() { m_engine->setPacing(on ? LineBaud : 0); });
}

void Emulator::setInputPacing(bool on)
{
    m_inputPacing = on;
    inEngine([this, on]() { m_engine->setInputPacing(on ? LineBaud : 0); });
}

void Emulator::setReceiveGapMs(int ms)
{
    m_receiveGapMs = qMax(1, ms);
    inEngine([this, ms]() { m_engine->setReceiveGapMs(ms); });
}

qsizetype Emulator::pendingBytes() const
{
    qsizetype n = 0;
    inEngine([this, &n]() { n = m_engine->pendingBytes(); });
    return n;
}

QList<FrameLogEntry> Emulator::frameLog() const
{
    QMutexLocker lock(&m_core->mutex);
    return m_core->log;
}

void Emulator::clearFrameLog()
{
    QMutexLocker lock(&m_core->mutex);
    m_core->log.clear();
    m_core->sequences.clear();
}

QList<int> Emulator::sequenceNumbers() const
{
    QMutexLocker lock(&m_core->mutex);
    return m_core->sequences;
}

int Emulator::requestCount(quint16 command) const
{
    QMutexLocker lock(&m_core->mutex);
    int n = 0;
    for (const FrameLogEntry &e : qAsConst(m_core->log)) {
        if (e.direction != FrameLogEntry::Direction::In)
            continue;
        const Frame f = decodeFrame(e.frame);
        if (f.ok() && f.command == command)
            ++n;
    }
    return n;
}

} // namespace vexo::emu
