#include "commands.h"
#include "modemrig.h"
#include "ptychannel.h"
#include "qinterface_manager.h"
#include "qinterfacemessage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using vexo::emu::EmulatorState;
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

// The session and its dispatcher without a window: opening, retries, refusals, a
// stick that goes silent, and the search that follows.
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
};

QTEST_MAIN(tst_modemsession)
#include "tst_modemsession.moc"
