#include "defaultprompts.h"
#include "mainwindow.h"
#include "privatefiles.h"
#include "qmodemsession.h"
#include "qtablefiles.h"
#include "signalwatcher.h"
#include "singleinstance.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QResource>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#ifdef VEXO_HAVE_EMULATOR
#include "emulator.h"
#include "firmwarefile.h"
#include "qupdatecontroller.h"
#include "updateserver.h"
#endif

#include <memory>

int main(int argc, char *argv[])
{
    // Russian until the language settings say otherwise; sources are UTF-8.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    // Parsed before the application object, so --help works without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription("Vexo Control Tool " + MainWindow::versionText());
    const QCommandLineOption helpOption({"h", "help"}, "Show this help.");
    const QCommandLineOption versionOption({"v", "version"}, "Show the program's version.");
    const QCommandLineOption portOption(
        "port", "Probe the serial device PATH before the system's ports (repeatable).", "PATH");
    const QCommandLineOption demoOption(
        "demo", "Start the built-in emulated USB-stick on a pseudo-terminal and probe it.");
    parser.addOptions({helpOption, versionOption, portOption, demoOption});
    const QString usage = parser.helpText().replace(
        "<executable_name>", QFileInfo(arguments.value(0, "vexo-control-tool")).fileName());
    // Exit codes as command-line tools have them: 2 for a usage error.
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString error =
            parser.errorText().isEmpty()
                ? "Unexpected argument '" + parser.positionalArguments().first() + "'."
                : parser.errorText();
        QTextStream(stderr) << error << "\n\n" << usage;
        return 2;
    }
    if (parser.isSet(helpOption)) {
        QTextStream(stdout) << usage;
        return 0;
    }
    if (parser.isSet(versionOption)) {
        QTextStream(stdout) << "Vexo Control Tool " << MainWindow::versionText() << "\n";
        return 0;
    }
    // The demonstration keeps to its own emulated stick: the machine's ports may hold a
    // real one, which it must never write to.
    if (parser.isSet(demoOption) && parser.isSet(portOption)) {
        QTextStream(stderr) << "--demo probes only its own emulated USB-stick; it cannot be "
                               "used with --port.\n\n"
                            << usage;
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Vexo Control Tool");
    QApplication::setApplicationVersion(MainWindow::versionText());
    // The installed theme icon when there is one; the built-in one otherwise.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("com.vexo.ControlTool"), QIcon(":/images/app.ico")));
    // Lets the desktop match the window with its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.vexo.ControlTool"));

    // A second program would fight the first over the serial port.
    SingleInstance instance;
    if (!instance.claim()) {
        if (instance.activateRunning()) {
            QTextStream(stderr) << "Vexo Control Tool is already running; its window was "
                                   "brought to the front.\n";
            return 0;
        }
        QTextStream(stderr) << "Vexo Control Tool is already running but does not answer.\n";
        return 1;
    }
    // Caught from here on; a signal during start-up waits until the window can take it.
    SignalWatcher signals_;

    // Plug-ins and an optional resource file shipped beside the executable.
    QCoreApplication::addLibraryPath(QCoreApplication::applicationDirPath() + "/imageformats");
    QResource::registerResource(QCoreApplication::applicationDirPath() + "/data.qrc", "");

#ifdef VEXO_HAVE_EMULATOR
    std::unique_ptr<vexo::emu::Emulator> demo; // outlives the window and its port
    std::unique_ptr<vexo::emu::UpdateServer> demoServer;
#endif
    ShellOptions options;
    options.ports = parser.values(portOption);
    options.demo = parser.isSet(demoOption);
    // The demo's backups, log, downloads and settings live and die with it; the user's
    // own are never touched.
    std::unique_ptr<QTemporaryDir> demoHome;
    if (options.demo) {
#ifdef VEXO_HAVE_EMULATOR
        demoHome = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/vexo-demo-XXXXXX");
        if (!demoHome->isValid()) {
            QTextStream(stderr) << "--demo: no folder of its own: " << demoHome->errorString()
                                << "\n";
            return 2;
        }
        QTableFiles::setDataDirectory(demoHome->filePath("data"));
        privatefiles::makeDirectory(QTableFiles::dataDirectory());
        options.settingsFile = demoHome->filePath("settings.ini");
        QTextStream(stderr) << "--demo: data and settings in " << demoHome->path() << "\n";
        // Its own thread: the stick must answer while we sit in modal dialogs.
        demo = std::make_unique<vexo::emu::Emulator>(vexo::emu::EmulatorState::demo());
        demo->setPacing(true);
        if (!demo->start(true)) {
            QTextStream(stderr) << "--demo: " << demo->errorString() << "\n";
            return 2;
        }
        options.ports = QStringList{demo->slavePath()};
        options.systemPorts = false;
        QTextStream(stderr) << "--demo: emulated USB-stick on " << demo->slavePath()
                            << ", the only port probed\n";
        // Files to try the firmware update with: newer than the emulated targets run.
        const QString firmware = MainWindow::dataDirectory() + "/demo-firmware";
        QString why;
        if (vexo::emu::writeDemoFirmware(firmware, vexo::emu::EmulatorState::demo(), &why)
                .isEmpty())
            QTextStream(stderr) << "--demo: " << why << "\n";
        else
            QTextStream(stderr) << "--demo: firmware files in " << firmware << "\n";
        // Its internet: an update server on this machine with newer firmware for both.
        demoServer = std::make_unique<vexo::emu::UpdateServer>();
        if (demoServer->listen()) {
            demoServer->publishDemo(vexo::emu::EmulatorState::demo());
            QTextStream(stderr) << "--demo: update server " << demoServer->address() << "\n";
        } else {
            demoServer.reset();
        }
#elif defined(Q_OS_WIN)
        // Started from a shortcut, the program has no console to print to.
        const QString why = "The demonstration runs on Linux only: its emulated USB-stick "
                            "needs a pseudo-terminal, which Windows does not have.";
        QTextStream(stderr) << "--demo: " << why << "\n";
        DefaultPrompts defaultPrompts;
        static_cast<Prompts &>(defaultPrompts).warning(nullptr, "Vexo Control Tool", why);
        return 2;
#else
        QTextStream(stderr) << "--demo: the emulated USB-stick is not part of this build\n";
        return 2;
#endif
    }

    DefaultPrompts prompts;
    auto *window = new MainWindow(&app, &prompts, options);
#ifdef VEXO_HAVE_EMULATOR
    if (demoServer) {
        // Its files are signed with a key made for this run, which stands in for the one
        // built in; an administrator's keys stay trusted, but sign nothing it serves.
        window->updates().setServerAddress(demoServer->address());
        window->updates().setPublicKey(demoServer->key().publicKeyLine());
    }
#endif
    instance.setWindow(window);

    // SIGINT/SIGTERM: leave as after the close button, minus the exit question. A running
    // operation is cancelled as its Cancel would (a cut table write gives the stick its
    // table back, and that giving back is not cut); the program leaves once the session is
    // idle. Every exchange has its time-out, so the wait is bounded; the limit is a last
    // resort, long enough for a full table to be written back.
    QObject::connect(&signals_, &SignalWatcher::terminationRequested, window, [window] {
        QModemSession &session = window->session();
        if (QOperation *operation = session.currentOperation())
            operation->cancel();
        window->closeWithoutConfirmation();
        auto *idle = new QTimer(window);
        const QDeadlineTimer limit(180000);
        QObject::connect(idle, &QTimer::timeout, window, [&session, limit] {
            if (!session.busy() || limit.hasExpired())
                QCoreApplication::quit();
        });
        idle->start(50);
    });
    signals_.start();

    window->show();
    const int result = app.exec();
    delete window;
    return result;
}
