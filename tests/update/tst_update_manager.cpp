// The update manager against a server on this machine over real HTTP: the check
// timer's cycles, downloads that are whole or nothing, and which addresses it may ask.
#include "qupdatemanager.h"
#include "updateserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using vexo::emu::UpdateServer;
using Kind = QUpdateManager;

namespace
{
const QString PC_FILE = "pc_version_5813_ru.txt";
const QString MODEM_FILE = "modem_version_5813_ru.txt";
const QString DEVICE_FILE = "device_version_5813_ru.txt";
const QString MODEM_IMAGE = "modem_5813_setup_board_5.bin";

// A manager whose timer ticks only when the test says so.
struct Rig {
    UpdateServer server;
    QTemporaryDir folder;
    QUpdateManager manager;
    QSignalSpy finished{&manager, &QUpdateManager::finished};
    QSignalSpy errors{&manager, &QUpdateManager::error};
    QSignalSpy news{&manager, &QUpdateManager::needSoftUpdate};

    Rig()
    {
        manager.checkTimer()->stop();
        manager.setDownloadFolder(folder.path() + "/downloads");
        server.setFile(PC_FILE, "0.40e\n");
        server.setFile(MODEM_FILE, "2.5\n2.6\n+ new\n");
        server.setFile(DEVICE_FILE, "3.1\n");
    }
    bool start()
    {
        return server.listen() &&
               manager.setServerAddress(server.address()) == QUpdateManager::SERVER_READY;
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            manager.slotTimerTick();
    }
    // Ticks until a request goes out; the number of ticks it took, -1 if none by max.
    int ticksToRequest(int max)
    {
        const int before = int(server.requests().size());
        for (int i = 1; i <= max; ++i) {
            manager.slotTimerTick();
            if (manager.busy())
                return QTest::qWaitFor([&] { return server.requests().size() > before; }) ? i : -1;
        }
        return -1;
    }
    bool answered()
    {
        return QTest::qWaitFor([&] { return !manager.requestRunning(); }, 20000);
    }
    QStringList downloads() const
    {
        return QDir(folder.path() + "/downloads").entryList(QDir::Files);
    }
};
} // namespace

class tst_update_manager : public QObject
{
    Q_OBJECT

private slots:
    void cyclesOfTheTimer()
    {
        Rig rig;
        QVERIFY(rig.start());
        rig.manager.setVersion(Kind::UPDATE_SOFT_PC, 0, 40, "e");
        QCOMPARE(rig.manager.countdown(), 10); // a known version never lengthens the wait

        // The first cycle starts on the eleventh tick, with the program's own file.
        QCOMPARE(rig.ticksToRequest(100), 11);
        QCOMPARE(rig.server.requests(), QStringList{PC_FILE});
        rig.ticks(5); // nothing moves while the request is out
        QVERIFY(rig.answered());
        QCOMPARE(rig.manager.cycleFlag(Kind::UPDATE_SOFT_PC), 1);
        QCOMPARE(rig.news.size(), 0);
        QCOMPARE(rig.manager.countdown(), 3600);

        // The stick becomes known: its check follows within a minute.
        rig.manager.setVersion(Kind::UPDATE_SOFT_MODEM, 2, 5, "5");
        QCOMPARE(rig.manager.countdown(), 60);
        QCOMPARE(rig.ticksToRequest(100), 61);
        QVERIFY(rig.answered());
        QCOMPARE(rig.manager.cycleFlag(Kind::UPDATE_SOFT_MODEM), 2);
        QCOMPARE(rig.news.size(), 1);
        QCOMPARE(rig.news[0][0].value<QUpdateManager::UPDATE_SOFT_T>(), Kind::UPDATE_SOFT_MODEM);
        QCOMPARE(rig.news[0][1].toStringList(),
                 (QStringList{"<b>Версия 2.6</b><br>", "+ new<br>"}));
        QCOMPARE(rig.manager.changes(Kind::UPDATE_SOFT_MODEM), rig.news[0][1].toStringList());

        // The actuator's version is unknown: the cycle ends without it, and the next
        // one starts an hour later.
        QCOMPARE(rig.ticksToRequest(3600), -1);
        rig.ticks(1);
        QCOMPARE(rig.manager.countdown(), 3600);
        QCOMPARE(rig.manager.cycleFlag(Kind::UPDATE_SOFT_PC), 0);
        QVERIFY(!rig.server.requests().contains(DEVICE_FILE));

        // All three checked in one cycle: the next cycle waits twelve hours.
        rig.manager.setDeviceVersion(QByteArray("\x03\x02\x04\x01", 4));
        QCOMPARE(rig.manager.text(Kind::UPDATE_SOFT_DEVICE), QString("4"));
        QCOMPARE(rig.manager.countdown(), 60);
        rig.server.setFile(MODEM_FILE, "2.5\n");
        for (const QString &file : {PC_FILE, MODEM_FILE, DEVICE_FILE}) {
            QVERIFY(rig.ticksToRequest(3700) > 0);
            QCOMPARE(rig.server.requests().last(), file);
            QVERIFY(rig.answered());
        }
        QCOMPARE(rig.ticksToRequest(3600), -1);
        rig.ticks(1);
        QCOMPARE(rig.manager.countdown(), 43200);
        QCOMPARE(rig.errors.size(), 0);
        QCOMPARE(rig.news.size(), 1);
    }

