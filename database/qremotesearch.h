#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QModemSession;
class QRemoteOperations;
class QRemoteTableView;
class QWaitDialog;
class RemoteList;

// What needs the stick in search mode: adding a new remote through the wizard, and
// finding out whose remote is in one's hand (its row is selected). A stick lost while
// listening is set back to normal mode when it is found again.
class QRemoteSearch : public QObject
{
    Q_OBJECT
public:
    QRemoteSearch(QModemSession *session, RemoteList *list, QRemoteTableView *view,
                  QRemoteOperations *operations, QObject *parent = nullptr);

    // Owners of the remotes added so far, offered by the wizard.
    const QStringList &owner_names() const { return ownerNames; }

signals:
    // The search for a remote's owner waits for the user's "Поиск" (true) or polls (false).
    void signal_show_btn_next_device_search(bool value);

public slots:
    void add_button_clicked();
    void find_button_clicked();
    void request_found_device();
    void device_found(int value);
    // A stick lost during a search is set back when the next session opens.
    void restore_normal_mode();

private:
    bool set_modem_mode(quint8 mode, QWaitDialog *dialog);
    // Waits, without spinning, until the command on the line is answered; false (and the
    // command dropped) when the link would itself have given it up by then.
    bool wait_for_free_link();
    // After a search: normal mode again; false when the stick stayed in search mode.
    bool leave_search_mode(const QString &text, bool cancelEnabled);
    void request_found_device_later();

    QModemSession *m_session;
    RemoteList *m_list;
    QRemoteTableView *m_view;
    QRemoteOperations *m_operations;
    QStringList ownerNames;
    // The stick was put into search mode and not yet back into normal mode.
    bool m_searchModeLeft = false;
    // Counts searches for an owner, so a poll scheduled by an earlier one never goes out.
    int m_searchRun = 0;
};
