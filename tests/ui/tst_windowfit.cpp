// The window on small and scaled screens (VEXO_FIT_SCREEN=WIDTHxHEIGHT and QT_SCALE_FACTOR
// for the offscreen platform), with the longest texts the status bar shows.
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
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

class TestWindowFit : public QObject
{
    Q_OBJECT

    ScriptedPrompts prompts;
    TestHome home;
    ShellOptions options;

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        options.systemPorts = false;
        options.programDirectory = QStringLiteral(VEXO_LANGUAGE_DIR "/..");
    }
    void init() { QVERIFY(home.reset()); }

    void fitsWithEveryNotice_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *name : {"Русский", "English", "Українська", "Polski"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }
    // With the update notice, a port the user may not open and a long message, the frame
    // stays in the screen's free area, every button and the table's last column in the
    // window, and the long texts are cut short.
    void fitsWithEveryNotice()
    {
        QFETCH(QString, language);
        MainWindow w(qApp, &prompts, options);
        w.switch_to_language(language);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.updates().need_update_soft(QUpdateManager::UPDATE_SOFT_PC);
        QUpdateNotice *notice = w.updates().notice();
        QVERIFY(notice->isVisible());
        // The stick's announcement is the longest.
        notice->showMessage(QCoreApplication::translate(
                                "QUpdateController",
                                "Доступно интернет-обновление прошивки USB-stick 5813. Чтобы "
                                "приступить к обновлению, нажмите здесь клавишей мыши"),
                            true);
        w.findChild<PortAccessNotice *>()->report(
            "/dev/serial/by-id/usb-Vexo_Electronics_USB-stick_0123456789ABCDEF-if00-port0");

        const QRect free = w.screen()->availableGeometry();
        QTRY_VERIFY2(free.contains(w.frameGeometry()),
                     qPrintable(QString("%1 wide").arg(w.frameGeometry().width())));
        const QSize frame = w.frameGeometry().size() - w.size();
        QVERIFY(w.minimumSizeHint().width() + frame.width() <= free.width());
        QVERIFY(w.minimumSizeHint().height() + frame.height() <= free.height());
        auto *message = qobject_cast<QElidedButton *>(notice->messageButton());
        QVERIFY(message && message->shownText().endsWith(QChar(0x2026)));

        auto *tabs = w.findChild<QTabWidget *>("tabWidget");
        for (int tab = tabs->count() - 1; tab >= 0; --tab) {
            tabs->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            for (const QPushButton *b : tabs->widget(tab)->findChildren<QPushButton *>())
                if (b->isVisible())
                    QVERIFY2(w.rect().contains(QRect(b->mapTo(&w, QPoint()), b->size())),
                             qPrintable(b->text()));
        }
        const QHeaderView *header = w.findChild<QTableView *>("tablePults")->horizontalHeader();
        const int last = header->logicalIndex(header->count() - 1);
        QVERIFY(header->sectionViewportPosition(last) + header->sectionSize(last) <=
                header->viewport()->width());

        auto *bar = qobject_cast<QFittingStatusBar *>(w.statusBar());
        bar->showMessage(QString(notice->text() + " ").repeated(3));
        QVERIFY(bar->shownMessage().endsWith(QChar(0x2026)));
        QVERIFY(free.contains(w.frameGeometry()));
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    }

    // A size kept from a larger monitor is brought within this one; the icons have pixels
    // enough for the screen's scale.
    void oversizedWindowFitsWithSharpIcons()
    {
        MainWindow w(qApp, &prompts, options);
        w.setGeometry(40, 30, 4000, 3000);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(w.screen()->availableGeometry().contains(w.frameGeometry()));
        int withIcon = 0;
        for (const QPushButton *b : w.findChildren<QPushButton *>()) {
            int largest = 0;
            for (const QSize &size : b->icon().availableSizes())
                largest = qMax(largest, size.width());
            withIcon += largest > 0;
            QVERIFY2(b->icon().isNull() ||
                         largest >= qCeil(b->iconSize().width() * w.devicePixelRatioF()),
                     qPrintable(b->text()));
        }
        QVERIFY(withIcon >= 5);
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir config;
    const QList<QByteArray> size = qgetenv("VEXO_FIT_SCREEN").split('x');
    if (size.size() == 2 && qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        QFile file(config.filePath("screens.json"));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(file.fileName()));
        file.write(R"({"screens": [{"name": "fit", "x": 0, "y": 0, "width": )" + size[0] +
                   R"(, "height": )" + size[1] + R"(, "logicalDpi": 96}]})");
        file.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(file.fileName()));
    }
    QApplication app(argc, argv);
    TestWindowFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowfit.moc"
