// vexo-emulator: the emulated stick and actuator on a pseudo-terminal, driven from
// standard input. The first line of standard output is the pseudo-terminal's path.
#include "consolecommands.h"
#include "emulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace vexo::emu;

namespace
{

void print(const QString &text)
{
    if (text.isEmpty())
        return;
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// A termination signal is written here and read in the event loop, which ends the
// program the ordinary way: the link goes with the line, as on "quit".
int signalPipe[2] = {-1, -1};

void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

bool catchTerminationSignals()
{
    if (::pipe(signalPipe) != 0)
        return false;
    ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    return ::sigaction(SIGTERM, &action, nullptr) == 0 &&
           ::sigaction(SIGINT, &action, nullptr) == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vexo-emulator"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Emulated USB-stick and actuator on a pseudo-terminal. Prints the terminal's path, then "
        "reads commands from standard input (help lists them)."));
    parser.addHelpOption();
    const QCommandLineOption stateOption(QStringLiteral("state"),
                                         QStringLiteral("Initial state from a JSON file."),
                                         QStringLiteral("FILE"));
    const QCommandLineOption demoOption(
        QStringLiteral("demo"),
        QStringLiteral("Start from the demonstration state (a dozen remotes)."));
    const QCommandLineOption paceOption(QStringLiteral("pace"),
                                        QStringLiteral("Pace output at 4800 baud."));
    const QCommandLineOption verboseOption(QStringLiteral("verbose"),
                                           QStringLiteral("Log every frame on standard error."));
    const QCommandLineOption linkOption(
        QStringLiteral("link"),
        QStringLiteral("Make the line reachable at PATH (a symbolic link), the same path on every "
                       "start; removed when the emulator ends."),
        QStringLiteral("PATH"));
    parser.addOptions({stateOption, demoOption, paceOption, verboseOption, linkOption});
    parser.process(app);

    if (parser.isSet(verboseOption))
        QLoggingCategory::setFilterRules(QStringLiteral("vexo.emulator.debug=true"));

    EmulatorState state = parser.isSet(demoOption) ? EmulatorState::demo() : EmulatorState();
    if (parser.isSet(stateOption)) {
        QString error;
        if (!EmulatorState::loadFile(parser.value(stateOption), &state, &error)) {
            std::fprintf(stderr, "vexo-emulator: %s\n", qPrintable(error));
            return 2;
        }
    }

    if (!catchTerminationSignals()) {
        std::fprintf(stderr, "vexo-emulator: cannot catch termination signals\n");
        return 1;
    }
    QSocketNotifier terminated(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&terminated, &QSocketNotifier::activated, &app, &QCoreApplication::quit);

    Emulator emulator(state);
    if (parser.isSet(linkOption))
        emulator.setLinkPath(parser.value(linkOption));
    if (!emulator.start(false)) {
        std::fprintf(stderr, "vexo-emulator: cannot open the line: %s\n",
                     qPrintable(emulator.errorString()));
        return 1;
    }
    emulator.setPacing(parser.isSet(paceOption));
    print(emulator.slavePath());

    ConsoleCommands commands(&emulator);
    QByteArray pending;
    const bool interactive = isatty(STDIN_FILENO);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&]() {
        char buf[1024];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            // End of input: an interactive user is done; a script that merely closed
            // its end of the pipe leaves the device running until it is killed.
            input.setEnabled(false);
            if (interactive)
                app.quit();
            return;
        }
        pending.append(buf, int(n));
        qsizetype eol;
        while ((eol = pending.indexOf('\n')) >= 0) {
            const QString line = QString::fromLocal8Bit(pending.left(eol));
            pending.remove(0, eol + 1);
            bool quit = false;
            print(commands.execute(line, &quit));
            if (quit) {
                app.quit();
                return;
            }
        }
    });
    return app.exec();
}
