// Version files and the changes dialog that shows what they list; the update manager
// against a server on this machine over real HTTP: the check timer's cycles, downloads,
// requests that run at once, and which addresses it may ask at all.
#include "owneronly.h"
#include "quietwait.h"
#include "qupdatechangesdialog.h"
#include "qupdatemanager.h"
#include "signingkey.h"
#include "updateserver.h"

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <memory>

using vexo::emu::UpdateServer;
using Kind = QUpdateManager;
using Request = QUpdateRequest;
using Fetcher = QUpdateFetcher;

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

// How a request ended, read as it finished (it is gone after).
struct Ending {
    QOperation::Outcome outcome = QOperation::Running;
    Request::REQUEST_ERROR_T error = Request::ERROR_NONE;
    QString fileName;
    QString untrustedKeyId;
    QString version; // in the signature
    // ERROR_NONE when it went through; ERROR_TIMED_OUT too when it did not end in time.
    Request::REQUEST_ERROR_T result() const
    {
        return outcome == QOperation::Running ? Request::ERROR_TIMED_OUT : error;
    }
};

// Follows a request from its start, so that its end is heard however late it is waited for.
struct Tracked {
    std::shared_ptr<Ending> e = std::make_shared<Ending>();

    explicit Tracked(QUpdateRequest *request)
    {
        if (request)
            QObject::connect(request, &QOperation::finished, request, [e = e, request] {
                *e = {request->outcome(), request->error(), request->fileName(),
                      request->untrustedKeyId(), request->comment().version};
            });
    }
    Ending wait(int ms = 20000) const
    {
        (void)QTest::qWaitFor([&] { return e->outcome != QOperation::Running; }, ms);
        return *e;
    }
};

Ending ending(QUpdateRequest *request)
{
    return Tracked(request).wait();
}

// A manager whose timer ticks only when the test says so.
struct Rig {
    UpdateServer server;
    QTemporaryDir folder;
    QUpdateManager manager;
    // Of the timer's checks.
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
               manager.fetcher().setServerAddress(server.address()) == Fetcher::SERVER_READY &&
               manager.fetcher().setPublicKey(server.key().publicKeyLine()) == Fetcher::KEY_READY;
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
    // The timer's check ended.
    bool answered()
    {
        return QTest::qWaitFor([&] { return !manager.busy(); }, 20000);
    }
    QStringList downloads() const
    {
        // Downloads, and what is left of them; not what the manager keeps beside them.
        return QDir(folder.path() + "/downloads").entryList({"update_*"}, QDir::Files);
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
        // The server's text never becomes markup of its own.
        QTest::newRow("markup escaped")
            << QByteArray("2.5\n2.6 <img src=x>\n+ <a href='x'>y</a> & z\n") << "2.5"
            << "2.5"
            << QStringList{"<b>Версия 2.6 &lt;img src=x&gt;</b><br>",
                           "+ &lt;a href='x'&gt;y&lt;/a&gt; &amp; z<br>"};
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
        QCOMPARE(rig.server.requests(), QStringList{MODEM_FILE});
        QCOMPARE(rig.manager.lastError(), Request::ERROR_NETWORK);
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
        QUpdateRequest *request = rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM);
        QVERIFY(request);
        QCOMPARE(request->type(), Request::REQUEST_FIRMWARE);
        QSignalSpy progress(request, &QOperation::progressChanged);
        QCOMPARE(ending(request).result(), Request::ERROR_NONE);
        QCOMPARE(rig.downloads(), QStringList{"update_modem.bin"});
        QCOMPARE(QFileInfo(rig.manager.downloadPath(Kind::UPDATE_SOFT_MODEM)).size(), image.size());
        QVERIFY(ownerOnly(rig.manager.downloadPath(Kind::UPDATE_SOFT_MODEM)));
        QCOMPARE(progress.last(), (QVariantList{image.size(), image.size()}));

