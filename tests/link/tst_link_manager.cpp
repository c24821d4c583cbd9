#include "ptychannel.h"
#include "qinterface_manager.h"
#include "quietwait.h"
#include "rs232_port.h"

#include <QMutex>
#include <QtTest>

#include <atomic>
#include <ctime>
#include <functional>

namespace
{
// Splits what the program wrote into unescaped frames, as a device would.
class FrameCollector
{
public:
    QList<QByteArray> feed(const QByteArray &bytes)
    {
        QList<QByteArray> done;
        for (char c : bytes) {
            if (buf.isEmpty() && c != '\x7E')
                continue;
            if (!buf.isEmpty() && !esc && c == '\x7D') {
                esc = true;
                continue;
            }
            esc = false;
            buf.append(c);
            if (buf.size() > 4 && buf.size() >= quint8(buf[4]) + 7) {
                done.append(buf);
                buf.clear();
            }
        }
        return done;
    }

private:
    QByteArray buf;
    bool esc = false;
};

QByteArray status(quint8 code, quint8 detail)
{
    QRS232Message m;
    const char p[2] = {char(code), char(detail)};
    m.make_data_frame(0x0009, 0, p, 2);
    return m.frame();
}

double cpuSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

QRS232Message request(quint16 command)
{
    QRS232Message m;
    m.make_data_frame(command, 0, nullptr, 0);
    m.set_answer_code(1);
    return m;
}

// The link's debug lines as they are written, from either thread; Qt Test's own handler
// still gets them, so ignoreMessage() works as before.
class LinkLines
{
public:
    LinkLines()
    {
        s_next = qInstallMessageHandler(&LinkLines::handle);
        s_self = this;
    }
    ~LinkLines()
    {
        s_self = nullptr;
        qInstallMessageHandler(s_next);
    }
    bool contains(const QString &text) const
    {
        QMutexLocker l(&m_lock);
        return !m_lines.filter(text).isEmpty();
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        LinkLines *self = s_self;
        if (self && qstrcmp(context.category, "vexo.link") == 0) {
            QMutexLocker l(&self->m_lock);
            self->m_lines.append(text);
        }
        s_next(type, context, text);
    }

    static inline std::atomic<LinkLines *> s_self = nullptr;
    static inline QtMessageHandler s_next = nullptr;
    mutable QMutex m_lock;
    QStringList m_lines;
};
} // namespace

using quietwait::past;
using quietwait::staysFalse;

class tst_link_manager : public QObject
{
    Q_OBJECT

    PtyChannel *device = nullptr;
    QInterface_Manager *manager = nullptr;
    FrameCollector collector;
    QList<QByteArray> seen;                              // frames the device received
    std::function<QByteArray(const QByteArray &)> reply; // empty answer = stay silent
    QStringList logLines;

    void startOn(const QString &path)
    {
        QSignalSpy status(manager, &QInterface_Manager::signal_interface_status);
        manager->set_port(path, 4800, 0);
        manager->start_interface();
        QVERIFY(status.wait(3000));
        QCOMPARE(status.first().first().toBool(), true);
    }

private slots:
    void init()
    {
        device = new PtyChannel;
        QVERIFY(device->open());
        seen.clear();
        logLines.clear();
        collector = FrameCollector();
        reply = [](const QByteArray &) { return status(1, 0); };
        connect(device, &PtyChannel::received, this, [this](const QByteArray &b) {
            for (const QByteArray &f : collector.feed(b)) {
                seen.append(f);
                const QByteArray answer = reply(f);
                if (!answer.isEmpty())
                    device->write(LinkCodec::escape(answer));
            }
        });
        manager = new QInterface_Manager;
        connect(manager, &QInterface_Manager::signal_log_buffer, this,
                [this](const QString &line, const QByteArray &) { logLines.append(line); });
    }

    void cleanup()
    {
        delete manager;
        delete device;
    }

