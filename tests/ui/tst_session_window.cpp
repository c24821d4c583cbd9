// What the window shows of the session over the emulated stick: the menus and the search
// notice, the remote-service marks, the access level in the menus and the status bar, and
// the table's buttons wired to their operations.
#include "commands.h"
#include "operationwait.h"
#include "qinterface_manager.h"
#include "qmodemsession.h"
#include "sessionrig.h"
#include "tablerig.h"
#include "tableview.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;

class tst_session_window : public QObject
{
    Q_OBJECT

    static bool enabled(MainWindow &w, const char *name)
    {
        if (auto *menu = w.findChild<QMenu *>(name))
            return menu->isEnabled();
        return w.findChild<QAction *>(name)->isEnabled();
    }
    static QAction *action(MainWindow &w, const char *name) { return w.findChild<QAction *>(name); }

private slots:
    void initTestCase()
    {
        SessionRig::useTemporaryHome();
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void menusFollowTheSession()
    {
        SessionRig rig;
        QVERIFY(rig.open());
        MainWindow &w = rig.window();
        QVERIFY(enabled(w, "menuSystem"));
        QVERIFY(!w.findChild<QWidget *>("label_modemSearch")->isVisible());
        // A stick that stops answering closes the session and the menus that need it ...
        w.interfaceManager()->set_ack_timeout(300);
        rig.emulator().dropAnswers(4);
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!operationwait::succeeds(w.session().get_modem_functions()));
        QVERIFY(!enabled(w, "menuSystem"));
        // ... until the search finds it again.
        QVERIFY(QTest::qWaitFor([&] { return enabled(w, "menuSystem"); }, 30000));
        QVERIFY(rig.waitIdle());
        QVERIFY(rig.prompts().done());
    }

    void modeMarksFollowTheStick()
    {
        SessionRig rig;
        QVERIFY(rig.open());
        QAction *uploadTable = action(rig.window(), "actionRemoteUploadTable");
        // Each trigger flips the mark; one the stick does not take goes back.
        struct Answer {
            quint8 status, detail;
            QMessageBox::StandardButton reply;
            bool checked;
        };
        for (const Answer &a : {Answer{0x08, 0x2A, QMessageBox::NoButton, true},
                                Answer{0x01, 0x01, QMessageBox::No, true},
                                Answer{0x07, 0x00, QMessageBox::Yes, false},
                                Answer{0x0A, 0x00, QMessageBox::Ok, false}}) {
            rig.emulator().forceStatus(CMD_SET_PARAM, a.status, a.detail);
            if (a.reply != QMessageBox::NoButton)
                rig.prompts().expectMessage(Kind::Warning, "Ошибка", a.reply);
            uploadTable->trigger();
            QVERIFY(rig.waitIdle());
            QCOMPARE(uploadTable->isChecked(), a.checked);
        }
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void accessShowsInMenusAndStatusBar()
    {
        EmulatorState state;
        state.password = "secret1";
        SessionRig rig(state);
        QVERIFY(rig.open());
        MainWindow &w = rig.window();
        QVERIFY(action(w, "actionUserMode")->isChecked());
        QVERIFY(!enabled(w, "actionClearmemory"));
        QVERIFY(enabled(w, "menuWorkMode"));
        QVERIFY(enabled(w, "actionClearPassword"));

        rig.prompts().expectText("Ввод пароля", "secret2");
        rig.prompts().expectMessage(Kind::Warning, "Ошибка авторизации", QMessageBox::Ok);
        action(w, "actionAdminMode")->trigger();
        QVERIFY(rig.waitIdle());
        QVERIFY(!action(w, "actionAdminMode")->isChecked());

        rig.prompts().expectText("Ввод пароля", "secret1");
        action(w, "actionAdminMode")->trigger();
        QVERIFY(rig.waitIdle());
        QVERIFY(action(w, "actionAdminMode")->isChecked());
        QVERIFY(!action(w, "actionUserMode")->isChecked());
        QVERIFY(enabled(w, "actionClearmemory"));
        QVERIFY(enabled(w, "actionSaveToDevice"));
        // The status bar names the port and the access level.
        const QString shown = w.findChild<QLabel *>("label_stickState")->toolTip();
        QVERIFY2(shown.contains(rig.emulator().slavePath()) &&
                     shown.contains("доступ администратора"),
                 qPrintable(shown));

        action(w, "actionUserMode")->trigger();
        QVERIFY(rig.waitIdle());
        QVERIFY(action(w, "actionUserMode")->isChecked());
        QVERIFY(!enabled(w, "actionClearmemory"));

        // Without a password: no modes to switch and nothing to remove.
        rig.prompts().expectText("Ввод текущего пароля", "secret1");
        action(w, "actionClearPassword")->trigger();
        QVERIFY(rig.waitIdle());
        QVERIFY(!enabled(w, "actionClearPassword"));
        QVERIFY(!enabled(w, "menuWorkMode"));
        QVERIFY(enabled(w, "actionClearmemory"));

        rig.prompts().expectText("Ввод нового пароля", "abcdefghij");
        rig.prompts().expectText("Повтор нового пароля", "abcdefghij");
        action(w, "actionSetPassword")->trigger();
        QVERIFY(rig.waitIdle());
        QVERIFY(enabled(w, "menuWorkMode"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void windowButtonsReachTheOperations()
    {
        EmulatorState state;
        state.modemRemotes = {{0x0A0B0C, 1, true, 0, "Иванов"},
                              {0x102030, 2, false, 0, "Петров"},
                              {0x00ABCE, 3, true, 1, "Сидоров"}};
        state.actuatorRemotes = state.modemRemotes;
        SessionRig rig(state);
        QVERIFY(rig.open());
        MainWindow &w = rig.window();
        QSignalSpy waiting(&w, &MainWindow::signal_show_btn_next_device_search);
        UiScript script;
        script.when([&] { return rig.requests(CMD_GET_FOUND_REMOTE) >= 1; },
                    [&] { rig.emulator().pressRemote(0x00ABCE, 3); });
        script.when([] { return UiScript::waitButton("pushButton_ext"); },
                    [] { UiScript::waitButton("pushButton_cancel")->click(); });
        w.findChild<QPushButton *>("pushButton_findDev")->click();
        QVERIFY(QTest::qWaitFor([&] { return !w.remoteTable().search().active(); }, 60000));
        QVERIFY(script.done());
        QVERIFY(waiting.last().first().toBool());
        auto *t = w.findChild<QTableView *>("tablePults");
        QCOMPARE(tableview::cell(t, t->currentIndex().row(), 0), QString::number(0x00ABCE));
        QVERIFY(rig.prompts().done());
    }
};

QTEST_MAIN(tst_session_window)
#include "tst_session_window.moc"
