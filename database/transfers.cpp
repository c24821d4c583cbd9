// Moving the remote table between the PC, the stick and the actuator, clearing it,
// and how full the two memories are.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commands.h"
#include "modemlog.h"
#include "prompts.h"
#include "qinterface_manager.h"
#include "qmemorystatusdialog.h"
#include "qwaitdialog.h"

#include <QEventLoop>

namespace
{
// Clearing a table takes the stick five times an ordinary answer's time-out (15 s at
// the usual 3 s); tied to it so that a lowered time-out lowers this one too.
constexpr int CLEAR_TIMEOUT_FACTOR = 5;

QByteArray memoryParamPayload()
{
    return QByteArray(1, char(PARAM_MEMORY & 0xFF)) + char(PARAM_MEMORY >> 8);
}
} // namespace

bool MainWindow::clear_table_memory(QWaitDialog *dialog, quint16 mask, bool longTimeout)
{
    const int timeout = m_interfaceManager->ack_timeout();
    const bool cleared = run_transaction(dialog, TRANSACTION_CLEAR_TABLE, [&] {
        if (longTimeout)
            m_interfaceManager->set_ack_timeout(timeout * CLEAR_TIMEOUT_FACTOR);
        send_data_command(CMD_CLEAR_TABLE, mask);
        if (longTimeout)
            emit signal_modem_operation_single(tr("Очистка памяти в USB-stick..."));
    });
    // Back to the time-out in force before, which need not be the default.
    m_interfaceManager->set_ack_timeout(timeout);
    return cleared;
}

bool MainWindow::read_modem_table(QWaitDialog *dialog)
{
    receivedRemotes.clear();
    return run_transaction(dialog, TRANSACTION_READ_TABLE,
                           [this] { send_data_command(CMD_READ_FIRST_REMOTE, TARGET_MODEM); });
}

bool MainWindow::copy_table(QWaitDialog *dialog, MODEM_TRANSACTION_T transaction, quint16 direction)
{
    const bool copied =
        run_transaction(dialog, transaction, [&] { send_data_command(CMD_COPY_TABLE, direction); });
    if (copied)
        m_prompts->information(this, tr("Информация"), tr("Операция копирования завершена успешно"),
                               QMessageBox::Ok);
    else
        m_prompts->warning(this, tr("Информация"), tr("Операция копирования завершена с ошибкой"),
                           QMessageBox::Ok);
    return copied;
}

bool MainWindow::load_db_from_modem()
{
    if (!m_modem.connected())
        return false;
    const QString readError = tr("Ошибка чтения списка пультов с USB-stick");

    QWaitDialog *dialog =
        new_wait_dialog(QWaitDialog::AnimationMode, tr("Чтение данных с USB-stick..."), true);
    const bool counted = run_transaction(dialog, TRANSACTION_MODEM_MEMORY, [this] {
        send_short_command(SHORT_CLASS_QUERY, QUERY_MEMORY >> 8);
    });
    delete dialog;
    if (!counted) {
        m_prompts->warning(this, tr("Ошибка"), readError, QMessageBox::Ok);
        return false;
    }

    dialog = new_wait_dialog(QWaitDialog::ProgressMode, tr("Чтение пультов с USB-stick..."), true);
    const int used = int(m_modem.memTotal()) - int(m_modem.memFree());
    dialog->setMaxProgress(qMax(0, used) + 1);
    dialog->setProgress(0);
    // Only the end record may end the read: a table longer than the used places
    // the stick reported would otherwise be cut short and taken as complete.
    connect(this, &MainWindow::signal_modem_operation_single, dialog, [dialog] {
        if (dialog->progress() + 1 >= dialog->maxProgress())
            dialog->setMaxProgress(dialog->progress() + 2);
        dialog->incProgress();
    });
    const bool read = read_modem_table(dialog);
    if (read) {
        remoteList = receivedRemotes;
        fill_table(remoteList);
        set_data_source(SOURCE_MODEM);
    } else {
        m_prompts->warning(this, tr("Ошибка"), readError, QMessageBox::Ok);
    }
    receivedRemotes.clear();
    delete dialog;
    save_reserved();
    return read;
}

