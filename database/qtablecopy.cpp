#include "qtablecopy.h"

#include "commands.h"
#include "prompts.h"
#include "qmemorystatusdialog.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qtabletransfers.h"
#include "qwaitdialog.h"
#include "remotelist.h"
#include "remotetable.h"

#include <QEventLoop>

namespace
{
QByteArray memoryParamPayload()
{
    return QByteArray(1, char(PARAM_MEMORY & 0xFF)) + char(PARAM_MEMORY >> 8);
}
} // namespace

QTableCopy::QTableCopy(QModemSession *session, RemoteList *list, QTableTransfers *transfers,
                       QObject *parent)
    : QObject(parent), m_session(session), m_list(list), m_transfers(transfers)
{
}

bool QTableCopy::copy_table(QWaitDialog *dialog, int transaction, quint16 direction,
                            const std::function<bool()> &check)
{
    const bool copied = m_session->runTransaction(dialog, MODEM_TRANSACTION_T(transaction), [&] {
        m_session->sendDataCommand(CMD_COPY_TABLE, direction);
    });
    // A check that fails has said so itself.
    if (copied && check && !check())
        return false;
    Prompts *prompts = m_session->prompts();
    if (copied)
        prompts->information(m_session->dialogParent(), tr("Информация"),
                             tr("Операция копирования завершена успешно"), QMessageBox::Ok);
    else
        prompts->warning(m_session->dialogParent(), tr("Информация"),
                         tr("Операция копирования завершена с ошибкой"), QMessageBox::Ok);
    return copied;
}

bool QTableCopy::verify_copied_table(int stickCount, int deviceCount)
{
    if (stickCount == deviceCount) {
        emit statusMessage(
            tr("Копирование проверено: в USB-stick и в исполнительном устройстве по %1 пультов")
                .arg(stickCount));
        return true;
    }
    m_session->prompts()->warning(
        m_session->dialogParent(), tr("Проверка копирования"),
        tr("После копирования в исполнительном устройстве пультов: %1, в USB-stick: %2")
            .arg(deviceCount)
            .arg(stickCount),
        QMessageBox::Ok);
    return false;
}

void QTableCopy::copy_table_from_modem_to_dev()
{
    if (!m_session->connected() || !m_session->initialize_device())
        return;
    {
        const auto dialog = m_session->newWaitDialog(
            QWaitDialog::AnimationMode, tr("Очистка памяти исполнительного устройства..."), false);
        if (!m_transfers->clear_table_memory(dialog.get(), CLEAR_DEVICE_TABLE, false))
            return;
    }
    if (!m_session->execDevice().remoteMode() && !m_session->get_device_version())
        return;

    const auto dialog = m_session->newWaitDialog(
        QWaitDialog::ProgressMode,
        tr("Копирование таблицы устройств из USB-stick в исполнительное устройство..."), true);
    connect(m_session, &QModemSession::operationProgress, dialog.get(),
            qOverload<int>(&QWaitDialog::setProgress));
    dialog->setMaxProgress(100);
    QWaitDialog *shown = dialog.get();
    const auto check = [this, shown] {
        if (!m_transfers->verify_after_write())
            return true;
        // Only the actuator's count can be read back; both memories are asked now.
        shown->setText(tr("Проверка копирования..."));
        const bool counted = m_session->runTransaction(shown, TRANSACTION_MODEM_MEMORY, [this] {
            m_session->sendShortCommand(SHORT_CLASS_QUERY, QUERY_MEMORY >> 8);
        }) && m_session->runTransaction(shown, TRANSACTION_DEVICE_MEMORY, [this] {
            m_session->sendDataCommand(CMD_GET_PARAM, TARGET_DEVICE, memoryParamPayload());
        });
        if (!counted) {
            m_session->prompts()->warning(
                m_session->dialogParent(), tr("Проверка копирования"),
                tr("Не удалось прочитать состояние памяти для проверки копирования"),
                QMessageBox::Ok);
            return false;
        }
        const QModem &modem = m_session->modem();
        const QExecDevice &device = m_session->execDevice();
        return verify_copied_table(int(modem.memTotal()) - int(modem.memFree()),
                                   device.memTotal() - device.memFree());
    };
    const bool verified =
        copy_table(shown, TRANSACTION_COPY_TO_DEVICE, COPY_MODEM_TO_DEVICE, check);
    m_session->operationLog()->append(
        OPERATION_TABLE_COPIED_TO_DEVICE,
        m_list->stick_table_known() ? remoteIds(m_list->modemSnapshot()) : QList<int>(), verified);
}

