// What the window shows of the state: the enabling rules, the search notice, the work
// mode, and the remote-service modes' check marks.
#include "mainwindow.h"
#include "qinterface_manager.h"
#include "ui_mainwindow.h"

#include "commands.h"
#include "qmodemsession.h"
#include "qremotetableview.h"
#include "qtablecsv.h"
#include "remotelist.h"
#include "remotetableparts.h"

#include <QLabel>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>

namespace
{
const char *const SEARCH_BLACK = "QLabel { color: black; }";
const char *const SEARCH_RED = "QLabel { color: red; }";
constexpr int SEARCH_BLINK_MS = 1000;
constexpr int STATE_MIN_WIDTH = 300;

void setMenuEnabled(QMenu *menu, bool enabled)
{
    // The menu bar entry is the menu's action; keep both in step.
    menu->setEnabled(enabled);
    menu->menuAction()->setEnabled(enabled);
}
} // namespace

void MainWindow::updateControlsEnabled()
{
    if (!m_session || !m_remoteTable)
        return; // still being built
    const QModem &modem = m_session->modem();
    const bool stickConnected = modem.connected();
    // A password is set and nobody logged in: only blocking and reading are allowed.
    const bool accessLocked = modem.protectionMode() == PROTECTION_LOCKED;
    const bool passwordSet = modem.protectionMode() != PROTECTION_OFF;
    const bool listIsStickTable = m_remoteTable->list().source() == SOURCE_MODEM;
    // The stick passes changes on to the actuator by itself.
    const bool remoteMode = m_session->execDevice().remoteMode();
    const bool stickChangeable = stickConnected && !accessLocked;

    setMenuEnabled(ui->menuSystem, stickConnected);
    setMenuEnabled(ui->menuExtend, stickConnected);
    ui->pushButton_findDev->setEnabled(stickConnected);
    ui->pushButton_loadProperties->setEnabled(stickConnected);

    setMenuEnabled(ui->menuWorkMode, stickConnected && passwordSet);

    // Edit, delete and block act on the current row; their keys follow their buttons.
    const bool rowChosen = m_remoteTable->view().currentIndex() != -1;
    ui->pushButton_addDev->setEnabled(listIsStickTable && stickChangeable);
    for (QWidget *w : {ui->pushButton_delDev, ui->pushButton_editDev})
        w->setEnabled(listIsStickTable && stickChangeable && rowChosen);
    ui->pushButton_activeDev->setEnabled(listIsStickTable && stickConnected && rowChosen);
    for (QPushButton *button :
         {ui->pushButton_delDev, ui->pushButton_editDev, ui->pushButton_activeDev})
        if (auto *keys = findChild<QShortcut *>("shortcut_" + button->objectName().mid(11)))
            keys->setEnabled(button->isEnabled());

    ui->actionGetFromDevice->setEnabled(!accessLocked && !remoteMode);
    ui->actionSaveToDevice->setEnabled(!accessLocked && !remoteMode);

    for (QAction *a : {ui->actionSaveToModem, ui->actionUpdateDevice, ui->actionUpdateModem,
                       ui->actionUpdateDevice2, ui->actionUpdateModem2, ui->actionClearmemory,
                       ui->actionRemoteMode})
        a->setEnabled(!accessLocked);
    setMenuEnabled(ui->menuRemoteMode, !accessLocked);
    ui->tableProperties->setEnabled(!accessLocked);

    ui->actionRemoteUploadTable->setEnabled(stickChangeable);
    ui->pushButton_saveProperties->setEnabled(stickChangeable);
    ui->pushButton_applyProperties->setEnabled(stickChangeable);

    ui->actionClearPassword->setEnabled(passwordSet);
    ui->actionForgetPassword->setEnabled(passwordSet);
    ui->actionSetPassword->setEnabled(true);

    ui->actionUndoImport->setEnabled(m_remoteTable->csv().canUndoImport());
    ui->pushButton_defProperties->setEnabled(stickChangeable && !remoteMode);
    ui->pushButton_restoreProperties->setEnabled(stickChangeable && !remoteMode);
}

void MainWindow::showSearch(bool searching)
{
    if (ui->label_modemSearch->isVisibleTo(this) == searching)
        return;
    ui->label_modemSearch->setVisible(searching);
    ui->label_modemSearchIco->setVisible(searching);
    if (searching)
        QTimer::singleShot(SEARCH_BLINK_MS, this, &MainWindow::change_autoconnect_color);
}

void MainWindow::showStickState()
{
    if (!m_stickState || !m_session)
        return;
    // Half the bar at most, so that a long port name leaves the messages room to show; the
    // port's path gives way first, so that the version, access and mode stay readable.
    const QString full = m_session->stateSummary();
    m_stickState->setToolTip(full);
    const QFontMetrics metrics = m_stickState->fontMetrics();
    const int room = qMax(STATE_MIN_WIDTH, ui->statusBar->width() / 2);
    QString text = full;
    const QString port = m_session->interfaceManager()->portName();
    const int excess = metrics.horizontalAdvance(full) - room;
    if (excess > 0 && !port.isEmpty() && full.contains(port)) {
        const int portRoom = qMax(metrics.horizontalAdvance(port) - excess,
                                  metrics.horizontalAdvance(QStringLiteral("COM1…")));
        text.replace(port, metrics.elidedText(port, Qt::ElideMiddle, portRoom));
    }
    m_stickState->setText(metrics.elidedText(text, Qt::ElideMiddle, room));
}

void MainWindow::change_autoconnect_color()
{
    if (!ui->label_modemSearch->isVisibleTo(this))
        return;
    const bool wasBlack = ui->label_modemSearch->styleSheet() == SEARCH_BLACK;
    ui->label_modemSearch->setStyleSheet(wasBlack ? SEARCH_RED : SEARCH_BLACK);
    QTimer::singleShot(SEARCH_BLINK_MS, this, &MainWindow::change_autoconnect_color);
}

void MainWindow::showWorkMode(bool admin)
{
    ui->actionAdminMode->setChecked(admin);
    ui->actionUserMode->setChecked(!admin);
    ui->actionChangePass->setEnabled(admin);
    updateControlsEnabled();
}

void MainWindow::setModemModeParam(QAction *action, quint16 id, bool value)
{
    // The action has already toggled its mark; unless the stick takes the change it goes
    // back without asking again.
    const auto putBack = [action, value] {
        const QSignalBlocker quiet(action);
        action->setChecked(!value);
    };
    QOperation *operation = m_session->setModemModeParam(id, value);
    if (!operation) {
        putBack();
        return;
    }
    connect(operation, &QOperation::finished, action, [operation, putBack] {
        if (!operation->succeeded())
            putBack();
    });
}

void MainWindow::set_modem_updateparams_mode(bool value)
{
    setModemModeParam(ui->actionRemoteUploadParams, PARAM_UPLOAD_PARAMS_MODE, value);
}

void MainWindow::set_modem_updateflash_mode(bool value)
{
    setModemModeParam(ui->actionRemoteUpdateFlash, PARAM_UPDATE_FLASH_MODE, value);
}

void MainWindow::set_modem_uploadtable_mode(bool value)
{
    setModemModeParam(ui->actionRemoteUploadTable, PARAM_UPLOAD_TABLE_MODE, value);
}

void MainWindow::set_exe_device_remote_mode(bool value)
{
    m_session->setRemoteMode(value);
}
