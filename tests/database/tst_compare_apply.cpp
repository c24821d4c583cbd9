#include "commands.h"
#include "operationwait.h"
#include "qadddevicedialog.h"
#include "qcomparedialog.h"
#include "qdbmanipulator.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "stepwatch.h"
#include "tablerig.h"
#include "tableview.h"
#include "wireframe.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using vexo::emu::EmulatorRemote;
using vexo::emu::EmulatorState;
using vexo::emu::FrameLogEntry;
using Kind = ScriptedPrompts::Kind;
using operationwait::ends;
using operationwait::succeeds;

namespace
{
QList<QControlDevice> asRemotes(const QList<EmulatorRemote> &list)
{
    QList<QControlDevice> out;
    for (const EmulatorRemote &r : list)
        out << QControlDevice(nullptr, int(r.id), r.group, r.ownerName, r.active, r.workMode);
    return out;
}

EmulatorState sixRemotes()
{
    EmulatorState s;
    s.functions = FUNCTION_LONG_RECORDS;
    s.progressSteps = 0;
    s.modemRemotes = {{101, 1, true, 0, "Анна"},  {102, 1, true, 0, "Борис"},
                      {103, 2, true, 0, "Вера"},  {104, 2, true, 0, "Глеб"},
                      {105, 3, false, 1, "Дина"}, {106, 3, true, 0, "Егор"}};
    s.actuatorRemotes = s.modemRemotes;
    return s;
}

// The stick's table with 102 renamed, 103 blocked, 104 gone and 107 new.
QList<QControlDevice> changedTable()
{
    QList<QControlDevice> file = asRemotes(sixRemotes().modemRemotes);
    file[1].setOwnerName("Борис Петрович");
    file[2].setActive(false);
    file.removeAt(3);
    file << QControlDevice(nullptr, 107, 4, "Жанна", true, 1);
    return file;
}

// Ids the device was asked to write or delete, in order: "w102", "d104".
QStringList changesSent(const vexo::emu::Emulator &emu)
{
    QStringList out;
    for (const FrameLogEntry &e : emu.frameLog()) {
        const vexo::emu::Frame f = vexo::emu::decodeFrame(e.frame);
        if (e.direction != FrameLogEntry::Direction::In || !f.ok() || !f.isData ||
            f.targetLow() != TARGET_MODEM)
            continue;
        const QByteArray id = f.command == CMD_WRITE_REMOTE ? f.payload.mid(1, 3) : f.payload;
        const int value = quint8(id[0]) | quint8(id[1]) << 8 | quint8(id[2]) << 16;
        if (f.command == CMD_WRITE_REMOTE)
            out << "w" + QString::number(value);
        else if (f.command == CMD_DELETE_REMOTE)
            out << "d" + QString::number(value);
    }
    return out;
}

// Waits for a comparison that starts to end: the dialog closed, or the changes applied.
// True when it started and the stick then holds the other table.
bool compared(TableRig &rig, const std::function<bool()> &start)
{
    QSignalSpy ended(&rig.table->compare(), &QTableCompare::compareEnded);
    if (!start() || !QTest::qWaitFor([&] { return !ended.isEmpty(); }, 60000))
        return false;
    return ended.first().first().toBool();
}

bool compareAndApply(TableRig &rig, const QList<QControlDevice> &other, const QString &name)
{
    return compared(rig, [&] { return rig.table->compare().compareAndApply(other, name); });
}

// Reads the compare dialog once it shows ("id: kind #colour" a line), then presses a button.
void answerCompareDialog(UiScript &script, const char *button, QStringList *rows, QString *summary)
{
    script.when([] { return UiScript::shown<QCompareDialog>() != nullptr; },
                [=] {
                    QCompareDialog *d = UiScript::shown<QCompareDialog>();
                    const auto *t = d->findChild<QTableWidget *>("tableDifferences");
                    for (int r = 0; r < t->rowCount(); ++r)
                        *rows << t->item(r, 0)->text() + ": " + t->item(r, 1)->text() + " " +
                                     t->item(r, 3)->background().color().name();
                    *summary = d->findChild<QLabel *>("labelSummary")->text();
                    d->findChild<QPushButton *>(button)->click();
                });
}

// Applies the changed table through the dialog when the devices stop it part-way: the
// failure and the summary of what was done are both warnings. True when it went so.
bool applyStoppingPartWay(TableRig &rig, UiScript &script, QStringList *rows, QString *summary)
{
    answerCompareDialog(script, "pushButton_apply", rows, summary);
    rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
        .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok)
        .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
    return !compareAndApply(rig, changedTable(), "changed.json") && script.done();
}

