#pragma once

#include "qexecdevice.h"
#include "qinterfacemessage.h"
#include "qmodem.h"
#include "qoperation.h"
#include "qoperationrunner.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class Prompts;
class QAutoConnectTool;
class QInterface_Manager;
class QOperationLog;
class QTimer;
class QWidget;

// One run of the program's dialogue with the USB-stick: finds the port, opens the
// session, runs one operation at a time, judges every answer, and holds the access
// state, the versions and the modes. Owners of other transactions register a step that
// judges their answers and sends their next command.
class QModemSession : public QObject
{
    Q_OBJECT
public:
    // Outcome of one exchange.
    enum TRANSACTION_RESULT_T {
        RESULT_OK = 0,
        RESULT_BAD_ANSWER = 1,
        RESULT_NO_ANSWER = 2,
        RESULT_NO_PRIVILEGES = 3,
        RESULT_NO_LINK = 4,
        RESULT_DEVICE_FAILED = 5,
        // The stick keeps saying "running" and gets no further.
        RESULT_STALLED = 6,
    };
    // "Running" answers in a row, after the first, that bring no progress before the
    // operation is given up: half a minute at one progress poll a second.
    static constexpr int StalledRunningLimit = 30;
    // Returned by a judge while its transaction stays open.
    static constexpr int RESULT_PENDING = -1;

    // prompts and dialogParent are not owned; dialogParent may be null.
    QModemSession(Prompts *prompts, QWidget *dialogParent, QObject *parent = nullptr);
    ~QModemSession() override;

    // Probed first, in this order; with includeSystem the system's ports follow.
    void setPorts(const QStringList &ports, bool includeSystem);

    QModem &modem() { return m_modem; }
    const QModem &modem() const { return m_modem; }
    QExecDevice &execDevice() { return m_execDevice; }
    QInterface_Manager *interfaceManager() const { return m_interfaceManager; }
    // The port the session runs on, or the one last tried.
    QString portName() const;
    // Runs then once no command is out on the line, unless context is gone first.
    // A command the link had to drop makes dropped true (see QInterface_Manager::whenFree).
    void whenLineFree(QObject *context, const std::function<void(bool dropped)> &then);
    // Runs then once no operation runs and no command is out, unless context is gone first.
    void whenIdle(QObject *context, const std::function<void(bool dropped)> &then)
    {
        m_runner->whenIdle(context, then);
    }
    // Closes the port and nothing more: the stick restarting on purpose is found anew.
    void closeLine();
    Prompts *prompts() const { return m_prompts; }
    // Every change made to the stick or the actuator is appended here.
    QOperationLog *operationLog() const { return m_operationLog; }
    QWidget *dialogParent() const { return m_dialogParent; }
    bool connected() const { return m_modem.connected(); }
    bool searching() const { return m_runner->searching(); }
    MODEM_TRANSACTION_T currentTransaction() const { return m_modem.currentTransaction(); }
    // The identification answer of the port the session runs on.
    quint16 probeValue() const { return m_probeValue; }
    quint16 probeWord3() const { return m_probeWord3; }

    // The operations run through the session's runner (see QOperationRunner).
    using Continuation = QOperationRunner::Continuation;
    QOperationRunner *runner() const { return m_runner; }
    QLineOperation *start(const QString &text, bool cancelEnabled, MODEM_TRANSACTION_T transaction,
                          const std::function<void()> &sendFirst, const Continuation &then = {})
    {
        return m_runner->start(text, cancelEnabled, transaction, sendFirst, then);
    }
    // An operation whose transactions the caller runs with proceed(), at once. One that
    // shownByCaller is watched in a dialog of the caller's own and not announced.
    QLineOperation *begin(const QString &text, bool cancelEnabled, bool shownByCaller = false)
    {
        return m_runner->begin(text, cancelEnabled, shownByCaller);
    }
    // begin(), or null after telling the user why not while another operation runs.
    QLineOperation *beginOrTell(const QString &text, bool cancelEnabled)
    {
        return m_runner->beginOrTell(text, cancelEnabled);
    }
    // An operation of the caller's own class, run as begin() runs one; false (and the
    // operation refused) while another runs.
    bool run(QLineOperation *operation, bool shownByCaller = false)
    {
        return m_runner->run(operation, shownByCaller);
    }
    // The next transaction of the running operation, from its continuation; false (and the
    // operation ended) when the stick is gone. The transaction's answers go to step, when
    // given.
    bool proceed(QOperation *operation, MODEM_TRANSACTION_T transaction,
                 const std::function<void()> &sendFirst, const Continuation &then = {},
                 QLineStep *step = nullptr)
    {
        return m_runner->proceed(operation, transaction, sendFirst, then, step);
    }
    // Ends the running operation from its continuation, whatever its last transaction gave.
    void complete(QOperation *operation, bool ok) { m_runner->complete(operation, ok); }
    // From a continuation: the operation goes on later without a transaction (a wait while
    // a target restarts) and ends only through proceed() or complete().
    void hold(QOperation *operation) { m_runner->hold(operation); }
    // The version queries and the actuator's initialisation as the next transaction of
    // operation, shown with their own texts.
    bool proceedDeviceVersion(QOperation *operation, const Continuation &then);
    bool proceedModemVersion(QOperation *operation, const Continuation &then);
    bool proceedDeviceInit(QOperation *operation, const Continuation &then);
    QLineOperation *currentOperation() const { return m_runner->current(); }
    bool busy() const { return m_runner->current() != nullptr; }
    // The text a refused operation carries.
    static QString busyText() { return QOperationRunner::busyText(); }
    // The stick stopped answering, and what of operation stays undone.
    static QString lostMessage(const QOperation *operation)
    {
        return QOperationRunner::lostMessage(operation);
    }

