#pragma once

#include <QObject>

class QModemSession;

// Opens the operation log's window over the session's log.
class QOperationLogWindow : public QObject
{
    Q_OBJECT
public:
    explicit QOperationLogWindow(QModemSession *session, QObject *parent = nullptr);

public slots:
    void showOperationLog();

private:
    QModemSession *m_session;
};
