#include "qinterfacemessage.h"

#include <QtTest>

namespace
{
QByteArray hex(const char *s)
{
    return QByteArray::fromHex(s);
}

QRS232Message dataFrame(quint16 command, quint16 target, const QByteArray &payload)
{
    QRS232Message m;
    m.make_data_frame(command, target, payload.constData(), int(payload.size()));
    return m;
}

QRS232Message received(const QByteArray &frame)
{
    QRS232Message m(nullptr, frame);
    return m;
}
} // namespace

class tst_link_frames : public QObject
{
    Q_OBJECT
private slots:
    void checksumVectors()
    {
        QCOMPARE(QRS232Message::crc("abc", 3), quint16(0xB788));
        QCOMPARE(QSlipMessage::crc("123456789\0\0", 11), quint16(0xFEE8));
    }

    void probeFrame()
    {
        QRS232Message probe;
        probe.make_short_frame(0, 0x20, 0x12, 0, 0, 0, 0);
        QCOMPARE(probe.frame(), hex("7EFF030108000020120000000068 39"));
        QCOMPARE(probe.command(), quint16(0x1220));
        QVERIFY(!probe.need_answer());

        QRS232Message in = received(probe.frame());
        QCOMPARE(in.parse(), 0);
        QVERIFY(!in.is_data_frame());
        QCOMPARE(in.command(), quint16(0x1220));
        QCOMPARE(in.word0(), quint16(0));
        QCOMPARE(in.value(), quint16(0));
        QCOMPARE(in.target(), quint16(0));
    }

    void dataFrameLayout()
    {
        QRS232Message m = dataFrame(0x0104, 0x0001, hex("8100"));
        const QByteArray f = m.frame();
        QCOMPARE(f.size(), 13);
        QCOMPARE(f.left(9), hex("7EFF03020604010100"));
        QCOMPARE(f.mid(9, 2), hex("8100"));
        const quint16 sum = QRS232Message::crc(f.constData() + 1, 10);
        QCOMPARE(quint8(f[11]), quint8(sum & 0xFF));
        QCOMPARE(quint8(f[12]), quint8(sum >> 8));
        QCOMPARE(m.frame_payload(), hex("8100"));
        QVERIFY(m.payload().isEmpty()); // the builder leaves payload alone

        m.set_answer_code(1);
        QVERIFY(m.need_answer());
        m.make_data_frame(0x0303, 0, nullptr, 0);
        QVERIFY(!m.need_answer());
    }

