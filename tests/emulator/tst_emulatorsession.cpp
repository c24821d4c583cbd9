// Sessions scripted by a client on the emulator's pseudo-terminal: what the program
// sends and what the device must answer.
#include "emuclient.h"
#include "emulator.h"
#include "protocol.h"
#include "remoterecord.h"

#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

using namespace vexo::emu;

namespace
{

QByteArray id3(quint32 id)
{
    QByteArray b;
    b.append(char(id & 0xFF)).append(char((id >> 8) & 0xFF)).append(char((id >> 16) & 0xFF));
    return b;
}

QByteArray le16(quint16 v)
{
    QByteArray b;
    b.append(char(v & 0xFF)).append(char(v >> 8));
    return b;
}

EmulatorRemote remote(quint32 id, const QString &owner, quint8 group = 1, bool active = true)
{
    EmulatorRemote r;
    r.id = id;
    r.ownerName = owner;
    r.group = group;
    r.active = active;
    return r;
}

EmulatorState smallState()
{
    EmulatorState s;
    s.modemVersion = {2, 1, 5, 7};
    s.actuatorVersion = {3, 2, 4, 1};
    s.boardRevision = 4;
    s.softwareMajor = 9;
    s.softwareMinor = 8;
    s.functions = 0;
    s.protocols = 3;
    s.modemCapacity = 5;
    s.actuatorCapacity = 3;
    s.modemRemotes = {remote(0x010203, QStringLiteral("Иванов")),
                      remote(0x0A0B0C, QStringLiteral("Ёлкина Жанна"), 2, false)};
    s.actuatorRemotes = s.modemRemotes;
    s.progressSteps = 0;
    s.restartMs = 500;
    return s;
}

} // namespace

class TestEmulatorSession : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void identificationAndInformation();
    void readTable_data();
    void readTable();
    void writeAndDelete();
    void accessControl();
    void forgottenPassword();
    void searchMode();
    void deviceInit();
    void clearAndCopyWithProgress();
    void actuatorParameters_data();
    void actuatorParameters();
    void applyRestoreAndFactoryReset();
    void firmwareTransfer();
    void badInput();
    void ownThreadWithBlockingClient();
    void frameLogIsDecoded();

private:
    void startWith(const EmulatorState &state);
    void waitOutRestart(const QElapsedTimer &since);
    QList<EmulatorRemote> readWholeTable(bool longRecords);

    std::unique_ptr<Emulator> m_emu;
    std::unique_ptr<EmuClient> m_client;
};

void TestEmulatorSession::startWith(const EmulatorState &state)
{
    m_emu = std::make_unique<Emulator>(state);
    QVERIFY2(m_emu->start(false), qPrintable(m_emu->errorString()));
    m_client = std::make_unique<EmuClient>();
    QVERIFY2(m_client->open(m_emu->slavePath()), qPrintable(m_client->port().errorString()));
}

void TestEmulatorSession::cleanup()
{
    m_client.reset();
    m_emu.reset();
}

// A target restarts for the emulator's restartMs from when it took the end of its
// firmware, which was before since started (on the end's answer).
void TestEmulatorSession::waitOutRestart(const QElapsedTimer &since)
{
    const int restartMs = m_emu->state().restartMs;
    QVERIFY(QTest::qWaitFor([&] { return since.elapsed() > restartMs; }, restartMs + 1000));
}

QList<EmulatorRemote> TestEmulatorSession::readWholeTable(bool longRecords)
{
    QList<EmulatorRemote> out;
    Frame f = m_client->data(CmdReadFirstRemote, 0);
    for (int guard = 0; guard < 300; ++guard) {
        if (!f.ok() || f.command != AnsRemote) {
            qWarning("not a record: %s", f.raw.toHex(' ').constData());
            return {};
        }
        EmulatorRemote r;
        if (!decodeRecord(f.payload, longRecords, &r))
            return out;
        out.append(r);
        f = m_client->data(CmdReadNextRemote, 0);
    }
    return {};
}

