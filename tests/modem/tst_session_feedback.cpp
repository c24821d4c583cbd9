// What the session tells the user of where they are and how access changes ended.
#include "commands.h"
#include "modemrig.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;

class tst_session_feedback : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void summaryNamesPortVersionAccessAndMode()
    {
        EmulatorState state;
        state.modemVersion = {2, 1, 5, 7};
        state.password = "secret";
        ModemRig rig(state);
        QModemSession &s = rig.session();
        QCOMPARE(s.stateSummary(), QString("USB-stick не подключен"));
        QVERIFY(rig.open());
        const QString port = rig.emulator().slavePath();
        QCOMPARE(s.stateSummary(),
                 "USB-stick " + port + ", версия 1.5.2.7, доступ пользователя, обычный режим");
        s.setRemoteMode(true);
        QVERIFY(s.stateSummary().endsWith("доступ пользователя, автономный режим"));
        s.setRemoteMode(false);

        rig.prompts().expectText("Ввод пароля", "secret");
        QSignalSpy status(&s, &QModemSession::statusMessage);
        s.admin_mode_clicked();
        QVERIFY(rig.waitIdle());
        QCOMPARE(s.stateSummary(),
                 "USB-stick " + port + ", версия 1.5.2.7, доступ администратора, обычный режим");
        QCOMPARE(status.last().first().toString(), QString("Вход выполнен: доступ администратора"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void logInTellsAWrongPasswordFromACancel()
    {
        EmulatorState state;
        state.password = "secret";
        ModemRig rig(state);
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        QSignalSpy status(&s, &QModemSession::statusMessage);

        rig.prompts().expectText("Ввод пароля", "wrong1");
        rig.prompts().expectMessage(Kind::Warning, "Ошибка авторизации", QMessageBox::Ok);
        s.admin_mode_clicked();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.prompts().texts().last(), QString("Неверный пароль"));
        QVERIFY(status.isEmpty());

        // Cancelled while the stick checks it: no error box, a word in the status bar.
        const auto cancel =
            connect(&s, &QModemSession::operationStarted, [](QOperation *operation) {
                QTimer::singleShot(0, operation, &QOperation::cancel);
            });
        rig.prompts().expectText("Ввод пароля", "secret");
        s.admin_mode_clicked();
        QVERIFY(rig.waitIdle());
        disconnect(cancel);
        QCOMPARE(rig.prompts().calls().size(), 3);
        QVERIFY2(!status.isEmpty(), qPrintable(rig.prompts().report()));
        QCOMPARE(status.first().first().toString(), QString("Авторизация отменена"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void versionNotReadAfterAFlashIsUnknownNotWrong()
    {
        ModemRig rig;
        QModemSession &s = rig.session();
        s.modem().expectFirmware(true, 9, 9);
        // The version query of the opening is cancelled.
        bool first = true;
        connect(&s, &QModemSession::operationStarted, [&first](QOperation *operation) {
            if (std::exchange(first, false))
                QTimer::singleShot(0, operation, &QOperation::cancel);
        });
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(rig.open());
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.prompts().texts(),
                 QStringList{"Версия USB-stick после обновления прошивки неизвестна: её не удалось "
                             "прочитать"});
        QVERIFY(s.modem().firmwareCheckPending());
    }
};

QTEST_MAIN(tst_session_feedback)
#include "tst_session_feedback.moc"
