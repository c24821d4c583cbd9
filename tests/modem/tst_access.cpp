#include "commands.h"
#include "qwaitdialog.h"
#include "sessionrig.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QStringDecoder>
#include <QTest>

using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;

namespace
{
QByteArray cp1251(const QString &s)
{
    return QStringEncoder("windows-1251").encode(s);
}

EmulatorState withPassword(const QString &password)
{
    EmulatorState s;
    s.password = cp1251(password);
    return s;
}
} // namespace

// Log-in, log-out, setting, changing, removing and resetting the administrator
// password against the emulated stick, which keeps and checks the password itself.
class tst_access : public QObject
{
    Q_OBJECT

    static bool enabled(MainWindow &w, const char *name)
    {
        if (auto *menu = w.findChild<QMenu *>(name))
            return menu->isEnabled();
        return w.findChild<QAction *>(name)->isEnabled();
    }

private slots:
    void initTestCase()
    {
        SessionRig::useTemporaryHome();
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void logInAndOut()
    {
        SessionRig rig(withPassword("secret1"));
        QVERIFY(rig.open());
        MainWindow &w = rig.window();
        QCOMPARE(w.modem().protectionMode(), PROTECTION_LOCKED);
        QVERIFY(w.findChild<QAction *>("actionUserMode")->isChecked());
        QVERIFY(!enabled(w, "actionClearmemory"));
        QVERIFY(enabled(w, "menuWorkMode"));
        QVERIFY(enabled(w, "actionClearPassword"));

        // A wrong password: the operation's own message, still locked.
        rig.prompts().expectText("Ввод пароля", "secret2");
        rig.prompts().expectMessage(Kind::Warning, "Ошибка авторизации", QMessageBox::Ok);
        w.findChild<QAction *>("actionAdminMode")->trigger();
        QVERIFY(rig.waitIdle());
        QCOMPARE(w.modem().protectionMode(), PROTECTION_LOCKED);
        QVERIFY(!w.findChild<QAction *>("actionAdminMode")->isChecked());
        QCOMPARE(rig.prompts().calls().at(0).echo, QLineEdit::Password);

        // The right one: full access, administrator mode.
        rig.prompts().expectText("Ввод пароля", "secret1");
        w.findChild<QAction *>("actionAdminMode")->trigger();
        QVERIFY(rig.waitIdle());
        QCOMPARE(w.modem().protectionMode(), PROTECTION_UNLOCKED);
        QVERIFY(w.findChild<QAction *>("actionAdminMode")->isChecked());
        QVERIFY(!w.findChild<QAction *>("actionUserMode")->isChecked());
        QVERIFY(enabled(w, "actionClearmemory"));
        QVERIFY(enabled(w, "actionSaveToDevice"));
        // The status bar names the port and the access level.
        const QString shown = w.findChild<QLabel *>("label_stickState")->toolTip();
        QVERIFY2(shown.contains(rig.emulator().slavePath()) &&
                     shown.contains("доступ администратора"),
                 qPrintable(shown));

        // Log-out: CMD_ACCESS to target 0 without payload, back to user mode.
        const int accesses = rig.requests(CMD_ACCESS);
        w.findChild<QAction *>("actionUserMode")->trigger();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.requests(CMD_ACCESS), accesses + 1);
        QCOMPARE(w.modem().protectionMode(), PROTECTION_LOCKED);
        QVERIFY(w.findChild<QAction *>("actionUserMode")->isChecked());
        QVERIFY(!enabled(w, "actionClearmemory"));

        // An empty password sends nothing.
        rig.prompts().expectText("Ввод пароля", "");
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        w.session().admin_mode_clicked();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.requests(CMD_ACCESS), accesses + 1);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void setNewPassword()
    {
        SessionRig rig;
        QVERIFY(rig.open());
        MainWindow &w = rig.window();
        QCOMPARE(w.modem().protectionMode(), PROTECTION_OFF);
        QVERIFY(!enabled(w, "menuWorkMode")); // no password, no modes to switch
        QVERIFY(!enabled(w, "actionClearPassword"));

        const QString title = "Ввод нового пароля";
        // 5 and 11 characters are refused with a new prompt; a character the stick's
        // code page lacks likewise.
        rig.prompts().expectText(title, "abcde");
        rig.prompts().expectMessage(Kind::Information, "Внимание", QMessageBox::Ok);
        rig.prompts().expectText(title, "abcdefghijk");
        rig.prompts().expectMessage(Kind::Information, "Внимание", QMessageBox::Ok);
        rig.prompts().expectText(title, QString::fromUtf8("密码密码密码"));
        rig.prompts().expectMessage(Kind::Information, "Внимание", QMessageBox::Ok);
        rig.prompts().expectText(title, "abcdefghij");
        rig.prompts().expectText("Повтор нового пароля", "abcdefghij");
        w.session().admin_password_set();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.prompts().texts().at(1),
                 QString("Пароль должен быть длиной от 6 до 10 символов"));
        QCOMPARE(rig.requests(CMD_PASSWORD), 1);
        QCOMPARE(rig.emulator().state().password, QByteArray("abcdefghij"));
        QCOMPARE(w.modem().protectionMode(), PROTECTION_UNLOCKED);
        QVERIFY(enabled(w, "menuWorkMode"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void cyrillicPasswordAndMismatch()
    {
        SessionRig rig;
        QVERIFY(rig.open());
        MainWindow &w = rig.window();
        rig.prompts().expectText("Ввод нового пароля", "пароль12");
        rig.prompts().expectText("Повтор нового пароля", "пароль13");
        rig.prompts().expectMessage(Kind::Warning, "Внимание", QMessageBox::Ok);
        w.session().admin_password_set();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.requests(CMD_PASSWORD), 0);

        rig.prompts().expectText("Ввод нового пароля", "пароль12");
        rig.prompts().expectText("Повтор нового пароля", "пароль12");
        w.session().admin_password_set();
        QVERIFY(rig.waitIdle());
        const QByteArray sent = rig.emulator().state().password;
        QCOMPARE(sent.size(), 8); // one byte a letter
        QCOMPARE(sent, cp1251("пароль12"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void changeWithAWrongCurrentPassword()
    {
        SessionRig rig(withPassword("secret1"));
        QVERIFY(rig.open());
        MainWindow &w = rig.window();
        rig.prompts().expectText("Ввод текущего пароля", "wrong12");
        rig.prompts().expectText("Ввод нового пароля", "newpass1");
        rig.prompts().expectText("Повтор нового пароля", "newpass1");
        rig.prompts().expectMessage(Kind::Warning, "Ошибка авторизации", QMessageBox::Ok);
        w.session().admin_password_set();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.prompts().texts().last(), QString("Неверный пароль"));
        QCOMPARE(rig.requests(CMD_PASSWORD), 1); // only the removal went out
        QCOMPARE(rig.emulator().state().password, QByteArray("secret1"));

        // With the right one: removal, then the new password.
        rig.prompts().expectText("Ввод текущего пароля", "secret1");
        rig.prompts().expectText("Ввод нового пароля", "newpass1");
        rig.prompts().expectText("Повтор нового пароля", "newpass1");
        w.session().admin_password_set();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.requests(CMD_PASSWORD), 3);
        QCOMPARE(rig.emulator().state().password, QByteArray("newpass1"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void removePassword()
    {
        SessionRig rig(withPassword("secret1"));
        QVERIFY(rig.open());
        MainWindow &w = rig.window();
        rig.prompts().expectTextCancel("Ввод текущего пароля");
        w.session().admin_password_clear();
        QVERIFY(rig.waitIdle());
        rig.prompts().expectText("Ввод текущего пароля", "secret1");
        w.findChild<QAction *>("actionClearPassword")->trigger();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.requests(CMD_PASSWORD), 1);
        QVERIFY(rig.emulator().state().password.isEmpty());
        QCOMPARE(w.modem().protectionMode(), PROTECTION_OFF);
        QVERIFY(!enabled(w, "actionClearPassword"));
        QVERIFY(enabled(w, "actionClearmemory"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void forgottenPasswordReset()
    {
        EmulatorState state = withPassword("secret1");
        state.autoHoldPolls = 3; // the user holds the actuator's button during the third poll
        SessionRig rig(state);
        QVERIFY(rig.open());
        MainWindow &w = rig.window();
        const int polls = rig.requests(CMD_GET_PROTECTION);
        w.session().admin_password_forget();
        QVERIFY(rig.waitIdle());
        QVERIFY(rig.emulator().state().password.isEmpty());
        QVERIFY(rig.requests(CMD_GET_PROTECTION) - polls >= 3 + 1); // polls + re-read
        QCOMPARE(rig.requests(CMD_SET_MODEM_MODE), 2);              // reset mode, then normal again
        QCOMPARE(rig.emulator().state().modemMode, quint8(1));
        QCOMPARE(w.modem().protectionMode(), PROTECTION_OFF);
        QCOMPARE(w.modem().currentTransaction(), TRANSACTION_NONE);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void cancelledResetStillRestoresNormalMode()
    {
        SessionRig rig(withPassword("secret1")); // nobody holds the button
        QVERIFY(rig.open());
        MainWindow &w = rig.window();
        // The first dialog switches the mode; cancel the polling one after two polls.
        const int polls = rig.requests(CMD_GET_PROTECTION);
        SessionRig::cancelWaitDialogWhen(
            [&] { return rig.requests(CMD_GET_PROTECTION) - polls >= 2; });
        w.session().admin_password_forget();
        QVERIFY(rig.waitIdle());
        QVERIFY(rig.requests(CMD_GET_PROTECTION) - polls >= 2);
        QCOMPARE(rig.emulator().state().password, QByteArray("secret1"));
        QCOMPARE(rig.requests(CMD_SET_MODEM_MODE), 2);
        QCOMPARE(rig.emulator().state().modemMode, quint8(1));
        // No poll outlives the reset.
        const int after = rig.requests(CMD_GET_PROTECTION);
        QTest::qWait(1500);
        QCOMPARE(rig.requests(CMD_GET_PROTECTION), after);
        QCOMPARE(w.modem().protectionMode(), PROTECTION_LOCKED);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }
};

QTEST_MAIN(tst_access)
#include "tst_access.moc"
