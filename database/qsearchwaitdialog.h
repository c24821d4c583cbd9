#pragma once

#include "qwaitdialog.h"

#include <QDeadlineTimer>
#include <QTimer>

class QInterface_Manager;

// The wait dialog of a search for remotes. The search polls the stick without pause, so
// a cancel often comes while a poll is on the line: it takes effect once that poll is
// answered (or given up by the link), never leaving its answer to arrive as a stray
// frame. A remote reported meanwhile does not accept a dialog the user has cancelled.
class QSearchWaitDialog : public QWaitDialog
{
    Q_OBJECT
public:
    QSearchWaitDialog(QWidget *parent, const QString &text, QInterface_Manager *link);

    bool cancelPending() const { return m_cancelPending; }

public slots:
    void accept() override;
    void reject() override;
    int exec() override;

private:
    void closeWhenFree();

    QInterface_Manager *m_link;
    QTimer m_poll;
    QDeadlineTimer m_deadline;
    bool m_cancelPending = false;
};
