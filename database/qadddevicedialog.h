#pragma once

#include "qcontroldevice.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QComboBox;
class QInterfaceMessage;
class QLabel;
class QModemSession;
class QPushButton;
class QSearchWaitDialog;

// The wizard that registers one new remote: it puts the stick into search mode, asks it
// every half second whether a remote was heard, refuses remotes already in the table,
// and lets the user name the owner. It only collects the data; its creator writes the
// remote. Commands leave through signalSendUsartCommand(); the outcome comes back
// through the slots its creator connects to the session.
class QAddDeviceDialog : public QDialog
{
    Q_OBJECT
public:
    // devices is the current table, read only; session runs the wizard's transactions
    // and holds its prompts. Neither is owned.
    QAddDeviceDialog(QWidget *parent, const QList<QControlDevice> *devices,
                     const QStringList &owners, QModemSession *session);
    ~QAddDeviceDialog() override;

    // The 24-bit id of the remote heard, -1 until one is accepted.
    int foundId() const { return m_foundId; }
    // The high byte reported with it.
    quint8 foundGroup() const { return m_foundGroup; }
    QString ownerName() const { return m_ownerName; }
    quint8 workMode() const { return m_workMode; }

signals:
    void signalSendUsartCommand(QInterfaceMessage &message);
    void signalGoodAnswer();
    void signalBadAnswer();
    void signalNoAnswer();
    void signalDeviceFound();
    void signalSetWaitDialogMessage(QString text);

public slots:
    void slotCommandTimeout();
    void slotBadAnswer();
    void slotGoodAnswer();
    void slotDeviceFound(int id);
    // The listening phase; true once a new remote was heard.
    bool slotStartBtnClicked();
    void slotTypeBtnClicked();
    void slotOwnerBtnClicked();
    void slotRequestFoundDevice();
    // 0 without showing the wizard when no remote was heard.
    int exec() override;

private:
    enum { STAGE_LISTEN = 0, STAGE_OWNER = 1, STAGE_TYPE = 2, STAGE_COUNT = 3 };

    void setStage(int stage);
    void setStageResult(int stage, bool ok);
    bool runWaitDialog(QSearchWaitDialog *dialog, void (QAddDeviceDialog::*sendFirst)());
    void sendSearchMode();
    // Polls again after ms, unless this listening phase has ended meanwhile.
    void requestLater(int ms);

    const QList<QControlDevice> *m_devices;
    int m_foundId = -1;
    bool m_listening = false;
    quint8 m_foundGroup = 0;
    QString m_ownerName;
    quint8 m_workMode = 0;

    QModemSession *m_session;
    // What the running phase heard; taken over only if the phase ends accepted.
    int m_heardValue = -1;
    // Counts listening phases, so a poll scheduled by an earlier one never goes out.
    int m_phase = 0;

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