    void exchangeAndSequenceNumbers()
    {
        startOn(device->slavePath());
        QCOMPARE(logLines, QStringList{"Открыт порт " + device->slavePath()});
        QSignalSpy income(manager, &QInterface_Manager::signal_proc_incoming_message);
        for (int i = 1; i <= 9; ++i) {
            QRS232Message cmd = request(0x0303);
            QVERIFY(manager->send_command(cmd));
            QVERIFY(income.wait(2000));
            QCOMPARE(income.last().first().toByteArray(), status(1, 0));
            QTRY_VERIFY(manager->is_free());
            // Sequence numbers run 1..7, 0, 1 in bits 4..6 of byte 8.
            QCOMPARE((quint8(seen.last()[8]) >> 4) & 7, i % 8);
            QCOMPARE(QRS232Message(manager->last_command()).command(), quint16(0x0303));
        }
        QCOMPARE(logLines.last(), QString("HOST -> DEV #9 "));

        // Short frames are not numbered and do not advance the counter.
        QRS232Message probe;
        probe.make_short_frame(0, 0x20, 0x12, 0, 0, 0, 0);
        const QByteArray probeBytes = probe.frame();
        reply = [](const QByteArray &) { return QByteArray(); };
        // The stopped probe holds the next command back for one time-out: not what is
        // tested here.
        manager->set_ack_timeout(300);
        QVERIFY(manager->send_command(probe));
        QTRY_COMPARE(seen.size(), 10);
        QCOMPARE(seen.last(), probeBytes);
        QVERIFY(manager->stop_command());
        reply = [](const QByteArray &) { return status(1, 0); };
        QRS232Message next = request(0x0303);
        QVERIFY(manager->send_command(next));
        QTRY_COMPARE(seen.size(), 11);
        QCOMPARE((quint8(seen.last()[8]) >> 4) & 7, 2);
    }

    void busyManagerRefuses()
    {
        reply = [](const QByteArray &) { return QByteArray(); };
        startOn(device->slavePath());
        QRS232Message first = request(0x0303);
        QVERIFY(manager->send_command(first));
        const QStringList before = logLines;
        QRS232Message second = request(0x0403);
        const QByteArray secondBytes = second.frame();
        QVERIFY(!manager->send_command(second));
        QCOMPARE(logLines, before);
        QCOMPARE(second.frame(), secondBytes); // no sequence number was taken either
        QVERIFY(!manager->is_free());
    }

    void fourTimeoutsGiveOneAckTimeout()
    {
        // The real values, 3000 ms and 3 retries: the one test that waits them out, where
        // every other test shortens the time-out.
        reply = [](const QByteArray &) { return QByteArray(); };
        startOn(device->slavePath());
        QCOMPARE(manager->ack_timeout(), 3000);
        QCOMPARE(manager->retry_count(), 3);
        QSignalSpy timeouts(manager, &QInterface_Manager::signal_ack_timeout);
        QRS232Message cmd = request(0x0303);
        QVERIFY(manager->send_command(cmd));
        QVERIFY(timeouts.wait(int(manager->give_up_ms() + manager->ack_timeout())));
        // Given up: a further try or report would come within one more time-out.
        QVERIFY(staysFalse([&] { return timeouts.size() > 1 || seen.size() > 4; },
                           past(manager->ack_timeout())));
        QCOMPARE(timeouts.size(), 1);
        QCOMPARE(seen.size(), 4);
        QCOMPARE(logLines.mid(1),
                 QStringList({"HOST -> DEV #1 ", "<b>RETRY</b> HOST -> DEV #1 ",
                              "<b>RETRY</b> HOST -> DEV #1 ", "<b>RETRY</b> HOST -> DEV #1 "}));
        // The command stays available for a later repeat.
        QVERIFY(manager->is_free());
        QVERIFY(manager->repeat_command());
        QTRY_COMPARE(seen.size(), 5);
    }

