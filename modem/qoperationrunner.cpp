#include "qoperationrunner.h"

#include "prompts.h"
#include "qinterface_manager.h"

#include <QTimer>

QOperationRunner::QOperationRunner(QModem *modem, QInterface_Manager *link, Prompts *prompts,
                                   QWidget *dialogParent, QObject *parent)
    : QObject(parent), m_modem(modem), m_link(link), m_prompts(prompts),
      m_dialogParent(dialogParent)
{
}

QString QOperationRunner::busyText()
{
    return tr("Операция невозможна во время обмена данным с usb-stick либо исполнительным "
              "устройством");
}

QString QOperationRunner::lostMessage(const QOperation *operation)
{
    const QString text = tr("Usb-stick не отвечает. Проверьте подключение.");
    if (!operation || operation->lostText().isEmpty())
        return text;
    return text + "\n" + operation->lostText();
}

bool QOperationRunner::run(QLineOperation *operation, bool shownByCaller)
{
    connect(operation, &QOperation::finished, operation, &QObject::deleteLater);
    // One at a time: a second never runs inside the first. The search owns the line
    // until a session opens.
    if (m_operation || m_searching) {
        operation->finish(QOperation::Refused, busyText(), true);
        return false;
    }
    m_operation = operation;
    m_phase = Between;
    m_pending = NothingPending;
    connect(operation, &QOperation::cancelRequested, this,
            [this, operation] { cancelOperation(operation); });
    if (!shownByCaller)
        emit operationStarted(operation);
    return true;
}

QLineOperation *QOperationRunner::begin(const QString &text, bool cancelEnabled, bool shownByCaller)
{
    auto *operation = new QLineOperation(text, cancelEnabled, this);
    run(operation, shownByCaller);
    return operation;
}

QLineOperation *QOperationRunner::beginOrTell(const QString &text, bool cancelEnabled)
{
    QLineOperation *operation = begin(text, cancelEnabled);
    if (operation->outcome() != QOperation::Refused)
        return operation;
    m_prompts->warning(m_dialogParent, tr("Ошибка"), operation->errorString(), QMessageBox::Ok);
    return nullptr;
}

QLineOperation *QOperationRunner::start(const QString &text, bool cancelEnabled,
                                        MODEM_TRANSACTION_T transaction,
                                        const std::function<void()> &sendFirst,
                                        const Continuation &then)
{
    QLineOperation *operation = begin(text, cancelEnabled);
    // Whether there is a stick to ask is the caller's judgement, as it always was.
    if (!operation->isFinished())
        beginTransaction(transaction, sendFirst, then, nullptr);
    return operation;
}

void QOperationRunner::complete(QOperation *operation, bool ok)
{
    if (operation == m_operation && m_phase != Transaction)
        endOperation(operation, ok, m_modem->connected() ? QOperation::Failed : QOperation::Lost);
}

bool QOperationRunner::proceed(QOperation *operation, MODEM_TRANSACTION_T transaction,
                               const std::function<void()> &sendFirst, const Continuation &then,
                               QLineStep *step)
{
    if (!operation || operation != m_operation || m_phase == Transaction || operation->isFinished())
        return false;
    if (m_searching || !m_modem->connected()) {
        endOperation(operation, false, QOperation::Lost);
        return false;
    }
    beginTransaction(transaction, sendFirst, then, step);
    return true;
}

void QOperationRunner::hold(QOperation *operation)
{
    if (operation == m_operation && m_phase != Transaction)
        m_phase = Held;
}

void QOperationRunner::whileOpen(int ms, const std::function<void()> &poll)
{
    if (m_phase == Transaction)
        QTimer::singleShot(ms, m_transactionScope, poll);
}

void QOperationRunner::beginTransaction(MODEM_TRANSACTION_T transaction,
                                        const std::function<void()> &sendFirst,
                                        const Continuation &then, QLineStep *step)
{
    m_phase = Transaction;
    m_modem->setCurrentTransaction(transaction);
    m_transactionScope = new QObject(this);
    m_lineLost = false;
    m_then = then;
    m_operation->setStep(step);
    m_sendFirst = sendFirst;
    emit transactionBegun();
    // A poll of the transaction before may still be out; its answer must be judged under
    // that transaction, never under this one. The link frees the line within its own
    // time-out; a transaction ended meanwhile takes the wait with it.
    m_link->whenFree(m_transactionScope, [this](bool) { sendFirstCommand(); });
}

void QOperationRunner::sendFirstCommand()
{
    if (m_phase != Transaction || !m_sendFirst)
        return;
    const auto send = std::exchange(m_sendFirst, {});
    send();
}

void QOperationRunner::whenIdle(QObject *context, const std::function<void(bool)> &then)
{
    m_idleWaiters.append({context, then});
    runIdleWaiters();
}

