#include "ptychannel.h"
#include "qinterfacemessage.h"
#include "rs232_port.h"

#include <QtTest>

// The port worker driven step by step from the test, with the test playing the device on
// the master side of a pseudo-terminal.
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

    // Lets the bytes cross the pseudo-terminal, then runs one worker step.
    INTERFACE_LOGIC_STATE_T step()
    {
        QTest::qWait(15);
        return port->proc();
    }

    INTERFACE_LOGIC_STATE_T steps(int n)
    {
        INTERFACE_LOGIC_STATE_T s = LOGIC_IDLE;
        for (int i = 0; i < n; ++i)
            s = step();
        return s;
    }

    void sendCommand()
    {
        port->set_command(frame(0x0303, {}));
        QCOMPARE(port->proc(), LOGIC_WAIT_ANSWER);
        QTRY_VERIFY(!fromProgram.isEmpty());
        fromProgram.clear();
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
        QCOMPARE(p.port_number(), -1);
        QCOMPARE(p.proc(), LOGIC_PORT_CLOSED);
        // The number is the first run of digits of the name.
        const QString path = device->slavePath();
        QCOMPARE(port->port_number(), path.mid(path.lastIndexOf('/') + 1).toInt());
        QCOMPARE(port->baudRate(), 4800);
        port->close_port();
        QCOMPARE(port->port_number(), -1);
    }

    void commandIsEscapedOnTheWire()
    {
        port->set_command(frame(0x0103, QByteArray::fromHex("7E7D00")));
        QCOMPARE(port->proc(), LOGIC_WAIT_ANSWER);
        QTRY_VERIFY(fromProgram.size() >= 16);
        QCOMPARE(fromProgram, LinkCodec::escape(frame(0x0103, QByteArray::fromHex("7E7D00"))));
    }

    void answerInPiecesWithGaps()
    {
        sendCommand();
        const QByteArray answer = frame(0x3109, QByteArray(64, 'A'));
        device->write(answer.left(3));
        QCOMPARE(steps(9), LOGIC_WAIT_ANSWER);
        device->write(answer.mid(3, 30));
        QCOMPARE(steps(9), LOGIC_WAIT_ANSWER);
        device->write(answer.mid(33));
        QCOMPARE(step(), LOGIC_ANSWER_READY);
        QCOMPARE(port->take_answer(), answer);
        QCOMPARE(port->logic_state(), LOGIC_IDLE);
    }

    void gapOfTenStepsCutsTheFrame()
    {
        sendCommand();
        const QByteArray answer = frame(0x0009, QByteArray::fromHex("0100"));
        device->write(answer.left(6));
        QCOMPARE(steps(9), LOGIC_WAIT_ANSWER);
        QCOMPARE(step(), LOGIC_TIMEOUT);
        // The late rest is not glued to the dropped start.
        port->set_logic_state(LOGIC_IDLE);
        device->write(answer.mid(6));
        QCOMPARE(step(), LOGIC_RECEIVE);
        QCOMPARE(steps(10), LOGIC_TIMEOUT);
    }

    void garbageBeforeAFrame()
    {
        sendCommand();
        const QByteArray answer = frame(0x0009, QByteArray::fromHex("0100"));
        device->write(QByteArray::fromHex("00017D11FF") + answer);
        QCOMPARE(step(), LOGIC_ANSWER_READY);
        QCOMPARE(port->take_answer(), answer);
    }

    void escapedBytesAreStoredOnce()
    {
        sendCommand();
        const QByteArray answer = frame(0x3109, QByteArray::fromHex("7E7D7E"));
        device->write(LinkCodec::escape(answer));
        QCOMPARE(step(), LOGIC_ANSWER_READY);
        QCOMPARE(port->take_answer(), answer);
    }

    void idleGarbageTimesOut()
    {
        device->write(QByteArray::fromHex("010203"));
        QCOMPARE(step(), LOGIC_RECEIVE);
        QCOMPARE(steps(9), LOGIC_RECEIVE);
        QCOMPARE(step(), LOGIC_TIMEOUT);
    }

    void backToBackFramesOneAtATime()
    {
        sendCommand();
        const QByteArray first = frame(0x0009, QByteArray::fromHex("0100"));
        const QByteArray second = frame(0x3109, QByteArray(64, 'B'));
        device->write(first + second);
        QCOMPARE(step(), LOGIC_ANSWER_READY);
        // Not taken yet: the worker holds still and the second frame waits in the device.
        QCOMPARE(steps(3), LOGIC_ANSWER_READY);
        QCOMPARE(port->take_answer(), first);
        QCOMPARE(step(), LOGIC_RECEIVE);
        QCOMPARE(step(), LOGIC_MESSAGE_READY);
        QCOMPARE(port->take_incoming(), second);
        QCOMPARE(port->logic_state(), LOGIC_IDLE);
    }

    void lengthByteBoundsTheFrame()
    {
        // The biggest length byte gives 262 bytes; the rest starts the hunt for a new frame.
        sendCommand();
        QByteArray big = QByteArray::fromHex("7EFF0302FF") + QByteArray(257, '\x11');
        device->write(big + QByteArray(300, '\x22'));
        QCOMPARE(step(), LOGIC_ANSWER_READY);
        QCOMPARE(port->take_answer(), big);
        QCOMPARE(step(), LOGIC_RECEIVE);
        QCOMPARE(steps(10), LOGIC_TIMEOUT); // no 0x7E in the tail: nothing is stored
    }

    void startReceiveOnlyFromIdle()
    {
        QVERIFY(port->start_receive());
        QCOMPARE(port->logic_state(), LOGIC_RECEIVE);
        QVERIFY(!port->start_receive());
        const QByteArray msg = frame(0x0009, QByteArray::fromHex("0100"));
        device->write(msg);
        QCOMPARE(step(), LOGIC_MESSAGE_READY);
        QCOMPARE(port->take_answer(), QByteArray()); // wrong kind: state unchanged
        QCOMPARE(port->logic_state(), LOGIC_MESSAGE_READY);
        QCOMPARE(port->take_incoming(), msg);
    }

    void answerTimeoutInSteps()
    {
        port->set_answer_timeout(500); // 10 steps
        sendCommand();
        QCOMPARE(steps(8), LOGIC_WAIT_ANSWER);
        QCOMPARE(step(), LOGIC_TIMEOUT);
    }
};

QTEST_GUILESS_MAIN(tst_link_port)
#include "tst_link_port.moc"
