#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QControlDevice;
class QModemSession;
class QOperation;
class QRemoteOperations;
class QRemoteTableView;
class RemoteList;

// What needs the stick in search mode: adding a new remote through the wizard, and
// finding out whose remote is in one's hand (its row is selected). Each runs as
// operations one after the other: the stick into search mode, the listening, the stick
// back into normal mode (and the new remote written). A stick lost while listening is
// set back to normal mode when it is found again.
class QRemoteSearch : public QObject
{
    Q_OBJECT
public:
    QRemoteSearch(QModemSession *session, RemoteList *list, QRemoteTableView *view,
                  QRemoteOperations *operations, QObject *parent = nullptr);

    // Owners of the remotes added so far, offered by the wizard.
    const QStringList &owners() const { return ownerNames; }
    // A registration or a search for an owner is under way, from its first operation to
    // its last, the wizard's questions in between included.
    bool active() const { return m_active; }
    // Asks the stick, as the next step of operation, which remote it heard; heard gets the
    // value answered (-1: none) once the answer is in.
    bool poll(QOperation *operation, const std::function<void(int heard)> &heard);

signals:
    // The search for a remote's owner waits for the user's "Поиск" (true) or polls (false).
    void signal_show_btn_next_device_search(bool value);

public slots:
    void add_button_clicked();
    void find_button_clicked();
    void request_found_device();
    void device_found(int value);
    // A stick lost during a search is set back when the next session opens; the operation
    // that does it, null when there is nothing to set back.
    QOperation *restoreNormalMode();

private:
    void reportFound(const QString &text);
    // The stick's mode set as the next step of operation; next runs once it is.
    void setModemMode(QOperation *operation, quint8 mode, const std::function<void()> &next);
    // The stick back in normal mode as the next step of operation; next runs once it is.
    void leaveSearchMode(QOperation *operation, const std::function<void()> &next);
    void requestFoundDeviceLater();
    // After the wizard: the stick back in normal mode and, when one was heard and named,
    // the new remote written, in one operation.
    void finishRegistration(int result, const QControlDevice &remote);
    void searchEnded();

    QModemSession *m_session;
    RemoteList *m_list;
    QRemoteTableView *m_view;
    QRemoteOperations *m_operations;
    QStringList ownerNames;
    // The stick was put into search mode and not yet back into normal mode.
    bool m_searchModeLeft = false;
    bool m_active = false;
    // The search for an owner; polls go out only while it runs.
    QPointer<QOperation> m_finding;
};
