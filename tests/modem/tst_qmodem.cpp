#include "commands.h"
#include "qmodem.h"

#include <QMetaProperty>
#include <QTest>

class TestQModem : public QObject
{
    Q_OBJECT

private slots:
    void initialState()
    {
        QModem m;
        QCOMPARE(m.version(), QByteArray(4, '\0'));
        QCOMPARE(m.memFree(), 0u);
        QCOMPARE(m.memTotal(), 0u);
        QCOMPARE(m.currentTransaction(), TRANSACTION_NONE);
        QVERIFY(!m.updating());
        QVERIFY(!m.connected());
        QVERIFY(!m.listening());
        QVERIFY(m.workMode());
        QCOMPARE(m.lastFoundId(), -1);
        QCOMPARE(m.protectionMode(), PROTECTION_UNLOCKED);
        QCOMPARE(m.functions(), quint8(0));
        QVERIFY(!m.longRecords());
        QVERIFY(m.firmwareMatches());
    }

    void propertiesInDeclaredOrder()
    {
        QModem m;
        const QMetaObject *mo = m.metaObject();
        const QStringList expected{"version",       "memFree",   "memTotal",  "currentTransaction",
                                   "updating",      "connected", "listening", "workMode",
                                   "protectionMode"};
        QStringList names;
        for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i) {
            QVERIFY(mo->property(i).isWritable());
            names << mo->property(i).name();
        }
        QCOMPARE(names, expected);
        // Through the property system as well as the accessors.
        QVERIFY(m.setProperty("connected", true));
        QVERIFY(m.connected());
        QVERIFY(m.setProperty("memFree", 12u));
        QCOMPARE(m.memFree(), 12u);
        m.setCurrentTransaction(TRANSACTION_READ_TABLE);
        QCOMPARE(m.property("currentTransaction").value<MODEM_TRANSACTION_T>(),
                 TRANSACTION_READ_TABLE);
    }

    void versionTakesOnlyFourBytes()
    {
        QModem m;
        const QByteArray good("\x01\x02\x03\x04", 4);
        QVERIFY(m.setVersion(good));
        QCOMPARE(m.version(), good);
        QVERIFY(!m.setVersion(QByteArray("\x09\x09\x09", 3)));
        QVERIFY(!m.setVersion(QByteArray("\x09\x09\x09\x09\x09", 5)));
        QVERIFY(!m.setVersion(QByteArray()));
        QCOMPARE(m.version(), good);
        // Through the property too: the setter's refusal keeps the old value.
        m.setProperty("version", QByteArray("\x07", 1));
        QCOMPARE(m.version(), good);
    }

    void firmwareCheckComparesFirstAndFourthByte()
    {
        QModem m;
        QVERIFY(m.setVersion(QByteArray("\x05\x00\x00\x07", 4)));
        QVERIFY(m.firmwareMatches()); // nothing flashed yet

        m.expectFirmware(true, 0x05, 0x07);
        QVERIFY(m.firmwareMatches());
        QVERIFY(m.setVersion(QByteArray("\x05\x21\x33\x07", 4)));
        QVERIFY(m.firmwareMatches()); // second and third are not compared
        QVERIFY(m.setVersion(QByteArray("\x06\x21\x33\x07", 4)));
        QVERIFY(!m.firmwareMatches());
        QVERIFY(m.setVersion(QByteArray("\x05\x21\x33\x08", 4)));
        QVERIFY(!m.firmwareMatches());
        // Bytes above 0x7F compare as the unsigned values the modem sent.
        m.expectFirmware(true, 0xF0, 0x81);
        QVERIFY(m.setVersion(QByteArray("\xF0\x00\x00\x81", 4)));
        QVERIFY(m.firmwareMatches());
        QVERIFY(m.firmwareCheckPending()); // stays armed for later connections
    }

    void longRecordsFollowFunctionsBitOne()
    {
        QModem m;
        m.setFunctions(0xFD);
        QVERIFY(!m.longRecords());
        m.setFunctions(FUNCTION_LONG_RECORDS);
        QVERIFY(m.longRecords());
    }
};

QTEST_MAIN(TestQModem)
#include "tst_qmodem.moc"
