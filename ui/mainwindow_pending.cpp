// Slots whose work the program does not offer yet: they do nothing, as the
// enabling rules expect.
#include "mainwindow.h"
#include "qupdatecontroller.h"

#include <QDir>

// Settings, language and help
void MainWindow::save_settings() {}
void MainWindow::load_settings()
{
    // Backups are written only where this directory exists.
    QDir().mkpath(dataDirectory());
    m_updates->loadSettings(*settings);
}
void MainWindow::choose_language(int) {}
void MainWindow::switch_to_language(QAction *) {}
void MainWindow::switch_to_language(QString) {}
void MainWindow::show_help() {}
void MainWindow::show_about_dialog() {}
void MainWindow::build_language_menu() {}
