#include "vexoctl.h"

#include "console.h"
#include "qdbmanipulator.h"
#include "qflashcontroller.h"
#include "qmodemsession.h"
#include "qoperation.h"
#include "qoperationlog.h"
#include "qparamcontroller.h"
#include "qtablecompare.h"
#include "qtablecopy.h"
#include "qtablecsv.h"
#include "qtablefiles.h"
#include "qtabletransfers.h"
#include "remotelist.h"
#include "secret.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSettings>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace
{
constexpr int IDLE_POLL_MS = 20;
// A password is at most a few dozen bytes: a larger file is some other file.
constexpr qsizetype PASSWORD_FILE_LIMIT = 1024;

// Commands and how many arguments each takes (-1: any number).
struct CommandSpec {
    const char *name;
    int arguments;
};
constexpr CommandSpec Commands[] = {
    {"ports", 0},      {"info", 0},    {"read", 0},    {"write", 1},
    {"compare", 1},    {"apply", 1},   {"backup", 0},  {"export-csv", 1},
    {"import-csv", 1}, {"flash", 1},   {"params", -1}, {"log", 0},
    {"sites", 0},      {"history", 1}, {"find", 1},    {"report", 1},
};
} // namespace

VexoCtl::VexoCtl(const CtlOptions &options, QObject *parent) : QObject(parent), m_options(options)
{
    m_prompts.setAssumeYes(options.yes);
    m_idle = new QTimer(this);
    m_idle->setInterval(IDLE_POLL_MS);
    connect(m_idle, &QTimer::timeout, this, [this] {
        if (m_session->busy())
            return;
        m_idle->stop();
        if (const Step then = std::exchange(m_whenIdle, {}))
            then();
    });
}

VexoCtl::~VexoCtl()
{
    // Owners first, then the session, which ends its link thread and closes the port, all
    // while the prompts still exist.
    delete m_flasher;
    delete m_params;
    delete m_csv;
    delete m_compare;
    delete m_copier;
    delete m_transfers;
    delete m_files;
    delete m_list;
    delete m_session;
}

QStringList VexoCtl::commands()
{
    QStringList names;
    for (const CommandSpec &c : Commands)
        names << QString::fromLatin1(c.name);
    return names;
}

bool VexoCtl::start()
{
    if (!checkArguments() || !loadPassword())
        return false;
    const QString &command = m_options.command;
    if (command == QLatin1String("log")) {
        showLog();
        return false;
    }
    if (isSiteCommand(command)) {
        runSiteCommand();
        return false;
    }
    if ((command == QLatin1String("write") || command == QLatin1String("compare") ||
         command == QLatin1String("apply")) &&
        !loadTableFile(&m_fileTable))
        return false;
    if (command == QLatin1String("import-csv")) {
        QFile file(m_options.arguments.first());
        if (!file.open(QIODevice::ReadOnly)) {
            end(EXIT_USAGE, file.fileName() + ": " + file.errorString());
            return false;
        }
        m_csvBytes = file.readAll();
    }
    if (command == QLatin1String("flash") && !checkFirmwareFile())
        return false;
    if (command == QLatin1String("params") && !parseParams())
        return false;
    buildSession();
    m_session->start_autoconnect();
    return true;
}

bool VexoCtl::checkArguments()
{
    const QString &command = m_options.command;
    int expected = -2;
    for (const CommandSpec &c : Commands)
        if (command == QLatin1String(c.name))
            expected = c.arguments;
    if (expected == -2) {
        end(EXIT_USAGE, command.isEmpty() ? QStringLiteral("a command is needed; see --help")
                                          : QStringLiteral("unknown command '%1'").arg(command));
        return false;
    }
    if (expected >= 0 && m_options.arguments.size() != expected) {
        const QString what = command == QLatin1String("find") ? QStringLiteral("TEXT")
                             : isSiteCommand(command)         ? QStringLiteral("SITE")
                                                              : QStringLiteral("FILE");
        end(EXIT_USAGE, expected == 0 ? QStringLiteral("%1 takes no arguments").arg(command)
                                      : QStringLiteral("%1 needs a %2").arg(command, what));
        return false;
    }
    if (!m_options.output.isEmpty() && command != QLatin1String("read") &&
        command != QLatin1String("report")) {
        end(EXIT_USAGE, QStringLiteral("-o is for read and report only"));
        return false;
    }
    if (m_options.output.isEmpty() && command == QLatin1String("report")) {
        end(EXIT_USAGE, QStringLiteral("report needs -o FILE.pdf"));
        return false;
    }
    if (!m_options.site.trimmed().isEmpty() &&
        (isSiteCommand(command) || command == QLatin1String("log"))) {
        end(EXIT_USAGE, QStringLiteral("--site is for the commands on the USB-stick"));
        return false;
    }
    if (m_options.site.isEmpty() != m_options.site.trimmed().isEmpty()) {
        end(EXIT_USAGE, QStringLiteral("--site needs a name"));
        return false;
    }
    if (!m_options.language.isEmpty() && command != QLatin1String("report")) {
        end(EXIT_USAGE, QStringLiteral("--lang is for report only"));
        return false;
    }
    if (m_options.actuator && command != QLatin1String("flash")) {
        end(EXIT_USAGE, QStringLiteral("--actuator is for flash only"));
        return false;
    }
    return true;
}

