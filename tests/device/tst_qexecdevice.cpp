#include "qexecdevice.h"

#include <QTest>

class TestQExecDevice : public QObject
{
    Q_OBJECT

private slots:
    void parametersStartUnknownAndStopAtTen()
    {
        QExecDevice d;
        for (quint16 id = 0; id <= 12; ++id)
            QCOMPARE(d.paramValue(id), quint8(0xFF));
        d.setParamValue(0, 3);
        d.setParamValue(10, 42);
        d.setParamValue(11, 7);
        d.setParamValue(0x80, 7);
        d.setParamValue(0xFFFF, 7);
        QCOMPARE(d.paramValue(0), quint8(3));
        QCOMPARE(d.paramValue(10), quint8(42));
        QCOMPARE(d.paramValue(11), quint8(0xFF));
        QCOMPARE(d.paramValue(0x80), quint8(0xFF));
        QCOMPARE(d.paramValue(0xFFFF), quint8(0xFF));
        QCOMPARE(d.paramValue(1), quint8(0xFF)); // neighbours untouched
    }

    void answeredVersionIsReordered()
    {
        QExecDevice d;
        QVERIFY(d.version().isEmpty());
        QVERIFY(!d.isVersionKnown());
        QVERIFY(d.setVersion(QByteArray("\x01\x02\x03\x04", 4)));
        QCOMPARE(d.version(), QByteArray("\x04\x02\x03\x01", 4));
        QVERIFY(!d.setVersion(QByteArray("\x09\x09\x09", 3)));
        QVERIFY(!d.setVersion(QByteArray("\x09\x09\x09\x09\x09", 5)));
        QCOMPARE(d.version(), QByteArray("\x04\x02\x03\x01", 4));
    }

    void storedVersionKeepsItsOrder()
    {
        // Saving and loading twice must not turn the bytes around.
        QExecDevice d;
        QVERIFY(d.setVersion(QByteArray("\x01\x02\x03\x04", 4)));
        QExecDevice reloaded;
        QVERIFY(reloaded.storeVersion(d.version()));
        QExecDevice again;
        QVERIFY(again.storeVersion(reloaded.version()));
        QCOMPARE(again.version(), d.version());
        QVERIFY(!again.storeVersion(QByteArray(3, '\1')));
        QCOMPARE(again.version(), d.version());
    }

    void versionKnownNeedsFirstOrFourthByte()
    {
        QExecDevice d;
        QVERIFY(d.storeVersion(QByteArray("\x00\x05\x06\x00", 4)));
        QVERIFY(!d.isVersionKnown());
        QVERIFY(d.storeVersion(QByteArray("\x00\x00\x00\x01", 4)));
        QVERIFY(d.isVersionKnown());
        QVERIFY(d.storeVersion(QByteArray("\x01\x00\x00\x00", 4)));
        QVERIFY(d.isVersionKnown());
    }
};

QTEST_MAIN(TestQExecDevice)
#include "tst_qexecdevice.moc"
