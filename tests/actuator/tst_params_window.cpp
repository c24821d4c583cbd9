#include "commands.h"
#include "qparamcontroller.h"
#include "qpropertywidget.h"
#include "sessionrig.h"
#include "wireframe.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTest>

using vexo::emu::EmulatorState;
using vexo::emu::FrameLogEntry;
using Kind = ScriptedPrompts::Kind;

namespace
{
QPushButton *button(MainWindow &w, const char *name)
{
    return w.findChild<QPushButton *>(name);
}

QByteArrayList setParamPayloads(const vexo::emu::Emulator &emu)
{
    QByteArrayList out;
    for (const FrameLogEntry &e : emu.frameLog()) {
        const vexo::emu::Frame f = vexo::emu::decodeFrame(e.frame);
        if (e.direction == FrameLogEntry::Direction::In && f.ok() && f.command == CMD_SET_PARAM)
            out << f.payload.toHex();
    }
    return out;
}
} // namespace

// The "Параметры ИУ" tab of the window as a user works it, over the emulated stick.
class tst_params_window : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        SessionRig::useTemporaryHome();
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void readEditWriteResetThroughTheButtons()
    {
        SessionRig rig;
        QVERIFY(rig.open());
        MainWindow &w = rig.window();
        auto *table = w.findChild<QTableWidget *>("tableProperties");
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(table->verticalHeaderItem(0)->text(), "Режим работы");
        QCOMPARE(table->horizontalHeaderItem(0)->text(), "Значение параметра");

        rig.prompts().expectMessage(Kind::Question, "Информация", QMessageBox::Yes);
        button(w, "pushButton_loadProperties")->click();
        QPropertyWidget *blinds = w.params().editor(2);
        QCOMPARE(blinds->label()->text(), "30 с");
        blinds->slider()->setValue(45);
        button(w, "pushButton_saveProperties")->click();
        QCOMPARE(rig.emulator().state().params[2], quint8(45));
        QCOMPARE(blinds->valueState(), QPropertyWidget::VALUE_FROM_DEVICE);

        // The two hidden buttons share a slot; the sender decides what is sent.
        rig.emulator().clearFrameLog();
        button(w, "pushButton_applyProperties")->click();
        button(w, "pushButton_restoreProperties")->click();
        QCOMPARE(setParamPayloads(rig.emulator()), (QByteArrayList{"03002d", "850001", "850000"}));
        QCOMPARE(blinds->label()->text(), "45 с");

        button(w, "pushButton_defProperties")->click();
        QCOMPARE(blinds->label()->text(), "30 с");
        QCOMPARE(rig.emulator().state().params, EmulatorState::defaultParams());
        QVERIFY(rig.prompts().done());
    }

    void buttonsFollowTheSession()
    {
        SessionRig rig;
        QVERIFY(rig.open());
        MainWindow &w = rig.window();
        const char *all[] = {"pushButton_loadProperties", "pushButton_saveProperties",
                             "pushButton_restoreProperties", "pushButton_applyProperties",
                             "pushButton_defProperties"};
        auto enabled = [&] {
            QString s;
            for (const char *name : all)
                s += button(w, name)->isEnabled() ? '1' : '0';
            return s + (w.findChild<QWidget *>("tableProperties")->isEnabled() ? "+" : "-");
        };
        QVERIFY(!button(w, "pushButton_applyProperties")->isVisible());
        QCOMPARE(enabled(), "11111+");
        w.findChild<QAction *>("actionRemoteMode")->trigger();
        QCOMPARE(enabled(), "11010+");
        w.findChild<QAction *>("actionRemoteMode")->trigger();
        w.modem().setProtectionMode(PROTECTION_LOCKED);
        w.update_controls_enabled();
        QCOMPARE(enabled(), "10000-");

        // The link went down: nothing that needs the stick.
        w.modem().setProtectionMode(PROTECTION_OFF);
        w.set_interface_status(false);
        QCOMPARE(enabled().left(5), "00000");
    }
};

QTEST_MAIN(tst_params_window)
#include "tst_params_window.moc"
