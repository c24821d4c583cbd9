// What the table's parts tell the user: a question before a change that destroys a
// table, a word in the status bar when an operation ends without a box of its own, and
// a long read's rows while they come.
#include "commands.h"
#include "operationwait.h"
#include "remotetable.h"
#include "tablerig.h"

#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using vexo::emu::EmulatorRemote;
using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;
using operationwait::succeeds;

namespace
{
EmulatorState remotes(int count, quint32 first = 1)
{
    EmulatorState s;
    s.progressSteps = 0;
    for (int i = 0; i < count; ++i)
        s.modemRemotes.append({first + quint32(i), 1, true, 0, QString("Пульт %1").arg(i)});
    s.actuatorRemotes = s.modemRemotes;
    return s;
}

QString lastStatus(const QSignalSpy &spy)
{
    return spy.isEmpty() ? QString() : spy.last().first().toString();
}
} // namespace

class tst_table_feedback : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TableRig::useTemporaryHome(); }

    void destructiveChangesAskFirstAndSayWhenDone()
    {
        TableRig rig(remotes(6));
        QVERIFY(rig.open());
        QSignalSpy status(rig.table, &RemoteTableParts::statusMessage);
        QTableTransfers &transfers = rig.table->transfers();
        QTableCopy &copier = rig.table->copier();

        // Declined, each asks before anything goes out, "Нет" the default.
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::No)
            .expectMessage(Kind::Warning, "Внимание", QMessageBox::No)
            .expectMessage(Kind::Warning, "Внимание", QMessageBox::No);
        QVERIFY(!transfers.save_db_to_modem());
        QVERIFY(!copier.copy_table_from_modem_to_dev());
        QVERIFY(!copier.copy_table_from_dev_to_modem());
        for (quint16 command : {CMD_CLEAR_TABLE, CMD_COPY_TABLE, CMD_WRITE_REMOTE})
            QCOMPARE(rig.requests(command), 0);
        const QList<ScriptedPrompts::Call> &calls = rig.prompts.calls();
        for (const ScriptedPrompts::Call &call : calls) {
            QCOMPARE(call.buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(call.defaultButton, QMessageBox::No);
        }
        QVERIFY2(calls.at(0).text.contains("После записи в USB-stick будет пультов: 6"),
                 qPrintable(calls.at(0).text));
        QVERIFY2(calls.at(1).text.contains("исполнительного устройства будет стёрта") &&
                     calls.at(1).text.contains("(пультов: 6)"),
                 qPrintable(calls.at(1).text));
        QVERIFY2(calls.at(2).text.startsWith("Таблица пультов USB-stick будет стёрта"),
                 qPrintable(calls.at(2).text));
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));

        // Written without the check: said, with the count.
        transfers.set_verify_after_write(false);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(succeeds(transfers.save_db_to_modem()));
        QCOMPARE(lastStatus(status), QString("Таблица записана в USB-stick, пультов: 6 (без "
                                             "проверки)"));

        // An empty table says plainly that it removes every remote.
        rig.table->list().setRemotes({});
        rig.prompts.clear();
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(succeeds(transfers.save_db_to_modem()));
        QCOMPARE(rig.prompts.texts(),
                 QStringList{"Таблица пуста: все пульты будут удалены из USB-stick. Продолжить?"});
        QVERIFY(rig.emulator.state().modemRemotes.isEmpty());
        QCOMPARE(lastStatus(status), QString("Таблица USB-stick очищена: в нём нет пультов"));

        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(succeeds(transfers.clear_modem_memory()));
        QCOMPARE(lastStatus(status), QString("Память USB-stick и исполнительного устройства "
                                             "очищена"));
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void lineCutDuringAWriteIsToldOnce()
    {
        TableRig rig(remotes(6));
        QVERIFY(rig.open());
        rig.emulator.holdFaultsUntil(CMD_WRITE_REMOTE, 3);
        rig.emulator.hangUpAtNextAnswer();
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        rig.prompts.setFallback([](const ScriptedPrompts::Call &) { return QMessageBox::Ok; });
        QCOMPARE(operationwait::outcome(rig.table->transfers().save_db_to_modem()),
                 QOperation::Lost);
        const QStringList told =
            rig.prompts.texts().filter("Usb-stick не отвечает. Проверьте подключение.");
        QVERIFY2(told.size() == 1, qPrintable(rig.prompts.report()));
        QVERIFY(told.first().contains("Таблица пультов не записана в USB-stick"));
    }

    void longReadShowsRowsAsTheyComeAndACutOneKeepsTheTable()
    {
        TableRig rig(remotes(3));
        QVERIFY(rig.open());
        const QList<QControlDevice> before = rig.table->list().remote_list();
        rig.emulator.modifyState([](EmulatorState &s) {
            s.modemRemotes = remotes(8, 100).modemRemotes;
            s.modemRemotes.last().workMode = 1;
        });

        // Each record shows as it comes, the list itself untouched; the user cancels at
        // the fifth, which is no error.
        QList<int> rows;
        int listed = 0;
        QOperation *read = nullptr;
        const auto hook = connect(rig.session, &QModemSession::operationStep, [&] {
            rows << rig.widgets.table->rowCount();
            listed = int(rig.table->list().remote_list().size());
            if (rows.size() == 5)
                QTimer::singleShot(0, read, &QOperation::cancel);
        });
        read = rig.table->transfers().load_db_from_modem();
        QCOMPARE(operationwait::outcome(read), QOperation::Cancelled);
        QVERIFY2(rows.size() >= 5 && rows.size() < 8, qPrintable(QString::number(rows.size())));
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(rows.at(i), i + 1);
        QCOMPARE(listed, 3);
        QCOMPARE(rig.table->list().remote_list(), before);
        QCOMPARE(rig.widgets.table->rowCount(), 3);
        QVERIFY2(rig.prompts.calls().isEmpty(), qPrintable(rig.prompts.report()));

        // Read to the end record, it becomes the list.
        disconnect(hook);
        QVERIFY(succeeds(rig.table->transfers().load_db_from_modem()));
        QCOMPARE(rig.table->list().remote_list().size(), 8);
        QCOMPARE(rig.widgets.table->rowCount(), 8);
        // The mark after a group number says what it means.
        const QTableWidgetItem *group = rig.widgets.table->item(7, COLUMN_GROUP);
        QCOMPARE(group->text(), QString("1*"));
        QCOMPARE(group->toolTip(), QString("* — пульт в пешеходном режиме"));
        QVERIFY(rig.widgets.table->item(0, COLUMN_GROUP)->toolTip().isEmpty());
    }
};

QTEST_MAIN(tst_table_feedback)
#include "tst_table_feedback.moc"
