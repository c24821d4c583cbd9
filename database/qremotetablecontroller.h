#pragma once

#include "datasource.h"
#include "qcontroldevice.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QModemSession;
class QPushButton;
class QSettings;
class QTableWidget;
class QWaitDialog;

// The window's widgets that show the remote table; the controller fills them.
struct RemoteDifference;

struct RemoteTableWidgets {
    QTableWidget *table = nullptr;
    QLabel *sourceLabel = nullptr;
    QLineEdit *filter = nullptr;
    QPushButton *activeButton = nullptr;
    QPushButton *addButton = nullptr;
    QPushButton *delButton = nullptr;
    QPushButton *editButton = nullptr;
};

// Owns the working list of remotes: the table that shows it, where it came from,
// its database file and backups, its transfers to and from the stick, and the
// operations on single remotes (block, edit, delete, add through the wizard, identify).
class QRemoteTableController : public QObject
{
    Q_OBJECT
public:
    // Entries of the table's context menu, in menu order.
    enum TABLE_MENU_T {
        MENU_ADD = 0,
        MENU_SEPARATOR = 1,
        MENU_EDIT = 2,
        MENU_DELETE = 3,
        MENU_ACTIVATE = 4,
    };

    QRemoteTableController(QModemSession *session, const RemoteTableWidgets &widgets,
                           QObject *parent = nullptr);
    ~QRemoteTableController() override;

    // Per-user directory for backups and downloads.
    static QString dataDirectory();

    DATA_SOURCE_T data_source() const { return dataSource; }
    const QList<QControlDevice> &remote_list() const { return remoteList; }
    QString db_file_name() const { return dbFileName; }
    bool db_saved() const { return dbSaved; }
    // The remote table as it last came from or went to the stick.
    const QList<QControlDevice> &modemSnapshot() const { return m_modemSnapshot; }
    QAction *menuAction(TABLE_MENU_T entry) const;

    // The exit question; false keeps the program open.
    bool confirm_close();

    void set_data_source(DATA_SOURCE_T kind);
    bool modem_matches_file();
    void fill_table(const QList<QControlDevice> &list);
    // The list becomes the stick's table, as read from it or as it now holds.
    void show_stick_table(const QList<QControlDevice> &list);
    // The backup the user picks from the data folder; warns and returns false otherwise.
    bool choose_backup(QList<QControlDevice> *list, QString *chosen = nullptr);
    void add_table_row(const QControlDevice &remote);
    void remove_table_row(const QControlDevice &remote);
    void clear_table();
    // Index in remoteList of the remote shown in a row, found through its id; -1 if none.
    int row_to_index(int row);
    // Column widths follow the table's width; force recomputes them anyway.
    void resize_columns(bool force = false);
    // The first row showing the remote with this id; -1 if none.
    int row_of_id(int id) const;
    // Owners of the remotes added so far, offered by the wizard.
    const QStringList &owner_names() const { return ownerNames; }

    // Whether the stick's table as last read is known to be what it holds now.
    bool stick_table_known() const { return m_stickTableKnown; }
    // A table written to the stick or copied between stick and actuator is read back
    // and checked.
    bool verify_after_write() const { return m_verifyAfterWrite; }
    void set_verify_after_write(bool on) { m_verifyAfterWrite = on; }
    static bool readVerifySetting(const QSettings &settings);
    static void writeVerifySetting(QSettings &settings, bool on);
    // The last CSV import can be taken back while the list is still as it left it.
    bool can_undo_import() const;

signals:
    // The list changed and the file no longer holds it.
    void signal_need_saving();
    // The data source changed: the enabling rules follow.
    void stateChanged();
    // The search for a remote's owner waits for the user's "Поиск" (true) or polls (false).
    void signal_show_btn_next_device_search(bool value);
    // A short note for the status bar: a check passed, differences applied.
    void statusMessage(const QString &text);

public slots:
    void control_device_select();
    void context_menu_config_popup();
    void filter_text_change();
    void need_saving();

    void load_db_from_file();
    void save_db_to_file();
    void save_db_to_new_file();
    void load_reserved();
    void save_reserved();

    bool load_db_from_modem();
    bool save_db_to_modem();
    bool clear_modem_memory();
    void copy_table_from_modem_to_dev();
    void copy_table_from_dev_to_modem();
    void show_memory_status();

    // Operations on single remotes; the stick confirms each change before the list takes it.
    void active_button_clicked();
    void edit_button_clicked();
    void del_button_clicked();
    void add_button_clicked();
    void find_button_clicked();
    void request_found_device();
    void device_found(int value);

