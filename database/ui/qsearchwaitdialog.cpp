#include "qsearchwaitdialog.h"

#include "qmodemsession.h"
#include "qoperation.h"

namespace
{
constexpr int FREE_POLL_MS = 20;
}

QSearchWaitDialog::QSearchWaitDialog(QWidget *parent, QOperation *operation,
                                     const QModemSession *session)
    : QWaitDialog(parent, AnimationMode, operation->text(), operation->isCancelEnabled(), false,
                  QString()),
      m_operation(operation), m_session(session)
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
    m_deadline.setRemainingTime(m_session->lineGiveUpMs());
    closeWhenFree();
    if (m_cancelPending)
        m_poll.start();
}

void QSearchWaitDialog::closeWhenFree()
{
    // An operation that has ended has nothing on the line to wait for.
    const bool ended = !m_operation || m_operation->isFinished();
    if (!ended && !m_session->lineFree() && !m_deadline.hasExpired())
        return;
    m_poll.stop();
    // Stays pending: nothing may accept the dialog now. Closing asks the operation to end.
    QWaitDialog::reject();
}
