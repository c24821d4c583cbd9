// Access control: the administrator password lives in the modem; the program only
// sends what the user types and follows the access state the modem reports.
#include "qmodemsession.h"

#include "commands.h"
#include "cp1251.h"
#include "prompts.h"
#include "qinterface_manager.h"
#include "qoperationlog.h"
#include "secret.h"

namespace
{
constexpr int PASSWORD_MIN = 6;
constexpr int PASSWORD_MAX = 10;
} // namespace

bool QModemSession::encodePassword(const QString &text, QByteArray *bytes)
{
    // The modem compares bytes; a character the code page lacks would be sent as
    // something else and lock the user out with a password nobody can type.
    bool ok = false;
    *bytes = cp1251::encode(text, &ok);
    return ok;
}

QOperation *QModemSession::get_modem_privilegies()
{
    if (!m_modem.connected())
        return nullptr;
    return start(tr("Запрос прав доступа..."), true, TRANSACTION_PRIVILEGES,
                 [this] { sendDataCommand(CMD_GET_PROTECTION, TARGET_MODEM); });
}

void QModemSession::readPrivilegesAfter(QOperation *operation)
{
    connect(operation, &QOperation::finished, this, &QModemSession::get_modem_privilegies);
}

void QModemSession::warnUnlessRefused(QOperation *operation, const QString &title,
                                      const QString &text)
{
    m_prompts->warning(m_dialogParent, title,
                       operation->outcome() == QOperation::Refused ? operation->errorString()
                                                                   : text,
                       QMessageBox::Ok);
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
    if (!askPassword(
            tr("Ввод пароля"),
            tr("Введите пароль администратора для обеспечения полного доступа к USB-stick"),
            &bytes))
        return;
    QOperation *login = start(tr("Авторизация"), true, TRANSACTION_LOGIN,
                              [this, bytes] { sendDataCommand(CMD_ACCESS, 1, bytes); });
    m_passwordRejected = false;
    connect(login, &QOperation::finished, this, [this, login] {
        if (login->succeeded())
            announce(tr("Вход выполнен: доступ администратора"));
        else if (login->outcome() == QOperation::Cancelled)
            announce(tr("Авторизация отменена"));
        else if (m_passwordRejected)
            m_prompts->warning(m_dialogParent, tr("Ошибка авторизации"), tr("Неверный пароль"),
                               QMessageBox::Ok);
        else
            warnUnlessRefused(
                login, tr("Ошибка авторизации"),
                tr("Ошибка при авторизации: неверный пароль либо отмена операции пользователем"));
    });
    readPrivilegesAfter(login);
}

void QModemSession::user_mode_clicked()
{
    if (m_modem.protectionMode() == PROTECTION_LOCKED) {
        emit workModeShown(false);
        return;
    }
    QOperation *logout = start(tr("Сброс авторизации"), true, TRANSACTION_NONE,
                               [this] { sendDataCommand(CMD_ACCESS, 0); });
    connect(logout, &QOperation::finished, this, [this, logout] {
        if (!logout->succeeded())
            warnUnlessRefused(logout, tr("Ошибка сброса авторизации"),
                              tr("Ошибка сброса авторизации"));
    });
    readPrivilegesAfter(logout);
}

bool QModemSession::askPassword(const QString &title, const QString &label, QByteArray *bytes)
{
    bool ok = false;
    QString password =
        m_prompts->getText(m_dialogParent, title, label, QLineEdit::Password, QString(), &ok);
    if (!ok)
        return false;
    if (password.isEmpty()) {
        m_prompts->warning(m_dialogParent, tr("Ошибка"), tr("Пароль не может быть пустым"),
                           QMessageBox::Ok);
        return false;
    }
    const bool encoded = encodePassword(password, bytes);
    // Only the bytes for the stick are needed from here on.
    secret::wipe(password);
    if (!encoded) {
        m_prompts->warning(m_dialogParent, tr("Ошибка"), tr("Пароль содержит недопустимые символы"),
                           QMessageBox::Ok);
        return false;
    }
    return true;
}

bool QModemSession::askCurrentPassword(QByteArray *bytes)
{
    return askPassword(tr("Ввод текущего пароля"),
                       tr("Введите ваш текущий пароль полного доступа к USB-stick"), bytes);
}