    void parseCodes_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("payloadSize");
        QTest::newRow("data frame, empty payload") << dataFrame(0x3109, 0, {}).frame() << 0 << 0;
        QTest::newRow("status answer") << dataFrame(0x0009, 1, hex("0100")).frame() << 0 << 2;
        QTest::newRow("ack of 11 bytes") << dataFrame(0x0009, 0, {}).frame() << 2 << 0;
        QTest::newRow("ack of 12 bytes") << dataFrame(0x0009, 0, hex("01")).frame() << 2 << 0;
        QTest::newRow("six bytes") << hex("7EFF03020400") << 2 << 0;
        QRS232Message shortOne;
        shortOne.make_short_frame(0, 0x21, 0x12, 0, 0x56, 0, 0);
        QTest::newRow("short frame") << shortOne.frame() << 0 << 0;
        QByteArray cut = shortOne.frame().left(13);
        const quint16 sum = QRS232Message::crc(cut.constData() + 1, 10);
        cut[11] = char(sum & 0xFF);
        cut[12] = char(sum >> 8);
        QTest::newRow("short frame of 13 bytes") << cut << 2 << 0;
        QByteArray unknown = hex("7EFF0305040102030400");
        const quint16 s2 = QRS232Message::crc(unknown.constData() + 1, uint(unknown.size() - 1));
        unknown.append(char(s2 & 0xFF)).append(char(s2 >> 8));
        QTest::newRow("unknown type") << unknown << 2 << 0;
    }

    void parseCodes()
    {
        QFETCH(QByteArray, frame);
        QFETCH(int, code);
        QFETCH(int, payloadSize);
        QRS232Message m = received(frame);
        QCOMPARE(m.parse(), code);
        if (code == 0)
            QCOMPARE(m.payload().size(), payloadSize);
    }

    void everyBitFlipIsCaught()
    {
        QRS232Message shortOne;
        shortOne.make_short_frame(0, 0x21, 0x12, 0x07, 0x56, 0x02, 0x01);
        const QList<QByteArray> frames = {dataFrame(0x3109, 0x0001, QByteArray(64, 'x')).frame(),
                                          dataFrame(0x0009, 0, hex("0800")).frame(),
                                          shortOne.frame()};
        for (const QByteArray &good : frames) {
            // Offset 1 up to the last payload byte: every single-bit change must be seen.
            for (int i = 1; i < good.size() - 2; ++i) {
                for (int bit = 0; bit < 8; ++bit) {
                    QByteArray bad = good;
                    bad[i] = char(bad[i] ^ (1 << bit));
                    QRS232Message m = received(bad);
                    if (m.parse() != 1)
                        QFAIL(qPrintable(QString("flip at %1 bit %2 not caught").arg(i).arg(bit)));
                }
            }
        }
    }

    void lengthByteDisagreeing()
    {
        // The checksum is read from the real end; only the header-only view insists on length.
        QByteArray f = dataFrame(0x3109, 0, hex("AABBCC")).frame();
        f[4] = char(0x20);
        const quint16 sum = QRS232Message::crc(f.constData() + 1, uint(f.size() - 3));
        f[f.size() - 2] = char(sum & 0xFF);
        f[f.size() - 1] = char(sum >> 8);
        QRS232Message m = received(f);
        QCOMPARE(m.parse(), 0);
        QCOMPARE(m.payload(), hex("AABBCC"));
        QRS232Message header{QInterfaceMessage(nullptr, f)};
        QCOMPARE(header.command(), quint16(0));
        QVERIFY(!header.is_data_frame());
    }

    void headerOnlyView()
    {
        QRS232Message sent = dataFrame(0x0504, 0x0001, hex("010033"));
        QInterfaceMessage base(nullptr, sent.frame());
        QRS232Message view(base);
        QVERIFY(view.is_data_frame());
        QCOMPARE(view.command(), quint16(0x0504));
        QCOMPARE(view.target(), quint16(0x0001));
        QVERIFY(view.payload().isEmpty());
        QCOMPARE(view.frame_payload(), hex("010033"));
    }

    void checkAnswer_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("code"); // -1: left untouched

        const QByteArray req = [] {
            QRS232Message r = dataFrame(0x0103, 0, QByteArray(64, 0));
            return r.frame();
        }();
        auto status = [](const char *p) { return dataFrame(0x0009, 0, hex(p)).frame(); };
        QTest::newRow("expected status") << req << status("0100") << true << 1;
        QTest::newRow("progress 08 32") << req << status("0832") << true << 0x3208;
        QTest::newRow("no privileges") << req << status("0900") << true << 9;
        QTest::newRow("09 01 is a failure") << req << status("0901") << false << 0x0109;
        QTest::newRow("01 01 is a failure") << req << status("0101") << false << 0x0101;
        QTest::newRow("no link 07") << req << status("0700") << false << 7;
        QTest::newRow("not an ack")
            << req << dataFrame(0x3109, 0, hex("0100")).frame() << false << -1;
        QTest::newRow("ack of 3 bytes")
            << req << dataFrame(0x0009, 0, hex("010000")).frame() << false << -1;
        QByteArray broken = status("0100");
        broken[9] = 2;
        QTest::newRow("bad checksum") << req << broken << false << -1;

        auto shortFrame = [](quint8 b7, quint8 b8, quint8 b9, quint8 b10) {
            QRS232Message m;
            m.make_short_frame(0, b7, b8, b9, b10, 0, 0);
            return m.frame();
        };
        const QByteArray query = shortFrame(0x20, 0x12, 0, 0);
        QTest::newRow("query answered")
            << query << shortFrame(0x21, 0x12, 0x02, 0x56) << true << 0x5602;
        QTest::newRow("query, other number")
            << query << shortFrame(0x21, 0x13, 0x02, 0x56) << false << -1;
        QTest::newRow("query, class not 21")
            << query << shortFrame(0x20, 0x12, 0, 0) << false << -1;
        const QByteArray command = shortFrame(0x19, 0x05, 0, 0);
        QTest::newRow("command done")
            << command << shortFrame(0x21, 0x05, 0x01, 0x07) << true << 0x0701;
        QTest::newRow("command running")
            << command << shortFrame(0x21, 0x05, 0x08, 0x40) << true << 0x4008;
        QTest::newRow("command refused")
            << command << shortFrame(0x21, 0x05, 0x09, 0x00) << false << 9;
    }

    void checkAnswer()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        QFETCH(bool, result);
        QFETCH(int, code);
        QRS232Message req{QInterfaceMessage(nullptr, request)};
        req.set_answer_code(1);
        quint16 got = 0xBEEF;
        QCOMPARE(req.check_answer(received(answer), &got), result);
        QCOMPARE(int(got), code == -1 ? 0xBEEF : code);
        QCOMPARE(req.check_answer(received(answer), nullptr), result);
    }

    void escaping()
    {
        // Payload bytes 7E and 7D are escaped on the wire and counted nowhere.
        QRS232Message m = dataFrame(0x0103, 0, hex("7E7D41"));
        QCOMPARE(quint8(m.frame()[4]), quint8(7));
        const QByteArray wire = LinkCodec::escape(m.frame());
        QCOMPARE(wire.left(1), hex("7E"));
        QVERIFY(wire.contains(hex("7D7E7D7D41")));
        QCOMPARE(wire.size(), m.frame().size() + 2);

        // Find a payload whose checksum holds 7E or 7D and check it is escaped too.
        for (int v = 0; v < 0x10000; ++v) {
            QByteArray p(2, 0);
            p[0] = char(v & 0xFF);
            p[1] = char(v >> 8);
            if (p.contains('\x7E') || p.contains('\x7D'))
                continue;
            QRS232Message c = dataFrame(0x0009, 0, p);
            const QByteArray sum = c.frame().right(2);
            if (!sum.contains('\x7E') && !sum.contains('\x7D'))
                continue;
            const QByteArray esc = LinkCodec::escape(c.frame());
            QCOMPARE(esc.size(), c.frame().size() + sum.count('\x7E') + sum.count('\x7D'));
            QCOMPARE(esc.at(esc.size() - 1), sum.at(1));
            return;
        }
        QFAIL("no checksum with 7E or 7D found");
    }

    void sequence()
    {
        QRS232Message m = dataFrame(0x0104, 0x0001, hex("8100"));
        const QByteArray before = m.frame();
        for (quint8 seq : {1, 5, 7, 0, 9}) {
            QVERIFY(m.set_sequence(seq));
            QCOMPARE((quint8(m.frame()[8]) >> 4) & 7, seq & 7);
            QCOMPARE(quint8(m.frame()[8]) & 0x8F, quint8(before[8]) & 0x8F);
            QCOMPARE(m.frame().right(2), before.right(2)); // checksum stays that of the build
        }
        QInterfaceMessage tiny(nullptr, hex("7EFF030201"));
        QVERIFY(!tiny.set_sequence(3));
        QCOMPARE(tiny.frame(), hex("7EFF030201"));
    }

    void slipFrames()
    {
        QSlipMessage s;
        s.make_frame(0x04030201, 0x55, "\xC0\x01", 2);
        const QByteArray f = s.frame();
        QCOMPARE(f.size(), 13);
        QCOMPARE(f.left(8), hex("C0030102030400 55"));
        QCOMPARE(quint8(f.back()), quint8(0xC0));
        QCOMPARE(QSlipMessage::crc(f.constData() + 1, uint(f.size() - 2)), quint16(0));

        QSlipMessage in(nullptr, f);
        QCOMPARE(in.parse(), 0);
        QCOMPARE(in.command(), quint8(0x55));
        QCOMPARE(in.payload(), hex("C001"));
        QCOMPARE(in.address(), quint32(0x04030201));
        QCOMPARE(in.message_type(), 2);

        QByteArray bad = f;
        bad[9] = char(bad[9] ^ 0x10);
        QSlipMessage broken(nullptr, bad);
        QCOMPARE(broken.parse(), 1);
        QSlipMessage tooShort(nullptr, hex("C0C0"));
        QCOMPARE(tooShort.parse(), 2);
    }

    void copiesKeepEverything()
    {
        QRS232Message a = received(dataFrame(0x3109, 1, hex("0102")).frame());
        QCOMPARE(a.parse(), 0);
        a.set_answer_code(1);
        QRS232Message b(a);
        QCOMPARE(b.payload(), hex("0102"));
        QCOMPARE(b.target(), quint16(1));
        QVERIFY(b.need_answer());
        QInterfaceMessage base;
        base.assign(a);
        QCOMPARE(base.frame(), a.frame());
        QCOMPARE(base.answer_code(), quint16(1));
        base.clear();
        QVERIFY(base.frame().isEmpty());
        QVERIFY(!base.need_answer());
    }
};

QTEST_GUILESS_MAIN(tst_link_frames)
#include "tst_link_frames.moc"
