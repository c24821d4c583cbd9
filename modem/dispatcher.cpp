// Answer dispatcher: judges every received frame against the request it answers and
// the running transaction, and ends or continues the transaction.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commands.h"
#include "modemlog.h"
#include "prompts.h"
#include "qinterface_manager.h"

#include <QTimer>

namespace
{
constexpr quint16 REPLY_MEMORY = 0x1121;
constexpr quint16 REPLY_FUNCTIONS = 0x1521;
constexpr int PROGRESS_POLL_MS = 1000;
constexpr int PROTECTION_POLL_MS = 1000;
constexpr int PRIVILEGES_REREAD_MS = 200;
constexpr int DEVICE_INIT_RETRY_MS = 500;

quint16 word(const QByteArray &b, int offset)
{
    return quint16(quint8(b[offset]) | (quint8(b[offset + 1]) << 8));
}

bool fromDevice(const QRS232Message &answer)
{
    return answer.target() & 0x01;
}

bool isData(const QRS232Message &m, quint16 command)
{
    return m.is_data_frame() && m.command() == command;
}
} // namespace

int MainWindow::generic_acknowledge(const QRS232Message &request, const QRS232Message &answer)
{
    if (!request.need_answer())
        return -1;
    const bool statusFrame = answer.is_data_frame() ? answer.command() == ANS_STATUS
                                                    : answer.command() == REPLY_SET_MODEM_MODE;
    if (!statusFrame)
        return RESULT_BAD_ANSWER;
    quint16 code = 0;
    const bool success = request.check_answer(answer, &code);
    const quint8 status = code & 0xFF;
    if (success) {
        if (status == STATUS_RUNNING) {
            QTimer::singleShot(PROGRESS_POLL_MS, this, &MainWindow::request_modem_progress);
            emit signal_modem_set_progress(code >> 8);
            return -1;
        }
        return status == STATUS_NO_PRIVILEGES ? RESULT_NO_PRIVILEGES : RESULT_OK;
    }
    if (status == STATUS_NO_LINK)
        return RESULT_NO_LINK;
    if (status == STATUS_DEVICE_FAILED)
        return RESULT_DEVICE_FAILED;
    return RESULT_BAD_ANSWER;
}

int MainWindow::dispatch_param_answer(const QRS232Message &request, const QRS232Message &answer)
{
    if (!isData(answer, ANS_PARAM)) {
        quint16 code = 0;
        const bool success = request.check_answer(answer, &code);
        return !success && (code & 0xFF) == STATUS_NO_LINK ? RESULT_NO_LINK : RESULT_BAD_ANSWER;
    }
    const QByteArray asked = request.frame_payload();
    const QByteArray data = answer.payload();
    if (asked.size() <= 1 || data.size() <= 2 || word(asked, 0) != word(data, 0))
        return RESULT_BAD_ANSWER;
    const quint16 id = word(data, 0);

    if (m_modem.currentTransaction() == TRANSACTION_VERSION) {
        if (id != PARAM_VERSION)
            return RESULT_OK;
        if (data.size() != 6)
            return RESULT_BAD_ANSWER;
        if (fromDevice(answer))
            m_execDevice.setVersion(data.mid(2));
        else
            m_modem.setVersion(data.mid(2));
        return RESULT_OK;
    }

    // Reading a list of actuator parameters, one request per entry.
    m_execDevice.setParamValue(id, quint8(data[2]));
    if (!pendingParams.isEmpty())
        pendingParams.removeFirst();
    if (pendingParams.isEmpty())
        return RESULT_OK;
    request_device_param(pendingParams.first());
    return -1;
}

