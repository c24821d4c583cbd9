#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "event_filter.h"
#include "portaccessnotice.h"
#include "prompts.h"
#include "qflashcontroller.h"
#include "qinterface_manager.h"
#include "qmodemsession.h"
#include "qparamcontroller.h"
#include "qremotetablecontroller.h"
#include "qupdatecontroller.h"
#include "qwaitdialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMovie>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QSystemTrayIcon>

const char MainWindow::VersionSuffix[] = "e";

QString MainWindow::versionText()
{
    return QString::number(VersionMajor) + "." + QString::number(VersionMinor) + VersionSuffix;
}

MainWindow::MainWindow(QApplication *app, Prompts *prompts, const ShellOptions &options,
                       QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), m_prompts(prompts), m_options(options),
      application(app)
{
    if (!m_prompts)
        m_prompts = m_ownPrompts = new DefaultPrompts;

    settings = new QSettings("Vexo Electronics", "Vexo Control Tool", this);
    connectMovie = new QMovie(this);
    currentLanguage = tr("Русский");

    // The tray stays hidden until the first show.
    eventFilter = new Event_Filter(this);
    create_tray_icon();
    ui->setupUi(this);

    m_session = new QModemSession(m_prompts, this, this);
    m_session->setPorts(m_options.ports, m_options.systemPorts);
    RemoteTableWidgets table;
    table.table = ui->tablePults;
    table.sourceLabel = ui->labelBDSource;
    table.filter = ui->lineEdit_find_owner;
    table.activeButton = ui->pushButton_activeDev;
    table.addButton = ui->pushButton_addDev;
    table.delButton = ui->pushButton_delDev;
    table.editButton = ui->pushButton_editDev;
    m_remoteTable = new QRemoteTableController(m_session, table, this);
    m_params = new QParamController(m_session, ui->tableProperties, this);
    m_flasher = new QFlashController(m_session, this);
    m_updates = new QUpdateController(m_session, m_flasher, this);
    m_updates->manager().setVersion(QUpdateManager::UPDATE_SOFT_PC, VersionMajor, VersionMinor,
                                    VersionSuffix);
    m_updates->manager().setDownloadFolder(dataDirectory());
    // An installer left from the last run is of no further use; failing to delete it
    // is harmless.
    m_updates->removeLeftOverInstaller();
    m_updates->setTrayIcon(m_trayIcon);
    m_updates->setNoticeBar(ui->statusBar);
    if (trayMenu)
        m_updates->setMenuAction(trayMenu->actions().value(0), QUpdateManager::UPDATE_SOFT_PC);
    m_updates->setMenuAction(ui->actionUpdateSoft, QUpdateManager::UPDATE_SOFT_PC);
    m_updates->setMenuAction(ui->actionUpdateModem2, QUpdateManager::UPDATE_SOFT_MODEM);
    m_updates->setMenuAction(ui->actionUpdateDevice2, QUpdateManager::UPDATE_SOFT_DEVICE);
    // Not past the exit question: unsaved remotes are asked about and backed up first.
    connect(m_updates, &QUpdateController::closeRequested, this, &MainWindow::close);

    // Ports the user may not open are explained in the window, not in a box per probe.
    auto *portNotice = new PortAccessNotice(ui->statusBar);
    ui->statusBar->addWidget(portNotice, 1);
    connect(m_session, &QModemSession::portAccessDenied, portNotice, &PortAccessNotice::report);
    connect(m_session, &QModemSession::sessionOpened, portNotice, &PortAccessNotice::withdraw);

    // Controls not offered in this version are hidden.
    ui->menuRemoteMode->menuAction()->setVisible(false);
    ui->pushButton_Log->hide();
    ui->pushButton_applyProperties->hide();
    ui->pushButton_restoreProperties->hide();

    setWindowTitle(QStringLiteral("Vexo Control Tool") + " " + versionText());

    // Work modes show which one is active.
    ui->actionUserMode->setCheckable(true);
    ui->actionAdminMode->setCheckable(true);

    connectMovie->setFileName(":/images/connect_anim.gif");
    ui->label_modemSearchIco->setMovie(connectMovie);
    connectMovie->start();
    ui->pushButton_activeDev->setIcon(QIcon(":/images/turn.png"));
    ui->pushButton_addDev->setIcon(QIcon(":/images/plus.png"));
    ui->pushButton_delDev->setIcon(QIcon(":/images/minus.png"));
    ui->pushButton_editDev->setIcon(QIcon(":/images/edit.png"));
    ui->pushButton_findDev->setIcon(QIcon(":/images/control_object.png"));

    set_shortcuts();
    connect_session();
    // Queued, so the search starts once the window is on screen.
    connect(this, &MainWindow::signal_start_autoconnect, this, &MainWindow::start_autoconnect,
            Qt::QueuedConnection);
    connect(eventFilter, &Event_Filter::table_resize, this, &MainWindow::ui_tables_resize);
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, &MainWindow::tab_changed);
    connect(ui->menuLanguage, &QMenu::triggered, this,
            qOverload<QAction *>(&MainWindow::switch_to_language));
    connect_actions();
    connect_table_tools();

    build_language_menu();
    load_settings();
    build_properties_table();
    update_controls_enabled();
    installEventFilter(eventFilter);
    ui->tabWidget->setStyleSheet("QTabBar::tab:only-one {height: 0 px;}");
}