void TestEmulatorSession::identificationAndInformation()
{
    startWith(smallState());

    Frame f = m_client->shortFrame(QueryIdent);
    QVERIFY(f.ok() && !f.isData);
    QCOMPARE(f.command, quint16(0x1221));
    QCOMPARE(f.value, quint16(0x5609));  // 'V', software major
    QCOMPARE(f.target, quint16(0x0804)); // software minor, board

    f = m_client->shortFrame(QueryFunctions);
    QCOMPARE(f.command, quint16(0x1521));
    QCOMPARE(f.value, quint16(0x0003));

    f = m_client->shortFrame(QueryMemory);
    QCOMPARE(f.command, quint16(0x1121));
    QCOMPARE(f.value, quint16(3));
    QCOMPARE(f.target, quint16(5));

    // The stick answers its version in stored order, the actuator first and last swapped.
    f = m_client->data(CmdGetParam, 0, le16(ParamVersion));
    QCOMPARE(f.command, AnsParam);
    QCOMPARE(f.target & 1, 0);
    QCOMPARE(f.payload, QByteArray::fromHex("8000 02010507"));
    f = m_client->data(CmdGetParam, 1, le16(ParamVersion));
    QCOMPARE(f.target & 1, 1);
    QCOMPARE(f.payload, QByteArray::fromHex("8000 01020403"));
    f = m_client->data(CmdGetParam, 2, le16(ParamVersion));
    QCOMPARE(f.payload, QByteArray::fromHex("8000 01020403"));

    f = m_client->data(CmdGetParam, 0, le16(ParamMemory));
    QCOMPARE(f.payload, QByteArray::fromHex("8200 0300 0500"));
    QCOMPARE(f.target & 1, 0);
    f = m_client->data(CmdGetParam, 1, le16(ParamMemory));
    QCOMPARE(f.payload, QByteArray::fromHex("8200 0100 0300"));
    QCOMPARE(f.target & 1, 1);

    // Remote-service modes: written as 0/1, anything else refused.
    for (quint16 id : {ParamUploadTableMode, ParamUpdateFlashMode, ParamUploadParamsMode}) {
        QVERIFY(isStatus(m_client->data(CmdSetParam, 0, le16(id) + QByteArray(1, 1)), StatusDone));
        QCOMPARE(m_client->data(CmdGetParam, 0, le16(id)).payload, le16(id) + QByteArray(1, 1));
        QVERIFY(isStatus(m_client->data(CmdSetParam, 0, le16(id) + QByteArray(1, 2)),
                         StatusBadPayload));
    }
    const EmulatorState s = m_emu->state();
    QVERIFY(s.uploadTableMode && s.updateFlashMode && s.uploadParamsMode);
}

void TestEmulatorSession::readTable_data()
{
    QTest::addColumn<bool>("longRecords");
    QTest::newRow("64-byte records, Windows-1251") << false;
    QTest::newRow("128-byte records, UTF-8") << true;
}

void TestEmulatorSession::readTable()
{
    QFETCH(bool, longRecords);
    EmulatorState s = smallState();
    s.functions = longRecords ? 0x02 : 0x00;
    s.modemRemotes.append(remote(0x00FFFE, QStringLiteral("Щукин Эдуард Юрьевич"), 255));
    startWith(s);

    Frame first = m_client->data(CmdReadFirstRemote, 0);
    QCOMPARE(first.payload.size(), longRecords ? 128 : 64);
    const QByteArray expectedName =
        longRecords ? QStringLiteral("Иванов").toUtf8() : encodeCp1251(QStringLiteral("Иванов"));
    QCOMPARE(first.payload.mid(5, expectedName.size()), expectedName);
    QCOMPARE(first.payload.at(5 + expectedName.size()), '\0');

    QCOMPARE(readWholeTable(longRecords), s.modemRemotes);
    // Past the end the stick keeps answering with an erased cell; read-first starts over.
    Frame end = m_client->data(CmdReadNextRemote, 0);
    QCOMPARE(end.payload, erasedRecord(longRecords));
    QCOMPARE(m_client->data(CmdReadFirstRemote, 0).payload, first.payload);

    // An empty table ends at once.
    m_emu->modifyState([](EmulatorState &st) { st.modemRemotes.clear(); });
    QCOMPARE(m_client->data(CmdReadFirstRemote, 0).payload, erasedRecord(longRecords));
}

void TestEmulatorSession::writeAndDelete()
{
    startWith(smallState());
    const EmulatorRemote added = remote(0x445566, QStringLiteral("Новиков"), 3);

    // Target 0: the stick's table only; the answer comes from the stick.
    Frame f = m_client->data(CmdWriteRemote, 0, encodeRecord(added, false));
    QVERIFY(isStatus(f, StatusDone));
    QCOMPARE(f.target & 1, 0);
    QCOMPARE(m_emu->state().modemRemotes.last(), added);
    QCOMPARE(m_emu->state().actuatorRemotes.size(), 2);

    // Target 1: both tables; the same id replaces, keeping the position.
    EmulatorRemote edited = smallState().modemRemotes.first();
    edited.ownerName = QStringLiteral("Иванова");
    f = m_client->data(CmdWriteRemote, 1, encodeRecord(edited, false));
    QVERIFY(isStatus(f, StatusDone));
    QCOMPARE(f.target & 1, 1);
    QCOMPARE(m_emu->state().modemRemotes.first(), edited);
    QCOMPARE(m_emu->state().actuatorRemotes.first(), edited);
    QCOMPARE(m_emu->state().modemRemotes.size(), 3);

    // Malformed records.
    QVERIFY(
        isStatus(m_client->data(CmdWriteRemote, 0, encodeRecord(added, true)), StatusBadPayload));
    QVERIFY(isStatus(m_client->data(CmdWriteRemote, 0, erasedRecord(false)), StatusBadPayload));

    // Full memories: the actuator holds 3, the stick 5.
    QVERIFY(isStatus(m_client->data(CmdWriteRemote, 1, encodeRecord(remote(0x000001, "a"), false)),
                     StatusDone));
    QVERIFY(isStatus(m_client->data(CmdWriteRemote, 1, encodeRecord(remote(0x000002, "b"), false)),
                     StatusDeviceFailed));
    QVERIFY(isStatus(m_client->data(CmdWriteRemote, 0, encodeRecord(remote(0x000003, "c"), false)),
                     StatusDone));
    QCOMPARE(m_emu->state().modemRemotes.size(), 5);
    QVERIFY(isStatus(m_client->data(CmdWriteRemote, 0, encodeRecord(remote(0x000004, "d"), false)),
                     StatusMemoryFull));
    QVERIFY(isStatus(m_client->data(CmdWriteRemote, 0, encodeRecord(added, false)),
                     StatusDone)); // replacing still fits

    // Delete from both; a second delete finds nothing.
    QVERIFY(isStatus(m_client->data(CmdDeleteRemote, 1, id3(0x010203)), StatusDone));
    for (const EmulatorRemote &r : m_emu->state().modemRemotes + m_emu->state().actuatorRemotes)
        QVERIFY(r.id != 0x010203);
    QVERIFY(isStatus(m_client->data(CmdDeleteRemote, 1, id3(0x010203)), StatusDeviceFailed));
    QVERIFY(isStatus(m_client->data(CmdDeleteRemote, 1, id3(0x010203).left(2)), StatusBadPayload));
    // Target 0 leaves the actuator alone.
    QVERIFY(isStatus(m_client->data(CmdDeleteRemote, 0, id3(0x000001)), StatusDone));
    QCOMPARE(m_emu->state().actuatorRemotes.last().id, quint32(1));

    // Without the actuator, target 1 cannot be served.
    m_emu->modifyState([](EmulatorState &s) { s.actuatorLinked = false; });
    QVERIFY(isStatus(m_client->data(CmdWriteRemote, 1, encodeRecord(added, false)), StatusNoLink));
    QVERIFY(isStatus(m_client->data(CmdDeleteRemote, 1, id3(0x445566)), StatusNoLink));
}

