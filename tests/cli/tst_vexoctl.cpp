// vexoctl as a shell starts it: a process on the emulated stick's pseudo-terminal, with no
// display and no platform plug-in named.
#include "consolecommands.h"
#include "emulator.h"
#include "protocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vexo::emu;

class tst_vexoctl : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir home;

    struct Run {
        int exitCode = -1;
        QString out, err;
    };
    Run run(const Emulator &emu, const QStringList &arguments) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        QProcess p;
        p.setProcessEnvironment(env);
        // Standard input is no terminal: nobody to ask.
        p.setStandardInputFile(QProcess::nullDevice());
        p.start(VEXOCTL, QStringList{"--port", emu.slavePath()} + arguments);
        Run r;
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
        } else if (p.exitStatus() == QProcess::NormalExit) {
            r.exitCode = p.exitCode();
        }
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    // A database file holding these remotes of the stick, the first one's owner changed.
    QString tableFile(const QList<EmulatorRemote> &remotes, const QString &name) const
    {
        QJsonArray devices;
        for (const EmulatorRemote &r : remotes)
            devices.append(QJsonObject{{"id", int(r.id)},
                                       {"group", r.group},
                                       {"active", r.active},
                                       {"workMode", r.workMode},
                                       {"ownerName", r.ownerName}});
        QJsonObject first = devices.at(0).toObject();
        first.insert("ownerName", "Новый владелец");
        devices.replace(0, first);
        QFile file(home.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(QJsonDocument(QJsonObject{{"devices", devices}}).toJson());
        return file.fileName();
    }

    static QList<quint32> ids(const QList<EmulatorRemote> &remotes)
    {
        QList<quint32> list;
        for (const EmulatorRemote &r : remotes)
            list << r.id;
        return list;
    }

private slots:
    void initTestCase() { QVERIFY(home.isValid()); }

    void readsTheTableAndBacksItUp()
    {
        Emulator emu(EmulatorState::demo());
        QVERIFY(emu.start(true));
        const Run read = run(emu, {"--json", "read"});
        QVERIFY2(read.exitCode == 0, qPrintable(read.err));
        const QJsonArray devices =
            QJsonDocument::fromJson(read.out.toUtf8()).object().value("devices").toArray();
        QList<quint32> got;
        for (const QJsonValue &d : devices)
            got << quint32(d.toObject().value("id").toInt());
        QCOMPARE(got, ids(emu.state().modemRemotes));

        const Run backup = run(emu, {"backup"});
        QCOMPARE(backup.exitCode, 0);
        QFile kept(backup.out.trimmed());
        QVERIFY2(kept.open(QIODevice::ReadOnly), qPrintable(backup.out));
        QCOMPARE(QJsonDocument::fromJson(kept.readAll()).object().value("devices").toArray(),
                 devices);
    }

    void writeAsksClearsWritesAndLogs()
    {
        Emulator emu(EmulatorState::demo());
        QVERIFY(emu.start(true));
        const QList<EmulatorRemote> before = emu.state().modemRemotes;
        const QString file = tableFile(before.mid(0, 3), "three.json");

        // Nobody to ask and no --yes: the stick keeps its table.
        const Run refused = run(emu, {"write", file});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(refused.err.contains("give --yes"));
        QCOMPARE(emu.state().modemRemotes, before);
        QCOMPARE(emu.requestCount(CmdClearTable), 0);

        const Run written = run(emu, {"--yes", "write", file});
        QVERIFY2(written.exitCode == 0, qPrintable(written.err));
        QCOMPARE(ids(emu.state().modemRemotes), ids(before.mid(0, 3)));
        QCOMPARE(emu.state().modemRemotes.first().ownerName, QString("Новый владелец"));

        const Run log = run(emu, {"--json", "log"});
        QCOMPARE(log.exitCode, 0);
        const QJsonArray entries =
            QJsonDocument::fromJson(log.out.toUtf8()).object().value("entries").toArray();
        QVERIFY(!entries.isEmpty());
        QCOMPARE(entries.last().toObject().value("outcome").toString(), QString("ok"));
        QCOMPARE(entries.last().toObject().value("remotes").toArray().size(), 3);
    }

    void applyMakesOnlyTheDifferences()
    {
        Emulator emu(EmulatorState::demo());
        QVERIFY(emu.start(true));
        QList<EmulatorRemote> remotes = emu.state().modemRemotes;
        // One owner changed, one remote gone, the rest as they are.
        const QString file = tableFile(remotes.mid(0, remotes.size() - 1), "apply.json");
        const Run compare = run(emu, {"compare", file});
        QCOMPARE(compare.exitCode, 0);
        QCOMPARE(compare.out.trimmed().split('\n').size(), 2);

        const Run applied = run(emu, {"--yes", "apply", file});
        QVERIFY2(applied.exitCode == 0, qPrintable(applied.err));
        QCOMPARE(emu.requestCount(CmdClearTable), 0);
        QCOMPARE(emu.requestCount(CmdWriteRemote), 1);
        QCOMPARE(emu.requestCount(CmdDeleteRemote), 1);
        remotes.removeLast();
        remotes.first().ownerName = "Новый владелец";
        QCOMPARE(emu.state().modemRemotes, remotes);
    }

    void flashesTheStickAndSeesItAgain()
    {
        Emulator emu(EmulatorState::demo());
        QVERIFY(emu.start(true));
        const QString image = home.filePath("stick.bin");
        bool quit = false;
        QCOMPARE(ConsoleCommands(&emu).execute("mkfirmware " + image + " stick 9 9 500", &quit),
                 QString("ok"));
        const Run flashed = run(emu, {"--yes", "--json", "flash", image});
        QVERIFY2(flashed.exitCode == 0, qPrintable(flashed.err));
        // The version the stick reports once it answers again.
        const QString version =
            QJsonDocument::fromJson(flashed.out.toUtf8()).object().value("version").toString();
        QVERIFY2(version.endsWith(".9.9"), qPrintable(flashed.out));
    }

    void exitCodeForEachFailure()
    {
        Emulator emu(EmulatorState::demo());
        QVERIFY(emu.start(true));
        const QList<EmulatorRemote> before = emu.state().modemRemotes;
        QFile broken(home.filePath("broken.json"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("{ not json");
        broken.close();

        QCOMPARE(run(emu, {"frobnicate"}).exitCode, 2);
        QCOMPARE(run(emu, {"--yes", "write", broken.fileName()}).exitCode, 2);
        QCOMPARE(run(emu, {"params", "blinds_time=999"}).exitCode, 2);
        QCOMPARE(run(emu, {"--yes", "flash", broken.fileName()}).exitCode, 2);

        // The stick refuses to clear its table: nothing written, its table as it was.
        emu.forceStatus(CmdClearTable, StatusDeviceFailed, 0, -1);
        const Run refused = run(emu, {"--yes", "write", tableFile(before, "all.json")});
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(emu.state().modemRemotes, before);
        emu.clearFaults();

        Emulator absent;
        QVERIFY(absent.start(true));
        absent.closeLine();
        const Run none = run(absent, {"info"});
        QCOMPARE(none.exitCode, 3);
        QVERIFY(none.err.contains("no USB-stick"));
    }

    void writeCutByRefusalsGivesTheTableBack()
    {
        Emulator emu(EmulatorState::demo());
        QVERIFY(emu.start(true));
        const QList<EmulatorRemote> before = emu.state().modemRemotes;
        const QString file = tableFile(before.mid(0, 5), "refused.json");
        const QString repeat = "Повторить попытку?";
        const int agreed = 3; // repeats --yes agrees to in a row

        // The third record is refused at first and at each repeat --yes agrees to.
        emu.holdFaultsUntil(CmdWriteRemote, 3);
        emu.forceStatus(CmdWriteRemote, StatusNoLink, 0, 1 + agreed);
        const Run cut = run(emu, {"--yes", "write", file});
        QCOMPARE(cut.exitCode, 1);
        QCOMPARE(cut.err.count(repeat + " yes (--yes)"), agreed);
        QCOMPARE(cut.err.count(repeat + " no (--yes agreed 3 times in a row)"), 1);
        QVERIFY2(cut.err.contains("На USB-stick возвращена прежняя таблица"), qPrintable(cut.err));
        QCOMPARE(emu.state().modemRemotes, before);

        // A stick that refuses every write ends the command too; the giving back, refused
        // as well, leaves it with part of a table at most, and the user is told so.
        emu.holdFaultsUntil(CmdWriteRemote, 3);
        emu.forceStatus(CmdWriteRemote, StatusNoLink, 0, -1);
        const Run refused = run(emu, {"--yes", "write", file});
        emu.clearFaults();
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(refused.err.count(repeat + " no (--yes agreed 3 times in a row)"), 2);
        QVERIFY2(refused.err.contains("Прежняя таблица не возвращена на USB-stick"),
                 qPrintable(refused.err));
        QVERIFY(emu.state().modemRemotes.size() < before.size());
    }

    void passwordComesFromItsFile()
    {
        EmulatorState state = EmulatorState::demo();
        state.password = "secret1";
        Emulator emu(state);
        QVERIFY(emu.start(true));
        const QString file = tableFile(emu.state().modemRemotes, "password.json");
        QFile password(home.filePath("password"));
        QVERIFY(password.open(QIODevice::WriteOnly));
        password.write("secret1\n");
        password.close();
        const QFileDevice::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;

        // Readable by others, or no password file at all: refused before the stick is asked.
        const int accessRequests = emu.requestCount(CmdAccess);
        for (const QFileDevice::Permissions extra : {QFileDevice::Permissions(QFile::ReadOther),
                                                     QFileDevice::Permissions(QFile::ReadGroup)}) {
            QVERIFY(password.setPermissions(ownerOnly | extra));
            const Run open =
                run(emu, {"--yes", "--password-file", password.fileName(), "apply", file});
            QCOMPARE(open.exitCode, 2);
            QVERIFY2(open.err.contains(": others may read or change it (mode 06") &&
                         open.err.contains("chmod 600"),
                     qPrintable(open.err));
        }
        QFile big(home.filePath("big"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write("secret1\n" + QByteArray(1020, 'x'));
        big.close();
        QVERIFY(big.setPermissions(ownerOnly));
        const Run tooBig = run(emu, {"--yes", "--password-file", big.fileName(), "apply", file});
        QCOMPARE(tooBig.exitCode, 2);
        QVERIFY2(tooBig.err.contains("larger than 1024 bytes"), qPrintable(tooBig.err));
        QCOMPARE(emu.requestCount(CmdAccess), accessRequests);
        QCOMPARE(emu.requestCount(CmdWriteRemote), 0);

        QVERIFY(password.open(QIODevice::WriteOnly | QIODevice::Truncate));
        password.write("wrong\r\n");
        password.close();
        QVERIFY(password.setPermissions(ownerOnly));

        const Run wrong =
            run(emu, {"--yes", "--password-file", password.fileName(), "apply", file});
        QCOMPARE(wrong.exitCode, 1);
        QCOMPARE(emu.requestCount(CmdWriteRemote), 0);

        // Exactly 1 KiB, ended by CR LF: the first line is the password.
        QVERIFY(password.open(QIODevice::WriteOnly | QIODevice::Truncate));
        password.write("secret1\r\n" + QByteArray(1015, '#'));
        QCOMPARE(password.size(), 1024);
        password.close();
        const Run right =
            run(emu, {"--yes", "--password-file", password.fileName(), "apply", file});
        QVERIFY2(right.exitCode == 0, qPrintable(right.err));
        QCOMPARE(emu.state().modemRemotes.first().ownerName, QString("Новый владелец"));
        // Full access ends with the command; the password is nowhere to be read.
        QVERIFY(!emu.state().loggedIn);
        QVERIFY(!(right.out + right.err + wrong.err).contains("secret1"));
        QFile log(home.filePath("data/Vexo Electronics/VexoControlTool/operations.log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(!log.readAll().contains("secret1"));
    }
};

QTEST_GUILESS_MAIN(tst_vexoctl)
#include "tst_vexoctl.moc"
