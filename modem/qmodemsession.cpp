// The session's life: finding the port, opening the session, sending commands, and the
// queries of versions, functions and modes.
#include "qmodemsession.h"

#include "commands.h"
#include "modemlog.h"
#include "prompts.h"
#include "qautoconnecttool.h"
#include "qinterface_manager.h"
#include "qoperationlog.h"

#include <QTimer>

Q_LOGGING_CATEGORY(lcModem, "vexo.modem", QtInfoMsg)

QModemSession::QModemSession(Prompts *prompts, QWidget *dialogParent, QObject *parent)
    : QObject(parent), m_prompts(prompts), m_dialogParent(dialogParent)
{
    // Access is unknown until the stick is asked.
    m_modem.setProtectionMode(PROTECTION_LOCKED);
    m_interfaceManager = new QInterface_Manager(this);
    m_runner = new QOperationRunner(&m_modem, m_interfaceManager, prompts, dialogParent, this);
    connect(m_runner, &QOperationRunner::operationStarted, this, &QModemSession::operationStarted);
    connect(m_runner, &QOperationRunner::transactionBegun, this, [this] { m_running = {}; });
    m_operationLog = new QOperationLog(&m_modem, this);
    connect(m_interfaceManager, &QInterface_Manager::signal_interface_status, this,
            &QModemSession::set_interface_status);
    connect(m_interfaceManager, &QInterface_Manager::signal_proc_incoming_message, this,
            &QModemSession::rs232_cmd_income);
    connect(m_interfaceManager, &QInterface_Manager::signal_ack_timeout, this,
            &QModemSession::answer_timeout);
    connect(m_interfaceManager, &QInterface_Manager::signal_port_lost, this,
            &QModemSession::portLost);
    connect(m_interfaceManager, &QInterface_Manager::signal_log_buffer, this,
            &QModemSession::frameLogged);
}

QModemSession::~QModemSession()
{
    delete m_autoConnectTool;
    delete m_interfaceManager; // ends its thread and closes the port
    m_interfaceManager = nullptr;
}

void QModemSession::setPorts(const QStringList &ports, bool includeSystem)
{
    m_ports = ports;
    m_includeSystemPorts = includeSystem;
}

bool QModemSession::sendCommand(QRS232Message &message, int timeoutFactor)
{
    message.set_answer_code(EXPECTED_STATUS);
    message.set_timeout_factor(timeoutFactor);
    if (!searching() && m_interfaceManager->send_command(message))
        return true;
    qCWarning(lcModem) << "command dropped, the link is busy";
    // Without this the operation would wait for an answer forever.
    m_runner->whileOpen(0, [this] { finish(false); });
    return false;
}

void QModemSession::sendDataCommand(quint16 command, quint16 target, const QByteArray &payload,
                                    int timeoutFactor)
{
    QRS232Message message;
    message.make_data_frame(command, target, payload.constData(), int(payload.size()));
    sendCommand(message, timeoutFactor);
}

void QModemSession::sendShortCommand(quint8 cls, quint8 number, quint8 arg1)
{
    QRS232Message message;
    message.make_short_frame(0, cls, number, arg1, 0, 0, 0);
    sendCommand(message);
}

quint16 QModemSession::deviceTarget() const
{
    return m_execDevice.remoteMode() ? TARGET_DEVICE_REMOTE : TARGET_DEVICE;
}

void QModemSession::setRemoteMode(bool on)
{
    m_execDevice.setRemoteMode(on);
    emit stateChanged();
}

namespace
{
QByteArray paramPayload(quint16 id)
{
    QByteArray payload;
    payload.append(char(id & 0xFF)).append(char(id >> 8));
    return payload;
}

bool oneOf(MODEM_TRANSACTION_T t, MODEM_TRANSACTION_T a, MODEM_TRANSACTION_T b)
{
    return t == a || t == b;
}
} // namespace

void QModemSession::request_modem_param(quint16 id)
{
    if (oneOf(currentTransaction(), TRANSACTION_VERSION, TRANSACTION_READ_PARAMS))
        sendDataCommand(CMD_GET_PARAM, TARGET_MODEM, paramPayload(id));
}