void TestEmulatorSession::accessControl()
{
    EmulatorState s = smallState();
    s.password = encodeCp1251(QStringLiteral("пароль1"));
    startWith(s);
    auto protection = [this]() {
        const Frame f = m_client->data(CmdGetProtection, 0);
        return f.command == AnsProtection && f.payload.size() == 1 ? int(quint8(f.payload.at(0)))
                                                                   : -1;
    };
    QCOMPARE(protection(), 1);

    // Locked: changes refused with 09 00, reading allowed.
    const EmulatorRemote fresh = remote(0x777777, QStringLiteral("Чужой"));
    QVERIFY(isStatus(m_client->data(CmdWriteRemote, 1, encodeRecord(fresh, false)),
                     StatusNoPrivileges));
    QVERIFY(isStatus(m_client->data(CmdDeleteRemote, 1, id3(0x010203)), StatusNoPrivileges));
    QVERIFY(isStatus(m_client->data(CmdClearTable, 3), StatusNoPrivileges));
    QVERIFY(isStatus(m_client->data(CmdCopyTable, 0), StatusNoPrivileges));
    QVERIFY(
        isStatus(m_client->data(CmdSetParam, 1, le16(1) + QByteArray(1, 2)), StatusNoPrivileges));
    QVERIFY(isStatus(m_client->data(CmdSetParam, 0, le16(ParamUploadTableMode) + QByteArray(1, 1)),
                     StatusNoPrivileges));
    QVERIFY(isStatus(m_client->data(CmdFactoryReset, 1), StatusNoPrivileges));
    QVERIFY(isStatus(m_client->data(CmdFirmwareStart, 0, QByteArray(15, 0)), StatusNoPrivileges));
    QCOMPARE(m_client->data(CmdGetParam, 1, le16(1)).command, AnsParam);
    QCOMPARE(m_client->data(CmdReadFirstRemote, 0).command, AnsRemote);
    QCOMPARE(m_emu->state().modemRemotes, s.modemRemotes);

    // ... but a user may block or unblock a known remote, and change nothing else with it.
    EmulatorRemote blocked = s.modemRemotes.first();
    blocked.active = false;
    QVERIFY(isStatus(m_client->data(CmdWriteRemote, 1, encodeRecord(blocked, false)), StatusDone));
    QCOMPARE(m_emu->state().modemRemotes.first().active, false);
    blocked.ownerName = QStringLiteral("Другой");
    QVERIFY(isStatus(m_client->data(CmdWriteRemote, 1, encodeRecord(blocked, false)),
                     StatusNoPrivileges));

    // Log-in: wrong, then right (Windows-1251 bytes).
    QVERIFY(isStatus(m_client->data(CmdAccess, 1, encodeCp1251(QStringLiteral("пароль2"))),
                     StatusNoPrivileges));
    QCOMPARE(protection(), 1);
    QVERIFY(isStatus(m_client->data(CmdAccess, 1, QStringLiteral("пароль1").toUtf8()),
                     StatusNoPrivileges));
    QVERIFY(isStatus(m_client->data(CmdAccess, 1, encodeCp1251(QStringLiteral("пароль1"))),
                     StatusDone));
    QCOMPARE(protection(), 3);
    QVERIFY(isStatus(m_client->data(CmdWriteRemote, 1, encodeRecord(fresh, false)), StatusDone));

    // Log-out locks again; a new password cannot be set over the old one while locked.
    QVERIFY(isStatus(m_client->data(CmdAccess, 0), StatusDone));
    QCOMPARE(protection(), 1);
    QVERIFY(isStatus(m_client->data(CmdPassword, 1, "newpass"), StatusNoPrivileges));

    // Removal needs the current password, locked or not.
    QVERIFY(isStatus(m_client->data(CmdPassword, 0, "wrong"), StatusNoPrivileges));
    QVERIFY(isStatus(m_client->data(CmdPassword, 0, encodeCp1251(QStringLiteral("пароль1"))),
                     StatusDone));
    QCOMPARE(protection(), 2);
    QVERIFY(isStatus(m_client->data(CmdAccess, 0), StatusDone));
    QCOMPARE(protection(), 2); // without a password, logging out changes nothing

    // Setting one: the setter keeps full access until logging out.
    QVERIFY(isStatus(m_client->data(CmdPassword, 1, QByteArray()), StatusBadPayload));
    QVERIFY(isStatus(m_client->data(CmdPassword, 1, "secret"), StatusDone));
    QCOMPARE(protection(), 3);
    QCOMPARE(m_emu->state().password, QByteArray("secret"));
    QVERIFY(isStatus(m_client->data(CmdAccess, 0), StatusDone));
    QCOMPARE(protection(), 1);
}

