// Moving the remote table between the PC, the stick and the actuator, clearing it,
// and how full the two memories are.
#include "qremotetablecontroller.h"

#include "commands.h"
#include "prompts.h"
#include "qinterface_manager.h"
#include "qmemorystatusdialog.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
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

void countRecord(QWaitDialog *dialog)
{
    // Only the end record may end the read: a table longer than the used places
    // the stick reported would otherwise be cut short and taken as complete.
    if (dialog->progress() + 1 >= dialog->maxProgress())
        dialog->setMaxProgress(dialog->progress() + 2);
    dialog->incProgress();
}
} // namespace

void QRemoteTableController::register_steps()
{
    QModemSession::TransactionStep read;
    read.judge = [this](const QRS232Message &, const QRS232Message &answer) {
        const bool longRecords = m_session->modem().longRecords();
        const QByteArray payload = answer.payload();
        const int size =
            longRecords ? QControlDevice::LongRecordSize : QControlDevice::ShortRecordSize;
        if (!answer.is_data_frame() || answer.command() != ANS_REMOTE || payload.size() != size)
            return int(QModemSession::RESULT_BAD_ANSWER);
        bool valid = false;
        const QControlDevice remote = QControlDevice::fromRecord(payload, longRecords, &valid);
        if (!valid) {
            // The erased record after the last one ends the table.
            m_readEnded = true;
            return int(QModemSession::RESULT_OK);
        }
        const bool known =
            std::any_of(m_received.cbegin(), m_received.cend(),
                        [&](const QControlDevice &r) { return r.id() == remote.id(); });
        if (!known)
            m_received.append(remote);
        m_session->reportStep();
        return int(QModemSession::RESULT_OK);
    };
    read.next = [this] {
        if (m_readEnded)
            return true;
        m_session->sendDataCommand(CMD_READ_NEXT_REMOTE, TARGET_MODEM);
        return false;
    };
    m_session->registerStep(TRANSACTION_READ_TABLE, read);

    QModemSession::TransactionStep write;
    write.next = [this] {
        if (m_writeIndex >= m_writeList.size())
            return true;
        m_session->reportStep();
        const QControlDevice &remote = m_writeList.at(m_writeIndex++);
        m_session->sendDataCommand(CMD_WRITE_REMOTE, TARGET_MODEM,
                                   remote.toRecord(m_session->modem().longRecords()));
        return false;
    };
    m_session->registerStep(TRANSACTION_WRITE_TABLE, write);
}

bool QRemoteTableController::clear_table_memory(QWaitDialog *dialog, quint16 mask, bool longTimeout)
{
    QInterface_Manager *link = m_session->interfaceManager();
    const int timeout = link->ack_timeout();
    const bool cleared = m_session->runTransaction(dialog, TRANSACTION_CLEAR_TABLE, [&] {
        if (longTimeout)
            link->set_ack_timeout(timeout * CLEAR_TIMEOUT_FACTOR);
        m_session->sendDataCommand(CMD_CLEAR_TABLE, mask);
        if (longTimeout)
            dialog->setText(tr("Очистка памяти в USB-stick..."));
    });
    // Back to the time-out in force before, which need not be the default.
    link->set_ack_timeout(timeout);
    return cleared;
}

bool QRemoteTableController::read_modem_table(QWaitDialog *dialog, QList<QControlDevice> *received)
{
    m_received.clear();
    m_readEnded = false;
    const bool accepted = m_session->runTransaction(dialog, TRANSACTION_READ_TABLE, [this] {
        m_session->sendDataCommand(CMD_READ_FIRST_REMOTE, TARGET_MODEM);
    });
    // A read cut short is never the stick's table, whatever closed the dialog.
    const bool complete = accepted && m_readEnded;
    *received = m_received;
    m_received.clear();
    return complete;
}

