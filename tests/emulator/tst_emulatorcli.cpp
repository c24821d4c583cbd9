// vexo-emulator: its text commands, and the program itself answering on its terminal.
#include "consolecommands.h"
#include "emuclient.h"
#include "emulator.h"
#include "protocol.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace vexo::emu;

class TestEmulatorCli : public QObject
{
    Q_OBJECT

private slots:
    void commandsChangeTheDevice();
    void commandsRejectBadArguments_data();
    void commandsRejectBadArguments();
    void faultCommandsReachTheWire();
    void programAnswersOnItsTerminal();
    void programRefusesABadStateFile();
    void signalsRemoveTheFixedLink();
};

void TestEmulatorCli::commandsChangeTheDevice()
{
    Emulator emu;
    ConsoleCommands cmd(&emu);
    bool quit = false;
    QCOMPARE(cmd.execute(QStringLiteral("add 0x0A0B0C 3 Пётр Первый"), &quit),
             QStringLiteral("ok"));
    QCOMPARE(emu.state().modemRemotes.size(), 1);
    QCOMPARE(emu.state().actuatorRemotes.size(), 1);
    QCOMPARE(emu.state().modemRemotes.first().id, quint32(0x0A0B0C));
    QCOMPARE(emu.state().modemRemotes.first().ownerName, QStringLiteral("Пётр Первый"));
    QVERIFY(cmd.execute(QStringLiteral("remotes"), &quit)
                .contains(QStringLiteral("658188 group 3 active Пётр Первый")));

    QCOMPARE(cmd.execute(QStringLiteral("password  секрет 12 "), &quit), QStringLiteral("ok"));
    QCOMPARE(emu.state().password, encodeCp1251(QStringLiteral("секрет 12")));
    QCOMPARE(cmd.execute(QStringLiteral("password"), &quit), QStringLiteral("ok"));
    QVERIFY(emu.state().password.isEmpty());
    cmd.execute(QStringLiteral("init 4"), &quit);

    // Not listening: the press is acknowledged but said to be lost.
    QVERIFY(
        cmd.execute(QStringLiteral("press 12345"), &quit).contains(QLatin1String("not listening")));
    QVERIFY(cmd.execute(QStringLiteral("hold"), &quit).contains(QLatin1String("nothing happened")));

    // State out to a file and back in.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("s.json"));
    QCOMPARE(cmd.execute(QStringLiteral("state ") + file, &quit), QStringLiteral("ok"));
    cmd.execute(QStringLiteral("add 1 1 x"), &quit);
    QCOMPARE(emu.state().modemRemotes.size(), 2);
    QCOMPARE(cmd.execute(QStringLiteral("load ") + file, &quit), QStringLiteral("ok"));
    QCOMPARE(emu.state().modemRemotes.size(), 1);
    QVERIFY(
        cmd.execute(QStringLiteral("state"), &quit).contains(QLatin1String("\"initFailures\": 4")));

    // A firmware file for the emulated actuator: its type and board, the given version.
    const QString image = dir.filePath(QStringLiteral("fw.bin"));
    QCOMPARE(cmd.execute(QStringLiteral("mkfirmware ") + image + " actuator 7 200 500", &quit),
             QStringLiteral("ok"));
    QFile written(image);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray header = written.read(15);
    QCOMPARE(written.size(), 15 + 8 + 500);
    QCOMPARE(header.mid(6), QByteArray::fromHex("f4010000 02 07 c8 01 00"));

    QVERIFY(cmd.execute(QStringLiteral("help"), &quit).contains(QLatin1String("press ID")));
    QVERIFY(!quit);
    QCOMPARE(cmd.execute(QStringLiteral("   "), &quit), QString());
    cmd.execute(QStringLiteral("quit"), &quit);
    QVERIFY(quit);
}

void TestEmulatorCli::commandsRejectBadArguments_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("unknown") << "frobnicate";
    QTest::newRow("press without id") << "press";
    QTest::newRow("press erased id") << "press 0xFFFFFF";
    QTest::newRow("press group too big") << "press 5 256";
    QTest::newRow("drop word") << "drop many";
    QTest::newRow("delay missing ms") << "delay 1";
    QTest::newRow("garbage odd hex") << "garbage abc";
    QTest::newRow("garbage not hex") << "garbage zz";
    QTest::newRow("split one piece") << "split 1 1 10";
    QTest::newRow("status missing") << "status 0x0103";
    QTest::newRow("pace maybe") << "pace maybe";
    QTest::newRow("load missing file") << "load /nonexistent/state.json";
    QTest::newRow("add no group") << "add 5";
    QTest::newRow("mkfirmware no size") << "mkfirmware /tmp/x.bin stick 1 2";
    QTest::newRow("mkfirmware bad target") << "mkfirmware /tmp/x.bin modem 1 2 10";
}

void TestEmulatorCli::commandsRejectBadArguments()
{
    QFETCH(QString, line);
    Emulator emu;
    const QJsonObject before = emu.state().toJson();
    ConsoleCommands cmd(&emu);
    bool quit = false;
    QVERIFY(cmd.execute(line, &quit).startsWith(QLatin1String("error: ")));
    QVERIFY(!quit);
    QCOMPARE(emu.state().toJson(), before);
}