    void commandCarriesItsOwnTimeout()
    {
        // A command with factor 4 is waited for four time-outs per try; the next one,
        // without a factor, for one.
        reply = [](const QByteArray &) { return QByteArray(); };
        startOn(device->slavePath());
        manager->set_ack_timeout(100);
        manager->set_retry_count(0);
        QSignalSpy timeouts(manager, &QInterface_Manager::signal_ack_timeout);
        QRS232Message slow = request(0x0503);
        slow.set_timeout_factor(4);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(manager->send_command(slow));
        QCOMPARE(manager->command_timeout(), 400);
        QVERIFY(timeouts.wait(3000));
        QVERIFY2(clock.elapsed() >= 380, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(manager->command_timeout(), 100); // nothing out: the plain one
        QRS232Message quick = request(0x0303);
        clock.restart();
        QVERIFY(manager->send_command(quick));
        QVERIFY(timeouts.wait(3000));
        QVERIFY2(clock.elapsed() < 380, qPrintable(QString::number(clock.elapsed())));
    }

    void whenFreeWaitsForTheAnswerOrDropsTheCommand()
    {
        reply = [](const QByteArray &) { return QByteArray(); };
        startOn(device->slavePath());
        // Free now: at once, nothing dropped.
        int calls = 0;
        bool dropped = true;
        manager->whenFree(this, [&](bool d) { ++calls, dropped = d; });
        QCOMPARE(calls, 1);
        QVERIFY(!dropped);

        // Answered: heard after the answer has been delivered, and only once.
        manager->set_ack_timeout(2000);
        QRS232Message cmd = request(0x0303);
        QVERIFY(manager->send_command(cmd));
        QSignalSpy income(manager, &QInterface_Manager::signal_proc_incoming_message);
        bool deliveredFirst = false;
        calls = 0;
        dropped = true;
        manager->whenFree(this, [&](bool d) {
            ++calls, dropped = d;
            deliveredFirst = income.size() == 1;
        });
        QTRY_COMPARE_WITH_TIMEOUT(seen.size(), 1, 2000);
        device->write(LinkCodec::escape(status(1, 0)));
        QTRY_COMPARE(calls, 1);
        QVERIFY(!dropped && deliveredFirst);

        // A command that went out under a minute's time-out, waited for after it was
        // lowered: dropped once the link would give it up now.
        manager->set_ack_timeout(60000);
        QRS232Message stuck = request(0x0403);
        const int written = int(seen.size());
        QVERIFY(manager->send_command(stuck));
        QTRY_COMPARE_WITH_TIMEOUT(seen.size(), written + 1, 2000);
        manager->set_ack_timeout(100);
        manager->set_retry_count(1);
        QElapsedTimer clock;
        clock.start();
        calls = 0;
        manager->whenFree(this, [&](bool d) { ++calls, dropped = d; });
        QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 5000);
        QVERIFY(dropped);
        QVERIFY(manager->is_free());
        QVERIFY(clock.elapsed() < 5000);

        // A waiter whose context is gone hears nothing.
        QRS232Message another = request(0x0303);
        QVERIFY(manager->send_command(another));
        calls = 0;
        auto *context = new QObject;
        manager->whenFree(context, [&](bool) { ++calls; });
        delete context;
        QSignalSpy free(manager, &QInterface_Manager::signal_line_free);
        QVERIFY(free.wait(3000));
        QCOMPARE(calls, 0);
    }

    void stopCommandEndsRetries()
    {
        reply = [](const QByteArray &) { return QByteArray(); };
        startOn(device->slavePath());
        manager->set_ack_timeout(300);
        QSignalSpy timeouts(manager, &QInterface_Manager::signal_ack_timeout);
        QRS232Message cmd = request(0x0303);
        QVERIFY(manager->send_command(cmd));
        QTRY_COMPARE_WITH_TIMEOUT(seen.size(), 2, 2000); // first repeat on the wire
        QVERIFY(manager->stop_command());
        QVERIFY(!manager->stop_command());
        // The tries left would all have gone out and been given up by now.
        QVERIFY(staysFalse([&] { return seen.size() > 2 || !timeouts.isEmpty(); },
                           past(manager->give_up_ms())));
        QCOMPARE(seen.size(), 2);
        QCOMPARE(timeouts.size(), 0);
        QCOMPARE(logLines.filter("RETRY").size(), 1);
        QVERIFY(!manager->repeat_command()); // nothing left to repeat
    }

