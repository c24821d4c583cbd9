#include "commands.h"
#include "modemrig.h"

#include <QApplication>
#include <QSignalSpy>
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

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void logInAndOut()
    {
        ModemRig rig(withPassword("secret1"));
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        QCOMPARE(s.modem().protectionMode(), PROTECTION_LOCKED);
        QSignalSpy adminMark(&s, &QModemSession::workModeShown);

        // A wrong password: the operation's own message, still locked.
        rig.prompts().expectText("Ввод пароля", "secret2");
        rig.prompts().expectMessage(Kind::Warning, "Ошибка авторизации", QMessageBox::Ok);
        s.admin_mode_clicked();
        QVERIFY(rig.waitIdle());
        QCOMPARE(s.modem().protectionMode(), PROTECTION_LOCKED);
        QVERIFY(!adminMark.last().first().toBool());
        QCOMPARE(rig.prompts().calls().at(0).echo, QLineEdit::Password);

        // The right one: full access, administrator mode.
        rig.prompts().expectText("Ввод пароля", "secret1");
        s.admin_mode_clicked();
        QVERIFY(rig.waitIdle());
        QCOMPARE(s.modem().protectionMode(), PROTECTION_UNLOCKED);
        QVERIFY(adminMark.last().first().toBool());

        // Log-out: CMD_ACCESS to target 0 without payload, back to user mode.
        const int accesses = rig.requests(CMD_ACCESS);
        s.user_mode_clicked();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.requests(CMD_ACCESS), accesses + 1);
        QCOMPARE(s.modem().protectionMode(), PROTECTION_LOCKED);
        QVERIFY(!adminMark.last().first().toBool());

        // An empty password sends nothing.
        rig.prompts().expectText("Ввод пароля", "");
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        s.admin_mode_clicked();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.requests(CMD_ACCESS), accesses + 1);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void setNewPassword()
    {
        ModemRig rig;
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        QCOMPARE(s.modem().protectionMode(), PROTECTION_OFF);

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
        s.admin_password_set();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.prompts().texts().at(1),
                 QString("Пароль должен быть длиной от 6 до 10 символов"));
        QCOMPARE(rig.requests(CMD_PASSWORD), 1);
        QCOMPARE(rig.emulator().state().password, QByteArray("abcdefghij"));
        QCOMPARE(s.modem().protectionMode(), PROTECTION_UNLOCKED);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void cyrillicPasswordAndMismatch()
    {
        ModemRig rig;
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        rig.prompts().expectText("Ввод нового пароля", "пароль12");
        rig.prompts().expectText("Повтор нового пароля", "пароль13");
        rig.prompts().expectMessage(Kind::Warning, "Внимание", QMessageBox::Ok);
        s.admin_password_set();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.requests(CMD_PASSWORD), 0);

        rig.prompts().expectText("Ввод нового пароля", "пароль12");
        rig.prompts().expectText("Повтор нового пароля", "пароль12");
        s.admin_password_set();
        QVERIFY(rig.waitIdle());
        const QByteArray sent = rig.emulator().state().password;
        QCOMPARE(sent.size(), 8); // one byte a letter
        QCOMPARE(sent, cp1251("пароль12"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void changeWithAWrongCurrentPassword()
    {
        ModemRig rig(withPassword("secret1"));
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        rig.prompts().expectText("Ввод текущего пароля", "wrong12");
        rig.prompts().expectText("Ввод нового пароля", "newpass1");
        rig.prompts().expectText("Повтор нового пароля", "newpass1");
        rig.prompts().expectMessage(Kind::Warning, "Ошибка авторизации", QMessageBox::Ok);
        s.admin_password_set();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.prompts().texts().last(), QString("Неверный пароль"));
        QCOMPARE(rig.requests(CMD_PASSWORD), 1); // only the removal went out
        QCOMPARE(rig.emulator().state().password, QByteArray("secret1"));

        // With the right one: removal, then the new password.
        rig.prompts().expectText("Ввод текущего пароля", "secret1");
        rig.prompts().expectText("Ввод нового пароля", "newpass1");
        rig.prompts().expectText("Повтор нового пароля", "newpass1");
        s.admin_password_set();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.requests(CMD_PASSWORD), 3);
        QCOMPARE(rig.emulator().state().password, QByteArray("newpass1"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void removePassword()
    {
        ModemRig rig(withPassword("secret1"));
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        rig.prompts().expectTextCancel("Ввод текущего пароля");
        s.admin_password_clear();
        QVERIFY(rig.waitIdle());
        rig.prompts().expectText("Ввод текущего пароля", "secret1");
        s.admin_password_clear();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.requests(CMD_PASSWORD), 1);
        QVERIFY(rig.emulator().state().password.isEmpty());
        QCOMPARE(s.modem().protectionMode(), PROTECTION_OFF);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void forgottenPasswordReset()
    {
        EmulatorState state = withPassword("secret1");
        state.autoHoldPolls = 3; // the user holds the actuator's button during the third poll
        ModemRig rig(state);
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        const int polls = rig.requests(CMD_GET_PROTECTION);
        s.admin_password_forget();
        QVERIFY(rig.waitIdle());
        QVERIFY(rig.emulator().state().password.isEmpty());
        QVERIFY(rig.requests(CMD_GET_PROTECTION) - polls >= 3 + 1); // polls + re-read
        QCOMPARE(rig.requests(CMD_SET_MODEM_MODE), 2);              // reset mode, then normal again
        QCOMPARE(rig.emulator().state().modemMode, quint8(1));
        QCOMPARE(s.modem().protectionMode(), PROTECTION_OFF);
        QCOMPARE(s.modem().currentTransaction(), TRANSACTION_NONE);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void cancelledResetStillRestoresNormalMode()
    {
        ModemRig rig(withPassword("secret1")); // nobody holds the button
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        // The mode is switched first; the user cancels once the stick was polled twice.
        const int polls = rig.requests(CMD_GET_PROTECTION);
        s.admin_password_forget();
        QVERIFY(operationwait::cancelWhen(
            s.currentOperation(), [&] { return rig.requests(CMD_GET_PROTECTION) - polls >= 2; }));
        QVERIFY(rig.waitIdle());
        QVERIFY(rig.requests(CMD_GET_PROTECTION) - polls >= 2);
        QCOMPARE(rig.emulator().state().password, QByteArray("secret1"));
        QCOMPARE(rig.requests(CMD_SET_MODEM_MODE), 2);
        QCOMPARE(rig.emulator().state().modemMode, quint8(1));
        // No poll outlives the reset.
        const int after = rig.requests(CMD_GET_PROTECTION);
        QTest::qWait(1500);
        QCOMPARE(rig.requests(CMD_GET_PROTECTION), after);
        QCOMPARE(s.modem().protectionMode(), PROTECTION_LOCKED);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }
};

QTEST_MAIN(tst_access)
#include "tst_access.moc"