    void failedCheckIsRetriedAnHourLater()
    {
        Rig rig;
        QVERIFY(rig.start());
        rig.server.removeFile(MODEM_FILE);
        rig.manager.setVersion(Kind::UPDATE_SOFT_MODEM, 2, 5, "5");
        QCOMPARE(rig.ticksToRequest(100), 11);
        QVERIFY(rig.answered());
        QCOMPARE(rig.errors.size(), 1);
        QCOMPARE(rig.manager.requestState(), 3);
        QCOMPARE(rig.manager.cycleFlag(Kind::UPDATE_SOFT_MODEM), 0);
        // Still due, but a failure waits the full hour.
        QCOMPARE(rig.manager.countdown(), 3600);
        QCOMPARE(rig.ticksToRequest(5000), 3601);
        QCOMPARE(rig.server.requests(), (QStringList{MODEM_FILE, MODEM_FILE}));
    }

    void checkingOffAndBack()
    {
        Rig rig;
        QVERIFY(rig.start());
        rig.manager.setVersion(Kind::UPDATE_SOFT_MODEM, 2, 5, "5");
        rig.server.stallFile(MODEM_FILE);
        QCOMPARE(rig.ticksToRequest(100), 11);
        // Switched off with a request out: it ends quietly and the timer rests.
        rig.manager.setCheckEnabled(false);
        QVERIFY(!rig.manager.requestRunning());
        QVERIFY(!rig.manager.busy());
        QCOMPARE(rig.ticksToRequest(100), -1);
        QTest::qWait(100);
        QCOMPARE(rig.errors.size() + rig.finished.size(), 0);
        // Back on with the stick still unchecked: a minute.
        rig.manager.setCheckEnabled(true);
        QCOMPARE(rig.manager.countdown(), 60);
        rig.manager.resetCheck(Kind::UPDATE_SOFT_PC);
        QCOMPARE(rig.manager.countdown(), 60);
    }

    void stuckServerFailsTheRequest()
    {
        Rig rig;
        QVERIFY(rig.start());
        rig.server.stallFile(MODEM_FILE);
        rig.manager.setTransferTimeout(300);
        rig.manager.setVersion(Kind::UPDATE_SOFT_MODEM, 2, 5, "5");
        QVERIFY(rig.manager.requestVersionFile(Kind::UPDATE_SOFT_MODEM));
        QTRY_COMPARE_WITH_TIMEOUT(rig.errors.size(), 1, 20000);
        QVERIFY(!rig.manager.requestRunning());
    }

