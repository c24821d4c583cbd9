// Slots whose work the program does not offer yet: they do nothing, as the
// enabling rules expect.
#include "mainwindow.h"

// Internet update
void MainWindow::update_pc_soft() {}
void MainWindow::update_modem_soft() {}
void MainWindow::update_device_soft() {}
void MainWindow::update_soft_from_menu() {}
void MainWindow::error_update_soft() {}
