#pragma once

#include "qcontroldevice.h"
#include "terminalprompts.h"

#include <QDeadlineTimer>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>

#include <functional>

class QFlashController;
class QModemSession;
class QOperation;
class QParamController;
class QTableCompare;
class QTableCopy;
class QTableCsv;
class QTableFiles;
class QTableTransfers;
class QTimer;
class RemoteList;
class SiteLibrary;
struct Site;

// What the command line asks for.
struct CtlOptions {
    QStringList ports;
    bool json = false;
    bool yes = false;
    QString passwordFile;
    QString output;        // read -o FILE, report -o FILE.pdf
    QString site;          // --site NAME: files a snapshot of the stick under that site
    QString language;      // --lang CODE: the report's language
    bool actuator = false; // flash into the actuator
    QString command;
    QStringList arguments;
};

// The program's exit codes.
enum CtlExit {
    EXIT_DONE = 0,
    EXIT_FAILED = 1, // the stick refused, the line was cut, the user said no
    EXIT_USAGE = 2,  // bad usage, or an unreadable or invalid file
    EXIT_NO_STICK = 3,
};

// One command of vexoctl on the window's libraries: the same session, table parts,
// parameter and flashing controllers, operation log and backups, without a window. It
// finds the stick, runs the command's operations one after another and ends with an exit
// code.
class VexoCtl : public QObject
{
    Q_OBJECT
public:
    explicit VexoCtl(const CtlOptions &options, QObject *parent = nullptr);
    ~VexoCtl() override;

    static QStringList commands();
    // Checks the arguments and the files named, then starts; false when it has already
    // ended (finished has been emitted).
    bool start();
    // SIGINT or SIGTERM: the running operation is cancelled as its Cancel would (a cut
    // write still gives the stick its table back); the command ends once it has.
    void interrupt();

signals:
    void finished(int exitCode);

private:
    using Step = std::function<void()>;

    // Checking before the stick is looked for.
    bool checkArguments();
    bool loadPassword();
    bool loadTableFile(QList<QControlDevice> *list);
    bool checkFirmwareFile();
    bool parseParams();
    void buildSession();
    void sessionOpened();
    void runCommand();

    void end(int code, const QString &message = QString());
    // Runs then once operation has finished; a null or failed one ends the command.
    void after(QOperation *operation, const Step &then, const QString &failure = QString());
    // Full access for a change: the password asked or taken from the file when the stick
    // has one; then runs once the session is idle again with full access.
    void withFullAccess(const Step &then);
    void whenIdle(const Step &then);
    // The stick's table read as the window reads it on opening (and backed up).
    void readStickTable(const Step &then);
    // Asks before a change; a no ends the command.
    bool confirm(const QString &question);

    // Commands; table.cpp and device.cpp.
    void listPorts();
    void showInfo();
    void readTable();
    void backupTable();
    void writeTable();
    void compareTable(bool apply);
    void exportCsv();
    void importCsv();
    void flash();
    void params();
    void showLog();
    // Commands on the sites, without a stick; sites.cpp.
    static bool isSiteCommand(const QString &command);
    void runSiteCommand();
    void showHistory(const SiteLibrary &library, const Site &site);
    void writeReport(const SiteLibrary &library, const Site &site);
    // With --site: the stick's table (read first when unknown), versions and parameters
    // kept as a snapshot of the site, then the command ends with code and message.
    void fileSiteSnapshot(int code, const QString &message);
    // The list written to the stick, as the window's "write" does.
    void writeList(const QString &what);

    CtlOptions m_options;
    TerminalPrompts m_prompts;
    QModemSession *m_session = nullptr;
    RemoteList *m_list = nullptr;
    QTableFiles *m_files = nullptr;
    QTableTransfers *m_transfers = nullptr;
    QTableCopy *m_copier = nullptr;
    QTableCompare *m_compare = nullptr;
    QTableCsv *m_csv = nullptr;
    QParamController *m_params = nullptr;
    QFlashController *m_flasher = nullptr;
    QTimer *m_idle = nullptr;
    Step m_whenIdle;
    // Runs when the session opens again (a stick restarted by its new firmware).
    Step m_onReopen;
    QDeadlineTimer m_reopenBy;
    QString m_stickPort;
    // With --json: the one document printed at the end.
    QJsonObject m_result;
    bool m_commandStarted = false;
    bool m_ended = false;
    bool m_siteFiled = false;
    bool m_interrupted = false;
    // Full access was given to this command by its password.
    bool m_loggedIn = false;
    // Checked before the stick is searched for.
    QList<QControlDevice> m_fileTable;
    QByteArray m_csvBytes;
    QList<quint16> m_paramIds;
    QList<quint8> m_paramValues;
    bool m_paramWrite = false;
    QSet<QString> m_busyPorts; // named once each
};