void TestEmulatorCli::faultCommandsReachTheWire()
{
    Emulator emu;
    QVERIFY(emu.start(false));
    EmuClient client;
    QVERIFY(client.open(emu.slavePath()));
    ConsoleCommands cmd(&emu);
    bool quit = false;

    QCOMPARE(cmd.execute(QStringLiteral("status 0x0404 7 0 1"), &quit), QStringLiteral("ok"));
    QVERIFY(isStatus(client.data(CmdDeviceInit, 0), StatusNoLink));
    QVERIFY(isStatus(client.data(CmdDeviceInit, 0), StatusDone));

    cmd.execute(QStringLiteral("garbage 0102 1"), &quit);
    client.clearWire();
    QVERIFY(client.shortFrame(QueryIdent).ok());
    QVERIFY(client.wire().startsWith(QByteArray::fromHex("0102")));

    cmd.execute(QStringLiteral("corrupt"), &quit);
    QCOMPARE(client.shortFrame(QueryIdent).verdict, Frame::Verdict::BadChecksum);

    cmd.execute(QStringLiteral("drop 1"), &quit);
    client.sendShort(QueryIdent);
    QVERIFY(client.silentFor(100));

    QCOMPARE(cmd.execute(QStringLiteral("seq"), &quit), QStringLiteral("1 2"));
    const QString log = cmd.execute(QStringLiteral("log"), &quit);
    QVERIFY(log.contains(QLatin1String("CMD_DEVICE_INIT")));
    QVERIFY(log.contains(QLatin1String("[dropped]")));
    QCOMPARE(cmd.execute(QStringLiteral("log"), &quit), QString()); // nothing new since
    QCOMPARE(cmd.execute(QStringLiteral("log 1"), &quit).count(QLatin1Char('\n')), 0);

    QCOMPARE(cmd.execute(QStringLiteral("misparam 1"), &quit), QStringLiteral("ok"));
    QCOMPARE(client.data(CmdGetParam, 1, QByteArray::fromHex("0100")).payload,
             QByteArray::fromHex("020000"));

    const QString reopened = cmd.execute(QStringLiteral("reopen"), &quit);
    QCOMPARE(reopened, emu.slavePath());
    // The same path reaches the new line once the old one is let go, as after a re-plug.
    client.port().close();
    EmuClient again;
    QVERIFY(again.open(reopened));
    QVERIFY(again.shortFrame(QueryIdent).ok());
}

void TestEmulatorCli::programAnswersOnItsTerminal()
{
    QProcess proc;
    proc.start(QStringLiteral(VEXO_EMULATOR_BINARY), {QStringLiteral("--demo")});
    QVERIFY(proc.waitForStarted());
    QVERIFY(proc.waitForReadyRead(5000));
    const QString path = QString::fromLocal8Bit(proc.readLine()).trimmed();
    QVERIFY2(QFileInfo(path).isAbsolute(), qPrintable(path));

    EmuClient client;
    QVERIFY(client.open(path));
    const Frame ident = client.shortFrame(QueryIdent);
    QCOMPARE(ident.command, quint16(0x1221));
    QCOMPARE(ident.value >> 8, 0x56);

    // Commands on standard input act on the device.
    QVERIFY(client.shortFrame(CmdSetModemMode, ModeSearch).ok());
    proc.write("press 0x203040 7\n");
    QVERIFY(proc.waitForReadyRead(3000));
    QCOMPARE(proc.readLine().trimmed(), QByteArray("ok"));
    QCOMPARE(client.data(CmdGetFoundRemote, 1).payload, QByteArray::fromHex("40302007"));

    proc.write("quit\n");
    QVERIFY(proc.waitForFinished(5000));
    QCOMPARE(proc.exitStatus(), QProcess::NormalExit);
    QCOMPARE(proc.exitCode(), 0);
}

void TestEmulatorCli::programRefusesABadStateFile()
{
    QTemporaryDir dir;
    QFile bad(dir.filePath(QStringLiteral("bad.json")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(R"({"modem": {"capacity": -1}})");
    bad.close();
    QProcess proc;
    proc.start(QStringLiteral(VEXO_EMULATOR_BINARY), {QStringLiteral("--state"), bad.fileName()});
    QVERIFY(proc.waitForFinished(5000));
    QCOMPARE(proc.exitCode(), 2);
    QVERIFY(proc.readAllStandardOutput().isEmpty());
    QVERIFY(proc.readAllStandardError().contains("modem.capacity"));
}

void TestEmulatorCli::signalsRemoveTheFixedLink()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("stick"));
    // A link left by an emulator that was killed is taken over; SIGTERM and Ctrl+C remove it.
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), link));
    for (int signal : {SIGTERM, SIGINT}) {
        QProcess proc;
        proc.start(QStringLiteral(VEXO_EMULATOR_BINARY), {QStringLiteral("--link"), link});
        QVERIFY(proc.waitForReadyRead(5000));
        QCOMPARE(QString::fromLocal8Bit(proc.readLine()).trimmed(), link);
        EmuClient client;
        QVERIFY(client.open(link));
        QCOMPARE(client.shortFrame(QueryIdent).command, quint16(0x1221));
        client.close();
        ::kill(pid_t(proc.processId()), signal);
        QVERIFY(proc.waitForFinished(5000));
        QVERIFY(!QFileInfo(link).isSymLink());
    }
    // What is not a link is never replaced, nor removed.
    QFile plain(link);
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QProcess proc;
    proc.start(QStringLiteral(VEXO_EMULATOR_BINARY), {QStringLiteral("--link"), link});
    QVERIFY(proc.waitForFinished(5000));
    QCOMPARE(proc.exitCode(), 1);
    QVERIFY(QFileInfo(link).isFile());
}

QTEST_GUILESS_MAIN(TestEmulatorCli)
#include "tst_emulatorcli.moc"
