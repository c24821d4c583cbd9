#pragma once

#include "qmodemsession.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

// Hears the steps (a record, a firmware block, a remote heard) of every operation the
// session runs from now on, those shown by their caller included.
class StepWatch
{
public:
    StepWatch(QModemSession *session, const std::function<void(const QString &text)> &step)
    {
        m_begun = QObject::connect(
            session->runner(), &QOperationRunner::transactionBegun, [this, session, step] {
                QOperation *running = session->currentOperation();
                if (!running || running == m_last)
                    return;
                m_last = running;
                m_steps << QObject::connect(running, &QOperation::stepped, step);
            });
    }
    StepWatch(QModemSession *session, const std::function<void()> &step)
        : StepWatch(session, [step](const QString &) { step(); })
    {
    }
    ~StepWatch() { stop(); }
    StepWatch(const StepWatch &) = delete;
    StepWatch &operator=(const StepWatch &) = delete;

    void stop()
    {
        QObject::disconnect(m_begun);
        for (const auto &connection : std::as_const(m_steps))
            QObject::disconnect(connection);
        m_steps.clear();
    }

private:
    QMetaObject::Connection m_begun;
    QList<QMetaObject::Connection> m_steps;
    QPointer<QOperation> m_last;
};

// Runs ended after each transaction that went through, while its transaction is still
// named by the session.
inline QMetaObject::Connection onTransactionDone(QModemSession *session,
                                                 const std::function<void()> &ended,
                                                 Qt::ConnectionType type = Qt::AutoConnection)
{
    return QObject::connect(
        session->runner(), &QOperationRunner::transactionEnded, session->runner(),
        [ended](MODEM_TRANSACTION_T, bool ok) {
            if (ok)
                ended();
        },
        type);
}
