// What the window shows of the state: the enabling rules, the search notice, the work
// mode, and the remote-service modes' check marks.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commands.h"
#include "disabledhints.h"
#include "qmodemsession.h"
#include "qoperation.h"
#include "qremotetableview.h"
#include "qtablecsv.h"
#include "remotelist.h"
#include "remotetableparts.h"

#include <QCoreApplication>
#include <QLabel>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStringList>
#include <QTimer>

namespace
{
const char *const SEARCH_BLACK = "QLabel { color: black; }";
const char *const SEARCH_RED = "QLabel { color: red; }";
constexpr int SEARCH_BLINK_MS = 1000;
constexpr int STATE_MIN_WIDTH = 300;

// The first reason of needs that is not met; empty when all are.
QString firstUnmet(std::initializer_list<std::pair<bool, QString>> needs)
{
    for (const auto &need : needs)
        if (!need.first)
            return need.second;
    return QString();
}

// A place in the menus as the user reads it: «Menu» → «Entry».
QString menuPath(std::initializer_list<QString> steps)
{
    QStringList quoted;
    for (QString step : steps)
        quoted
            << QCoreApplication::translate("MainWindow", "«%1»").arg(step.remove(QLatin1Char('&')));
    return quoted.join(QStringLiteral(" → "));
}
} // namespace

void MainWindow::updateControlsEnabled()
{
    if (!m_session || !m_remoteTable)
        return; // still being built
    using disabledhints::apply;
    const QModem &modem = m_session->modem();
    const bool stickConnected = modem.connected();
    // A password is set and nobody logged in: only blocking and reading are allowed.
    const bool accessLocked = modem.protectionMode() == PROTECTION_LOCKED;
    const bool passwordSet = modem.protectionMode() != PROTECTION_OFF;
    const bool listIsStickTable = m_remoteTable->list().source() == SOURCE_MODEM;
    // The stick passes changes on to the actuator by itself.
    const bool remoteMode = m_session->execDevice().remoteMode();
    // Edit, delete and block act on the current row.
    const bool rowChosen = m_remoteTable->view().currentIndex() != -1;

    // Each control that is off says why, and how to switch it on.
    const QOperation *running = m_session->currentOperation();
    const QString wait =
        running ? tr("Подождите, пока закончится операция: %1").arg(running->text()) : QString();
    const std::pair<bool, QString> stick = {
        stickConnected,
        running ? wait
                : tr("Нет связи с USB-stick. Вставьте USB-stick в разъём USB: программа найдёт "
                     "его сама")};
    const std::pair<bool, QString> admin = {
        !accessLocked, tr("Нужен доступ администратора: выберите %1 и введите пароль")
                           .arg(menuPath({ui->menuParams->title(), ui->menuWorkMode->title(),
                                          ui->actionAdminMode->text()}))};
    const std::pair<bool, QString> stickTable = {
        listIsStickTable,
        running ? wait
                : tr("В таблице не пульты USB-stick: сначала загрузите их командой %1")
                      .arg(menuPath({ui->menuSystem->title(), ui->actionGetFromModem->text()}))};
    const std::pair<bool, QString> notAutonomous = {
        !remoteMode,
        tr("Недоступно, пока исполнительное устройство в автономном режиме (%1)")
            .arg(menuPath({ui->menuRemoteMode->title(), ui->actionRemoteMode->text()}))};
    const std::pair<bool, QString> password = {
        passwordSet, tr("Пароль администратора не установлен; его устанавливают командой %1")
                         .arg(menuPath({ui->menuParams->title(), ui->menuExtend->title(),
                                        ui->actionSetPassword->text()}))};
    const std::pair<bool, QString> row = {rowChosen, tr("Выберите пульт в таблице")};

    for (QMenu *menu : {ui->menuSystem, ui->menuExtend})
        apply(menu, firstUnmet({stick}));
    for (QWidget *w : {ui->pushButton_findDev, ui->pushButton_loadProperties})
        apply(w, firstUnmet({stick}));

    apply(ui->menuWorkMode, firstUnmet({stick, password}));

    apply(ui->pushButton_addDev, firstUnmet({stick, admin, stickTable}));
    for (QWidget *w : {ui->pushButton_delDev, ui->pushButton_editDev})
        apply(w, firstUnmet({stick, admin, stickTable, row}));
    apply(ui->pushButton_activeDev, firstUnmet({stick, stickTable, row}));
    // Their keys follow their buttons.
    for (QPushButton *button :
         {ui->pushButton_delDev, ui->pushButton_editDev, ui->pushButton_activeDev})
        if (auto *keys = findChild<QShortcut *>("shortcut_" + button->objectName().mid(11)))
            keys->setEnabled(button->isEnabled());

    for (QAction *a : {ui->actionGetFromDevice, ui->actionSaveToDevice})
        apply(a, firstUnmet({admin, notAutonomous}));

    for (QAction *a : {ui->actionSaveToModem, ui->actionUpdateDevice, ui->actionUpdateModem,
                       ui->actionUpdateDevice2, ui->actionUpdateModem2, ui->actionClearmemory,
                       ui->actionRemoteMode})
        apply(a, firstUnmet({admin}));
    apply(ui->menuRemoteMode, firstUnmet({admin}));
    apply(ui->tableProperties, firstUnmet({admin}));

    apply(ui->actionRemoteUploadTable, firstUnmet({stick, admin}));
    for (QWidget *w : {ui->pushButton_saveProperties, ui->pushButton_applyProperties})
        apply(w, firstUnmet({stick, admin}));

    for (QAction *a : {ui->actionClearPassword, ui->actionForgetPassword})
        apply(a, firstUnmet({password}));
    apply(ui->actionSetPassword, QString());

    apply(
        ui->actionUndoImport,
        firstUnmet({{m_remoteTable->csv().canUndoImport(),
                     tr("Отменять нечего: таблица не загружена из файла CSV или уже изменена")}}));
    for (QWidget *w : {ui->pushButton_defProperties, ui->pushButton_restoreProperties})
        apply(w, firstUnmet({stick, admin, notAutonomous}));
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
    const QString port = m_session->portName();
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
