// The table tools' menu entries: comparing the stick with a file or a backup, CSV export
// and import, the check after writing and the operation log.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qremotetablecontroller.h"

#include <QSettings>

namespace
{
constexpr int STATUS_MESSAGE_MS = 15000;
const char *const OPERATION_LOG_FILE = "/operations.log";
} // namespace

void MainWindow::connect_table_tools()
{
    m_session->operationLog()->setPath(dataDirectory() + OPERATION_LOG_FILE);
    // Like the file entries' keys, it works wherever the focus is in the program.
    ui->actionUndoImport->setShortcutContext(Qt::ApplicationShortcut);
    connect(ui->actionCompareFile, &QAction::triggered, this, &MainWindow::compare_with_file);
    connect(ui->actionCompareBackup, &QAction::triggered, this, &MainWindow::compare_with_backup);
    connect(ui->actionExportCsv, &QAction::triggered, this, &MainWindow::export_csv);
    connect(ui->actionImportCsv, &QAction::triggered, this, &MainWindow::import_csv);
    connect(ui->actionUndoImport, &QAction::triggered, this, &MainWindow::undo_import);
    connect(ui->actionOperationLog, &QAction::triggered, this, &MainWindow::show_operation_log);
    connect(ui->actionVerifyWrite, &QAction::toggled, this, &MainWindow::set_verify_after_write);
    connect(m_remoteTable, &QRemoteTableController::statusMessage, this,
            [this](const QString &text) { ui->statusBar->showMessage(text, STATUS_MESSAGE_MS); });
}

void MainWindow::load_table_tools_settings()
{
    ui->actionVerifyWrite->setChecked(QRemoteTableController::readVerifySetting(*settings));
    m_remoteTable->set_verify_after_write(ui->actionVerifyWrite->isChecked());
}

void MainWindow::save_table_tools_settings()
{
    QRemoteTableController::writeVerifySetting(*settings, ui->actionVerifyWrite->isChecked());
}

void MainWindow::set_verify_after_write(bool value)
{
    m_remoteTable->set_verify_after_write(value);
    // Kept at once: a run that ends in a crash still remembers the choice.
    QRemoteTableController::writeVerifySetting(*settings, value);
}

void MainWindow::compare_with_file()
{
    m_remoteTable->compare_with_file();
}

void MainWindow::compare_with_backup()
{
    m_remoteTable->compare_with_backup();
}

void MainWindow::export_csv()
{
    m_remoteTable->export_csv();
}

void MainWindow::import_csv()
{
    m_remoteTable->import_csv();
}

void MainWindow::undo_import()
{
    m_remoteTable->undo_import();
}

void MainWindow::show_operation_log()
{
    m_remoteTable->show_operation_log();
}