MainWindow::~MainWindow()
{
    save_settings();
    const QList<QAction *> languages = ui->menuLanguage->actions();
    for (QAction *action : languages) {
        ui->menuLanguage->removeAction(action);
        delete action;
    }
    // An update of the program the user agreed to replaces it as the program ends.
    m_updates->start_installer();
    delete m_updates;
    m_updates = nullptr;
    // The session ends its link thread and closes the port before the widgets go.
    delete m_params;
    m_params = nullptr;
    delete m_flasher;
    m_flasher = nullptr;
    delete m_remoteTable;
    m_remoteTable = nullptr;
    delete m_session;
    m_session = nullptr;
    delete eventFilter;
    eventFilter = nullptr;
    delete trayMenu;
    trayMenu = nullptr;
    delete m_trayIcon;
    m_trayIcon = nullptr;
    delete ui;
    ui = nullptr;
    delete m_ownPrompts;
}

void MainWindow::connect_session()
{
    QModemSession *session = m_session;
    // Every operation the session announces is shown while it runs.
    connect(session, &QModemSession::operationStarted, this, [this](QOperation *operation) {
        QWaitDialog::showFor(this, operation, QWaitDialog::AnimationMode);
    });
    connect(session, &QModemSession::operationStep, this,
            &MainWindow::signal_modem_operation_single);
    connect(session, &QModemSession::operationProgress, this,
            &MainWindow::signal_modem_set_progress);
    connect(session, &QModemSession::operationComplete, this,
            &MainWindow::signal_modem_operation_complete);
    connect(session, &QModemSession::operationFailed, this,
            &MainWindow::signal_modem_operation_fail);
    connect(session, &QModemSession::deviceFound, this, &MainWindow::signal_device_found);
    connect(session, &QModemSession::stateChanged, this, &MainWindow::update_controls_enabled);
    connect(session, &QModemSession::workModeShown, this, &MainWindow::show_work_mode);
    connect(session, &QModemSession::stateChanged, this,
            [this] { show_search(m_session->searching()); });
    connect(session, &QModemSession::log, this, qOverload<QString>(&MainWindow::log_buffer));
    connect(session->interfaceManager(), &QInterface_Manager::signal_log_buffer, this,
            qOverload<QString, QByteArray>(&MainWindow::log_buffer));
    connect(m_remoteTable, &QRemoteTableController::stateChanged, this,
            &MainWindow::update_controls_enabled);
    connect(m_remoteTable, &QRemoteTableController::signal_need_saving, this,
            &MainWindow::signal_need_saving);
    connect(m_remoteTable, &QRemoteTableController::signal_show_btn_next_device_search, this,
            &MainWindow::signal_show_btn_next_device_search);
    // Both the window's and the table's signal mark the list as changed.
    connect(this, &MainWindow::signal_need_saving, m_remoteTable,
            &QRemoteTableController::need_saving);
    const struct {
        QRemoteTableController::TABLE_MENU_T entry;
        void (MainWindow::*slot)();
    } menu[] = {
        {QRemoteTableController::MENU_ADD, &MainWindow::add_button_clicked},
        {QRemoteTableController::MENU_EDIT, &MainWindow::edit_button_clicked},
        {QRemoteTableController::MENU_DELETE, &MainWindow::del_button_clicked},
        {QRemoteTableController::MENU_ACTIVATE, &MainWindow::active_button_clicked},
    };
    for (const auto &m : menu)
        connect(m_remoteTable->menuAction(m.entry), &QAction::triggered, this, m.slot);
}

QString MainWindow::dataDirectory()
{
    return QRemoteTableController::dataDirectory();
}

QModem &MainWindow::modem()
{
    return m_session->modem();
}

QExecDevice &MainWindow::execDevice()
{
    return m_session->execDevice();
}

QInterface_Manager *MainWindow::interfaceManager() const
{
    return m_session->interfaceManager();
}

DATA_SOURCE_T MainWindow::data_source() const
{
    return m_remoteTable->data_source();
}

