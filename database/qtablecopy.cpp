#include "qtablecopy.h"

#include "commands.h"
#include "prompts.h"
#include "qlineoperation.h"
#include "qmemorystatusdialog.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qtablefiles.h"
#include "qtabletransfers.h"
#include "remotelist.h"
#include "remotetable.h"

#include <QPointer>

#include <memory>

namespace
{
QByteArray memoryParamPayload()
{
    return QByteArray(1, char(PARAM_MEMORY & 0xFF)) + char(PARAM_MEMORY >> 8);
}

// What the memory dialog shows of the actuator; zero when it was not asked.
struct DeviceFigures {
    int total = 0;
    int free = 0;
};
} // namespace

QTableCopy::QTableCopy(QModemSession *session, RemoteList *list, QTableFiles *files,
                       QTableTransfers *transfers, QObject *parent)
    : QObject(parent), m_session(session), m_list(list), m_files(files), m_transfers(transfers)
{
}

bool QTableCopy::confirm(const QString &question)
{
    return m_session->prompts()->warning(m_session->dialogParent(), tr("Внимание"), question,
                                         QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::No) == QMessageBox::Yes;
}

void QTableCopy::tellCopyResult(bool copied)
{
    Prompts *prompts = m_session->prompts();
    if (copied)
        prompts->information(m_session->dialogParent(), tr("Информация"),
                             tr("Операция копирования завершена успешно"), QMessageBox::Ok);
    else
        prompts->warning(m_session->dialogParent(), tr("Информация"),
                         tr("Операция копирования завершена с ошибкой"), QMessageBox::Ok);
}

bool QTableCopy::verifyCopiedTable(int stickCount, int deviceCount)
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

void QTableCopy::initialiseIn(QOperation *operation, const std::function<void()> &next)
{
    // A step that fails has said why, as a lost stick has.
    m_session->proceedDeviceInit(operation, [next](bool ok) {
        if (ok)
            next();
    });
}

void QTableCopy::versionIn(QOperation *operation, const std::function<void()> &next)
{
    // The autonomous actuator answers no queries.
    if (m_session->execDevice().remoteMode()) {
        next();
        return;
    }
    m_session->proceedDeviceVersion(operation, [next](bool ok) {
        if (ok)
            next();
    });
}

void QTableCopy::readDeviceMemoryIn(QOperation *operation, const std::function<void(bool)> &then)
{
    m_transfers->proceedIn(
        operation, TRANSACTION_DEVICE_MEMORY,
        [this] { m_session->sendDataCommand(CMD_GET_PARAM, TARGET_DEVICE, memoryParamPayload()); },
        then);
}

void QTableCopy::copyIn(QOperation *operation, int transaction, quint16 direction, bool counted,
                        const std::function<void(bool copied)> &then)
{
    operation->setProgress(0, counted ? 100 : 0);
    auto *running = qobject_cast<QLineOperation *>(operation);
    if (running)
        running->setRunningShown(counted);
    m_transfers->proceedIn(
        operation, MODEM_TRANSACTION_T(transaction),
        [this, direction] { m_session->sendDataCommand(CMD_COPY_TABLE, direction); },
        [running = QPointer<QLineOperation>(running), then](bool copied) {
            if (running)
                running->setRunningShown(false);
            then(copied);
        });
}

void QTableCopy::checkCopyIn(QOperation *operation, const std::function<void(bool)> &then)
{
    // Only the actuator's count can be read back; both memories are asked now.
    operation->setText(tr("Проверка копирования..."));
    operation->setCancelEnabled(false);
    const auto counted = [this, then](bool ok) {
        if (!ok) {
            m_session->prompts()->warning(
                m_session->dialogParent(), tr("Проверка копирования"),
                tr("Не удалось прочитать состояние памяти для проверки копирования"),
                QMessageBox::Ok);
            then(false);
            return;
        }
        const QModem &modem = m_session->modem();
        const QExecDevice &device = m_session->execDevice();
        then(verifyCopiedTable(int(modem.memTotal()) - int(modem.memFree()),
                               device.memTotal() - device.memFree()));
    };
    m_transfers->proceedIn(
        operation, TRANSACTION_MODEM_MEMORY,
        [this] { m_session->sendShortCommand(SHORT_CLASS_QUERY, QUERY_MEMORY >> 8); },
        [this, operation, counted](bool ok) {
            if (ok)
                readDeviceMemoryIn(operation, counted);
            else
                counted(false);
        });
}

