#pragma once

#include "qmodem.h"
#include "qoperation.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>

#include <functional>

class Prompts;
class QInterface_Manager;
class QTimer;
class QWidget;

// Runs the operations on the line one at a time: each one's transactions in turn, the
// wait for a free link before a first command, the continuations between transactions,
// Cancel, and the end of an operation whose USB-stick is gone.
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

    QOperation *start(const QString &text, bool cancelEnabled, MODEM_TRANSACTION_T transaction,
                      const std::function<void()> &sendFirst, const Continuation &then = {});
    QOperation *begin(const QString &text, bool cancelEnabled, bool shownByCaller = false);
    QOperation *beginOrTell(const QString &text, bool cancelEnabled);
    bool proceed(QOperation *operation, MODEM_TRANSACTION_T transaction,
                 const std::function<void()> &sendFirst, const Continuation &then = {});
    void complete(QOperation *operation, bool ok);
    void hold(QOperation *operation);

    QOperation *current() const { return m_operation; }
    // Each transaction has a serial number: polls and retries of one must not reach the next.
    quint64 serial() const { return m_serial; }
    bool stillRunning(quint64 serial) const { return m_transactionOpen && serial == m_serial; }
    bool transactionOpen() const { return m_transactionOpen; }

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

private:
    void sendFirstWhenFree();
    void endOperation(QOperation *operation, bool ok, QOperation::Outcome failure);
    void cancelOperation(QOperation *operation);
    void beginTransaction(MODEM_TRANSACTION_T transaction, const std::function<void()> &sendFirst,
                          const Continuation &then);

    QModem *m_modem;
    QInterface_Manager *m_link;
    Prompts *m_prompts;
    QWidget *m_dialogParent;
    bool m_searching = false;
    // The running operation and its transaction: the only one answers may end.
    QPointer<QOperation> m_operation;
    bool m_transactionOpen = false;
    quint64 m_serial = 0;
    Continuation m_then;
    std::function<void()> m_sendFirst;
    QTimer *m_linkWait = nullptr;
    QDeadlineTimer m_linkFreeBy;
    // The stick stopped answering: the failure ends the operation as lost.
    bool m_lineLost = false;
    // A continuation is due, or holds its operation for later.
    bool m_continuing = false;
    bool m_closedBeforeContinuing = false;
    bool m_cancelDeferred = false;
    bool m_held = false;
    // The operation whose loss the user has been told of already.
    QPointer<QOperation> m_lostTold;
};