const QList<QControlDevice> &MainWindow::remote_list() const
{
    return m_remoteTable->remote_list();
}

QString MainWindow::db_file_name() const
{
    return m_remoteTable->db_file_name();
}

bool MainWindow::db_saved() const
{
    return m_remoteTable->db_saved();
}

void MainWindow::create_tray_icon()
{
    trayMenu = new QMenu(this);
    trayMenu->setObjectName("trayMenu");
    QAction *update = trayMenu->addAction(tr("Обновить программу"));
    connect(update, &QAction::triggered, this, &MainWindow::update_soft_from_menu);
    QAction *quit = trayMenu->addAction(tr("Выход"));
    connect(quit, &QAction::triggered, this, &MainWindow::close);
    // Desktops without a tray get no icon; every tray entry is also in the menus.
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_trayIcon = new QSystemTrayIcon(QIcon(":/images/app.ico"), this);
    m_trayIcon->setToolTip("Vexo Control Tool");
    m_trayIcon->setContextMenu(trayMenu);
}

void MainWindow::set_shortcuts()
{
    ui->actionLoadFromDb->setShortcut(QKeySequence("Ctrl+O"));
    ui->actionSaveToCurrent->setShortcut(QKeySequence("Ctrl+S"));
    ui->actionSaveToDb->setShortcut(QKeySequence("Ctrl+Shift+S"));
    ui->actionMemory->setShortcut(QKeySequence("Ctrl+M"));
    ui->actionHelp->setShortcut(QKeySequence("F1"));
    for (QAction *action :
         {ui->actionMemory, ui->actionLoadFromDb, ui->actionSaveToCurrent, ui->actionSaveToDb})
        action->setShortcutContext(Qt::ApplicationShortcut);

    // Row operations of the remote table, reachable from anywhere in the window.
    const struct {
        const char *name;
        const char *keys;
        void (MainWindow::*slot)();
    } rowKeys[] = {
        {"shortcut_addDev", "Ctrl+N", &MainWindow::add_button_clicked},
        {"shortcut_editDev", "Ctrl+E", &MainWindow::edit_button_clicked},
        {"shortcut_delDev", "Ctrl+D", &MainWindow::del_button_clicked},
        {"shortcut_findDev", "Ctrl+I", &MainWindow::find_button_clicked},
        {"shortcut_activeDev", "Ctrl+B", &MainWindow::active_button_clicked},
    };
    for (const auto &key : rowKeys) {
        auto *shortcut = new QShortcut(QKeySequence(key.keys), this);
        shortcut->setObjectName(key.name);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, key.slot);
    }
}

void MainWindow::connect_actions()
{
    // File
    connect(ui->actionLoadFromDb, &QAction::triggered, this, &MainWindow::load_db_from_file);
    connect(ui->actionSaveToCurrent, &QAction::triggered, this, &MainWindow::save_db_to_file);
    connect(ui->actionSaveToDb, &QAction::triggered, this, &MainWindow::save_db_to_new_file);
    connect(ui->actionLoadReserved, &QAction::triggered, this, &MainWindow::load_reserved);
    connect(ui->actionQuit, &QAction::triggered, this, &MainWindow::close);
    // Control system
    connect(ui->actionGetFromModem, &QAction::triggered, this, &MainWindow::load_db_from_modem);
    connect(ui->actionSaveToModem, &QAction::triggered, this, &MainWindow::save_db_to_modem);
    connect(ui->actionSaveToDevice, &QAction::triggered, this,
            &MainWindow::copy_table_from_modem_to_dev);
    connect(ui->actionGetFromDevice, &QAction::triggered, this,
            &MainWindow::copy_table_from_dev_to_modem);
    connect(ui->actionClearmemory, &QAction::triggered, this, &MainWindow::clear_modem_memory);
    connect(ui->actionMemory, &QAction::triggered, this, &MainWindow::show_memory_status);
    connect(ui->actionVersionStatus, &QAction::triggered, this, &MainWindow::get_version);
    // Parameters
    connect(ui->actionUserMode, &QAction::triggered, this, &MainWindow::user_mode_clicked);
    connect(ui->actionAdminMode, &QAction::triggered, this, &MainWindow::admin_mode_clicked);
    connect(ui->actionSetPassword, &QAction::triggered, this, &MainWindow::admin_password_set);
    connect(ui->actionClearPassword, &QAction::triggered, this, &MainWindow::admin_password_clear);
    connect(ui->actionForgetPassword, &QAction::triggered, this,
            &MainWindow::admin_password_forget);
    for (QAction *action : {ui->actionUpdateSoft, ui->actionUpdateModem2, ui->actionUpdateDevice2})
        connect(action, &QAction::triggered, this, &MainWindow::update_soft_from_menu);
    connect(ui->actionUpdateModem, &QAction::triggered, this, &MainWindow::load_modem_fu);
    connect(ui->actionUpdateDevice, &QAction::triggered, this, &MainWindow::load_device_fu);
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

    // Remote table and its buttons.
    connect(ui->pushButton_activeDev, &QPushButton::clicked, this,
            &MainWindow::active_button_clicked);
    connect(ui->pushButton_addDev, &QPushButton::clicked, this, &MainWindow::add_button_clicked);
    connect(ui->pushButton_delDev, &QPushButton::clicked, this, &MainWindow::del_button_clicked);
    connect(ui->pushButton_editDev, &QPushButton::clicked, this, &MainWindow::edit_button_clicked);
    connect(ui->pushButton_findDev, &QPushButton::clicked, this, &MainWindow::find_button_clicked);
    // Log view: hidden, follows its (hidden) toggle button.
    ui->textEdit_Log->hide();
    connect(ui->pushButton_Log, &QPushButton::toggled, ui->textEdit_Log, &QWidget::setVisible);

    // Actuator parameter buttons.
    connect(ui->pushButton_loadProperties, &QPushButton::clicked, this,
            &MainWindow::load_exe_device_properties);
    connect(ui->pushButton_saveProperties, &QPushButton::clicked, this,
            &MainWindow::save_exe_device_properties);
    connect(ui->pushButton_defProperties, &QPushButton::clicked, this,
            &MainWindow::set_def_exe_device_properties);
    connect(ui->pushButton_applyProperties, &QPushButton::clicked, this,
            &MainWindow::apply_restore_exe_device_properties);
    connect(ui->pushButton_restoreProperties, &QPushButton::clicked, this,
            &MainWindow::apply_restore_exe_device_properties);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    ui_tables_resize();
    if (!firstShowPending)
        return;
    firstShowPending = false;
    if (m_trayIcon)
        m_trayIcon->show();
    emit signal_start_autoconnect();
}

