#pragma once

#include "qwaitdialog.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>

class QModemSession;
class QOperation;

// The wait dialog of a search for remotes: it watches the search's operation and deletes
// itself once closed. The search polls the stick without pause, so a Cancel often comes
// while a poll is on the line: the operation is asked to end once that poll is answered
// (or given up by the link), so its answer is heard and never dropped. A remote reported
// meanwhile does not accept a dialog the user has cancelled.
class QSearchWaitDialog : public QWaitDialog
{
    Q_OBJECT
public:
    QSearchWaitDialog(QWidget *parent, QOperation *operation, const QModemSession *session);

    bool cancelPending() const { return m_cancelPending; }

public slots:
    void accept() override;
    void reject() override;

private:
    void closeWhenFree();

    QPointer<QOperation> m_operation;
    const QModemSession *m_session;
    QTimer m_poll;
    QDeadlineTimer m_deadline;
    bool m_cancelPending = false;
};
