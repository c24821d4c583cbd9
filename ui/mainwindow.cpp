#include "mainwindow.h"
#ifdef VEXO_WITH_SITES
#include "sitesmenu.h"
#endif
#include "ui_mainwindow.h"

#include "defaultprompts.h"
#include "disabledhints.h"
#include "elidedtext.h"
#include "event_filter.h"
#include "portaccessnotice.h"
#include "privatefiles.h"
#include "qflashcontroller.h"
#include "qmodemsession.h"
#include "qparamcontroller.h"
#include "qtablefiles.h"
#include "qupdatecontroller.h"
#include "qupdatenotice.h"
#include "remotetableparts.h"
#include "screenplacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QWindow>
#include <QtMath>

namespace
{
constexpr int CLOSE_REFUSED_MS = 10000;
// The frame a window manager usually draws around a window, in pixels of the screen.
constexpr int FrameAllowance = 4;
constexpr int TitleAllowance = 32;
} // namespace

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

    settings = m_options.settingsFile.isEmpty()
                   ? new QSettings("Vexo Electronics", "Vexo Control Tool", this)
                   : new QSettings(m_options.settingsFile, QSettings::IniFormat, this);
    // Backups, the operation log and downloads are the user's alone.
    privatefiles::makeDirectory(dataDirectory());
    connectMovie = new QMovie(this);
    currentLanguage = tr("Русский");

    // The tray stays hidden until the first show.
    eventFilter = new Event_Filter(this);
    createTrayIcon();
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
    m_remoteTable = new RemoteTableParts(m_session, table, this);
    m_params = new QParamController(m_session, ui->tableProperties, this);
    m_flasher = new QFlashController(m_session, this);
    m_updates = new QUpdateController(m_session, m_flasher, this);
    m_updates->manager().setVersion(QUpdateManager::UPDATE_SOFT_PC, VersionMajor, VersionMinor,
                                    VersionSuffix);
    m_updates->manager().setDownloadFolder(dataDirectory());
    // An installer left from the last run is of no further use; failing to delete it
    // is harmless.
    m_updates->removeLeftOverInstaller();
    // Downloads cut by a killed program: only one instance runs, so none is under way.
    m_updates->manager().removePartialDownloads();
    m_updates->setTrayIcon(m_trayIcon);
    m_updates->setNoticeBar(ui->statusBar);
    if (trayMenu) {
        QAction *update = trayMenu->actions().value(0);
        m_updates->setMenuAction(update, QUpdateManager::UPDATE_SOFT_PC);
        connect(update, &QAction::triggered, m_updates, &QUpdateController::update_soft_from_menu);
    }
    m_updates->setMenuAction(ui->actionUpdateSoft, QUpdateManager::UPDATE_SOFT_PC);
    m_updates->setMenuAction(ui->actionUpdateModem2, QUpdateManager::UPDATE_SOFT_MODEM);
    m_updates->setMenuAction(ui->actionUpdateDevice2, QUpdateManager::UPDATE_SOFT_DEVICE);
    // Not past the exit question: unsaved remotes are asked about and backed up first.
    connect(m_updates, &QUpdateController::closeRequested, this, &MainWindow::close);

    // Ports the user may not open are explained in the window, not in a box per probe.
    auto *portNotice = new PortAccessNotice(ui->statusBar);
    ui->statusBar->addWidget(portNotice, 1);
    connect(m_session, &QModemSession::portAccessDenied, portNotice, &PortAccessNotice::report);
    connect(m_session, &QModemSession::portBusy, portNotice, &PortAccessNotice::reportBusy);
    connect(m_session, &QModemSession::sessionOpened, portNotice, &PortAccessNotice::withdraw);
    m_stickState = new QElidedLabel(ui->statusBar);
    m_stickState->setObjectName("label_stickState");
    ui->statusBar->addPermanentWidget(m_stickState);
    // The notices take the room the stick's state leaves them, however long they are.
    for (QWidget *notice :
         {static_cast<QWidget *>(portNotice), static_cast<QWidget *>(m_updates->notice())})
        notice->setSizePolicy(QSizePolicy::Ignored, notice->sizePolicy().verticalPolicy());
    // Menu entries that are off say why when the mouse is over them.
    auto *hints = new DisabledActionHints(ui->statusBar, this);
    hints->watch(ui->menuBar);
    const QList<QMenu *> menus = ui->menuBar->findChildren<QMenu *>();
    for (QMenu *menu : menus)
        hints->watch(menu);
    if (auto *tableMenu = ui->tablePults->findChild<QMenu *>("tableMenu"))
        hints->watch(tableMenu);
    // The wait dialog blocks the window, so its close request never reaches closeEvent().
    m_blockedClose =
        std::make_unique<BlockedCloseWatcher>(this, [this] { refuseCloseWhileBusy(); });

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

    setShortcuts();
    connectSession();
    // Queued, so the search starts once the window is on screen.
    connect(this, &MainWindow::signal_start_autoconnect, m_session,
            &QModemSession::start_autoconnect, Qt::QueuedConnection);
    connect(eventFilter, &Event_Filter::table_resize, this, &MainWindow::ui_tables_resize);
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, &MainWindow::tab_changed);
    connect(ui->menuLanguage, &QMenu::triggered, this,
            qOverload<QAction *>(&MainWindow::switch_to_language));
    connectActions();
    connectRemoteTable();
    connectTableTools();
    connectProperties();
