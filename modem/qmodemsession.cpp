// The session's life: finding the port, opening the session, and the way every
// operation runs (wait dialog, transaction, first command).
#include "qmodemsession.h"

#include "commands.h"
#include "modemlog.h"
#include "prompts.h"
#include "qautoconnecttool.h"
#include "qinterface_manager.h"
#include "qoperationlog.h"
#include "qwaitdialog.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

Q_LOGGING_CATEGORY(lcModem, "vexo.modem", QtInfoMsg)

QModemSession::QModemSession(Prompts *prompts, QWidget *dialogParent, QObject *parent)
    : QObject(parent), m_prompts(prompts), m_dialogParent(dialogParent)
{
    // Access is unknown until the stick is asked.
    m_modem.setProtectionMode(PROTECTION_LOCKED);
    m_interfaceManager = new QInterface_Manager(this);
    m_operationLog = new QOperationLog(&m_modem, this);
    connect(m_interfaceManager, &QInterface_Manager::signal_interface_status, this,
            &QModemSession::set_interface_status);
    connect(m_interfaceManager, &QInterface_Manager::signal_proc_incoming_message, this,
            &QModemSession::rs232_cmd_income);
    connect(m_interfaceManager, &QInterface_Manager::signal_ack_timeout, this,
            &QModemSession::answer_timeout);
    connect(m_interfaceManager, &QInterface_Manager::signal_port_lost, this,
            &QModemSession::port_lost);
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

void QModemSession::registerStep(MODEM_TRANSACTION_T transaction, const TransactionStep &step)
{
    m_steps.insert(transaction, step);
}

std::unique_ptr<QWaitDialog> QModemSession::newWaitDialog(int mode, const QString &text,
                                                          bool cancelEnabled)
{
    return std::make_unique<QWaitDialog>(m_dialogParent, mode, text, cancelEnabled, false,
                                         QString());
}

bool QModemSession::runTransaction(QWaitDialog *dialog, MODEM_TRANSACTION_T transaction,
                                   const std::function<void()> &sendFirst)
{
    // The search owns the line until a session opens.
    if (m_searching)
        return false;
    // A poll of the transaction before may still be out; its answer must be judged
    // under that transaction, never under this one.
    const QDeadlineTimer deadline(m_interfaceManager->ack_timeout() *
                                  (m_interfaceManager->retry_count() + 1));
    while (!m_interfaceManager->is_free() && !deadline.hasExpired() && !m_searching)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (m_searching)
        return false;

    const QPointer<QWaitDialog> outer = m_dialog;
    m_dialog = dialog;
    m_modem.setCurrentTransaction(transaction);
    sendFirst();
    const bool accepted = dialog->exec() == QDialog::Accepted;
    m_dialog = outer;
    // A search started meanwhile owns the transaction and the line now.
    if (!m_searching) {
        m_modem.setCurrentTransaction(TRANSACTION_NONE);
        // Cancelled while a command was still out: it must not be repeated later.
        if (!accepted)
            m_interfaceManager->stop_command();
    }
    return accepted;
}

bool QModemSession::runOperation(const QString &text, bool cancelEnabled,
                                 MODEM_TRANSACTION_T transaction,
                                 const std::function<void()> &sendFirst)
{
    const auto dialog = newWaitDialog(QWaitDialog::AnimationMode, text, cancelEnabled);
    return runTransaction(dialog.get(), transaction, sendFirst);
}

bool QModemSession::sendCommand(QRS232Message &message)
{
    message.set_answer_code(EXPECTED_STATUS);
    if (!m_searching && m_interfaceManager->send_command(message))
        return true;
    qCWarning(lcModem) << "command dropped, the link is busy";
    // Without this the operation's wait dialog would wait for an answer forever.
    QTimer::singleShot(0, this, [this] { finish(false); });
    return false;
}

void QModemSession::sendDataCommand(quint16 command, quint16 target, const QByteArray &payload)
{
    QRS232Message message;
    message.make_data_frame(command, target, payload.constData(), int(payload.size()));
    sendCommand(message);
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
    if (oneOf(m_modem.currentTransaction(), TRANSACTION_VERSION, TRANSACTION_READ_PARAMS))
        sendDataCommand(CMD_GET_PARAM, TARGET_MODEM, paramPayload(id));
}

void QModemSession::request_device_param(quint16 id)
{
    if (oneOf(m_modem.currentTransaction(), TRANSACTION_VERSION, TRANSACTION_READ_PARAMS))
        sendDataCommand(CMD_GET_PARAM, deviceTarget(), paramPayload(id));
}

void QModemSession::set_modem_param(quint16 id, quint8 value)
{
    if (oneOf(m_modem.currentTransaction(), TRANSACTION_SET_PARAM, TRANSACTION_WRITE_PARAMS))
        sendDataCommand(CMD_SET_PARAM, TARGET_MODEM, paramPayload(id) + char(value));
}

void QModemSession::set_device_param(quint16 id, quint8 value)
{
    if (oneOf(m_modem.currentTransaction(), TRANSACTION_SET_PARAM, TRANSACTION_WRITE_PARAMS))
        sendDataCommand(CMD_SET_PARAM, deviceTarget(), paramPayload(id) + char(value));
}

void QModemSession::request_modem_progress()
{
    if (m_modem.currentTransaction() != TRANSACTION_NONE && !m_searching)
        sendDataCommand(CMD_GET_PROGRESS, TARGET_MODEM);
}

void QModemSession::request_protection_status()
{
    if (m_modem.currentTransaction() == TRANSACTION_FORGET_PASSWORD)
        sendDataCommand(CMD_GET_PROTECTION, TARGET_MODEM);
}

void QModemSession::send_devinit_message()
{
    if (m_modem.currentTransaction() == TRANSACTION_DEVICE_INIT)
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
    if (m_searching)
        return;
    m_searching = true;
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
    m_autoConnectTool->start_search(true);
}

void QModemSession::no_modem_on_port()
{
    if (m_searching && m_autoConnectTool)
        m_autoConnectTool->start_search(true);
}

void QModemSession::close_session()
{
    const bool wasOpen = m_modem.connected() || m_interfaceManager->isRunning();
    m_modem.setConnected(false);
    m_interfaceManager->stop_interface();
    emit stateChanged();
    if (wasOpen)
        emit sessionClosed();
    // Queued: the failing operation unwinds first, then the search takes the line.
    QTimer::singleShot(0, this, &QModemSession::start_autoconnect);
}

void QModemSession::port_lost()
{
    if (m_searching)
        return; // the search moves on by itself
    qCDebug(lcModem) << "USB-stick unplugged";
    if (m_dialog)
        complete_transaction(RESULT_NO_ANSWER);
    else
        close_session();
}

void QModemSession::modem_on_port()
{
    if (!m_searching)
        return;
    m_searching = false;
    if (m_autoConnectTool) {
        m_probeValue = m_autoConnectTool->probe_value();
        m_probeWord3 = m_autoConnectTool->probe_word3();
        delete m_autoConnectTool;
    }
    m_modem.setCurrentTransaction(TRANSACTION_NONE);
    m_modem.setConnected(true);
    emit stateChanged();

    // Each step is an operation of its own; a stick that stops answering in any of
    // them closes the session, and the rest is skipped.
    get_modem_version();
    if (!m_modem.connected())
        return;
    if (!m_modem.firmwareMatches())
        m_prompts->warning(m_dialogParent, tr("Ошибка"),
                           tr("Ошибка применения новой прошивки на USB-stick"), QMessageBox::Ok);
    qCDebug(lcModem).noquote() << QString("Версия платы модема %1.%2, версия софта модема %3.%4")
                                      .arg(m_probeValue >> 8)
                                      .arg(m_probeWord3 & 0xFF)
                                      .arg(m_probeValue & 0xFF)
                                      .arg(m_probeWord3 >> 8);
    // Without the functions the record format is a guess, and a table read or written
    // in the wrong one is garbled: the stick is found and asked again instead.
    if (!get_modem_functions()) {
        if (m_modem.connected())
            close_session();
        return;
    }
    qCDebug(lcModem).noquote() << QString("Поддерживаемый функционал 0x%1, поддерживаемые "
                                          "протоколы 0x%2")
                                      .arg(m_modem.functions(), 0, 16)
                                      .arg(m_modem.protocols(), 0, 16);
    get_modem_privilegies();
    if (!m_modem.connected())
        return;
    emit sessionOpened();
}

QString QModemSession::formatVersion(const QString &pattern, const QByteArray &v)
{
    // Stored bytes are major, type, board, minor.
    auto n = [&](int i) {
        return v.size() >= 4 ? QString::number(quint8(v.at(i))) : QStringLiteral("?");
    };
    return pattern.arg(n(0), n(1), n(2), n(3));
}

bool QModemSession::initialize_device()
{
    return runOperation(
        tr("Инициализация устройства... Если устройство впервые используется с данным "
           "USB-stick, нажмите и удерживайте на нем в течение 4 секунд кнопку"),
        true, TRANSACTION_DEVICE_INIT, [this] { send_devinit_message(); });
}

bool QModemSession::setModemModeParam(quint16 id, bool value)
{
    return runOperation(tr("Установка параметров USB-stick..."), false, TRANSACTION_SET_PARAM,
                        [&] { set_modem_param(id, value ? 1 : 0); });
}

bool QModemSession::query_modem_functions(const QString &text)
{
    if (!m_modem.connected())
        return false;
    return runOperation(text, false, TRANSACTION_FUNCTIONS,
                        [this] { sendShortCommand(SHORT_CLASS_QUERY, QUERY_FUNCTIONS >> 8); });
}

bool QModemSession::get_modem_params()
{
    return query_modem_functions(tr("Запрос функционала USB-stick..."));
}

bool QModemSession::get_modem_functions()
{
    return query_modem_functions(tr("Запрос настроек USB-stick..."));
}

bool QModemSession::get_modem_version()
{
    if (!m_modem.connected())
        return false;
    return runOperation(tr("Запрос версии USB-stick..."), true, TRANSACTION_VERSION,
                        [this] { request_modem_param(PARAM_VERSION); });
}

bool QModemSession::get_device_version()
{
    if (!m_modem.connected())
        return false;
    return runOperation(tr("Запрос версии исполнительного устройства..."), true,
                        TRANSACTION_VERSION, [this] { request_device_param(PARAM_VERSION); });
}

bool QModemSession::get_version()
{
    if (!get_modem_version())
        return false;
    QString device;
    if (!m_execDevice.remoteMode() && get_device_version())
        device = formatVersion(tr("<br>Версия исполнительного устройства %2.%3.%1.%4"),
                               m_execDevice.version());
    const QString modem = formatVersion(tr("Версия модема %2.%3.%1.%4 "), m_modem.version());
    m_prompts->information(m_dialogParent, tr("Версия"), modem + device, QMessageBox::Ok);
    return true;
}
