#include "commands.h"
#include "operationwait.h"
#include "qmodemsession.h"
#include "stepwatch.h"
#include "tablerig.h"
#include "tableview.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <tuple>

using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;

namespace
{
EmulatorState threeRemotes()
{
    EmulatorState s;
    s.modemRemotes = {{0x0A0B0C, 1, true, 0, "Иванов"},
                      {0x102030, 2, false, 0, "Петров"},
                      {0x00ABCE, 3, true, 1, "Сидоров"}};
    s.actuatorRemotes = s.modemRemotes;
    return s;
}

QStringList cellTexts(QTableView *t)
{
    QStringList texts;
    for (int row = 0; row < tableview::rows(t); ++row)
        texts << tableview::rowTexts(t, row);
    return texts;
}

// True once the search and the operations it set going have ended.
bool searchEnds(TableRig &rig)
{
    return QTest::qWaitFor([&] { return !rig.table->search().active(); }, 60000);
}
} // namespace

// Blocking, editing, deleting and identifying remotes through the remote-table
// controller on a session over the emulated stick.
class tst_remote_operations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TableRig::useTemporaryHome(); }

    void blockAndActivateChangeTheRowInPlace()
    {
        TableRig rig(threeRemotes());
        QVERIFY(rig.open() && rig.select(0x0A0B0C));
        QTableView *t = rig.widgets.table;
        const int row = t->currentIndex().row();
        for (const auto &[status, colour, button] :
             {std::tuple{"Заблокирован", 0xF5B7B7, "Активировать пульт"},
              std::tuple{"Активен", 0xA7E8C1, "Заблокировать пульт"}}) {
            QCOMPARE(operationwait::outcome(rig.table->operations().active_button_clicked()),
                     QOperation::Succeeded);
            // Still the current row: the one row changed, the table was not reset.
            QCOMPARE(t->currentIndex().row(), row);
            QCOMPARE(tableview::cell(t, row, 2), QString(status));
            for (int column = 0; column < t->model()->columnCount(); ++column)
                QCOMPARE(tableview::background(t, row, column), QColor(colour));
            QCOMPARE(rig.widgets.activeButton->text(), QString(button));
            QCOMPARE(rig.emulator.state().actuatorRemotes.first().active,
                     rig.table->list().remotes().first().active());
        }
        QCOMPARE(targetsOf(rig.emulator, CMD_WRITE_REMOTE), (QList<int>{1, 1}));
        // The actuator's version is asked once, after the stick's own at the start.
        QCOMPARE(targetsOf(rig.emulator, CMD_GET_PARAM), (QList<int>{0, 1}));
        QVERIFY(!rig.table->list().isDatabaseSaved());
        QVERIFY(rig.prompts.done());
    }

    void editChecksTheNameAndAlwaysSends()
    {
        TableRig rig(threeRemotes());
        QVERIFY(rig.open() && rig.select(0x0A0B0C));
        const QString tooLong(60, QChar(u'Ж'));
        rig.prompts.expectText("Владелец пульта", tooLong)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok)
            .expectText("Владелец пульта", "Иванов 🙂")
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok)
            .expectText("Владелец пульта", "Иванов")
            .expectTextCancel("Владелец пульта");
        QCOMPARE(operationwait::outcome(rig.table->operations().edit_button_clicked()),
                 QOperation::Succeeded);
        const auto &calls = rig.prompts.calls();
        QCOMPARE(calls.at(0).text,
                 QString("Введите информацию о владельце пульта(максимально 59 символов)"));
        QCOMPARE(calls.at(0).initialText, QString("Иванов"));
        QCOMPARE(calls.at(1).text, QString("Информация о владельце пульта не должна быть длиннее "
                                           "59 символов. Текущая длина 60."));
        QCOMPARE(calls.at(2).initialText, tooLong); // asked again with what was entered
        QVERIFY(calls.at(3).text.contains("🙂")); // not in the short records' code page
        // The same name still goes to the stick and marks the table unsaved; no version
        // check before an edit.
        QCOMPARE(rig.requests(CMD_WRITE_REMOTE), 1);
        QCOMPARE(targetsOf(rig.emulator, CMD_GET_PARAM), QList<int>{0});
        QVERIFY(!rig.table->list().isDatabaseSaved());
        QVERIFY(!rig.table->operations().edit_button_clicked()); // cancelled
        QCOMPARE(rig.requests(CMD_WRITE_REMOTE), 1);
        QVERIFY(rig.prompts.done());
    }

    void deleteAsksFirst()
    {
        TableRig rig(threeRemotes());
        QVERIFY(rig.open() && rig.select(0x102030));
        rig.prompts.expectMessage(Kind::Warning, "Удаление пульта", QMessageBox::No)
            .expectMessage(Kind::Warning, "Удаление пульта", QMessageBox::Yes);
        QVERIFY(!rig.table->operations().del_button_clicked());
        QCOMPARE(rig.requests(CMD_DELETE_REMOTE), 0);
        QCOMPARE(rig.prompts.calls().last().defaultButton, QMessageBox::No);
        // The remote meant is named on a line of its own.
        QCOMPARE(
            rig.prompts.calls().last().text,
            QString("Пульт будет удален из системы. Продолжить?\n№1056816, владелец «Петров»"));
        QCOMPARE(operationwait::outcome(rig.table->operations().del_button_clicked()),
                 QOperation::Succeeded);
        QCOMPARE(targetsOf(rig.emulator, CMD_DELETE_REMOTE), QList<int>{1});
        QCOMPARE(rig.emulator.state().actuatorRemotes.size(), 2);
        QCOMPARE(rig.table->list().remotes().size(), 2);
        QCOMPARE(rig.table->view().rowOfId(0x102030), -1);
        QCOMPARE(tableview::rows(rig.widgets.table), 2);
        QVERIFY(!rig.table->list().isDatabaseSaved());

        // A table that is not the stick's offers nothing to change, shortcuts included.
        rig.table->list().set_data_source(SOURCE_UNKNOWN);
        QVERIFY(!rig.table->operations().del_button_clicked());
        QVERIFY(!rig.table->operations().active_button_clicked());
        QCOMPARE(rig.prompts.calls().size(), 2);
        QVERIFY(rig.prompts.done());
    }

    void remoteModeAddressesTheStickWithoutVersionCheck()
    {
        TableRig rig(threeRemotes());
        QVERIFY(rig.open() && rig.select(0x00ABCE));
        rig.session->setRemoteMode(true);
        QCOMPARE(operationwait::outcome(rig.table->operations().active_button_clicked()),
                 QOperation::Succeeded);
        rig.prompts.expectMessage(Kind::Warning, "Удаление пульта", QMessageBox::Yes);
        QCOMPARE(operationwait::outcome(rig.table->operations().del_button_clicked()),
                 QOperation::Succeeded);
        QCOMPARE(targetsOf(rig.emulator, CMD_WRITE_REMOTE), QList<int>{0});
        QCOMPARE(targetsOf(rig.emulator, CMD_DELETE_REMOTE), QList<int>{0});
        QCOMPARE(targetsOf(rig.emulator, CMD_GET_PARAM), QList<int>{0});
        QCOMPARE(rig.emulator.state().modemRemotes.size(), 2);
        QVERIFY(rig.prompts.done());
    }

    void refusedChangesLeaveEverythingAsItWas()
    {
        TableRig rig(threeRemotes());
        QVERIFY(rig.open() && rig.select(0x0A0B0C));
        const QList<QControlDevice> list = rig.table->list().remotes();
        const QStringList cells = cellTexts(rig.widgets.table);
        const QString label = rig.widgets.sourceLabel->text();
        rig.emulator.forceStatus(CMD_WRITE_REMOTE, 10, 0, -1);
        rig.emulator.forceStatus(CMD_DELETE_REMOTE, 10, 0, -1);
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok)
            .expectText("Владелец пульта", "Кузнецов")
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok)
            .expectMessage(Kind::Warning, "Удаление пульта", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QCOMPARE(operationwait::outcome(rig.table->operations().active_button_clicked()),
                 QOperation::Failed);
        QCOMPARE(operationwait::outcome(rig.table->operations().edit_button_clicked()),
                 QOperation::Failed);
        QCOMPARE(operationwait::outcome(rig.table->operations().del_button_clicked()),
                 QOperation::Failed);
        QCOMPARE(rig.prompts.texts().first(),
                 QString("Конечное устройство не содержит в памяти данный пульт"));
        QCOMPARE(rig.prompts.texts().last(),
                 QString("Конечное устройство не смогло успешно выполнить команду"));
        QCOMPARE(rig.table->list().remotes(), list);
        QCOMPARE(cellTexts(rig.widgets.table), cells);
        QVERIFY(rig.table->list().isDatabaseSaved());
        QCOMPARE(rig.widgets.sourceLabel->text(), label);
        QVERIFY(rig.prompts.done());
    }

    // One operation at a time: a change asked for while another runs is refused with the
    // busy text before anything is asked or sent. A stick gone during a deletion says in
    // its one message which remote the table still holds.
    void busyLineRefusesAndALostStickSaysWhatWasNotDone()
    {
        TableRig rig(threeRemotes());
        QVERIFY(rig.open() && rig.select(0x102030));
        rig.emulator.delayAnswers(1, 300);
        QOperation *block = rig.table->operations().active_button_clicked();
        QVERIFY(block && !block->isFinished());
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!rig.table->operations().edit_button_clicked());
        QVERIFY(!rig.table->operations().del_button_clicked());
        QCOMPARE(rig.prompts.texts(),
                 (QStringList{QModemSession::busyText(), QModemSession::busyText()}));
        QCOMPARE(operationwait::outcome(block), QOperation::Succeeded);
        QCOMPARE(rig.requests(CMD_WRITE_REMOTE), 1);
        QCOMPARE(rig.requests(CMD_DELETE_REMOTE), 0);

        const QList<QControlDevice> list = rig.table->list().remotes();
        rig.emulator.hangUpAtNextAnswer();
        rig.prompts.expectMessage(Kind::Warning, "Удаление пульта", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QCOMPARE(operationwait::outcome(rig.table->operations().del_button_clicked()),
                 QOperation::Lost);
        QCOMPARE(rig.prompts.texts().last(),
                 QString("Usb-stick не отвечает. Проверьте подключение.\n"
                         "Пульт №1056816 (владелец 'Петров') не удален из таблицы."));
        QCOMPARE(rig.table->list().remotes(), list);
        QVERIFY(rig.table->view().rowOfId(0x102030) != -1);
        QVERIFY(rig.prompts.done());
    }

    void identifyAnnouncesEachPressOnce()
    {
        TableRig rig(threeRemotes());
        QVERIFY(rig.open());
        QStringList steps;
        StepWatch watch(rig.session, [&](const QString &text) { steps << text; });
        QSignalSpy waiting(&rig.table->search(),
                           &QRemoteSearch::signal_show_btn_next_device_search);
        int selected = -1;
        int polls = 0;
        UiScript script;
        // A registered remote, with a group of its own, held for three polls.
        script.when([&] { return rig.requests(CMD_GET_FOUND_REMOTE) >= 1; },
                    [&] { rig.emulator.pressRemote(0x102030, 7, 3); });
        script.when([] { return UiScript::waitButton("pushButton_ext"); },
                    [&] {
                        selected = tableview::cell(rig.widgets.table,
                                                   rig.widgets.table->currentIndex().row(), 0)
                                       .toInt();
                        polls = rig.requests(CMD_GET_FOUND_REMOTE);
                        UiScript::waitButton("pushButton_ext")->click();
                    });
        // Still held, then let go: pressed again, it is announced again.
        script.when([&] { return rig.requests(CMD_GET_FOUND_REMOTE) >= polls + 4; },
                    [&] { rig.emulator.pressRemote(0x102030); });
        script.when([] { return UiScript::waitButton("pushButton_ext"); },
                    [&] {
                        rig.emulator.pressRemote(0xFFFFFF);
                        rig.emulator.pressRemote(0x00ABCD);
                        UiScript::waitButton("pushButton_ext")->click();
                    });
        // Closed while a poll is out: its late answer is awaited, not left to be taken
        // for a wrong answer to the next command.
        script.when([] { return UiScript::waitButton("pushButton_ext"); },
                    [&] {
                        rig.emulator.delayAnswers(1, 800);
                        UiScript::waitButton("pushButton_ext")->click();
                        UiScript::waitButton("pushButton_cancel")->click();
                    });
        rig.table->search().find_button_clicked();
        QVERIFY(searchEnds(rig));
        QVERIFY(script.done());

        QStringList announced;
        for (const QString &s : std::as_const(steps))
            if (s.startsWith("Найден"))
                announced << s;
        QCOMPARE(announced, (QStringList{"Найден пульт, владелец 'Петров'.",
                                         "Найден пульт, владелец 'Петров'.",
                                         "Найден незарегистрированный пульт №43981"}));
        QCOMPARE(selected, 0x102030);
        QCOMPARE(std::count_if(waiting.cbegin(), waiting.cend(),
                               [](const QList<QVariant> &s) { return s.first().toBool(); }),
                 3);
        QCOMPARE(rig.session->modem().lastFoundId(), -1); // the late answer reached the search
        QVERIFY(!rig.session->modem().listening());
        QVERIFY(rig.session->modem().workMode());
        QCOMPARE(rig.emulator.state().modemMode, quint8(1));
        // With nothing left on its way from the stick and no command out, no answer and no
        // time-out can still bring a question.
        bool free = false;
        rig.session->whenLineFree(&rig.emulator, [&](bool) { free = true; });
        QTRY_VERIFY(rig.emulator.pendingBytes() == 0 && free);
        QVERIFY(rig.prompts.done());
    }

    void newSearchAnnouncesTheRemoteThatEndedTheLast()
    {
        TableRig rig(threeRemotes());
        QVERIFY(rig.open());
        QStringList steps;
        StepWatch watch(rig.session, [&](const QString &text) { steps << text; });
        for (int run = 0; run < 2; ++run) {
            const int before = rig.requests(CMD_GET_FOUND_REMOTE);
            UiScript script;
            script.when([&] { return rig.requests(CMD_GET_FOUND_REMOTE) > before; },
                        [&] { rig.emulator.pressRemote(0x102030, 7, 1); });
            // Found: the user ends the search with that remote the last one heard.
            script.when([] { return UiScript::waitButton("pushButton_ext"); },
                        [] { UiScript::waitButton("pushButton_cancel")->click(); });
            rig.table->search().find_button_clicked();
            QVERIFY(searchEnds(rig));
            QVERIFY(script.done());
        }
        QCOMPARE(steps.count("Найден пульт, владелец 'Петров'."), 2);
        QVERIFY(rig.prompts.done());
    }
};

QTEST_MAIN(tst_remote_operations)
#include "tst_remote_operations.moc"
