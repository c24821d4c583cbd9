// Flashing the demonstration's firmware files through the window's menu, as a user
// of --demo would, and the versions the version box then shows.
#include "firmwarefile.h"
#include "qflashcontroller.h"
#include "qmodemsession.h"
#include "sessionrig.h"
#include "stepwatch.h"

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;

class tst_flash_window : public QObject
{
    Q_OBJECT

    QString versionBox(SessionRig &rig)
    {
        rig.prompts().expectMessage(Kind::Information, "Версия", QMessageBox::Ok);
        rig.window().findChild<QAction *>("actionVersionStatus")->trigger();
        if (!rig.waitIdle() || rig.prompts().texts().isEmpty())
            return QString();
        return rig.prompts().texts().last();
    }

private slots:
    void initTestCase()
    {
        SessionRig::useTemporaryHome();
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void demoFilesThroughTheMenu()
    {
        EmulatorState state = EmulatorState::demo();
        state.restartMs = 50;
        QTemporaryDir dir;
        QString error;
        const QStringList files = vexo::emu::writeDemoFirmware(dir.path(), state, &error);
        QVERIFY2(files.size() == 3, qPrintable(error));
        SessionRig rig(state);
        QVERIFY(rig.open());
        MainWindow &w = rig.window();
        w.flasher().setApplyWaitLimit(300);
        QCOMPARE(versionBox(rig), QString("Версия модема 1.5.2.7 <br>Версия исполнительного "
                                          "устройства 2.4.3.1"));

        int steps = 0;
        StepWatch watch(&w.session(), [&] { ++steps; });
        rig.prompts()
            .expectFile(Kind::OpenFile, "Выбор файла прошивки", files[0])
            .expectMessage(Kind::Question, "Внимание", QMessageBox::Yes);
        w.findChild<QAction *>("actionUpdateModem")->trigger();
        QVERIFY(rig.waitIdle());
        QVERIFY(steps >= 6 * 1024 / 96); // the bar moved once per block
        // The stick restarts and the search finds it again.
        QTRY_VERIFY_WITH_TIMEOUT(
            w.modem().connected() && !w.session().searching() && !w.session().busy(), 30000);

        // Each file's flashing ends by allowing update checks again, after its version check.
        QSignalSpy flashed(&w.flasher(), &QFlashController::updateChecksEnabled);
        rig.prompts()
            .expectFile(Kind::OpenFile, "Выбор файла прошивки", files[1])
            .expectMessage(Kind::Question, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Question, "Внимание", QMessageBox::Yes);
        w.findChild<QAction *>("actionUpdateDevice")->trigger();
        // The pair's second file follows in the same operation once agreed to.
        QTRY_COMPARE_WITH_TIMEOUT(rig.requests(CMD_FLASH_END), 3, 30000);
        QTRY_VERIFY(rig.emulator().lastFirmware().complete);
        QTRY_COMPARE(w.flasher().firmwareFileName(), files[2]);
        QVERIFY(rig.waitIdle());
        QCOMPARE(flashed.last().first().toBool(), true);
        QCOMPARE(versionBox(rig), QString("Версия модема 1.5.2.8 <br>Версия исполнительного "
                                          "устройства 2.4.3.2"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }
};

QTEST_MAIN(tst_flash_window)
#include "tst_flash_window.moc"