void QTableCopy::copy_table_from_dev_to_modem()
{
    if (!m_session->connected() || !m_session->initialize_device() ||
        (!m_session->execDevice().remoteMode() && !m_session->get_device_version()))
        return;
    // Without the size the copy still runs, only without a progress bar.
    const bool sized = m_session->runOperation(
        tr("Определение размера таблицы пультов на исполнительном устройстве"), true,
        TRANSACTION_DEVICE_MEMORY,
        [this] { m_session->sendDataCommand(CMD_GET_PARAM, TARGET_DEVICE, memoryParamPayload()); });
    if (!m_session->connected())
        return;

    bool copied = false;
    {
        const auto dialog = m_session->newWaitDialog(
            sized ? QWaitDialog::ProgressMode : QWaitDialog::AnimationMode,
            tr("Копирование таблицы пультов из исполнительного устройства в USB-stick."), false);
        if (sized) {
            connect(m_session, &QModemSession::operationProgress, dialog.get(),
                    qOverload<int>(&QWaitDialog::setProgress));
            dialog->setMaxProgress(100);
        }
        copied = copy_table(dialog.get(), TRANSACTION_COPY_TO_MODEM, COPY_DEVICE_TO_MODEM);
    }
    m_list->setStickTableKnown(false);
    const int deviceCount = m_session->execDevice().memTotal() - m_session->execDevice().memFree();
    bool verified = m_transfers->load_db_from_modem() && copied;
    // The actuator's count, asked before the copy, against the table now read.
    if (verified && sized && m_transfers->verify_after_write())
        verified = verify_copied_table(int(m_list->remote_list().size()), deviceCount);
    m_session->operationLog()->append(
        OPERATION_TABLE_COPIED_TO_MODEM,
        m_list->stick_table_known() ? remoteIds(m_list->remote_list()) : QList<int>(), verified);
}

void QTableCopy::show_memory_status()
{
    if (!m_session->connected())
        return;
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    QModem &modem = m_session->modem();
    QExecDevice &device = m_session->execDevice();
    int deviceTotal = 0;
    int deviceFree = 0;
    {
        const auto dialog = m_session->newWaitDialog(QWaitDialog::AnimationMode,
                                                     tr("Чтение данных с USB-stick..."), true);
        if (!m_session->runTransaction(dialog.get(), TRANSACTION_MODEM_MEMORY, [this] {
                m_session->sendShortCommand(SHORT_CLASS_QUERY, QUERY_MEMORY >> 8);
            })) {
            prompts->warning(parent, tr("Ошибка"), tr("Ошибка чтения состояния памяти USB-sticka"),
                             QMessageBox::Ok);
            return;
        }
        if (!device.remoteMode()) {
            dialog->setText(tr("Чтение данных с устройства"));
            if (m_session->runTransaction(dialog.get(), TRANSACTION_DEVICE_MEMORY, [this] {
                    m_session->sendDataCommand(CMD_GET_PARAM, TARGET_DEVICE, memoryParamPayload());
                })) {
                deviceTotal = device.memTotal();
                deviceFree = device.memFree();
                if (!device.isVersionKnown())
                    m_session->get_device_version();
            } else {
                prompts->warning(parent, tr("Ошибка"),
                                 tr("Ошибка чтения состояния памяти устройства"), QMessageBox::Ok);
            }
        }
    }

    QMemoryStatusDialog status(parent, int(modem.memTotal()), int(modem.memFree()), deviceTotal,
                               deviceFree);
    // Not exec(): showing a splash-type window may process events, and a dialog closed
    // in there would leave exec() waiting for good.
    QEventLoop loop;
    connect(&status, &QDialog::finished, &loop, &QEventLoop::quit);
    status.setWindowModality(Qt::ApplicationModal);
    status.show();
    if (status.isVisible())
        loop.exec(QEventLoop::DialogExec);
}
