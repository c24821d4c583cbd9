#pragma once

#include <QByteArray>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <memory>

#include "blockedclose.h"
#include "datasource.h"
#include "qcontroldevice.h"
#include "qexecdevice.h"
#include "qflashupdater.h"
#include "qlanguagecatalog.h"
#include "qmodem.h"
#include "qupdatemanager.h"

class QAction;
class QApplication;
class QCloseEvent;
class QEvent;
class QFlashController;
class QInterface_Manager;
class QLabel;
class QMenu;
class QModemSession;
class QMovie;
class QParamController;
class QSettings;
class QShowEvent;
class QSystemTrayIcon;
class QUpdateController;
class RemoteList;
class RemoteTableParts;
class Event_Filter;
class Prompts;

namespace Ui
{
class MainWindow;
}

// What the command line hands the window.
struct ShellOptions {
    QStringList ports;       // probed before the system's own list
    bool demo = false;       // the ports include the built-in emulated stick
    bool systemPorts = true; // also probe the ports the system lists
    // Where the program's own files lie (the manual and the languages beside it, the
    // installed data directory above it); empty: the executable's directory.
    QString programDirectory;
    // An INI file for the settings instead of the user's own (--demo); empty: the user's.
    QString settingsFile;
};

// The form, its wiring, the tray, the enabling rules, settings and languages. The
// work itself belongs to the session and the subsystems: menus and buttons are wired
// straight to them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int VersionMajor = 0;
    static constexpr int VersionMinor = 40;
    static const char VersionSuffix[];
    static QString versionText();
    // Per-user directory for backups and downloads.
    static QString dataDirectory();

    // prompts may be null: the window then uses the real dialogs. It is not owned.
    explicit MainWindow(QApplication *app, Prompts *prompts = nullptr,
                        const ShellOptions &options = ShellOptions(), QWidget *parent = nullptr);
    ~MainWindow() override;

    Prompts *prompts() const { return m_prompts; }
    const ShellOptions &options() const { return m_options; }
    QModemSession &session() { return *m_session; }
    // The remote table's parts, and the remote list they share.
    RemoteTableParts &remoteTable() { return *m_remoteTable; }
    RemoteList &remotes();
    QParamController &params() { return *m_params; }
    QFlashController &flasher() { return *m_flasher; }
    QUpdateController &updates() { return *m_updates; }
    QModem &modem();
    QExecDevice &execDevice();
    QInterface_Manager *interfaceManager() const;
    QSystemTrayIcon *trayIcon() const { return m_trayIcon; }

signals:
    // Modem session
    void signal_start_autoconnect();
    void signal_show_btn_next_device_search(bool value);
    // The actuator firmware the settings last knew of, for the update manager:
    // major, minor and board code; 0, 0 when none is known.
    void signal_known_device_version(int major, int minor, QString board);

public slots:
    // Shell: traffic log sinks, enabling rules, shutdown on a signal
    void log_buffer(QString text, QByteArray frame);
    void log_buffer(QString text);
    void updateControlsEnabled();
    void closeWithoutConfirmation();

    // Settings, language and help
    void save_settings();
    void load_settings();
    void choose_language(int index);
    void switch_to_language(QAction *action);
    void switch_to_language(QString name);
    void show_help();
    void show_about_dialog();

    // The stick's remote-service modes as checkable menu entries: a change the stick
    // refuses takes the mark back.
    void set_modem_updateparams_mode(bool value);
    void set_modem_updateflash_mode(bool value);
    void set_modem_uploadtable_mode(bool value);
    void set_exe_device_remote_mode(bool value);

private slots:
    void change_autoconnect_color();
    void ui_tables_resize();
    void tab_changed(int index);

protected:
    void showEvent(QShowEvent *event) override;
    // A new language re-applies every text.
    void changeEvent(QEvent *event) override;
    // The exit question
    void closeEvent(QCloseEvent *event) override;

private:
    void setModemModeParam(QAction *action, quint16 id, bool value);
    void showWorkMode(bool admin);
    void showSearch(bool searching);
    void showStickState();
    // Says in the status bar why the window stays while an operation runs.
    bool refuseCloseWhileBusy();
    void createTrayIcon();
    void setShortcuts();
    void connectActions();
    void connectSession();
    void buildLanguageMenu();
    void retranslateTexts();
    // Moves the window to a saved position that can still be reached on some screen.
    void placeWindow(const QPoint &saved);
    // Shrinks and moves the window when it is larger than its screen's free area.
    void fitIntoScreen();
    void connectRemoteTable();
    void connectTableTools();
    void connectProperties();
    void setVerifyAfterWrite(bool value);

    Ui::MainWindow *ui = nullptr;
    Prompts *m_prompts = nullptr;
    Prompts *m_ownPrompts = nullptr;
    ShellOptions m_options;
    QSettings *settings = nullptr;
    QMovie *connectMovie = nullptr;
    QTranslator appTranslator;
    QTranslator qtTranslator;
    QString currentLanguage;
    QLanguageCatalog languages;
    Event_Filter *eventFilter = nullptr;
    QSystemTrayIcon *m_trayIcon = nullptr;
    QLabel *m_stickState = nullptr;
    std::unique_ptr<BlockedCloseWatcher> m_blockedClose;
    QMenu *trayMenu = nullptr;
    QApplication *application = nullptr;
    QModemSession *m_session = nullptr;
    RemoteTableParts *m_remoteTable = nullptr;
    QParamController *m_params = nullptr;
    QFlashController *m_flasher = nullptr;
    QUpdateController *m_updates = nullptr;
    int lastTablePropertiesWidth = 0;

    bool firstShowPending = true;
    bool skipExitConfirmation = false;
};
