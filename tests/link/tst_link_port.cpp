#include "ptychannel.h"
#include "qinterfacemessage.h"
#include "quietwait.h"
#include "rs232_port.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

using quietwait::past;
using quietwait::staysFalse;

// The port worker driven by the bytes the test, playing the device on the master side of
// a pseudo-terminal, writes and by the time that passes between them. The device's pauses
// are fractions of the byte gap: they are what is tested, not waits for an event.
class tst_link_port : public QObject
{
    Q_OBJECT

    PtyChannel *device = nullptr;
    rs232_port *port = nullptr;
    QByteArray fromProgram;

    static QByteArray frame(quint16 command, const QByteArray &payload)
    {
        QRS232Message m;
        m.make_data_frame(command, 0, payload.constData(), int(payload.size()));
        return m.frame();
    }

    void sendCommand()
    {
        QVERIFY(port->set_command(frame(0x0303, {})));
        port->proc();
        QCOMPARE(port->logic_state(), LOGIC_WAIT_ANSWER);
        QTRY_VERIFY(!fromProgram.isEmpty());
        fromProgram.clear();
    }

    // Milliseconds from now until the worker reaches the state; -1 if it does not.
    qint64 msUntil(INTERFACE_LOGIC_STATE_T state)
    {
        QElapsedTimer clock;
        clock.start();
        return QTest::qWaitFor([&] { return port->logic_state() == state; }, 15000)
                   ? clock.elapsed()
                   : -1;
    }

private slots:
    void init()
    {
        device = new PtyChannel;
        QVERIFY(device->open());
        connect(device, &PtyChannel::received, this,
                [this](const QByteArray &b) { fromProgram += b; });
        port = new rs232_port;
        port->set_answer_timeout(3000);
        QVERIFY(port->open_port(device->slavePath(), 4800, 0));
        fromProgram.clear();
    }

    void cleanup()
    {
        delete port;
        delete device;
    }

    void openChecks()
    {
        rs232_port p;
        QVERIFY(!p.open_port(QString(), 4800, 0));
        QVERIFY(!p.open_port("NONE", 4800, 0));
        QVERIFY(!p.open_port("COM_NONE7", 4800, 0));
        QVERIFY(!p.open_port("ttyUSB", 4800, 0));
        QVERIFY(!p.open_port("/dev/ttyVexoMissing42", 4800, 0));
        QCOMPARE(p.portNumber(), -1);
        QCOMPARE(p.proc(), LOGIC_PORT_CLOSED);
        // The number is the first run of digits of the name.
        const QString path = device->slavePath();
        QCOMPARE(port->portNumber(), path.mid(path.lastIndexOf('/') + 1).toInt());
        QCOMPARE(port->baudRate(), 4800);
        port->close_port();
        QCOMPARE(port->portNumber(), -1);

        // A name without a digit, like a udev link, is opened all the same.
        QString base = QDir::tempPath();
        if (base.contains(QRegularExpression("[0-9]")))
            base = "/tmp";
        QString dir = base + "/vexo-link-";
        for (int i = 0; i < 8; ++i)
            dir += QChar('a' + QRandomGenerator::global()->bounded(26));
        QVERIFY(QDir().mkpath(dir));
        const QString link = dir + "/vexo";
        QVERIFY(QFile::link(path, link));
        const bool opened = p.open_port(link, 4800, 0);
        QFile::remove(link);
        QDir().rmdir(dir);
        QVERIFY(opened);
        QCOMPARE(p.portNumber(), 0);
        QVERIFY(p.set_command(frame(0x0303, {})));
        QCOMPARE(p.proc(), LOGIC_WAIT_ANSWER);
        QTRY_COMPARE(fromProgram, LinkCodec::escape(frame(0x0303, {})));
    }

    void commandIsEscapedOnTheWire()
    {
        QVERIFY(port->set_command(frame(0x0103, QByteArray::fromHex("7E7D00"))));
        QCOMPARE(port->proc(), LOGIC_WAIT_ANSWER);
        QTRY_VERIFY(fromProgram.size() >= 16);
        QCOMPARE(fromProgram, LinkCodec::escape(frame(0x0103, QByteArray::fromHex("7E7D00"))));
    }

    void answerInPiecesWithGaps()
    {
        // Each gap stays under the limit, though together they exceed it.
        sendCommand();
        const QByteArray answer = frame(0x3109, QByteArray(64, 'A'));
        const int pause = rs232_port::BYTE_GAP_MS * 3 / 5;
        device->write(answer.left(3));
        QTest::qWait(pause);
        QCOMPARE(port->logic_state(), LOGIC_WAIT_ANSWER);
        device->write(answer.mid(3, 30));
        QTest::qWait(pause);
        QCOMPARE(port->logic_state(), LOGIC_WAIT_ANSWER);
        device->write(answer.mid(33));
        QTRY_COMPARE(port->logic_state(), LOGIC_ANSWER_READY);
        QCOMPARE(port->take_answer(), answer);
        QCOMPARE(port->logic_state(), LOGIC_IDLE);
    }

