// Version files and the changes dialog that shows what they list; the update manager
// against a server on this machine over real HTTP: the check timer's cycles, downloads,
// and which addresses it may ask at all.
#include "owneronly.h"
#include "qupdatechangesdialog.h"
#include "qupdatemanager.h"
#include "updateserver.h"

#include <QDir>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using vexo::emu::UpdateServer;
using Kind = QUpdateManager;

namespace
{
const QByteArray FIRMWARE_FILE = "2.4\n"
                                 "+ first remote table\n"
                                 "2.5\n"
                                 "! lost answers\n"
                                 "2.6\n"
                                 "+ long records\n"
                                 "* faster search\n";

QStringList parse(const QByteArray &file, const QString &shortKey, const QString &fullKey,
                  bool *newer)
{
    QStringList changes;
    *newer = QUpdateManager::parseVersionFile(QUpdateManager::splitLines(file), shortKey, fullKey,
                                              &changes);
    return changes;
}

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
    void versionFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("shortKey");
        QTest::addColumn<QString>("fullKey");
        QTest::addColumn<QStringList>("changes"); // empty: no update

        const QStringList from26 = {"<b>Версия 2.6</b><br>", "+ long records<br>",
                                    "* faster search<br>"};
        QTest::newRow("2.5 to 2.6") << FIRMWARE_FILE << "2.5"
                                    << "2.5" << from26;
        QTest::newRow("2.6 missing") << QByteArray(FIRMWARE_FILE).replace("2.6\n", "") << "2.5"
                                     << "2.5" << QStringList();
        QTest::newRow("2.50 counts as 2.5")
            << QByteArray("2.4\n2.50\n+ x\n2.51\n- y\n") << "2.5"
            << "2.5" << QStringList{"<b>Версия 2.51</b><br>", "- y<br>"};
        QTest::newRow("program 0.40e after 0.40d")
            << QByteArray("0.39\n+ a\n0.40d\n! b\n0.41\n+ c\n") << "0.40"
            << "0.40e" << QStringList{"<b>Версия 0.41</b><br>", "+ c<br>"};
        // A NUL ends its line: "2.6" is still a version line, the rest of it is gone.
        QTest::newRow("NUL in lines")
            << QByteArrayLiteral("2.5\n2.6\0hidden\n+ shown\0hidden\n") << "2.5"
            << "2.5" << QStringList{"<b>Версия 2.6</b><br>", "+ shown<br>"};
        // Shorter than the key: never the installed line, still a change line.
        QTest::newRow("short lines") << QByteArray("2\n2.\n2.5\n+\n3\n") << "2.5"
                                     << "2.5" << QStringList{"<b>Версия 3</b><br>"};
        QTest::newRow("CRLF and no end at the end")
            << QByteArray("2.5\r\n2.6\r\n* x") << "2.5"
            << "2.5" << QStringList{"<b>Версия 2.6</b><br>", "* x<br>"};
    }

    void versionFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, shortKey);
        QFETCH(QString, fullKey);
        QFETCH(QStringList, changes);
        bool newer = false;
        QCOMPARE(parse(file, shortKey, fullKey, &newer), changes);
        QCOMPARE(newer, !changes.isEmpty());
    }

    void changesDialog()
    {
        bool newer = false;
        const QStringList changes = parse(FIRMWARE_FILE, "2.5", "2.5", &newer) << "! fixed<br>"
                                                                               << "- removed<br>"
                                                                               << "? other<br>"
                                                                               << "plain line<br>";
        QUpdateChangesDialog dialog(nullptr, "Изменения:<br>", changes);
        QTextEdit *view = dialog.textView();
        // Each heading in its colour, the mark gone, the rest of the line as it was.
        QCOMPARE(view->toPlainText(), QString("Версия 2.6\nДобавлено: long records\n"
                                              "Изменено: faster search\nИсправлено: fixed\n"
                                              "Удалено: removed\nПрочее: other\nplain line\n"));
        const QList<QPair<QString, QColor>> headings = {
            {"Добавлено:", QColor("green")},       {"Изменено:", QColor("blue")},
            {"Исправлено:", QColor("darkorange")}, {"Удалено:", QColor("red")},
            {"Прочее:", QColor("darkmagenta")},
        };
        for (const auto &[heading, colour] : headings) {
            const QTextCursor at = view->document()->find(heading);
            QCOMPARE(at.charFormat().foreground().color(), colour);
            QTextCursor rest(view->document());
            rest.setPosition(at.selectionEnd() + 2);
            QVERIFY2(rest.charFormat().foreground().color() != colour, qPrintable(heading));
        }
        QCOMPARE(view->document()->find("Версия 2.6").charFormat().fontWeight(), int(QFont::Bold));
        QVERIFY(dialog.findChildren<QLabel *>().last()->text().contains(
            "Установить обновление программного обеспечения из интернета?"));
    }

    void cyclesOfTheTimer()
    {
        Rig rig;
        QVERIFY(rig.start());
        // A server that stops sending fails the request instead of holding it for good.
        QCOMPARE(rig.manager.findChild<QNetworkAccessManager *>()->transferTimeout(), 30000);
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

    void downloadAndAbandon()
    {
        Rig rig;
        QVERIFY(rig.start());
        rig.manager.setVersion(Kind::UPDATE_SOFT_MODEM, 2, 5, "5");
        const QByteArray image(200000, 'x');
        rig.server.setFile(MODEM_IMAGE, image);
        QCOMPARE(rig.manager.updateFileUrl(Kind::UPDATE_SOFT_MODEM).toString(),
                 rig.server.address() + "/proj/vexo/upload/downloads/" + MODEM_IMAGE);
        QSignalSpy progress(&rig.manager, &QUpdateManager::downloadProgress);
        QVERIFY(rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM));
        QCOMPARE(rig.manager.requestState(), 4);
        QTRY_COMPARE_WITH_TIMEOUT(rig.finished.size(), 1, 20000);
        QCOMPARE(rig.downloads(), QStringList{"update_modem.bin"});
        QCOMPARE(QFileInfo(rig.manager.downloadPath(Kind::UPDATE_SOFT_MODEM)).size(), image.size());
        QVERIFY(ownerOnly(rig.manager.downloadPath(Kind::UPDATE_SOFT_MODEM)));
        QCOMPARE(progress.last(), (QVariantList{image.size(), image.size()}));

        // Abandoned on the way: no signal, and the earlier file is gone too.
        rig.server.stallFile(MODEM_IMAGE);
        QVERIFY(rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM));
        QTRY_COMPARE(rig.server.requestCount(MODEM_IMAGE), 2);
        rig.manager.abortRequest();
        QVERIFY(!rig.manager.requestRunning());
        QTest::qWait(100);
        QCOMPARE(rig.errors.size(), 0);
        QCOMPARE(rig.finished.size(), 1);
        QCOMPARE(rig.downloads(), QStringList());
    }

    void serverAddresses()
    {
        const struct {
            const char *address;
            Kind::SERVER_STATE_T state;
            const char *base; // of the files, for a usable address
        } cases[] = {
            {"", Kind::SERVER_NONE, ""},
            {"https://updates.example.com/own/path/", Kind::SERVER_READY,
             "https://updates.example.com"},
            {"updates.example.com:8443", Kind::SERVER_READY, "https://updates.example.com:8443"},
            {"http://updates.example.com", Kind::SERVER_REFUSED, ""},
            {"http://127.0.0.1.example.com", Kind::SERVER_REFUSED, ""},
            {"ftp://127.0.0.1", Kind::SERVER_REFUSED, ""},
            {"http://127.0.0.1:8080", Kind::SERVER_READY, "http://127.0.0.1:8080"},
            {"http://localhost", Kind::SERVER_READY, "http://localhost"},
            {"http://[::1]:81", Kind::SERVER_READY, "http://[::1]:81"},
        };
        for (const auto &c : cases) {
            QUpdateManager manager;
            manager.checkTimer()->stop();
            manager.setVersion(Kind::UPDATE_SOFT_MODEM, 2, 5, "5");
            QCOMPARE(manager.setServerAddress(c.address), c.state);
            const QUrl url = manager.versionFileUrl(Kind::UPDATE_SOFT_MODEM);
            QCOMPARE(url.toString(QUrl::RemovePath), QString(c.base));
            if (c.state == Kind::SERVER_READY) {
                QCOMPARE(url.path(), QString("/proj/vexo/upload/downloads/"
                                             "modem_version_5813_ru.txt"));
                continue;
            }
            // Nothing is ever asked of it, by the timer or on request.
            for (int i = 0; i < 100; ++i)
                manager.slotTimerTick();
            QVERIFY(!manager.requestVersionFile(Kind::UPDATE_SOFT_MODEM));
            QVERIFY(!manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM));
            QCOMPARE(manager.requestState(), 0);
            QVERIFY(manager.findChildren<QNetworkReply *>().isEmpty());
        }
    }
};

QTEST_MAIN(tst_update_manager)
#include "tst_update_manager.moc"
