#include "mainwindow.h"
#include "prompts.h"
#include "signalwatcher.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLocale>
#include <QResource>
#include <QTextStream>

#ifdef VEXO_HAVE_EMULATOR
#include "emulator.h"
#include "firmwarefile.h"
#include "qupdatecontroller.h"
#include "updateserver.h"
#include <memory>
#endif

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
    const QCommandLineOption portOption(
        "port", "Probe the serial device PATH before the system's ports (repeatable).", "PATH");
    const QCommandLineOption demoOption(
        "demo", "Start the built-in emulated USB-stick on a pseudo-terminal and probe it.");
    parser.addOptions({helpOption, portOption, demoOption});
    const QString usage = parser.helpText().replace(
        "<executable_name>", QFileInfo(arguments.value(0, "vexo-control-tool")).fileName());
    if (!parser.parse(arguments)) {
        QTextStream(stderr) << parser.errorText() << "\n\n" << usage;
        return 1;
    }
    if (parser.isSet(helpOption)) {
        QTextStream(stdout) << usage;
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Vexo Control Tool");
    QApplication::setApplicationVersion(MainWindow::versionText());
    QApplication::setWindowIcon(QIcon(":/images/app.ico"));

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
    if (options.demo) {
#ifdef VEXO_HAVE_EMULATOR
        // Its own thread: the stick must answer while we sit in modal dialogs.
        demo = std::make_unique<vexo::emu::Emulator>(vexo::emu::EmulatorState::demo());
        demo->setPacing(true);
        if (!demo->start(true)) {
            QTextStream(stderr) << "--demo: " << demo->errorString() << "\n";
            return 2;
        }
        options.ports.prepend(demo->slavePath());
        QTextStream(stderr) << "--demo: emulated USB-stick on " << demo->slavePath() << "\n";
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
#else
        QTextStream(stderr) << "--demo: the emulated USB-stick is not part of this build\n";
        return 2;
#endif
    }

    DefaultPrompts prompts;
    auto *window = new MainWindow(&app, &prompts, options);
#ifdef VEXO_HAVE_EMULATOR
    if (demoServer)
        window->updates().setServerAddress(demoServer->address());
#endif

    // SIGINT/SIGTERM: leave as after the close button, minus the exit question.
    SignalWatcher signals_;
    QObject::connect(&signals_, &SignalWatcher::terminationRequested, window,
                     &MainWindow::close_without_confirmation);

    window->show();
    const int result = app.exec();
    delete window;
    return result;
}
