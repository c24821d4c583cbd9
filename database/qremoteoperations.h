#pragma once

#include "qmodemsession.h"
#include "qoperationlog.h"

#include <QObject>
#include <QString>

#include <functional>

class QControlDevice;
class QOperation;
class QRemoteTableView;
class QWaitDialog;
class RemoteList;

// Operations on the selected remote: block or activate it, change its owner, delete it.
// Each is one operation on the line; the stick confirms every change before the list
// takes it.
class QRemoteOperations : public QObject
{
    Q_OBJECT
public:
    QRemoteOperations(QModemSession *session, RemoteList *list, const QRemoteTableView *view,
                      QObject *parent = nullptr);

    // Single-remote operations need the stick's own table and the stick; all but
    // blocking also need full access.
    bool remoteChangeAllowed(bool fullAccessNeeded) const;
    // next runs once the actuator's version is known, asking for it first as a step of
    // operation; when asking fails the operation ends without a further message.
    void afterDeviceVersion(QOperation *operation, const std::function<void()> &next);
    // Where a change of one remote goes: the actuator, or the stick in remote mode.
    quint16 singleRemoteTarget() const;
    // One remote written or deleted as the next step of operation.
    bool proceedWriteRemote(QOperation *operation, const QControlDevice &remote, quint16 target,
                            const QModemSession::Continuation &then);
    bool proceedDeleteRemote(QOperation *operation, int id, quint16 target,
                             const QModemSession::Continuation &then);

public slots:
    // Each starts its operation and returns it; null when none started.
    QOperation *active_button_clicked();
    QOperation *edit_button_clicked();
    QOperation *del_button_clicked();

private:
    // False, after telling the user, while another operation runs: nothing is asked then.
    bool lineFree() const;
    // Asks until the name fits the stick's records; false when the user cancelled.
    bool askOwnerName(QString *name);
    // The changed remote written as the next step of operation; the list takes it once the
    // stick confirmed it.
    void writeChanged(QOperation *operation, const QControlDevice &changed, OPERATION_T logged);
    // What a change of remote that the stick did not confirm leaves undone.
    static QString unchangedText(const QControlDevice &remote);

    QModemSession *m_session;
    RemoteList *m_list;
    const QRemoteTableView *m_view;
};
