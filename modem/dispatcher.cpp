// Answer dispatcher: judges every received frame against the request it answers and
// the running transaction, and ends or continues the transaction.
#include "qmodemsession.h"

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

int QModemSession::genericAcknowledge(const QRS232Message &request, const QRS232Message &answer)
{
    if (!request.need_answer())
        return RESULT_PENDING;
    const bool statusFrame = answer.is_data_frame() ? answer.command() == ANS_STATUS
                                                    : answer.command() == REPLY_SET_MODEM_MODE;
    if (!statusFrame)
        return RESULT_BAD_ANSWER;
    quint16 code = 0;
    const bool success = request.check_answer(answer, &code);
    const quint8 status = code & 0xFF;
    if (success) {
        if (status == STATUS_RUNNING) {
            if (runningStalled(code >> 8))
                return RESULT_STALLED;
            // The poll belongs to this transaction only.
            m_runner->whileOpen(PROGRESS_POLL_MS, [this] { request_modem_progress(); });
            QLineOperation *operation = m_runner->current();
            if (operation && operation->runningShown())
                operation->setProgress(code >> 8, 100);
            return RESULT_PENDING;
        }
        return status == STATUS_NO_PRIVILEGES ? RESULT_NO_PRIVILEGES : RESULT_OK;
    }
    if (status == STATUS_NO_LINK)
        return RESULT_NO_LINK;
    if (status == STATUS_DEVICE_FAILED)
        return RESULT_DEVICE_FAILED;
    return RESULT_BAD_ANSWER;
}

bool QModemSession::runningStalled(int percent)
{
    if (percent > m_running.best) {
        m_running.best = percent;
        m_running.unchanged = 0;
        m_running.since.start();
        return false;
    }
    return ++m_running.unchanged >= m_stalledRunningLimit;
}

int QModemSession::dispatchParamAnswer(const QRS232Message &request, const QRS232Message &answer)
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
    if (word(data, 0) != PARAM_VERSION)
        return RESULT_OK;
    if (data.size() != 6)
        return RESULT_BAD_ANSWER;
    if (fromDevice(answer))
        m_execDevice.setVersion(data.mid(2));
    else
        m_modem.setVersion(data.mid(2));
    return RESULT_OK;
}

void QModemSession::rs232_cmd_income(QByteArray buf)
{
    qCDebug(lcModem).noquote() << "HOST <- DEV:" << buf.toHex(' ');
    // The port search judges the frames itself, broken ones included; a question
    // about a wrong answer would only get in its way.
    if (searching())
        return;
    MODEM_TRANSACTION_T transaction = currentTransaction();
    if (transaction > TRANSACTION_FACTORY_RESET)
        transaction = TRANSACTION_NONE;

    QRS232Message answer(nullptr, buf);
    if (answer.parse() != 0) {
        complete_transaction(RESULT_BAD_ANSWER);
        return;
    }
    const QRS232Message request(m_interfaceManager->last_command());
    const int result = dispatch(transaction, request, answer);
    if (result != RESULT_PENDING)
        complete_transaction(result);
}

int QModemSession::dispatch(MODEM_TRANSACTION_T transaction, const QRS232Message &request,
                            const QRS232Message &answer)
{
    // The running operation judges its own answers first.
    if (QLineOperation *operation = m_runner->current()) {
        const int result = operation->judge(request, answer);
        if (result != QLineOperation::Unjudged)
            return result;
    }
    const QByteArray payload = answer.payload();
    switch (transaction) {
    case TRANSACTION_MODEM_MEMORY:
        if (isData(answer, ANS_PARAM) && payload.size() == 6 && word(payload, 0) == PARAM_MEMORY &&
            !fromDevice(answer)) {
            m_modem.setMemFree(word(payload, 2));
            m_modem.setMemTotal(word(payload, 4));
            return RESULT_OK;
        }
        if (!answer.is_data_frame() && answer.command() == REPLY_MEMORY) {
            m_modem.setMemFree(answer.value());
            m_modem.setMemTotal(answer.target());
            return RESULT_OK;
        }
        return RESULT_BAD_ANSWER;
    case TRANSACTION_DEVICE_MEMORY:
        if (isData(answer, ANS_PARAM) && payload.size() == 6 && word(payload, 0) == PARAM_MEMORY &&
            fromDevice(answer)) {
            m_execDevice.setMemFree(word(payload, 2));
            m_execDevice.setMemTotal(word(payload, 4));
            return RESULT_OK;
        }
        return RESULT_BAD_ANSWER;
    case TRANSACTION_PRIVILEGES:
    case TRANSACTION_FORGET_PASSWORD:
        if (!isData(answer, ANS_PROTECTION))
            return RESULT_BAD_ANSWER;
        if (payload.size() != 1) {
            m_interfaceManager->wait_for_command(); // the proper answer is still to come
            return RESULT_PENDING;
        }
        if (transaction == TRANSACTION_PRIVILEGES) {
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
            return RESULT_OK;
        }
        if (quint8(payload[0]) & PROTECTION_BIT_PASSWORD) {
            m_runner->whileOpen(PROTECTION_POLL_MS, [this] { request_protection_status(); });
            return RESULT_PENDING;
        }
        return RESULT_OK;
    case TRANSACTION_FUNCTIONS:
        if (!answer.is_data_frame() && answer.command() == REPLY_FUNCTIONS) {
            m_modem.setProtocols(answer.value() & 0xFF);
            m_modem.setFunctions(answer.value() >> 8);
            return RESULT_OK;
        }
        return RESULT_BAD_ANSWER;
    case TRANSACTION_VERSION:
        return dispatchParamAnswer(request, answer);
    default:
        return genericAcknowledge(request, answer);
    }
}