    void gapCutsTheFrame()
    {
        port->set_answer_timeout(10000); // so only the gap can end the reception
        sendCommand();
        const QByteArray answer = frame(0x0009, QByteArray::fromHex("0100"));
        device->write(answer.left(6));
        const qint64 cut = msUntil(LOGIC_TIMEOUT);
        QVERIFY2(cut >= rs232_port::BYTE_GAP_MS && cut < 5000, qPrintable(QString::number(cut)));
        // The late rest is not glued to the dropped start: without a flag byte it is noise.
        port->setLogicState(LOGIC_IDLE);
        port->proc();
        device->write(answer.mid(6));
        QVERIFY(staysFalse([&] { return port->logic_state() != LOGIC_IDLE; },
                           past(rs232_port::BYTE_GAP_MS)));
        QVERIFY(port->start_receive());
        device->write(answer);
        QTRY_COMPARE(port->logic_state(), LOGIC_MESSAGE_READY);
        QCOMPARE(port->take_incoming(), answer);
    }

    void lastByteExactlyAtTheGapLimit()
    {
        // The gap runs from the latest byte, not from the start of the frame, and a byte that
        // is on the line when it runs out counts even if the worker has not read it yet.
        sendCommand();
        const QByteArray answer = frame(0x3109, QByteArray(20, 'G'));
        device->write(answer.left(4));
        QTest::qWait(rs232_port::BYTE_GAP_MS * 7 / 10);
        device->write(answer.mid(4, answer.size() - 5));
        // The last gap is a whole byte gap: its first part with the worker running, by
        // when the frame began more than a gap ago, the rest with it held.
        const int running = rs232_port::BYTE_GAP_MS * 3 / 5;
        QTest::qWait(running);
        QCOMPARE(port->logic_state(), LOGIC_WAIT_ANSWER);
        QThread::msleep(rs232_port::BYTE_GAP_MS - running);
        device->write(answer.right(1));
        QTRY_VERIFY(port->logic_state() != LOGIC_WAIT_ANSWER);
        QCOMPARE(port->logic_state(), LOGIC_ANSWER_READY);
        QCOMPARE(port->take_answer(), answer);
    }

    void garbageBeforeAFrame()
    {
        sendCommand();
        const QByteArray answer = frame(0x0009, QByteArray::fromHex("0100"));
        device->write(QByteArray::fromHex("00017D11FF") + answer);
        QTRY_COMPARE(port->logic_state(), LOGIC_ANSWER_READY);
        QCOMPARE(port->take_answer(), answer);
    }

    void escapedBytesAreStoredOnce()
    {
        sendCommand();
        const QByteArray answer = frame(0x3109, QByteArray::fromHex("7E7D7E"));
        device->write(LinkCodec::escape(answer));
        QTRY_COMPARE(port->logic_state(), LOGIC_ANSWER_READY);
        QCOMPARE(port->take_answer(), answer);
    }

    void idleNoiseIsDroppedAndAPartialFrameTimesOut()
    {
        port->set_answer_timeout(10000);
        QSignalSpy read(port, &QIODevice::readyRead);
        device->write(QByteArray::fromHex("010203"));
        QVERIFY(read.wait(2000)); // looked at by now: the worker reads as the port signals
        QCOMPARE(port->pendingInput(), 0);
        QCOMPARE(port->logic_state(), LOGIC_IDLE);
        device->write(QByteArray::fromHex("7EFF03"));
        QTRY_COMPARE(port->logic_state(), LOGIC_RECEIVE);
        const qint64 cut = msUntil(LOGIC_TIMEOUT);
        QVERIFY2(cut >= 0 && cut < 5000, qPrintable(QString::number(cut)));
    }

    void answerTogetherWithTheStartOfGarbage()
    {
        // One read brings the whole answer and what follows it: the answer is ready at once
        // and whole, the rest is looked at only after it has been taken.
        port->set_answer_timeout(10000);
        sendCommand();
        const QByteArray answer = frame(0x3109, QByteArray(64, 'C'));
        port->takeBytes(answer + QByteArray::fromHex("7EFF0302"));
        QCOMPARE(port->logic_state(), LOGIC_ANSWER_READY); // not after a byte gap
        QVERIFY(staysFalse([&] { return port->logic_state() != LOGIC_ANSWER_READY; },
                           past(rs232_port::BYTE_GAP_MS)));
        QCOMPARE(port->take_answer(), answer);
        QCOMPARE(port->proc(), LOGIC_RECEIVE);
        const qint64 cut = msUntil(LOGIC_TIMEOUT);
        QVERIFY2(cut >= 0 && cut < 5000, qPrintable(QString::number(cut)));

        // Without a flag byte the rest is noise and the next command goes out at once.
        port->setLogicState(LOGIC_IDLE);
        sendCommand();
        device->write(answer + QByteArray::fromHex("00112233"));
        QTRY_COMPARE(port->logic_state(), LOGIC_ANSWER_READY);
        QCOMPARE(port->take_answer(), answer);
        QCOMPARE(port->proc(), LOGIC_IDLE);
        QVERIFY(port->set_command(frame(0x0403, {})));
        port->proc();
        QTRY_COMPARE(fromProgram, LinkCodec::escape(frame(0x0403, {})));
    }