QOperation *QTableCopy::copy_table_from_modem_to_dev()
{
    if (!m_session->connected())
        return nullptr;
    const QString copyText =
        tr("Копирование таблицы устройств из USB-stick в исполнительное устройство...");
    const QString replaced =
        m_list->stickTableKnown()
            ? tr("Таблица пультов исполнительного устройства будет стёрта и заменена таблицей "
                 "USB-stick (пультов: %1). Продолжить?")
                  .arg(m_list->modemSnapshot().size())
            : tr("Таблица пультов исполнительного устройства будет стёрта и заменена таблицей "
                 "USB-stick. Продолжить?");
    if (!confirm(replaced))
        return nullptr;
    QOperation *operation = m_session->beginOrTell(copyText, true);
    if (!operation)
        return nullptr;
    operation->setLostText(tr("Операция копирования завершена с ошибкой"));
    const auto logged = [this, operation](bool verified) {
        m_session->operationLog()->append(
            OPERATION_TABLE_COPIED_TO_DEVICE,
            m_list->stickTableKnown() ? remoteIds(m_list->modemSnapshot()) : QList<int>(),
            verified);
        // The actuator now holds the stick's table, when that is known.
        if (verified && m_list->stickTableKnown())
            m_list->setDeviceTable(m_list->modemSnapshot());
        else
            m_list->forgetDeviceTable();
        m_session->complete(operation, verified);
    };
    const auto copy = [this, operation, copyText, logged] {
        operation->setText(copyText);
        operation->setCancelEnabled(true);
        copyIn(operation, TRANSACTION_COPY_TO_DEVICE, COPY_MODEM_TO_DEVICE, true,
               [this, operation, logged](bool copied) {
                   if (!copied || !m_transfers->verifyAfterWrite()) {
                       if (!operation->isCancelRequested())
                           tellCopyResult(copied);
                       logged(copied);
                       return;
                   }
                   // A check that fails has said so itself.
                   checkCopyIn(operation, [this, logged](bool verified) {
                       if (verified)
                           tellCopyResult(true);
                       logged(verified);
                   });
               });
    };
    initialiseIn(operation, [this, operation, copy] {
        prepareDeviceChangeIn(operation, [this, operation, copy] {
            // The actuator's table goes first; only then is its version asked.
            operation->setText(tr("Очистка памяти исполнительного устройства..."));
            operation->setCancelEnabled(false);
            m_transfers->clearIn(operation, CLEAR_DEVICE_TABLE, false,
                                 [this, operation, copy](bool cleared) {
                                     m_list->forgetDeviceTable();
                                     if (cleared)
                                         versionIn(operation, copy);
                                 });
        });
    });
    return operation;
}

void QTableCopy::prepareDeviceChangeIn(QOperation *operation, const std::function<void()> &next)
{
    const QString notDone =
        tr("Таблица не скопирована: память исполнительного устройства не очищена.");
    const auto kept = [this, operation, notDone, next] {
        if (m_list->deviceTableKnown() &&
            !m_files->keepBeforeReplacing(m_list->deviceSnapshot(), QDbManipulator::BACKUP_ACTUATOR,
                                          notDone)) {
            m_session->complete(operation, false);
            return;
        }
        next();
    };
    // The autonomous actuator answers no queries: its places cannot be counted.
    if (m_session->execDevice().remoteMode()) {
        kept();
        return;
    }
    operation->setText(tr("Чтение данных с USB-stick..."));
    m_transfers->countStickIn(operation, [this, operation, notDone, kept](bool counted) {
        if (!counted)
            return;
        operation->setText(tr("Чтение данных с устройства"));
        readDeviceMemoryIn(operation, [this, operation, notDone, kept](bool sized) {
            if (!sized)
                return;
            const QModem &modem = m_session->modem();
            const int used = int(modem.memTotal()) - int(modem.memFree());
            const int places = m_session->execDevice().memTotal();
            if (used > places) {
                m_transfers->refuseTable(
                    notDone,
                    tr("Пультов в USB-stick: %1, мест в памяти исполнительного устройства: %2.")
                        .arg(used)
                        .arg(places),
                    {});
                m_session->complete(operation, false);
                return;
            }
            kept();
        });
    });
}

