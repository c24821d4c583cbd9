#pragma once

#include <QObject>
#include <QString>

class QControlDevice;
class QModemSession;
class QRemoteTableView;
class QWaitDialog;
class RemoteList;

// Operations on the selected remote: block or activate it, change its owner, delete it.
// The stick confirms every change before the list takes it.
class QRemoteOperations : public QObject
{
    Q_OBJECT
public:
    QRemoteOperations(QModemSession *session, RemoteList *list, const QRemoteTableView *view,
                      QObject *parent = nullptr);

    // Single-remote operations need the stick's own table and the stick; all but
    // blocking also need full access.
    bool remote_change_allowed(bool fullAccessNeeded) const;
    // The actuator's version must be known before it is addressed; false when asking failed.
    bool device_version_ready();
    // One remote written to the stick, and through it to the actuator, behind its own dialog.
    bool write_remote(const QString &text, const QControlDevice &remote);
    // One remote written or deleted behind a dialog that may serve several of them.
    bool send_write_remote(QWaitDialog *dialog, const QControlDevice &remote, quint16 target);
    bool send_delete_remote(QWaitDialog *dialog, int id, quint16 target);

public slots:
    void active_button_clicked();
    void edit_button_clicked();
    void del_button_clicked();

private:
    quint16 single_remote_target() const;
    // Asks until the name fits the stick's records; false when the user cancelled.
    bool ask_owner_name(QString *name);

    QModemSession *m_session;
    RemoteList *m_list;
    const QRemoteTableView *m_view;
};
