#include "mainwindow.h"
#include "prompts.h"
#include "signalwatcher.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QResource>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // Russian until the language settings say otherwise; sources are UTF-8.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    QApplication app(argc, argv);
    QApplication::setApplicationName("Vexo Control Tool");
    QApplication::setApplicationVersion(MainWindow::versionText());
    QApplication::setWindowIcon(QIcon(":/images/app.ico"));

    QCommandLineParser parser;
    parser.setApplicationDescription("Vexo Control Tool");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(
        "port", "Probe the serial device PATH before the system's ports (repeatable).", "PATH");
    const QCommandLineOption demoOption(
        "demo", "Start the built-in emulated USB-stick on a pseudo-terminal and probe it.");
    parser.addOption(portOption);
    parser.addOption(demoOption);
    parser.process(app);

    // Plug-ins and an optional resource file shipped beside the executable.
    QCoreApplication::addLibraryPath(QCoreApplication::applicationDirPath() + "/imageformats");
    QResource::registerResource(QCoreApplication::applicationDirPath() + "/data.qrc", "");

    ShellOptions options;
    options.ports = parser.values(portOption);
    options.demo = parser.isSet(demoOption);
    if (options.demo) {
        QTextStream(stderr) << "--demo: the emulated USB-stick is not available in this build\n";
        return 2;
    }

    DefaultPrompts prompts;
    auto *window = new MainWindow(&app, &prompts, options);

    // SIGINT/SIGTERM: leave as after the close button, minus the exit question.
    SignalWatcher signals_;
    QObject::connect(&signals_, &SignalWatcher::terminationRequested, window,
                     &MainWindow::close_without_confirmation);

    window->show();
    const int result = app.exec();
    delete window;
    return result;
}
