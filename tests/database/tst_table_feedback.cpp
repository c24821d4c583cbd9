// What the table's parts tell the user: a question before a table is replaced, a word
// when a change ends without a box of its own, and a long read's rows while they come.
#include "commands.h"
#include "operationwait.h"
#include "remotetable.h"
#include "stepwatch.h"
#include "tablerig.h"
#include "tableview.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

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
} // namespace

class tst_table_feedback : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TableRig::useTemporaryHome(); }

    void replacingATableAsksFirstAndSaysWhenDone()
    {
        TableRig rig(remotes(6));
        QVERIFY(rig.open());
        QSignalSpy status(rig.table, &RemoteTableParts::statusMessage);
        QTableTransfers &transfers = rig.table->transfers();
        // Declined: nothing goes out; "Нет" is the default.
        for (int i = 0; i < 3; ++i)
            rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::No);
        QVERIFY(!transfers.save_db_to_modem());
        QVERIFY(!rig.table->copier().copy_table_from_modem_to_dev());
        QVERIFY(!rig.table->copier().copy_table_from_dev_to_modem());
        QCOMPARE(rig.requests(CMD_CLEAR_TABLE) + rig.requests(CMD_COPY_TABLE), 0);
        QCOMPARE(rig.prompts.calls().at(0).defaultButton, QMessageBox::No);
        const QStringList asked = rig.prompts.texts();
        QVERIFY2(asked.at(0).contains("будет пультов: 6") && asked.at(1).contains("(пультов: 6)"),
                 qPrintable(asked.join('\n')));

        transfers.setVerifyAfterWrite(false);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(succeeds(transfers.save_db_to_modem()));
        QCOMPARE(status.last().first().toString(),
                 QString("Таблица записана в USB-stick, пультов: 6 (без проверки)"));
        // An empty table says plainly that every remote goes.
        rig.table->list().setRemotes({});
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(succeeds(transfers.save_db_to_modem()));
        QCOMPARE(rig.prompts.texts().last(),
                 QString("Таблица пуста: все пульты будут удалены из USB-stick. Продолжить?"));
        QVERIFY(rig.emulator.state().modemRemotes.isEmpty());
        QCOMPARE(status.last().first().toString(),
                 QString("Таблица USB-stick очищена: в нём нет пультов"));
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void longReadShowsRowsAsTheyComeAndACutOneKeepsTheTable()
    {
        TableRig rig(remotes(3));
        QVERIFY(rig.open());
        const QList<QControlDevice> before = rig.table->list().remotes();
        rig.emulator.modifyState([](EmulatorState &s) {
            s.modemRemotes = remotes(8, 100).modemRemotes;
            s.modemRemotes.last().workMode = 1;
        });
        // Each record shows as it comes; the user cancels at the fifth, which is no error.
        QList<int> rows;
        QOperation *read = nullptr;
        StepWatch hook(rig.session, [&] {
            rows << tableview::rows(rig.widgets.table);
            if (rows.size() == 5)
                QTimer::singleShot(0, read, &QOperation::cancel);
        });
        read = rig.table->transfers().load_db_from_modem();
        QCOMPARE(operationwait::outcome(read), QOperation::Cancelled);
        hook.stop();
        QCOMPARE(rows.mid(0, 5), (QList<int>{1, 2, 3, 4, 5}));
        QVERIFY(rows.size() < 8);
        QCOMPARE(rig.table->list().remotes(), before);
        QCOMPARE(tableview::rows(rig.widgets.table), 3);
        QVERIFY2(rig.prompts.calls().isEmpty(), qPrintable(rig.prompts.report()));

        QVERIFY(succeeds(rig.table->transfers().load_db_from_modem()));
        QCOMPARE(tableview::rows(rig.widgets.table), 8);
        // The mark after a group number says what it means.
        QCOMPARE(tableview::toolTip(rig.widgets.table, 7, COLUMN_GROUP),
                 QString("* — пульт в пешеходном режиме"));
    }
};

QTEST_MAIN(tst_table_feedback)
#include "tst_table_feedback.moc"
