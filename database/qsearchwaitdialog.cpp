#include "qsearchwaitdialog.h"

#include "qinterface_manager.h"
#include "qoperation.h"

namespace
{
constexpr int FREE_POLL_MS = 20;
}

QSearchWaitDialog::QSearchWaitDialog(QWidget *parent, QOperation *operation,
                                     QInterface_Manager *link)
    : QWaitDialog(parent, AnimationMode, operation->text(), operation->isCancelEnabled(), false,
                  QString()),
      m_operation(operation), m_link(link)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_poll.setInterval(FREE_POLL_MS);
    connect(&m_poll, &QTimer::timeout, this, &QSearchWaitDialog::closeWhenFree);
    watch(operation);
}

void QSearchWaitDialog::accept()
{
    if (!m_cancelPending)
        QWaitDialog::accept();
}

void QSearchWaitDialog::reject()
{
    if (!isCancelOperationEnabled() || m_cancelPending)
        return;
    m_cancelPending = true;
    // The link itself gives a command up after this long.
    m_deadline.setRemainingTime(qint64(m_link->ack_timeout()) * (m_link->retry_count() + 1));
    closeWhenFree();
    if (m_cancelPending)
        m_poll.start();
}

void QSearchWaitDialog::closeWhenFree()
{
    // An operation that has ended has nothing on the line to wait for.
    const bool ended = !m_operation || m_operation->isFinished();
    if (!ended && !m_link->is_free() && !m_deadline.hasExpired())
        return;
    m_poll.stop();
    // Stays pending: nothing may accept the dialog now. Closing asks the operation to end.
    QWaitDialog::reject();
}
