#include "commands.h"
#include "modemrig.h"

#include <QApplication>
#include <QTest>

using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;

// Versions, the actuator's link initialisation and the remote-service modes.
class tst_information : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void versionBox()
    {
        EmulatorState state;
        state.modemVersion = {0x02, 0x01, 0x05, 0x07};
        state.actuatorVersion = {3, 4, 12, 1}; // major, type, board, minor
        ModemRig rig(state);
        QVERIFY(rig.open());
        QModemSession &s = rig.session();

        rig.prompts().expectMessage(Kind::Information, "Версия", QMessageBox::Ok);
        QVERIFY(operationwait::succeeds(s.get_version()));
        QCOMPARE(rig.prompts().texts().last(),
                 QString("Версия модема 1.5.2.7 <br>Версия исполнительного устройства 4.12.3.1"));

        // In remote mode the actuator is not asked at all.
        const int asked = rig.requests(CMD_GET_PARAM);
        s.setRemoteMode(true);
        rig.prompts().expectMessage(Kind::Information, "Версия", QMessageBox::Ok);
        QVERIFY(operationwait::succeeds(s.get_version()));
        QCOMPARE(rig.prompts().texts().last(), QString("Версия модема 1.5.2.7 "));
        QCOMPARE(rig.requests(CMD_GET_PARAM), asked + 1);
        s.setRemoteMode(false);

        // An actuator that cannot be reached leaves the modem line alone.
        rig.emulator().modifyState([](EmulatorState &st) { st.actuatorLinked = false; });
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::No); // no repeat
        rig.prompts().expectMessage(Kind::Information, "Версия", QMessageBox::Ok);
        QVERIFY(operationwait::succeeds(s.get_version()));
        QCOMPARE(rig.prompts().texts().last(), QString("Версия модема 1.5.2.7 "));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void deviceVersionTargetFollowsRemoteMode()
    {
        ModemRig rig;
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        auto lastTarget = [&] {
            const auto log = rig.emulator().frameLog();
            for (int i = log.size() - 1; i >= 0; --i) {
                const auto &e = log.at(i);
                if (e.direction == vexo::emu::FrameLogEntry::Direction::In && e.frame.size() > 8 &&
                    e.frame[3] == 2)
                    return quint8(e.frame[7]);
            }
            return quint8(0xFF);
        };
        QVERIFY(operationwait::succeeds(s.get_device_version()));
        QCOMPARE(lastTarget(), quint8(1));
        s.setRemoteMode(true);
        QVERIFY(operationwait::succeeds(s.get_device_version()));
        QCOMPARE(lastTarget(), quint8(2));
    }

    void deviceInitialisationRepeatsOnNoLink()
    {
        EmulatorState state;
        state.initFailures = 3;
        ModemRig rig(state);
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        QVERIFY(operationwait::succeeds(s.initialize_device()));
        QCOMPARE(rig.requests(CMD_DEVICE_INIT), 4); // three times 07 00, then done
        QVERIFY(rig.prompts().calls().isEmpty());   // no message while it retries

        // Cancelled once the stick has failed twice more: false, and the retries stop.
        rig.emulator().modifyState([](EmulatorState &st) { st.initFailures = 1000; });
        QOperation *init = s.initialize_device();
        QVERIFY(operationwait::cancelWhen(init,
                                          [&] { return rig.requests(CMD_DEVICE_INIT) >= 4 + 2; }));
        QVERIFY(!operationwait::succeeds(init));
        const int tries = rig.requests(CMD_DEVICE_INIT) - 4;
        QVERIFY2(tries >= 2 && tries <= 4, qPrintable(QString::number(tries)));
        QTest::qWait(1200);
        QCOMPARE(rig.requests(CMD_DEVICE_INIT) - 4, tries);
        QCOMPARE(s.modem().currentTransaction(), TRANSACTION_NONE);
    }

    void remoteServiceModes()
    {
        ModemRig rig;
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        for (quint16 mode :
             {PARAM_UPLOAD_PARAMS_MODE, PARAM_UPDATE_FLASH_MODE, PARAM_UPLOAD_TABLE_MODE})
            QVERIFY(operationwait::succeeds(s.setModemModeParam(mode, true)));
        const EmulatorState st = rig.emulator().state();
        QVERIFY(st.uploadParamsMode && st.updateFlashMode && st.uploadTableMode);
        // The parameter write carries id low, id high, value to the modem.
        const auto log = rig.emulator().frameLog();
        QByteArray lastSet;
        for (const auto &e : log)
            if (e.direction == vexo::emu::FrameLogEntry::Direction::In && e.frame.size() == 14 &&
                quint8(e.frame[5]) == 0x04 && quint8(e.frame[6]) == 0x05)
                lastSet = e.frame;
        QCOMPARE(lastSet.mid(9, 3), QByteArray::fromHex("810001"));
        QCOMPARE(quint8(lastSet[7]), quint8(0));
        QVERIFY(operationwait::succeeds(s.setModemModeParam(PARAM_UPDATE_FLASH_MODE, false)));
        QVERIFY(!rig.emulator().state().updateFlashMode);
    }
};

QTEST_MAIN(tst_information)
#include "tst_information.moc"