void TestEmulatorSession::forgottenPassword()
{
    EmulatorState s = smallState();
    s.password = "forgotten";
    startWith(s);

    QVERIFY(!m_emu->holdActuatorButton()); // not in reset mode
    Frame f = m_client->shortFrame(CmdSetModemMode, ModePasswordReset);
    QCOMPARE(f.command, ReplyModemMode);
    QCOMPARE(f.value & 0xFF, 1);
    QCOMPARE(m_client->data(CmdGetProtection, 0).payload, QByteArray(1, 1));
    QVERIFY(m_emu->holdActuatorButton());
    QCOMPARE(m_client->data(CmdGetProtection, 0).payload, QByteArray(1, 2));
    QVERIFY(m_client->shortFrame(CmdSetModemMode, ModeNormal).ok());
    QCOMPARE(m_emu->state().modemMode, quint8(1));

    // Unknown modes are refused with a status other than 1 or 8.
    f = m_client->shortFrame(CmdSetModemMode, 7);
    QCOMPARE(f.command, ReplyModemMode);
    QVERIFY((f.value & 0xFF) != 1 && (f.value & 0xFF) != 8);

    // The demonstration's actuator holds its button by itself after a few polls.
    m_emu->modifyState([](EmulatorState &st) {
        st.password = "again";
        st.autoHoldPolls = 3;
    });
    m_client->shortFrame(CmdSetModemMode, ModePasswordReset);
    QCOMPARE(m_client->data(CmdGetProtection, 0).payload, QByteArray(1, 1));
    QCOMPARE(m_client->data(CmdGetProtection, 0).payload, QByteArray(1, 1));
    QCOMPARE(m_client->data(CmdGetProtection, 0).payload, QByteArray(1, 2));
}

void TestEmulatorSession::searchMode()
{
    startWith(smallState());
    const QByteArray none = QByteArray(4, char(0xFF));

    // Not listening: nothing is heard and a press is lost.
    QCOMPARE(m_client->data(CmdGetFoundRemote, 1).payload, none);
    QVERIFY(!m_emu->pressRemote(0x123456, 5));
    QVERIFY(m_client->shortFrame(CmdSetModemMode, ModeSearch).ok());
    Frame f = m_client->data(CmdGetFoundRemote, 1);
    QCOMPARE(f.command, AnsFoundRemote);
    QCOMPARE(f.payload, none);

    // A press is reported with the group in the high byte, for as many polls as asked.
    QVERIFY(m_emu->pressRemote(0x123456, 5, 2));
    QCOMPARE(m_client->data(CmdGetFoundRemote, 1).payload, QByteArray::fromHex("56341205"));
    QCOMPARE(m_client->data(CmdGetFoundRemote, 1).payload, QByteArray::fromHex("56341205"));
    QCOMPARE(m_client->data(CmdGetFoundRemote, 1).payload, none);

    // Presses queue up behind the one still being reported.
    QVERIFY(m_emu->pressRemote(0x123456, 5, 2));
    QVERIFY(m_emu->pressRemote(0xABCDEF, 0));
    QCOMPARE(m_client->data(CmdGetFoundRemote, 1).payload, QByteArray::fromHex("56341205"));
    QCOMPARE(m_client->data(CmdGetFoundRemote, 1).payload, QByteArray::fromHex("56341205"));
    QCOMPARE(m_client->data(CmdGetFoundRemote, 1).payload, QByteArray::fromHex("efcdab00"));
    QCOMPARE(m_client->data(CmdGetFoundRemote, 1).payload, none);

    // Leaving search mode forgets a press not yet reported.
    QVERIFY(m_emu->pressRemote(0x010203));
    m_client->shortFrame(CmdSetModemMode, ModeNormal);
    m_client->shortFrame(CmdSetModemMode, ModeSearch);
    QCOMPARE(m_client->data(CmdGetFoundRemote, 1).payload, none);

    // A stranger's remote turns up by itself, never one that is registered.
    m_emu->modifyState([](EmulatorState &st) {
        st.autoRemotePolls = 3;
        st.autoRemoteId = 0x010203; // taken: the next free id is used
        st.autoRemoteGroup = 9;
    });
    QCOMPARE(m_client->data(CmdGetFoundRemote, 1).payload, none);
    QCOMPARE(m_client->data(CmdGetFoundRemote, 1).payload, none);
    QCOMPARE(m_client->data(CmdGetFoundRemote, 1).payload, QByteArray::fromHex("04020109"));

    // The demonstration's remotes: every other one is registered, with its own group.
    m_emu->modifyState([](EmulatorState &st) {
        st.autoRemotePolls = 1;
        st.autoRemoteKnown = true;
    });
    QCOMPARE(m_client->data(CmdGetFoundRemote, 1).payload, QByteArray::fromHex("03020101"));
    QCOMPARE(m_client->data(CmdGetFoundRemote, 1).payload, QByteArray::fromHex("04020109"));
}

