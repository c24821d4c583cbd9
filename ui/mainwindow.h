#pragma once

#include <QByteArray>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <functional>

#include "datasource.h"
#include "qcontroldevice.h"
#include "qexecdevice.h"
#include "qmodem.h"

class QAction;
class QApplication;
class QCloseEvent;
class QMenu;
class QMovie;
class QSettings;
class QShowEvent;
class QSystemTrayIcon;
class Event_Filter;
class Prompts;
class QInterface_Manager;
class QAutoConnectTool;
class QRS232Message;
class QWaitDialog;

namespace Ui
{
class MainWindow;
}

// What the command line hands the window.
struct ShellOptions {
    QStringList ports; // probed before the system's own list
    bool demo = false; // the ports include the built-in emulated stick
    bool systemPorts = true; // also probe the ports the system lists
};

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
    QModem &modem() { return m_modem; }
    QExecDevice &execDevice() { return m_execDevice; }
    QInterface_Manager *interfaceManager() const { return m_interfaceManager; }
    QSystemTrayIcon *trayIcon() const { return m_trayIcon; }
    DATA_SOURCE_T data_source() const { return dataSource; }
    const QList<QControlDevice> &remote_list() const { return remoteList; }
    QString db_file_name() const { return dbFileName; }
    bool db_saved() const { return dbSaved; }

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
    void save_exe_device_properties();
    void set_def_exe_device_properties();
    void apply_restore_exe_device_properties();

    // Firmware flashing (flash_fu(QFlashUpdater::FLASH_DEVICE_T) arrives with QFlashUpdater)
    void load_modem_fu();
    void load_device_fu();
    void flash_fu();

    // Internet update (the UPDATE_SOFT_T slots arrive with QUpdateManager)
    void update_pc_soft();
    void update_modem_soft();
    void update_device_soft();
    void update_soft_from_menu();
    void error_update_soft();

public:
    // Answer dispatcher: outcome of one exchange
    enum TRANSACTION_RESULT_T {
        RESULT_OK = 0,
        RESULT_BAD_ANSWER = 1,
        RESULT_NO_ANSWER = 2,
        RESULT_NO_PRIVILEGES = 3,
        RESULT_NO_LINK = 4,
        RESULT_DEVICE_FAILED = 5,
    };
    void complete_transaction(int result);
    // Remote table view
    void set_data_source(DATA_SOURCE_T kind);
    bool modem_matches_file();
    void fill_table(const QList<QControlDevice> &list);
    void add_table_row(const QControlDevice &remote);
    void remove_table_row(const QControlDevice &remote);
    void clear_table();
    // Index in remoteList of the remote shown in a row, found through its id; -1 if none.
    int row_to_index(int row);

protected:
    void showEvent(QShowEvent *event) override;
    // Database files and backups: the exit question
    void closeEvent(QCloseEvent *event) override;

private:
    // Modem command set: one operation = one wait dialog around one transaction
    bool run_operation(const QString &text, bool cancelEnabled, MODEM_TRANSACTION_T transaction,
                       const std::function<void()> &sendFirst);
    // The parts of run_operation, for operations whose dialog runs several transactions
    QWaitDialog *new_wait_dialog(int mode, const QString &text, bool cancelEnabled);
    bool run_transaction(QWaitDialog *dialog, MODEM_TRANSACTION_T transaction,
                         const std::function<void()> &sendFirst);
    bool send_modem_command(QRS232Message &message);
    void send_data_command(quint16 command, quint16 target, const QByteArray &payload = {});
    void send_short_command(quint8 cls, quint8 number, quint8 arg1 = 0);
    quint16 device_target() const;
    // Answer dispatcher
    int generic_acknowledge(const QRS232Message &request, const QRS232Message &answer);
    int dispatch_param_answer(const QRS232Message &request, const QRS232Message &answer);
    void fail_without_session();
    // Access control and passwords
    bool encode_password(const QString &text, QByteArray *bytes);
    // Each prompt ends with the password's bytes on the wire, or false (after a message)
    bool ask_password(const QString &title, const QString &label, QByteArray *bytes);
    bool ask_new_password(QByteArray *bytes);
    bool ask_current_password(QByteArray *bytes);
    bool remove_password(const QByteArray &current);
    void apply_new_password(const QByteArray &password);
    void set_work_mode_marks(bool admin);
    // Modem and actuator information and modes
    bool query_modem_functions(const QString &text);
    void set_modem_mode_param(QAction *action, void (MainWindow::*slot)(bool), quint16 id,
                              bool value);
    // Remote-table transfers
    bool clear_table_memory(QWaitDialog *dialog, quint16 mask, bool longTimeout);
    bool read_modem_table(QWaitDialog *dialog);
    bool copy_table(QWaitDialog *dialog, MODEM_TRANSACTION_T transaction, quint16 direction);
    // Remote table view
    void create_table_menu();
    // Database files and backups: false (after the warning) when the file was not written
    bool write_db_file(const QString &name);

    void create_tray_icon();
    void set_shortcuts();
    void connect_actions();
    // Filled by the table, parameter and language owners.
    void build_language_menu();
    void build_remote_table();
    void build_properties_table();

    Ui::MainWindow *ui = nullptr;
    Prompts *m_prompts = nullptr;
    Prompts *m_ownPrompts = nullptr;
    ShellOptions m_options;
    QSettings *settings = nullptr;
    QMovie *connectMovie = nullptr;
    QTranslator appTranslator;
    QTranslator qtTranslator;
    QModem m_modem;
    QExecDevice m_execDevice;
    QString currentLanguage;
    Event_Filter *eventFilter = nullptr;
    QSystemTrayIcon *m_trayIcon = nullptr;
    QMenu *trayMenu = nullptr;
    QInterface_Manager *m_interfaceManager = nullptr;
    QApplication *application = nullptr;

    // Port search
    QPointer<QAutoConnectTool> autoConnectTool;
    quint16 probeValue = 0; // identification answer of the found port
    quint16 probeWord3 = 0;

    // Database bookkeeping
    QList<QControlDevice> remoteList;      // the working list shown in the table
    QList<QControlDevice> receivedRemotes; // filled while the modem's table is read
    QList<QControlDevice> fileSnapshot;    // remoteList at the last file or backup load/save
    QMenu *tableMenu = nullptr;            // context menu of tablePults
    QString dbFileName;
    bool dbSaved = true;
    DATA_SOURCE_T dataSource = SOURCE_UNKNOWN;
    int tableWriteIndex = 0;
    QList<quint16> pendingParams;
    int lastTablePultsWidth = 0;
    int lastTablePropertiesWidth = 0;

    bool firstShowPending = true;
    bool skipExitConfirmation = false;
};