    // The stick's table beside a file or a backup; the differences can be applied to the
    // stick with single-remote writes and deletes.
    void compare_with_file();
    void compare_with_backup();
    // True when the stick now holds the other table.
    bool compare_and_apply(const QList<QControlDevice> &other, const QString &otherName);
    void export_csv();
    void import_csv();
    void undo_import();
    void show_operation_log();

private:
    void build_table();
    void create_table_menu();
    void show_source_label();
    // The label and the enabling rules for a kind, the snapshots left as they are.
    void show_source(DATA_SOURCE_T kind);
    // The file name the label shows: the database file, else an imported CSV file.
    QString source_file_name() const;
    // False (after the warning) when the file was not written.
    bool write_db_file(const QString &name);
    bool clear_table_memory(QWaitDialog *dialog, quint16 mask, bool longTimeout);
    // True only when the read ended on the end record; the list read is in received.
    bool read_modem_table(QWaitDialog *dialog, QList<QControlDevice> *received);
    // check, when given, runs after a copy the stick confirmed, before the user is told.
    bool copy_table(QWaitDialog *dialog, int transaction, quint16 direction,
                    const std::function<bool()> &check = {});
    enum READ_RESULT_T { READ_OK, READ_NOT_COUNTED, READ_FAILED };
    // The memory query, then the table behind a progress dialog.
    READ_RESULT_T read_stick_table(QList<QControlDevice> *received);
    // Reads the stick's table when the one last read may no longer be what it holds.
    bool ensure_stick_table();
    // After a table write: false (after the warning) when the stick holds another table.
    bool verify_written_table(const QList<QControlDevice> &written, int *differences);
    // After a copy: the actuator holds as many remotes as the stick.
    bool verify_copied_table(int stickCount, int deviceCount);
    bool apply_differences(const QList<RemoteDifference> &differences);
    QList<int> ids(const QList<QControlDevice> &list) const;
    // Clears the stick's table and writes the list into it; false when any step failed.
    bool write_modem_table(const QList<QControlDevice> &list);
    void register_steps();

    // Single-remote operations need the stick's own table and the stick; all but
    // blocking also need full access.
    bool remote_change_allowed(bool fullAccessNeeded) const;
    // The actuator's version must be known before it is addressed; false when asking failed.
    bool device_version_ready();
    quint16 single_remote_target() const;
    bool write_remote(const QString &text, const QControlDevice &remote);
    // One remote written or deleted behind a dialog that may serve several of them.
    bool send_write_remote(QWaitDialog *dialog, const QControlDevice &remote, quint16 target);
    bool send_delete_remote(QWaitDialog *dialog, int id, quint16 target);
    // Asks until the name fits the stick's records; false when the user cancelled.
    bool ask_owner_name(QString *name);
    bool set_modem_mode(quint8 mode, QWaitDialog *dialog);
    // Waits, without spinning, until the command on the line is answered; false (and the
    // command dropped) when the link would itself have given it up by then.
    bool wait_for_free_link();
    // After a search: normal mode again; false when the stick stayed in search mode.
    bool leave_search_mode(const QString &text, bool cancelEnabled);
    // A stick lost during a search is set back when the next session opens.
    void restore_normal_mode();
    void request_found_device_later();

    QModemSession *m_session;
    RemoteTableWidgets m_widgets;
    QMenu *tableMenu = nullptr;

    QList<QControlDevice> remoteList;     // the working list shown in the table
    QList<QControlDevice> m_fileSnapshot; // remoteList at the last file or backup load/save
    QList<QControlDevice> m_modemSnapshot;
    QString dbFileName;
    bool dbSaved = true;
    DATA_SOURCE_T dataSource = SOURCE_UNKNOWN;
    DATA_SOURCE_T m_labelKind = SOURCE_UNKNOWN; // as last set, before a match turns it
    int m_lastTableWidth = 0;

    QStringList ownerNames;
    // The stick was put into search mode and not yet back into normal mode.
    bool m_searchModeLeft = false;
    // Counts searches for an owner, so a poll scheduled by an earlier one never goes out.
    int m_searchRun = 0;

    // The transfer in progress.
    QList<QControlDevice> m_received;
    bool m_readEnded = false;
    QList<QControlDevice> m_writeList;
    int m_writeIndex = 0;

    bool m_stickTableKnown = false;
    bool m_verifyAfterWrite = true;
    QString m_importedFile; // the CSV file the list came from, while no database file is set
    // What an import replaced, kept while the list stays as the import left it.
    struct ImportUndo {
        QList<QControlDevice> before;
        QList<QControlDevice> imported;
        QList<QControlDevice> fileSnapshot;
        QList<QControlDevice> modemSnapshot;
        QString dbFileName;
        QString importedFile;
        bool dbSaved = true;
        DATA_SOURCE_T kind = SOURCE_UNKNOWN;
    };
    std::optional<ImportUndo> m_importUndo;
};