#ifdef VEXO_WITH_SITES
    ui->menuBar->insertMenu(
        ui->menuHelp->menuAction(),
        new SitesMenu(dataDirectory(), m_session, m_remoteTable, ui->statusBar, this));
#endif

    buildLanguageMenu();
    load_settings();
    m_params->buildParamTable(true);
    updateControlsEnabled();
    showStickState();
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
    m_updates->startInstaller();
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

QString MainWindow::dataDirectory()
{
    return QTableFiles::dataDirectory();
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

RemoteList &MainWindow::remotes()
{
    return m_remoteTable->list();
}

void MainWindow::createTrayIcon()
{
    trayMenu = new QMenu(this);
    trayMenu->setObjectName("trayMenu");
    // Wired to the update controller once it exists.
    trayMenu->addAction(tr("Обновить программу"));
    QAction *quit = trayMenu->addAction(tr("Выход"));
    connect(quit, &QAction::triggered, this, &MainWindow::close);
    // Desktops without a tray get no icon; every tray entry is also in the menus.
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_trayIcon = new QSystemTrayIcon(QIcon(":/images/app.ico"), this);
    m_trayIcon->setToolTip("Vexo Control Tool");
    m_trayIcon->setContextMenu(trayMenu);
}

void MainWindow::setShortcuts()
{
    ui->actionLoadFromDb->setShortcut(QKeySequence("Ctrl+O"));
    ui->actionSaveToCurrent->setShortcut(QKeySequence("Ctrl+S"));
    ui->actionSaveToDb->setShortcut(QKeySequence("Ctrl+Shift+S"));
    ui->actionMemory->setShortcut(QKeySequence("Ctrl+M"));
    ui->actionHelp->setShortcut(QKeySequence("F1"));
    for (QAction *action :
         {ui->actionMemory, ui->actionLoadFromDb, ui->actionSaveToCurrent, ui->actionSaveToDb})
        action->setShortcutContext(Qt::ApplicationShortcut);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    ui_tables_resize();
    if (!firstShowPending)
        return;
    firstShowPending = false;
    fitIntoScreen();
    if (m_trayIcon)
        m_trayIcon->show();
    emit signal_start_autoconnect();
}

void MainWindow::fitIntoScreen()
{
    // A size kept from a larger monitor, or the form's own on a small or scaled screen,
    // would put the status bar and the buttons out of reach.
    const QScreen *on = screen();
    if (!on)
        return;
    // Known once the window manager has framed the window; until then, a usual frame,
    // drawn in the screen's own pixels.
    const qreal ratio = qMax<qreal>(1.0, on->devicePixelRatio());
    QMargins frame(qCeil(FrameAllowance / ratio), qCeil(TitleAllowance / ratio),
                   qCeil(FrameAllowance / ratio), qCeil(FrameAllowance / ratio));
    if (const QWindow *window = windowHandle(); window && !window->frameMargins().isNull())
        frame = window->frameMargins();
    const QRect fitted = fittedGeometry(geometry(), frame, on->availableGeometry());
    if (fitted == geometry())
        return;
    // A window without a place of its own is placed by the window manager, frame and all.
    if (testAttribute(Qt::WA_Moved))
        setGeometry(fitted);
    else
        resize(fitted.size());
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

void MainWindow::closeWithoutConfirmation()
{
    // Nobody is asked at a logout or shutdown: unsaved changes are kept in a backup.
    m_remoteTable->files().backupBeforeLeaving();
    skipExitConfirmation = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A write or a flash cut by the program's end would leave the stick or the actuator
    // half done; the user is told why the window stays.
    if (refuseCloseWhileBusy()) {
        event->ignore();
        return;
    }
    // Set before quitting to run an installer, and on SIGINT/SIGTERM.
    if (skipExitConfirmation || m_remoteTable->files().confirmClose())
        event->accept();
    else
        event->ignore();
}

bool MainWindow::refuseCloseWhileBusy()
{
    if (skipExitConfirmation || !m_session->busy())
        return false;
    ui->statusBar->showMessage(
        tr("Программу нельзя закрыть, пока идёт операция: дождитесь её окончания"),
        CLOSE_REFUSED_MS);
    return true;
}

void MainWindow::ui_tables_resize()
{
    showStickState();
    m_remoteTable->view().resizeColumns();
    const int v = ui->tableProperties->viewport()->width();
    if (v == lastTablePropertiesWidth)
        return;
    ui->tableProperties->setColumnWidth(0, v);
    lastTablePropertiesWidth = v;
}

void MainWindow::tab_changed(int)
{
    // Recompute even when the widths are unchanged.
    lastTablePropertiesWidth = -1;
    m_remoteTable->view().resizeColumns(true);
    ui_tables_resize();
}
