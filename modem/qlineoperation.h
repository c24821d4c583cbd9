#pragma once

#include "qoperation.h"

class QModemSession;
class QRS232Message;

// The part of an operation that judges the answers of one of its transactions and sends
// the transaction's further commands: the records of a table read or write, the blocks of
// a firmware. Owned by the operation that runs it; its working data are its own members.
class QLineStep
{
public:
    explicit QLineStep(QModemSession *session) : m_session(session) {}
    virtual ~QLineStep() = default;
    QLineStep(const QLineStep &) = delete;
    QLineStep &operator=(const QLineStep &) = delete;

    // Judges an answer of the running transaction against its request: a session result,
    // or QModemSession::RESULT_PENDING while the transaction stays open. By default the
    // common acknowledgement judges.
    virtual int judge(const QRS232Message &request, const QRS232Message &answer);
    // After an accepted answer: sends the next command and returns false, or returns true
    // when the transaction is complete.
    virtual bool next() { return true; }

protected:
    QModemSession *session() const { return m_session; }

private:
    QModemSession *m_session;
};

// An operation on the line: the runner hands it every answer of its running transaction.
// Jobs of several transactions derive from it and keep their data and steps as members.
class QLineOperation : public QOperation
{
    Q_OBJECT
public:
    using QOperation::QOperation;

    // What judge() returns for an answer that the session's own rules are to judge.
    static constexpr int Unjudged = -2;
    // The answers of the running transaction, and what follows an accepted one: by default
    // the step the transaction runs.
    virtual int judge(const QRS232Message &request, const QRS232Message &answer);
    virtual bool next();

    // The step that judges the answers of the transaction now open; null: the session's
    // own rules judge them. Set by the runner for the length of one transaction.
    QLineStep *step() const { return m_step; }
    void setStep(QLineStep *step) { m_step = step; }
    // "Running" answers move the progress bar (percent of 100): a copy inside the stick.
    bool runningShown() const { return m_runningShown; }
    void setRunningShown(bool on) { m_runningShown = on; }

private:
    QLineStep *m_step = nullptr;
    bool m_runningShown = false;
};
