// Every injected fault, seen from the program's side of the pseudo-terminal.
#include "emuclient.h"
#include "emulator.h"
#include "protocol.h"
#include "ptychannel.h"
#include "remoterecord.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>

using namespace vexo::emu;

namespace
{

QByteArray versionRequest()
{
    return QByteArray::fromHex("8000");
}

EmulatorState state()
{
    EmulatorState s;
    s.functions = 0x02;
    EmulatorRemote r;
    r.id = 0x313233;
    r.ownerName = QStringLiteral("Смирнов Дмитрий");
    s.modemRemotes = {r};
    return s;
}

} // namespace

class TestEmulatorFaults : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dropLosesTheAnswerNotTheWork();
    void delayHoldsAnswersBack();
    void corruptChecksum();
    void garbageBeforeAnswers();
    void splitAnswersArriveInPieces();
    void faultsCombine();
    void forcedStatus();
    void misnamedParameterAnswers();
    void closeAndReopenLine();
    void faultsWaitForTheirRequest();
    void hangUpInPlaceOfAnAnswer();
    void pacingAt4800Baud();

private:
    Frame answeredAtOnce(quint16 command, const QByteArray &payload = QByteArray());

    std::unique_ptr<Emulator> m_emu;
    std::unique_ptr<EmuClient> m_client;
};

void TestEmulatorFaults::init()
{
    m_emu = std::make_unique<Emulator>(state());
    QVERIFY(m_emu->start(false));
    m_client = std::make_unique<EmuClient>();
    QVERIFY(m_client->open(m_emu->slavePath()));
}

void TestEmulatorFaults::cleanup()
{
    m_client.reset();
    m_emu.reset();
}

// The answer to a request, or an empty frame when it was held back. The emulator runs in
// this thread, so an answer not held back (delayed, paced) is on the line in full as soon
// as the log shows it, whatever the machine's load.
Frame TestEmulatorFaults::answeredAtOnce(quint16 command, const QByteArray &payload)
{
    const auto answers = [this] {
        int n = 0;
        for (const FrameLogEntry &e : m_emu->frameLog())
            n += e.direction == FrameLogEntry::Direction::Out;
        return n;
    };
    const int before = answers();
    m_client->sendData(command, 0, payload);
    if (!QTest::qWaitFor([&] { return answers() > before; }, 5000) || m_emu->pendingBytes() > 0)
        return Frame();
    return decodeFrame(m_client->waitFrame());
}

void TestEmulatorFaults::dropLosesTheAnswerNotTheWork()
{
    EmulatorRemote added;
    added.id = 0x0A0A0A;
    added.ownerName = QStringLiteral("Новая");
    m_emu->dropAnswers(1);
    m_client->sendData(CmdWriteRemote, 0, encodeRecord(added, true));
    QVERIFY(m_client->silentFor(200));
    QCOMPARE(m_emu->state().modemRemotes.size(), 2); // done, only the answer was lost

    // The program repeats the frame unchanged: answered again, not added twice.
    m_client->sendWire(escapeFrame(m_client->lastSent()));
    QVERIFY(isStatus(decodeFrame(m_client->waitFrame()), StatusDone));
    QCOMPARE(m_emu->state().modemRemotes.size(), 2);

    // Several in a row, then answers again.
    m_emu->dropAnswers(2);
    m_client->sendShort(QueryIdent);
    m_client->sendShort(QueryIdent);
    QVERIFY(m_client->silentFor(150));
    QCOMPARE(m_client->shortFrame(QueryIdent).command, quint16(0x1221));

    bool logged = false;
    for (const FrameLogEntry &e : m_emu->frameLog())
        logged |= e.direction == FrameLogEntry::Direction::Out &&
                  e.text.endsWith(QLatin1String("[dropped]"));
    QVERIFY(logged);
}

void TestEmulatorFaults::delayHoldsAnswersBack()
{
    m_emu->delayAnswers(1, 300);
    QElapsedTimer t;
    t.start();
    m_client->sendData(CmdGetParam, 0, versionRequest());
    QVERIFY(m_client->silentFor(200));
    const Frame f = decodeFrame(m_client->waitFrame(1000));
    QVERIFY(t.elapsed() >= 290);
    QCOMPARE(f.command, AnsParam);
    QCOMPARE(m_emu->pendingBytes(), 0);

    // Only the one.
    QCOMPARE(answeredAtOnce(CmdGetParam, versionRequest()).command, AnsParam);
}

void TestEmulatorFaults::corruptChecksum()
{
    const Frame good = m_client->data(CmdReadFirstRemote, 0);
    QVERIFY(good.ok());
    m_emu->corruptChecksums(1);
    const Frame bad = m_client->data(CmdReadFirstRemote, 0);
    QCOMPARE(bad.verdict, Frame::Verdict::BadChecksum);
    QCOMPARE(bad.raw.left(bad.raw.size() - 2), good.raw.left(good.raw.size() - 2));
    QVERIFY(m_client->data(CmdReadFirstRemote, 0).ok());
}

