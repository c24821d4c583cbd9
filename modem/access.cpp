// Access control: the administrator password lives in the modem; the program only
// sends what the user types and follows the access state the modem reports.
#include "qmodemsession.h"

#include "commands.h"
#include "prompts.h"
#include "qinterface_manager.h"
#include "qoperationlog.h"

#include <QStringEncoder>

namespace
{
constexpr int PASSWORD_MIN = 6;
constexpr int PASSWORD_MAX = 10;
} // namespace

bool QModemSession::encode_password(const QString &text, QByteArray *bytes)
{
    // The modem compares bytes; a character the code page lacks would be sent as
    // something else and lock the user out with a password nobody can type.
    QStringEncoder encoder("windows-1251");
    *bytes = encoder.encode(text);
    return !encoder.hasError();
}

bool QModemSession::get_modem_privilegies()
{
    if (!m_modem.connected())
        return false;
    return runOperation(tr("Запрос прав доступа..."), true, TRANSACTION_PRIVILEGES,
                        [this] { sendDataCommand(CMD_GET_PROTECTION, TARGET_MODEM); });
}

void QModemSession::admin_mode_clicked()
{
    if (m_modem.protectionMode() != PROTECTION_LOCKED) {
        emit workModeShown(true);
        return;
    }
    // Until the modem says otherwise we are still in user mode.
    emit workModeShown(false);
    QByteArray bytes;
    if (!ask_password(
            tr("Ввод пароля"),
            tr("Введите пароль администратора для обеспечения полного доступа к USB-stick"),
            &bytes))
        return;
    const bool accepted = runOperation(tr("Авторизация"), true, TRANSACTION_LOGIN,
                                       [&] { sendDataCommand(CMD_ACCESS, 1, bytes); });
    if (!accepted)
        m_prompts->warning(
            m_dialogParent, tr("Ошибка авторизации"),
            tr("Ошибка при авторизации: неверный пароль либо отмена операции пользователем"),
            QMessageBox::Ok);
    get_modem_privilegies();
}

void QModemSession::user_mode_clicked()
{
    if (m_modem.protectionMode() == PROTECTION_LOCKED) {
        emit workModeShown(false);
        return;
    }
    const bool accepted = runOperation(tr("Сброс авторизации"), true, TRANSACTION_NONE,
                                       [this] { sendDataCommand(CMD_ACCESS, 0); });
    if (!accepted)
        m_prompts->warning(m_dialogParent, tr("Ошибка сброса авторизации"),
                           tr("Ошибка сброса авторизации"), QMessageBox::Ok);
    get_modem_privilegies();
}

bool QModemSession::ask_password(const QString &title, const QString &label, QByteArray *bytes)
{
    bool ok = false;
    const QString password =
        m_prompts->getText(m_dialogParent, title, label, QLineEdit::Password, QString(), &ok);
    if (!ok)
        return false;
    if (password.isEmpty()) {
        m_prompts->warning(m_dialogParent, tr("Ошибка"), tr("Пароль не может быть пустым"),
                           QMessageBox::Ok);
        return false;
    }
    if (!encode_password(password, bytes)) {
        m_prompts->warning(m_dialogParent, tr("Ошибка"), tr("Пароль содержит недопустимые символы"),
                           QMessageBox::Ok);
        return false;
    }
    return true;
}

bool QModemSession::ask_current_password(QByteArray *bytes)
{
    return ask_password(tr("Ввод текущего пароля"),
                        tr("Введите ваш текущий пароль полного доступа к USB-stick"), bytes);
}