void TestEmulatorSession::deviceInit()
{
    EmulatorState s = smallState();
    s.initFailures = 2;
    startWith(s);
    QVERIFY(isStatus(m_client->data(CmdDeviceInit, 0), StatusNoLink));
    QVERIFY(isStatus(m_client->data(CmdDeviceInit, 0), StatusNoLink));
    QVERIFY(isStatus(m_client->data(CmdDeviceInit, 0), StatusDone));
    QVERIFY(isStatus(m_client->data(CmdDeviceInit, 0), StatusDone));
    m_emu->modifyState([](EmulatorState &st) { st.actuatorLinked = false; });
    QVERIFY(isStatus(m_client->data(CmdDeviceInit, 0), StatusNoLink));
}

void TestEmulatorSession::clearAndCopyWithProgress()
{
    EmulatorState s = smallState();
    s.progressSteps = 3;
    s.actuatorRemotes = {remote(0x0F0F0F, QStringLiteral("Только в приводе"))};
    startWith(s);

    QVERIFY(isStatus(m_client->data(CmdGetProgress, 0), StatusDone)); // nothing running

    // Copy stick -> actuator: three progress answers, then done.
    QVERIFY(isStatus(m_client->data(CmdCopyTable, 0), StatusRunning, 0));
    QVERIFY(isStatus(m_client->data(CmdGetProgress, 0), StatusRunning, 33));
    QCOMPARE(m_emu->state().actuatorRemotes.size(), 1); // not yet
    QVERIFY(isStatus(m_client->data(CmdGetProgress, 0), StatusRunning, 66));
    QVERIFY(isStatus(m_client->data(CmdGetProgress, 0), StatusDone));
    QCOMPARE(m_emu->state().actuatorRemotes, s.modemRemotes);

    // Copy actuator -> stick.
    m_emu->modifyState(
        [](EmulatorState &st) { st.actuatorRemotes = {remote(0x0F0F0F, QStringLiteral("Один"))}; });
    QVERIFY(isStatus(m_client->data(CmdCopyTable, 1), StatusRunning, 0));
    for (int i = 0; i < 2; ++i)
        QVERIFY(isStatus(m_client->data(CmdGetProgress, 0), StatusRunning, quint8(33 * (i + 1))));
    QVERIFY(isStatus(m_client->data(CmdGetProgress, 0), StatusDone));
    QCOMPARE(m_emu->state().modemRemotes.size(), 1);
    QCOMPARE(m_emu->state().modemRemotes.first().ownerName, QStringLiteral("Один"));

    // Clear by mask: 1 the stick, 2 the actuator.
    QVERIFY(isStatus(m_client->data(CmdClearTable, 2), StatusRunning, 0));
    for (int i = 0; i < 3; ++i)
        m_client->data(CmdGetProgress, 0);
    QVERIFY(m_emu->state().actuatorRemotes.isEmpty());
    QCOMPARE(m_emu->state().modemRemotes.size(), 1);
    QVERIFY(isStatus(m_client->data(CmdClearTable, 0), StatusBadPayload));
    QVERIFY(isStatus(m_client->data(CmdClearTable, 4), StatusBadPayload));

    // The actuator drops out in the middle of a copy.
    QVERIFY(isStatus(m_client->data(CmdCopyTable, 0), StatusRunning, 0));
    m_emu->modifyState([](EmulatorState &st) { st.actuatorLinked = false; });
    QVERIFY(isStatus(m_client->data(CmdGetProgress, 0), StatusNoLink));
    QVERIFY(isStatus(m_client->data(CmdGetProgress, 0), StatusDone)); // nothing running any more
    QVERIFY(m_emu->state().actuatorRemotes.isEmpty());
    QVERIFY(isStatus(m_client->data(CmdClearTable, 3), StatusNoLink));
    // Clearing the stick alone needs no actuator.
    QVERIFY(isStatus(m_client->data(CmdClearTable, 1), StatusRunning, 0));
    for (int i = 0; i < 3; ++i)
        m_client->data(CmdGetProgress, 0);
    QVERIFY(m_emu->state().modemRemotes.isEmpty());

    // A copy that does not fit is refused at the end.
    m_emu->modifyState([](EmulatorState &st) {
        st.actuatorLinked = true;
        st.progressSteps = 0;
        st.modemRemotes = {remote(1, "a"), remote(2, "b"), remote(3, "c"), remote(4, "d")};
    });
    QVERIFY(isStatus(m_client->data(CmdCopyTable, 0), StatusDeviceFailed));
}

