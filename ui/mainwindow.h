#pragma once

#include <QByteArray>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QTranslator>

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
class QMenu;
class QModemSession;
class QMovie;
class QParamController;
class QRemoteTableController;
class QSettings;
class QShowEvent;
class QSystemTrayIcon;
class QUpdateController;
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
    // Where the program's own files lie (the manual beside it, the installed data
    // directory above it); empty: the executable's directory.
    QString programDirectory;
};

// The form, its wiring, the tray, the enabling rules, settings and languages. The
// work itself belongs to the session and the subsystems; the slots hand it over.
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
    QRemoteTableController &remoteTable() { return *m_remoteTable; }
    QParamController &params() { return *m_params; }
    QFlashController &flasher() { return *m_flasher; }
    QUpdateController &updates() { return *m_updates; }
    QModem &modem();
    QExecDevice &execDevice();
    QInterface_Manager *interfaceManager() const;
    QSystemTrayIcon *trayIcon() const { return m_trayIcon; }
    DATA_SOURCE_T data_source() const;
    const QList<QControlDevice> &remote_list() const;
    QString db_file_name() const;
    bool db_saved() const;

signals:
    // Modem session
    void signal_modem_operation_single(QString);
    void signal_modem_set_progress(int);
    void signal_modem_operation_complete();
    void signal_modem_operation_fail();
    void signal_need_saving();
    void signal_start_autoconnect();
    void signal_device_found(int);
    void signal_show_btn_next_device_search(bool value);
    // The actuator firmware the settings last knew of, for the update manager:
    // major, minor and board code; 0, 0 when none is known.
    void signal_known_device_version(int major, int minor, QString board);

public slots:
    // Shell: traffic log sinks, enabling rules, shutdown on a signal
    void log_buffer(QString text, QByteArray frame);
    void log_buffer(QString text);
    void update_controls_enabled();
    void close_without_confirmation();

    // Settings, language and help
    void save_settings();
    void load_settings();
    void choose_language(int index);
    void switch_to_language(QAction *action);
    void switch_to_language(QString name);
    void show_help();
    void show_about_dialog();

    // Port search
    void start_autoconnect();
    void no_modem_on_port();
    void set_interface_status(bool value);
    void change_autoconnect_color();

    // Modem command set
    void request_modem_param(quint16 id);
    void request_device_param(quint16 id);
    void set_modem_param(quint16 id, quint8 value);
    void set_device_param(quint16 id, quint8 value);
    void request_modem_progress();
    void request_protection_status();
    void send_devinit_message();

    // Answer dispatcher
    void rs232_cmd_income(QByteArray buf);
    void answer_timeout();
    void complete_transaction(int result);

    // Access control and passwords
    void admin_mode_clicked();
    void user_mode_clicked();
    void admin_password_set();
    void admin_password_clear();
    void admin_password_forget();
    bool get_modem_privilegies();

    // Modem and actuator information and modes
    void modem_on_port();
    bool initialize_device();
    void set_modem_updateparams_mode(bool value);
    void set_modem_updateflash_mode(bool value);
    void set_modem_uploadtable_mode(bool value);
    bool get_modem_params();
    bool get_modem_functions();
    bool get_modem_version();
    bool get_device_version();
    bool get_version();
    void set_exe_device_remote_mode(bool value);

    // Remote table view
    void control_device_select();
    void context_menu_config_popup();
    void filter_text_change();
    void ui_tables_resize();
    void tab_changed(int index);
    void need_saving();

    // Database files and backups
    void load_db_from_file();
    void save_db_to_file();
    void save_db_to_new_file();
    void load_reserved();
    void save_reserved();

    // Remote-table transfers
    bool load_db_from_modem();
    bool save_db_to_modem();
    bool clear_modem_memory();
    void copy_table_from_modem_to_dev();
    void copy_table_from_dev_to_modem();
    void show_memory_status();

    // Remote operations
    void active_button_clicked();
    void edit_button_clicked();
    void del_button_clicked();
    void add_button_clicked();
    void find_button_clicked();
    void request_found_device();
    void device_found(int value);

    // Actuator parameters
    void load_exe_device_properties();
    bool save_exe_device_properties();
    void set_def_exe_device_properties();
    void apply_restore_exe_device_properties();

    // Firmware flashing
    void load_modem_fu();
    void load_device_fu();
    void flash_fu(QFlashUpdater::FLASH_DEVICE_T target = QFlashUpdater::FLASH_MODEM);

    // Internet update
    void need_update_soft(QUpdateManager::UPDATE_SOFT_T kind);
    void update_pc_soft();
    void update_modem_soft();
    void update_device_soft();
    void update_soft(QUpdateManager::UPDATE_SOFT_T kind);
    void update_soft_from_menu();
    void error_update_soft();

    // Comparing with a file and applying the differences, CSV, checks after writing,
    // the operation log
    void compare_with_file();
    void compare_with_backup();
    void export_csv();
    void import_csv();
    void undo_import();
    void show_operation_log();
    void set_verify_after_write(bool value);

public:
    // Remote table view
    void set_data_source(DATA_SOURCE_T kind);
    bool modem_matches_file();
    void fill_table(const QList<QControlDevice> &list);
    // Index in the working list of the remote shown in a row, found through its id; -1 if none.
    int row_to_index(int row);

protected:
    void showEvent(QShowEvent *event) override;
    // A new language re-applies every text.
    void changeEvent(QEvent *event) override;
    // The exit question
    void closeEvent(QCloseEvent *event) override;

private:
    void set_modem_mode_param(QAction *action, quint16 id, bool value);
    void show_work_mode(bool admin);
    void show_search(bool searching);
    void create_tray_icon();
    void set_shortcuts();
    void connect_actions();
    void connect_session();
    void build_language_menu();
    void retranslate_texts();
    // Moves the window to a saved position that can still be reached on some screen.
    void place_window(const QPoint &saved);
    void build_properties_table(bool first = true);
    void connect_table_tools();
    void load_table_tools_settings();
    void save_table_tools_settings();

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
    QMenu *trayMenu = nullptr;
    QApplication *application = nullptr;
    QModemSession *m_session = nullptr;
    QRemoteTableController *m_remoteTable = nullptr;
    QParamController *m_params = nullptr;
    QFlashController *m_flasher = nullptr;
    QUpdateController *m_updates = nullptr;
    int lastTablePropertiesWidth = 0;

    bool firstShowPending = true;
    bool skipExitConfirmation = false;
};
