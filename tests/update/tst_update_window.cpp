// Internet updates through the window: the server from the settings, the menu entries,
// and the program's installer started once the window has closed the usual way.
#include "changesanswer.h"
#include "qflashcontroller.h"
#include "qmodemsession.h"
#include "qupdatecontroller.h"
#include "sessionrig.h"
#include "updateserver.h"

#include <QAction>
#include <QDir>
#include <QSettings>
#include <QTest>

using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;

class tst_update_window : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        SessionRig::useTemporaryHome();
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void updatesThroughTheMenus()
    {
        EmulatorState state = EmulatorState::demo();
        state.initFailures = 0;
        state.restartMs = 50;
        vexo::emu::UpdateServer server;
        QVERIFY(server.listen());
        server.publishDemo(state);
        const QString installer = QUpdateManager::localFileName(QUpdateManager::UPDATE_SOFT_PC)
                                      .replace("update_vexo_ct", "pc_5813_setup");
        server.setFile("pc_version_5813_ru.txt", "0.40e\n0.41\n+ Языки\n");
        server.setFile(installer, "package",
                       vexo::emu::UpdateServer::comment(installer, -1, "0.41"));

        // An installer left from a day before goes at the start.
        const QString path = MainWindow::dataDirectory() + "/" +
                             QUpdateManager::localFileName(QUpdateManager::UPDATE_SOFT_PC);
        QDir().mkpath(MainWindow::dataDirectory());
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        QVERIFY(old.setFileTime(QDateTime::currentDateTime().addDays(-2),
                                QFileDevice::FileModificationTime));
        old.close();

        QStringList launched;
        QStringList dialogs;
        {
            SessionRig rig(state);
            QVERIFY(rig.open());
            QVERIFY(!QFile::exists(path));
            MainWindow &w = rig.window();
            // The rig starts without settings, so the address and key are handed over directly.
            w.updates().setServerAddress(server.address());
            w.updates().setPublicKey(server.key().publicKeyLine());
            w.flasher().setApplyWaitLimit(300);
            w.updates().setInstallerLauncher([&](const QString &path) {
                launched << path;
                return true;
            });

            answerChanges(true, &dialogs);
            w.findChild<QAction *>("actionUpdateModem2")->trigger();
            QVERIFY(rig.waitIdle());
            QVERIFY(rig.emulator().lastFirmware().complete);
            QTRY_VERIFY_WITH_TIMEOUT(
                w.modem().connected() && !w.session().searching() && !w.session().busy(), 30000);
            QCOMPARE(quint8(w.modem().version()[3]), quint8(state.modemVersion[3] + 1));

            // The program's update closes the window through the exit question.
            answerChanges(true, &dialogs);
            rig.prompts().expectMessage(Kind::Information, "Выход", QMessageBox::Yes);
            w.findChild<QAction *>("actionUpdateSoft")->trigger();
            QVERIFY(rig.waitIdle());
            QCOMPARE(dialogs.value(2), QString("<h3>Изменения, реализованные в новой версии "
                                               "программы Vexo Control Tool:<br></h3>"));
            QVERIFY(!w.isVisible());
            QVERIFY(launched.isEmpty());
            // Fresh: the package installer may still need it after a restart.
            w.updates().removeLeftOverInstaller();
            QVERIFY(QFile::exists(path));
            QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
        }
        QCOMPARE(launched,
                 QStringList{MainWindow::dataDirectory() + "/" +
                             QUpdateManager::localFileName(QUpdateManager::UPDATE_SOFT_PC)});
    }
};

QTEST_MAIN(tst_update_window)
#include "tst_update_window.moc"