void TestEmulatorSession::actuatorParameters_data()
{
    QTest::addColumn<quint16>("id");
    QTest::addColumn<quint8>("value");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("work mode 0") << quint16(1) << quint8(0) << true;
    QTest::newRow("work mode 3") << quint16(1) << quint8(3) << true;
    QTest::newRow("work mode 4") << quint16(1) << quint8(4) << false;
    QTest::newRow("short 9") << quint16(2) << quint8(9) << false;
    QTest::newRow("short 10") << quint16(2) << quint8(10) << true;
    QTest::newRow("short 60") << quint16(2) << quint8(60) << true;
    QTest::newRow("short 61") << quint16(2) << quint8(61) << false;
    QTest::newRow("blinds 0") << quint16(3) << quint8(0) << false;
    QTest::newRow("blinds 1") << quint16(3) << quint8(1) << true;
    QTest::newRow("blinds 180") << quint16(3) << quint8(180) << true;
    QTest::newRow("roller 181") << quint16(4) << quint8(181) << false;
    QTest::newRow("roller 180") << quint16(4) << quint8(180) << true;
}

void TestEmulatorSession::actuatorParameters()
{
    QFETCH(quint16, id);
    QFETCH(quint8, value);
    QFETCH(bool, accepted);
    startWith(smallState());

    const quint8 before = EmulatorState::defaultParams()[id - 1];
    Frame f = m_client->data(CmdSetParam, 1, le16(id) + QByteArray(1, char(value)));
    QVERIFY(isStatus(f, accepted ? StatusDone : StatusDeviceFailed));
    QCOMPARE(f.target & 1, 1);
    f = m_client->data(CmdGetParam, 2, le16(id));
    QCOMPARE(f.command, AnsParam);
    QCOMPARE(f.payload, le16(id) + QByteArray(1, char(accepted ? value : before)));
}

void TestEmulatorSession::applyRestoreAndFactoryReset()
{
    startWith(smallState());
    auto param = [this](quint16 id) {
        const QByteArray p = m_client->data(CmdGetParam, 1, le16(id)).payload;
        return p.size() == 3 ? quint8(p.at(2)) : quint8(0xFF);
    };

    // Written values are used at once; restore takes back the last applied ones.
    QVERIFY(isStatus(m_client->data(CmdSetParam, 1, le16(2) + QByteArray(1, 40)), StatusDone));
    QCOMPARE(param(2), quint8(40));
    QVERIFY(isStatus(m_client->data(CmdSetParam, 1, le16(ParamApplyRestore) + QByteArray(1, 0)),
                     StatusDone));
    QCOMPARE(param(2), quint8(20));
    QVERIFY(isStatus(m_client->data(CmdSetParam, 1, le16(3) + QByteArray(1, 90)), StatusDone));
    QVERIFY(isStatus(m_client->data(CmdSetParam, 1, le16(ParamApplyRestore) + QByteArray(1, 1)),
                     StatusDone));
    QVERIFY(isStatus(m_client->data(CmdSetParam, 1, le16(3) + QByteArray(1, 5)), StatusDone));
    QVERIFY(isStatus(m_client->data(CmdSetParam, 1, le16(ParamApplyRestore) + QByteArray(1, 0)),
                     StatusDone));
    QCOMPARE(param(3), quint8(90));
    QVERIFY(isStatus(m_client->data(CmdSetParam, 1, le16(ParamApplyRestore) + QByteArray(1, 2)),
                     StatusDeviceFailed));
    QVERIFY(isStatus(m_client->data(CmdGetParam, 1, le16(ParamApplyRestore)),
                     StatusBadPayload)); // never read

    QVERIFY(isStatus(m_client->data(CmdFactoryReset, 1), StatusDone));
    for (quint16 id = 1; id <= 4; ++id)
        QCOMPARE(param(id), EmulatorState::defaultParams()[id - 1]);
    QCOMPARE(m_emu->state().appliedParams, EmulatorState::defaultParams());

    // Malformed and unreachable.
    QVERIFY(isStatus(m_client->data(CmdGetParam, 1, QByteArray(1, 1)), StatusBadPayload));
    QVERIFY(isStatus(m_client->data(CmdSetParam, 1, le16(1)), StatusBadPayload));
    QVERIFY(isStatus(m_client->data(CmdGetParam, 1, le16(9)), StatusBadPayload));
    m_emu->modifyState([](EmulatorState &s) { s.actuatorLinked = false; });
    QVERIFY(isStatus(m_client->data(CmdGetParam, 1, le16(1)), StatusNoLink));
    QVERIFY(isStatus(m_client->data(CmdFactoryReset, 1), StatusNoLink));
    QCOMPARE(m_client->data(CmdGetParam, 0, le16(ParamVersion)).command,
             AnsParam); // the stick still answers
}

namespace
{

QByteArray u32(quint32 v)
{
    QByteArray b;
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
    return b;
}

QByteArray fwStart(quint8 type, quint8 major, quint8 minor, quint8 board)
{
    QByteArray p = u32(0xCAFE) + u32(1000);
    p.append(char(type))
        .append(char(major))
        .append(char(minor))
        .append(char(board))
        .append(char(0));
    return p + QByteArray::fromHex("6000");
}

} // namespace

