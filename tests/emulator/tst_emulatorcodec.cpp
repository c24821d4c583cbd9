// The emulator's own wire codec, record layout, state file and firmware receiver,
// pinned to the frame tables' vectors.
#include "emulatorstate.h"
#include "firmwarereceiver.h"
#include "remoterecord.h"
#include "wireframe.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

using namespace vexo::emu;

class TestEmulatorCodec : public QObject
{
    Q_OBJECT

private slots:
    void checksumVectors();
    void probeFrameBytes();
    void escapingBothWays();
    void checksumBytesAreEscaped();
    void receiverRules();
    void decodeVerdicts();
    void sequenceBitsOutsideChecksum();
    void recordEncodings();
    void recordValidity();
    void longNamesCutAtWholeCharacters();
    void stateJson();
    void firmwareBlocksRunOn();
};

void TestEmulatorCodec::checksumVectors()
{
    QCOMPARE(frameChecksum(QByteArrayLiteral("abc")), quint16(0xB788));
    QCOMPARE(frameChecksum(QByteArray()), quint16(0));
    // Not the reflected CRC-CCITT, whose value for "123456789" is 0x2189.
    QVERIFY(frameChecksum(QByteArrayLiteral("123456789")) != 0x2189);
}

void TestEmulatorCodec::probeFrameBytes()
{
    QCOMPARE(makeShortFrame(0, 0x1220, 0, 0),
             QByteArray::fromHex("7EFF03010800002012000000006839"));
    const Frame f = decodeFrame(QByteArray::fromHex("7EFF03010800002012000000006839"));
    QVERIFY(f.ok());
    QVERIFY(!f.isData);
    QCOMPARE(f.command, quint16(0x1220));
    QCOMPARE(f.value, quint16(0));
    QCOMPARE(f.target, quint16(0));
}

void TestEmulatorCodec::escapingBothWays()
{
    const QByteArray payload = QByteArray::fromHex("017e027d037d7e");
    const QByteArray frame = makeDataFrame(0x0103, 0, payload);
    QCOMPARE(frame.size(), payload.size() + 11);
    QCOMPARE(quint8(frame.at(4)), quint8(payload.size() + 4)); // inserted escapes not counted

    const QByteArray wire = escapeFrame(frame);
    QCOMPARE(wire.at(0), char(0x7E));
    QVERIFY(wire.contains(QByteArray::fromHex("017d7e027d7d037d7d7d7e")));
    QCOMPARE(wire.count(char(0x7E)), 1 + 2); // the flag and the two escaped data bytes

    FrameReceiver rx;
    const QList<QByteArray> frames = rx.feed(wire);
    QCOMPARE(frames.size(), 1);
    QCOMPARE(frames.first(), frame);
    QVERIFY(decodeFrame(frames.first()).ok());
    QCOMPARE(decodeFrame(frames.first()).payload, payload);
}

void TestEmulatorCodec::checksumBytesAreEscaped()
{
    // Find payloads whose checksum has a 0x7E or 0x7D byte and check they survive.
    int found = 0;
    for (int b = 0; b < 65536 && found < 4; ++b) {
        QByteArray payload;
        payload.append(char(b & 0xFF)).append(char(b >> 8));
        const QByteArray frame = makeDataFrame(0x0104, 1, payload);
        const char lo = frame.at(frame.size() - 2), hi = frame.at(frame.size() - 1);
        if (lo != 0x7E && lo != 0x7D && hi != 0x7E && hi != 0x7D)
            continue;
        ++found;
        const QByteArray wire = escapeFrame(frame);
        QVERIFY(wire.size() > frame.size());
        FrameReceiver rx;
        const QList<QByteArray> frames = rx.feed(wire);
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames.first(), frame);
    }
    QCOMPARE(found, 4);
}

