#include "qoperationrunner.h"

#include "prompts.h"
#include "qinterface_manager.h"

#include <QTimer>

QOperationRunner::QOperationRunner(QModem *modem, QInterface_Manager *link, Prompts *prompts,
                                   QWidget *dialogParent, QObject *parent)
    : QObject(parent), m_modem(modem), m_link(link), m_prompts(prompts),
      m_dialogParent(dialogParent)
{
    m_linkWait = new QTimer(this);
    m_linkWait->setInterval(20);
    connect(m_linkWait, &QTimer::timeout, this, &QOperationRunner::sendFirstWhenFree);
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

QOperation *QOperationRunner::begin(const QString &text, bool cancelEnabled, bool shownByCaller)
{
    auto *operation = new QOperation(text, cancelEnabled, this);
    connect(operation, &QOperation::finished, operation, &QObject::deleteLater);
    // One at a time: a second never runs inside the first. The search owns the line
    // until a session opens.
    if (m_operation || m_searching) {
        operation->finish(QOperation::Refused, busyText(), true);
        return operation;
    }
    m_operation = operation;
    connect(operation, &QOperation::cancelRequested, this,
            [this, operation] { cancelOperation(operation); });
    if (!shownByCaller)
        emit operationStarted(operation);
    return operation;
}

QOperation *QOperationRunner::beginOrTell(const QString &text, bool cancelEnabled)
{
    QOperation *operation = begin(text, cancelEnabled);
    if (operation->outcome() != QOperation::Refused)
        return operation;
    m_prompts->warning(m_dialogParent, tr("Ошибка"), operation->errorString(), QMessageBox::Ok);
    return nullptr;
}

QOperation *QOperationRunner::start(const QString &text, bool cancelEnabled,
                                    MODEM_TRANSACTION_T transaction,
                                    const std::function<void()> &sendFirst,
                                    const Continuation &then)
{
    QOperation *operation = begin(text, cancelEnabled);
    // Whether there is a stick to ask is the caller's judgement, as it always was.
    if (!operation->isFinished())
        beginTransaction(transaction, sendFirst, then);
    return operation;
}

void QOperationRunner::complete(QOperation *operation, bool ok)
{
    if (operation == m_operation && !m_transactionOpen)
        endOperation(operation, ok, m_modem->connected() ? QOperation::Failed : QOperation::Lost);
}

bool QOperationRunner::proceed(QOperation *operation, MODEM_TRANSACTION_T transaction,
                               const std::function<void()> &sendFirst, const Continuation &then)
{
    if (!operation || operation != m_operation || m_transactionOpen || operation->isFinished())
        return false;
    if (m_searching || !m_modem->connected()) {
        endOperation(operation, false, QOperation::Lost);
        return false;
    }
    beginTransaction(transaction, sendFirst, then);
    return true;
}

void QOperationRunner::hold(QOperation *operation)
{
    if (operation == m_operation && !m_transactionOpen)
        m_held = true;
}

void QOperationRunner::beginTransaction(MODEM_TRANSACTION_T transaction,
                                        const std::function<void()> &sendFirst,
                                        const Continuation &then)
{
    m_transactionOpen = true;
    m_held = false;
    ++m_serial;
    m_lineLost = false;
    m_then = then;
    m_modem->setCurrentTransaction(transaction);
    m_sendFirst = sendFirst;
    // A poll of the transaction before may still be out; its answer must be judged under
    // that transaction, never under this one. Waited for without blocking, and no longer
    // than the link itself would wait for it.
    if (m_link->is_free()) {
        sendFirstWhenFree();
        return;
    }
    m_linkFreeBy.setRemainingTime(m_link->give_up_ms());
    m_linkWait->start();
}

void QOperationRunner::sendFirstWhenFree()
{
    if (!m_transactionOpen || !m_sendFirst) {
        m_linkWait->stop();
        return;
    }
    if (!m_link->is_free() && !m_linkFreeBy.hasExpired())
        return;
    m_linkWait->stop();
    const auto send = std::exchange(m_sendFirst, {});
    send();
}

void QOperationRunner::endTransaction(bool ok, QOperation::Outcome failure)
{
    if (!m_transactionOpen)
        return;
    m_transactionOpen = false;
    ++m_serial;
    m_sendFirst = {};
    m_linkWait->stop();
    if (m_lineLost)
        failure = QOperation::Lost;
    m_lineLost = false;
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
    const QPointer<QOperation> operation = m_operation;
    const Continuation then = std::exchange(m_then, {});
    m_continuing = true;
    QMetaObject::invokeMethod(
        this,
        [this, operation, then, ok, failure] {
            m_continuing = false;
            if (then)
                then(ok);
            // The continuation neither went on, nor ended it, nor holds it for later: the
            // transaction's result is the operation's. One held while its session closed
            // would wait for a stick that is gone.
            const bool closed = std::exchange(m_closedBeforeContinuing, false);
            const bool cancelled = std::exchange(m_cancelDeferred, false);
            if (!operation || operation != m_operation || operation->isFinished())
                return;
            // A Cancel that came before the continuation: the step it went on to hears
            // of it, so what the cut work took away can still be given back.
            if (cancelled && !closed && operation->isCancelEnabled()) {
                cancelOperation(operation);
                return;
            }
            if (m_transactionOpen)
                return;
            if (m_held && closed)
                endOperation(operation, false, QOperation::Lost);
            else if (!m_held)
                endOperation(operation, ok,
                             ok || m_modem->connected() ? failure : QOperation::Lost);
        },
        Qt::QueuedConnection);
}

QOperation *QOperationRunner::markLineLost()
{
    m_lineLost = true;
    m_lostTold = m_operation;
    return m_operation;
}

void QOperationRunner::lineClosed()
{
    // One whose continuation is due learns it there.
    m_closedBeforeContinuing = m_operation && m_continuing;
    if (!m_operation || m_continuing)
        return;
    m_lineLost = true;
    if (m_transactionOpen)
        endTransaction(false, QOperation::Lost);
    else
        endOperation(m_operation, false, QOperation::Lost);
}

void QOperationRunner::endOperation(QOperation *operation, bool ok, QOperation::Outcome failure)
{
    if (operation != m_operation)
        return;
    m_operation = nullptr;
    m_held = false;
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
}

void QOperationRunner::cancelOperation(QOperation *operation)
{
    if (operation != m_operation)
        return;
    // The continuation hears of it as of a failure, and may still give back what the
    // cut work took away.
    if (m_transactionOpen)
        endTransaction(false, QOperation::Cancelled);
    else if (m_continuing)
        m_cancelDeferred = true;
    else
        endOperation(operation, false, QOperation::Cancelled);
}