bool VexoCtl::loadPassword()
{
    if (m_options.passwordFile.isEmpty())
        return true;
    QFile file(m_options.passwordFile);
    if (!file.open(QIODevice::ReadOnly)) {
        end(EXIT_USAGE, file.fileName() + ": " + file.errorString());
        return false;
    }
#ifdef Q_OS_UNIX
    // As ssh does with its keys: a password others may read is no secret any more.
    struct stat st = {};
    if (::fstat(file.handle(), &st) == 0 && (st.st_mode & (S_IRWXG | S_IRWXO))) {
        end(EXIT_USAGE, QStringLiteral("%1: others may read or change it (mode %2); make it "
                                       "yours alone: chmod 600 %1")
                            .arg(file.fileName())
                            .arg(st.st_mode & 0777, 4, 8, QLatin1Char('0')));
        return false;
    }
#endif
    QByteArray bytes = file.read(PASSWORD_FILE_LIMIT + 1);
    file.close();
    if (bytes.size() > PASSWORD_FILE_LIMIT) {
        secret::wipe(bytes);
        end(EXIT_USAGE, QStringLiteral("%1: larger than %2 bytes, not a password file")
                            .arg(file.fileName())
                            .arg(PASSWORD_FILE_LIMIT));
        return false;
    }
    // The first line, without its end; the password itself goes nowhere else.
    qsizetype length = bytes.indexOf('\n');
    if (length < 0)
        length = bytes.size();
    while (length > 0 && bytes.at(length - 1) == '\r')
        --length;
    QString password = QString::fromUtf8(bytes.constData(), length);
    secret::wipe(bytes);
    if (password.isEmpty()) {
        end(EXIT_USAGE, file.fileName() + ": no password in its first line");
        return false;
    }
    m_prompts.setPassword(std::move(password));
    return true;
}

bool VexoCtl::loadTableFile(QList<QControlDevice> *list)
{
    QString error;
    if (!QDbManipulator::loadFromFile(m_options.arguments.first(), *list, &error)) {
        end(EXIT_USAGE, m_options.arguments.first() + ": " + error);
        return false;
    }
    return true;
}

void VexoCtl::buildSession()
{
    // As the window: its data folder for backups and the operation log, its settings.
    QDir().mkpath(QTableFiles::dataDirectory());
    m_session = new QModemSession(&m_prompts, nullptr);
    // Ports named on the command line are the only ones probed.
    m_session->setPorts(m_options.ports, m_options.ports.isEmpty());
    m_session->operationLog()->setPath(QTableFiles::operationLogPath());
    m_list = new RemoteList([session = m_session] { return session->connected(); });
    m_files = new QTableFiles(m_session, m_list);
    m_transfers = new QTableTransfers(m_session, m_list, m_files);
    const QSettings settings(QStringLiteral("Vexo Electronics"),
                             QStringLiteral("Vexo Control Tool"));
    m_transfers->setVerifyAfterWrite(QTableTransfers::readVerifySetting(settings));
    m_copier = new QTableCopy(m_session, m_list, m_files, m_transfers);
    m_compare = new QTableCompare(m_session, m_list, m_files, m_transfers);
    m_csv = new QTableCsv(m_session, m_list);
    m_params = new QParamController(m_session, nullptr);
    m_flasher = new QFlashController(m_session);
    console::watchOperations(m_session);
    // The window's status-bar notes: a check passed, the old table given back.
    connect(m_transfers, &QTableTransfers::statusMessage, this, &console::err);
    connect(m_compare, &QTableCompare::statusMessage, this, &console::err);

    connect(m_session, &QModemSession::sessionOpened, this, &VexoCtl::sessionOpened,
            Qt::QueuedConnection);
    connect(m_session, &QModemSession::searchPassFailed, this, [this] {
        if (m_onReopen && m_reopenBy.hasExpired())
            end(EXIT_FAILED, QStringLiteral("the USB-stick did not answer again"));
        if (m_commandStarted)
            return;
        const QString where = m_options.ports.isEmpty() ? QStringLiteral("on the serial ports")
                                                        : "on " + m_options.ports.join(", ");
        if (m_options.command == QLatin1String("ports"))
            listPorts();
        end(EXIT_NO_STICK, "no USB-stick answers " + where);
    });
    connect(m_session, &QModemSession::portAccessDenied, this, [](const QString &port) {
        console::err(port + ": no permission to open it (is the user in the dialout group?)");
    });
    connect(m_session, &QModemSession::portBusy, this, [this](const QString &port) {
        if (!m_busyPorts.contains(port)) {
            m_busyPorts.insert(port);
            console::err(port + ": taken by another program; close that program and try again");
        }
    });
}