    void twoFramesInOneRead()
    {
        sendCommand();
        const QByteArray first = frame(0x0009, QByteArray::fromHex("0100"));
        const QByteArray second = frame(0x3109, QByteArray(64, 'B'));
        device->write(first + second);
        QTRY_COMPARE(port->logic_state(), LOGIC_ANSWER_READY);
        // Not taken yet: the worker holds still and the second frame waits, even past the
        // byte gap that would end a reception.
        QVERIFY(staysFalse([&] { return port->logic_state() != LOGIC_ANSWER_READY; },
                           past(rs232_port::BYTE_GAP_MS)));
        QCOMPARE(port->take_answer(), first);
        QCOMPARE(port->proc(), LOGIC_MESSAGE_READY);
        QCOMPARE(port->take_incoming(), second);
        QCOMPARE(port->logic_state(), LOGIC_IDLE);
    }

    void lengthByteBoundsTheFrame()
    {
        // The biggest length byte gives 262 bytes; the rest starts the hunt for a new frame.
        sendCommand();
        QByteArray big = QByteArray::fromHex("7EFF0302FF") + QByteArray(257, '\x11');
        device->write(big + QByteArray(300, '\x22'));
        QTRY_COMPARE(port->logic_state(), LOGIC_ANSWER_READY);
        QCOMPARE(port->take_answer(), big);
        QCOMPARE(port->proc(), LOGIC_IDLE); // no 0x7E in the tail: nothing is stored
        QVERIFY(staysFalse([&] { return port->logic_state() != LOGIC_IDLE; },
                           past(rs232_port::BYTE_GAP_MS)));
    }

    void floodWhileAFrameWaitsIsBounded()
    {
        // A device that keeps sending while its answer is not taken: what waits stays
        // bounded, the oldest goes, it is logged, and the newest frame still arrives.
        sendCommand();
        const QByteArray answer = frame(0x0009, QByteArray::fromHex("0100"));
        const QByteArray last = frame(0x3109, QByteArray(64, 'L'));
        const QByteArray flood(20000, '\x22');
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("received bytes beyond 2048 waiting without a "
                                                "frame taken: the oldest are dropped"));
        device->write(answer + flood + last);
        QTRY_COMPARE(port->pendingInput() + port->droppedInput(),
                     qsizetype(flood.size() + last.size()));
        QCOMPARE(port->logic_state(), LOGIC_ANSWER_READY);
        QCOMPARE(port->pendingInput(), qsizetype(rs232_port::INPUT_LIMIT));
        QCOMPARE(port->take_answer(), answer);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("dropped \\d+ received bytes in all"));
        QCOMPARE(port->proc(), LOGIC_MESSAGE_READY);
        QCOMPARE(port->take_incoming(), last);
        QCOMPARE(port->pendingInput(), 0);
        // The line works on as before, the request going out once the device has had its
        // turnaround.
        QCOMPARE(port->proc(), LOGIC_IDLE);
        QVERIFY(port->set_command(frame(0x0303, {})));
        port->proc();
        QTRY_COMPARE(port->logic_state(), LOGIC_WAIT_ANSWER);
        QTRY_COMPARE(fromProgram, LinkCodec::escape(frame(0x0303, {})));
        device->write(answer);
        QTRY_COMPARE(port->logic_state(), LOGIC_ANSWER_READY);
        QCOMPARE(port->take_answer(), answer);
    }

    void startReceiveOnlyFromIdle()
    {
        QVERIFY(port->start_receive());
        QCOMPARE(port->logic_state(), LOGIC_RECEIVE);
        QVERIFY(!port->start_receive());
        const QByteArray msg = frame(0x0009, QByteArray::fromHex("0100"));
        device->write(msg);
        QTRY_COMPARE(port->logic_state(), LOGIC_MESSAGE_READY);
        QCOMPARE(port->take_answer(), QByteArray()); // wrong kind: state unchanged
        QCOMPARE(port->logic_state(), LOGIC_MESSAGE_READY);
        QCOMPARE(port->take_incoming(), msg);
        QVERIFY(!port->set_command(QByteArray()));
    }

    void answerTimeoutRunsFromTheWrite()
    {
        port->set_answer_timeout(600);
        QElapsedTimer clock;
        clock.start();
        sendCommand();
        QTRY_COMPARE_WITH_TIMEOUT(port->logic_state(), LOGIC_TIMEOUT, 15000);
        QVERIFY2(clock.elapsed() >= 600, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(tst_link_port)
#include "tst_link_port.moc"
