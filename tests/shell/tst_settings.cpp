#include "mainwindow.h"
#include "qaboutdialog.h"
#include "screenplacement.h"
#include "scriptedprompts.h"
#include "shellhome.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

// Receives what the desktop would open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestSettings : public QObject
{
    Q_OBJECT

private:
    ScriptedPrompts prompts;
    ShellHome home;
    ShellOptions quiet;

    static QSettings stored() { return QSettings("Vexo Electronics", "Vexo Control Tool"); }
    static void store(const QVariantMap &values)
    {
        QSettings settings("Vexo Electronics", "Vexo Control Tool");
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), it.value());
    }
    static QByteArray bytes(std::initializer_list<int> values)
    {
        QByteArray result;
        for (int v : values)
            result.append(char(v));
        return result;
    }
    static void placeManual(const QString &dir)
    {
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(QFile::copy(VEXO_MANUAL_PDF, dir + "/manual.pdf"));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        QApplication::setQuitOnLastWindowClosed(false);
        quiet.systemPorts = false;
    }
    void init()
    {
        home.reset();
        prompts.clear();
    }
    void cleanup() { QVERIFY2(prompts.done(), qPrintable(prompts.report())); }

    void firstStartWithNoSettingsAndNoFiles()
    {
        MainWindow w(qApp, &prompts, quiet);
        QCoreApplication::processEvents();
        QCOMPARE(w.menuBar()->actions().first()->text(), QStringLiteral("Файл"));
        QVERIFY(w.findChild<QMenu *>("menuLanguage")->actions().isEmpty());
        QCOMPARE(w.size(), QSize(1005, 695));
        QVERIFY(!w.testAttribute(Qt::WA_Moved));
        QVERIFY(!w.execDevice().isVersionKnown());
        QVERIFY(QDir(MainWindow::dataDirectory()).exists());
        // Qt's own buttons speak Russian with the Russian texts.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Отмена"));
    }

    void settingsSurviveRestarts()
    {
        {
            MainWindow w(qApp, &prompts, quiet);
            w.move(40, 50);
            w.resize(700, 500);
            QVERIFY(w.execDevice().storeVersion(bytes({3, 2, 4, 1})));
        }
        QSettings settings = stored();
        QCOMPARE(settings.value("Settings/MainWindow/pos_x").toInt(), 40);
        QCOMPARE(settings.value("Settings/MainWindow/pos_y").toInt(), 50);
        QCOMPARE(settings.value("Settings/MainWindow/size_x").toInt(), 700);
        QCOMPARE(settings.value("Settings/MainWindow/size_y").toInt(), 500);
        QCOMPARE(settings.value("Settings/language").toString(), QStringLiteral("Русский"));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(settings.value(QString("Settings/dev_version_%1").arg(i)).toInt(),
                     int(bytes({3, 2, 4, 1}).at(i)));

        // Loaded and saved twice, the version keeps its byte order.
        for (int run = 0; run < 2; ++run) {
            MainWindow w(qApp, &prompts, quiet);
            QCOMPARE(w.pos(), QPoint(40, 50));
            QCOMPARE(w.size(), QSize(700, 500));
            QCOMPARE(w.execDevice().version(), bytes({3, 2, 4, 1}));
            // The update manager gets major, minor and board.
            QSignalSpy known(&w, &MainWindow::signal_known_device_version);
            w.load_settings();
            QCOMPARE(known.count(), 1);
            QCOMPARE(known.first(), (QVariantList{3, 1, QStringLiteral("4")}));
        }
    }

    void partialOrBadValuesAreIgnored_data()
    {
        QTest::addColumn<QVariantMap>("values");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<bool>("resized");
        QTest::addColumn<QByteArray>("version");
        const QString x = "Settings/MainWindow/pos_x", y = "Settings/MainWindow/pos_y";
        const QString w = "Settings/MainWindow/size_x", h = "Settings/MainWindow/size_y";
        const QByteArray unknown(4, 0);
        QTest::newRow("pos_x only")
            << QVariantMap{{x, 30}, {w, 600}, {h, 500}} << false << true << unknown;
        QTest::newRow("pos_y only")
            << QVariantMap{{y, 30}, {w, 600}, {h, 500}} << false << true << unknown;
        QTest::newRow("size_x only")
            << QVariantMap{{x, 30}, {y, 30}, {w, 600}} << true << false << unknown;
        QTest::newRow("not numbers") << QVariantMap{{x, "left"}, {y, 30}, {w, 600}, {h, "tall"}}
                                     << false << false << unknown;
        QTest::newRow("empty size")
            << QVariantMap{{x, 30}, {y, 30}, {w, 0}, {h, 500}} << true << false << unknown;
        QTest::newRow("version bytes") << QVariantMap{{"Settings/dev_version_0", 7},
                                                      {"Settings/dev_version_1", "x"},
                                                      {"Settings/dev_version_2", 300},
                                                      {"Settings/dev_version_3", 255}}
                                       << false << false << bytes({7, 0, 0, 255});
    }
    void partialOrBadValuesAreIgnored()
    {
        QFETCH(QVariantMap, values);
        QFETCH(bool, moved);
        QFETCH(bool, resized);
        QFETCH(QByteArray, version);
        store(values);
        MainWindow w(qApp, &prompts, quiet);
        QCOMPARE(w.testAttribute(Qt::WA_Moved), moved);
        QCOMPARE(w.size() == QSize(600, 500), resized);
        QCOMPARE(w.execDevice().version(), version);
    }

    void windowComesBackOnAScreen()
    {
        // Saved on a monitor that is no longer there.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        store({{"Settings/MainWindow/pos_x", screen.right() + 2000},
               {"Settings/MainWindow/pos_y", screen.bottom() + 500},
               {"Settings/MainWindow/size_x", 400},
               {"Settings/MainWindow/size_y", 300}});
        MainWindow w(qApp, &prompts, quiet);
        QCOMPARE(w.size(), QSize(400, 300));
        QVERIFY2(screen.contains(QRect(w.pos(), w.size())),
                 qPrintable(QString("at %1,%2").arg(w.pos().x()).arg(w.pos().y())));
    }

    void reachableGeometryRules()
    {
        const QRect left(0, 0, 1920, 1040);
        const QRect right(1920, 0, 1280, 984);
        const QList<QRect> both{left, right};
        // On either monitor, or partly off its edge with the title bar still there: kept.
        for (const QRect &saved : {QRect(100, 100, 800, 600), QRect(2500, 200, 600, 400),
                                   QRect(1700, 50, 800, 600), QRect(-700, 300, 800, 600)})
            QCOMPARE(reachableGeometry(saved, both, left), saved);
        // The right monitor unplugged: centred on the one left.
        QCOMPARE(reachableGeometry(QRect(2500, 200, 600, 400), {left}, left),
                 QRect(660, 320, 600, 400));
        // Title bar above the top edge, though the rest shows: not reachable.
        QCOMPARE(reachableGeometry(QRect(100, -500, 800, 600), {left}, left),
                 QRect(560, 220, 800, 600));
        // Only a sliver of the title bar at the right edge: too small to grab.
        QCOMPARE(reachableGeometry(QRect(1900, 100, 800, 600), {left}, left).topLeft(),
                 QPoint(560, 220));
        // Larger than the screen left: made to fit.
        QCOMPARE(reachableGeometry(QRect(2000, 0, 2560, 1400), {left}, left), left);
        // No screen known: left alone.
        QCOMPARE(reachableGeometry(QRect(5000, 0, 100, 100), {}, QRect()),
                 QRect(5000, 0, 100, 100));
    }

    void fittedGeometryRules()
    {
        const QRect laptop(0, 0, 1366, 738);
        const QMargins frame(4, 30, 4, 4);
        // A window that fits stays as it is, even partly off the edge.
        for (const QRect &window : {QRect(10, 40, 1005, 695), QRect(-200, 40, 1005, 695)})
            QCOMPARE(fittedGeometry(window, frame, laptop), window);
        // Taller than the free area: as tall as the frame allows, moved up into it.
        QCOMPARE(fittedGeometry(QRect(100, 300, 1200, 900), frame, laptop),
                 QRect(100, 30, 1200, 704));
        // Larger both ways and off the right edge: the whole free area, frame included.
        QCOMPARE(fittedGeometry(QRect(800, 100, 1600, 1000), frame, laptop),
                 laptop.marginsRemoved(frame));
        QCOMPARE(fittedGeometry(QRect(0, 0, 2000, 2000), frame, QRect()), QRect(0, 0, 2000, 2000));
    }

    void helpOpensTheManualOrSaysItIsMissing()
    {
        UrlCatcher desktop;
        QDesktopServices::setUrlHandler("file", &desktop, "open");
        {
            // By default the program looks beside itself (here, the test).
            MainWindow w(qApp, &prompts, quiet);
            prompts.expectMessage(ScriptedPrompts::Warning, "Помощь", QMessageBox::Ok);
            w.findChild<QAction *>("actionHelp")->trigger();
            QVERIFY(prompts.calls().last().text.contains(QCoreApplication::applicationDirPath()));
        }

        // A program installed in a folder of its own.
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid());
        ShellOptions installed = quiet;
        installed.programDirectory = prefix.filePath("bin");
        MainWindow w(qApp, &prompts, installed);
        prompts.expectMessage(ScriptedPrompts::Warning, "Помощь", QMessageBox::Ok);
        w.show_help();
        QVERIFY(desktop.opened.isEmpty());
        QVERIFY(prompts.calls().last().text.contains(installed.programDirectory));

        // The installed data directory, then beside the program, which wins.
        const QString data = prefix.filePath("share/vexo-control-tool");
        placeManual(data);
        w.show_help();
        QCOMPARE(desktop.opened.size(), 1);
        QCOMPARE(desktop.opened.last(), QUrl::fromLocalFile(data + "/manual.pdf"));
        placeManual(installed.programDirectory);
        w.show_help();
        QCOMPARE(desktop.opened.last(),
                 QUrl::fromLocalFile(installed.programDirectory + "/manual.pdf"));
        QDesktopServices::unsetUrlHandler("file");
    }

    void aboutBoxSaysWhatTheProgramIs()
    {
        MainWindow w(qApp, &prompts, quiet);
        QString text;
        // Read and closed once it shows. Another dialog in its place is closed after a
        // while, so that a missing box fails here instead of hanging the run.
        QElapsedTimer waited;
        waited.start();
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *about = qobject_cast<QAboutDialog *>(modal)) {
                text = about->text();
                about->reject();
            } else if (modal && waited.elapsed() > 10000) {
                modal->close();
            } else {
                return;
            }
            poll.stop();
        });
        poll.start(10);
        w.findChild<QAction *>("actionAbout")->trigger();
        poll.stop();
        QVERIFY2(text.contains("Vexo Control Tool 0.40e"),
                 qPrintable(text.isEmpty() ? QString("no about box came") : text));
        QVERIFY(text.contains(QString("Qt %1").arg(qVersion())));
        QVERIFY(text.contains("Copyright © "));
        QVERIFY(text.contains("GNU General Public License"));
        QVERIFY(text.contains("GNU Lesser General Public License"));
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
