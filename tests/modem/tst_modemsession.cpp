#include "commands.h"
#include "modemrig.h"
#include "ptychannel.h"
#include "qinterface_manager.h"
#include "qinterfacemessage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using vexo::emu::EmulatorState;
using vexo::emu::FrameLogEntry;
using Kind = ScriptedPrompts::Kind;

namespace
{
// A port whose device answers every probe with a frame that fails its checksum.
struct GarbagePort {
    PtyChannel pty;
    int probes = 0;

    GarbagePort()
    {
        pty.open();
        QObject::connect(&pty, &PtyChannel::received, [this](const QByteArray &) {
            ++probes;
            QRS232Message m;
            m.make_short_frame(0, 0x21, 0x12, 0x07, 0x56, 0x02, 0x01);
            QByteArray frame = m.frame();
            frame[frame.size() - 1] = char(frame.at(frame.size() - 1) ^ 0x55);
            pty.write(frame);
        });
    }
};

// Makes the stick silent as soon as a session opens on it, before its first query.
void silenceOnConnect(ModemRig &rig, int answers)
{
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = QObject::connect(&rig.session(), &QModemSession::stateChanged, [&rig, once, answers] {
        if (!rig.session().connected())
            return;
        QObject::disconnect(*once);
        rig.session().interfaceManager()->set_ack_timeout(300);
        rig.emulator().dropAnswers(answers);
    });
}

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
// What an operation ended with, kept past its deletion.
struct Ending {
    QOperation::Outcome outcome = QOperation::Running;
    QString error;
    int count = 0;

    explicit Ending(QOperation *operation)
    {
        QObject::connect(operation, &QOperation::finished, [this, operation] {
            outcome = operation->outcome();
            error = operation->errorString();
            ++count;
        });
    }
    bool wait(int ms = 5000)
    {
        return QTest::qWaitFor([this] { return count > 0; }, ms);
    }
};
} // namespace