bool QModemSession::ask_new_password(QByteArray *bytes)
{
    QString password;
    for (;;) {
        bool ok = false;
        password = m_prompts->getText(
            m_dialogParent, tr("Ввод нового пароля"),
            tr("Введите новый пароль полного доступа к USB-stick(6-10 символов)"),
            QLineEdit::Password, QString(), &ok);
        if (!ok)
            return false;
        if (password.size() < PASSWORD_MIN || password.size() > PASSWORD_MAX) {
            m_prompts->information(m_dialogParent, tr("Внимание"),
                                   tr("Пароль должен быть длиной от 6 до 10 символов"),
                                   QMessageBox::Ok);
        } else if (!encode_password(password, bytes)) {
            m_prompts->information(m_dialogParent, tr("Внимание"),
                                   tr("Пароль содержит недопустимые символы"), QMessageBox::Ok);
        } else {
            break;
        }
    }
    bool ok = false;
    const QString repeat =
        m_prompts->getText(m_dialogParent, tr("Повтор нового пароля"),
                           tr("Повторно введите пароль полного доступа к USB-stick"),
                           QLineEdit::Password, QString(), &ok);
    if (!ok)
        return false;
    if (repeat != password) {
        m_prompts->warning(m_dialogParent, tr("Внимание"), tr("Пароли не совпадают"),
                           QMessageBox::Ok);
        return false;
    }
    return true;
}

bool QModemSession::remove_password(const QByteArray &current)
{
    return runOperation(tr("Удаление текущего пароля"), false, TRANSACTION_PASSWORD,
                        [&] { sendDataCommand(CMD_PASSWORD, 0, current); });
}

bool QModemSession::apply_new_password(const QByteArray &password)
{
    return runOperation(tr("Применение нового пароля"), true, TRANSACTION_NONE,
                        [&] { sendDataCommand(CMD_PASSWORD, 1, password); });
}

void QModemSession::admin_password_clear()
{
    QByteArray current;
    if (!ask_current_password(&current))
        return;
    m_operationLog->append(OPERATION_PASSWORD_REMOVED, {}, remove_password(current));
    get_modem_privilegies();
}

void QModemSession::admin_password_set()
{
    const bool hasPassword = m_modem.protectionMode() != PROTECTION_OFF;
    QByteArray current, fresh;
    if (hasPassword && !ask_current_password(&current))
        return;
    if (!ask_new_password(&fresh))
        return;
    // A change is a removal proven by the current password, then the new one.
    if (hasPassword && !remove_password(current)) {
        m_operationLog->append(OPERATION_PASSWORD_SET, {}, false);
        return;
    }
    const bool set = apply_new_password(fresh);
    m_operationLog->append(OPERATION_PASSWORD_SET, {}, set);
    // A change that stops half-way must not leave the stick open to anyone: without
    // the new password confirmed, the old one goes back.
    if (!set && hasPassword && m_modem.connected() && apply_new_password(current))
        m_operationLog->append(OPERATION_PASSWORD_SET, {}, true, tr("восстановлен прежний пароль"));
    get_modem_privilegies();
}

void QModemSession::admin_password_forget()
{
    const bool waiting =
        runOperation(tr("Удаление забытого пароля"), false, TRANSACTION_NONE, [this] {
            sendShortCommand(SHORT_CLASS_COMMAND, CMD_SET_MODEM_MODE >> 8,
                             MODEM_MODE_PASSWORD_RESET);
        });
    if (!waiting)
        return;
    const bool reset =
        runOperation(tr("Сброс забытого пароля...\nНажмите и удерживайте в течение 4 секунд на "
                        "исполнительном устройстве кнопку для перехода в режим программирования. "
                        "\nДалее нажмите и держите в течение 1 секунды кнопку для сброса забытого "
                        "пароля"),
                     true, TRANSACTION_FORGET_PASSWORD, [this] { request_protection_status(); });
    m_operationLog->append(OPERATION_PASSWORD_RESET, {}, reset);
    if (!m_modem.connected())
        return;
    // A poll may still be scheduled or out; it must not outlive the reset.
    m_modem.setCurrentTransaction(TRANSACTION_NONE);
    m_interfaceManager->stop_command();
    // Normal mode comes back whether the reset completed or was cancelled.
    runOperation(
        tr("Восстановление исходного режима работы USB-stick"), false, TRANSACTION_NONE, [this] {
            sendShortCommand(SHORT_CLASS_COMMAND, CMD_SET_MODEM_MODE >> 8, MODEM_MODE_NORMAL);
        });
    get_modem_privilegies();
}
