#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QModemSession;
class QTableTransfers;
class QWaitDialog;
class RemoteList;

// The remote table between the stick and the actuator: copies either way, checked by
// the counts afterwards, and how full the two memories are.
class QTableCopy : public QObject
{
    Q_OBJECT
public:
    QTableCopy(QModemSession *session, RemoteList *list, QTableTransfers *transfers,
               QObject *parent = nullptr);

signals:
    // A short note for the status bar: a copy checked.
    void statusMessage(const QString &text);

public slots:
    void copy_table_from_modem_to_dev();
    void copy_table_from_dev_to_modem();
    void show_memory_status();

private:
    // check, when given, runs after a copy the stick confirmed, before the user is told.
    bool copy_table(QWaitDialog *dialog, int transaction, quint16 direction,
                    const std::function<bool()> &check = {});
    // After a copy: the actuator holds as many remotes as the stick.
    bool verify_copied_table(int stickCount, int deviceCount);

    QModemSession *m_session;
    RemoteList *m_list;
    QTableTransfers *m_transfers;
};