void TestEmulatorFaults::garbageBeforeAnswers()
{
    const QByteArray garbage = QByteArray::fromHex("00 13 a5 5a ff");
    m_emu->sendGarbage(garbage, 2);
    for (int i = 0; i < 3; ++i) {
        m_client->clearWire();
        const Frame f = m_client->shortFrame(QueryIdent);
        QVERIFY(f.ok());
        const QByteArray wire = m_client->wire();
        QCOMPARE(wire.startsWith(garbage), i < 2);
        QCOMPARE(wire.mid(i < 2 ? garbage.size() : 0),
                 escapeFrame(makeShortFrame(0, 0x1221, f.value, f.target)));
    }
}

void TestEmulatorFaults::splitAnswersArriveInPieces()
{
    m_emu->splitAnswers(1, 3, 120);
    m_client->clearWire();
    const Frame f = m_client->data(CmdReadFirstRemote, 0);
    QVERIFY(f.ok());
    QCOMPARE(f.payload.size(), 128);
    const QList<EmuClient::Chunk> chunks = m_client->chunks();
    QVERIFY2(chunks.size() >= 3, qPrintable(QString::number(chunks.size())));
    QVERIFY(chunks.last().atMs - chunks.first().atMs >= 200);
    QVERIFY(m_client->wire() == escapeFrame(f.raw));

    m_client->clearWire();
    QVERIFY(m_client->data(CmdReadFirstRemote, 0).ok());
    QCOMPARE(m_client->chunks().size(), 1);
}

void TestEmulatorFaults::faultsCombine()
{
    // Garbage, a bad checksum and pieces in one answer; the next one is clean.
    m_emu->sendGarbage("xyz", 1);
    m_emu->corruptChecksums(1);
    m_emu->splitAnswers(1, 2, 50);
    m_client->clearWire();
    QCOMPARE(m_client->shortFrame(QueryMemory).verdict, Frame::Verdict::BadChecksum);
    QVERIFY(m_client->wire().startsWith("xyz"));
    QVERIFY(m_client->chunks().size() >= 2);
    QVERIFY(m_client->shortFrame(QueryMemory).ok());
}

void TestEmulatorFaults::forcedStatus()
{
    EmulatorRemote r;
    r.id = 0x0B0B0B;
    // Twice "no link", then the real thing; nothing is executed while forced.
    m_emu->forceStatus(CmdWriteRemote, StatusNoLink, 0, 2);
    QVERIFY(isStatus(m_client->data(CmdWriteRemote, 1, encodeRecord(r, true)), StatusNoLink));
    QVERIFY(isStatus(m_client->data(CmdWriteRemote, 1, encodeRecord(r, true)), StatusNoLink));
    QCOMPARE(m_emu->state().modemRemotes.size(), 1);
    QVERIFY(isStatus(m_client->data(CmdWriteRemote, 1, encodeRecord(r, true)), StatusDone));
    QCOMPARE(m_emu->state().modemRemotes.size(), 2);

    // A progress status with its percent, until cleared.
    m_emu->forceStatus(CmdGetProgress, StatusRunning, 42, -1);
    for (int i = 0; i < 3; ++i)
        QVERIFY(isStatus(m_client->data(CmdGetProgress, 0), StatusRunning, 42));
    m_emu->forceStatus(CmdGetProgress, 0, 0, 0);
    QVERIFY(isStatus(m_client->data(CmdGetProgress, 0), StatusDone));

    // Short frames get a class 0x21 reply with the status in the value word.
    m_emu->forceStatus(CmdSetModemMode, StatusDeviceFailed);
    Frame f = m_client->shortFrame(CmdSetModemMode, ModeSearch);
    QCOMPARE(f.command, ReplyModemMode);
    QCOMPARE(f.value, quint16(StatusDeviceFailed));
    QCOMPARE(m_emu->state().modemMode, quint8(ModeNormal));
    m_emu->forceStatus(QueryIdent, 9);
    f = m_client->shortFrame(QueryIdent);
    QCOMPARE(f.command, quint16(0x1221));
    QCOMPARE(f.value, quint16(9)); // no 'V': not a stick any more

    m_emu->forceStatus(CmdGetProtection, StatusNoPrivileges, 0, -1);
    m_emu->clearFaults();
    QCOMPARE(m_client->data(CmdGetProtection, 0).command, AnsProtection);
}

void TestEmulatorFaults::misnamedParameterAnswers()
{
    // Status answers do not use the fault up; the value stays the one asked for.
    m_emu->misnameParamAnswers(1);
    QVERIFY(isStatus(m_client->data(CmdSetParam, 1, QByteArray::fromHex("020028")), StatusDone));
    Frame f = m_client->data(CmdGetParam, 1, QByteArray::fromHex("0200"));
    QCOMPARE(f.command, AnsParam);
    QCOMPARE(f.target & 1, 1);
    QCOMPARE(f.payload, QByteArray::fromHex("030028"));
    QCOMPARE(m_client->data(CmdGetParam, 1, QByteArray::fromHex("0200")).payload,
             QByteArray::fromHex("020028"));
}

