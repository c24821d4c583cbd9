// The table tools as a user of the window reaches them: the check after writing remembered
// in the settings, and the operation log in the data folder, fed by the parameter editor and
// the flasher too, with its window, filter and export.
#include "firmwarefile.h"
#include "qflashcontroller.h"
#include "qmodemsession.h"
#include "qoperationlogdialog.h"
#include "qparamcontroller.h"
#include "qpropertywidget.h"
#include "remotetableparts.h"
#include "sessionrig.h"
#include "tablerig.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;

namespace
{
QAction *action(MainWindow &w, const char *name)
{
    return w.findChild<QAction *>(name);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class tst_table_tools_window : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        SessionRig::useTemporaryHome();
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void checkAfterWritingIsRemembered()
    {
        ScriptedPrompts prompts;
        ShellOptions quiet;
        quiet.systemPorts = false;
        {
            MainWindow w(qApp, &prompts, quiet);
            QVERIFY(action(w, "actionVerifyWrite")->isChecked());
            QVERIFY(w.remoteTable().transfers().verifyAfterWrite());
            action(w, "actionVerifyWrite")->trigger();
            QVERIFY(!w.remoteTable().transfers().verifyAfterWrite());
            // Kept at once, not only when the window closes.
            QSettings settings("Vexo Electronics", "Vexo Control Tool");
            QCOMPARE(settings.value("/Settings/verify_after_write").toBool(), false);
        }
        MainWindow again(qApp, &prompts, quiet);
        QVERIFY(!action(again, "actionVerifyWrite")->isChecked());
        QVERIFY(!again.remoteTable().transfers().verifyAfterWrite());
        action(again, "actionVerifyWrite")->trigger();
        QVERIFY(again.remoteTable().transfers().verifyAfterWrite());
    }

    void logFedByEverySubsystemAndItsWindow()
    {
        EmulatorState state = EmulatorState::demo();
        state.restartMs = 50;
        state.progressSteps = 0;
        SessionRig rig(state);
        QVERIFY(rig.open());
        MainWindow &w = rig.window();
        QTRY_COMPARE(w.remotes().source(), SOURCE_MODEM);
        const QString logPath = MainWindow::dataDirectory() + "/operations.log";
        QCOMPARE(w.session().operationLog()->path(), logPath);

        // Parameters written, factory settings, firmware: each subsystem logs its change.
        w.params().editor(1)->setValue(QPropertyWidget::VALUE_EDITED, 25);
        w.params().editor(1)->markBox()->setChecked(true);
        QVERIFY(w.params().save_exe_device_properties());
        QVERIFY(rig.waitIdle());
        rig.prompts().expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        w.params().set_def_exe_device_properties();
        QVERIFY(rig.waitIdle());
        w.flasher().setApplyWaitLimit(300);
        const auto v = rig.emulator().state().modemVersion;
        const auto image = vexo::emu::FirmwareFile::forTarget(rig.emulator().state(), 0, v[0],
                                                              quint8(v[3] + 1), 2000);
        QVERIFY(w.flasher().updater().loadData(image.toBytes(), QFlashUpdater::FLASH_MODEM));
        w.flasher().flash_fu(QFlashUpdater::FLASH_MODEM);
        QVERIFY(rig.waitIdle());
        QTRY_VERIFY_WITH_TIMEOUT(w.modem().connected() && !w.session().searching() &&
                                     !w.session().busy() && w.remotes().source() == SOURCE_MODEM,
                                 30000);
        const QByteArray logged = readAll(logPath);
        for (const char *key : {"params_written", "factory_reset", "firmware_flashed"})
            QVERIFY2(logged.contains(key), key);

        // The log's window: newest first, a filter, and its export.
        UiScript script;
        const QString exported = m_dir.filePath("log.csv");
        int allRows = 0, filteredRows = 0;
        QString newest;
        script.when([] { return UiScript::shown<QOperationLogDialog>() != nullptr; },
                    [&] {
                        QOperationLogDialog *d = UiScript::shown<QOperationLogDialog>();
                        auto *table = d->findChild<QTableWidget *>("tableLog");
                        allRows = table->rowCount();
                        newest = table->item(0, 3)->text();
                        d->findChild<QLineEdit *>("lineEdit_filter")->setText("ПРОШИВКА");
                        filteredRows = table->rowCount();
                        d->findChild<QPushButton *>("pushButton_export")->click();
                        d->findChild<QPushButton *>("pushButton_close")->click();
                    });
        rig.prompts().expectFile(Kind::SaveFile, "Экспорт журнала в CSV", exported);
        action(w, "actionOperationLog")->trigger();
        QVERIFY(script.done());
        QCOMPARE(allRows, 3);
        QCOMPARE(newest, QString("Прошивка загружена"));
        QCOMPARE(filteredRows, 1);
        const QByteArray out = readAll(exported);
        QVERIFY(out.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(out.count("\r\n"), 2);
        QVERIFY(out.contains("Прошивка загружена"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }
};

QTEST_MAIN(tst_table_tools_window)
#include "tst_table_tools_window.moc"