void QModemSession::request_device_param(quint16 id)
{
    if (oneOf(currentTransaction(), TRANSACTION_VERSION, TRANSACTION_READ_PARAMS))
        sendDataCommand(CMD_GET_PARAM, deviceTarget(), paramPayload(id));
}

void QModemSession::set_modem_param(quint16 id, quint8 value)
{
    if (oneOf(currentTransaction(), TRANSACTION_SET_PARAM, TRANSACTION_WRITE_PARAMS))
        sendDataCommand(CMD_SET_PARAM, TARGET_MODEM, paramPayload(id) + char(value));
}

void QModemSession::set_device_param(quint16 id, quint8 value)
{
    if (oneOf(currentTransaction(), TRANSACTION_SET_PARAM, TRANSACTION_WRITE_PARAMS))
        sendDataCommand(CMD_SET_PARAM, deviceTarget(), paramPayload(id) + char(value));
}

void QModemSession::request_modem_progress()
{
    if (currentTransaction() != TRANSACTION_NONE && !searching())
        sendDataCommand(CMD_GET_PROGRESS, TARGET_MODEM);
}

void QModemSession::request_protection_status()
{
    if (currentTransaction() == TRANSACTION_FORGET_PASSWORD)
        sendDataCommand(CMD_GET_PROTECTION, TARGET_MODEM);
}

void QModemSession::send_devinit_message()
{
    if (currentTransaction() == TRANSACTION_DEVICE_INIT)
        sendDataCommand(CMD_DEVICE_INIT, TARGET_MODEM);
}

void QModemSession::set_interface_status(bool value)
{
    if (!value)
        m_modem.setConnected(false);
    // Access is unknown on a new link until the modem is asked.
    m_modem.setProtectionMode(PROTECTION_LOCKED);
    emit stateChanged();
}

void QModemSession::start_autoconnect()
{
    // One search at a time; a request while it runs is ignored.
    if (searching())
        return;
    m_runner->setSearching(true);
    m_modem.setConnected(false);
    m_modem.setCurrentTransaction(TRANSACTION_AUTOCONNECT);
    emit searchStarted();
    emit stateChanged();

    delete m_autoConnectTool;
    m_autoConnectTool =
        new QAutoConnectTool(this, m_interfaceManager, m_ports, m_includeSystemPorts);
    connect(m_autoConnectTool, &QAutoConnectTool::signalOpenPort, this, &QModemSession::log,
            Qt::QueuedConnection);
    connect(m_autoConnectTool, &QAutoConnectTool::signalClosePort, this, &QModemSession::log,
            Qt::QueuedConnection);
    connect(m_autoConnectTool, &QAutoConnectTool::signalNoPortFound, this,
            &QModemSession::no_modem_on_port, Qt::QueuedConnection);
    connect(m_autoConnectTool, &QAutoConnectTool::signalPortFound, this,
            &QModemSession::modem_on_port, Qt::QueuedConnection);
    connect(m_autoConnectTool, &QAutoConnectTool::signalPortAccessDenied, this,
            &QModemSession::portAccessDenied);
    connect(m_autoConnectTool, &QAutoConnectTool::signalPortBusy, this, &QModemSession::portBusy);
    m_autoConnectTool->start_search(true);
}

void QModemSession::no_modem_on_port()
{
    if (!searching() || !m_autoConnectTool)
        return;
    emit searchPassFailed();
    m_autoConnectTool->start_search(true);
}

void QModemSession::whenLineFree(QObject *context, const std::function<void(bool)> &then)
{
    m_interfaceManager->whenFree(context, then);
}

QString QModemSession::portName() const
{
    return m_interfaceManager->portName();
}

void QModemSession::closeLine()
{
    m_interfaceManager->stop_interface();
}

void QModemSession::closeSession()
{
    const bool wasOpen = m_modem.connected() || m_interfaceManager->isRunning();
    m_modem.setConnected(false);
    m_interfaceManager->stop_interface();
    // An operation still under way has lost its stick.
    m_runner->lineClosed();
    emit stateChanged();
    if (wasOpen)
        emit sessionClosed();
    // Queued: the failing operation unwinds first, then the search takes the line.
    QTimer::singleShot(0, this, &QModemSession::start_autoconnect);
}

