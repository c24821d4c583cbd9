// Menus, buttons and shortcuts wired straight to the object that does the work.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "qflashcontroller.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qoperationlogwindow.h"
#include "qparamcontroller.h"
#include "qremoteoperations.h"
#include "qremotesearch.h"
#include "qtablecompare.h"
#include "qtablecopy.h"
#include "qtablecsv.h"
#include "qtablefiles.h"
#include "qtabletransfers.h"
#include "qupdatecontroller.h"
#include "qwaitdialog.h"
#include "remotelist.h"
#include "remotetableparts.h"

#include <QSettings>
#include <QShortcut>
#include <QStatusBar>

namespace
{
constexpr int STATUS_MESSAGE_MS = 15000;
} // namespace

void MainWindow::connectSession()
{
    QModemSession *session = m_session;
    // Every operation the session announces is shown while it runs.
    connect(session, &QModemSession::operationStarted, this, [this](QOperation *operation) {
        QWaitDialog::showFor(this, operation, QWaitDialog::AnimationMode);
        // Versions, access and mode are learned by operations.
        connect(operation, &QOperation::finished, this, &MainWindow::showStickState);
        // Controls that are off say to wait while it runs.
        updateControlsEnabled();
        connect(operation, &QOperation::finished, this, &MainWindow::updateControlsEnabled);
    });
    connect(session, &QModemSession::statusMessage, this,
            [this](const QString &text) { ui->statusBar->showMessage(text, STATUS_MESSAGE_MS); });
    for (auto changed : {&QModemSession::stateChanged, &QModemSession::sessionOpened,
                         &QModemSession::sessionClosed})
        connect(session, changed, this, &MainWindow::showStickState);
    connect(session, &QModemSession::workModeShown, this, &MainWindow::showStickState);
    connect(session, &QModemSession::stateChanged, this, &MainWindow::updateControlsEnabled);
    connect(session, &QModemSession::workModeShown, this, &MainWindow::showWorkMode);
    connect(session, &QModemSession::stateChanged, this,
            [this] { showSearch(m_session->searching()); });
    connect(session, &QModemSession::log, this, qOverload<QString>(&MainWindow::log_buffer));
    connect(session, &QModemSession::frameLogged, this,
            qOverload<QString, QByteArray>(&MainWindow::log_buffer));
}

void MainWindow::connectActions()
{
    QTableFiles *files = &m_remoteTable->files();
    QTableTransfers *transfers = &m_remoteTable->transfers();
    QTableCopy *copier = &m_remoteTable->copier();
    // File
    connect(ui->actionLoadFromDb, &QAction::triggered, files, &QTableFiles::load_db_from_file);
    connect(ui->actionSaveToCurrent, &QAction::triggered, files, &QTableFiles::save_db_to_file);
    connect(ui->actionSaveToDb, &QAction::triggered, files, &QTableFiles::save_db_to_new_file);
    connect(ui->actionLoadReserved, &QAction::triggered, files, &QTableFiles::load_reserved);
    connect(ui->actionQuit, &QAction::triggered, this, &MainWindow::close);
    // Control system
    connect(ui->actionGetFromModem, &QAction::triggered, transfers,
            &QTableTransfers::load_db_from_modem);
    connect(ui->actionSaveToModem, &QAction::triggered, transfers,
            &QTableTransfers::save_db_to_modem);
    connect(ui->actionSaveToDevice, &QAction::triggered, copier,
            &QTableCopy::copy_table_from_modem_to_dev);
    connect(ui->actionGetFromDevice, &QAction::triggered, copier,
            &QTableCopy::copy_table_from_dev_to_modem);
    connect(ui->actionClearmemory, &QAction::triggered, transfers,
            &QTableTransfers::clear_modem_memory);
    connect(ui->actionMemory, &QAction::triggered, copier, &QTableCopy::show_memory_status);
    connect(ui->actionVersionStatus, &QAction::triggered, m_session, &QModemSession::get_version);
    // Parameters
    connect(ui->actionUserMode, &QAction::triggered, m_session, &QModemSession::user_mode_clicked);
    connect(ui->actionAdminMode, &QAction::triggered, m_session,
            &QModemSession::admin_mode_clicked);
    connect(ui->actionSetPassword, &QAction::triggered, m_session,
            &QModemSession::admin_password_set);
    connect(ui->actionClearPassword, &QAction::triggered, m_session,
            &QModemSession::admin_password_clear);
    connect(ui->actionForgetPassword, &QAction::triggered, m_session,
            &QModemSession::admin_password_forget);
    for (QAction *action : {ui->actionUpdateSoft, ui->actionUpdateModem2, ui->actionUpdateDevice2})
        connect(action, &QAction::triggered, m_updates, &QUpdateController::update_soft_from_menu);
    connect(ui->actionUpdateModem, &QAction::triggered, m_flasher,
            &QFlashController::load_modem_fu);
    connect(ui->actionUpdateDevice, &QAction::triggered, m_flasher,
            &QFlashController::load_device_fu);
    // Remote modes. The upload-params entry is wired like its siblings from the
    // start; otherwise its first toggle would flip the check mark and send nothing.
    connect(ui->actionRemoteMode, &QAction::triggered, this,
            &MainWindow::set_exe_device_remote_mode);
    connect(ui->actionRemoteUploadTable, &QAction::triggered, this,
            &MainWindow::set_modem_uploadtable_mode);
    connect(ui->actionRemoteUpdateFlash, &QAction::triggered, this,
            &MainWindow::set_modem_updateflash_mode);
    connect(ui->actionRemoteUploadParams, &QAction::triggered, this,
            &MainWindow::set_modem_updateparams_mode);
    // Help
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::show_about_dialog);
    connect(ui->actionHelp, &QAction::triggered, this, &MainWindow::show_help);
    // Log view: hidden, follows its (hidden) toggle button.
    ui->textEdit_Log->hide();
    connect(ui->pushButton_Log, &QPushButton::toggled, ui->textEdit_Log, &QWidget::setVisible);
}

