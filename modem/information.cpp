// What the modem and the actuator are (versions, capabilities), the modem's
// remote-service modes, actuator initialisation, and the opening of a session.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commands.h"
#include "modemlog.h"
#include "prompts.h"
#include "qautoconnecttool.h"
#include "qinterface_manager.h"

namespace
{
// Stored bytes are major, type, board, minor; shown as type.board.major.minor.
QString formatVersion(const QString &pattern, const QByteArray &v)
{
    auto n = [&](int i) { return QString::number(quint8(v.at(i))); };
    return pattern.arg(n(0), n(1), n(2), n(3));
}
} // namespace

bool MainWindow::initialize_device()
{
    return run_operation(
        tr("Инициализация устройства... Если устройство впервые используется с данным "
           "USB-stick, нажмите и удерживайте на нем в течение 4 секунд кнопку"),
        true, TRANSACTION_DEVICE_INIT, [this] { send_devinit_message(); });
}

void MainWindow::set_modem_mode_param(QAction *action, void (MainWindow::*slot)(bool), quint16 id,
                                      bool value)
{
    const bool accepted =
        run_operation(tr("Установка параметров USB-stick..."), false, TRANSACTION_SET_PARAM,
                      [&] { set_modem_param(id, value ? 1 : 0); });
    if (accepted)
        return;
    // The action has already toggled its mark; put it back without asking again.
    disconnect(action, &QAction::triggered, this, slot);
    action->setChecked(!value);
    connect(action, &QAction::triggered, this, slot);
}

void MainWindow::set_modem_updateparams_mode(bool value)
{
    set_modem_mode_param(ui->actionRemoteUploadParams, &MainWindow::set_modem_updateparams_mode,
                         PARAM_UPLOAD_PARAMS_MODE, value);
}

void MainWindow::set_modem_updateflash_mode(bool value)
{
    set_modem_mode_param(ui->actionRemoteUpdateFlash, &MainWindow::set_modem_updateflash_mode,
                         PARAM_UPDATE_FLASH_MODE, value);
}

void MainWindow::set_modem_uploadtable_mode(bool value)
{
    set_modem_mode_param(ui->actionRemoteUploadTable, &MainWindow::set_modem_uploadtable_mode,
                         PARAM_UPLOAD_TABLE_MODE, value);
}

bool MainWindow::query_modem_functions(const QString &text)
{
    if (!m_modem.connected())
        return false;
    return run_operation(text, false, TRANSACTION_FUNCTIONS,
                         [this] { send_short_command(SHORT_CLASS_QUERY, QUERY_FUNCTIONS >> 8); });
}

bool MainWindow::get_modem_params()
{
    return query_modem_functions(tr("Запрос функционала USB-stick..."));
}

bool MainWindow::get_modem_functions()
{
    return query_modem_functions(tr("Запрос настроек USB-stick..."));
}

bool MainWindow::get_modem_version()
{
    if (!m_modem.connected())
        return false;
    return run_operation(tr("Запрос версии USB-stick..."), true, TRANSACTION_VERSION,
                         [this] { request_modem_param(PARAM_VERSION); });
}

bool MainWindow::get_device_version()
{
    if (!m_modem.connected())
        return false;
    return run_operation(tr("Запрос версии исполнительного устройства..."), true,
                         TRANSACTION_VERSION, [this] { request_device_param(PARAM_VERSION); });
}

bool MainWindow::get_version()
{
    if (!get_modem_version())
        return false;
    QString device;
    if (!m_execDevice.remoteMode() && get_device_version())
        device = formatVersion(tr("<br>Версия исполнительного устройства %2.%3.%1.%4"),
                               m_execDevice.version());
    const QString modem = formatVersion(tr("Версия модема %2.%3.%1.%4 "), m_modem.version());
    m_prompts->information(this, tr("Версия"), modem + device, QMessageBox::Ok);
    return true;
}

void MainWindow::modem_on_port()
{
    m_modem.setConnected(true);
    ui->label_modemSearch->hide();
    ui->label_modemSearchIco->hide();
    if (autoConnectTool) {
        probeValue = autoConnectTool->probe_value();
        probeWord3 = autoConnectTool->probe_word3();
        delete autoConnectTool;
    }
    update_controls_enabled();

    get_modem_version();
    if (!m_modem.firmwareMatches())
        m_prompts->warning(this, tr("Ошибка"), tr("Ошибка применения новой прошивки на USB-stick"),
                           QMessageBox::Ok);
    autoConnectTool = nullptr;
    m_modem.setCurrentTransaction(TRANSACTION_NONE);
    connect(this, &MainWindow::signal_start_autoconnect, this, &MainWindow::start_autoconnect,
            Qt::UniqueConnection);

    qCDebug(lcModem).noquote() << QString("Версия платы модема %1.%2, версия софта модема %3.%4")
                                      .arg(probeValue >> 8)
                                      .arg(probeWord3 & 0xFF)
                                      .arg(probeValue & 0xFF)
                                      .arg(probeWord3 >> 8);
    get_modem_functions();
    qCDebug(lcModem).noquote() << QString("Поддерживаемый функционал 0x%1, поддерживаемые "
                                          "протоколы 0x%2")
                                      .arg(m_modem.functions(), 0, 16)
                                      .arg(m_modem.protocols(), 0, 16);
    get_modem_privilegies();
    load_db_from_modem();
}