        // Abandoned on the way: cancelled, not failed, and the earlier file is gone too.
        rig.server.stallFile(MODEM_IMAGE);
        request = rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM);
        QTRY_COMPARE(rig.server.requestCount(MODEM_IMAGE), 2);
        QCOMPARE(request->stage(), Request::STAGE_FILE);
        const QPointer<QUpdateRequest> abandoned = request;
        const int countdown = rig.manager.countdown();
        request->abort();
        QVERIFY(request->isFinished());
        QCOMPARE(rig.downloads(), QStringList());
        QCOMPARE(ending(request).outcome, QOperation::Cancelled);
        QTRY_VERIFY(!abandoned); // it deletes itself
        QCOMPARE(rig.errors.size(), 0);
        QCOMPARE(rig.manager.countdown(), countdown); // nothing to try again
    }

    void onlySignedFilesAreTaken()
    {
        Rig rig;
        QVERIFY(rig.start());
        rig.manager.setVersion(Kind::UPDATE_SOFT_MODEM, 2, 5, "5");
        const QByteArray image(5000, 'i');
        rig.server.setFile(MODEM_IMAGE, image);
        Ending last;
        const auto fetch = [&](bool versionFile) {
            last = ending(versionFile ? rig.manager.requestVersionFile(Kind::UPDATE_SOFT_MODEM)
                                      : rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM));
            return last.result();
        };
        // The tool's default form only: the legacy one is refused.
        rig.server.setFile(MODEM_IMAGE, image);
        QCOMPARE(fetch(false), Request::ERROR_NONE);
        QCOMPARE(rig.downloads(), QStringList{"update_modem.bin"});
        rig.server.setLegacySignatures(true);
        rig.server.setFile(MODEM_IMAGE, image);
        QCOMPARE(fetch(false), Request::ERROR_SIGNATURE);
        QCOMPARE(rig.downloads(), QStringList());
        rig.server.setLegacySignatures(false);
        rig.server.setFile(MODEM_IMAGE, image);
        QCOMPARE(fetch(true), Request::ERROR_NONE);
        QCOMPARE(rig.manager.cycleFlag(Kind::UPDATE_SOFT_MODEM), 2);
        const QStringList changes = rig.manager.changes(Kind::UPDATE_SOFT_MODEM);
        QCOMPARE(changes.size(), 2);

        // Signed, but for another file: any file ever signed would do under any name.
        rig.server.setFile(MODEM_IMAGE, image,
                           UpdateServer::comment("device_5813_setup_board_5.bin"));
        QCOMPARE(fetch(false), Request::ERROR_SIGNATURE);
        rig.server.setFile(MODEM_IMAGE, image, "timestamp:1700000000");
        QCOMPARE(fetch(false), Request::ERROR_SIGNATURE);
        QCOMPARE(rig.downloads(), QStringList());
        rig.server.setFile(MODEM_IMAGE, image);

        // Tampered, missing its signature, or signed by another key: nothing kept, no news.
        rig.server.tamperFile(MODEM_IMAGE);
        rig.server.tamperFile(MODEM_FILE);
        QCOMPARE(fetch(false), Request::ERROR_SIGNATURE);
        QCOMPARE(last.fileName, MODEM_IMAGE);
        QCOMPARE(fetch(true), Request::ERROR_SIGNATURE);
        rig.server.setFile(MODEM_IMAGE, image);
        rig.server.removeFile(MODEM_IMAGE + ".minisig");
        QCOMPARE(fetch(false), Request::ERROR_SIGNATURE);
        QCOMPARE(rig.server.requestCount(MODEM_IMAGE), 4); // the unsigned one not even fetched
        rig.server.setFile(MODEM_IMAGE, image);
        rig.manager.fetcher().setPublicKey(vexo::emu::SigningKey().publicKeyLine());
        QCOMPARE(fetch(false), Request::ERROR_SIGNATURE);
        QCOMPARE(rig.downloads(), QStringList());
        QCOMPARE(rig.manager.changes(Kind::UPDATE_SOFT_MODEM), changes);
        QCOMPARE(rig.news.size(), 0);            // what was asked for is not announced
        QCOMPARE(rig.manager.countdown(), 3600); // tried again on the usual schedule
        // Named as the tool prints it: the key id's bytes in reverse.
        QByteArray id =
            QByteArray::fromBase64(rig.server.key().publicKeyLine().toLatin1()).mid(2, 8);
        std::reverse(id.begin(), id.end());
        QCOMPARE(last.untrustedKeyId, QString(id.toHex().toUpper()));
        // An administrator's key is trusted beside the program's own.
        rig.manager.fetcher().setAdditionalKeys(
            {updatesignature::parsePublicKey(rig.server.key().publicKeyLine())});
        QCOMPARE(fetch(false), Request::ERROR_NONE);
        QCOMPARE(last.untrustedKeyId, QString());
        // It is enough on its own, without a key built in.
        rig.manager.fetcher().setPublicKey("");
        QCOMPARE(rig.manager.fetcher().keyState(), Fetcher::KEY_READY);
        QCOMPARE(fetch(false), Request::ERROR_NONE);
        rig.manager.fetcher().setPublicKey(vexo::emu::SigningKey().publicKeyLine());
        rig.manager.fetcher().setAdditionalKeys({});

        // No key, or one that is not a key: nothing is asked at all.
        for (const QString &key : {QString(), QString("RWQ-not-a-key")}) {
            QVERIFY(rig.manager.fetcher().setPublicKey(key) != Fetcher::KEY_READY);
            const int asked = int(rig.server.signatureRequests().size());
            rig.manager.resetCheck(Kind::UPDATE_SOFT_MODEM);
            rig.ticks(100);
            QVERIFY(!rig.manager.requestVersionFile(Kind::UPDATE_SOFT_MODEM));
            QCOMPARE(rig.server.signatureRequests().size(), asked);
        }
    }

    void versionFilesOnlyMoveForward()
    {
        Rig rig;
        QVERIFY(rig.start());
        rig.manager.setVersion(Kind::UPDATE_SOFT_MODEM, 2, 5, "5");
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        const auto check = [&](qint64 signedAt) {
            rig.server.setFile(MODEM_FILE, "2.5\n2.6\n+ new\n",
                               UpdateServer::comment(MODEM_FILE, signedAt));
            return ending(rig.manager.requestVersionFile(Kind::UPDATE_SOFT_MODEM)).result();
        };
        // Over 90 days old it is still used, and said to be out of date.
        QCOMPARE(check(now - 91 * 24 * 3600), Request::ERROR_NONE);
        QVERIFY(rig.manager.versionFileOutdated(Kind::UPDATE_SOFT_MODEM));
        QCOMPARE(rig.manager.changes(Kind::UPDATE_SOFT_MODEM).size(), 2);
        QCOMPARE(check(now - 89 * 24 * 3600), Request::ERROR_NONE);
        QVERIFY(!rig.manager.versionFileOutdated(Kind::UPDATE_SOFT_MODEM));
        QCOMPARE(check(now - 1000), Request::ERROR_NONE);
        QCOMPARE(check(now - 1000), Request::ERROR_NONE); // the same file again
        QVERIFY(ownerOnly(rig.manager.timestampsPath()));
        // An older one served again is not taken.
        QCOMPARE(check(now - 2000), Request::ERROR_REPLAYED);
        QCOMPARE(rig.manager.versionFileSigned(Kind::UPDATE_SOFT_MODEM).toSecsSinceEpoch(),
                 now - 1000);
    }

    void noOlderProgramIsInstalled()
    {
        const struct {
            const char *offered;
            bool newer;
        } versions[] = {{"0.41", true},   {"0.40f", true},  {"1.0", true},    {"0.40e", false},
                        {"0.40d", false}, {"0.40", false},  {"0.39z", false}, {"", false},
                        {"0.41 ", false}, {"v0.41", false}, {"0.4x1", false}};
        for (const auto &v : versions)
            QVERIFY2(QUpdateManager::programVersionNewer(v.offered, 0, 40, "e") == v.newer,
                     v.offered);

        Rig rig;
        QVERIFY(rig.start());
        rig.manager.setVersion(Kind::UPDATE_SOFT_PC, 0, 40, "e");
        const QString setup = rig.manager.updateFileUrl(Kind::UPDATE_SOFT_PC).fileName();
        const auto download = [&](const QString &version) {
            rig.server.setFile(setup, "package", UpdateServer::comment(setup, -1, version));
            return ending(rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_PC));
        };
        for (const QString &older : QStringList{"0.40e", ""}) {
            const Ending refused = download(older);
            QCOMPARE(refused.result(), Request::ERROR_ROLLBACK);
            QCOMPARE(refused.version, older);
            QCOMPARE(rig.downloads(), QStringList());
        }
        QCOMPARE(download("0.41").result(), Request::ERROR_NONE);
        QCOMPARE(rig.downloads(), QStringList{QUpdateManager::localFileName(Kind::UPDATE_SOFT_PC)});
    }

    void requestsAtOnce()
    {
        Rig rig;
        QVERIFY(rig.start());
        rig.manager.setVersion(Kind::UPDATE_SOFT_PC, 0, 40, "e");
        rig.manager.setVersion(Kind::UPDATE_SOFT_MODEM, 2, 5, "5");
        const QString setup = rig.manager.updateFileUrl(Kind::UPDATE_SOFT_PC).fileName();
        rig.server.setFile(setup, "package", UpdateServer::comment(setup, -1, "0.41"));
        rig.server.setFile(MODEM_IMAGE, QByteArray(5000, 'i'));

        // A download the server holds up holds up nothing else.
        rig.server.stallFile(MODEM_IMAGE);
        QUpdateRequest *image = rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM);
        const Tracked stalled(image);
        QTRY_COMPARE(rig.server.requestCount(MODEM_IMAGE), 1);
        QCOMPARE(ending(rig.manager.requestVersionFile(Kind::UPDATE_SOFT_MODEM)).result(),
                 Request::ERROR_NONE);
        QCOMPARE(rig.manager.changes(Kind::UPDATE_SOFT_MODEM).size(), 2);
        const Tracked package(rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_PC));
        // Cancelled while the setup comes: only its own part goes.
        QCOMPARE(stalled.e->outcome, QOperation::Running);
        image->abort();
        QCOMPARE(package.wait().result(), Request::ERROR_NONE);
        QCOMPARE(stalled.wait().outcome, QOperation::Cancelled);
        const QString setupFile = QUpdateManager::localFileName(Kind::UPDATE_SOFT_PC);
        QCOMPARE(rig.downloads(), QStringList{setupFile});

        // Two downloads of one kind would end under one name: the later one replaces the
        // earlier, and the setup already in stays.
        rig.server.clearFaults();
        const Tracked first(rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM));
        const Tracked second(rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM));
        QCOMPARE(first.wait().outcome, QOperation::Cancelled);
        QCOMPARE(second.wait().result(), Request::ERROR_NONE);
        QCOMPARE(rig.downloads(), (QStringList{"update_modem.bin", setupFile}));
        QCOMPARE(rig.server.requestCount(MODEM_IMAGE), 2);

        // Checks turned off end the timer's own check, not the download beside it.
        rig.server.stallFile(PC_FILE);
        QVERIFY(rig.ticksToRequest(100) > 0);
        QCOMPARE(rig.server.requests().last(), PC_FILE);
        const Tracked again(rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM));
        rig.manager.setCheckEnabled(false);
        QVERIFY(!rig.manager.busy());
        QCOMPARE(again.wait().result(), Request::ERROR_NONE);
        QCOMPARE(rig.errors.size(), 0); // abandoned, not failed
        QCOMPARE(rig.news.size(), 0);
    }

    void partialDownloadsGoAtTheNextStart()
    {
        QTemporaryDir folder;
        QUpdateManager manager;
        manager.checkTimer()->stop();
        manager.setDownloadFolder(folder.path());
        // Listed by name, as entryList() gives them.
        const QStringList kept = {"backup.json", "update-timestamps.json", "update_device.bin",
                                  "update_modem.bin", "update_modem.bin.notes"};
        for (const QString &name :
             kept + QStringList{"update_modem.bin.aB3xYz", "update_device.bin.000000",
                                QUpdateManager::localFileName(Kind::UPDATE_SOFT_PC) + ".Qq9Zz1"})
            QVERIFY(QFile(folder.filePath(name)).open(QIODevice::WriteOnly));
        manager.removePartialDownloads();
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), kept);
    }

    void downloadsThatCannotExhaustOrHang()
    {
        Rig rig;
        QVERIFY(rig.start());
        rig.manager.setVersion(Kind::UPDATE_SOFT_MODEM, 2, 5, "5");
        const auto fails = [&](bool versionFile, Request::REQUEST_ERROR_T expected) {
            const Ending e =
                ending(versionFile ? rig.manager.requestVersionFile(Kind::UPDATE_SOFT_MODEM)
                                   : rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM));
            return e.outcome == QOperation::Failed && e.error == expected &&
                   rig.downloads().isEmpty();
        };
        // Endless bodies end at the limit: 64 KiB for version files, 1 MiB for firmware.
        rig.server.setFile(MODEM_IMAGE, "signed"); // its signature is there
        rig.server.endlessFile(MODEM_FILE, 16 * 1024, 5);
        rig.server.endlessFile(MODEM_IMAGE, 64 * 1024, 5);
        QVERIFY(fails(true, Request::ERROR_TOO_LARGE));
        QVERIFY(fails(false, Request::ERROR_TOO_LARGE));
        // A file too large for its kind, announced as such.
        rig.server.clearFaults();
        rig.server.setFile(MODEM_FILE, QByteArray(64 * 1024 + 1, '1'));
        QVERIFY(fails(true, Request::ERROR_TOO_LARGE));
        // A server that never falls silent for long still meets the deadline.
        rig.server.endlessFile(MODEM_IMAGE, 1, 50);
        rig.manager.fetcher().setDeadline(500);
        QVERIFY(fails(false, Request::ERROR_TIMED_OUT));
        rig.manager.fetcher().setDeadline(-1);

        // Redirects: to another host (also this machine) refused, on the same host followed.
        rig.server.clearFaults();
        rig.server.setFile(MODEM_IMAGE, "image");
        rig.server.redirectFile(MODEM_IMAGE + ".minisig",
                                QString("http://localhost:%1/proj/vexo/upload/downloads/%2.minisig")
                                    .arg(rig.server.port())
                                    .arg(MODEM_IMAGE));
        QVERIFY(fails(false, Request::ERROR_REDIRECT));
        rig.server.clearFaults();
        rig.server.setFile("moved.bin", "image");
        rig.server.redirectFile(MODEM_IMAGE, "/proj/vexo/upload/downloads/moved.bin");
        QCOMPARE(ending(rig.manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM)).result(),
                 Request::ERROR_NONE);
        QCOMPARE(rig.server.requests().last(), QString("moved.bin"));
        QCOMPARE(rig.downloads(), QStringList{"update_modem.bin"});
        QVERIFY(!rig.manager.fetcher().redirectAllowed(QUrl("https://updates.example.com/x")));
    }

    void serverAddresses()
    {
        const struct {
            const char *address;
            Fetcher::SERVER_STATE_T state;
            const char *base; // of the files, for a usable address
        } cases[] = {
            {"", Fetcher::SERVER_NONE, ""},
            {"https://updates.example.com/own/path/", Fetcher::SERVER_READY,
             "https://updates.example.com"},
            {"updates.example.com:8443", Fetcher::SERVER_READY, "https://updates.example.com:8443"},
            {"http://updates.example.com", Fetcher::SERVER_REFUSED, ""},
            {"http://127.0.0.1.example.com", Fetcher::SERVER_REFUSED, ""},
            {"ftp://127.0.0.1", Fetcher::SERVER_REFUSED, ""},
            {"http://127.0.0.1:8080", Fetcher::SERVER_READY, "http://127.0.0.1:8080"},
            {"http://localhost", Fetcher::SERVER_READY, "http://localhost"},
            {"http://[::1]:81", Fetcher::SERVER_READY, "http://[::1]:81"},
        };
        for (const auto &c : cases) {
            QUpdateManager manager;
            manager.checkTimer()->stop();
            manager.setVersion(Kind::UPDATE_SOFT_MODEM, 2, 5, "5");
            QCOMPARE(manager.fetcher().setServerAddress(c.address), c.state);
            const QUrl url = manager.versionFileUrl(Kind::UPDATE_SOFT_MODEM);
            QCOMPARE(url.toString(QUrl::RemovePath), QString(c.base));
            if (c.state == Fetcher::SERVER_READY) {
                QCOMPARE(url.path(), QString("/proj/vexo/upload/downloads/"
                                             "modem_version_5813_ru.txt"));
                continue;
            }
            // Nothing is ever asked of it, by the timer or on request.
            for (int i = 0; i < 100; ++i)
                manager.slotTimerTick();
            QVERIFY(!manager.requestVersionFile(Kind::UPDATE_SOFT_MODEM));
            QVERIFY(!manager.requestUpdateFile(Kind::UPDATE_SOFT_MODEM));
            QVERIFY(manager.findChildren<QNetworkReply *>().isEmpty());
        }
    }
};

QTEST_MAIN(tst_update_manager)
#include "tst_update_manager.moc"