void VexoCtl::sessionOpened()
{
    if (m_ended)
        return;
    if (m_commandStarted) {
        if (const Step then = std::exchange(m_onReopen, {}))
            then();
        return;
    }
    m_commandStarted = true;
    m_stickPort = m_session->portName();
    runCommand();
}

void VexoCtl::runCommand()
{
    const QString &c = m_options.command;
    if (c == QLatin1String("ports")) {
        listPorts();
        end(EXIT_DONE);
    } else if (c == QLatin1String("info"))
        showInfo();
    else if (c == QLatin1String("read"))
        readTable();
    else if (c == QLatin1String("backup"))
        backupTable();
    else if (c == QLatin1String("write"))
        writeTable();
    else if (c == QLatin1String("compare") || c == QLatin1String("apply"))
        compareTable(c == QLatin1String("apply"));
    else if (c == QLatin1String("export-csv"))
        exportCsv();
    else if (c == QLatin1String("import-csv"))
        importCsv();
    else if (c == QLatin1String("flash"))
        flash();
    else if (c == QLatin1String("params"))
        params();
}

void VexoCtl::end(int code, const QString &message)
{
    if (m_ended)
        return;
    if (code == EXIT_DONE && !m_options.site.isEmpty() && m_commandStarted && !m_siteFiled) {
        fileSiteSnapshot(code, message);
        return;
    }
    m_ended = true;
    if (m_options.json && !m_result.isEmpty())
        console::out(QString::fromUtf8(QJsonDocument(m_result).toJson()));
    if (!message.isEmpty())
        console::err("vexoctl: " + message);
    if (!std::exchange(m_loggedIn, false) || !m_session->connected()) {
        m_idle->stop();
        emit finished(code);
        return;
    }
    // A stick left with full access would take changes from anyone: back to user access,
    // as the window's user mode does.
    whenIdle([this, code] {
        m_session->user_mode_clicked();
        whenIdle([this, code] { emit finished(code); });
    });
}

void VexoCtl::interrupt()
{
    m_interrupted = true;
    m_prompts.declineAll();
    QOperation *running = m_session ? m_session->currentOperation() : nullptr;
    if (!running) {
        end(EXIT_FAILED, QStringLiteral("interrupted"));
        return;
    }
    // Ends through the operation's own end, once what it gives back is back. A part that
    // cannot be cut runs to its end; the next part that can be is cut.
    console::err(running->isCancelEnabled()
                     ? QStringLiteral("interrupted: cancelling the operation")
                     : QStringLiteral("interrupted: cancelling once the operation can be cut"));
    // Queued: a part is made cancellable before its transaction starts, and a cancel
    // between two transactions would end the operation before it could give anything back.
    connect(
        running, &QOperation::cancelEnabledChanged, running,
        [running](bool enabled) {
            if (enabled)
                running->cancel();
        },
        Qt::QueuedConnection);
    running->cancel();
}

void VexoCtl::after(QOperation *operation, const Step &then, const QString &failure)
{
    if (!operation) {
        end(EXIT_FAILED, failure);
        return;
    }
    connect(operation, &QOperation::finished, this, [this, operation, then, failure] {
        if (operation->succeeded() && !m_interrupted) {
            // Queued: whatever the end of this operation set going comes first.
            QTimer::singleShot(0, this, [this, then] {
                if (!m_ended)
                    then();
            });
            return;
        }
        if (operation->succeeded()) {
            end(EXIT_FAILED,
                QStringLiteral("interrupted after \"%1\" went through").arg(operation->text()));
            return;
        }
        switch (operation->outcome()) {
        case QOperation::Cancelled:
            end(EXIT_FAILED, QStringLiteral("cancelled: ") + failure);
            break;
        case QOperation::Refused:
        case QOperation::Lost:
            end(EXIT_FAILED, operation->errorString() + "\n" + failure);
            break;
        default:
            end(EXIT_FAILED, m_interrupted ? QStringLiteral("interrupted: ") + failure : failure);
        }
    });
}

void VexoCtl::whenIdle(const Step &then)
{
    m_whenIdle = then;
    m_idle->start();
}

void VexoCtl::withFullAccess(const Step &then)
{
    if (m_session->modem().protectionMode() != PROTECTION_LOCKED) {
        then();
        return;
    }
    // The window's administrator mode: the password asked for, the log-in, the access
    // state read again.
    m_session->admin_mode_clicked();
    whenIdle([this, then] {
        if (m_session->modem().protectionMode() == PROTECTION_LOCKED) {
            end(EXIT_FAILED,
                QStringLiteral("the USB-stick has a password and gave no full access"));
            return;
        }
        m_loggedIn = true;
        then();
    });
}

void VexoCtl::readStickTable(const Step &then)
{
    after(m_transfers->load_db_from_modem(), then,
          QStringLiteral("the USB-stick's table was not read"));
}

bool VexoCtl::confirm(const QString &question)
{
    if (m_prompts.ask(question))
        return true;
    end(EXIT_FAILED, QStringLiteral("nothing was changed"));
    return false;
}
