// The window on small and scaled screens, with the longest notices the status bar shows.
// The screen is given as VEXO_FIT_SCREEN=WIDTHxHEIGHT (and QT_SCALE_FACTOR) for the
// offscreen platform.
#include "elidedtext.h"
#include "fittingstatusbar.h"
#include "mainwindow.h"
#include "portaccessnotice.h"
#include "qupdatecontroller.h"
#include "qupdatenotice.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include <QApplication>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

class TestWindowFit : public QObject
{
    Q_OBJECT

private:
    ScriptedPrompts prompts;
    TestHome home;
    ShellOptions options;

    static QString where(const QWidget *w)
    {
        return w->objectName() + " " +
               (qobject_cast<const QAbstractButton *>(w)
                    ? qobject_cast<const QAbstractButton *>(w)->text()
                    : QString());
    }
    // Whole inside the window, where the user can reach it.
    static bool reachable(const QWidget *w, const QWidget *window)
    {
        return window->rect().contains(QRect(w->mapTo(window, QPoint()), w->size()));
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(home.isValid());
        options.systemPorts = false;
        options.programDirectory = QStringLiteral(VEXO_LANGUAGE_DIR "/..");
    }
    void init() { QVERIFY(home.reset()); }
    void cleanup() { QVERIFY2(prompts.done(), qPrintable(prompts.report())); }

    void fitsWithEveryNotice_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *name : {"Русский", "English", "Українська", "Polski"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }
    // The update notice, a port the user may not open and a long message: the window's
    // frame stays inside the screen's free area, every button and the table's last column
    // stay in it, and the long texts give way.
    void fitsWithEveryNotice()
    {
        QFETCH(QString, language);
        MainWindow w(qApp, &prompts, options);
        w.switch_to_language(language);
        QCoreApplication::processEvents();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        // The program's own update is announced through the usual path; the stick's, the
        // longest text, replaces it.
        w.updates().need_update_soft(QUpdateManager::UPDATE_SOFT_PC);
        QUpdateNotice *notice = w.updates().notice();
        QVERIFY(notice->isVisible());
        notice->showMessage(QCoreApplication::translate(
                                "QUpdateController",
                                "Доступно интернет-обновление прошивки USB-stick 5813. Чтобы "
                                "приступить к обновлению, нажмите здесь клавишей мыши"),
                            true);
        QVERIFY(!notice->text().startsWith(QStringLiteral("Доступно")) ||
                language == QStringLiteral("Русский"));
        auto *portNotice = w.findChild<PortAccessNotice *>();
        portNotice->report("/dev/serial/by-id/usb-Vexo_Electronics_USB-stick_0123456789ABCDEF-"
                           "if00-port0");
        QVERIFY(portNotice->isVisible());
        QCoreApplication::processEvents();

        const QRect free = w.screen()->availableGeometry();
        QTRY_VERIFY2(free.contains(w.frameGeometry()),
                     qPrintable(QString("%1 wide in %2 × %3")
                                    .arg(w.frameGeometry().width())
                                    .arg(free.width())
                                    .arg(free.height())));
        // Nor can the notices make it wider than that, however long they are.
        const int frameWidth = w.frameGeometry().width() - w.width();
        const int frameHeight = w.frameGeometry().height() - w.height();
        QVERIFY(w.minimumSizeHint().width() + frameWidth <= free.width());
        QVERIFY(w.minimumSizeHint().height() + frameHeight <= free.height());
        auto *message = qobject_cast<QElidedButton *>(notice->messageButton());
        QVERIFY(message);
        QVERIFY(message->isElided());
        QVERIFY(message->shownText().endsWith(QChar(0x2026)));

        auto *tabs = w.findChild<QTabWidget *>("tabWidget");
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            const QList<QPushButton *> buttons = tabs->widget(tab)->findChildren<QPushButton *>();
            for (const QPushButton *b : buttons)
                if (b->isVisibleTo(&w) && b->isVisible())
                    QVERIFY2(reachable(b, &w), qPrintable(where(b)));
        }
        tabs->setCurrentIndex(0);
        QCoreApplication::processEvents();
        const QHeaderView *header = w.findChild<QTableWidget *>("tablePults")->horizontalHeader();
        const int last = header->logicalIndex(header->count() - 1);
        QVERIFY(header->sectionViewportPosition(last) + header->sectionSize(last) <=
                header->viewport()->width());

        // A message longer than the bar is cut short.
        auto *bar = qobject_cast<QFittingStatusBar *>(w.statusBar());
        QVERIFY(bar);
        bar->showMessage(notice->text() + " " + notice->text() + " " + notice->text());
        QCoreApplication::processEvents();
        QVERIFY(bar->shownMessage().endsWith(QChar(0x2026)));
        QVERIFY(free.contains(w.frameGeometry()));
    }

    // A size kept from a larger monitor is brought down to this screen's.
    void oversizedWindowIsFittedOnShow()
    {
        MainWindow w(qApp, &prompts, options);
        w.setGeometry(40, 30, 4000, 3000);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect free = w.screen()->availableGeometry();
        QTRY_VERIFY(free.contains(w.frameGeometry()));
    }

    // Icons are drawn from images with pixels enough for the screen's scale.
    void iconsStaySharp()
    {
        MainWindow w(qApp, &prompts, options);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const qreal ratio = w.devicePixelRatioF();
        const QList<QPushButton *> buttons = w.findChildren<QPushButton *>();
        int withIcon = 0;
        for (const QPushButton *b : buttons) {
            if (b->icon().isNull())
                continue;
            ++withIcon;
            int largest = 0;
            for (const QSize &size : b->icon().availableSizes())
                largest = qMax(largest, size.width());
            QVERIFY2(largest >= qCeil(b->iconSize().width() * ratio), qPrintable(where(b)));
        }
        QVERIFY(withIcon >= 5);
    }
};

int main(int argc, char *argv[])
{
    // The screen the test asks for, through the offscreen platform's configuration.
    QTemporaryDir config;
    const QByteArray screen = qgetenv("VEXO_FIT_SCREEN");
    if (!screen.isEmpty() && qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        const QList<QByteArray> size = screen.split('x');
        const QJsonObject one{{"name", "fit"},
                              {"x", 0},
                              {"y", 0},
                              {"width", size.value(0).toInt()},
                              {"height", size.value(1).toInt()},
                              {"logicalDpi", 96}};
        const QString file = config.filePath("screens.json");
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(QJsonDocument(QJsonObject{{"screens", QJsonArray{one}}}).toJson()) < 0)
            qFatal("cannot write %s", qPrintable(file));
        out.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(file));
    }
    QApplication app(argc, argv);
    TestWindowFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowfit.moc"
