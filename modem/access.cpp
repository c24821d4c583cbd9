// Access control: the administrator password lives in the modem; the program only
// sends what the user types and follows the access state the modem reports.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commands.h"
#include "prompts.h"
#include "qinterface_manager.h"

#include <QStringEncoder>

namespace
{
constexpr int PASSWORD_MIN = 6;
constexpr int PASSWORD_MAX = 10;
} // namespace

bool MainWindow::encode_password(const QString &text, QByteArray *bytes)
{
    // The modem compares bytes; a character the code page lacks would be sent as
    // something else and lock the user out with a password nobody can type.
    QStringEncoder encoder("windows-1251");
    *bytes = encoder.encode(text);
    return !encoder.hasError();
}

bool MainWindow::get_modem_privilegies()
{
    if (!m_modem.connected())
        return false;
    return run_operation(tr("Запрос прав доступа..."), true, TRANSACTION_PRIVILEGES,
                         [this] { send_data_command(CMD_GET_PROTECTION, TARGET_MODEM); });
}

void MainWindow::set_work_mode_marks(bool admin)
{
    ui->actionAdminMode->setChecked(admin);
    ui->actionUserMode->setChecked(!admin);
    ui->actionChangePass->setEnabled(admin);
    update_controls_enabled();
}

void MainWindow::admin_mode_clicked()
{
    if (m_modem.protectionMode() != PROTECTION_LOCKED) {
        set_work_mode_marks(true);
        return;
    }
    // Until the modem says otherwise we are still in user mode.
    set_work_mode_marks(false);
    QByteArray bytes;
    if (!ask_password(
            tr("Ввод пароля"),
            tr("Введите пароль администратора для обеспечения полного доступа к USB-stick"),
            &bytes))
        return;
    const bool accepted = run_operation(tr("Авторизация"), true, TRANSACTION_LOGIN,
                                        [&] { send_data_command(CMD_ACCESS, 1, bytes); });
    if (!accepted)
        m_prompts->warning(
            this, tr("Ошибка авторизации"),
            tr("Ошибка при авторизации: неверный пароль либо отмена операции пользователем"),
            QMessageBox::Ok);
    get_modem_privilegies();
}

void MainWindow::user_mode_clicked()
{
    if (m_modem.protectionMode() == PROTECTION_LOCKED) {
        set_work_mode_marks(false);
        return;
    }
    const bool accepted = run_operation(tr("Сброс авторизации"), true, TRANSACTION_NONE,
                                        [this] { send_data_command(CMD_ACCESS, 0); });
    if (!accepted)
        m_prompts->warning(this, tr("Ошибка сброса авторизации"), tr("Ошибка сброса авторизации"),
                           QMessageBox::Ok);
    get_modem_privilegies();
}

bool MainWindow::ask_password(const QString &title, const QString &label, QByteArray *bytes)
{
    bool ok = false;
    const QString password =
        m_prompts->getText(this, title, label, QLineEdit::Password, QString(), &ok);
    if (!ok)
        return false;
    if (password.isEmpty()) {
        m_prompts->warning(this, tr("Ошибка"), tr("Пароль не может быть пустым"), QMessageBox::Ok);
        return false;
    }
    if (!encode_password(password, bytes)) {
        m_prompts->warning(this, tr("Ошибка"), tr("Пароль содержит недопустимые символы"),
                           QMessageBox::Ok);
        return false;
    }
    return true;
}

bool MainWindow::ask_current_password(QByteArray *bytes)
{
    return ask_password(tr("Ввод текущего пароля"),
                        tr("Введите ваш текущий пароль полного доступа к USB-stick"), bytes);
}

bool MainWindow::ask_new_password(QByteArray *bytes)
{
    QString password;
    for (;;) {
        bool ok = false;
        password = m_prompts->getText(
            this, tr("Ввод нового пароля"),
            tr("Введите новый пароль полного доступа к USB-stick(6-10 символов)"),
            QLineEdit::Password, QString(), &ok);
        if (!ok)
            return false;
        if (password.size() < PASSWORD_MIN || password.size() > PASSWORD_MAX) {
            m_prompts->information(this, tr("Внимание"),
                                   tr("Пароль должен быть длиной от 6 до 10 символов"),
                                   QMessageBox::Ok);
        } else if (!encode_password(password, bytes)) {
            m_prompts->information(this, tr("Внимание"), tr("Пароль содержит недопустимые символы"),
                                   QMessageBox::Ok);
        } else {
            break;
        }
    }
    bool ok = false;
    const QString repeat = m_prompts->getText(
        this, tr("Повтор нового пароля"), tr("Повторно введите пароль полного доступа к USB-stick"),
        QLineEdit::Password, QString(), &ok);
    if (!ok)
        return false;
    if (repeat != password) {
        m_prompts->warning(this, tr("Внимание"), tr("Пароли не совпадают"), QMessageBox::Ok);
        return false;
    }
    return true;
}

bool MainWindow::remove_password(const QByteArray &current)
{
    return run_operation(tr("Удаление текущего пароля"), false, TRANSACTION_PASSWORD,
                         [&] { send_data_command(CMD_PASSWORD, 0, current); });
}

void MainWindow::apply_new_password(const QByteArray &password)
{
    run_operation(tr("Применение нового пароля"), true, TRANSACTION_NONE,
                  [&] { send_data_command(CMD_PASSWORD, 1, password); });
    get_modem_privilegies();
}

void MainWindow::admin_password_clear()
{
    QByteArray current;
    if (!ask_current_password(&current))
        return;
    remove_password(current);
    get_modem_privilegies();
}

void MainWindow::admin_password_set()
{
    const bool hasPassword = m_modem.protectionMode() != PROTECTION_OFF;
    QByteArray current, fresh;
    if (hasPassword && !ask_current_password(&current))
        return;
    if (!ask_new_password(&fresh))
        return;
    // A change is a removal proven by the current password, then the new one.
    if (hasPassword && !remove_password(current))
        return;
    apply_new_password(fresh);
}

void MainWindow::admin_password_forget()
{
    const bool waiting =
        run_operation(tr("Удаление забытого пароля"), false, TRANSACTION_NONE, [this] {
            send_short_command(SHORT_CLASS_COMMAND, CMD_SET_MODEM_MODE >> 8,
                               MODEM_MODE_PASSWORD_RESET);
        });
    if (!waiting)
        return;
    run_operation(tr("Сброс забытого пароля...\nНажмите и удерживайте в течение 4 секунд на "
                     "исполнительном устройстве кнопку для перехода в режим программирования. "
                     "\nДалее нажмите и держите в течение 1 секунды кнопку для сброса забытого "
                     "пароля"),
                  true, TRANSACTION_FORGET_PASSWORD, [this] { request_protection_status(); });
    // A poll may still be scheduled or out; it must not outlive the reset.
    m_modem.setCurrentTransaction(TRANSACTION_NONE);
    m_interfaceManager->stop_command();
    // Normal mode comes back whether the reset completed or was cancelled.
    if (!m_modem.connected())
        return;
    run_operation(
        tr("Восстановление исходного режима работы USB-stick"), false, TRANSACTION_NONE, [this] {
            send_short_command(SHORT_CLASS_COMMAND, CMD_SET_MODEM_MODE >> 8, MODEM_MODE_NORMAL);
        });
    get_modem_privilegies();
}