void TestEmulatorCodec::receiverRules()
{
    const QByteArray probe = makeShortFrame(0, 0x1220, 0, 0);
    const QByteArray data = makeDataFrame(0x0303, 0, QByteArray());

    // Bytes before a flag are skipped and reported; two frames in one read.
    FrameReceiver rx;
    QList<QByteArray> frames =
        rx.feed(QByteArray::fromHex("0102ff") + escapeFrame(probe) + escapeFrame(data));
    QCOMPARE(frames.size(), 2);
    QCOMPARE(frames.at(0), probe);
    QCOMPARE(frames.at(1), data);
    QCOMPARE(rx.takeSkipped(), QByteArray::fromHex("0102ff"));
    QVERIFY(rx.takeSkipped().isEmpty());

    // One byte at a time, with the frame's escapes split from their bytes.
    const QByteArray tricky = makeDataFrame(0x0103, 0, QByteArray::fromHex("7d7e7d"));
    const QByteArray wire = escapeFrame(tricky);
    frames.clear();
    for (char c : wire)
        frames += rx.feed(QByteArray(1, c));
    QCOMPARE(frames.size(), 1);
    QCOMPARE(frames.first(), tricky);

    // An unescaped 0x7E inside a frame is data: it does not restart the frame.
    QByteArray raw = makeDataFrame(0x0104, 0, QByteArray::fromHex("7e00"));
    QByteArray unescaped = raw; // written without any escaping at all
    frames = rx.feed(unescaped);
    QCOMPARE(frames.size(), 1);
    QCOMPARE(frames.first(), raw);

    // A partial frame stays pending until reset.
    rx.feed(escapeFrame(probe).left(6));
    QVERIFY(rx.inFrame());
    rx.reset();
    QVERIFY(!rx.inFrame());
    frames = rx.feed(escapeFrame(probe));
    QCOMPARE(frames.size(), 1);
}

void TestEmulatorCodec::decodeVerdicts()
{
    const QByteArray empty = makeDataFrame(0x0303, 0, QByteArray());
    QCOMPARE(empty.size(), 11);
    Frame f = decodeFrame(empty);
    QVERIFY(f.ok());
    QVERIFY(f.isData);
    QVERIFY(f.payload.isEmpty());
    QCOMPARE(f.command, quint16(0x0303));

    // Any flipped bit from offset 1 to the checksum is caught, except the sequence bits.
    const QByteArray frame = makeDataFrame(0x0103, 1, QByteArrayLiteral("remote"));
    for (int i = 1; i < frame.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            if (i == 8 && bit >= 4 && bit <= 6)
                continue;
            QByteArray bad = frame;
            bad[i] = char(quint8(bad.at(i)) ^ (1 << bit));
            if (i == 4)
                continue; // a changed length byte is the receiver's business
            QCOMPARE(decodeFrame(bad).verdict, Frame::Verdict::BadChecksum);
        }
    }

    QCOMPARE(decodeFrame(QByteArray::fromHex("7eff0302")).verdict, Frame::Verdict::TooShort);
    QByteArray unknownType = QByteArray::fromHex("7eff0305040000000000");
    const quint16 c = frameChecksum(unknownType.constData() + 1, unknownType.size() - 1);
    unknownType.append(char(c & 0xFF)).append(char(c >> 8));
    QCOMPARE(decodeFrame(unknownType).verdict, Frame::Verdict::UnknownType);
}

void TestEmulatorCodec::sequenceBitsOutsideChecksum()
{
    QByteArray frame = makeDataFrame(0x0104, 1, QByteArray::fromHex("8000"));
    frame[8] = char(quint8(frame.at(8)) | (5 << 4));
    Frame f = decodeFrame(frame);
    QVERIFY(f.ok());
    QCOMPARE(f.sequence, 5);
    QCOMPARE(f.target, quint16(1));
    QVERIFY(!f.checksumOverSequence);

    // A sender that recomputes the checksum after writing the number is wrong.
    QByteArray recomputed = frame.left(frame.size() - 2);
    const quint16 c = frameChecksum(recomputed.constData() + 1, recomputed.size() - 1);
    recomputed.append(char(c & 0xFF)).append(char(c >> 8));
    QCOMPARE(decodeFrame(recomputed).verdict, Frame::Verdict::BadChecksum);
}

void TestEmulatorCodec::recordEncodings()
{
    EmulatorRemote r;
    r.id = 0x123456;
    r.group = 7;
    r.ownerName = QStringLiteral("Ёж");
    const QByteArray shortRec = encodeRecord(r, false);
    QCOMPARE(shortRec.size(), 64);
    QCOMPARE(shortRec.left(7), QByteArray::fromHex("03563412 07 a8e6"));
    QCOMPARE(shortRec.mid(7), QByteArray(57, '\0'));
    const QByteArray longRec = encodeRecord(r, true);
    QCOMPARE(longRec.size(), 128);
    QCOMPARE(longRec.left(9), QByteArray::fromHex("03563412 07 d081d0b6"));
    QCOMPARE(longRec.mid(9), QByteArray(119, '\0'));

    EmulatorRemote back;
    QVERIFY(decodeRecord(shortRec, false, &back));
    QCOMPARE(back, r);
    QVERIFY(decodeRecord(longRec, true, &back));
    QCOMPARE(back, r);

    // Blocked, work mode 2: only bit 0 of the work mode survives.
    r.active = false;
    r.workMode = 2;
    QCOMPARE(quint8(encodeRecord(r, false).at(0)), quint8(0x01));
    r.workMode = 3;
    QCOMPARE(quint8(encodeRecord(r, false).at(0)), quint8(0x05));
    QVERIFY(decodeRecord(encodeRecord(r, false), false, &back));
    QCOMPARE(back.workMode, quint8(1));
    QCOMPARE(back.active, false);
}

