#include "qsearchwaitdialog.h"

#include "qinterface_manager.h"

namespace
{
constexpr int FREE_POLL_MS = 20;
}

QSearchWaitDialog::QSearchWaitDialog(QWidget *parent, const QString &text, QInterface_Manager *link)
    : QWaitDialog(parent, AnimationMode, text, true, false, QString()), m_link(link)
{
    m_poll.setInterval(FREE_POLL_MS);
    connect(&m_poll, &QTimer::timeout, this, &QSearchWaitDialog::closeWhenFree);
}

int QSearchWaitDialog::exec()
{
    m_cancelPending = false;
    m_poll.stop();
    return QWaitDialog::exec();
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
    m_deadline.setRemainingTime(m_link->ack_timeout() * (m_link->retry_count() + 1));
    closeWhenFree();
    if (m_cancelPending)
        m_poll.start();
}

void QSearchWaitDialog::closeWhenFree()
{
    if (!m_link->is_free() && !m_deadline.hasExpired())
        return;
    m_poll.stop();
    // Stays pending until the next run: nothing may accept the dialog now.
    QWaitDialog::reject();
}
