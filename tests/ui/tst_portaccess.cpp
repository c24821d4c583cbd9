#include "emulator.h"
#include "mainwindow.h"
#include "portaccessnotice.h"
#include "portopener.h"
#include "qinterface_manager.h"
#include "qmodemsession.h"
#include "scriptedprompts.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <atomic>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// Counts how often a widget is shown.
struct ShowCounter : QObject {
    int shows = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

QString groupOf(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QString();
    const group *g = ::getgrgid(st.st_gid);
    return g ? QString::fromLocal8Bit(g->gr_name) : QString();
}
} // namespace

// The window tells the user once why the search cannot open a port; tests run as root, so
// the refusal is played by the port opener.
class tst_portaccess : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir home;

    static PortAccessNotice *notice(MainWindow &w)
    {
        auto *n = w.findChild<PortAccessNotice *>();
        if (!n)
            qFatal("no port access notice in the window");
        return n;
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(home.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    }

    void shownOnceForTwoRefusalsOfTheSamePort()
    {
        vexo::emu::Emulator emulator;
        QVERIFY(emulator.start(true));
        const QString path = emulator.slavePath();
        ScriptedPrompts prompts;
        ShellOptions options;
        options.ports = {path};
        options.systemPorts = false;
        MainWindow window(qApp, &prompts, options);
        // Refused at two passes, as before the user's group change takes effect.
        std::atomic<int> refusals{2};
        window.interfaceManager()->set_port_opener([&](QSerialPort &port, const QString &name) {
            if (name == path && refusals.fetch_sub(1) > 0)
                return QSerialPort::PermissionError;
            return openSerialPort(port, name);
        });
        QSignalSpy denied(&window.session(), &QModemSession::portAccessDenied);
        ShowCounter counter;
        notice(window)->installEventFilter(&counter);
        bool visibleAtSecondRefusal = false;
        connect(&window.session(), &QModemSession::portAccessDenied, this, [&] {
            if (denied.size() == 2)
                visibleAtSecondRefusal = notice(window)->isVisible();
        });

        window.show();
        QVERIFY(QTest::qWaitFor([&] { return window.modem().connected(); }, 20000));
        QCOMPARE(denied.size(), 2);
        QCOMPARE(counter.shows, 1);
        QVERIFY(visibleAtSecondRefusal);
        // It names the port and the group the device file really belongs to.
        const QString group = groupOf(path);
        QVERIFY(!group.isEmpty());
        const QString text = notice(window)->text();
        QVERIFY2(text.contains(path), qPrintable(text));
        const QString advised = group == "root" ? "dialout" : group;
        QVERIFY2(text.contains("sudo usermod -aG " + advised + " $USER"), qPrintable(text));
        QVERIFY2(text.contains("выйдите из системы и войдите снова"), qPrintable(text));
        QVERIFY(prompts.done());
        // The stick has been reached: the advice is no longer needed.
        QTRY_VERIFY(!notice(window)->isVisible());
        emulator.stop();
    }

    void namesTheGroupOfTheDeviceFile()
    {
        // A device file of a group other than the usual one, through a link as
        // /dev/serial/by-id has them.
        QTemporaryDir dir;
        const QString device = dir.filePath("ttyVexo0");
        QFile file(device);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QString chosen;
        for (const char *name : {"uucp", "plugdev", "tty", "audio"}) {
            const group *g = ::getgrnam(name);
            if (g && ::chown(QFile::encodeName(device).constData(), uid_t(-1), g->gr_gid) == 0) {
                chosen = name;
                break;
            }
        }
        QVERIFY2(!chosen.isEmpty(), "no group to give the device file");
        const QString link = dir.filePath("usb-Vexo_Stick-if00");
        QVERIFY(QFile::link(device, link));

        PortAccessNotice notice;
        notice.report(link);
        QVERIFY(notice.isVisible());
        QVERIFY2(notice.text().contains("sudo usermod -aG " + chosen + " $USER"),
                 qPrintable(notice.text()));
        QVERIFY(notice.text().startsWith("Нет прав на открытие порта " + link + "."));
    }

    void closedNoticeStaysClosedForTheRun()
    {
        vexo::emu::Emulator emulator;
        QVERIFY(emulator.start(true));
        const QString locked = "/dev/ttyVexoLocked4";
        ScriptedPrompts prompts;
        ShellOptions options;
        options.ports = {locked, emulator.slavePath()};
        options.systemPorts = false;
        MainWindow window(qApp, &prompts, options);
        window.interfaceManager()->set_port_opener([&](QSerialPort &port, const QString &name) {
            return name == locked ? QSerialPort::PermissionError : openSerialPort(port, name);
        });
        QSignalSpy denied(&window.session(), &QModemSession::portAccessDenied);
        PortAccessNotice *n = notice(window);
        // The user closes the strip as soon as it shows.
        connect(
            &window.session(), &QModemSession::portAccessDenied, n,
            [n] { QTimer::singleShot(0, n->findChild<QToolButton *>(), &QToolButton::click); },
            Qt::QueuedConnection);
        window.show();
        QVERIFY(QTest::qWaitFor([&] { return window.modem().connected(); }, 20000));
        QCOMPARE(denied.size(), 1);
        // A device file that cannot be looked at gets the usual group.
        QVERIFY2(n->text().contains("sudo usermod -aG dialout $USER"), qPrintable(n->text()));
        QTRY_VERIFY(!n->isVisible());

        // The stick goes away: the search passes the refused port again, and again, in
        // silence.
        emulator.closeLine();
        QVERIFY(denied.wait(10000));
        QVERIFY(QTest::qWaitFor([&] { return denied.size() >= 3; }, 10000));
        QVERIFY(!n->isVisible());
        QVERIFY(prompts.done());
        emulator.stop();
    }
};

QTEST_MAIN(tst_portaccess)
#include "tst_portaccess.moc"