void QModemSession::answer_timeout()
{
    qCDebug(lcModem) << "Answer timeout!";
    if (searching() || !m_modem.connected())
        return;
    if (m_interfaceManager->last_command().need_answer())
        complete_transaction(RESULT_NO_ANSWER);
}

void QModemSession::finish(bool ok)
{
    // Only the running transaction ends; an answer has no business with any other.
    m_runner->endTransaction(ok);
}

void QModemSession::failWithoutSession()
{
    if (m_modem.currentTransaction() == TRANSACTION_FLASH) {
        m_modem.setUpdating(false);
        m_modem.setCurrentTransaction(TRANSACTION_NONE);
    }
    finish(false);
}

void QModemSession::rereadPrivilegesLater()
{
    m_privilegesRereadPending = true;
    QTimer::singleShot(PRIVILEGES_REREAD_MS, this, [this] {
        if (!m_privilegesRereadPending)
            return;
        // Never inside another operation: its answers would be taken for ours.
        if (m_runner->current()) {
            rereadPrivilegesLater();
            return;
        }
        m_privilegesRereadPending = false;
        get_modem_privilegies();
    });
}

void QModemSession::complete_transaction(int result)
{
    const MODEM_TRANSACTION_T transaction = currentTransaction();
    const QString error = tr("Ошибка");
    switch (result) {
    case RESULT_OK: {
        if (QLineOperation *operation = m_runner->current(); operation && operation->step()) {
            if (operation->next())
                finish(true);
            break;
        }
        if (transaction == TRANSACTION_PRIVILEGES || transaction == TRANSACTION_FORGET_PASSWORD) {
            emit workModeShown(m_modem.protectionMode() != PROTECTION_LOCKED);
            emit stateChanged();
        }
        finish(true);
        break;
    }

    case RESULT_BAD_ANSWER:
        if (m_prompts->warning(m_dialogParent, error,
                               tr("Принят неверный ответ от USB-stick. Повторить попытку?"),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
            m_interfaceManager->repeat_command();
            break;
        }
        failWithoutSession();
        break;

    case RESULT_NO_ANSWER:
        // The stick is gone: what the operation would do next must not go to this line.
        m_modem.setConnected(false);
        {
            const QPointer<QOperation> lost = m_runner->markLineLost();
            failWithoutSession();
            m_prompts->warning(m_dialogParent, error, lostMessage(lost), QMessageBox::Ok);
        }
        closeSession();
        break;

    case RESULT_NO_PRIVILEGES:
        if (transaction == TRANSACTION_PASSWORD) {
            m_prompts->warning(m_dialogParent, tr("Ошибка авторизации"), tr("Неверный пароль"),
                               QMessageBox::Ok);
        } else if (transaction == TRANSACTION_LOGIN) {
            // Said by the log-in itself, which also knows a cancel.
            m_passwordRejected = true;
        } else {
            m_prompts->warning(m_dialogParent, tr("Нет авторизации"),
                               tr("У вас отсутствуют привилегии для выполнения этой команды"),
                               QMessageBox::Ok);
            rereadPrivilegesLater();
        }
        finish(false);
        break;

    case RESULT_NO_LINK:
        if (transaction == TRANSACTION_CLEAR_TABLE || transaction == TRANSACTION_COPY_TO_DEVICE ||
            transaction == TRANSACTION_COPY_TO_MODEM) {
            m_prompts->warning(m_dialogParent, error, tr("Связь с конечным устройством утеряна"),
                               QMessageBox::Ok);
            finish(false);
        } else if (transaction == TRANSACTION_DEVICE_INIT) {
            m_runner->whileOpen(DEVICE_INIT_RETRY_MS, [this] { send_devinit_message(); });
        } else if (m_prompts->warning(
                       m_dialogParent, error,
                       tr("Usb-stick не смог выполнить команду на конечном устройстве. Повторить "
                          "попытку?"),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes) {
            m_interfaceManager->repeat_command();
        } else {
            finish(false);
        }
        break;

    case RESULT_STALLED:
        // Said before the operation ends, so that its own message follows this one.
        m_prompts->warning(
            m_dialogParent, error,
            tr("USB-stick уже %1 с сообщает, что команда выполняется, но её выполнение "
               "остановилось на %2%. Операция прервана. Если USB-stick не отвечает на следующие "
               "команды, отключите его от компьютера и подключите снова.")
                .arg((m_running.since.elapsed() + 500) / 1000)
                .arg(m_running.best),
            QMessageBox::Ok);
        finish(false);
        break;

    case RESULT_DEVICE_FAILED:
        finish(false);
        m_prompts->warning(m_dialogParent, error,
                           transaction == TRANSACTION_WRITE_REMOTE
                               ? tr("Конечное устройство не содержит в памяти данный пульт")
                               : tr("Конечное устройство не смогло успешно выполнить команду"),
                           QMessageBox::Ok);
        break;
    }
}