void QOperationRunner::runIdleWaiters(bool dropped)
{
    if (m_operation || m_idleWaiters.isEmpty())
        return;
    // A command sent outside any operation is given up by the link, counted from here.
    if (!m_link->is_free()) {
        m_link->whenFree(this, [this](bool gone) { runIdleWaiters(gone); });
        return;
    }
    const QList<IdleWaiter> waiters = std::exchange(m_idleWaiters, {});
    for (const IdleWaiter &waiter : waiters)
        if (waiter.context)
            waiter.then(dropped);
}

void QOperationRunner::endTransaction(bool ok, QOperation::Outcome failure)
{
    if (m_phase != Transaction)
        return;
    emit transactionEnded(m_modem->currentTransaction(), ok);
    m_phase = Continuing;
    delete std::exchange(m_transactionScope, nullptr);
    m_sendFirst = {};
    if (m_operation)
        m_operation->setStep(nullptr);
    if (std::exchange(m_lineLost, false))
        failure = QOperation::Lost;
    // A search started meanwhile owns the transaction and the line now.
    if (!m_searching) {
        m_modem->setCurrentTransaction(TRANSACTION_NONE);
        // Ended while a command was still out: it must not be repeated later.
        if (!ok)
            m_link->stop_command();
    }
    // The operation goes on once the answer that ended the transaction has been handled
    // in full (its messages shown, a closed session closed), as the code after a request
    // that waited for its end would.
    QMetaObject::invokeMethod(
        this,
        [this, operation = m_operation, then = std::exchange(m_then, {}), ok, failure] {
            continueAfter(operation, then, ok, failure);
        },
        Qt::QueuedConnection);
}

void QOperationRunner::continueAfter(const QPointer<QLineOperation> &operation,
                                     const Continuation &then, bool ok, QOperation::Outcome failure)
{
    if (operation && operation == m_operation && m_phase == Continuing)
        m_phase = Between;
    if (then)
        then(ok);
    const Pending pending = std::exchange(m_pending, NothingPending);
    if (!operation || operation != m_operation || operation->isFinished())
        return;
    // A Cancel that came before the continuation: the step it went on to hears of it, so
    // what the cut work took away can still be given back.
    if (pending == CancelPending && operation->isCancelEnabled()) {
        cancelOperation(operation);
        return;
    }
    // The continuation neither went on, nor ended it, nor holds it for later: the
    // transaction's result is the operation's. One held while its session closed would
    // wait for a stick that is gone.
    if (m_phase == Transaction)
        return;
    if (m_phase == Held && pending == ClosedPending)
        endOperation(operation, false, QOperation::Lost);
    else if (m_phase != Held)
        endOperation(operation, ok, ok || m_modem->connected() ? failure : QOperation::Lost);
}

QOperation *QOperationRunner::markLineLost()
{
    m_lineLost = true;
    m_lostTold = m_operation;
    return m_operation;
}

void QOperationRunner::lineClosed()
{
    if (!m_operation)
        return;
    // One whose continuation is due learns it there.
    if (m_phase == Continuing) {
        m_pending = ClosedPending;
        return;
    }
    m_lineLost = true;
    if (m_phase == Transaction)
        endTransaction(false, QOperation::Lost);
    else
        endOperation(m_operation, false, QOperation::Lost);
}

void QOperationRunner::endOperation(QOperation *operation, bool ok, QOperation::Outcome failure)
{
    if (operation != m_operation)
        return;
    m_operation = nullptr;
    m_phase = Idle;
    // Whatever the steps after a Cancel gave back, the work asked for was not done.
    if (operation->isCancelRequested())
        ok = false, failure = QOperation::Cancelled;
    QString error;
    if (failure == QOperation::Lost && !ok)
        error = lostMessage(operation);
    // An operation cut between two transactions learned of the loss from no answer: it is
    // told here, once.
    const bool untold = !error.isEmpty() && m_lostTold != operation;
    operation->finish(ok ? QOperation::Succeeded : failure, error);
    if (untold)
        m_prompts->warning(m_dialogParent, tr("Ошибка"), error, QMessageBox::Ok);
    // Who waits for the line to be quiet hears of it after the operation's own watchers.
    if (!m_idleWaiters.isEmpty())
        QMetaObject::invokeMethod(
            this, [this] { runIdleWaiters(); }, Qt::QueuedConnection);
}

void QOperationRunner::cancelOperation(QOperation *operation)
{
    if (operation != m_operation)
        return;
    // The continuation hears of it as of a failure, and may still give back what the
    // cut work took away.
    if (m_phase == Transaction)
        endTransaction(false, QOperation::Cancelled);
    else if (m_phase == Continuing) {
        if (m_pending != ClosedPending)
            m_pending = CancelPending;
    } else
        endOperation(operation, false, QOperation::Cancelled);
}