QStringList logged(QOperationLog *log)
{
    QStringList out;
    for (const OperationLogEntry &e : log->entries()) {
        QStringList ids;
        for (int id : e.remotes)
            ids << QString::number(id);
        out << e.operation + (e.ok ? "" : " failed") + (ids.isEmpty() ? "" : " " + ids.join(","));
    }
    return out;
}
} // namespace

// Comparing the stick with a file and applying only the differences, the checks after a
// table was written or copied, and the log entries of the table's operations, through the
// remote table's parts on a session over the emulated stick.
class tst_compare_apply : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString saveFile(const QString &name, const QList<QControlDevice> &list)
    {
        const QString path = m_dir.filePath(name);
        QString error;
        return QDbManipulator::saveToFile(path, list, &error) ? path : QString();
    }

private slots:
    void initTestCase() { TableRig::useTemporaryHome(); }

    void appliesExactlyTheDifferences()
    {
        TableRig rig(sixRemotes());
        rig.session->operationLog()->setPath(m_dir.filePath("apply.log"));
        QVERIFY(rig.open());
        const QString path = saveFile("changed.json", changedTable());
        rig.emulator.clearFrameLog();
        QSignalSpy status(rig.table, &RemoteTableParts::statusMessage);

        UiScript script;
        QStringList rows;
        QString summary;
        // Asked first, the deletion named: a No sends nothing.
        answerCompareDialog(script, "pushButton_apply", &rows, &summary);
        rig.prompts.expectFile(Kind::OpenFile, "Выбор файла json", path)
            .expectMessage(Kind::Warning, "Внимание", QMessageBox::No);
        QVERIFY(!compared(rig, [&] {
            rig.table->compare().compareWithFile();
            return true;
        }));
        QCOMPARE(rig.prompts.calls().last().text,
                 QString("Из USB-stick будет удалено пультов: 1, записано: 3. Продолжить?"));
        QCOMPARE(rig.prompts.calls().last().defaultButton, QMessageBox::No);
        QVERIFY(changesSent(rig.emulator).isEmpty());

        rows.clear();
        answerCompareDialog(script, "pushButton_apply", &rows, &summary);
        rig.prompts.expectFile(Kind::OpenFile, "Выбор файла json", path)
            .expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(compared(rig, [&] {
            rig.table->compare().compareWithFile();
            return true;
        }));
        QVERIFY(script.done());

        QCOMPARE(rows, (QStringList{
                           "102: Отличается: владелец #ffe9a8", "103: Отличается: статус #ffe9a8",
                           "104: Только в USB-stick #f5b7b7", "107: Только в файле #a7e8c1"}));
        QCOMPARE(summary, QString("Только в USB-stick: 1, только в файле: 1, отличаются: 2"));

        // Only the differences, deletions first, to the stick alone; nothing cleared, and
        // the table last read is not read again.
        QCOMPARE(changesSent(rig.emulator), (QStringList{"d104", "w102", "w103", "w107"}));
        QCOMPARE(rig.requests(CMD_CLEAR_TABLE), 0);
        QCOMPARE(rig.requests(CMD_READ_FIRST_REMOTE), 0);
        const EmulatorState after = rig.emulator.state();
        QCOMPARE(rig.table->list().remotes(), asRemotes(after.modemRemotes));
        QVERIFY(compareTables(rig.table->list().remotes(), changedTable(), true).isEmpty());
        QCOMPARE(after.actuatorRemotes, sixRemotes().actuatorRemotes);
        QCOMPARE(tableview::rows(rig.widgets.table), 6);
        QCOMPARE(rig.table->list().source(), SOURCE_MODEM);
        QCOMPARE(status.last().first().toString(), QString("Изменения применены к USB-stick: 4"));
        QCOMPARE(logged(rig.session->operationLog()),
                 QStringList{"differences_applied 104,102,103,107"});

        // Compared again: nothing left to apply.
        answerCompareDialog(script, "pushButton_close", &rows, &summary);
        QVERIFY(compareAndApply(rig, changedTable(), "changed.json"));
        QCOMPARE(summary, QString("Таблицы совпадают"));
        QVERIFY(rig.prompts.done());
    }

    void refusedWritePartWayLeavesTheListTrueToTheStick()
    {
        TableRig rig(sixRemotes());
        rig.session->operationLog()->setPath(m_dir.filePath("refused.log"));
        QVERIFY(rig.open());
        // The first write is refused by the actuator side: the deletion before it stays.
        rig.emulator.forceStatus(CMD_WRITE_REMOTE, STATUS_DEVICE_FAILED);
        UiScript script;
        QStringList rows;
        QString summary;
        QVERIFY(applyStoppingPartWay(rig, script, &rows, &summary));
        QCOMPARE(rig.prompts.texts().last(),
                 QString("Изменения применены не полностью: выполнено 1 из 4.\nВыполнены:\n"
                         "№104: только в USB-stick\nТаблица на экране показывает пульты, которые "
                         "содержит USB-stick."));
        QCOMPARE(rig.table->list().remotes(), asRemotes(rig.emulator.state().modemRemotes));
        QCOMPARE(rig.table->list().remotes().size(), 5);
        QCOMPARE(rig.table->view().rowOfId(104), -1);
        QCOMPARE(rig.table->list().source(), SOURCE_MODEM);
        QCOMPARE(logged(rig.session->operationLog()),
                 QStringList{"differences_applied failed 104"});

        // The stick was read back at once: what is left is found against that table.
        QVERIFY(rig.table->list().stickTableKnown());
        QCOMPARE(rig.requests(CMD_READ_FIRST_REMOTE), 2);
        rows.clear();
        answerCompareDialog(script, "pushButton_close", &rows, &summary);
        QVERIFY(!compareAndApply(rig, changedTable(), "changed.json"));
        QCOMPARE(rig.requests(CMD_READ_FIRST_REMOTE), 2);
        QCOMPARE(rows.size(), 3);
        QVERIFY(rig.prompts.done());
    }

    void applyBeyondTheFreePlacesIsRefused()
    {
        EmulatorState state = sixRemotes();
        state.modemCapacity = 6;
        TableRig rig(state);
        QVERIFY(rig.open());
        // One deleted makes room for one of the two added.
        QList<QControlDevice> other = changedTable();
        other << QControlDevice(nullptr, 108, 4, "Зоя", true, 0);
        rig.emulator.clearFrameLog();
        UiScript script;
        QStringList rows;
        QString summary;
        answerCompareDialog(script, "pushButton_apply", &rows, &summary);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!compareAndApply(rig, other, "more.json"));
        QCOMPARE(rig.prompts.texts().last(),
                 QString("Изменения не применены: в USB-stick ничего не изменено.\n"
                         "Добавляется пультов: 2, свободно мест в USB-stick: 0, освободят "
                         "удаления: 1."));
        QVERIFY(changesSent(rig.emulator).isEmpty());
        QCOMPARE(rig.emulator.state().modemRemotes, sixRemotes().modemRemotes);
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void lineLostPartWayClaimsNothingAboutTheStick()
    {
        TableRig rig(sixRemotes());
        QVERIFY(rig.open());
        // The stick deletes, then the line closes instead of the answer.
        rig.emulator.holdFaultsUntil(CMD_DELETE_REMOTE);
        rig.emulator.hangUpAtNextAnswer();
        UiScript script;
        QStringList rows;
        QString summary;
        QVERIFY(applyStoppingPartWay(rig, script, &rows, &summary));
        QVERIFY(rig.prompts.texts().last().endsWith(
            "Изменение, на которое не пришел ответ, могло быть выполнено: таблица USB-stick "
            "будет прочитана заново."));
        QVERIFY(!rig.table->list().stickTableKnown());
        // Once the stick is back its table is read and shown as it is.
        QVERIFY(rig.emulator.reopenLine());
        QTRY_COMPARE_WITH_TIMEOUT(rig.table->list().remotes(),
                                  asRemotes(rig.emulator.state().modemRemotes), 20000);
        QCOMPARE(rig.table->list().remotes().size(), 5);
        QVERIFY(rig.prompts.done());
    }

    void silentlyCorruptedWriteIsAMismatch()
    {
        EmulatorState state = sixRemotes();
        state.modemRemotes = state.modemRemotes.mid(0, 1);
        TableRig rig(state);
        rig.session->operationLog()->setPath(m_dir.filePath("verify.log"));
        QVERIFY(rig.open());
        QVERIFY(rig.table->transfers().verifyAfterWrite());
        const QList<QControlDevice> table = changedTable().mid(0, 3);
        rig.prompts.expectFile(Kind::OpenFile, "Выбор файла json", saveFile("three.json", table));
        rig.table->files().load_db_from_file();
        QSignalSpy status(rig.table, &RemoteTableParts::statusMessage);

        rig.emulator.garbleWrites(1);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        rig.prompts.expectMessage(Kind::Warning, "Проверка записи", QMessageBox::Ok);
        QVERIFY(!succeeds(rig.table->transfers().save_db_to_modem()));
        QCOMPARE(rig.prompts.texts().last(), QString("Таблица USB-stick после записи отличается от "
                                                     "записанной:\n№101: отличается (группа)"));
        // The list stays the user's; the stick's own table is what was read back.
        QCOMPARE(rig.table->list().remotes(), table);
        QCOMPARE(rig.table->list().source(), SOURCE_FILE);
        QCOMPARE(rig.table->list().modemSnapshot(), asRemotes(rig.emulator.state().modemRemotes));
        QVERIFY(status.isEmpty());

        // Written again: checked and the same.
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(succeeds(rig.table->transfers().save_db_to_modem()));
        QCOMPARE(rig.table->list().source(), SOURCE_MODEM);
        QCOMPARE(status.last().first().toString(),
                 QString("Запись проверена: таблица USB-stick совпадает с записанной"));
        QCOMPARE(rig.requests(CMD_READ_FIRST_REMOTE), 3);

        // Without the check nothing is read back.
        rig.table->transfers().setVerifyAfterWrite(false);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(succeeds(rig.table->transfers().save_db_to_modem()));
        QCOMPARE(rig.requests(CMD_READ_FIRST_REMOTE), 3);
        QCOMPARE(logged(rig.session->operationLog()),
                 (QStringList{"table_written failed 101,102,103", "table_written 101,102,103",
                              "table_written 101,102,103"}));
        QCOMPARE(rig.session->operationLog()->entries().first().detail,
                 QString("при проверке найдено отличий: 1"));
        QVERIFY(rig.prompts.done());
    }

    void copiesAreChecked()
    {
        EmulatorState state = sixRemotes();
        state.actuatorRemotes.clear();
        TableRig rig(state);
        rig.session->operationLog()->setPath(m_dir.filePath("copy.log"));
        QVERIFY(rig.open());
        QSignalSpy status(rig.table, &RemoteTableParts::statusMessage);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        rig.prompts.expectMessage(Kind::Information, "Информация", QMessageBox::Ok);
        QVERIFY(ends(rig.table->copier().copy_table_from_modem_to_dev()));
        QCOMPARE(status.last().first().toString(),
                 QString("Копирование проверено: в USB-stick и в исполнительном устройстве по 6 "
                         "пультов"));

        // The actuator gains a remote after it was counted: the stick then holds one more.
        const auto grow = onTransactionDone(rig.session, [&] {
            if (rig.session->modem().currentTransaction() == TRANSACTION_DEVICE_MEMORY)
                rig.emulator.modifyState([](EmulatorState &s) {
                    s.actuatorRemotes.append({200, 1, true, 0, "Новый"});
                });
        });
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        rig.prompts.expectMessage(Kind::Information, "Информация", QMessageBox::Ok)
            .expectMessage(Kind::Warning, "Проверка копирования", QMessageBox::Ok);
        QVERIFY(ends(rig.table->copier().copy_table_from_dev_to_modem()));
        disconnect(grow);
        QCOMPARE(
            rig.prompts.texts().last(),
            QString("После копирования в исполнительном устройстве пультов: 6, в USB-stick: 7"));
        QCOMPARE(rig.table->list().remotes().size(), 7);
        QCOMPARE(logged(rig.session->operationLog()),
                 (QStringList{"table_copied_to_device 101,102,103,104,105,106",
                              "table_copied_to_stick failed 101,102,103,104,105,106,200"}));
        QVERIFY(rig.prompts.done());
    }

    void remoteOperationsAreLogged()
    {
        TableRig rig(sixRemotes());
        QOperationLog *log = rig.session->operationLog();
        log->setPath(m_dir.filePath("remotes.log"));
        QVERIFY(rig.open());
        QVERIFY(rig.select(101));
        QRemoteOperations &operations = rig.table->operations();
        QCOMPARE(operationwait::outcome(operations.active_button_clicked()), QOperation::Succeeded);
        rig.emulator.forceStatus(CMD_WRITE_REMOTE, STATUS_DEVICE_FAILED);
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QCOMPARE(operationwait::outcome(operations.active_button_clicked()), QOperation::Failed);
        rig.prompts.expectText("Владелец пульта", "Анна Сергеевна");
        QCOMPARE(operationwait::outcome(operations.edit_button_clicked()), QOperation::Succeeded);
        QVERIFY(rig.select(105));
        QCOMPARE(operationwait::outcome(operations.active_button_clicked()), QOperation::Succeeded);
        rig.prompts.expectMessage(Kind::Warning, "Удаление пульта", QMessageBox::Yes);
        QCOMPARE(operationwait::outcome(operations.del_button_clicked()), QOperation::Succeeded);

        UiScript script;
        script.when([&] { return rig.requests(CMD_GET_FOUND_REMOTE) >= 1; },
                    [&] { rig.emulator.pressRemote(0x123456, 5); });
        script.when([] { return UiScript::shown<QAddDeviceDialog>() != nullptr; },
                    [] {
                        auto *wizard = UiScript::shown<QAddDeviceDialog>();
                        wizard->findChild<QComboBox *>("comboBox_owner")->setEditText("Новиков");
                        wizard->findChild<QPushButton *>("pushButton_owner")->click();
                    });
        rig.table->search().add_button_clicked();
        QVERIFY(QTest::qWaitFor([&] { return !rig.table->search().active(); }, 60000));
        QVERIFY(script.done());
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(ends(rig.table->transfers().clear_modem_memory()));
        QVERIFY(rig.prompts.done());
        QCOMPARE(logged(log),
                 (QStringList{"remote_blocked 101", "remote_activated failed 101",
                              "remote_edited 101", "remote_activated 105", "remote_deleted 105",
                              "remote_added 1193046", "table_cleared"}));
        QCOMPARE(log->entries().last().detail, QString("USB-stick и исполнительное устройство"));
    }
};

QTEST_MAIN(tst_compare_apply)
#include "tst_compare_apply.moc"