bool MainWindow::save_db_to_modem()
{
    if (!m_modem.connected())
        return false;
    QWaitDialog *dialog =
        new_wait_dialog(QWaitDialog::AnimationMode, tr("Очистка памяти USB-stick..."), false);
    connect(this, &MainWindow::signal_modem_operation_single, dialog, &QWaitDialog::setText);
    const bool cleared = clear_table_memory(dialog, CLEAR_MODEM_TABLE, true);
    delete dialog;
    if (!cleared)
        return false;
    if (remoteList.isEmpty()) {
        set_data_source(SOURCE_MODEM);
        return true;
    }

    dialog =
        new_wait_dialog(QWaitDialog::ProgressMode, tr("Запись пультов на USB-stick..."), false);
    connect(this, &MainWindow::signal_modem_operation_single, dialog,
            qOverload<>(&QWaitDialog::incProgress));
    dialog->setMaxProgress(int(remoteList.size()));
    dialog->setProgress(0);
    tableWriteIndex = 1;
    const bool written = run_transaction(dialog, TRANSACTION_WRITE_TABLE, [this] {
        send_data_command(CMD_WRITE_REMOTE, TARGET_MODEM,
                          remoteList.first().toRecord(m_modem.longRecords()));
    });
    // A failed write leaves the stick holding the records written so far.
    if (written)
        set_data_source(SOURCE_MODEM);
    delete dialog;
    return written;
}