    // A command the device takes long over (a clear, a firmware block) is waited for
    // timeoutFactor answer time-outs.
    bool sendCommand(QRS232Message &message, int timeoutFactor = 1);
    void sendDataCommand(quint16 command, quint16 target, const QByteArray &payload = {},
                         int timeoutFactor = 1);
    void sendShortCommand(quint8 cls, quint8 number, quint8 arg1 = 0);
    // The actuator as addressed now: directly, or in its autonomous mode.
    quint16 deviceTarget() const;

    // The acknowledgement every request without an answer of its own expects.
    int genericAcknowledge(const QRS232Message &request, const QRS232Message &answer);

    // Version bytes as "type.board.major.minor" in pattern's %2.%3.%1.%4; a version not
    // fully known shows question marks.
    static QString formatVersion(const QString &pattern, const QByteArray &version);
    // The one form a version is shown in everywhere: type.board.major.minor.
    static QString versionText(const QByteArray &version)
    {
        return formatVersion(QStringLiteral("%2.%3.%1.%4"), version);
    }
    // Lowered by tests that do not depend on the limit's value.
    void setStalledRunningLimit(int answers) { m_stalledRunningLimit = answers; }
    // Where the user is: the stick's port, its version, the access level and the mode, or
    // that no stick is connected.
    QString stateSummary() const;
    // A short note for the status bar: an operation that shows no box of its own went well.
    void announce(const QString &text) { emit statusMessage(text); }

    // Switches one of the stick's remote-service modes; null without a stick.
    QOperation *setModemModeParam(quint16 id, bool value);
    void setRemoteMode(bool on);

signals:
    // A new operation runs; whoever shows operations shows this one.
    void operationStarted(QOperation *operation);
    // Connection, access or remote mode changed: the enabling rules follow.
    void stateChanged();
    // The work mode marks: administrator or user.
    void workModeShown(bool admin);
    void searchStarted();
    // A search pass probed every port without finding a stick; the search goes on.
    void searchPassFailed();
    // The opening queries are done; the remote table is next.
    void sessionOpened();
    void sessionClosed();
    // The search met a port that the user has no permission to open.
    void portAccessDenied(QString port);
    // The search met a port that another program holds; it goes on.
    void portBusy(QString port);
    void statusMessage(QString text);
    void log(QString text);
    // A frame went out or came in, with its line for the log.
    void frameLogged(QString line, QByteArray frame);

public slots:
    void start_autoconnect();
    void no_modem_on_port();
    void modem_on_port();
    void set_interface_status(bool value);
    // The line to the stick went away (unplugged): a running operation ends as lost.
    void portLost();

    void request_modem_param(quint16 id);
    void request_device_param(quint16 id);
    void set_modem_param(quint16 id, quint8 value);
    void set_device_param(quint16 id, quint8 value);
    void request_modem_progress();
    void request_protection_status();
    void send_devinit_message();

    void rs232_cmd_income(QByteArray buf);
    void answer_timeout();
    void complete_transaction(int result);

    void admin_mode_clicked();
    void user_mode_clicked();
    void admin_password_set();
    void admin_password_clear();
    void admin_password_forget();
    // Each starts its operation and hands it back; null without a stick.
    QOperation *get_modem_privilegies();

    QOperation *initialize_device();
    QOperation *get_modem_params();
    QOperation *get_modem_functions();
    QOperation *get_modem_version();
    QOperation *get_device_version();
    // The versions of the stick and the actuator, shown when known.
    QOperation *get_version();

private:
    int dispatch(MODEM_TRANSACTION_T transaction, const QRS232Message &request,
                 const QRS232Message &answer);
    int dispatchParamAnswer(const QRS232Message &request, const QRS232Message &answer);
    void finish(bool ok);
    void failWithoutSession();
    void queryOpeningFunctions(bool versionRead);
    void closeSession();
    void rereadPrivilegesLater();
    // Counts a "running" answer of the running transaction; true once they have brought
    // no progress for too long.
    bool runningStalled(int percent);

    bool encodePassword(const QString &text, QByteArray *bytes);
    bool askPassword(const QString &title, const QString &label, QByteArray *bytes);
    bool askNewPassword(QByteArray *bytes);
    bool askCurrentPassword(QByteArray *bytes);
    // The access state is read again once operation has ended.
    void readPrivilegesAfter(QOperation *operation);
    void warnUnlessRefused(QOperation *operation, const QString &title, const QString &text);
    QOperation *queryModemFunctions(const QString &text);
    static QString deviceInitText();

    Prompts *m_prompts;
    QWidget *m_dialogParent;
    QModem m_modem;
    QExecDevice m_execDevice;
    QInterface_Manager *m_interfaceManager = nullptr;
    QOperationLog *m_operationLog = nullptr;
    QPointer<QAutoConnectTool> m_autoConnectTool;
    QStringList m_ports;
    bool m_includeSystemPorts = true;
    bool m_privilegesRereadPending = false;
    // The stick refused the password of the running log-in.
    bool m_passwordRejected = false;
    quint16 m_probeValue = 0;
    quint16 m_probeWord3 = 0;
    int m_stalledRunningLimit = StalledRunningLimit;
    struct Running {
        int best = -1;     // the highest percentage so far in this transaction
        int unchanged = 0; // answers since it was reached
        QElapsedTimer since;
    } m_running;
    QOperationRunner *m_runner = nullptr;
};