void TestEmulatorSession::firmwareTransfer()
{
    startWith(smallState()); // stick: major 2, type 1, board 5, minor 7; actuator: 3, 2, 4, 1

    // The stick: a 200-byte section in three blocks, restart, new version.
    QVERIFY(isStatus(m_client->data(CmdFirmwareStart, 0, fwStart(1, 2, 9, 5)), StatusDone));
    QVERIFY(isStatus(m_client->data(CmdFirmwareBlock, 0, u32(0) + u32(0x800) + QByteArray(96, 1)),
                     StatusDone));
    QVERIFY(isStatus(m_client->data(CmdFirmwareBlock, 0, u32(1) + u32(0x860) + QByteArray(96, 2)),
                     StatusDone));
    QVERIFY(isStatus(m_client->data(CmdFirmwareBlock, 0, u32(2) + u32(0x8C0) + QByteArray(8, 3)),
                     StatusDone));
    QVERIFY(isStatus(m_client->data(CmdFirmwareEnd, 0), StatusDone));
    QElapsedTimer restart;
    restart.start();
    const FirmwareImage img = m_emu->lastFirmware();
    QVERIFY(img.complete);
    QCOMPARE(img.runs.value(0x800).size(), 200);

    // Silent while it restarts, not even answering the probe.
    m_client->sendShort(QueryIdent);
    QVERIFY(m_client->silentFor(150));
    waitOutRestart(restart);
    QCOMPARE(m_client->shortFrame(QueryIdent).command, quint16(0x1221));
    QCOMPARE(m_client->data(CmdGetParam, 0, le16(ParamVersion)).payload,
             QByteArray::fromHex("8000 02010509"));

    // Firmware for another board is refused at the start.
    QVERIFY(isStatus(m_client->data(CmdFirmwareStart, 1, fwStart(2, 4, 0, 9)), StatusDeviceFailed));
    // A block out of order ends the transfer.
    QVERIFY(isStatus(m_client->data(CmdFirmwareStart, 1, fwStart(2, 4, 0, 4)), StatusDone));
    QVERIFY(isStatus(m_client->data(CmdFirmwareBlock, 1, u32(1) + u32(0) + QByteArray(4, 1)),
                     StatusDeviceFailed));
    QVERIFY(isStatus(m_client->data(CmdFirmwareEnd, 1), StatusDeviceFailed));

    // The actuator: during its restart the stick answers that it cannot reach it.
    QVERIFY(isStatus(m_client->data(CmdFirmwareStart, 1, fwStart(2, 4, 0, 4)), StatusDone));
    QVERIFY(isStatus(m_client->data(CmdFirmwareBlock, 1, u32(0) + u32(0) + QByteArray(10, 1)),
                     StatusDone));
    Frame f = m_client->data(CmdFirmwareEnd, 1);
    restart.start();
    QVERIFY(isStatus(f, StatusDone));
    QCOMPARE(f.target & 1, 1);
    QVERIFY(isStatus(m_client->data(CmdGetParam, 1, le16(ParamVersion)), StatusNoLink));
    QVERIFY(isStatus(m_client->data(CmdDeviceInit, 0), StatusNoLink));
    // Then it has its new version.
    waitOutRestart(restart);
    QCOMPARE(m_client->data(CmdGetParam, 1, le16(ParamVersion)).payload,
             QByteArray::fromHex("8000 00020404"));
}

void TestEmulatorSession::badInput()
{
    startWith(smallState());

    QVERIFY(isStatus(m_client->data(0x0707, 0), StatusUnknownCommand));
    m_client->sendShort(0x3320); // an unknown query gets no answer
    QVERIFY(m_client->silentFor(100));

    // A frame with a wrong checksum is dropped without an answer and logged.
    QByteArray bad = makeDataFrame(CmdGetParam, 0, le16(ParamVersion));
    bad[bad.size() - 1] = char(bad.at(bad.size() - 1) ^ 0x01);
    m_client->sendWire(escapeFrame(bad));
    QVERIFY(m_client->silentFor(100));
    bool logged = false;
    for (const FrameLogEntry &e : m_emu->frameLog())
        logged |= e.direction == FrameLogEntry::Direction::In &&
                  e.text.contains(QLatin1String("bad checksum"));
    QVERIFY(logged);

    // Garbage, a lone flag and half a frame do not stall the receiver for long.
    m_emu->setReceiveGapMs(100);
    m_client->sendWire(QByteArray::fromHex("00 11 7e ff 03 02 40 01"));
    QVERIFY(m_client->silentFor(200));
    QCOMPARE(m_client->shortFrame(QueryIdent).command, quint16(0x1221));

    // Random bytes, then a probe: answered.
    QRandomGenerator rng(7);
    QByteArray noise(2000, 0);
    for (char &c : noise)
        c = char(rng.bounded(256));
    m_emu->clearFrameLog();
    m_client->sendWire(noise);
    // These bytes end inside a frame, which the stick drops after its receive gap; a probe
    // sent before that would be taken into it.
    const auto dropped = [this] {
        const QList<FrameLogEntry> log = m_emu->frameLog();
        return std::any_of(log.cbegin(), log.cend(), [](const FrameLogEntry &e) {
            return e.text.startsWith(QLatin1String("incomplete frame dropped"));
        });
    };
    QTRY_VERIFY(dropped());
    m_client->clearWire();
    QTRY_COMPARE_WITH_TIMEOUT(m_client->shortFrame(QueryIdent).command, quint16(0x1221), 3000);

    // Sequence numbers are recorded; a repeated frame is answered again, not executed again.
    m_emu->clearFrameLog();
    m_client->data(CmdReadFirstRemote, 0);
    const Frame second = m_client->data(CmdReadNextRemote, 0);
    m_client->sendWire(escapeFrame(m_client->lastSent()));
    const Frame again = decodeFrame(m_client->waitFrame());
    QCOMPARE(again.payload, second.payload);
    EmulatorRemote r;
    QVERIFY(decodeRecord(again.payload, false, &r));
    QCOMPARE(r.id, quint32(0x0A0B0C));
    const QList<int> seqs = m_emu->sequenceNumbers();
    QCOMPARE(seqs.size(), 3);
    QCOMPARE(seqs.at(1), m_client->sequence());
    QCOMPARE(seqs.at(2), m_client->sequence());
    QCOMPARE(seqs.at(0), (m_client->sequence() + 7) & 7);

    // A number that does not run on is pointed out in the log.
    m_client->sendData(CmdGetProgress, 0);
    m_client->waitFrame();
    m_client->sendData(CmdGetProgress, 0); // consecutive numbers: no remark
    m_client->waitFrame();
    QVERIFY(!m_emu->frameLog()
                 .at(m_emu->frameLog().size() - 2)
                 .text.contains(QLatin1String("sequence")));
    QByteArray skipped = makeDataFrame(CmdGetProgress, 0, {});
    skipped[8] = char(((m_client->sequence() + 2) & 7) << 4);
    m_client->sendWire(escapeFrame(skipped));
    QVERIFY(isStatus(decodeFrame(m_client->waitFrame()), StatusDone));
    const QString note = m_emu->frameLog().at(m_emu->frameLog().size() - 2).text;
    QVERIFY2(note.endsWith(QStringLiteral("(sequence %1 after %2)")
                               .arg((m_client->sequence() + 2) & 7)
                               .arg(m_client->sequence())),
             qPrintable(note));
}

