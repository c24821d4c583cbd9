#include "portopener.h"
#include "ptychannel.h"
#include "qautoconnecttool.h"
#include "qinterface_manager.h"

#include <QtTest>

#include <atomic>
#include <ctime>
#include <memory>

namespace
{
QByteArray identAnswer(quint8 mark)
{
    QRS232Message m;
    m.make_short_frame(0, 0x21, 0x12, 0x07, mark, 0x02, 0x01);
    return m.frame();
}

// A device end that counts the probes it gets and may answer them.
struct Peer {
    PtyChannel pty;
    int probes = 0;
    QByteArray answer;

    Peer()
    {
        pty.open();
        QObject::connect(&pty, &PtyChannel::received, [this](const QByteArray &b) {
            if (b.contains(QByteArray::fromHex("7EFF030108000020120000000068 39"))) {
                ++probes;
                if (!answer.isEmpty())
                    pty.write(answer);
            }
        });
    }
};
} // namespace

class tst_autoconnect : public QObject
{
    Q_OBJECT
private slots:
    void stickOnTheThirdPort()
    {
        Peer silent1, silent2, stick;
        stick.answer = identAnswer(0x56);
        QInterface_Manager manager;
        auto *tool = new QAutoConnectTool(
            nullptr, &manager,
            {silent1.pty.slavePath(), silent2.pty.slavePath(), stick.pty.slavePath()}, false);
        QSignalSpy found(tool, &QAutoConnectTool::signalPortFound);
        QSignalSpy closed(tool, &QAutoConnectTool::signalClosePort);
        QVERIFY(tool->start_search(true));
        QVERIFY(found.wait(5000));
        QCOMPARE(found.first().first().toString(), stick.pty.slavePath());
        QCOMPARE(silent1.probes, 1);
        QCOMPARE(silent2.probes, 1);
        QCOMPARE(stick.probes, 1);
        QCOMPARE(closed.size(), 2);
        QCOMPARE(closed.first().first().toString(), "Закрыт порт " + silent1.pty.slavePath());
        // Left open on the found port with the normal time-out and retries.
        QVERIFY(manager.interfaceStatus());
        QCOMPARE(manager.portName(), stick.pty.slavePath());
        QCOMPARE(manager.ack_timeout(), 3000);
        QCOMPARE(manager.retry_count(), 3);
        QCOMPARE(tool->probeValue(), quint16(0x5607));
        QCOMPARE(tool->probeWord3(), quint16(0x0102));
        delete tool;
        QVERIFY(manager.interfaceStatus());
    }

    void wrongMarkMovesOn()
    {
        Peer impostor, stick;
        impostor.answer = identAnswer(0x57);
        stick.answer = identAnswer(0x56);
        QInterface_Manager manager;
        QAutoConnectTool tool(nullptr, &manager, {impostor.pty.slavePath(), stick.pty.slavePath()},
                              false);
        QSignalSpy found(&tool, &QAutoConnectTool::signalPortFound);
        QVERIFY(tool.start_search(true));
        QVERIFY(found.wait(5000));
        QCOMPARE(found.first().first().toString(), stick.pty.slavePath());
        QCOMPARE(impostor.probes, 1);
    }

    void noAnswerAnywhereEndsThePass()
    {
        Peer silent;
        QInterface_Manager manager;
        {
            QAutoConnectTool tool(nullptr, &manager,
                                  {silent.pty.slavePath(), "/dev/ttyVexoMissing3"}, false);
            QSignalSpy none(&tool, &QAutoConnectTool::signalNoPortFound);
            QVERIFY(tool.start_search(true));
            QVERIFY(none.wait(5000));
            QCOMPARE(silent.probes, 1);
            QVERIFY(!manager.interfaceStatus());
            QCOMPARE(manager.ack_timeout(), 500);
            QCOMPARE(manager.retry_count(), 0);
        }
        // The tool gives the manager its normal settings back.
        QCOMPARE(manager.ack_timeout(), 3000);
        QCOMPARE(manager.retry_count(), 3);
    }

    void emptyListWaitsBeforeTheNextPass()
    {
        QInterface_Manager manager;
        QAutoConnectTool tool(nullptr, &manager, {}, false);
        QSignalSpy none(&tool, &QAutoConnectTool::signalNoPortFound);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(tool.start_search(true));
        QVERIFY(none.wait(2 * QAutoConnectTool::EMPTY_LIST_DELAY_MS));
        // No busy loop of empty passes: the report waits out the delay (a coarse timer may
        // fire up to 5 % early).
        const qint64 waited = clock.elapsed();
        QVERIFY2(waited >= QAutoConnectTool::EMPTY_LIST_DELAY_MS * 19 / 20,
                 qPrintable(QString::number(waited)));
        QCOMPARE(none.size(), 1);
    }

    void restartWhileOpenClosesFirst()
    {
        Peer stick;
        stick.answer = identAnswer(0x56);
        QInterface_Manager manager;
        QAutoConnectTool tool(nullptr, &manager, {stick.pty.slavePath()}, false);
        QSignalSpy found(&tool, &QAutoConnectTool::signalPortFound);
        QVERIFY(tool.start_search(true));
        QVERIFY(found.wait(5000));
        QVERIFY(tool.start_search(true));
        QVERIFY(found.wait(5000));
        QCOMPARE(stick.probes, 2);
    }