    void missingPortReportsClosed()
    {
        QSignalSpy status(manager, &QInterface_Manager::signal_interface_status);
        manager->set_port("/dev/ttyVexoMissing7", 4800, 0);
        manager->start_interface();
        QVERIFY(status.wait(3000));
        QCOMPARE(status.first().first().toBool(), false);
        QVERIFY(logLines.filter("Открыт порт ").isEmpty());
        // Commands sent now stay queued and nothing happens, not even within the time a
        // command is tried for (shortened: its length is not what is tested).
        manager->set_ack_timeout(100);
        QSignalSpy timeouts(manager, &QInterface_Manager::signal_ack_timeout);
        QRS232Message cmd = request(0x0303);
        QVERIFY(manager->send_command(cmd));
        QVERIFY(staysFalse([&] { return manager->is_free() || !timeouts.isEmpty(); },
                           past(manager->give_up_ms())));
        QVERIFY(!manager->is_free());
        QVERIFY(manager->stop_command());
        manager->stop_interface();
        QCOMPARE(status.size(), 1); // no second report: it was never open
    }

    void stopAndRestartReportStatus()
    {
        startOn(device->slavePath());
        QSignalSpy status(manager, &QInterface_Manager::signal_interface_status);
        manager->start_interface(); // restart while running
        QTRY_COMPARE(status.size(), 2);
        QCOMPARE(status.at(0).first().toBool(), false);
        QCOMPARE(status.at(1).first().toBool(), true);
        manager->stop_interface();
        QTRY_COMPARE(status.size(), 3);
        QCOMPARE(status.at(2).first().toBool(), false);
        QCOMPARE(manager->logic_state(), LOGIC_PORT_CLOSED);
    }

    void commandDuringUnaskedFrameIsNotWritten()
    {
        reply = [](const QByteArray &) { return QByteArray(); };
        startOn(device->slavePath());
        QSignalSpy income(manager, &QInterface_Manager::signal_proc_incoming_message);
        const QByteArray unasked = status(1, 0);
        device->write(unasked.left(4));
        QTRY_COMPARE(manager->logic_state(), LOGIC_RECEIVE);
        QRS232Message cmd = request(0x0104);
        QVERIFY(manager->send_command(cmd));
        // The device pauses mid-frame, well inside the byte gap: the command stays in.
        QVERIFY(staysFalse([&] { return !seen.isEmpty(); }, rs232_port::BYTE_GAP_MS / 4));
        device->write(unasked.mid(4));
        QVERIFY(income.wait(2000));
        QCOMPARE(income.first().first().toByteArray(), unasked);
        QTRY_VERIFY(manager->is_free());
        // A command handed over goes out one turnaround after the line falls quiet; half a
        // byte gap is many turnarounds.
        QVERIFY(staysFalse([&] { return !seen.isEmpty(); }, rs232_port::BYTE_GAP_MS / 2));
        QCOMPARE(QRS232Message(manager->last_command()).command(), quint16(0x0104));
        QVERIFY(manager->repeat_command());
        QTRY_COMPARE(seen.size(), 1);
        QCOMPARE(QRS232Message(QInterfaceMessage(nullptr, seen.first())).command(),
                 quint16(0x0104));
    }

    void waitForCommandTakesAFurtherFrame()
    {
        startOn(device->slavePath());
        QSignalSpy income(manager, &QInterface_Manager::signal_proc_incoming_message);
        QRS232Message cmd = request(0x0503);
        QVERIFY(manager->send_command(cmd));
        QVERIFY(income.wait(2000));
        QTRY_COMPARE(manager->logic_state(), LOGIC_IDLE);
        QVERIFY(manager->wait_for_command());
        QVERIFY(!manager->wait_for_command());
        QCOMPARE(manager->logic_state(), LOGIC_RECEIVE);
        device->write(status(8, 50));
        QVERIFY(income.wait(2000));
        QCOMPARE(income.last().first().toByteArray(), status(8, 50));
    }

    void sendAnswerWritesNothing()
    {
        startOn(device->slavePath());
        QRS232Message ans;
        ans.make_data_frame(0x0009, 0, "\x01\x00", 2);
        QVERIFY(manager->send_answer(ans));
        // Whatever it wrote would reach the device before the next command.
        QSignalSpy income(manager, &QInterface_Manager::signal_proc_incoming_message);
        QRS232Message cmd = request(0x0303);
        QVERIFY(manager->send_command(cmd));
        QVERIFY(income.wait(2000));
        QCOMPARE(seen.size(), 1);
        QCOMPARE(QRS232Message(QInterfaceMessage(nullptr, seen.first())).command(),
                 quint16(0x0303));
    }

