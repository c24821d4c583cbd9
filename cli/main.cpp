// vexoctl: the program's work from a shell, for scripts, remote sites and workshop benches.
#include "console.h"
#include "signalwatcher.h"
#include "vexoctl.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QTextStream>

#include <algorithm>
#include <cstring>
#include <memory>

namespace
{
const char *const CommandHelp = R"(
Commands:
  ports                    the serial ports and which one answers as a USB-stick
  info                     versions, mode, access level, memory status
  read [-o FILE]           read the stick's table; -o writes a database file
  write FILE               write FILE's table to the stick (cleared first: asks, or --yes)
  compare FILE             the differences between FILE and the stick, one per line
  apply FILE               apply only the differences to the stick
  backup                   read the stick and keep a backup in the program's data folder
  export-csv FILE          the stick's table as CSV
  import-csv FILE          judge each row of a CSV file, then write the table to the stick
  flash FILE [--actuator]  flash a firmware file into the stick or the actuator
  params [NAME[=VALUE]]... read the actuator's parameters, or write the ones given
                           (work_mode, short_command_time, blinds_time, roller_time)
  log                      the operation log
  sites                    the sites in the program's data folder
  history SITE             a site's snapshots, with what changed since the one before
  find TEXT                where a remote is registered: its id or part of its owner's name
  report SITE -o FILE.pdf  the customer's report of a site (--lang ru, en, uk or pl)

--site NAME on a command that talks to the stick keeps a snapshot of the stick's table,
versions and parameters under that site, made when there is none.

Exit status: 0 done, 1 the operation failed, 2 bad usage or an unreadable or invalid
file, 3 no USB-stick found.
)";
} // namespace

int main(int argc, char *argv[])
{
    // The report lays its pages out with fonts, which takes a GUI application; no display
    // is needed for it.
    const bool report = std::any_of(argv + 1, argv + argc,
                                    [](const char *a) { return std::strcmp(a, "report") == 0; });
    if (report && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> application(report ? new QGuiApplication(argc, argv)
                                                               : new QCoreApplication(argc, argv));
    QCoreApplication &app = *application;
    const console::ConsoleSetup consoleSetup;
    QCoreApplication::setApplicationName(QStringLiteral("vexoctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXO_VERSION_TEXT));
    // As the window: Russian unless told otherwise, and so CSV files are alike.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Vexo Control Tool on the command line: the remote tables, parameters and "
                       "firmware of the Vexo USB-stick and its actuator."));
    const QCommandLineOption helpOption({"h", "help"}, "Show this help.");
    const QCommandLineOption versionOption({"v", "version"}, "Show the program's version.");
    const QCommandLineOption portOption(
        "port", "Probe only the serial device PATH (repeatable); without it, as the window.",
        "PATH");
    const QCommandLineOption jsonOption("json", "Print one JSON document on standard output.");
    const QCommandLineOption yesOption(
        "yes", "Answer yes to every question (to a repeat after a refusal: 3 times in a row).");
    const QCommandLineOption passwordOption(
        "password-file", "Read the USB-stick's password from the first line of FILE.", "FILE");
    const QCommandLineOption outputOption({"o", "output"}, "read: write the table to FILE.",
                                          "FILE");
    const QCommandLineOption actuatorOption("actuator", "flash: into the actuator.");
    const QCommandLineOption siteOption(
        "site", "Keep a snapshot of the stick under the site NAME after the command.", "NAME");
    const QCommandLineOption languageOption("lang", "report: in this language (ru, en, uk, pl).",
                                            "CODE");
    parser.addOptions({helpOption, versionOption, portOption, jsonOption, yesOption, passwordOption,
                       outputOption, actuatorOption, siteOption, languageOption});
    parser.addPositionalArgument("command", "One of the commands below.", "COMMAND [ARGUMENT]...");
    const QString usage = parser.helpText() + QString::fromLatin1(CommandHelp);

    if (!parser.parse(QCoreApplication::arguments())) {
        QTextStream(stderr) << parser.errorText() << "\n\n" << usage;
        return EXIT_USAGE;
    }
    if (parser.isSet(helpOption)) {
        QTextStream(stdout) << usage;
        return EXIT_DONE;
    }
    if (parser.isSet(versionOption)) {
        QTextStream(stdout) << "vexoctl (Vexo Control Tool) " << VEXO_VERSION_TEXT << "\n";
        return EXIT_DONE;
    }

    CtlOptions options;
    options.ports = parser.values(portOption);
    options.json = parser.isSet(jsonOption);
    options.yes = parser.isSet(yesOption);
    options.passwordFile = parser.value(passwordOption);
    options.output = parser.value(outputOption);
    options.actuator = parser.isSet(actuatorOption);
    options.site = parser.value(siteOption);
    options.language = parser.value(languageOption);
    options.arguments = parser.positionalArguments();
    if (!options.arguments.isEmpty())
        options.command = options.arguments.takeFirst();

    SignalWatcher signals_;
    VexoCtl ctl(options);
    int exitCode = EXIT_FAILED;
    QObject::connect(&ctl, &VexoCtl::finished, &app, [&exitCode](int code) {
        exitCode = code;
        QCoreApplication::exit(code);
    });
    if (!ctl.start())
        return exitCode;
    QObject::connect(&signals_, &SignalWatcher::terminationRequested, &ctl, &VexoCtl::interrupt);
    signals_.start();
    app.exec();
    return exitCode;
}