QOperation *QTableCopy::copy_table_from_dev_to_modem()
{
    if (!m_session->connected())
        return nullptr;
    if (!confirm(tr("Таблица пультов USB-stick будет стёрта и заменена таблицей исполнительного "
                    "устройства. Продолжить?")))
        return nullptr;
    QOperation *operation = m_session->beginOrTell(
        tr("Определение размера таблицы пультов на исполнительном устройстве"), true);
    if (!operation)
        return nullptr;
    operation->setLostText(tr("Операция копирования завершена с ошибкой"));
    const auto logged = [this, operation](bool verified) {
        m_session->operationLog()->append(
            OPERATION_TABLE_COPIED_TO_MODEM,
            m_list->stickTableKnown() ? remoteIds(m_list->remotes()) : QList<int>(), verified);
        m_session->complete(operation, verified);
    };
    const auto readBack = [this, operation, logged](bool copied, bool sized) {
        // The actuator's count, asked before the copy, against the table now read.
        const QExecDevice &device = m_session->execDevice();
        const int deviceCount = device.memTotal() - device.memFree();
        m_transfers->loadTableIn(operation, [this, copied, sized, deviceCount,
                                             logged](QTableTransfers::READ_RESULT_T result,
                                                     const QList<QControlDevice> &received) {
            bool verified = result == QTableTransfers::READ_OK && copied;
            // What the stick took from the actuator is the actuator's table.
            if (verified)
                m_list->setDeviceTable(received);
            else
                m_list->forgetDeviceTable();
            if (verified && sized && m_transfers->verifyAfterWrite())
                verified = verifyCopiedTable(int(m_list->remotes().size()), deviceCount);
            logged(verified);
        });
    };
    initialiseIn(operation, [this, operation, readBack, logged] {
        versionIn(operation, [this, operation, readBack, logged] {
            operation->setText(
                tr("Определение размера таблицы пультов на исполнительном устройстве"));
            // Without the size the copy still runs, only without a progress bar.
            readDeviceMemoryIn(operation, [this, operation, readBack, logged](bool sized) {
                if (operation->isCancelRequested())
                    return;
                if (!m_session->connected()) {
                    tellCopyResult(false);
                    return;
                }
                const QExecDevice &device = m_session->execDevice();
                const int deviceCount = device.memTotal() - device.memFree();
                const QString notDone =
                    tr("Таблица не скопирована: таблица USB-stick не изменена.");
                // Without the actuator's count the copy still runs, as before: the stick
                // takes what it can hold.
                const auto fits = [this, sized, deviceCount, notDone] {
                    const int places = int(m_session->modem().memTotal());
                    return !sized || deviceCount <= places ||
                           !m_transfers->refuseTable(
                               notDone,
                               tr("Пультов в исполнительном устройстве: %1, мест в памяти "
                                  "USB-stick: %2.")
                                   .arg(deviceCount)
                                   .arg(places),
                               {});
                };
                m_transfers->prepareStickChangeIn(operation, fits, notDone, [=](bool ready) {
                    if (!ready) {
                        m_session->complete(operation, false);
                        return;
                    }
                    operation->setText(tr(
                        "Копирование таблицы пультов из исполнительного устройства в USB-stick."));
                    operation->setCancelEnabled(false);
                    copyIn(operation, TRANSACTION_COPY_TO_MODEM, COPY_DEVICE_TO_MODEM, sized,
                           [this, operation, readBack, logged, sized](bool copied) {
                               tellCopyResult(copied);
                               m_list->setStickTableKnown(false);
                               // Lost with the copy: nothing more to read, and nothing more
                               // to say.
                               if (!m_session->connected()) {
                                   logged(false);
                                   return;
                               }
                               // The PC shows the stick's new table, whatever the copy gave.
                               operation->setCancelEnabled(true);
                               readBack(copied, sized);
                           });
                });
            });
        });
    });
    return operation;
}

QOperation *QTableCopy::show_memory_status()
{
    if (!m_session->connected())
        return nullptr;
    QOperation *operation = m_session->beginOrTell(tr("Чтение данных с USB-stick..."), true);
    if (!operation)
        return nullptr;
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    auto device = std::make_shared<DeviceFigures>();
    // Shown once the line is free again, with what was read.
    connect(operation, &QOperation::finished, this, [this, operation, device, parent] {
        if (!operation->succeeded())
            return;
        const QModem &modem = m_session->modem();
        emit memoryStatusRead(int(modem.memTotal()), int(modem.memFree()), device->total,
                              device->free);
        if (!parent)
            return; // no window to show them in
        auto *status = new QMemoryStatusDialog(parent, int(modem.memTotal()), int(modem.memFree()),
                                               device->total, device->free);
        status->setAttribute(Qt::WA_DeleteOnClose);
        status->open();
    });
    const auto deviceRead = [this, operation, device, prompts, parent](bool ok) {
        QExecDevice &exec = m_session->execDevice();
        if (operation->isCancelRequested())
            return;
        if (!ok) {
            // The stick's figures are still worth showing, unless the stick went too.
            prompts->warning(parent, tr("Ошибка"), tr("Ошибка чтения состояния памяти устройства"),
                             QMessageBox::Ok);
            m_session->complete(operation, m_session->connected());
            return;
        }
        device->total = exec.memTotal();
        device->free = exec.memFree();
        if (exec.isVersionKnown()) {
            m_session->complete(operation, true);
            return;
        }
        // Its result is not needed here, only kept.
        const auto asked = [this, operation](bool) {
            m_session->complete(operation, m_session->connected());
        };
        if (!m_session->proceedDeviceVersion(operation, asked))
            asked(false);
    };
    m_transfers->proceedIn(
        operation, TRANSACTION_MODEM_MEMORY,
        [this] { m_session->sendShortCommand(SHORT_CLASS_QUERY, QUERY_MEMORY >> 8); },
        [this, operation, deviceRead, prompts, parent](bool ok) {
            if (operation->isCancelRequested())
                return;
            if (!ok) {
                prompts->warning(parent, tr("Ошибка"),
                                 tr("Ошибка чтения состояния памяти USB-sticka"), QMessageBox::Ok);
                m_session->complete(operation, false);
                return;
            }
            if (m_session->execDevice().remoteMode()) {
                m_session->complete(operation, true);
                return;
            }
            operation->setText(tr("Чтение данных с устройства"));
            readDeviceMemoryIn(operation, deviceRead);
        });
    return operation;
}
