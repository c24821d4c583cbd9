#include "ptychannel.h"
#include "qinterface_manager.h"

#include <QtTest>

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

QRS232Message request(quint16 command)
{
    QRS232Message m;
    m.make_data_frame(command, 0, nullptr, 0);
    m.set_answer_code(1);
    return m;
}
} // namespace

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
        // The real values: 3000 ms and 3 retries.
        reply = [](const QByteArray &) { return QByteArray(); };
        startOn(device->slavePath());
        QCOMPARE(manager->ack_timeout(), 3000);
        QCOMPARE(manager->retry_count(), 3);
        QSignalSpy timeouts(manager, &QInterface_Manager::signal_ack_timeout);
        QRS232Message cmd = request(0x0303);
        QVERIFY(manager->send_command(cmd));
        QVERIFY(timeouts.wait(15000));
        QTest::qWait(3500);
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
        QTest::qWait(1500);
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
        // Commands sent now stay queued and nothing happens.
        QRS232Message cmd = request(0x0303);
        QVERIFY(manager->send_command(cmd));
        QTest::qWait(200);
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
        QTest::qWait(150);
        device->write(unasked.mid(4));
        QVERIFY(income.wait(2000));
        QCOMPARE(income.first().first().toByteArray(), unasked);
        QTRY_VERIFY(manager->is_free());
        QTest::qWait(200);
        QVERIFY(seen.isEmpty());
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
        QTest::qWait(200);
        QVERIFY(seen.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_link_manager)
#include "tst_link_manager.moc"
