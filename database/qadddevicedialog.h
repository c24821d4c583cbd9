#pragma once

#include "qcontroldevice.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QStringList>

class QComboBox;
class QInterfaceMessage;
class QLabel;
class QModemSession;
class QOperation;
class QPushButton;
class QRemoteSearch;
class QSearchWaitDialog;

// The wizard that registers one new remote: it puts the stick into search mode, asks it
// every half second whether a remote was heard, refuses remotes already in the table,
// and lets the user name the owner. It only collects the data; its creator writes the
// remote. Each listening phase is an operation of its own, shown in a search wait
// dialog; the mode switch leaves through signalSendUsartCommand(), the polls through
// the search's poll(). The wizard asks its questions only while the line is quiet.
class QAddDeviceDialog : public QDialog
{
    Q_OBJECT
public:
    // devices is the current table, read only; session runs the wizard's operations and
    // holds its prompts; search asks the stick what it heard. None is owned.
    QAddDeviceDialog(QWidget *parent, const QList<QControlDevice> *devices,
                     const QStringList &owners, QModemSession *session, QRemoteSearch *search);
    ~QAddDeviceDialog() override;

    // The 24-bit id of the remote heard, -1 until one is accepted.
    int foundId() const { return m_foundId; }
    // The high byte reported with it.
    quint8 foundGroup() const { return m_foundGroup; }
    QString ownerName() const { return m_ownerName; }
    quint8 workMode() const { return m_workMode; }

    // Runs the first listening phase; the wizard opens once it heard a new remote, and
    // finishes with 0 without showing itself otherwise.
    void start();

signals:
    void signalSendUsartCommand(QInterfaceMessage &message);
    void signalSetWaitDialogMessage(QString text);

public slots:
    // What a poll of the running listening phase heard (-1: nothing).
    void slotDeviceFound(int id);
    // Starts a listening phase; false when none could start.
    bool slotStartBtnClicked();
    void slotTypeBtnClicked();
    void slotOwnerBtnClicked();
    void slotRequestFoundDevice();

private:
    enum { STAGE_LISTEN = 0, STAGE_OWNER = 1, STAGE_TYPE = 2, STAGE_COUNT = 3 };

    void setStage(int stage);
    void setStageResult(int stage, bool ok);
    void sendSearchMode();
    // Asks the stick what it heard, as the next step of phase.
    void poll(QOperation *phase);
    // The listening phase is held without a transaction and polls again after ms.
    void requestLater(int ms);
    void listeningEnded(bool heard);

    const QList<QControlDevice> *m_devices;
    int m_foundId = -1;
    bool m_listening = false;
    quint8 m_foundGroup = 0;
    QString m_ownerName;
    quint8 m_workMode = 0;

    QModemSession *m_session;
    QRemoteSearch *m_search;
    // What the running phase heard; taken over only if the phase ends well.
    int m_heardValue = -1;
    // The running listening phase; its polls go out only while it runs.
    QPointer<QOperation> m_phase;

    QLabel *m_address = nullptr;
    QComboBox *m_type = nullptr;
    QComboBox *m_owner = nullptr;
    QPushButton *m_searchButton = nullptr;
    QPushButton *m_typeButton = nullptr;
    QPushButton *m_ownerButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QList<QWidget *> m_stageWidgets[STAGE_COUNT];
    QLabel *m_stageResult[STAGE_COUNT] = {};
};