void QModemSession::portLost()
{
    if (searching())
        return; // the search moves on by itself
    qCDebug(lcModem) << "USB-stick unplugged";
    if (m_runner->transactionOpen())
        complete_transaction(RESULT_NO_ANSWER);
    else
        closeSession();
}

void QModemSession::modem_on_port()
{
    if (!searching())
        return;
    m_runner->setSearching(false);
    m_modem.setCurrentTransaction(TRANSACTION_NONE);
    if (m_autoConnectTool) {
        m_probeValue = m_autoConnectTool->probeValue();
        m_probeWord3 = m_autoConnectTool->probeWord3();
        delete m_autoConnectTool;
    }
    m_modem.setConnected(true);
    emit stateChanged();

    // Each query is an operation of its own, started when the one before has ended; a
    // stick that stops answering in any of them closes the session, and the rest is
    // skipped.
    QOperation *version = start(tr("Запрос версии USB-stick..."), true, TRANSACTION_VERSION,
                                [this] { request_modem_param(PARAM_VERSION); });
    connect(version, &QOperation::finished, this,
            [this, version] { queryOpeningFunctions(version->succeeded()); });
}

void QModemSession::queryOpeningFunctions(bool versionRead)
{
    if (!m_modem.connected())
        return;
    // The version from before the flash would fail the check; it stays due for the next
    // opening.
    if (m_modem.firmwareCheckPending() && !versionRead)
        m_prompts->warning(m_dialogParent, tr("Ошибка"),
                           tr("Версия USB-stick после обновления прошивки неизвестна: её не "
                              "удалось прочитать"),
                           QMessageBox::Ok);
    else if (!m_modem.firmwareMatches())
        m_prompts->warning(m_dialogParent, tr("Ошибка"),
                           tr("Ошибка применения новой прошивки на USB-stick"), QMessageBox::Ok);
    qCDebug(lcModem).noquote() << QString("Версия платы модема %1.%2, версия софта модема %3.%4")
                                      .arg(m_probeValue >> 8)
                                      .arg(m_probeWord3 & 0xFF)
                                      .arg(m_probeValue & 0xFF)
                                      .arg(m_probeWord3 >> 8);
    QOperation *functions =
        start(tr("Запрос настроек USB-stick..."), false, TRANSACTION_FUNCTIONS,
              [this] { sendShortCommand(SHORT_CLASS_QUERY, QUERY_FUNCTIONS >> 8); });
    connect(functions, &QOperation::finished, this, [this, functions] {
        // Without the functions the record format is a guess, and a table read or
        // written in the wrong one is garbled: the stick is found and asked again instead.
        if (!functions->succeeded()) {
            if (m_modem.connected())
                closeSession();
            return;
        }
        qCDebug(lcModem).noquote() << QString("Поддерживаемый функционал 0x%1, поддерживаемые "
                                              "протоколы 0x%2")
                                          .arg(m_modem.functions(), 0, 16)
                                          .arg(m_modem.protocols(), 0, 16);
        QOperation *privileges =
            start(tr("Запрос прав доступа..."), true, TRANSACTION_PRIVILEGES,
                  [this] { sendDataCommand(CMD_GET_PROTECTION, TARGET_MODEM); });
        connect(privileges, &QOperation::finished, this, [this] {
            if (m_modem.connected())
                emit sessionOpened();
        });
    });
}

QString QModemSession::formatVersion(const QString &pattern, const QByteArray &v)
{
    // Stored bytes are major, type, board, minor.
    auto n = [&](int i) {
        return v.size() >= 4 ? QString::number(quint8(v.at(i))) : QStringLiteral("?");
    };
    return pattern.arg(n(0), n(1), n(2), n(3));
}