void TestEmulatorFaults::closeAndReopenLine()
{
    QSignalSpy closed(m_emu.get(), &Emulator::lineClosed);
    const QString first = m_emu->slavePath();
    QVERIFY(m_emu->lineOpen());
    m_emu->closeLine();
    QCOMPARE(closed.size(), 1);
    QVERIFY(!m_emu->lineOpen());

    // The program's port sees the hang-up as an error, not as silence.
    QTRY_VERIFY_WITH_TIMEOUT(m_client->port().error() != QSerialPort::NoError, 2000);

    // A new line, same device.
    m_emu->modifyState([](EmulatorState &s) { s.modemCapacity = 77; });
    // Once let go, the line's path leads nowhere while it is closed, even when the
    // pseudo-terminal's number has passed to someone else's line meanwhile.
    m_client->port().close();
    PtyChannel other;
    QVERIFY(other.open());
    QVERIFY(!QFileInfo::exists(first));
    QVERIFY(m_emu->reopenLine());
    QVERIFY(m_emu->lineOpen());
    QCOMPARE(m_emu->slavePath(), first);
    EmuClient again;
    QVERIFY(again.open(m_emu->slavePath()));
    const Frame f = again.shortFrame(QueryMemory);
    QCOMPARE(f.target, quint16(77));
}

void TestEmulatorFaults::faultsWaitForTheirRequest()
{
    // Armed for the second read-next: the first read, a memory query and the first
    // read-next pass untouched, whatever the other requests were.
    m_emu->holdFaultsUntil(CmdReadNextRemote, 2);
    m_emu->corruptChecksums(1);
    m_emu->forceStatus(QueryMemory, 4);
    const quint16 free = quint16(m_emu->state().modemCapacity - 1);
    QVERIFY(m_client->data(CmdReadFirstRemote, 0).ok());
    QCOMPARE(m_client->shortFrame(QueryMemory).value, free);
    QVERIFY(m_client->data(CmdReadNextRemote, 0).ok());
    m_client->sendData(CmdReadNextRemote, 0);
    const Frame hit = decodeFrame(m_client->waitFrame());
    QCOMPARE(hit.verdict, Frame::Verdict::BadChecksum);
    // Released now: the forced status answers the next memory query, once.
    QCOMPARE(m_client->shortFrame(QueryMemory).value, quint16(4));
    QCOMPARE(m_client->shortFrame(QueryMemory).value, free);
}

void TestEmulatorFaults::hangUpInPlaceOfAnAnswer()
{
    QSignalSpy closed(m_emu.get(), &Emulator::lineClosed);
    EmulatorRemote added;
    added.id = 0x0B0B0B;
    m_emu->hangUpAtNextAnswer();
    m_client->sendData(CmdWriteRemote, 0, encodeRecord(added, true));
    QTRY_COMPARE_WITH_TIMEOUT(closed.size(), 1, 2000);
    QVERIFY(!m_emu->lineOpen());
    QCOMPARE(m_client->wire(), QByteArray());        // nothing went out
    QCOMPARE(m_emu->state().modemRemotes.size(), 2); // but the write was done
}

void TestEmulatorFaults::pacingAt4800Baud()
{
    // A 128-byte record goes out as about 140 bytes: some 290 ms at 480 bytes/s.
    QVERIFY(answeredAtOnce(CmdReadFirstRemote).ok());

    m_emu->setPacing(true);
    QVERIFY(m_emu->pacing());
    m_client->clearWire();
    QElapsedTimer t;
    t.start();
    const Frame f = m_client->data(CmdReadFirstRemote, 0);
    const qint64 paced = t.elapsed();
    QVERIFY(f.ok());
    const qint64 expected = escapeFrame(f.raw).size() * 1000 / 480;
    QVERIFY2(paced >= expected - 30 && paced < expected + 400, qPrintable(QString::number(paced)));
    QVERIFY(m_client->chunks().size() > 3); // trickled, not in one write

    m_emu->setPacing(false);
    QVERIFY(answeredAtOnce(CmdReadFirstRemote).ok());

    // Requests too arrive at the line's rate: 200 payload bytes take over 400 ms to come in.
    m_emu->setInputPacing(true);
    const QByteArray longRequest = makeDataFrame(CmdGetParam, 0, QByteArray(200, 0x11));
    t.restart();
    QVERIFY(m_client->data(CmdGetParam, 0, QByteArray(200, 0x11)).ok());
    const qint64 arrival = escapeFrame(longRequest).size() * 1000 / 480;
    QVERIFY2(t.elapsed() >= arrival - 30, qPrintable(QString::number(t.elapsed())));
    m_emu->setInputPacing(false);

    // Chosen before the start, as the program's demonstration does.
    Emulator early(state());
    early.setPacing(true);
    QVERIFY(early.start(false));
    EmuClient client;
    QVERIFY(client.open(early.slavePath()));
    t.restart();
    QVERIFY(client.data(CmdReadFirstRemote, 0).ok());
    QVERIFY2(t.elapsed() >= expected - 30, qPrintable(QString::number(t.elapsed())));
}

QTEST_GUILESS_MAIN(TestEmulatorFaults)
#include "tst_emulatorfaults.moc"