void TestEmulatorCodec::recordValidity()
{
    EmulatorRemote r;
    r.id = 42;
    QVERIFY(!decodeRecord(erasedRecord(false), false, nullptr));
    QVERIFY(!decodeRecord(erasedRecord(true), true, nullptr));
    QVERIFY(!decodeRecord(encodeRecord(r, false), true, nullptr)); // wrong size for the format
    QVERIFY(!decodeRecord(encodeRecord(r, true), false, nullptr));
    QByteArray notInUse = encodeRecord(r, false);
    notInUse[0] = char(0x02);
    QVERIFY(!decodeRecord(notInUse, false, nullptr));
    r.id = ErasedId;
    QVERIFY(!decodeRecord(encodeRecord(r, false), false, nullptr));
}

void TestEmulatorCodec::longNamesCutAtWholeCharacters()
{
    EmulatorRemote r;
    r.id = 1;
    r.ownerName = QString(70, QChar(0x0436)); // ж, two bytes in UTF-8
    EmulatorRemote back;
    QVERIFY(decodeRecord(encodeRecord(r, false), false, &back));
    QCOMPARE(back.ownerName, QString(59, QChar(0x0436)));
    QVERIFY(decodeRecord(encodeRecord(r, true), true, &back));
    QCOMPARE(back.ownerName, QString(61, QChar(0x0436))); // 122 of 123 bytes

    r.ownerName = QString(50, QChar(0x20AC)); // €, three bytes
    QVERIFY(decodeRecord(encodeRecord(r, true), true, &back));
    QCOMPARE(back.ownerName, QString(41, QChar(0x20AC)));
}

