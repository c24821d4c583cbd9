// The window's slots hand their work to the session, the remote table, the parameter
// table, the flasher and the update controller.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commands.h"
#include "qflashcontroller.h"
#include "qmodemsession.h"
#include "qparamcontroller.h"
#include "qremotetablecontroller.h"
#include "qupdatecontroller.h"

#include <QCloseEvent>
#include <QSignalBlocker>
#include <QTimer>

namespace
{
const char *const SEARCH_BLACK = "QLabel { color: black; }";
const char *const SEARCH_RED = "QLabel { color: red; }";
constexpr int SEARCH_BLINK_MS = 1000;
} // namespace

// Port search
void MainWindow::start_autoconnect()
{
    m_session->start_autoconnect();
}

void MainWindow::no_modem_on_port()
{
    m_session->no_modem_on_port();
}

void MainWindow::set_interface_status(bool value)
{
    m_session->set_interface_status(value);
}

void MainWindow::modem_on_port()
{
    m_session->modem_on_port();
}

void MainWindow::show_search(bool searching)
{
    if (ui->label_modemSearch->isVisibleTo(this) == searching)
        return;
    ui->label_modemSearch->setVisible(searching);
    ui->label_modemSearchIco->setVisible(searching);
    if (searching)
        QTimer::singleShot(SEARCH_BLINK_MS, this, &MainWindow::change_autoconnect_color);
}

void MainWindow::change_autoconnect_color()
{
    if (!ui->label_modemSearch->isVisibleTo(this))
        return;
    const bool wasBlack = ui->label_modemSearch->styleSheet() == SEARCH_BLACK;
    ui->label_modemSearch->setStyleSheet(wasBlack ? SEARCH_RED : SEARCH_BLACK);
    QTimer::singleShot(SEARCH_BLINK_MS, this, &MainWindow::change_autoconnect_color);
}

// Modem command set
void MainWindow::request_modem_param(quint16 id)
{
    m_session->request_modem_param(id);
}

void MainWindow::request_device_param(quint16 id)
{
    m_session->request_device_param(id);
}

void MainWindow::set_modem_param(quint16 id, quint8 value)
{
    m_session->set_modem_param(id, value);
}

void MainWindow::set_device_param(quint16 id, quint8 value)
{
    m_session->set_device_param(id, value);
}

void MainWindow::request_modem_progress()
{
    m_session->request_modem_progress();
}

void MainWindow::request_protection_status()
{
    m_session->request_protection_status();
}

void MainWindow::send_devinit_message()
{
    m_session->send_devinit_message();
}

// Answer dispatcher
void MainWindow::rs232_cmd_income(QByteArray buf)
{
    m_session->rs232_cmd_income(buf);
}

void MainWindow::answer_timeout()
{
    m_session->answer_timeout();
}

void MainWindow::complete_transaction(int result)
{
    m_session->complete_transaction(result);
}

// Access control and passwords
void MainWindow::admin_mode_clicked()
{
    m_session->admin_mode_clicked();
}

void MainWindow::user_mode_clicked()
{
    m_session->user_mode_clicked();
}

void MainWindow::admin_password_set()
{
    m_session->admin_password_set();
}

void MainWindow::admin_password_clear()
{
    m_session->admin_password_clear();
}

void MainWindow::admin_password_forget()
{
    m_session->admin_password_forget();
}

bool MainWindow::get_modem_privilegies()
{
    return m_session->get_modem_privilegies();
}

void MainWindow::show_work_mode(bool admin)
{
    ui->actionAdminMode->setChecked(admin);
    ui->actionUserMode->setChecked(!admin);
    ui->actionChangePass->setEnabled(admin);
    update_controls_enabled();
}

// Modem and actuator information and modes
bool MainWindow::initialize_device()
{
    return m_session->initialize_device();
}

void MainWindow::set_modem_mode_param(QAction *action, quint16 id, bool value)
{
    if (m_session->setModemModeParam(id, value))
        return;
    // The action has already toggled its mark; put it back without asking again.
    const QSignalBlocker quiet(action);
    action->setChecked(!value);
}

void MainWindow::set_modem_updateparams_mode(bool value)
{
    set_modem_mode_param(ui->actionRemoteUploadParams, PARAM_UPLOAD_PARAMS_MODE, value);
}

void MainWindow::set_modem_updateflash_mode(bool value)
{
    set_modem_mode_param(ui->actionRemoteUpdateFlash, PARAM_UPDATE_FLASH_MODE, value);
}

void MainWindow::set_modem_uploadtable_mode(bool value)
{
    set_modem_mode_param(ui->actionRemoteUploadTable, PARAM_UPLOAD_TABLE_MODE, value);
}

bool MainWindow::get_modem_params()
{
    return m_session->get_modem_params();
}

bool MainWindow::get_modem_functions()
{
    return m_session->get_modem_functions();
}

bool MainWindow::get_modem_version()
{
    return m_session->get_modem_version();
}

bool MainWindow::get_device_version()
{
    return m_session->get_device_version();
}

