// Slots whose work the program does not offer yet: they do nothing, as the
// enabling rules expect.
#include "mainwindow.h"

#include <QDir>

// Settings, language and help
void MainWindow::save_settings()
{
    save_table_tools_settings();
}
void MainWindow::load_settings()
{
    load_table_tools_settings();
    // Backups are written only where this directory exists.
    QDir().mkpath(dataDirectory());
}
void MainWindow::choose_language(int) {}
void MainWindow::switch_to_language(QAction *) {}
void MainWindow::switch_to_language(QString) {}
void MainWindow::show_help() {}
void MainWindow::show_about_dialog() {}
void MainWindow::build_language_menu() {}

// Internet update
void MainWindow::update_pc_soft() {}
void MainWindow::update_modem_soft() {}
void MainWindow::update_device_soft() {}
void MainWindow::update_soft_from_menu() {}
void MainWindow::error_update_soft() {}