void TestEmulatorSession::ownThreadWithBlockingClient()
{
    Emulator emu(EmulatorState::demo());
    QVERIFY(emu.start(true));
    QSerialPort port;
    port.setPortName(emu.slavePath());
    port.setBaudRate(4800);
    QVERIFY(port.open(QIODevice::ReadWrite));

    // No event loop runs here: only the emulator's own thread can answer.
    FrameReceiver rx;
    int seq = 0;
    auto request = [&](QByteArray frame) {
        if (frame.at(3) == TypeData) // numbered as the program does, or it would look like a repeat
            frame[8] = char(quint8(frame.at(8)) | (++seq & 7) << 4);
        port.write(escapeFrame(frame));
        port.waitForBytesWritten(1000);
        QList<QByteArray> frames;
        QElapsedTimer t;
        t.start();
        while (frames.isEmpty() && t.elapsed() < 3000 && port.waitForReadyRead(3000))
            frames = rx.feed(port.readAll());
        return frames.isEmpty() ? Frame() : decodeFrame(frames.first());
    };
    QCOMPARE(request(makeShortFrame(0, QueryIdent, 0, 0)).command, quint16(0x1221));
    int records = 0;
    Frame f = request(makeDataFrame(CmdReadFirstRemote, 0, {}));
    while (f.ok() && decodeRecord(f.payload, true, nullptr)) {
        ++records;
        f = request(makeDataFrame(CmdReadNextRemote, 0, {}));
    }
    QCOMPARE(records, 12);

    // The API is usable meanwhile from this thread.
    emu.modifyState([](EmulatorState &s) { s.modemCapacity = 13; });
    QCOMPARE(request(makeShortFrame(0, QueryMemory, 0, 0)).value, quint16(1));
    emu.setPacing(true);
    QVERIFY(emu.pacing());
    port.close();
    emu.stop();
    QVERIFY(!emu.isRunning());
}

void TestEmulatorSession::frameLogIsDecoded()
{
    startWith(smallState());
    QSignalSpy spy(m_emu.get(), &Emulator::frameLogged);
    m_client->data(CmdGetParam, 1, le16(ParamWorkMode));
    QTRY_VERIFY(spy.size() >= 2);
    const QList<FrameLogEntry> log = m_emu->frameLog();
    QVERIFY(log.size() >= 3); // line open, request, answer
    const FrameLogEntry &in = log.at(log.size() - 2);
    const FrameLogEntry &out = log.last();
    QCOMPARE(in.direction, FrameLogEntry::Direction::In);
    QVERIFY2(in.text.contains(QLatin1String("CMD_GET_PARAM 0x0104 target 1")), qPrintable(in.text));
    QVERIFY2(in.text.contains(QLatin1String("parameter 0x1 = 00")), qPrintable(in.text));
    QCOMPARE(out.direction, FrameLogEntry::Direction::Out);
    QVERIFY2(out.text.contains(QLatin1String("ANS_PARAM 0x4109")), qPrintable(out.text));
    QCOMPARE(decodeFrame(out.frame).payload, QByteArray::fromHex("010000"));
    QCOMPARE(m_emu->requestCount(CmdGetParam), 1);
}

QTEST_GUILESS_MAIN(TestEmulatorSession)
#include "tst_emulatorsession.moc"
