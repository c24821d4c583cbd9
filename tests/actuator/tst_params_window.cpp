#include "commands.h"
#include "qparamcontroller.h"
#include "qpropertywidget.h"
#include "sessionrig.h"
#include "wireframe.h"

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
        QCOMPARE(w.findChild<QTableWidget *>("tableProperties")->verticalHeaderItem(0)->text(),
                 "Режим работы");

        rig.prompts().expectMessage(Kind::Question, "Информация", QMessageBox::Yes);
        button(w, "pushButton_loadProperties")->click();
        QVERIFY(rig.waitIdle());
        QPropertyWidget *blinds = w.params().editor(2);
        QCOMPARE(blinds->label()->text(), "30 с");
        blinds->slider()->setValue(45);
        button(w, "pushButton_saveProperties")->click();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.emulator().state().params[2], quint8(45));
        QCOMPARE(blinds->valueState(), QPropertyWidget::VALUE_FROM_DEVICE);

        // The two hidden buttons share a slot; the sender decides what is sent.
        rig.emulator().clearFrameLog();
        button(w, "pushButton_applyProperties")->click();
        QVERIFY(rig.waitIdle());
        button(w, "pushButton_restoreProperties")->click();
        QVERIFY(rig.waitIdle());
        QByteArrayList writes;
        for (const FrameLogEntry &e : rig.emulator().frameLog())
            if (e.direction == FrameLogEntry::Direction::In && e.text.contains("CMD_SET_PARAM"))
                writes << vexo::emu::decodeFrame(e.frame).payload.toHex();
        QCOMPARE(writes, (QByteArrayList{"03002d", "850001", "850000"}));
        QCOMPARE(blinds->label()->text(), "45 с");

        rig.prompts().expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        button(w, "pushButton_defProperties")->click();
        QVERIFY(rig.waitIdle());
        QCOMPARE(blinds->label()->text(), "30 с");
        QCOMPARE(rig.emulator().state().params, EmulatorState::defaultParams());
        QVERIFY(rig.prompts().done());
    }
};

QTEST_MAIN(tst_params_window)
#include "tst_params_window.moc"
