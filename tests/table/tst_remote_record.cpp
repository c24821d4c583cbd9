#include "qcontroldevice.h"

#include <QtTest>

namespace
{
QByteArray zeros(int n)
{
    return QByteArray(n, '\0');
}

const QString yozh = QStringLiteral("Ёж");
} // namespace

class tst_remote_record : public QObject
{
    Q_OBJECT
private slots:
    void valueSemantics()
    {
        QObject parent;
        QControlDevice a(&parent, 42, 7, QStringLiteral("Иванов"), false, 1);
        QControlDevice copy(a);
        QCOMPARE(copy.parent(), nullptr);
        QVERIFY(copy == a);

        QList<QControlDevice> one{a};
        QList<QControlDevice> two = one;
        two[0].setOwnerName(QStringLiteral("иванов")); // case matters
        QVERIFY(one.at(0) != two.at(0));
        QCOMPARE(one.at(0).ownerName(), QStringLiteral("Иванов"));
    }

    void flagsByte_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<int>("workMode");
        QTest::addColumn<int>("flags");
        QTest::newRow("active normal") << true << 0 << 0x03;
        QTest::newRow("blocked normal") << false << 0 << 0x01;
        QTest::newRow("active pedestrian") << true << 1 << 0x07;
        QTest::newRow("blocked pedestrian") << false << 1 << 0x05;
        QTest::newRow("work mode 2") << true << 2 << 0x07;
    }
    void flagsByte()
    {
        QFETCH(bool, active);
        QFETCH(int, workMode);
        QFETCH(int, flags);
        const QControlDevice d(nullptr, 1, 0, QString(), active, (unsigned char)workMode);
        for (bool longFormat : {false, true}) {
            const QByteArray r = d.toRecord(longFormat);
            QCOMPARE(quint8(r.at(0)), quint8(flags));
            bool valid = false;
            const QControlDevice back = QControlDevice::fromRecord(r, longFormat, &valid);
            QVERIFY(valid);
            QCOMPARE(back.active(), active);
            QCOMPARE(int(back.workMode()), workMode ? 1 : 0); // only the lowest bit travels
        }
    }

    void layoutShortAndLong()
    {
        const QControlDevice d(nullptr, 0x123456, 200, yozh, true, 0);

        QByteArray expectShort = QByteArray::fromHex("03563412C8A8E6");
        expectShort += zeros(64 - expectShort.size());
        QCOMPARE(d.toRecord(false).toHex(), expectShort.toHex());

        QByteArray expectLong = QByteArray::fromHex("03563412C8D081D0B6");
        expectLong += zeros(128 - expectLong.size());
        QCOMPARE(d.toRecord(true).toHex(), expectLong.toHex());

        for (bool longFormat : {false, true}) {
            bool valid = false;
            const QControlDevice back =
                QControlDevice::fromRecord(d.toRecord(longFormat), longFormat, &valid);
            QVERIFY(valid);
            QVERIFY(back == d);
        }
    }

    void parseIgnoresHighFlagBitsAndStopsAtZero()
    {
        QByteArray r = QByteArray::fromHex("F9010000") + QByteArray(1, '\x05') + "Ab";
        r += zeros(1) + "junk";
        r += zeros(64 - r.size());
        bool valid = false;
        const QControlDevice d = QControlDevice::fromRecord(r, false, &valid);
        QVERIFY(valid);
        QCOMPARE(d.id(), 1);
        QCOMPARE(int(d.group()), 5);
        QVERIFY(!d.active());
        QCOMPARE(int(d.workMode()), 0);
        QCOMPARE(d.ownerName(), QStringLiteral("Ab"));

        // A name that fills the whole space has no terminator.
        QByteArray full = QByteArray::fromHex("0302000000") + QByteArray(59, 'x');
        const QControlDevice f = QControlDevice::fromRecord(full, false, &valid);
        QVERIFY(valid);
        QCOMPARE(f.ownerName(), QString(59, 'x'));

        // U+FEFF at the start of a name is a character of the name, not a mark to drop.
        const QString marked = QString(QChar(0xFEFF)) + QStringLiteral("Дом");
        const QControlDevice back = QControlDevice::fromRecord(
            QControlDevice(nullptr, 3, 1, marked).toRecord(true), true, &valid);
        QVERIFY(valid);
        QCOMPARE(back.ownerName(), marked);
    }

    void invalidRecords_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<bool>("longFormat");
        const QByteArray used = QByteArray::fromHex("0310000005") + "Name";
        QTest::newRow("erased cell") << QByteArray(64, '\xFF') << false;
        QTest::newRow("erased id, in-use flag")
            << (QByteArray::fromHex("03FFFFFF01") + zeros(59)) << false;
        QTest::newRow("in-use bit clear") << (QByteArray::fromHex("02100000") + zeros(124)) << true;
        QTest::newRow("short for long") << (used + zeros(64 - used.size())) << true;
        QTest::newRow("long for short") << (used + zeros(128 - used.size())) << false;
        QTest::newRow("one byte short") << (used + zeros(63 - used.size())) << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void invalidRecords()
    {
        QFETCH(QByteArray, record);
        QFETCH(bool, longFormat);
        bool valid = true;
        const QControlDevice d = QControlDevice::fromRecord(record, longFormat, &valid);
        QVERIFY(!valid);
        QVERIFY(d == QControlDevice());
    }

    void longNamesCutAtWholeCharacters_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("longFormat");
        QTest::addColumn<QString>("stored");
        QTest::newRow("60 Cyrillic, short")
            << QString(60, QChar(0x0416)) << false << QString(59, QChar(0x0416));
        QTest::newRow("62 Cyrillic, long")
            << QString(62, QChar(0x0416)) << true << QString(61, QChar(0x0416));
        // 41 three-byte characters fill 123 bytes exactly; one more must be dropped whole.
        QTest::newRow("euro signs, long")
            << QString(42, QChar(0x20AC)) << true << QString(41, QChar(0x20AC));
        QString emoji;
        for (int i = 0; i < 31; ++i)
            emoji += QStringLiteral("\U0001F600");
        QString emojiStored;
        for (int i = 0; i < 30; ++i)
            emojiStored += QStringLiteral("\U0001F600");
        QTest::newRow("four-byte, long") << emoji << true << emojiStored;
        QTest::newRow("a + euro signs, long")
            << (QStringLiteral("ab") + QString(41, QChar(0x20AC))) << true
            << (QStringLiteral("ab") + QString(40, QChar(0x20AC)));
    }
    void longNamesCutAtWholeCharacters()
    {
        QFETCH(QString, name);
        QFETCH(bool, longFormat);
        QFETCH(QString, stored);
        const QControlDevice d(nullptr, 9, 1, name, true, 0);
        const QByteArray r = d.toRecord(longFormat);
        QCOMPARE(r.size(), longFormat ? 128 : 64);
        bool valid = false;
        const QControlDevice back = QControlDevice::fromRecord(r, longFormat, &valid);
        QVERIFY(valid);
        QCOMPARE(back.ownerName(), stored);
        QVERIFY(!back.ownerName().contains(QChar::ReplacementCharacter));
    }
};

QTEST_GUILESS_MAIN(tst_remote_record)
#include "tst_remote_record.moc"