void MainWindow::rs232_cmd_income(QByteArray buf)
{
    qCDebug(lcModem).noquote() << "HOST <- DEV:" << buf.toHex(' ');
    MODEM_TRANSACTION_T transaction = m_modem.currentTransaction();
    if (transaction > TRANSACTION_FACTORY_RESET)
        transaction = TRANSACTION_NONE;
    // The port search judges the frames itself, broken ones included; a question
    // about a wrong answer would only get in its way.
    if (transaction == TRANSACTION_AUTOCONNECT)
        return;

    QRS232Message answer(nullptr, buf);
    if (answer.parse() != 0) {
        complete_transaction(RESULT_BAD_ANSWER);
        return;
    }
    const QRS232Message request(m_interfaceManager->last_command());
    const QByteArray payload = answer.payload();
    int result = -1; // -1: the transaction stays open, nothing to complete

    switch (transaction) {
    case TRANSACTION_NONE:
    case TRANSACTION_WIZARD:
        if (isData(answer, ANS_FOUND_REMOTE)) {
            if (!isData(request, CMD_GET_FOUND_REMOTE)) {
                result = RESULT_BAD_ANSWER;
                break;
            }
            int id = -1;
            if (payload.size() == 4 && payload != QByteArray(4, char(0xFF)))
                id = int(quint32(word(payload, 0)) | (quint32(word(payload, 2)) << 16));
            emit signal_device_found(id);
            return;
        }
        result = generic_acknowledge(request, answer);
        break;
    case TRANSACTION_MODEM_MEMORY:
        if (isData(answer, ANS_PARAM) && payload.size() == 6 && word(payload, 0) == PARAM_MEMORY &&
            !fromDevice(answer)) {
            m_modem.setMemFree(word(payload, 2));
            m_modem.setMemTotal(word(payload, 4));
            result = RESULT_OK;
        } else if (!answer.is_data_frame() && answer.command() == REPLY_MEMORY) {
            m_modem.setMemFree(answer.value());
            m_modem.setMemTotal(answer.target());
            result = RESULT_OK;
        } else {
            result = RESULT_BAD_ANSWER;
        }
        break;
    case TRANSACTION_DEVICE_MEMORY:
        if (isData(answer, ANS_PARAM) && payload.size() == 6 && word(payload, 0) == PARAM_MEMORY &&
            fromDevice(answer)) {
            m_execDevice.setMemFree(word(payload, 2));
            m_execDevice.setMemTotal(word(payload, 4));
            result = RESULT_OK;
        } else {
            result = RESULT_BAD_ANSWER;
        }
        break;
    case TRANSACTION_READ_TABLE: {
        const int size = m_modem.longRecords() ? QControlDevice::LongRecordSize
                                               : QControlDevice::ShortRecordSize;
        if (!isData(answer, ANS_REMOTE) || payload.size() != size) {
            result = RESULT_BAD_ANSWER;
            break;
        }
        bool valid = false;
        const QControlDevice remote =
            QControlDevice::fromRecord(payload, m_modem.longRecords(), &valid);
        if (!valid) {
            // The erased record after the last one ends the table.
            m_modem.setCurrentTransaction(TRANSACTION_NONE);
            emit signal_modem_operation_complete();
            return;
        }
        const bool known =
            std::any_of(receivedRemotes.cbegin(), receivedRemotes.cend(),
                        [&](const QControlDevice &r) { return r.id() == remote.id(); });
        if (!known)
            receivedRemotes.append(remote);
        emit signal_modem_operation_single(QString());
        result = RESULT_OK;
        break;
    }
    case TRANSACTION_PRIVILEGES:
    case TRANSACTION_FORGET_PASSWORD:
        if (!isData(answer, ANS_PROTECTION)) {
            result = RESULT_BAD_ANSWER;
        } else if (payload.size() != 1) {
            m_interfaceManager->wait_for_command(); // the proper answer is still to come
        } else if (transaction == TRANSACTION_PRIVILEGES) {
            switch (quint8(payload[0])) {
            case 1:
                m_modem.setProtectionMode(PROTECTION_LOCKED);
                break;
            case 3:
                m_modem.setProtectionMode(PROTECTION_UNLOCKED);
                break;
            case 0:
            case 2:
                m_modem.setProtectionMode(PROTECTION_OFF);
                break;
            default:
                break;
            }
            result = RESULT_OK;
        } else if (quint8(payload[0]) & PROTECTION_BIT_PASSWORD) {
            QTimer::singleShot(PROTECTION_POLL_MS, this, &MainWindow::request_protection_status);
        } else {
            result = RESULT_OK;
        }
        break;
    case TRANSACTION_FUNCTIONS:
        if (!answer.is_data_frame() && answer.command() == REPLY_FUNCTIONS) {
            m_modem.setProtocols(answer.value() & 0xFF);
            m_modem.setFunctions(answer.value() >> 8);
            result = RESULT_OK;
        } else {
            result = RESULT_BAD_ANSWER;
        }
        break;
    case TRANSACTION_VERSION:
    case TRANSACTION_READ_PARAMS:
        result = dispatch_param_answer(request, answer);
        break;
    default:
        result = generic_acknowledge(request, answer);
        break;
    }
    if (result >= 0)
        complete_transaction(result);
}

void MainWindow::answer_timeout()
{
    qCDebug(lcModem) << "Answer timeout!";
    if (m_interfaceManager->last_command().need_answer())
        complete_transaction(RESULT_NO_ANSWER);
}

void MainWindow::fail_without_session()
{
    if (m_modem.currentTransaction() == TRANSACTION_FLASH) {
        m_modem.setUpdating(false);
        m_modem.setCurrentTransaction(TRANSACTION_NONE);
    }
    emit signal_modem_operation_fail();
}

