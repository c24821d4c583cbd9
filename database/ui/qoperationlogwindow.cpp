#include "qoperationlogwindow.h"

#include "qmodemsession.h"
#include "qoperationlogdialog.h"

QOperationLogWindow::QOperationLogWindow(QModemSession *session, QObject *parent)
    : QObject(parent), m_session(session)
{
}

void QOperationLogWindow::showOperationLog()
{
    QOperationLogDialog dialog(m_session->dialogParent(), m_session->operationLog(),
                               m_session->prompts());
    dialog.exec();
}