void TestEmulatorCodec::stateJson()
{
    const EmulatorState demo = EmulatorState::demo();
    QCOMPARE(demo.modemRemotes.size(), 12);
    QVERIFY(demo.longRecords());

    EmulatorState back;
    QString error;
    QVERIFY2(EmulatorState::fromJson(demo.toJson(), &back, &error), qPrintable(error));
    QCOMPARE(back.toJson(), demo.toJson());
    QCOMPARE(back.modemRemotes, demo.modemRemotes);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QVERIFY(demo.saveFile(path, &error));
    EmulatorState loaded;
    QVERIFY2(EmulatorState::loadFile(path, &loaded, &error), qPrintable(error));
    QCOMPARE(loaded.toJson(), demo.toJson());

    // Absent keys keep their values; a bad value names its place and changes nothing.
    EmulatorState partial;
    QVERIFY(EmulatorState::fromJson(
        QJsonDocument::fromJson(R"({"modem":{"password":"секрет1"}})").object(), &partial, &error));
    QCOMPARE(partial.password, encodeCp1251(QStringLiteral("секрет1")));
    QCOMPARE(partial.modemCapacity, EmulatorState().modemCapacity);

    EmulatorState untouched = demo;
    QVERIFY(!EmulatorState::fromJson(
        QJsonDocument::fromJson(R"({"modem":{"remotes":[{"id":16777215}]}})").object(), &untouched,
        &error));
    QVERIFY2(error.contains(QLatin1String("modem.remotes[0].id")), qPrintable(error));
    QVERIFY(!EmulatorState::fromJson(
        QJsonDocument::fromJson(R"({"actuator":{"version":[1,2,3]}})").object(), &untouched,
        &error));
    QVERIFY(error.contains(QLatin1String("actuator.version")));
    // Numbers far outside any integer are refused, not converted.
    for (const char *json : {R"({"modem":{"capacity":1e308}})", R"({"modem":{"board":-1e308}})",
                             R"({"modem":{"remotes":[{"id":1e19}]}})"}) {
        QVERIFY(
            !EmulatorState::fromJson(QJsonDocument::fromJson(json).object(), &untouched, &error));
    }
    QCOMPARE(untouched.toJson(), demo.toJson());

    QFile broken(dir.filePath(QStringLiteral("broken.json")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("{\"modem\": ");
    broken.close();
    QVERIFY(!EmulatorState::loadFile(broken.fileName(), &loaded, &error));
    QVERIFY(!error.isEmpty());
}

namespace
{

QByteArray startPayload(quint32 size, quint8 type, quint8 major, quint8 minor, quint8 board)
{
    QByteArray p;
    p.append(QByteArray::fromHex("01020304"));
    for (int i = 0; i < 4; ++i)
        p.append(char((size >> (8 * i)) & 0xFF));
    p.append(char(type))
        .append(char(major))
        .append(char(minor))
        .append(char(board))
        .append(char(0x0E));
    p.append(char(96)).append(char(0));
    return p;
}

QByteArray blockPayload(quint32 number, quint32 address, const QByteArray &data)
{
    QByteArray p;
    for (int i = 0; i < 4; ++i)
        p.append(char((number >> (8 * i)) & 0xFF));
    for (int i = 0; i < 4; ++i)
        p.append(char((address >> (8 * i)) & 0xFF));
    return p + data;
}

} // namespace

void TestEmulatorCodec::firmwareBlocksRunOn()
{
    using R = FirmwareReceiver::Result;
    QString why;
    FirmwareReceiver rx;
    QCOMPARE(rx.block(0, blockPayload(0, 0x1000, "x"), &why), R::Refused); // no start yet
    QCOMPARE(rx.start(0, startPayload(300, 1, 2, 5, 3).left(14), &why), R::Refused);
    QCOMPARE(rx.start(0, startPayload(300, 1, 2, 5, 3), &why), R::Accepted);
    QCOMPARE(rx.image().blockSize, 96);
    QCOMPARE(rx.image().major, quint8(2));

    // Section of 200 bytes at 0x1000, then one of 10 at 0x8000.
    QCOMPARE(rx.block(0, blockPayload(0, 0x1000, QByteArray(96, 'a')), &why), R::Accepted);
    QCOMPARE(rx.block(0, blockPayload(0, 0x1000, QByteArray(96, 'a')), &why), R::Repeated);
    QCOMPARE(rx.block(0, blockPayload(1, 0x1060, QByteArray(96, 'b')), &why), R::Accepted);
    QCOMPARE(rx.block(0, blockPayload(2, 0x10C0, QByteArray(8, 'c')), &why), R::Accepted);
    QCOMPARE(rx.block(0, blockPayload(3, 0x8000, QByteArray(10, 'd')), &why), R::Accepted);
    QCOMPARE(rx.block(1, blockPayload(4, 0x9000, "e"), &why), R::Refused); // other target
    QVERIFY(rx.active()); // ... which does not end this transfer

    QCOMPARE(rx.start(0, startPayload(300, 1, 2, 5, 3), &why), R::Accepted);
    QCOMPARE(rx.block(0, blockPayload(0, 0x1000, QByteArray(96, 'a')), &why), R::Accepted);
    QCOMPARE(rx.block(0, blockPayload(1, 0x1060, QByteArray(96, 'b')), &why), R::Accepted);
    QCOMPARE(rx.block(0, blockPayload(2, 0x10C0, QByteArray(8, 'c')), &why), R::Accepted);
    QCOMPARE(rx.block(0, blockPayload(3, 0x8000, QByteArray(10, 'd')), &why), R::Accepted);
    QCOMPARE(rx.end(0, &why), R::Accepted);
    QCOMPARE(rx.image().blocks, 4);
    QVERIFY(rx.image().complete);
    QCOMPARE(rx.image().runs.size(), 2);
    QCOMPARE(rx.image().runs.value(0x1000),
             QByteArray(96, 'a') + QByteArray(96, 'b') + QByteArray(8, 'c'));
    QCOMPARE(rx.end(0, &why), R::Refused);

    struct Bad {
        const char *name;
        QByteArray block1;
    };
    const QList<Bad> bad = {
        {"skipped number", blockPayload(2, 0x1060, "b")},
        {"number from 1", blockPayload(0, 0x1060, "b")},
        {"address not advancing", blockPayload(1, 0x1000, "b")},
        {"address inside the last block", blockPayload(1, 0x1010, "b")},
        {"too much data", blockPayload(1, 0x1060, QByteArray(97, 'b'))},
        {"no header", QByteArray::fromHex("0100")},
    };
    for (const Bad &b : bad) {
        QCOMPARE(rx.start(1, startPayload(300, 1, 2, 5, 3), &why), R::Accepted);
        QCOMPARE(rx.block(1, blockPayload(0, 0x1000, QByteArray(96, 'a')), &why), R::Accepted);
        QVERIFY2(rx.block(1, b.block1, &why) == R::Refused, b.name);
        QVERIFY2(rx.end(1, &why) == R::Refused, b.name); // the transfer was abandoned
    }
}

QTEST_GUILESS_MAIN(TestEmulatorCodec)
#include "tst_emulatorcodec.moc"