void MainWindow::connectRemoteTable()
{
    RemoteList *list = &m_remoteTable->list();
    QRemoteOperations *operations = &m_remoteTable->operations();
    QRemoteSearch *search = &m_remoteTable->search();
    connect(list, &RemoteList::stateChanged, this, &MainWindow::updateControlsEnabled);
    connect(&m_remoteTable->view(), &QRemoteTableView::currentRowChanged, this,
            &MainWindow::updateControlsEnabled);
    connect(search, &QRemoteSearch::signal_show_btn_next_device_search, this,
            &MainWindow::signal_show_btn_next_device_search);

    // Each row operation from its button, the table's context menu (not for the search)
    // and a key that works anywhere in the window.
    const QRemoteTableView &view = m_remoteTable->view();
    const auto wire = [this, &view](QPushButton *button, int menuEntry, const char *name,
                                    const char *keys, auto *owner, auto slot) {
        connect(button, &QPushButton::clicked, owner, slot);
        if (menuEntry >= 0)
            connect(view.menuAction(QRemoteTableView::TABLE_MENU_T(menuEntry)), &QAction::triggered,
                    owner, slot);
        auto *shortcut = new QShortcut(QKeySequence(keys), this);
        shortcut->setObjectName(name);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, owner, slot);
    };
    wire(ui->pushButton_addDev, QRemoteTableView::MENU_ADD, "shortcut_addDev", "Ctrl+N", search,
         &QRemoteSearch::add_button_clicked);
    wire(ui->pushButton_editDev, QRemoteTableView::MENU_EDIT, "shortcut_editDev", "Ctrl+E",
         operations, &QRemoteOperations::edit_button_clicked);
    wire(ui->pushButton_delDev, QRemoteTableView::MENU_DELETE, "shortcut_delDev", "Ctrl+D",
         operations, &QRemoteOperations::del_button_clicked);
    wire(ui->pushButton_findDev, -1, "shortcut_findDev", "Ctrl+I", search,
         &QRemoteSearch::find_button_clicked);
    wire(ui->pushButton_activeDev, QRemoteTableView::MENU_ACTIVATE, "shortcut_activeDev", "Ctrl+B",
         operations, &QRemoteOperations::active_button_clicked);
}

void MainWindow::connectTableTools()
{
    m_session->operationLog()->setPath(QTableFiles::operationLogPath());
    QTableCompare *compare = &m_remoteTable->compare();
    QTableCsv *csv = &m_remoteTable->csv();
    // Like the file entries' keys, it works wherever the focus is in the program.
    ui->actionUndoImport->setShortcutContext(Qt::ApplicationShortcut);
    connect(ui->actionCompareFile, &QAction::triggered, compare, &QTableCompare::compareWithFile);
    connect(ui->actionCompareBackup, &QAction::triggered, compare,
            &QTableCompare::compareWithBackup);
    connect(ui->actionExportCsv, &QAction::triggered, csv, &QTableCsv::exportCsv);
    connect(ui->actionImportCsv, &QAction::triggered, csv, &QTableCsv::importCsv);
    connect(ui->actionUndoImport, &QAction::triggered, csv, &QTableCsv::undoImport);
    connect(ui->actionOperationLog, &QAction::triggered, &m_remoteTable->logWindow(),
            &QOperationLogWindow::showOperationLog);
    connect(ui->actionVerifyWrite, &QAction::toggled, this, &MainWindow::setVerifyAfterWrite);
    connect(m_remoteTable, &RemoteTableParts::statusMessage, this,
            [this](const QString &text) { ui->statusBar->showMessage(text, STATUS_MESSAGE_MS); });
    connect(m_flasher, &QFlashController::statusMessage, this,
            [this](const QString &text) { ui->statusBar->showMessage(text, STATUS_MESSAGE_MS); });
}

void MainWindow::setVerifyAfterWrite(bool value)
{
    m_remoteTable->transfers().setVerifyAfterWrite(value);
    // Kept at once: a run that ends in a crash still remembers the choice.
    QTableTransfers::writeVerifySetting(*settings, value);
}

void MainWindow::connectProperties()
{
    connect(ui->pushButton_loadProperties, &QPushButton::clicked, m_params,
            &QParamController::load_exe_device_properties);
    connect(ui->pushButton_saveProperties, &QPushButton::clicked, m_params,
            &QParamController::save_exe_device_properties);
    connect(ui->pushButton_defProperties, &QPushButton::clicked, m_params,
            &QParamController::set_def_exe_device_properties);
    connect(ui->pushButton_applyProperties, &QPushButton::clicked, m_params,
            [this] { m_params->apply_restore_exe_device_properties(true); });
    connect(ui->pushButton_restoreProperties, &QPushButton::clicked, m_params,
            [this] { m_params->apply_restore_exe_device_properties(false); });
}