bool QRemoteTableController::copy_table(QWaitDialog *dialog, int transaction, quint16 direction,
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

QRemoteTableController::READ_RESULT_T
QRemoteTableController::read_stick_table(QList<QControlDevice> *received)
{
    const bool counted = m_session->runOperation(
        tr("Чтение данных с USB-stick..."), true, TRANSACTION_MODEM_MEMORY,
        [this] { m_session->sendShortCommand(SHORT_CLASS_QUERY, QUERY_MEMORY >> 8); });
    if (!counted)
        return READ_NOT_COUNTED;

    const auto dialog = m_session->newWaitDialog(QWaitDialog::ProgressMode,
                                                 tr("Чтение пультов с USB-stick..."), true);
    const int used = int(m_session->modem().memTotal()) - int(m_session->modem().memFree());
    dialog->setMaxProgress(qMax(0, used) + 1);
    dialog->setProgress(0);
    QWaitDialog *shown = dialog.get();
    connect(m_session, &QModemSession::operationStep, shown, [shown] { countRecord(shown); });
    return read_modem_table(shown, received) ? READ_OK : READ_FAILED;
}

bool QRemoteTableController::load_db_from_modem()
{
    if (!m_session->connected())
        return false;
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    const QString readError = tr("Ошибка чтения списка пультов с USB-stick");

    QList<QControlDevice> received;
    const READ_RESULT_T read = read_stick_table(&received);
    if (read == READ_NOT_COUNTED) {
        prompts->warning(parent, tr("Ошибка"), readError, QMessageBox::Ok);
        return false;
    }
    if (read == READ_OK)
        show_stick_table(received);
    else
        prompts->warning(parent, tr("Ошибка"), readError, QMessageBox::Ok);
    save_reserved();
    return read == READ_OK;
}

bool QRemoteTableController::write_modem_table(const QList<QControlDevice> &list)
{
    m_writeIndex = 1;
    {
        const auto dialog = m_session->newWaitDialog(QWaitDialog::AnimationMode,
                                                     tr("Очистка памяти USB-stick..."), false);
        if (!clear_table_memory(dialog.get(), CLEAR_MODEM_TABLE, true))
            return false;
    }
    // Cleared: until the write is through the stick holds only part of the list.
    m_stickTableKnown = false;
    if (list.isEmpty())
        return true;

    const auto dialog = m_session->newWaitDialog(QWaitDialog::ProgressMode,
                                                 tr("Запись пультов на USB-stick..."), false);
    connect(m_session, &QModemSession::operationStep, dialog.get(),
            qOverload<>(&QWaitDialog::incProgress));
    dialog->setMaxProgress(int(list.size()));
    dialog->setProgress(0);
    m_writeList = list;
    const bool accepted = m_session->runTransaction(dialog.get(), TRANSACTION_WRITE_TABLE, [this] {
        m_session->sendDataCommand(CMD_WRITE_REMOTE, TARGET_MODEM,
                                   m_writeList.first().toRecord(m_session->modem().longRecords()));
    });
    m_writeList.clear();
    return accepted;
}

bool QRemoteTableController::save_db_to_modem()
{
    if (!m_session->connected())
        return false;
    const QList<QControlDevice> written = remoteList;
    const QList<QControlDevice> previous = m_modemSnapshot;
    const bool restorable = m_stickTableKnown;
    if (!write_modem_table(written)) {
        m_session->operationLog()->append(
            OPERATION_TABLE_WRITTEN, ids(written), false,
            tr("записано %1 из %2").arg(qMax(0, m_writeIndex - 1)).arg(written.size()));
        // The stick may hold part of the new table now, or nothing: its other remotes
        // would be locked out. While it still answers, and would take a change at all, it
        // gets back the table it had.
        if (restorable && m_session->connected() &&
            m_session->modem().protectionMode() != PROTECTION_LOCKED &&
            write_modem_table(previous)) {
            m_stickTableKnown = true;
            const QString restored = tr("На USB-stick возвращена прежняя таблица");
            m_session->operationLog()->append(OPERATION_TABLE_WRITTEN, ids(previous), true,
                                              restored);
            emit statusMessage(restored);
        }
        return false;
    }
    if (written.isEmpty()) {
        m_session->operationLog()->append(OPERATION_TABLE_WRITTEN, {}, true);
        set_data_source(SOURCE_MODEM);
        return true;
    }
    int differences = 0;
    const bool verified = verify_written_table(written, &differences);
    m_session->operationLog()->append(
        OPERATION_TABLE_WRITTEN, ids(written), verified,
        verified ? QString() : tr("при проверке найдено отличий: %1").arg(differences));
    return verified;
}

bool QRemoteTableController::clear_modem_memory()
{
    if (!m_session->connected())
        return false;
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    if (prompts->warning(
            parent, tr("Внимание"),
            tr("Вы действительно хотите очистить память USB-stick и исполнительного устройства"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return false;
    save_reserved();

    const auto dialog = m_session->newWaitDialog(QWaitDialog::AnimationMode,
                                                 tr("Очистка памяти USB-stick..."), false);
    const bool remoteMode = m_session->execDevice().remoteMode();
    const quint16 mask =
        remoteMode ? CLEAR_MODEM_TABLE : quint16(CLEAR_MODEM_TABLE | CLEAR_DEVICE_TABLE);
    const bool cleared = clear_table_memory(dialog.get(), mask, true);
    m_stickTableKnown = false;
    m_session->operationLog()->append(OPERATION_TABLE_CLEARED, {}, cleared,
                                      remoteMode ? tr("USB-stick")
                                                 : tr("USB-stick и исполнительное устройство"));
    // Without a read-back it is not known whether the stick was cleared: the list
    // stays (its backup was just written), only no longer as the stick's.
    const auto giveUp = [this] {
        if (dataSource == SOURCE_MODEM)
            set_data_source(SOURCE_UNKNOWN);
        return false;
    };
    if (!m_session->connected())
        return giveUp();
    if (!remoteMode && !m_session->execDevice().isVersionKnown() &&
        !m_session->get_device_version())
        return giveUp();

    QList<QControlDevice> received;
    const bool read = read_modem_table(dialog.get(), &received);
    if (read) {
        remoteList = received;
        fill_table(remoteList);
        if (!remoteList.isEmpty())
            prompts->warning(parent, tr("Ошибка"), tr("Ошибка очистки памяти USB-stick."),
                             QMessageBox::Ok);
        set_data_source(SOURCE_MODEM);
    } else {
        prompts->warning(parent, tr("Ошибка"), tr("Ошибка чтения списка пультов с USB-stick"),
                         QMessageBox::Ok);
        giveUp();
    }
    // Only a clear the stick confirmed and an empty read-back are a success.
    return cleared && read && remoteList.isEmpty();
}

void QRemoteTableController::copy_table_from_modem_to_dev()
{
    if (!m_session->connected() || !m_session->initialize_device())
        return;
    {
        const auto dialog = m_session->newWaitDialog(
            QWaitDialog::AnimationMode, tr("Очистка памяти исполнительного устройства..."), false);
        if (!clear_table_memory(dialog.get(), CLEAR_DEVICE_TABLE, false))
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
        if (!m_verifyAfterWrite)
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
    m_session->operationLog()->append(OPERATION_TABLE_COPIED_TO_DEVICE,
                                      m_stickTableKnown ? ids(m_modemSnapshot) : QList<int>(),
                                      verified);
}

void QRemoteTableController::copy_table_from_dev_to_modem()
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
    m_stickTableKnown = false;
    const int deviceCount = m_session->execDevice().memTotal() - m_session->execDevice().memFree();
    bool verified = load_db_from_modem() && copied;
    // The actuator's count, asked before the copy, against the table now read.
    if (verified && sized && m_verifyAfterWrite)
        verified = verify_copied_table(int(remoteList.size()), deviceCount);
    m_session->operationLog()->append(OPERATION_TABLE_COPIED_TO_MODEM,
                                      m_stickTableKnown ? ids(remoteList) : QList<int>(), verified);
}

void QRemoteTableController::show_memory_status()
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