    void refusedPortIsReportedAndPassedOver()
    {
        // Tests run as root, so the refusal is the system's answer played by the opener.
        Peer refused, stick;
        stick.answer = identAnswer(0x56);
        const QString refusedPath = refused.pty.slavePath();
        std::atomic<int> opened{0};
        QInterface_Manager manager;
        manager.setPortOpener([&](QSerialPort &port, const QString &name) {
            if (name == refusedPath)
                return QSerialPort::PermissionError;
            ++opened;
            return openSerialPort(port, name);
        });
        QAutoConnectTool tool(nullptr, &manager, {refusedPath, stick.pty.slavePath()}, false);
        QSignalSpy denied(&tool, &QAutoConnectTool::signalPortAccessDenied);
        QSignalSpy found(&tool, &QAutoConnectTool::signalPortFound);
        QVERIFY(tool.start_search(true));
        QVERIFY(found.wait(5000));
        QCOMPARE(found.first().first().toString(), stick.pty.slavePath());
        QCOMPARE(denied.size(), 1);
        QCOMPARE(denied.first().first().toString(), refusedPath);
        QCOMPARE(refused.probes, 0);
        QCOMPARE(opened.load(), 1);
        QCOMPARE(manager.openError(), QSerialPort::NoError);
    }

    void portsThatFailOtherwiseAreNoPermissionProblem()
    {
        // A missing device, and a port another program holds: joining a group would help
        // with neither.
        Peer busy;
        QSerialPort holder;
        holder.setPortName(busy.pty.slavePath());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        QInterface_Manager manager;
        QAutoConnectTool tool(nullptr, &manager, {"/dev/ttyVexoMissing5", busy.pty.slavePath()},
                              false);
        QSignalSpy denied(&tool, &QAutoConnectTool::signalPortAccessDenied);
        QSignalSpy none(&tool, &QAutoConnectTool::signalNoPortFound);
        QList<QSerialPort::SerialPortError> errors;
        connect(&manager, &QInterface_Manager::signal_interface_status, &tool,
                [&](bool on) { errors << (on ? QSerialPort::NoError : manager.openError()); });
        QVERIFY(tool.start_search(true));
        QVERIFY(none.wait(5000));
        QCOMPARE(denied.size(), 0);
        QCOMPARE(errors.size(), 2);
        QCOMPARE(errors.at(0), QSerialPort::DeviceNotFoundError);
        QCOMPARE(errors.at(1), QSerialPort::OpenError);
        QCOMPARE(busy.probes, 0);
    }

    void portHeldByAnotherProgramIsNamedAndFoundOnceFree()
    {
        // The holder's lock (QSerialPort's lock file) keeps the search out as another
        // program's would; the search names the port at each pass and goes on.
        Peer stick;
        stick.answer = identAnswer(0x56);
        const QString path = stick.pty.slavePath();
        auto holder = std::make_unique<QSerialPort>();
        holder->setPortName(path);
        QVERIFY(holder->open(QIODevice::ReadWrite));
        QInterface_Manager manager;
        QAutoConnectTool tool(nullptr, &manager, {path}, false);
        QSignalSpy busy(&tool, &QAutoConnectTool::signalPortBusy);
        QSignalSpy denied(&tool, &QAutoConnectTool::signalPortAccessDenied);
        QSignalSpy found(&tool, &QAutoConnectTool::signalPortFound);
        // As the session does: another pass after each one without a stick.
        connect(
            &tool, &QAutoConnectTool::signalNoPortFound, &tool, [&] { tool.start_search(true); },
            Qt::QueuedConnection);
        QVERIFY(tool.start_search(true));
        QTRY_VERIFY_WITH_TIMEOUT(busy.size() >= 2, 5000);
        QCOMPARE(busy.first().first().toString(), path);
        QCOMPARE(stick.probes, 0);
        QVERIFY(found.isEmpty());

        holder.reset(); // the other program lets go
        QVERIFY(found.wait(5000));
        QCOMPARE(found.first().first().toString(), path);
        QCOMPARE(stick.probes, 1);
        QCOMPARE(denied.size(), 0);
    }

    void missingPortCostsOneOpenAPass()
    {
        // Pass after pass over a port that is not there, restarted as the window does: one
        // failed open each, paced by the delay between ports, and next to no CPU.
        QInterface_Manager manager;
        QAutoConnectTool tool(nullptr, &manager, {"/dev/ttyVexoGone9"}, false);
        int passes = 0;
        int opens = 0;
        connect(&manager, &QInterface_Manager::signal_interface_status, &tool, [&](bool on) {
            if (!on)
                ++opens;
        });
        connect(
            &tool, &QAutoConnectTool::signalNoPortFound, &tool,
            [&] {
                ++passes;
                tool.start_search(true);
            },
            Qt::QueuedConnection);
        timespec t0, t1;
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t0);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(tool.start_search(true));
        QTRY_VERIFY_WITH_TIMEOUT(passes >= 10, 50 * QAutoConnectTool::NEXT_PORT_DELAY_MS);
        const qint64 elapsed = clock.elapsed();
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t1);
        const double cpu = (t1.tv_sec - t0.tv_sec) + (t1.tv_nsec - t0.tv_nsec) / 1e9;
        // Each pass waits out the delay (a coarse timer may fire up to 5 % early).
        QVERIFY2((passes - 1) * QAutoConnectTool::NEXT_PORT_DELAY_MS * 19 / 20 <= elapsed,
                 qPrintable(QString("%1 passes in %2 ms").arg(passes).arg(elapsed)));
        QVERIFY2(opens >= passes && opens <= passes + 1, qPrintable(QString::number(opens)));
        QVERIFY2(cpu < 0.25 * elapsed / 1000.0, qPrintable(QString::number(cpu)));
    }
};

QTEST_GUILESS_MAIN(tst_autoconnect)
#include "tst_autoconnect.moc"
