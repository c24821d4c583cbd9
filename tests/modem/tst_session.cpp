#include "commands.h"
#include "modemrig.h"
#include "ptychannel.h"
#include "qinterface_manager.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using vexo::emu::EmulatorState;
using vexo::emu::FrameLogEntry;
using Kind = ScriptedPrompts::Kind;

namespace
{
// Command words of the requests the device received, in order.
QList<quint16> requestWords(const vexo::emu::Emulator &emu)
{
    QList<quint16> words;
    for (const FrameLogEntry &e : emu.frameLog()) {
        if (e.direction != FrameLogEntry::Direction::In || e.frame.size() < 9)
            continue;
        words << quint16(quint8(e.frame[e.frame[3] == 1 ? 7 : 5]) |
                         quint8(e.frame[e.frame[3] == 1 ? 8 : 6]) << 8);
    }
    return words;
}
} // namespace

// Opening a session and the dispatcher's handling of every kind of answer, with the
// emulated stick on a pseudo-terminal and the prompts scripted.
class tst_session : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void opensOnTheThirdPort()
    {
        PtyChannel silent1, silent2;
        QVERIFY(silent1.open());
        QVERIFY(silent2.open());
        EmulatorState state;
        state.modemVersion = {2, 1, 5, 7};
        state.functions = 0x02;
        state.protocols = 0x03;
        ModemRig rig(state);
        QVERIFY(rig.open({silent1.slavePath(), silent2.slavePath()}));
        QModemSession &s = rig.session();
        QInterface_Manager *manager = s.interfaceManager();
        QCOMPARE(manager->portName(), rig.emulator().slavePath());
        QCOMPARE(manager->ack_timeout(), 3000);
        QCOMPARE(manager->retry_count(), 3);
        QCOMPARE(s.modem().version(), QByteArray::fromHex("02010507"));
        QCOMPARE(s.modem().functions(), quint8(0x02));
        QCOMPARE(s.modem().protocols(), quint8(0x03));
        QCOMPARE(s.modem().protectionMode(), PROTECTION_OFF);
        QCOMPARE(s.modem().currentTransaction(), TRANSACTION_NONE);
        // Version, functions, access state, then the table: in this order.
        const QList<quint16> words = requestWords(rig.emulator());
        QVERIFY(words.size() >= 4);
        QCOMPARE(words.mid(0, 4),
                 (QList<quint16>{QUERY_IDENT, CMD_GET_PARAM, QUERY_FUNCTIONS, CMD_GET_PROTECTION}));
        QVERIFY(rig.prompts().done());
    }

    void statusAnswers()
    {
        ModemRig rig;
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        const auto uploadTable = [&s](bool on) {
            return s.setModemModeParam(PARAM_UPLOAD_TABLE_MODE, on);
        };

        // 08 2A: still running, a progress poll a second later, then done; an operation that
        // shows the percentage moves its bar.
        rig.emulator().forceStatus(CMD_SET_PARAM, 0x08, 0x2A);
        auto *shown = qobject_cast<QLineOperation *>(uploadTable(true));
        QVERIFY(shown);
        shown->setRunningShown(true);
        QSignalSpy progress(shown, &QOperation::progressChanged);
        QVERIFY(operationwait::succeeds(shown));
        QVERIFY(rig.waitIdle());
        QCOMPARE(progress.size(), 1);
        QCOMPARE(progress.first().first().toInt(), 42);
        QCOMPARE(rig.requests(CMD_GET_PROGRESS), 1);

        // 01 01 is a wrong answer: No ends the operation, nothing else is shown.
        rig.emulator().forceStatus(CMD_SET_PARAM, 0x01, 0x01);
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::No);
        QVERIFY(!operationwait::succeeds(uploadTable(false))); // the switch is refused
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.prompts().texts().last(),
                 QString("Принят неверный ответ от USB-stick. Повторить попытку?"));

        // 09 00: no privileges, then the access state is read again.
        const int protectionBefore = rig.requests(CMD_GET_PROTECTION);
        rig.emulator().forceStatus(CMD_SET_PARAM, 0x09, 0x00);
        rig.prompts().expectMessage(Kind::Warning, "Нет авторизации", QMessageBox::Ok);
        QVERIFY(!operationwait::succeeds(uploadTable(false)));
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.prompts().texts().last(),
                 QString("У вас отсутствуют привилегии для выполнения этой команды"));
        QTRY_COMPARE(rig.requests(CMD_GET_PROTECTION), protectionBefore + 1);
        QVERIFY(rig.waitIdle());

        // 07 00 outside a table transfer: the repeat question; Yes sends it again.
        rig.emulator().forceStatus(CMD_SET_PARAM, 0x07, 0x00);
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Yes);
        const int sets = rig.requests(CMD_SET_PARAM);
        QVERIFY(operationwait::succeeds(uploadTable(false)));
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.requests(CMD_SET_PARAM), sets + 2);
        QVERIFY(!rig.emulator().state().uploadTableMode);

        // 0A: the actuator failed; the failure first, then its message.
        rig.emulator().forceStatus(CMD_SET_PARAM, 0x0A, 0x00);
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!operationwait::succeeds(uploadTable(true)));
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.prompts().texts().last(),
                 QString("Конечное устройство не смогло успешно выполнить команду"));
        QVERIFY(rig.prompts().done());
    }

    void runningWithoutProgressEnds()
    {
        ModemRig rig;
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        const auto uploadTable = [&s] {
            return s.setModemModeParam(PARAM_UPLOAD_TABLE_MODE, true);
        };

        // Progress, however slow, keeps an operation going.
        s.setStalledRunningLimit(3);
        rig.emulator().forceStatus(CMD_SET_PARAM, 0x08, 10);
        rig.emulator().forceStatus(CMD_GET_PROGRESS, 0x08, 10, 2);
        auto *slow = qobject_cast<QLineOperation *>(uploadTable());
        QVERIFY(slow);
        slow->setRunningShown(true);
        QSignalSpy progress(slow, &QOperation::progressChanged);
        connect(slow, &QOperation::progressChanged, this, [&] {
            if (progress.size() == 3)
                rig.emulator().forceStatus(CMD_GET_PROGRESS, 0x08, 20, 3);
            else if (progress.size() == 6)
                rig.emulator().forceStatus(CMD_GET_PROGRESS, 0x01, 0x00);
        });
        QVERIFY(operationwait::succeeds(slow));
        QList<int> percents;
        for (const QList<QVariant> &p : progress)
            percents << p.first().toInt();
        QCOMPARE(percents, (QList<int>{10, 10, 10, 20, 20, 20}));
        QCOMPARE(rig.requests(CMD_GET_PROGRESS), 6);

        // None: given up after the limit, said, and nothing polled after.
        const QRegularExpression said("^USB-stick уже \\d+ с сообщает, что команда выполняется, "
                                      "но её выполнение остановилось на 42%. Операция "
                                      "прервана. Если USB-stick не отвечает на следующие "
                                      "команды, отключите его от компьютера и подключите снова.$");
        for (int limit : {3, int(QModemSession::StalledRunningLimit)}) {
            s.setStalledRunningLimit(limit);
            const int polls = rig.requests(CMD_GET_PROGRESS);
            rig.emulator().forceStatus(CMD_SET_PARAM, 0x08, 42);
            rig.emulator().forceStatus(CMD_GET_PROGRESS, 0x08, 42, -1);
            rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
            QElapsedTimer clock;
            clock.start();
            QCOMPARE(operationwait::outcome(uploadTable()), QOperation::Failed);
            QVERIFY2(rig.prompts().texts().last().contains(said),
                     qPrintable(rig.prompts().texts().last()));
            QCOMPARE(rig.requests(CMD_GET_PROGRESS), polls + limit);
            QVERIFY(clock.elapsed() >= (limit - 1) * 1000);
            QTest::qWait(1500);
            QCOMPARE(rig.requests(CMD_GET_PROGRESS), polls + limit);
            rig.emulator().clearFaults();
        }
        QVERIFY(s.modem().connected());
        QVERIFY(operationwait::succeeds(uploadTable()));
        QVERIFY(rig.prompts().done());
    }

    void wrongChecksumOffersARepeat()
    {
        ModemRig rig;
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        const QString question = "Принят неверный ответ от USB-stick. Повторить попытку?";

        rig.emulator().corruptChecksums(1);
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Yes);
        QVERIFY(operationwait::succeeds(s.get_modem_functions()));
        QCOMPARE(rig.requests(QUERY_FUNCTIONS), 3); // the session's, the broken, the repeat

        rig.emulator().corruptChecksums(1);
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::No);
        QVERIFY(!operationwait::succeeds(s.get_modem_functions()));
        QCOMPARE(rig.prompts().texts(), (QStringList{question, question}));
        QVERIFY(s.modem().connected()); // a wrong answer does not end the session
        QVERIFY(rig.prompts().done());
    }

    void foundRemoteAnsweringAnotherRequestIsAWrongAnswer()
    {
        ModemRig rig;
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        // The last request of the session was not a found-remote poll.
        QCOMPARE(QRS232Message(s.interfaceManager()->last_command()).command() ==
                     CMD_GET_FOUND_REMOTE,
                 false);
        QRS232Message stray;
        stray.make_data_frame(ANS_FOUND_REMOTE, TARGET_DEVICE, "\x12\x34\x56\x00", 4);
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::No);
        s.rs232_cmd_income(stray.frame());
        QCOMPARE(rig.prompts().texts(),
                 QStringList{"Принят неверный ответ от USB-stick. Повторить попытку?"});
        QVERIFY(s.modem().connected()); // not taken for a stick that stopped answering
        QVERIFY(rig.prompts().done());
    }

    void silentStickClosesAndReopensTheSession()
    {
        ModemRig rig;
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        s.interfaceManager()->set_ack_timeout(300); // the value is not what is tested here
        QSignalSpy status(s.interfaceManager(), &QInterface_Manager::signal_interface_status);
        rig.emulator().dropAnswers(4); // the first try and its three repeats
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!operationwait::succeeds(s.get_modem_functions()));
        QCOMPARE(rig.prompts().texts(),
                 QStringList{"Usb-stick не отвечает. Проверьте подключение."});
        QVERIFY(!s.modem().connected());
        QTRY_VERIFY(!status.isEmpty());
        QCOMPARE(status.first().first().toBool(), false); // the port was closed
        // The search starts again by itself and finds the stick, which answers now.
        QVERIFY(rig.waitOpenings(2));
        QCOMPARE(s.interfaceManager()->ack_timeout(), 3000);
        QVERIFY(rig.requests(QUERY_IDENT) >= 2);
        QVERIFY(status.size() >= 2);
        QVERIFY(rig.prompts().done());
    }

    void notConnectedSendsNothing()
    {
        ModemRig rig;
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        s.modem().setConnected(false);
        const int before = rig.emulator().frameLog().size();
        QVERIFY(!s.get_modem_version());
        QVERIFY(!s.get_modem_functions());
        QVERIFY(!s.get_modem_privilegies());
        QVERIFY(!s.get_version());
        // Command slots outside their transaction stay silent too.
        s.modem().setConnected(true);
        s.set_modem_param(PARAM_UPLOAD_PARAMS_MODE, 1);
        s.request_modem_progress();
        s.send_devinit_message();
        QTest::qWait(200);
        QCOMPARE(rig.emulator().frameLog().size(), before);
    }
};

QTEST_MAIN(tst_session)
#include "tst_session.moc"