void MainWindow::log_buffer(QString text, QByteArray frame)
{
    // The traffic log is kept for diagnostics builds only.
    Q_UNUSED(text);
    Q_UNUSED(frame);
}

void MainWindow::log_buffer(QString text)
{
    Q_UNUSED(text);
}

void MainWindow::close_without_confirmation()
{
    skipExitConfirmation = true;
    close();
}

static void setMenuEnabled(QMenu *menu, bool enabled)
{
    // The menu bar entry is the menu's action; keep both in step.
    menu->setEnabled(enabled);
    menu->menuAction()->setEnabled(enabled);
}

void MainWindow::update_controls_enabled()
{
    if (!m_session || !m_remoteTable)
        return; // still being built
    const QModem &modem = m_session->modem();
    const bool C = modem.connected();
    const bool R = modem.protectionMode() == PROTECTION_LOCKED;
    const bool P = modem.protectionMode() != PROTECTION_OFF;
    const bool S = m_remoteTable->data_source() == SOURCE_MODEM;
    const bool A = m_session->execDevice().remoteMode();

    setMenuEnabled(ui->menuSystem, C);
    setMenuEnabled(ui->menuExtend, C);
    ui->pushButton_findDev->setEnabled(C);
    ui->pushButton_loadProperties->setEnabled(C);

    setMenuEnabled(ui->menuWorkMode, C && P);

    for (QWidget *w : {ui->pushButton_addDev, ui->pushButton_delDev, ui->pushButton_editDev})
        w->setEnabled(S && !R && C);
    ui->pushButton_activeDev->setEnabled(S && C);

    ui->actionGetFromDevice->setEnabled(!R && !A);
    ui->actionSaveToDevice->setEnabled(!R && !A);

    for (QAction *a : {ui->actionSaveToModem, ui->actionUpdateDevice, ui->actionUpdateModem,
                       ui->actionUpdateDevice2, ui->actionUpdateModem2, ui->actionClearmemory,
                       ui->actionRemoteMode})
        a->setEnabled(!R);
    setMenuEnabled(ui->menuRemoteMode, !R);
    ui->tableProperties->setEnabled(!R);

    ui->actionRemoteUploadTable->setEnabled(C && !R);
    ui->pushButton_saveProperties->setEnabled(C && !R);
    ui->pushButton_applyProperties->setEnabled(C && !R);

    ui->actionClearPassword->setEnabled(P);
    ui->actionForgetPassword->setEnabled(P);
    ui->actionSetPassword->setEnabled(true);

    ui->actionUndoImport->setEnabled(m_remoteTable->can_undo_import());
    ui->pushButton_defProperties->setEnabled(C && !R && !A);
    ui->pushButton_restoreProperties->setEnabled(C && !R && !A);
}
