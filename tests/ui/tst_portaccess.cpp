#include "emulator.h"
#include "mainwindow.h"
#include "portaccessnotice.h"
#include "qinterface_manager.h"
#include "qmodemsession.h"
#include "scriptedprompts.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <atomic>
#include <grp.h>
#include <memory>
#include <unistd.h>

namespace
{
// The window against the emulated stick, probing `before` first; refused() decides which
// openings the system refuses. Tests run as root, so the refusal is played by the opener.
struct Shell {
    vexo::emu::Emulator emulator;
    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<QSignalSpy> denied;
    PortAccessNotice *notice = nullptr;

    Shell(const QStringList &before, const std::function<bool(const QString &)> &refused)
    {
        if (!emulator.start(true))
            qFatal("emulator: %s", qPrintable(emulator.errorString()));
        ShellOptions options;
        options.ports = QStringList(before) << emulator.slavePath();
        options.systemPorts = false;
        window = std::make_unique<MainWindow>(qApp, &prompts, options);
        window->interfaceManager()->setPortOpener([refused](QSerialPort &p, const QString &n) {
            return refused(n) ? QSerialPort::PermissionError : openSerialPort(p, n);
        });
        denied = std::make_unique<QSignalSpy>(&window->session(), &QModemSession::portAccessDenied);
        notice = window->findChild<PortAccessNotice *>();
    }
    ~Shell()
    {
        window.reset();
        emulator.stop();
    }
    bool open()
    {
        window->show();
        // Open and done with the opening's queries and the table read that follows them.
        return QTest::qWaitFor(
            [this] {
                return window->modem().connected() && !window->session().searching() &&
                       !window->session().busy();
            },
            20000);
    }
};

struct ShowCounter : QObject {
    int shows = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        shows += e->type() == QEvent::Show;
        return false;
    }
};
} // namespace

class tst_portaccess : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir home;

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
        // Refused at two passes, as before the user's new group takes effect.
        std::atomic<int> refusals{2};
        Shell shell({}, [&](const QString &) { return refusals.fetch_sub(1) > 0; });
        ShowCounter counter;
        shell.notice->installEventFilter(&counter);
        QVERIFY(shell.open());
        QCOMPARE(shell.denied->size(), 2);
        QCOMPARE(counter.shows, 1);
        const QString text = shell.notice->text();
        QVERIFY2(text.startsWith("Нет прав на открытие порта " + shell.emulator.slavePath()),
                 qPrintable(text));
        QVERIFY2(text.contains("выйдите из системы и войдите снова"), qPrintable(text));
        QVERIFY(shell.prompts.done());
        // The stick has been reached: the advice is no longer needed.
        QTRY_VERIFY(!shell.notice->isVisible());
    }

    void closedNoticeStaysClosedForTheRun()
    {
        const QString locked = "/dev/ttyVexoLocked4";
        Shell shell({locked}, [&](const QString &name) { return name == locked; });
        // The user closes the strip as soon as it shows.
        connect(
            &shell.window->session(), &QModemSession::portAccessDenied, this,
            [&] { shell.notice->findChild<QToolButton *>()->click(); }, Qt::QueuedConnection);
        QVERIFY(shell.open());
        QCOMPARE(shell.denied->size(), 1);
        // A device file that cannot be looked at gets the usual group.
        QVERIFY2(shell.notice->text().contains("sudo usermod -aG dialout $USER"),
                 qPrintable(shell.notice->text()));

        // The stick goes away: the search meets the refused port again and again, silently.
        shell.emulator.closeLine();
        QVERIFY(QTest::qWaitFor([&] { return shell.denied->size() >= 3; }, 10000));
        QVERIFY(!shell.notice->isVisible());
        QVERIFY(shell.prompts.done());
    }

    void portHeldElsewhereIsNamedUntilItIsFree()
    {
        Shell shell({}, [](const QString &) { return false; });
        const QString path = shell.emulator.slavePath();
        QSerialPort holder; // another program with the stick's port open
        holder.setPortName(path);
        QVERIFY(holder.open(QIODevice::ReadWrite));
        QSignalSpy busy(&shell.window->session(), &QModemSession::portBusy);
        ShowCounter counter;
        shell.notice->installEventFilter(&counter);
        shell.window->show();
        QTRY_VERIFY_WITH_TIMEOUT(busy.size() >= 3, 10000);
        QVERIFY(shell.notice->isVisible());
        QCOMPARE(counter.shows, 1);
        QVERIFY2(shell.notice->text().startsWith("Порт " + path + " занят другой программой."),
                 qPrintable(shell.notice->text()));
        QVERIFY(!shell.window->modem().connected());

        holder.close();
        QVERIFY(shell.open());
        QTRY_VERIFY(!shell.notice->isVisible());
        QCOMPARE(shell.denied->size(), 0);
        QVERIFY(shell.prompts.done());
    }

    void namesTheGroupOfTheDeviceFile()
    {
        // A device of a group other than the usual one, reached through a link as
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
        QVERIFY2(notice.text().contains("(sudo usermod -aG " + chosen + " $USER)"),
                 qPrintable(notice.text()));
        QVERIFY(notice.text().contains("в группу " + chosen + " "));
    }
};

QTEST_MAIN(tst_portaccess)
#include "tst_portaccess.moc"