bool MainWindow::get_version()
{
    return m_session->get_version();
}

void MainWindow::set_exe_device_remote_mode(bool value)
{
    m_session->setRemoteMode(value);
}

// Remote table view
void MainWindow::control_device_select()
{
    m_remoteTable->control_device_select();
}

void MainWindow::context_menu_config_popup()
{
    m_remoteTable->context_menu_config_popup();
}

void MainWindow::filter_text_change()
{
    m_remoteTable->filter_text_change();
}

void MainWindow::ui_tables_resize()
{
    m_remoteTable->resize_columns();
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
    m_remoteTable->resize_columns(true);
    ui_tables_resize();
}

void MainWindow::need_saving()
{
    m_remoteTable->need_saving();
}

void MainWindow::set_data_source(DATA_SOURCE_T kind)
{
    m_remoteTable->set_data_source(kind);
}

bool MainWindow::modem_matches_file()
{
    return m_remoteTable->modem_matches_file();
}

void MainWindow::fill_table(const QList<QControlDevice> &list)
{
    m_remoteTable->fill_table(list);
}

int MainWindow::row_to_index(int row)
{
    return m_remoteTable->row_to_index(row);
}

// Database files and backups
void MainWindow::load_db_from_file()
{
    m_remoteTable->load_db_from_file();
}

void MainWindow::save_db_to_file()
{
    m_remoteTable->save_db_to_file();
}

void MainWindow::save_db_to_new_file()
{
    m_remoteTable->save_db_to_new_file();
}

void MainWindow::load_reserved()
{
    m_remoteTable->load_reserved();
}

void MainWindow::save_reserved()
{
    m_remoteTable->save_reserved();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Set before quitting to run an installer, and on SIGINT/SIGTERM.
    if (skipExitConfirmation || m_remoteTable->confirm_close())
        event->accept();
    else
        event->ignore();
}

// Remote-table transfers
bool MainWindow::load_db_from_modem()
{
    return m_remoteTable->load_db_from_modem();
}

bool MainWindow::save_db_to_modem()
{
    return m_remoteTable->save_db_to_modem();
}

bool MainWindow::clear_modem_memory()
{
    return m_remoteTable->clear_modem_memory();
}

void MainWindow::copy_table_from_modem_to_dev()
{
    m_remoteTable->copy_table_from_modem_to_dev();
}

void MainWindow::copy_table_from_dev_to_modem()
{
    m_remoteTable->copy_table_from_dev_to_modem();
}

void MainWindow::show_memory_status()
{
    m_remoteTable->show_memory_status();
}

// Actuator parameters
void MainWindow::build_properties_table(bool first)
{
    m_params->buildParamTable(first);
}

void MainWindow::load_exe_device_properties()
{
    m_params->load_exe_device_properties();
}

bool MainWindow::save_exe_device_properties()
{
    return m_params->save_exe_device_properties();
}

void MainWindow::set_def_exe_device_properties()
{
    m_params->set_def_exe_device_properties();
}

void MainWindow::apply_restore_exe_device_properties()
{
    // Both buttons come here; the sender tells them apart.
    m_params->apply_restore_exe_device_properties(sender() == ui->pushButton_applyProperties);
}

// Remote operations
void MainWindow::active_button_clicked()
{
    m_remoteTable->active_button_clicked();
}

void MainWindow::edit_button_clicked()
{
    m_remoteTable->edit_button_clicked();
}

void MainWindow::del_button_clicked()
{
    m_remoteTable->del_button_clicked();
}

void MainWindow::add_button_clicked()
{
    m_remoteTable->add_button_clicked();
}

void MainWindow::find_button_clicked()
{
    m_remoteTable->find_button_clicked();
}

void MainWindow::request_found_device()
{
    m_remoteTable->request_found_device();
}

void MainWindow::device_found(int value)
{
    m_remoteTable->device_found(value);
}

// Firmware flashing
void MainWindow::load_modem_fu()
{
    m_flasher->load_modem_fu();
}

void MainWindow::load_device_fu()
{
    m_flasher->load_device_fu();
}

void MainWindow::flash_fu(QFlashUpdater::FLASH_DEVICE_T target)
{
    m_flasher->flash_fu(target);
}

// Internet update
void MainWindow::need_update_soft(QUpdateManager::UPDATE_SOFT_T kind)
{
    m_updates->need_update_soft(kind);
}

void MainWindow::update_pc_soft()
{
    m_updates->update_pc_soft();
}

void MainWindow::update_modem_soft()
{
    m_updates->update_modem_soft();
}

void MainWindow::update_device_soft()
{
    m_updates->update_device_soft();
}

void MainWindow::update_soft(QUpdateManager::UPDATE_SOFT_T kind)
{
    m_updates->update_soft(kind);
}

void MainWindow::update_soft_from_menu()
{
    m_updates->update_soft_from_menu(sender());
}

void MainWindow::error_update_soft()
{
    m_updates->error_update_soft();
}
