#include "emulatorengine.h"

#include "emulatorlogging.h"
#include "protocol.h"
#include "ptychannel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QTimer>

namespace vexo::emu
{

FrameLogEntry EmulatorCore::append(FrameLogEntry::Direction direction, const QByteArray &frame,
                                   const QString &text)
{
    FrameLogEntry e;
    e.msecs = now();
    e.direction = direction;
    e.frame = frame;
    e.text = text;
    if (log.size() >= MaxLogEntries)
        log.erase(log.begin(), log.begin() + MaxLogEntries / 10);
    log.append(e);
    return e;
}

EmulatorEngine::EmulatorEngine(EmulatorCore *core, QObject *parent) : QObject(parent), m_core(core)
{
    m_channel = new PtyChannel(this);
    connect(m_channel, &PtyChannel::received, this, &EmulatorEngine::onReceived);
    m_gapTimer = new QTimer(this);
    m_gapTimer->setSingleShot(true);
    connect(m_gapTimer, &QTimer::timeout, this, &EmulatorEngine::onGap);
}

EmulatorEngine::~EmulatorEngine()
{
    qDeleteAll(m_pending);
}

bool EmulatorEngine::openLine()
{
    m_receiver.reset();
    if (!m_channel->open()) {
        m_error = m_channel->errorString();
        return false;
    }
    m_ptyName = m_channel->slavePath();
    if (!m_fixedLinkPath.isEmpty()) {
        m_linkPath = m_fixedLinkPath;
    } else if (!m_linkDir) {
        m_linkDir = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/vexo-emulator-XXXXXX");
        m_linkPath = m_linkDir->filePath(QStringLiteral("line"));
    }
    // A link left by an emulator that was killed is replaced; anything else is not ours.
    const QFileInfo existing(m_linkPath);
    if (existing.isSymLink())
        QFile::remove(m_linkPath);
    const bool dirValid = !m_linkDir || m_linkDir->isValid();
    if (!dirValid || !QFile::link(m_ptyName, m_linkPath)) {
        m_error = QStringLiteral("cannot link %1 to %2").arg(m_linkPath, m_ptyName);
        m_channel->close();
        return false;
    }
    m_linked = true;
    {
        QMutexLocker lock(&m_core->mutex);
        m_core->model.resetLine();
    }
    log(FrameLogEntry::Direction::Event, QByteArray(),
        QStringLiteral("line open at %1 (%2)").arg(m_linkPath, m_ptyName));
    return true;
}

void EmulatorEngine::releaseLine()
{
    qDeleteAll(m_pending);
    m_pending.clear();
    m_scheduledBytes = 0;
    m_gapTimer->stop();
    m_receiver.reset();
    // The link goes first: nothing may open the number after it has passed to another.
    // Only a link of our own: what stood at a fixed path before is not ours to remove.
    if (m_linked)
        QFile::remove(m_linkPath);
    m_linked = false;
    m_channel->close();
}

void EmulatorEngine::closeLine()
{
    if (!m_channel->isOpen())
        return;
    releaseLine();
    log(FrameLogEntry::Direction::Event, QByteArray(), QStringLiteral("line closed"));
    emit lineClosed();
}

bool EmulatorEngine::isOpen() const
{
    return m_channel->isOpen();
}

void EmulatorEngine::setPacing(int baud)
{
    m_channel->setPacing(baud);
}

void EmulatorEngine::setInputPacing(int baud)
{
    m_channel->setInputPacing(baud);
}

qsizetype EmulatorEngine::pendingBytes() const
{
    return m_channel->pendingBytes() + m_scheduledBytes;
}

void EmulatorEngine::shutdown()
{
    releaseLine();
}

void EmulatorEngine::onReceived(const QByteArray &bytes)
{
    const QList<QByteArray> frames = m_receiver.feed(bytes);
    const QByteArray skipped = m_receiver.takeSkipped();
    if (!skipped.isEmpty())
        log(FrameLogEntry::Direction::Event, skipped,
            QStringLiteral("skipped %1 bytes outside a frame: %2")
                .arg(skipped.size())
                .arg(QString::fromLatin1(skipped.left(32).toHex(' '))));
    if (m_receiver.inFrame())
        m_gapTimer->start(m_receiveGapMs);
    else
        m_gapTimer->stop();
    for (const QByteArray &raw : frames)
        process(raw);
}

void EmulatorEngine::onGap()
{
    if (!m_receiver.inFrame())
        return;
    m_receiver.reset();
    log(FrameLogEntry::Direction::Event, QByteArray(),
        QStringLiteral("incomplete frame dropped after a gap of %1 ms").arg(m_receiveGapMs));
}

void EmulatorEngine::process(const QByteArray &raw)
{
    struct Out {
        QByteArray frame;
        FaultPlan::Decision decision;
    };
    QList<Out> answers;
    FrameLogEntry inEntry;
    {
        QMutexLocker lock(&m_core->mutex);
        const qint64 now = m_core->now();
        const Frame f = decodeFrame(raw);
        const QString text = describeFrame(raw);
        if (!f.ok()) {
            inEntry = m_core->append(FrameLogEntry::Direction::In, raw,
                                     text + QStringLiteral(" | dropped"));
        } else {
            QString sequenceNote;
            if (f.isData) {
                // Numbers run on by one per new frame; a repeat keeps its number.
                const int prev = m_core->sequences.isEmpty() ? -1 : m_core->sequences.last();
                if (prev >= 0 && f.sequence != prev && f.sequence != ((prev + 1) & 7))
                    sequenceNote =
                        QStringLiteral(" (sequence %1 after %2)").arg(f.sequence).arg(prev);
                m_core->sequences.append(f.sequence);
            }
            m_core->faults.noteRequest(f.command);
            FaultPlan::ForcedStatus forced;
            DeviceModel::Reply reply;
            if (!m_core->model.modemRestarting(now) &&
                m_core->faults.takeForced(f.command, &forced)) {
                if (f.isData) {
                    const quint16 source = (f.targetLow() == 1 || f.targetLow() == 2) ? 1 : 0;
                    QByteArray payload;
                    payload.append(char(forced.status));
                    payload.append(char(forced.detail));
                    reply.frames.append(makeDataFrame(AnsStatus, source, payload));
                } else {
                    const quint16 word1 = (f.command & 0xFF) == ClassCommand
                                              ? ReplyModemMode
                                              : quint16((f.command & 0xFF00) | ClassReply);
                    reply.frames.append(
                        makeShortFrame(0, word1, quint16(forced.status | (forced.detail << 8)), 0));
                }
                reply.note =
                    QStringLiteral("forced status %1 %2").arg(forced.status).arg(forced.detail);
            } else if (f.isData && f.command == CmdWriteRemote && f.payload.size() > 4 &&
                       m_core->faults.takeGarbledWrite()) {
                Frame garbled = f;
                garbled.payload[4] = char(quint8(garbled.payload.at(4)) ^ 0x01);
                reply = m_core->model.handle(garbled, now);
                reply.note +=
                    QStringLiteral(", stored with group %1").arg(quint8(garbled.payload.at(4)));
            } else {
                reply = m_core->model.handle(f, now);
                misnameParam(&reply);
            }
            inEntry = m_core->append(FrameLogEntry::Direction::In, raw,
                                     text + QStringLiteral(" | ") + reply.note + sequenceNote);
            for (const QByteArray &frame : qAsConst(reply.frames))
                answers.append(Out{frame, m_core->faults.nextAnswer()});
        }
    }
    qCDebug(lcEmulator).noquote() << inEntry.toString();
    emit logged(inEntry);
    for (const Out &out : qAsConst(answers)) {
        sendAnswer(out.frame, out.decision);
        if (out.decision.hangUp) {
            closeLine();
            return;
        }
    }
}

void EmulatorEngine::misnameParam(DeviceModel::Reply *reply)
{
    if (reply->frames.size() != 1)
        return;
    const Frame answer = decodeFrame(reply->frames.first());
    if (!answer.isData || answer.command != AnsParam || answer.payload.size() < 2 ||
        !m_core->faults.takeMisnamedParam())
        return;
    // The value stays; only the identifier is the next one's.
    QByteArray payload = answer.payload;
    const quint16 id = quint16(quint8(payload.at(0)) | (quint8(payload.at(1)) << 8)) + 1;
    payload[0] = char(id & 0xFF);
    payload[1] = char(id >> 8);
    reply->frames.first() = makeDataFrame(AnsParam, answer.target, payload);
    reply->note += QStringLiteral(", answered as parameter 0x%1").arg(id, 0, 16);
}

void EmulatorEngine::sendAnswer(const QByteArray &frame, const FaultPlan::Decision &decision)
{
    const QByteArray sent = decision.corrupt ? corruptChecksum(frame) : frame;
    QString text = describeFrame(frame);
    if (decision.any())
        text += QStringLiteral(" [%1]").arg(decision.describe());
    log(FrameLogEntry::Direction::Out, sent, text);
    if (decision.drop || decision.hangUp)
        return;

    const QByteArray wire = decision.garbage + escapeFrame(sent);
    const QList<QByteArray> pieces = splitBytes(wire, decision.pieces);
    const int gap = decision.gapMs;
    auto transmit = [this, pieces, gap]() {
        writeBytes(pieces.first());
        for (int i = 1; i < pieces.size(); ++i) {
            const QByteArray piece = pieces.at(i);
            m_scheduledBytes += piece.size();
            after(gap * i, [this, piece]() {
                m_scheduledBytes -= piece.size();
                writeBytes(piece);
            });
        }
    };
    if (decision.delayMs > 0) {
        m_scheduledBytes += wire.size();
        const qsizetype size = wire.size();
        after(decision.delayMs, [this, transmit, size]() {
            m_scheduledBytes -= size;
            transmit();
        });
    } else {
        transmit();
    }
}

void EmulatorEngine::writeBytes(const QByteArray &bytes)
{
    m_channel->write(bytes);
}

void EmulatorEngine::after(int ms, std::function<void()> fn)
{
    auto *timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    m_pending.insert(timer);
    connect(timer, &QTimer::timeout, this, [this, timer, fn = std::move(fn)]() {
        m_pending.remove(timer);
        timer->deleteLater();
        fn();
    });
    timer->start(ms);
}

void EmulatorEngine::log(FrameLogEntry::Direction direction, const QByteArray &frame,
                         const QString &text)
{
    FrameLogEntry e;
    {
        QMutexLocker lock(&m_core->mutex);
        e = m_core->append(direction, frame, text);
    }
    qCDebug(lcEmulator).noquote() << e.toString();
    emit logged(e);
}

} // namespace vexo::emu