bool MainWindow::clear_modem_memory()
{
    if (!m_modem.connected())
        return false;
    if (m_prompts->warning(
            this, tr("Внимание"),
            tr("Вы действительно хотите очистить память USB-stick и исполнительного устройства"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return false;
    save_reserved();

    QWaitDialog *dialog =
        new_wait_dialog(QWaitDialog::AnimationMode, tr("Очистка памяти USB-stick..."), false);
    connect(this, &MainWindow::signal_modem_operation_single, dialog, &QWaitDialog::setText);
    const bool remoteMode = m_execDevice.remoteMode();
    const quint16 mask =
        remoteMode ? CLEAR_MODEM_TABLE : quint16(CLEAR_MODEM_TABLE | CLEAR_DEVICE_TABLE);
    const bool cleared = clear_table_memory(dialog, mask, true);
    // Without a read-back it is not known whether the stick was cleared: the list
    // stays (its backup was just written), only no longer as the stick's.
    const auto giveUp = [&] {
        delete dialog;
        if (dataSource == SOURCE_MODEM)
            set_data_source(SOURCE_UNKNOWN);
        return false;
    };
    if (!m_modem.connected())
        return giveUp();
    if (!remoteMode && !m_execDevice.isVersionKnown() && !get_device_version())
        return giveUp();

    // The records of the read-back must not blank the dialog's text.
    disconnect(this, &MainWindow::signal_modem_operation_single, dialog, &QWaitDialog::setText);
    const bool read = read_modem_table(dialog);
    if (read) {
        remoteList = receivedRemotes;
        fill_table(remoteList);
        if (!remoteList.isEmpty())
            m_prompts->warning(this, tr("Ошибка"), tr("Ошибка очистки памяти USB-stick."),
                               QMessageBox::Ok);
        set_data_source(SOURCE_MODEM);
    } else {
        m_prompts->warning(this, tr("Ошибка"), tr("Ошибка чтения списка пультов с USB-stick"),
                           QMessageBox::Ok);
        if (dataSource == SOURCE_MODEM)
            set_data_source(SOURCE_UNKNOWN);
    }
    receivedRemotes.clear();
    delete dialog;
    // Only a clear the stick confirmed and an empty read-back are a success.
    return cleared && read && remoteList.isEmpty();
}

void MainWindow::copy_table_from_modem_to_dev()
{
    if (!m_modem.connected() || !initialize_device())
        return;
    QWaitDialog *dialog = new_wait_dialog(
        QWaitDialog::AnimationMode, tr("Очистка памяти исполнительного устройства..."), false);
    const bool cleared = clear_table_memory(dialog, CLEAR_DEVICE_TABLE, false);
    delete dialog;
    if (!cleared || (!m_execDevice.remoteMode() && !get_device_version()))
        return;

    dialog = new_wait_dialog(
        QWaitDialog::ProgressMode,
        tr("Копирование таблицы устройств из USB-stick в исполнительное устройство..."), true);
    connect(this, &MainWindow::signal_modem_set_progress, dialog,
            qOverload<int>(&QWaitDialog::setProgress));
    dialog->setMaxProgress(100);
    copy_table(dialog, TRANSACTION_COPY_TO_DEVICE, COPY_MODEM_TO_DEVICE);
    delete dialog;
}

void MainWindow::copy_table_from_dev_to_modem()
{
    if (!m_modem.connected() || !initialize_device() ||
        (!m_execDevice.remoteMode() && !get_device_version()))
        return;
    QWaitDialog *dialog = new_wait_dialog(
        QWaitDialog::AnimationMode,
        tr("Определение размера таблицы пультов на исполнительном устройстве"), true);
    // Without the size the copy still runs, only without a progress bar.
    const bool sized = run_transaction(dialog, TRANSACTION_DEVICE_MEMORY, [this] {
        send_data_command(CMD_GET_PARAM, TARGET_DEVICE, memoryParamPayload());
    });
    delete dialog;
    if (!m_modem.connected())
        return;

    dialog = new_wait_dialog(sized ? QWaitDialog::ProgressMode : QWaitDialog::AnimationMode,
                             tr("Копирование таблицы пультов из исполнительного устройства в "
                                "USB-stick."),
                             false);
    if (sized) {
        connect(this, &MainWindow::signal_modem_set_progress, dialog,
                qOverload<int>(&QWaitDialog::setProgress));
        dialog->setMaxProgress(100);
    }
    copy_table(dialog, TRANSACTION_COPY_TO_MODEM, COPY_DEVICE_TO_MODEM);
    delete dialog;
    load_db_from_modem();
}

void MainWindow::show_memory_status()
{
    if (!m_modem.connected())
        return;
    QWaitDialog *dialog =
        new_wait_dialog(QWaitDialog::AnimationMode, tr("Чтение данных с USB-stick..."), true);
    if (!run_transaction(dialog, TRANSACTION_MODEM_MEMORY,
                         [this] { send_short_command(SHORT_CLASS_QUERY, QUERY_MEMORY >> 8); })) {
        delete dialog;
        m_prompts->warning(this, tr("Ошибка"), tr("Ошибка чтения состояния памяти USB-sticka"),
                           QMessageBox::Ok);
        return;
    }

    int deviceTotal = 0;
    int deviceFree = 0;
    if (!m_execDevice.remoteMode()) {
        dialog->setText(tr("Чтение данных с устройства"));
        if (run_transaction(dialog, TRANSACTION_DEVICE_MEMORY, [this] {
                send_data_command(CMD_GET_PARAM, TARGET_DEVICE, memoryParamPayload());
            })) {
            deviceTotal = m_execDevice.memTotal();
            deviceFree = m_execDevice.memFree();
            if (!m_execDevice.isVersionKnown())
                get_device_version();
        } else {
            m_prompts->warning(this, tr("Ошибка"), tr("Ошибка чтения состояния памяти устройства"),
                               QMessageBox::Ok);
        }
    }
    delete dialog;

    auto *status = new QMemoryStatusDialog(this, int(m_modem.memTotal()), int(m_modem.memFree()),
                                           deviceTotal, deviceFree);
    // Not exec(): showing a splash-type window may process events, and a dialog closed
    // in there would leave exec() waiting for good.
    QEventLoop loop;
    connect(status, &QDialog::finished, &loop, &QEventLoop::quit);
    status->setWindowModality(Qt::ApplicationModal);
    status->show();
    if (status->isVisible())
        loop.exec(QEventLoop::DialogExec);
    delete status;
}