// The session and its dispatcher without a window, with the emulated stick on a
// pseudo-terminal and the prompts scripted: opening, every kind of answer, retries,
// refusals, a stick that goes silent, and the search that follows.
class tst_modemsession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void opensWithTheStickStateRead()
    {
        EmulatorState state;
        state.modemVersion = {2, 1, 5, 7};
        state.functions = 0x02;
        state.protocols = 0x03;
        state.password = "secret";
        ModemRig rig(state);
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        QVERIFY(s.connected());
        QVERIFY(!s.searching());
        QCOMPARE(s.modem().version(), QByteArray::fromHex("02010507"));
        QVERIFY(s.modem().longRecords());
        QCOMPARE(s.modem().protocols(), quint8(3));
        QCOMPARE(s.modem().protectionMode(), PROTECTION_LOCKED);
        QCOMPARE(s.modem().currentTransaction(), TRANSACTION_NONE);
        QCOMPARE(rig.emulator().requestCount(CMD_GET_PROTECTION), 1);
        // What the status bar shows of it.
        QCOMPARE(s.stateSummary(), "USB-stick " + rig.emulator().slavePath() +
                                       ", версия 1.5.2.7, доступ пользователя, обычный режим");
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
        // Cancelled while the stick checks it: a word in the status bar, no error box.
        const auto cancel = connect(&s, &QModemSession::operationStarted, [](QOperation *op) {
            QTimer::singleShot(0, op, &QOperation::cancel);
        });
        rig.prompts().expectText("Ввод пароля", "secret");
        s.admin_mode_clicked();
        QVERIFY(rig.waitIdle());
        disconnect(cancel);
        QCOMPARE(status.value(0).value(0).toString(), QString("Авторизация отменена"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void versionNotReadAfterAFlashIsUnknownNotWrong()
    {
        ModemRig rig;
        rig.session().modem().expectFirmware(true, 9, 9);
        bool first = true;
        connect(&rig.session(), &QModemSession::operationStarted, [&first](QOperation *op) {
            if (std::exchange(first, false))
                QTimer::singleShot(0, op, &QOperation::cancel); // the opening's version query
        });
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(rig.open() && rig.waitIdle());
        QCOMPARE(rig.prompts().texts(), QStringList{"Версия USB-stick после обновления прошивки "
                                                    "неизвестна: её не удалось прочитать"});
    }

    void lostAnswerIsRepeated()
    {
        ModemRig rig;
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        s.interfaceManager()->set_ack_timeout(300);
        const int before = rig.emulator().requestCount(CMD_GET_PARAM);
        rig.emulator().dropAnswers(1);
        QVERIFY(operationwait::succeeds(s.get_modem_version()));
        QCOMPARE(rig.emulator().requestCount(CMD_GET_PARAM), before + 2);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void refusalClosesOnlyItsOwnDialogAndRereadsAccessAfterwards()
    {
        EmulatorState state;
        state.password = "secret";
        ModemRig rig(state);
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        const int asked = rig.emulator().requestCount(CMD_GET_PROTECTION);
        rig.prompts().expectMessage(Kind::Warning, "Нет авторизации", QMessageBox::Ok);
        QSignalSpy ended(s.runner(), &QOperationRunner::transactionEnded);
        QVERIFY(!operationwait::succeeds(s.start("clear", false, TRANSACTION_CLEAR_TABLE, [&] {
            s.sendDataCommand(CMD_CLEAR_TABLE, CLEAR_MODEM_TABLE);
        })));
        QCOMPARE(ended.size(), 1);
        QVERIFY(!ended.first().at(1).toBool());
        // A long operation right after: the access re-read waits until it is over.
        const int versionsBefore = rig.emulator().requestCount(CMD_GET_PARAM);
        QVERIFY(operationwait::succeeds(s.start("version", false, TRANSACTION_VERSION, [&] {
            QTest::qWait(400); // past the re-read's delay, inside this operation
            s.request_modem_param(PARAM_VERSION);
        })));
        QCOMPARE(rig.emulator().requestCount(CMD_GET_PARAM), versionsBefore + 1);
        QCOMPARE(rig.emulator().requestCount(CMD_GET_PROTECTION), asked);
        QTRY_COMPARE_WITH_TIMEOUT(rig.emulator().requestCount(CMD_GET_PROTECTION), asked + 1, 5000);
        QCOMPARE(s.modem().protectionMode(), PROTECTION_LOCKED);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void silentStickInTheFirstQueryRestartsTheSearch()
    {
        ModemRig rig;
        // The version query and its three repeats go unanswered.
        silenceOnConnect(rig, 4);
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QSignalSpy closed(&rig.session(), &QModemSession::sessionClosed);
        QVERIFY(rig.open());
        QCOMPARE(closed.size(), 1);
        QCOMPARE(rig.openings(), 1);
        QVERIFY(rig.session().connected());
        QCOMPARE(rig.prompts().texts(),
                 QStringList{"Usb-stick не отвечает. Проверьте подключение."});
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void everySearchSkipsAPortAnsweringGarbage()
    {
        GarbagePort garbage;
        ModemRig rig;
        QVERIFY(rig.open({garbage.pty.slavePath()}));
        QCOMPARE(garbage.probes, 1);
        // The stick goes silent in an operation; the search that follows meets the
        // garbage again and must pass it by without a question.
        rig.session().interfaceManager()->set_ack_timeout(300);
        rig.emulator().dropAnswers(4);
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!operationwait::succeeds(rig.session().get_modem_version()));
        QVERIFY(rig.waitOpenings(2, 20000));
        QCOMPARE(garbage.probes, 2);
        QCOMPARE(rig.session().modem().currentTransaction(), TRANSACTION_NONE);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    // A late answer draws a repeat, and the device answers both: the second copy must
    // not be taken for the answer to the next request.
    void lateAnswerIsNotTakenForTheNextOne()
    {
        ModemRig rig;
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        s.interfaceManager()->set_ack_timeout(500);
        rig.emulator().delayAnswers(1, 800);
        QVERIFY(operationwait::succeeds(s.get_modem_version()));
        // Requests go on while the late copy is still under way, then the line rests.
        QElapsedTimer busy;
        busy.start();
        while (busy.elapsed() < 2000)
            QVERIFY(operationwait::succeeds(s.get_modem_functions()));
        QTest::qWait(1000);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    // An opening that could not learn the record format must not go on with a guess:
    // the stick is found again and the session opens once the functions are known.
    void openingWithoutTheFunctionsStartsOver()
    {
        EmulatorState state;
        state.functions = 0x02; // long records
        ModemRig rig(state);
        QList<bool> openedLong;
        QObject::connect(&rig.session(), &QModemSession::sessionOpened,
                         [&] { openedLong << rig.session().modem().longRecords(); });
        rig.emulator().holdFaultsUntil(QUERY_FUNCTIONS);
        rig.emulator().corruptChecksums(1);
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::No);
        QSignalSpy closed(&rig.session(), &QModemSession::sessionClosed);
        QVERIFY(rig.open());
        QCOMPARE(closed.size(), 1);
        QCOMPARE(openedLong, QList<bool>{true});
        QCOMPARE(rig.requests(QUERY_FUNCTIONS), 2);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void unplugWhileIdleEndsTheSessionAtOnce()
    {
        ModemRig rig;
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        QSignalSpy closed(&s, &QModemSession::sessionClosed);
        rig.emulator().closeLine();
        QVERIFY(closed.wait(3000));
        QVERIFY(!s.connected());
        QTRY_VERIFY(s.searching());
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    // One operation at a time: a second is refused and never touches the first; Cancel
    // ends one with the line clean for the next; a stick that stops answering ends it as
    // lost, and says so.
    void operationsRunOneAtATime()
    {
        ModemRig rig;
        QVERIFY(rig.open());
        QModemSession &s = rig.session();
        s.interfaceManager()->set_ack_timeout(300);
        const auto version = [&] { s.request_modem_param(PARAM_VERSION); };
        const auto functions = [&] { s.sendShortCommand(SHORT_CLASS_QUERY, QUERY_FUNCTIONS >> 8); };
        const int functionsBefore = rig.requests(QUERY_FUNCTIONS);

        rig.emulator().delayAnswers(1, 150);
        QSignalSpy started(&s, &QModemSession::operationStarted);
        Ending first(s.start("first", true, TRANSACTION_VERSION, version));
        Ending second(s.start("second", true, TRANSACTION_FUNCTIONS, functions));
        QCOMPARE(started.size(), 1);
        QVERIFY(first.wait());
        QCOMPARE(first.outcome, QOperation::Succeeded);
        QTRY_COMPARE(second.count, 1);
        QCOMPARE(second.outcome, QOperation::Refused);
        QCOMPARE(second.error, QModemSession::busyText());
        QCOMPARE(rig.requests(QUERY_FUNCTIONS), functionsBefore);

        // Cancelled while its answer is still out: the late answer is not taken for the
        // next operation's, and no question is asked about it.
        rig.emulator().delayAnswers(1, 250);
        QOperation *running = s.start("cancelled", true, TRANSACTION_VERSION, version);
        Ending cancelled(running);
        QTimer::singleShot(50, running, &QOperation::cancel);
        QVERIFY(cancelled.wait());
        QCOMPARE(cancelled.outcome, QOperation::Cancelled);
        QVERIFY(!s.busy());
        QCOMPARE(s.modem().currentTransaction(), TRANSACTION_NONE);
        Ending next(s.start("next", true, TRANSACTION_FUNCTIONS, functions));
        QVERIFY(next.wait());
        QCOMPARE(next.outcome, QOperation::Succeeded);

        // Several transactions, one operation: nothing else gets in between them.
        int ends = 0;
        Ending chained(s.start("chained", false, TRANSACTION_VERSION, version, [&](bool ok) {
            ++ends;
            QVERIFY(ok);
            QVERIFY(s.start("between", false, TRANSACTION_FUNCTIONS, functions)->isFinished());
            QVERIFY(s.proceed(s.currentOperation(), TRANSACTION_FUNCTIONS, functions,
                              [&](bool ok) { ends += ok ? 10 : 100; }));
        }));
        QVERIFY(chained.wait());
        QCOMPARE(ends, 11);
        QCOMPARE(chained.outcome, QOperation::Succeeded);

        // Cancelled after an answer, before the operation went on: the next step hears of
        // it (and could give back what the first took), then the operation ends cancelled.
        ends = 0;
        QOperation *gap = s.start("gap", true, TRANSACTION_VERSION, version, [&](bool ok) {
            ends += ok ? 1 : 1000;
            s.proceed(s.currentOperation(), TRANSACTION_FUNCTIONS, functions,
                      [&](bool ok) { ends += ok ? 10 : 100; });
        });
        connect(
            s.runner(), &QOperationRunner::transactionEnded, gap, [gap] { gap->cancel(); },
            Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
        Ending cut(gap);
        QVERIFY(cut.wait());
        QCOMPARE(ends, 101);
        QCOMPARE(cut.outcome, QOperation::Cancelled);

        // The stick falls silent: the operation ends as lost, and the search follows.
        rig.emulator().dropAnswers(4);
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        Ending lost(s.start("lost", true, TRANSACTION_VERSION, version));
        QVERIFY(lost.wait());
        QCOMPARE(lost.outcome, QOperation::Lost);
        QVERIFY(!lost.error.isEmpty());
        QVERIFY(rig.waitOpenings(2));

        // Unplugged while the operation waits between its transactions: it does not end
        // silently, and the one message says what stays undone.
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        const int told = int(rig.prompts().calls().size());
        QOperation *held = s.start("held", false, TRANSACTION_VERSION, version,
                                   [&](bool) { s.hold(s.currentOperation()); });
        held->setLostText("Nothing was written.");
        Ending unplugged(held);
        QVERIFY(
            QTest::qWaitFor([&] { return s.modem().currentTransaction() == TRANSACTION_NONE; }));
        s.portLost();
        QVERIFY(unplugged.wait());
        QCOMPARE(unplugged.outcome, QOperation::Lost);
        QCOMPARE(
            rig.prompts().texts().mid(told),
            QStringList{"Usb-stick не отвечает. Проверьте подключение.\nNothing was written."});
        QVERIFY(rig.waitOpenings(3));

        // Unplugged after the answer, before the operation could go on to hold: it must not
        // wait for the gone stick for ever.
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        held = s.start("raced", false, TRANSACTION_VERSION, version,
                       [&](bool) { s.hold(s.currentOperation()); });
        connect(
            s.runner(), &QOperationRunner::transactionEnded, held,
            [&] {
                QMetaObject::invokeMethod(
                    &s, [&] { s.portLost(); }, Qt::QueuedConnection);
            },
            Qt::SingleShotConnection);
        Ending raced(held);
        QVERIFY(raced.wait());
        QCOMPARE(raced.outcome, QOperation::Lost);
        QVERIFY(rig.waitOpenings(4));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void unknownVersionShowsAsUnknown()
    {
        // A version shorter than four bytes is never indexed.
        QCOMPARE(QModemSession::formatVersion("%2.%3.%1.%4", QByteArray()), "?.?.?.?");
        QCOMPARE(QModemSession::formatVersion("%2.%3.%1.%4", QByteArray::fromHex("0301")),
                 "?.?.?.?");
        QCOMPARE(QModemSession::formatVersion("%2.%3.%1.%4", QByteArray::fromHex("02010507")),
                 "1.5.2.7");
    }

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

QTEST_MAIN(tst_modemsession)
#include "tst_modemsession.moc"
