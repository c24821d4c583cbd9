// Port search: the main window's side of finding the USB-stick.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "qautoconnecttool.h"

#include <QTimer>

namespace
{
const char *const SEARCH_BLACK = "QLabel { color: black; }";
const char *const SEARCH_RED = "QLabel { color: red; }";
} // namespace

void MainWindow::start_autoconnect()
{
    // A second request while this search runs is ignored until a session opens.
    disconnect(this, &MainWindow::signal_start_autoconnect, this, &MainWindow::start_autoconnect);
    ui->label_modemSearch->show();
    ui->label_modemSearchIco->show();
    QTimer::singleShot(1000, this, &MainWindow::change_autoconnect_color);
    m_modem.setCurrentTransaction(TRANSACTION_AUTOCONNECT);

    delete autoConnectTool;
    autoConnectTool =
        new QAutoConnectTool(this, m_interfaceManager, m_options.ports, m_options.systemPorts);
    connect(autoConnectTool, &QAutoConnectTool::signalOpenPort, this,
            qOverload<QString>(&MainWindow::log_buffer), Qt::QueuedConnection);
    connect(autoConnectTool, &QAutoConnectTool::signalClosePort, this,
            qOverload<QString>(&MainWindow::log_buffer), Qt::QueuedConnection);
    connect(autoConnectTool, &QAutoConnectTool::signalNoPortFound, this,
            &MainWindow::no_modem_on_port, Qt::QueuedConnection);
    connect(autoConnectTool, &QAutoConnectTool::signalPortFound, this, &MainWindow::modem_on_port,
            Qt::QueuedConnection);
    autoConnectTool->start_search(true);
}

void MainWindow::no_modem_on_port()
{
    if (autoConnectTool)
        autoConnectTool->start_search(true);
}

void MainWindow::change_autoconnect_color()
{
    if (!ui->label_modemSearch->isVisible())
        return;
    const bool wasBlack = ui->label_modemSearch->styleSheet() == SEARCH_BLACK;
    ui->label_modemSearch->setStyleSheet(wasBlack ? SEARCH_RED : SEARCH_BLACK);
    QTimer::singleShot(1000, this, &MainWindow::change_autoconnect_color);
}