    void commandHandedOverWhileTheAnswerIsDelivered()
    {
        // The next command is sent from the slot that receives the answer, as the table
        // read does; each answer names the sequence number of its request.
        QElapsedTimer sinceAnswer;
        qint64 shortestTurnaround = 1000000;
        reply = [&](const QByteArray &f) {
            if (sinceAnswer.isValid())
                shortestTurnaround = qMin(shortestTurnaround, sinceAnswer.elapsed());
            sinceAnswer.start();
            return status(quint8(f[8]) >> 4, 0);
        };
        startOn(device->slavePath());
        QList<QByteArray> answers;
        bool refused = false;
        connect(manager, &QInterface_Manager::signal_proc_incoming_message, this,
                [&](const QByteArray &f) {
                    answers.append(f);
                    QRS232Message next = request(0x0303);
                    if (answers.size() < 6 && !manager->send_command(next))
                        refused = true;
                });
        QRS232Message first = request(0x0303);
        QVERIFY(manager->send_command(first));
        QTRY_COMPARE(answers.size(), 6);
        QVERIFY(!refused);
        QCOMPARE(seen.size(), 6);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(answers.at(i), status(quint8(i + 1), 0));
        QVERIFY(logLines.filter("RETRY").isEmpty());
        QVERIFY2(shortestTurnaround >= rs232_port::TURNAROUND_MS,
                 qPrintable(QString::number(shortestTurnaround)));
    }

    void furtherFrameArrivesWhileTheAnswerIsDelivered()
    {
        // The further frame is on the line before the receiver of the first answer has
        // asked for it; it must still be delivered, not dropped as answering nothing.
        startOn(device->slavePath());
        QList<QByteArray> answers;
        connect(manager, &QInterface_Manager::signal_proc_incoming_message, this,
                [&](const QByteArray &f) {
                    answers.append(f);
                    if (answers.size() > 1)
                        return;
                    device->write(status(8, 50));
                    QThread::msleep(300); // the worker thread reads it meanwhile
                    manager->wait_for_command();
                });
        QRS232Message cmd = request(0x0503);
        QVERIFY(manager->send_command(cmd));
        QTRY_COMPARE(answers.size(), 2);
        QCOMPARE(answers.last(), status(8, 50));
    }

