#pragma once

#include "qlineoperation.h"
#include "qmodem.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class Prompts;
class QInterface_Manager;
class QWidget;

// Runs the operations on the line one at a time: each one's transactions in turn, the
// wait for a free link before a first command, the continuations between transactions,
// Cancel, and the end of an operation whose USB-stick is gone. It alone says which
// transaction runs (in QModem::currentTransaction) and whether the search owns the line.
class QOperationRunner : public QObject
{
    Q_OBJECT
public:
    // Called when a transaction of an operation ends, with whether it went through. It may
    // start the operation's next transaction with proceed(); an operation left without a
    // running transaction then ends with that result.
    using Continuation = std::function<void(bool ok)>;

    // None of them is owned; dialogParent may be null.
    QOperationRunner(QModem *modem, QInterface_Manager *link, Prompts *prompts,
                     QWidget *dialogParent, QObject *parent = nullptr);

    // While the port search runs it owns the line: nothing starts, nothing goes on.
    void setSearching(bool searching) { m_searching = searching; }
    bool searching() const { return m_searching; }

    QLineOperation *start(const QString &text, bool cancelEnabled, MODEM_TRANSACTION_T transaction,
                          const std::function<void()> &sendFirst, const Continuation &then = {});
    QLineOperation *begin(const QString &text, bool cancelEnabled, bool shownByCaller = false);
    QLineOperation *beginOrTell(const QString &text, bool cancelEnabled);
    // Runs an operation made by its owner, as begin() runs its own; false (and the
    // operation finished as refused) while another runs.
    bool run(QLineOperation *operation, bool shownByCaller = false);
    // The next transaction of the running operation; its answers go to step when given.
    bool proceed(QOperation *operation, MODEM_TRANSACTION_T transaction,
                 const std::function<void()> &sendFirst, const Continuation &then = {},
                 QLineStep *step = nullptr);
    void complete(QOperation *operation, bool ok);
    void hold(QOperation *operation);

    QLineOperation *current() const { return m_operation; }
    MODEM_TRANSACTION_T transaction() const { return m_modem->currentTransaction(); }
    bool transactionOpen() const { return m_phase == Transaction; }
    // Runs then once no operation runs and no command is out, unless context is gone first.
    void whenIdle(QObject *context, const std::function<void(bool dropped)> &then);
    // Runs poll after ms when the transaction now open still is: a poll or a retry of one
    // transaction never reaches the next.
    void whileOpen(int ms, const std::function<void()> &poll);

    // The running transaction ends with an answer's verdict.
    void endTransaction(bool ok, QOperation::Outcome failure = QOperation::Failed);
    // The stick stopped answering in the running transaction, and the caller tells the
    // user so: the operation returned ends as lost and is not told of it twice.
    QOperation *markLineLost();
    // The session closed: what still runs has lost its stick.
    void lineClosed();

    static QString busyText();
    static QString lostMessage(const QOperation *operation);

signals:
    void operationStarted(QOperation *operation);
    // A transaction was opened: counts kept per transaction start anew.
    void transactionBegun();
    // The running transaction ended with this verdict; currentTransaction still names it.
    void transactionEnded(MODEM_TRANSACTION_T transaction, bool ok);

private:
    // Where the running operation is between its start and its end.
    enum Phase {
        Idle,        // none runs
        Between,     // runs, no transaction open, no continuation due
        Transaction, // a transaction is open
        Continuing,  // a transaction ended, its continuation is due
        Held,        // waits without a transaction until proceed() or complete()
    };
    // What came while a continuation was due, heard once it has run.
    enum Pending { NothingPending, CancelPending, ClosedPending };

    void sendFirstCommand();
    void runIdleWaiters(bool dropped = false);
    void endOperation(QOperation *operation, bool ok, QOperation::Outcome failure);
    void cancelOperation(QOperation *operation);
    void continueAfter(const QPointer<QLineOperation> &operation, const Continuation &then, bool ok,
                       QOperation::Outcome failure);
    void beginTransaction(MODEM_TRANSACTION_T transaction, const std::function<void()> &sendFirst,
                          const Continuation &then, QLineStep *step);

    // Its current transaction is the running transaction; the runner alone sets it, but
    // for the port search's own.
    QModem *m_modem;
    QInterface_Manager *m_link;
    Prompts *m_prompts;
    QWidget *m_dialogParent;
    bool m_searching = false;
    // The running operation and its transaction: the only one answers may end.
    QPointer<QLineOperation> m_operation;
    Phase m_phase = Idle;
    Pending m_pending = NothingPending;
    // Parent of the open transaction's timers: they go with it.
    QObject *m_transactionScope = nullptr;
    Continuation m_then;
    std::function<void()> m_sendFirst;
    struct IdleWaiter {
        QPointer<QObject> context;
        std::function<void(bool dropped)> then;
    };
    QList<IdleWaiter> m_idleWaiters;
    // The stick stopped answering: the failure ends the operation as lost.
    bool m_lineLost = false;
    // The operation whose loss the user has been told of already.
    QPointer<QOperation> m_lostTold;
};