void MainWindow::complete_transaction(int result)
{
    const MODEM_TRANSACTION_T transaction = m_modem.currentTransaction();
    const QString error = tr("Ошибка");
    switch (result) {
    case RESULT_OK:
        switch (transaction) {
        case TRANSACTION_NONE:
        case TRANSACTION_WIZARD:
        case TRANSACTION_MODEM_MEMORY:
        case TRANSACTION_WRITE_REMOTE:
        case TRANSACTION_DELETE_REMOTE:
            emit signal_modem_operation_complete();
            break;
        case TRANSACTION_READ_TABLE:
            send_data_command(CMD_READ_NEXT_REMOTE, TARGET_MODEM);
            break;
        case TRANSACTION_WRITE_TABLE:
            if (tableWriteIndex < remoteList.size()) {
                emit signal_modem_operation_single(QString());
                const QControlDevice &remote = remoteList.at(tableWriteIndex++);
                send_data_command(CMD_WRITE_REMOTE, TARGET_MODEM,
                                  remote.toRecord(m_modem.longRecords()));
            } else {
                emit signal_modem_operation_complete();
            }
            break;
        case TRANSACTION_FORGET_PASSWORD:
            m_modem.setCurrentTransaction(TRANSACTION_NONE);
            emit signal_modem_operation_complete();
            [[fallthrough]];
        case TRANSACTION_PRIVILEGES:
            if (m_modem.protectionMode() == PROTECTION_LOCKED)
                user_mode_clicked();
            else
                admin_mode_clicked();
            emit signal_modem_operation_complete();
            break;
        case TRANSACTION_WRITE_PARAMS:
            if (!pendingParams.isEmpty())
                pendingParams.removeFirst();
            if (pendingParams.isEmpty())
                emit signal_modem_operation_complete();
            else
                set_device_param(pendingParams.first(),
                                 m_execDevice.paramValue(pendingParams.first()));
            break;
        default:
            // Firmware blocks continue here once flashing exists; until then a
            // flash step, like every other single-step exchange, is complete.
            m_modem.setCurrentTransaction(TRANSACTION_NONE);
            emit signal_modem_operation_complete();
            break;
        }
        break;

    case RESULT_BAD_ANSWER:
        if (m_prompts->warning(this, error,
                               tr("Принят неверный ответ от USB-stick. Повторить попытку?"),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
            m_interfaceManager->repeat_command();
            break;
        }
        fail_without_session();
        break;

    case RESULT_NO_ANSWER:
        fail_without_session();
        m_prompts->warning(this, error, tr("Usb-stick не отвечает. Проверьте подключение."),
                           QMessageBox::Ok);
        m_modem.setConnected(false);
        update_controls_enabled();
        m_interfaceManager->stop_interface();
        emit signal_start_autoconnect();
        break;

    case RESULT_NO_PRIVILEGES:
        if (transaction == TRANSACTION_PASSWORD) {
            m_prompts->warning(this, tr("Ошибка авторизации"), tr("Неверный пароль"),
                               QMessageBox::Ok);
        } else if (transaction != TRANSACTION_LOGIN) {
            m_prompts->warning(this, tr("Нет авторизации"),
                               tr("У вас отсутствуют привилегии для выполнения этой команды"),
                               QMessageBox::Ok);
            QTimer::singleShot(PRIVILEGES_REREAD_MS, this, &MainWindow::get_modem_privilegies);
        }
        emit signal_modem_operation_fail();
        break;

    case RESULT_NO_LINK:
        if (transaction == TRANSACTION_CLEAR_TABLE || transaction == TRANSACTION_COPY_TO_DEVICE ||
            transaction == TRANSACTION_COPY_TO_MODEM) {
            m_prompts->warning(this, error, tr("Связь с конечным устройством утеряна"),
                               QMessageBox::Ok);
            emit signal_modem_operation_fail();
        } else if (transaction == TRANSACTION_DEVICE_INIT) {
            QTimer::singleShot(DEVICE_INIT_RETRY_MS, this, &MainWindow::send_devinit_message);
        } else if (m_prompts->warning(
                       this, error,
                       tr("Usb-stick не смог выполнить команду на конечном устройстве. Повторить "
                          "попытку?"),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes) {
            m_interfaceManager->repeat_command();
        } else {
            emit signal_modem_operation_fail();
        }
        break;

    case RESULT_DEVICE_FAILED:
        emit signal_modem_operation_fail();
        m_prompts->warning(this, error,
                           transaction == TRANSACTION_WRITE_REMOTE
                               ? tr("Конечное устройство не содержит в памяти данный пульт")
                               : tr("Конечное устройство не смогло успешно выполнить команду"),
                           QMessageBox::Ok);
        break;
    }
}