    void downloadIsWholeOrNothing()
    {
        Rig rig;
        QVERIFY(rig.start());
        rig.manager.setVersion(Kind::UPDATE_SOFT_MODEM, 2, 5, "5");
        QByteArray image;
        for (int i = 0; i < 200000; ++i)
            image.append(char(i * 13));
        rig.server.setFile(MODEM_IMAGE, image);
        const QString path = rig.manager.downloadPath(Kind::UPDATE_SOFT_MODEM);
        QCOMPARE(rig.manager.updateFileUrl(Kind::UPDATE_SOFT_MODEM).toString(),
                 rig.server.address() + "/proj/vexo/upload/downloads/" + MODEM_IMAGE);

        QSignalSpy progress(&rig.manager, &QUpdateManager::downloadProgress);
        QVERIFY(rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM));
        QCOMPARE(rig.manager.requestState(), 4);
        QTRY_COMPARE_WITH_TIMEOUT(rig.finished.size(), 1, 20000);
        QCOMPARE(rig.downloads(), QStringList{"update_modem.bin"});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), image);
        file.close();
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last()[0].toInt(), image.size());
        QCOMPARE(progress.last()[1].toInt(), image.size());

        // Cut short by the server: the earlier file goes too, no part stays behind.
        rig.server.cutFile(MODEM_IMAGE, 70000);
        QVERIFY(rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM));
        QTRY_COMPARE_WITH_TIMEOUT(rig.errors.size(), 1, 20000);
        QCOMPARE(rig.downloads(), QStringList());

        // Not on the server.
        rig.server.removeFile(MODEM_IMAGE);
        QVERIFY(rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM));
        QTRY_COMPARE_WITH_TIMEOUT(rig.errors.size(), 2, 20000);
        QCOMPARE(rig.downloads(), QStringList());

        // Abandoned on the way: no signal, no file.
        rig.server.setFile(MODEM_IMAGE, image);
        rig.server.stallFile(MODEM_IMAGE);
        QVERIFY(rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM));
        QTRY_COMPARE(rig.server.requestCount(MODEM_IMAGE), 4);
        rig.manager.abortRequest();
        QTest::qWait(100);
        QCOMPARE(rig.errors.size(), 2);
        QCOMPARE(rig.finished.size(), 1);
        QCOMPARE(rig.downloads(), QStringList());
    }

    void serverAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("versionFile"); // the stick's, for a usable address
        const QString path = "/proj/vexo/upload/downloads/modem_version_5813_ru.txt";
        QTest::newRow("none") << "" << int(Kind::SERVER_NONE) << "";
        QTest::newRow("https") << "https://updates.example.com" << int(Kind::SERVER_READY)
                               << "https://updates.example.com" + path;
        QTest::newRow("host only means https")
            << "updates.example.com:8443" << int(Kind::SERVER_READY)
            << "https://updates.example.com:8443" + path;
        QTest::newRow("own path replaced")
            << "https://example.com/other/" << int(Kind::SERVER_READY)
            << "https://example.com" + path;
        QTest::newRow("http elsewhere")
            << "http://updates.example.com" << int(Kind::SERVER_REFUSED) << "";
        QTest::newRow("http to a LAN address")
            << "http://192.168.1.10" << int(Kind::SERVER_REFUSED) << "";
        QTest::newRow("http to a name that starts like loopback")
            << "http://127.0.0.1.example.com" << int(Kind::SERVER_REFUSED) << "";
        QTest::newRow("ftp") << "ftp://127.0.0.1" << int(Kind::SERVER_REFUSED) << "";
        QTest::newRow("http loopback")
            << "http://127.0.0.1:8080" << int(Kind::SERVER_READY) << "http://127.0.0.1:8080" + path;
        QTest::newRow("http localhost")
            << "http://localhost" << int(Kind::SERVER_READY) << "http://localhost" + path;
        QTest::newRow("http IPv6 loopback")
            << "http://[::1]:81" << int(Kind::SERVER_READY) << "http://[::1]:81" + path;
    }

    void serverAddresses()
    {
        QFETCH(QString, address);
        QFETCH(int, state);
        QFETCH(QString, versionFile);
        QUpdateManager manager;
        manager.checkTimer()->stop();
        manager.setVersion(Kind::UPDATE_SOFT_MODEM, 2, 5, "5");
        QCOMPARE(int(manager.setServerAddress(address)), state);
        QCOMPARE(manager.versionFileUrl(Kind::UPDATE_SOFT_MODEM).toString(), versionFile);
        if (state == Kind::SERVER_READY)
            return;
        // Nothing is ever asked of it, by the timer or on request.
        for (int i = 0; i < 100; ++i)
            manager.slotTimerTick();
        QVERIFY(!manager.busy());
        QVERIFY(!manager.requestVersionFile(Kind::UPDATE_SOFT_MODEM));
        QVERIFY(!manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM));
        QCOMPARE(manager.requestState(), 0);
        QVERIFY(manager.findChildren<QNetworkReply *>().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_update_manager)
#include "tst_update_manager.moc"
