// Runs on Linux (ICU) and, cross-built, under Wine (the system's code page): both must
// store a name as the same bytes.
#include "cp1251.h"

#include <QTest>

class TestCp1251 : public QObject
{
    Q_OBJECT

private slots:
    void everyByteIsOneCharacterBothWays()
    {
        // 0x80 to 0xFF; 0x98 has no letter and keeps its control character.
        static const char16_t upper[64] = {
            0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
            0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
            0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
            0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
            0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
            0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
        QByteArray bytes;
        QString expected;
        for (int i = 0; i < 256; ++i) {
            bytes.append(char(i));
            // 0xC0 to 0xFF are А to я in order.
            expected.append(i < 0x80   ? QChar(i)
                            : i < 0xC0 ? QChar(upper[i - 0x80])
                                       : QChar(0x0410 + i - 0xC0));
        }
        const QString text = cp1251::decode(bytes);
        for (int i = 0; i < 256; ++i)
            QVERIFY2(text.at(i) == expected.at(i), qPrintable(QString::number(i, 16)));
        QCOMPARE(text.size(), 256);
        bool ok = false;
        QCOMPARE(cp1251::encode(text, &ok), bytes);
        QVERIFY(ok);
        QCOMPARE(cp1251::encode(QString(), &ok), QByteArray());
        QVERIFY(ok);
        QCOMPARE(cp1251::decode(QByteArray()), QString());
    }

    void missingCharactersAreSubstitutedNotApproximated()
    {
        bool ok = true;
        // No best fit: "ä" must not become "a".
        QCOMPARE(cp1251::encode(QString::fromUtf8("Ёж ä"), &ok), QByteArray("\xA8\xE6 \x1A"));
        QVERIFY(!ok);
        ok = true;
        const QByteArray emoji = cp1251::encode(QString::fromUtf8("я\U0001F600"), &ok);
        QVERIFY(!ok);
        QVERIFY(emoji.startsWith('\xFF'));
        QVERIFY(!emoji.contains('?'));
        // A lone surrogate, last or not.
        for (const QString &lone : {QString(QChar(0xD800)), QString(QChar(0xD800)) + 'x'}) {
            ok = true;
            cp1251::encode(lone, &ok);
            QVERIFY(!ok);
        }
    }
};

QTEST_GUILESS_MAIN(TestCp1251)
#include "tst_cp1251.moc"