    void noiseOnAnIdleLineRepeatsNothing()
    {
        startOn(device->slavePath());
        QSignalSpy income(manager, &QInterface_Manager::signal_proc_incoming_message);
        QSignalSpy timeouts(manager, &QInterface_Manager::signal_ack_timeout);
        QRS232Message clear = request(0x0106);
        QVERIFY(manager->send_command(clear));
        QVERIFY(income.wait(2000));
        QTRY_VERIFY(manager->is_free());
        LinkLines lines;
        QLoggingCategory::setFilterRules("vexo.link.debug=true");

        // A stray byte, the start of a frame that never ends, and a whole frame that
        // answers nothing: none of them reaches the session or sends the clear again.
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("noise on an idle line"));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("incomplete frame on an idle line"));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("frame that answers nothing"));
        device->write(QByteArray(1, '\x55'));
        device->write(QByteArray::fromHex("7EFF03"));
        QTRY_VERIFY_WITH_TIMEOUT(lines.contains("incomplete frame on an idle line"),
                                 past(rs232_port::BYTE_GAP_MS));
        device->write(status(1, 0));
        QTRY_VERIFY(lines.contains("frame that answers nothing"));
        QLoggingCategory::setFilterRules(QString());
        QCOMPARE(seen.size(), 1);
        QCOMPARE(income.size(), 1);
        QCOMPARE(timeouts.size(), 0);
        QVERIFY(logLines.filter("RETRY").isEmpty());
        QRS232Message next = request(0x0303);
        QVERIFY(manager->send_command(next));
        QVERIFY(income.wait(2000));
        QCOMPARE(seen.size(), 2);
    }

    void lateAnswerToARepeatIsDropped()
    {
        // The first answer comes late, after the repeat has been answered; the next request
        // must not take it for its own.
        const QByteArray a = status(0x11, 0);
        const QByteArray b = status(0x22, 0);
        reply = [&](const QByteArray &) {
            switch (seen.size()) {
            case 1:
                QTimer::singleShot(2000, device, [&] { device->write(a); });
                return QByteArray();
            case 3:
                QTimer::singleShot(1000, device, [&] { device->write(b); });
                return QByteArray();
            default:
                return a; // the repeat, and later a request whose answer is the same
            }
        };
        startOn(device->slavePath());
        manager->set_ack_timeout(1500);
        QSignalSpy income(manager, &QInterface_Manager::signal_proc_incoming_message);
        QSignalSpy timeouts(manager, &QInterface_Manager::signal_ack_timeout);
        QRS232Message first = request(0x0303);
        QVERIFY(manager->send_command(first));
        QVERIFY(income.wait(4000));
        QRS232Message second = request(0x0403);
        QVERIFY(manager->send_command(second));
        QVERIFY(income.wait(4000));
        QCOMPARE(income.at(1).first().toByteArray(), b);
        // Only as many frames as there were repeats are dropped.
        QRS232Message third = request(0x0503);
        QVERIFY(manager->send_command(third));
        QVERIFY(income.wait(4000));
        QCOMPARE(income.at(2).first().toByteArray(), a);
        QCOMPARE(income.size(), 3);
        QCOMPARE(timeouts.size(), 0);
        QCOMPARE(seen.size(), 4);
    }

    void lateCopyOfALateAnswerIsDropped()
    {
        // Both the first answer and the answer to its repeat come late; the copy arrives
        // more than a time-out after the first, while a later request waits.
        const QByteArray a = status(0x11, 0);
        const QByteArray b = status(0x22, 0);
        const QByteArray c = status(0x33, 0);
        const int delays[] = {1200, 1500, 900, 800};
        const QByteArray answers[] = {a, a, b, c};
        reply = [&](const QByteArray &) {
            const qsizetype i = qMin<qsizetype>(seen.size(), 4) - 1;
            QTimer::singleShot(delays[i], device,
                               [this, frame = answers[i]] { device->write(frame); });
            return QByteArray();
        };
        startOn(device->slavePath());
        manager->set_ack_timeout(1000);
        QSignalSpy income(manager, &QInterface_Manager::signal_proc_incoming_message);
        QSignalSpy timeouts(manager, &QInterface_Manager::signal_ack_timeout);
        for (quint16 command : {0x0303, 0x0403, 0x0503}) {
            QRS232Message m = request(command);
            QVERIFY(manager->send_command(m));
            QVERIFY(income.wait(4000));
        }
        // Nothing more is on its way; a wrong repeat or report would come within a time-out.
        QVERIFY(
            staysFalse([&] { return income.size() > 3 || !timeouts.isEmpty() || seen.size() > 4; },
                       past(manager->ack_timeout())));
        QCOMPARE(income.size(), 3);
        QCOMPARE(income.at(1).first().toByteArray(), b);
        QCOMPARE(income.at(2).first().toByteArray(), c);
        QCOMPARE(timeouts.size(), 0);
        QCOMPARE(seen.size(), 4);
    }

    void lostAnswerLeavesNoChainOfDrops()
    {
        // The first answer is lost and the repeat is answered; the copy that was expected
        // never comes. The same request, with the same answer, then goes out three times
        // more: the expected copy may cost one of them a repeat, but no more.
        const QByteArray a = status(0x11, 0);
        reply = [&](const QByteArray &) { return seen.size() == 1 ? QByteArray() : a; };
        startOn(device->slavePath());
        manager->set_ack_timeout(300);
        QSignalSpy income(manager, &QInterface_Manager::signal_proc_incoming_message);
        QSignalSpy timeouts(manager, &QInterface_Manager::signal_ack_timeout);
        for (int i = 0; i < 4; ++i) {
            QRS232Message m = request(0x0303);
            QVERIFY(manager->send_command(m));
            QVERIFY(income.wait(4000));
        }
        QCOMPARE(income.size(), 4);
        QCOMPARE(timeouts.size(), 0);
        QCOMPARE(seen.size(), 6);
    }

    void answerToAStoppedCommandIsNotTakenForTheNext()
    {
        // The device answers every request late; the first request is stopped (a cancelled
        // operation) and another goes out at once.
        const QByteArray a = status(0x11, 0);
        const QByteArray b = status(0x22, 0);
        reply = [&](const QByteArray &) {
            const QByteArray answer = seen.size() == 1 ? a : b;
            QTimer::singleShot(400, device, [this, answer] { device->write(answer); });
            return QByteArray();
        };
        startOn(device->slavePath());
        QSignalSpy income(manager, &QInterface_Manager::signal_proc_incoming_message);
        QRS232Message first = request(0x0303);
        QVERIFY(manager->send_command(first));
        QTRY_COMPARE(seen.size(), 1);
        QVERIFY(manager->stop_command());
        QRS232Message second = request(0x0403);
        QVERIFY(manager->send_command(second));
        QVERIFY(income.wait(4000));
        QCOMPARE(income.first().first().toByteArray(), b);
        QCOMPARE(seen.size(), 2);
        // With the line quiet, the held command goes out after one time-out at the latest.
        reply = [&](const QByteArray &) { return b; };
        QRS232Message third = request(0x0503);
        QVERIFY(manager->send_command(third));
        QVERIFY(manager->stop_command());
        QRS232Message fourth = request(0x0603);
        QVERIFY(manager->send_command(fourth));
        QVERIFY(income.wait(5000));
        QCOMPARE(income.size(), 2);
    }

    void deviceGoneWhileIdle()
    {
        startOn(device->slavePath());
        QSignalSpy lost(manager, &QInterface_Manager::signal_port_lost);
        QSignalSpy timeouts(manager, &QInterface_Manager::signal_ack_timeout);
        QSignalSpy status(manager, &QInterface_Manager::signal_interface_status);
        device->close();
        QVERIFY(lost.wait(2000));
        // A hung-up line must not keep the worker busy: a loop on it would show within two
        // byte gaps, the worker's own pace on a line.
        const double cpu0 = cpuSeconds();
        QElapsedTimer watched;
        watched.start();
        QVERIFY(staysFalse([&] { return lost.size() > 1 || !timeouts.isEmpty(); },
                           2 * rs232_port::BYTE_GAP_MS));
        const double cpu = cpuSeconds() - cpu0;
        QVERIFY2(cpu < 0.25 * watched.elapsed() / 1000.0, qPrintable(QString::number(cpu)));
        QCOMPARE(lost.size(), 1);
        QCOMPARE(timeouts.size(), 0);
        // A command sent now ends at once instead of being repeated on a line that is gone.
        QRS232Message cmd = request(0x0303);
        QVERIFY(manager->send_command(cmd));
        QVERIFY(timeouts.wait(1000));
        QVERIFY(manager->is_free());
        QCOMPARE(lost.size(), 1);
        QVERIFY(logLines.filter("RETRY").isEmpty());
        manager->stop_interface();
        QCOMPARE(status.size(), 1); // closed once
    }

    void deviceGoneWithACommandOutstanding()
    {
        reply = [](const QByteArray &) { return QByteArray(); };
        startOn(device->slavePath());
        // Shortened so the silence after is quick to show; still far above a hang-up's report.
        manager->set_ack_timeout(1000);
        QStringList events;
        connect(manager, &QInterface_Manager::signal_port_lost, this,
                [&] { events.append("lost"); });
        connect(manager, &QInterface_Manager::signal_ack_timeout, this,
                [&] { events.append("timeout"); });
        QRS232Message cmd = request(0x0303);
        QVERIFY(manager->send_command(cmd));
        QTRY_COMPARE(seen.size(), 1);
        QElapsedTimer clock;
        clock.start();
        device->close();
        QTRY_COMPARE_WITH_TIMEOUT(events.size(), 2, 2500);
        QVERIFY(clock.elapsed() < manager->ack_timeout());
        QCOMPARE(events, QStringList({"lost", "timeout"}));
        // No repeat on a line that is gone, so no second report after its time-out.
        QVERIFY(staysFalse([&] { return events.size() > 2; }, past(manager->ack_timeout())));
        QVERIFY(logLines.filter("RETRY").isEmpty());
        QCOMPARE(QRS232Message(manager->last_command()).command(), quint16(0x0303));
    }
};

QTEST_GUILESS_MAIN(tst_link_manager)
#include "tst_link_manager.moc"