bool QModemSession::askNewPassword(QByteArray *bytes)
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
        } else if (!encodePassword(password, bytes)) {
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

void QModemSession::admin_password_clear()
{
    QByteArray current;
    if (!askCurrentPassword(&current))
        return;
    QOperation *removal = start(tr("Удаление текущего пароля"), false, TRANSACTION_PASSWORD,
                                [this, current] { sendDataCommand(CMD_PASSWORD, 0, current); });
    if (removal->outcome() == QOperation::Refused) {
        warnUnlessRefused(removal, tr("Ошибка"), QString());
        return;
    }
    connect(removal, &QOperation::finished, this, [this, removal] {
        m_operationLog->append(OPERATION_PASSWORD_REMOVED, {}, removal->succeeded());
        if (removal->succeeded())
            announce(tr("Пароль удалён"));
    });
    readPrivilegesAfter(removal);
}

void QModemSession::admin_password_set()
{
    const bool hasPassword = m_modem.protectionMode() != PROTECTION_OFF;
    QByteArray current, fresh;
    if (hasPassword && !askCurrentPassword(&current))
        return;
    if (!askNewPassword(&fresh))
        return;
    // One operation: a change is a removal proven by the current password, then the new
    // one; a change that stops half-way (failed, cut or cancelled) must not leave the
    // stick open to anyone, so without the new password confirmed the old one goes back.
    QOperation *change = begin(tr("Применение нового пароля"), true);
    if (change->isFinished()) {
        warnUnlessRefused(change, tr("Ошибка"), QString());
        return;
    }
    const auto applyNew = [this, change, hasPassword, current, fresh] {
        change->setText(tr("Применение нового пароля"));
        change->setCancelEnabled(true);
        proceed(
            change, TRANSACTION_NONE, [this, fresh] { sendDataCommand(CMD_PASSWORD, 1, fresh); },
            [this, change, hasPassword, current](bool set) {
                m_operationLog->append(OPERATION_PASSWORD_SET, {}, set);
                if (set || !hasPassword || !m_modem.connected())
                    return;
                change->setCancelEnabled(false);
                proceed(
                    change, TRANSACTION_NONE,
                    [this, current] { sendDataCommand(CMD_PASSWORD, 1, current); },
                    [this, change](bool restored) {
                        if (restored)
                            m_operationLog->append(OPERATION_PASSWORD_SET, {}, true,
                                                   tr("восстановлен прежний пароль"));
                        complete(change, false);
                    });
            });
    };
    connect(change, &QOperation::finished, this, [this, change, hasPassword] {
        if (change->succeeded())
            announce(hasPassword ? tr("Пароль изменён") : tr("Пароль установлен"));
    });
    readPrivilegesAfter(change);
    if (!hasPassword) {
        applyNew();
        return;
    }
    change->setText(tr("Удаление текущего пароля"));
    change->setCancelEnabled(false);
    proceed(
        change, TRANSACTION_PASSWORD,
        [this, current] { sendDataCommand(CMD_PASSWORD, 0, current); },
        [this, applyNew](bool removed) {
            if (removed)
                applyNew();
            else
                m_operationLog->append(OPERATION_PASSWORD_SET, {}, false);
        });
}

void QModemSession::admin_password_forget()
{
    // One operation: password-reset mode, the wait for the button on the actuator, and
    // normal mode again whether the reset completed or was cancelled.
    QOperation *reset = start(
        tr("Удаление забытого пароля"), false, TRANSACTION_NONE,
        [this] {
            sendShortCommand(SHORT_CLASS_COMMAND, CMD_SET_MODEM_MODE >> 8,
                             MODEM_MODE_PASSWORD_RESET);
        },
        [this](bool waiting) {
            QOperation *reset = m_runner->current();
            if (!waiting)
                return;
            reset->setText(tr("Сброс забытого пароля...\nНажмите и удерживайте в течение 4 "
                              "секунд на исполнительном устройстве кнопку для перехода в режим "
                              "программирования. \nДалее нажмите и держите в течение 1 секунды "
                              "кнопку для сброса забытого пароля"));
            reset->setCancelEnabled(true);
            proceed(
                reset, TRANSACTION_FORGET_PASSWORD, [this] { request_protection_status(); },
                [this, reset](bool done) {
                    m_operationLog->append(OPERATION_PASSWORD_RESET, {}, done);
                    if (done)
                        announce(tr("Забытый пароль сброшен"));
                    if (!m_modem.connected())
                        return;
                    reset->setText(tr("Восстановление исходного режима работы USB-stick"));
                    reset->setCancelEnabled(false);
                    proceed(reset, TRANSACTION_NONE, [this] {
                        sendShortCommand(SHORT_CLASS_COMMAND, CMD_SET_MODEM_MODE >> 8,
                                         MODEM_MODE_NORMAL);
                    });
                });
        });
    readPrivilegesAfter(reset);
}