QString QModemSession::stateSummary() const
{
    if (!m_modem.connected())
        return tr("USB-stick не подключен");
    const QString access = m_modem.protectionMode() == PROTECTION_LOCKED
                               ? tr("доступ пользователя")
                               : tr("доступ администратора");
    const QString mode = m_execDevice.remoteMode() ? tr("автономный режим") : tr("обычный режим");
    return tr("USB-stick %1, версия %2, %3, %4")
        .arg(m_interfaceManager->portName(), versionText(m_modem.version()), access, mode);
}

QString QModemSession::deviceInitText()
{
    return tr("Инициализация устройства... Если устройство впервые используется с данным "
              "USB-stick, нажмите и удерживайте на нем в течение 4 секунд кнопку");
}

QOperation *QModemSession::initialize_device()
{
    if (!m_modem.connected())
        return nullptr;
    return start(deviceInitText(), true, TRANSACTION_DEVICE_INIT,
                 [this] { send_devinit_message(); });
}

QOperation *QModemSession::setModemModeParam(quint16 id, bool value)
{
    if (!m_modem.connected())
        return nullptr;
    return start(tr("Установка параметров USB-stick..."), false, TRANSACTION_SET_PARAM,
                 [this, id, value] { set_modem_param(id, value ? 1 : 0); });
}

QOperation *QModemSession::queryModemFunctions(const QString &text)
{
    if (!m_modem.connected())
        return nullptr;
    return start(text, false, TRANSACTION_FUNCTIONS,
                 [this] { sendShortCommand(SHORT_CLASS_QUERY, QUERY_FUNCTIONS >> 8); });
}

QOperation *QModemSession::get_modem_params()
{
    return queryModemFunctions(tr("Запрос функционала USB-stick..."));
}

QOperation *QModemSession::get_modem_functions()
{
    return queryModemFunctions(tr("Запрос настроек USB-stick..."));
}

QOperation *QModemSession::get_modem_version()
{
    if (!m_modem.connected())
        return nullptr;
    return start(tr("Запрос версии USB-stick..."), true, TRANSACTION_VERSION,
                 [this] { request_modem_param(PARAM_VERSION); });
}

QOperation *QModemSession::get_device_version()
{
    if (!m_modem.connected())
        return nullptr;
    return start(tr("Запрос версии исполнительного устройства..."), true, TRANSACTION_VERSION,
                 [this] { request_device_param(PARAM_VERSION); });
}

bool QModemSession::proceedDeviceVersion(QOperation *operation, const Continuation &then)
{
    operation->setText(tr("Запрос версии исполнительного устройства..."));
    return proceed(
        operation, TRANSACTION_VERSION, [this] { request_device_param(PARAM_VERSION); }, then);
}

bool QModemSession::proceedModemVersion(QOperation *operation, const Continuation &then)
{
    operation->setText(tr("Запрос версии USB-stick..."));
    return proceed(
        operation, TRANSACTION_VERSION, [this] { request_modem_param(PARAM_VERSION); }, then);
}

bool QModemSession::proceedDeviceInit(QOperation *operation, const Continuation &then)
{
    operation->setText(deviceInitText());
    return proceed(
        operation, TRANSACTION_DEVICE_INIT, [this] { send_devinit_message(); }, then);
}

QOperation *QModemSession::get_version()
{
    if (!m_modem.connected())
        return nullptr;
    QOperation *operation = begin(tr("Запрос версии USB-stick..."), true);
    if (operation->isFinished())
        return operation;
    proceedModemVersion(operation, [this, operation](bool ok) {
        if (!ok)
            return;
        // The stick's version is known: it is shown also when the actuator stays silent.
        const auto show = [this, operation](bool deviceKnown) {
            if (!m_modem.connected())
                return; // ends as lost
            QString device;
            if (deviceKnown)
                device = formatVersion(tr("<br>Версия исполнительного устройства %2.%3.%1.%4"),
                                       m_execDevice.version());
            const QString modem =
                formatVersion(tr("Версия модема %2.%3.%1.%4 "), m_modem.version());
            complete(operation, true);
            m_prompts->information(m_dialogParent, tr("Версия"), modem + device, QMessageBox::Ok);
        };
        if (m_execDevice.remoteMode())
            show(false);
        else
            proceedDeviceVersion(operation, show);
    });
    return operation;
}
