// Modem command set: the command slots and the way every operation runs.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commands.h"
#include "modemlog.h"
#include "qinterface_manager.h"
#include "qwaitdialog.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

Q_LOGGING_CATEGORY(lcModem, "vexo.modem", QtInfoMsg)

QWaitDialog *MainWindow::new_wait_dialog(int mode, const QString &text, bool cancelEnabled)
{
    auto *dialog = new QWaitDialog(this, mode, text, cancelEnabled, false, QString());
    connect(this, &MainWindow::signal_modem_operation_complete, dialog, &QWaitDialog::accept);
    connect(this, &MainWindow::signal_modem_operation_fail, dialog, &QWaitDialog::systemReject);
    return dialog;
}

bool MainWindow::run_transaction(QWaitDialog *dialog, MODEM_TRANSACTION_T transaction,
                                 const std::function<void()> &sendFirst)
{
    m_modem.setCurrentTransaction(transaction);
    sendFirst();
    const bool accepted = dialog->exec() == QDialog::Accepted;
    m_modem.setCurrentTransaction(TRANSACTION_NONE);
    // Cancelled while a command was still out: it must not be repeated later.
    if (!accepted)
        m_interfaceManager->stop_command();
    return accepted;
}

bool MainWindow::run_operation(const QString &text, bool cancelEnabled,
                               MODEM_TRANSACTION_T transaction,
                               const std::function<void()> &sendFirst)
{
    QWaitDialog *dialog = new_wait_dialog(QWaitDialog::AnimationMode, text, cancelEnabled);
    const bool accepted = run_transaction(dialog, transaction, sendFirst);
    delete dialog;
    return accepted;
}

bool MainWindow::send_modem_command(QRS232Message &message)
{
    message.set_answer_code(EXPECTED_STATUS);
    // A poll may still be out (a progress request fired just before the operation
    // ended); give it the time of one full answer cycle rather than drop this command.
    const QDeadlineTimer deadline(m_interfaceManager->ack_timeout() *
                                  (m_interfaceManager->retry_count() + 1));
    while (!m_interfaceManager->is_free() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (m_interfaceManager->send_command(message))
        return true;
    qCWarning(lcModem) << "command dropped, the link is busy";
    // Without this the operation's wait dialog would wait for an answer forever.
    QTimer::singleShot(0, this, &MainWindow::signal_modem_operation_fail);
    return false;
}

void MainWindow::send_data_command(quint16 command, quint16 target, const QByteArray &payload)
{
    QRS232Message message;
    message.make_data_frame(command, target, payload.constData(), int(payload.size()));
    send_modem_command(message);
}

void MainWindow::send_short_command(quint8 cls, quint8 number, quint8 arg1)
{
    QRS232Message message;
    message.make_short_frame(0, cls, number, arg1, 0, 0, 0);
    send_modem_command(message);
}

quint16 MainWindow::device_target() const
{
    return m_execDevice.remoteMode() ? TARGET_DEVICE_REMOTE : TARGET_DEVICE;
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

void MainWindow::request_modem_param(quint16 id)
{
    if (oneOf(m_modem.currentTransaction(), TRANSACTION_VERSION, TRANSACTION_READ_PARAMS))
        send_data_command(CMD_GET_PARAM, TARGET_MODEM, paramPayload(id));
}

void MainWindow::request_device_param(quint16 id)
{
    if (oneOf(m_modem.currentTransaction(), TRANSACTION_VERSION, TRANSACTION_READ_PARAMS))
        send_data_command(CMD_GET_PARAM, device_target(), paramPayload(id));
}

void MainWindow::set_modem_param(quint16 id, quint8 value)
{
    if (oneOf(m_modem.currentTransaction(), TRANSACTION_SET_PARAM, TRANSACTION_WRITE_PARAMS))
        send_data_command(CMD_SET_PARAM, TARGET_MODEM, paramPayload(id) + char(value));
}

void MainWindow::set_device_param(quint16 id, quint8 value)
{
    if (oneOf(m_modem.currentTransaction(), TRANSACTION_SET_PARAM, TRANSACTION_WRITE_PARAMS))
        send_data_command(CMD_SET_PARAM, device_target(), paramPayload(id) + char(value));
}

void MainWindow::request_modem_progress()
{
    if (m_modem.currentTransaction() != TRANSACTION_NONE)
        send_data_command(CMD_GET_PROGRESS, TARGET_MODEM);
}

void MainWindow::request_protection_status()
{
    if (m_modem.currentTransaction() == TRANSACTION_FORGET_PASSWORD)
        send_data_command(CMD_GET_PROTECTION, TARGET_MODEM);
}

void MainWindow::send_devinit_message()
{
    if (m_modem.currentTransaction() == TRANSACTION_DEVICE_INIT)
        send_data_command(CMD_DEVICE_INIT, TARGET_MODEM);
}
