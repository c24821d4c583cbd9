#include "qsearchwaitdialog.h"

#include "qmodemsession.h"
#include "qoperation.h"

QSearchWaitDialog::QSearchWaitDialog(QWidget *parent, QOperation *operation, QModemSession *session)
    : QWaitDialog(parent, AnimationMode, operation->text(), operation->isCancelEnabled(), false,
                  QString()),
      m_operation(operation), m_session(session)
{
    setAttribute(Qt::WA_DeleteOnClose);
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
    // An operation that has ended has nothing on the line to wait for.
    if (!m_operation || m_operation->isFinished()) {
        closeNow();
        return;
    }
    connect(m_operation, &QOperation::finished, this, &QSearchWaitDialog::closeNow);
    m_session->whenLineFree(this, [this](bool) { closeNow(); });
}

void QSearchWaitDialog::closeNow()
{
    if (std::exchange(m_closed, true))
        return;
    // Stays pending: nothing may accept the dialog now. Closing asks the operation to end.
    QWaitDialog::reject();
}
