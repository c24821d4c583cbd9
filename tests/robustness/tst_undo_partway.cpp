// Changes made of several commands that stop half-way, while the stick still answers,
// are undone: the stick is never left with part of a table or without a password.
#include "commands.h"
#include "modemrig.h"
#include "operationwait.h"
#include "qdbmanipulator.h"
#include "qoperationlog.h"
#include "stepwatch.h"
#include "tablerig.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using vexo::emu::EmulatorRemote;
using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;

namespace
{
EmulatorRemote remote(quint32 id, const QString &owner)
{
    EmulatorRemote r;
    r.id = id;
    r.group = 1;
    r.ownerName = owner;
    return r;
}
} // namespace

class tst_undo_partway : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TableRig::useTemporaryHome(); }

    void writeStoppedHalfWayGivesTheStickItsTableBack()
    {
        EmulatorState st;
        st.functions = 0x02;
        st.modemRemotes = {remote(1, "Один"), remote(2, "Два")};
        st.progressSteps = 0; // the clears' progress is not what is tested here
        TableRig rig(st);
        QVERIFY(rig.open());
        QTemporaryDir dir;
        const QString file = dir.filePath("new.json");
        QVERIFY(QDbManipulator::saveToFile(file,
                                           {QControlDevice(nullptr, 7, 1, "Семь"),
                                            QControlDevice(nullptr, 8, 1, "Восемь"),
                                            QControlDevice(nullptr, 9, 1, "Девять")},
                                           nullptr));
        rig.prompts.expectFile(ScriptedPrompts::OpenFile, "Выбор файла json", file);
        rig.table->files().load_db_from_file();

        // The second record is refused and the user declines to repeat it.
        rig.emulator.holdFaultsUntil(CMD_WRITE_REMOTE, 2);
        rig.emulator.forceStatus(CMD_WRITE_REMOTE, STATUS_NO_LINK);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::No);
        QVERIFY(!operationwait::succeeds(rig.table->transfers().save_db_to_modem()));
        QCOMPARE(rig.emulator.state().modemRemotes, st.modemRemotes);
        // The list is still the one the user meant to write, and not the stick's.
        QCOMPARE(rig.table->list().remotes().size(), 3);
        QCOMPARE(rig.table->list().source(), SOURCE_FILE);
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));

        // Written in full the next time.
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(operationwait::succeeds(rig.table->transfers().save_db_to_modem()));
        QCOMPARE(rig.emulator.state().modemRemotes.size(), 3);
    }

    void cancelledWriteGivesTheOldTableBackBeforeAnythingElse()
    {
        EmulatorState st;
        st.functions = 0x02;
        st.modemRemotes = {remote(1, "Один"), remote(2, "Два")};
        st.progressSteps = 0;
        TableRig rig(st);
        QTemporaryDir dir;
        rig.session->operationLog()->setPath(dir.filePath("operations.log"));
        QVERIFY(rig.open());
        QList<QControlDevice> table;
        for (int id = 10; id < 16; ++id)
            table << QControlDevice(nullptr, id, 1, QString("Пульт %1").arg(id));
        const QString file = dir.filePath("new.json");
        QVERIFY(QDbManipulator::saveToFile(file, table, nullptr));
        rig.prompts.expectFile(ScriptedPrompts::OpenFile, "Выбор файла json", file);
        rig.table->files().load_db_from_file();
        QVERIFY(rig.prompts.done());
        rig.prompts.clear();
        QSignalSpy status(rig.table, &RemoteTableParts::statusMessage);

        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QOperation *write = rig.table->transfers().save_db_to_modem();
        QVERIFY(write);
        // The user cancels while the third record is out; while the old table goes back,
        // a read of the table is asked for.
        int steps = 0;
        bool asked = false, refused = false, writeRunning = false;
        StepWatch hook(rig.session, [&] {
            if (++steps == 2)
                QTimer::singleShot(0, write, &QOperation::cancel);
            else if (write->isCancelRequested() && !asked)
                QTimer::singleShot(0, [&] {
                    asked = true;
                    // A second cancel (a termination signal) must not cut the giving back.
                    write->cancel();
                    refused = !rig.table->transfers().load_db_from_modem();
                    writeRunning = rig.session->currentOperation() == write;
                });
        });
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QCOMPARE(operationwait::outcome(write), QOperation::Cancelled);
        hook.stop();
        QVERIFY(asked);
        QVERIFY(refused);
        QVERIFY(writeRunning);
        // After the question before the write, only the refusal of the read.
        QCOMPARE(rig.prompts.texts().mid(1), QStringList{QModemSession::busyText()});

        // Cleared twice, the old table written back, nothing read in between.
        QCOMPARE(rig.requests(CMD_CLEAR_TABLE), 2);
        QCOMPARE(rig.requests(CMD_READ_FIRST_REMOTE), 1);
        QCOMPARE(rig.emulator.state().modemRemotes, st.modemRemotes);
        QVERIFY(rig.table->list().stickTableKnown());
        QCOMPARE(rig.table->list().remotes(), table);
        QCOMPARE(rig.table->list().source(), SOURCE_FILE);
        QCOMPARE(status.last().first().toString(),
                 QString("На USB-stick возвращена прежняя таблица"));
        const QList<OperationLogEntry> log = rig.session->operationLog()->entries();
        QCOMPARE(log.size(), 2);
        QVERIFY(!log.first().ok);
        QVERIFY(log.first().detail.endsWith(" из 6"));
        QVERIFY(log.last().ok);
        QCOMPARE(log.last().remotes, (QList<int>{1, 2}));
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void changeStoppedAfterTheRemovalPutsTheOldPasswordBack()
    {
        EmulatorState st;
        st.password = "secret1";
        ModemRig rig(st);
        QVERIFY(rig.open());
        rig.emulator().holdFaultsUntil(CMD_PASSWORD, 2); // the new password, after the removal
        rig.emulator().forceStatus(CMD_PASSWORD, STATUS_NO_LINK);
        rig.prompts().expectText("Ввод текущего пароля", "secret1");
        rig.prompts().expectText("Ввод нового пароля", "newpass1");
        rig.prompts().expectText("Повтор нового пароля", "newpass1");
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::No);
        rig.session().admin_password_set();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.requests(CMD_PASSWORD), 3); // removal, new one refused, old one back
        QCOMPARE(rig.emulator().state().password, QByteArray("secret1"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }
};

QTEST_MAIN(tst_undo_partway)
#include "tst_undo_partway.moc"
