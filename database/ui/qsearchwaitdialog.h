#pragma once

#include "qwaitdialog.h"

#include <QPointer>

class QModemSession;
class QOperation;

// The wait dialog of a search for remotes: it watches the search's operation and deletes
// itself once closed. The search polls the stick without pause, so a Cancel often comes
// while a poll is on the line: the operation is asked to end once the link is free (the
// poll answered or given up), so its answer is heard and never dropped. A remote reported
// meanwhile does not accept a dialog the user has cancelled.
class QSearchWaitDialog : public QWaitDialog
{
    Q_OBJECT
public:
    QSearchWaitDialog(QWidget *parent, QOperation *operation, QModemSession *session);

    bool cancelPending() const { return m_cancelPending; }

public slots:
    void accept() override;
    void reject() override;

private:
    void closeNow();

    QPointer<QOperation> m_operation;
    QModemSession *m_session;
    bool m_cancelPending = false;
    bool m_closed = false;
};
