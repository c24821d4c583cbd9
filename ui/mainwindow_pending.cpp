// MainWindow members whose subsystems are not built yet. Each owner moves its
// group into a file of its own folder (and lists it in ui/CMakeLists.txt) as it
// fills the bodies; until then they do nothing, as the enabling rules expect.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>

// Settings, language and help
void MainWindow::save_settings() {}
void MainWindow::load_settings() {}
void MainWindow::choose_language(int) {}
void MainWindow::switch_to_language(QAction *) {}
void MainWindow::switch_to_language(QString) {}
void MainWindow::show_help() {}
void MainWindow::show_about_dialog() {}
void MainWindow::build_language_menu() {}

// Port search
void MainWindow::start_autoconnect() {}
void MainWindow::no_modem_on_port() {}
void MainWindow::change_autoconnect_color() {}

// Modem command set
void MainWindow::request_modem_param(quint16) {}
void MainWindow::request_device_param(quint16) {}
void MainWindow::set_modem_param(quint16, quint8) {}
void MainWindow::set_device_param(quint16, quint8) {}
void MainWindow::request_modem_progress() {}
void MainWindow::request_protection_status() {}
void MainWindow::send_devinit_message() {}

// Answer dispatcher
void MainWindow::rs232_cmd_income(QByteArray) {}
void MainWindow::answer_timeout() {}
void MainWindow::complete_transaction(int) {}

// Access control and passwords
void MainWindow::admin_mode_clicked() {}
void MainWindow::user_mode_clicked() {}
void MainWindow::admin_password_set() {}
void MainWindow::admin_password_clear() {}
void MainWindow::admin_password_forget() {}
bool MainWindow::get_modem_privilegies()
{
    return false;
}

// Modem and actuator information and modes
void MainWindow::modem_on_port() {}
bool MainWindow::initialize_device()
{
    return false;
}
void MainWindow::set_modem_updateparams_mode(bool) {}
void MainWindow::set_modem_updateflash_mode(bool) {}
void MainWindow::set_modem_uploadtable_mode(bool) {}
bool MainWindow::get_modem_params()
{
    return false;
}
bool MainWindow::get_modem_functions()
{
    return false;
}
bool MainWindow::get_modem_version()
{
    return false;
}
bool MainWindow::get_device_version()
{
    return false;
}
bool MainWindow::get_version()
{
    return false;
}

// Remote table view
void MainWindow::control_device_select() {}
void MainWindow::context_menu_config_popup() {}
void MainWindow::filter_text_change() {}
void MainWindow::ui_tables_resize() {}
void MainWindow::tab_changed(int) {}
void MainWindow::need_saving() {}
void MainWindow::build_remote_table() {}
bool MainWindow::modem_matches_file()
{
    return false;
}

void MainWindow::set_data_source(DATA_SOURCE_T kind)
{
    // Only the kind, the unknown-source label and the enabling rules so far; the
    // snapshots and the file/modem/backup texts come with the remote list.
    dataSource = kind;
    if (kind == SOURCE_UNKNOWN)
        ui->labelBDSource->setText("<h3>" + tr("Неизвесный источник данных") + "</h3>");
    update_controls_enabled();
}

// Database files and backups
void MainWindow::load_db_from_file() {}
void MainWindow::save_db_to_file() {}
void MainWindow::save_db_to_new_file() {}
void MainWindow::load_reserved() {}
void MainWindow::save_reserved() {}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The exit question comes with the database files; it must keep honouring
    // skipExitConfirmation (installer start, SIGINT/SIGTERM).
    event->accept();
}

// Remote-table transfers
bool MainWindow::load_db_from_modem()
{
    return false;
}
bool MainWindow::save_db_to_modem()
{
    return false;
}
bool MainWindow::clear_modem_memory()
{
    return false;
}
void MainWindow::copy_table_from_modem_to_dev() {}
void MainWindow::copy_table_from_dev_to_modem() {}
void MainWindow::show_memory_status() {}

// Remote operations
void MainWindow::active_button_clicked() {}
void MainWindow::edit_button_clicked() {}
void MainWindow::del_button_clicked() {}
void MainWindow::add_button_clicked() {}
void MainWindow::find_button_clicked() {}
void MainWindow::request_found_device() {}
void MainWindow::device_found(int) {}

// Actuator parameters
void MainWindow::load_exe_device_properties() {}
void MainWindow::save_exe_device_properties() {}
void MainWindow::set_def_exe_device_properties() {}
void MainWindow::apply_restore_exe_device_properties() {}
void MainWindow::build_properties_table() {}

// Firmware flashing
void MainWindow::load_modem_fu() {}
void MainWindow::load_device_fu() {}
void MainWindow::flash_fu() {}

// Internet update
void MainWindow::update_pc_soft() {}
void MainWindow::update_modem_soft() {}
void MainWindow::update_device_soft() {}
void MainWindow::update_soft_from_menu() {}
void MainWindow::error_update_soft() {}
