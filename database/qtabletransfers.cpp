#include "qtabletransfers.h"

#include "commands.h"
#include "prompts.h"
#include "qmodemsession.h"
#include "qoperation.h"
#include "qoperationlog.h"
#include "qtablefiles.h"
#include "remotelist.h"
#include "remotetable.h"
#include "tablecheck.h"
#include "tablediff.h"
#include "tablesteps.h"

#include <QSettings>

#include <memory>

namespace
{
const char *const VerifyKey = "/Settings/verify_after_write";
// Clearing a table takes the stick five times an ordinary answer's time-out (15 s at
// the usual 3 s); tied to it so that a lowered time-out lowers this one too.
constexpr int CLEAR_TIMEOUT_FACTOR = 5;
// Lines of differences a message lists before it only counts the rest.
constexpr int LISTED_DIFFERENCES = 15;
} // namespace

QTableTransfers::QTableTransfers(QModemSession *session, RemoteList *list, QTableFiles *files,
                                 QObject *parent)
    : QObject(parent), m_session(session), m_list(list), m_files(files)
{
}

bool QTableTransfers::readVerifySetting(const QSettings &settings)
{
    return settings.value(VerifyKey, true).toBool();
}

void QTableTransfers::writeVerifySetting(QSettings &settings, bool on)
{
    settings.setValue(VerifyKey, on);
}

void QTableTransfers::proceedIn(QOperation *operation, MODEM_TRANSACTION_T transaction,
                                const std::function<void()> &sendFirst, const Then &then)
{
    if (!m_session->proceed(operation, transaction, sendFirst, then))
        then(false);
}

void QTableTransfers::warnReadFailed(const QOperation *operation)
{
    // A cancel is no failure; a lost stick has been told of with what stays undone.
    if (operation->isCancelRequested() || !m_session->connected())
        return;
    m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"),
                                  tr("Ошибка чтения списка пультов с USB-stick"), QMessageBox::Ok);
}

void QTableTransfers::clearIn(QOperation *operation, quint16 mask, bool longTimeout,
                              const Then &then)
{
    proceedIn(
        operation, TRANSACTION_CLEAR_TABLE,
        [this, operation, mask, longTimeout] {
            m_session->sendDataCommand(CMD_CLEAR_TABLE, mask, {},
                                       longTimeout ? CLEAR_TIMEOUT_FACTOR : 1);
            if (longTimeout)
                operation->setText(tr("Очистка памяти в USB-stick..."));
        },
        then);
}

void QTableTransfers::readRecordsIn(QOperation *operation, const ReadThen &then, bool showArriving)
{
    TableReadStep::Arriving arriving;
    if (showArriving)
        arriving = [this](const QControlDevice &remote, bool first) {
            emit remoteArriving(remote, first);
        };
    auto step = std::make_shared<TableReadStep>(m_session, operation, arriving);
    if (!m_session->proceed(
            operation, TRANSACTION_READ_TABLE, [step] { step->sendFirst(); },
            [step, then](bool accepted) {
                // A read cut short is never the stick's table.
                const bool complete = accepted && step->ended();
                then(complete ? READ_OK : READ_FAILED, step->takeReceived());
            },
            step.get()))
        then(READ_FAILED, {});
}

void QTableTransfers::countStickIn(QOperation *operation, const Then &then)
{
    proceedIn(
        operation, TRANSACTION_MODEM_MEMORY,
        [this] { m_session->sendShortCommand(SHORT_CLASS_QUERY, QUERY_MEMORY >> 8); }, then);
}

bool QTableTransfers::refuseTable(const QString &notDone, const QString &counts,
                                  const QList<QControlDevice> &list)
{
    const RECORD_FORMAT_T format = recordFormat(m_session->modem().longRecords());
    const QList<int> unfit = unfitRemotes(list, format);
    if (counts.isEmpty() && unfit.isEmpty())
        return false;
    m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"),
                                  tableRefusal(notDone, counts, list, unfit, format),
                                  QMessageBox::Ok);
    return true;
}

QString QTableTransfers::writeNotDone()
{
    return tr("Таблица не записана в USB-stick: его память не очищена.");
}

bool QTableTransfers::refuseWrite(const QList<QControlDevice> &list, int places)
{
    const int count = int(list.size());
    return refuseTable(
        writeNotDone(),
        places < 0 || count <= places
            ? QString()
            : tr("Пультов в таблице: %1, мест в памяти USB-stick: %2.").arg(count).arg(places),
        list);
}

void QTableTransfers::prepareStickChangeIn(QOperation *operation, const std::function<bool()> &fits,
                                           const QString &notDone, const Then &then)
{
    ensureStickTableIn(operation, [this, operation, fits, notDone, then](bool known) {
        if (!known) {
            then(false);
            return;
        }
        operation->setText(tr("Чтение данных с USB-stick..."));
        countStickIn(operation, [this, fits, notDone, then](bool counted) {
            // The places as the stick counts them now, then the table it holds kept.
            if (!counted || !fits()) {
                then(false);
                return;
            }
            then(m_files->keepBeforeReplacing(m_list->modemSnapshot(), QDbManipulator::BACKUP_STICK,
                                              notDone));
        });
    });
}

void QTableTransfers::readTableIn(QOperation *operation, const ReadThen &then, bool showArriving)
{
    operation->setText(tr("Чтение данных с USB-stick..."));
    operation->setProgress(0, 0);
    countStickIn(operation, [this, operation, then, showArriving](bool counted) {
        if (!counted) {
            then(READ_NOT_COUNTED, {});
            return;
        }
        const QModem &modem = m_session->modem();
        const int used = int(modem.memTotal()) - int(modem.memFree());
        operation->setText(tr("Чтение пультов с USB-stick..."));
        operation->setProgress(0, qMax(0, used) + 1);
        readRecordsIn(operation, then, showArriving);
    });
}

void QTableTransfers::ensureStickTableIn(QOperation *operation, const Then &then)
{
    if (m_list->stickTableKnown()) {
        then(true);
        return;
    }
    readTableIn(operation, [this, operation, then](READ_RESULT_T result,
                                                   const QList<QControlDevice> &received) {
        if (result != READ_OK) {
            warnReadFailed(operation);
            then(false);
            return;
        }
        if (m_list->source() == SOURCE_MODEM) {
            // The list claims to be the stick's: it follows.
            m_list->showStickTable(received);
        } else {
            m_list->setStickSnapshot(received);
            m_list->showSource(m_list->labelKind());
        }
        then(true);
    });
}

void QTableTransfers::writeTableIn(QOperation *operation, const QList<QControlDevice> &list,
                                   bool cancellable, const WriteThen &then)
{
    operation->setText(tr("Очистка памяти USB-stick..."));
    operation->setProgress(0, 0);
    operation->setCancelEnabled(false);
    clearIn(operation, CLEAR_MODEM_TABLE, true,
            [this, operation, list, cancellable, then](bool cleared) {
                if (!cleared) {
                    then(false, 0);
                    return;
                }
                // Cleared: until the write is through the stick holds only part of the list.
                m_list->setStickTableKnown(false);
                if (list.isEmpty()) {
                    then(true, 0);
                    return;
                }
                operation->setText(tr("Запись пультов на USB-stick..."));
                operation->setProgress(0, int(list.size()));
                operation->setCancelEnabled(cancellable);
                auto step = std::make_shared<TableWriteStep>(m_session, operation, list);
                if (!m_session->proceed(
                        operation, TRANSACTION_WRITE_TABLE, [step] { step->sendFirst(); },
                        [operation, step, then](bool accepted) {
                            operation->setCancelEnabled(false);
                            then(accepted, accepted ? step->count() : step->confirmed());
                        },
                        step.get()))
                    then(false, 0);
            });
}

void QTableTransfers::loadTableIn(QOperation *operation, const ReadThen &then)
{
    // A long table is shown while it comes; only the end record makes it the list.
    const auto loaded = [this, operation, then](READ_RESULT_T result,
                                                const QList<QControlDevice> &received) {
        if (result == READ_OK) {
            m_list->showStickTable(received);
        } else {
            if (!received.isEmpty())
                emit arrivingDropped();
            warnReadFailed(operation);
        }
        // Backed up after every read the stick counted for, whatever the read gave.
        if (result != READ_NOT_COUNTED)
            m_files->save_reserved();
        then(result, received);
    };
    readTableIn(operation, loaded, true);
}

QOperation *QTableTransfers::load_db_from_modem()
{
    if (!m_session->connected())
        return nullptr;
    QOperation *operation = m_session->beginOrTell(tr("Чтение данных с USB-stick..."), true);
    if (!operation)
        return nullptr;
    operation->setLostText(tr("Ошибка чтения списка пультов с USB-stick"));
    loadTableIn(operation, [this, operation](READ_RESULT_T result, const QList<QControlDevice> &) {
        m_session->complete(operation, result == READ_OK);
    });
    return operation;
}

QOperation *QTableTransfers::save_db_to_modem()
{
    if (!m_session->connected())
        return nullptr;
    const QList<QControlDevice> written = m_list->remotes();
    // Refused before the question when the records or the places known already tell.
    if (refuseWrite(written, m_list->stickTableKnown() ? int(m_session->modem().memTotal()) : -1))
        return nullptr;
    // The stick is cleared before the write: the user sees what it will hold afterwards.
    const QString question =
        written.isEmpty()
            ? tr("Таблица пуста: все пульты будут удалены из USB-stick. Продолжить?")
            : tr("Таблица USB-stick будет стёрта и записана заново. После записи в USB-stick "
                 "будет пультов: %1. Продолжить?")
                  .arg(written.size());
    if (m_session->prompts()->warning(m_session->dialogParent(), tr("Внимание"), question,
                                      QMessageBox::Yes | QMessageBox::No,
                                      QMessageBox::No) != QMessageBox::Yes)
        return nullptr;
    QOperation *operation = m_session->beginOrTell(tr("Очистка памяти USB-stick..."), false);
    if (!operation)
        return nullptr;
    const auto fits = [this, written] {
        return !refuseWrite(written, int(m_session->modem().memTotal()));
    };
    prepareStickChangeIn(operation, fits, writeNotDone(), [this, operation, written](bool ready) {
        if (!ready) {
            m_session->complete(operation, false);
            return;
        }
        operation->setLostText(
            tr("Таблица пультов не записана в USB-stick: в нём может остаться только её часть."));
        // The stick's table is known now and kept: a cut write gives it back.
        const QList<QControlDevice> previous = m_list->modemSnapshot();
        writeTableIn(operation, written, true,
                     [this, operation, written, previous](bool ok, int count) {
                         if (!ok) {
                             giveBackIn(operation, written, count, previous, true);
                             return;
                         }
                         if (!written.isEmpty()) {
                             verifyWrittenIn(operation, written);
                             return;
                         }
                         m_session->operationLog()->append(OPERATION_TABLE_WRITTEN, {}, true);
                         m_list->set_data_source(SOURCE_MODEM);
                         emit statusMessage(tr("Таблица USB-stick очищена: в нём нет пультов"));
                         m_session->complete(operation, true);
                     });
    });
    return operation;
}

void QTableTransfers::giveBackIn(QOperation *operation, const QList<QControlDevice> &written,
                                 int count, const QList<QControlDevice> &previous, bool restorable)
{
    QOperationLog *log = m_session->operationLog();
    log->append(OPERATION_TABLE_WRITTEN, remoteIds(written), false,
                tr("записано %1 из %2").arg(count).arg(written.size()));
    const auto end = [this, operation] { m_session->complete(operation, false); };
    // The stick may hold part of the new table now, or nothing: its other remotes would be
    // locked out. While it still answers, and would take a change at all, it gets back the
    // table it had, before anything else may use the line.
    if (!restorable || !m_session->connected() ||
        m_session->modem().protectionMode() == PROTECTION_LOCKED) {
        end();
        return;
    }
    writeTableIn(operation, previous, false, [this, log, previous, end](bool back, int) {
        if (back) {
            m_list->setStickTableKnown(true);
            const QString restored = tr("На USB-stick возвращена прежняя таблица");
            log->append(OPERATION_TABLE_WRITTEN, remoteIds(previous), true, restored);
            emit statusMessage(restored);
        } else {
            emit statusMessage(tr("Прежняя таблица не возвращена на USB-stick: в нём может "
                                  "остаться только часть таблицы. Прежняя таблица сохранена "
                                  "в резервной копии"));
        }
        end();
    });
}

void QTableTransfers::verifyWrittenIn(QOperation *operation, const QList<QControlDevice> &written)
{
    QOperationLog *log = m_session->operationLog();
    if (!m_verifyAfterWrite) {
        m_list->set_data_source(SOURCE_MODEM);
        emit statusMessage(
            tr("Таблица записана в USB-stick, пультов: %1 (без проверки)").arg(written.size()));
        log->append(OPERATION_TABLE_WRITTEN, remoteIds(written), true);
        m_session->complete(operation, true);
        return;
    }
    // The table is in: the check is not the user's to cut short.
    operation->setCancelEnabled(false);
    readTableIn(operation, [this, operation, written, log](READ_RESULT_T result,
                                                           const QList<QControlDevice> &readBack) {
        Prompts *prompts = m_session->prompts();
        QWidget *parent = m_session->dialogParent();
        if (result != READ_OK) {
            // Every record was confirmed; only the check could not be made.
            m_list->set_data_source(SOURCE_MODEM);
            prompts->warning(parent, tr("Проверка записи"),
                             tr("Не удалось прочитать таблицу USB-stick для проверки записи"),
                             QMessageBox::Ok);
            log->append(OPERATION_TABLE_WRITTEN, remoteIds(written), true);
            m_session->complete(operation, true);
            return;
        }
        const QList<RemoteDifference> found =
            compareTables(readBack, written, m_session->modem().longRecords());
        if (found.isEmpty()) {
            m_list->set_data_source(SOURCE_MODEM);
            emit statusMessage(tr("Запись проверена: таблица USB-stick совпадает с записанной"));
            log->append(OPERATION_TABLE_WRITTEN, remoteIds(written), true);
            m_session->complete(operation, true);
            return;
        }
        // The list stays as the user made it; what the stick holds is what was read.
        m_list->setStickSnapshot(readBack);
        const DATA_SOURCE_T kind = m_list->labelKind();
        m_list->showSource(kind == SOURCE_MODEM ? SOURCE_UNKNOWN : kind);
        prompts->warning(parent, tr("Проверка записи"),
                         tr("Таблица USB-stick после записи отличается от записанной:") + "\n" +
                             differenceLines(found, LISTED_DIFFERENCES).join("\n"),
                         QMessageBox::Ok);
        log->append(OPERATION_TABLE_WRITTEN, remoteIds(written), false,
                    tr("при проверке найдено отличий: %1").arg(found.size()));
        m_session->complete(operation, false);
    });
}

QOperation *QTableTransfers::clear_modem_memory()
{
    if (!m_session->connected())
        return nullptr;
    if (m_session->prompts()->warning(
            m_session->dialogParent(), tr("Внимание"),
            tr("Вы действительно хотите очистить память USB-stick и исполнительного устройства"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return nullptr;
    QOperation *operation = m_session->beginOrTell(tr("Очистка памяти USB-stick..."), false);
    if (!operation)
        return nullptr;
    const bool remoteMode = m_session->execDevice().remoteMode();
    const QString notDone = tr("Память USB-stick не очищена.");
    // The stick's table as known, and the actuator's where it is known, are kept first.
    ensureStickTableIn(operation, [this, operation, remoteMode, notDone](bool known) {
        if (!known ||
            !m_files->keepBeforeReplacing(m_list->modemSnapshot(), QDbManipulator::BACKUP_STICK,
                                          notDone) ||
            (!remoteMode && m_list->deviceTableKnown() &&
             !m_files->keepBeforeReplacing(m_list->deviceSnapshot(),
                                           QDbManipulator::BACKUP_ACTUATOR, notDone))) {
            m_session->complete(operation, false);
            return;
        }
        clearBothIn(operation, remoteMode);
    });
    return operation;
}

void QTableTransfers::clearBothIn(QOperation *operation, bool remoteMode)
{
    operation->setText(tr("Очистка памяти USB-stick..."));
    const quint16 mask =
        remoteMode ? CLEAR_MODEM_TABLE : quint16(CLEAR_MODEM_TABLE | CLEAR_DEVICE_TABLE);
    clearIn(operation, mask, true, [this, operation, remoteMode](bool cleared) {
        m_list->setStickTableKnown(false);
        if (cleared && !remoteMode)
            m_list->setDeviceTable({});
        else
            m_list->forgetDeviceTable();
        m_session->operationLog()->append(OPERATION_TABLE_CLEARED, {}, cleared,
                                          remoteMode ? tr("USB-stick")
                                                     : tr("USB-stick и исполнительное устройство"));
        if (!m_session->connected()) {
            forgetClearedList();
            m_session->complete(operation, false);
            return;
        }
        if (remoteMode || m_session->execDevice().isVersionKnown()) {
            readBackClearedIn(operation, cleared);
            return;
        }
        if (!m_session->proceedDeviceVersion(operation, [this, operation, cleared](bool known) {
                if (known) {
                    readBackClearedIn(operation, cleared);
                    return;
                }
                forgetClearedList();
                m_session->complete(operation, false);
            }))
            forgetClearedList();
    });
}

void QTableTransfers::forgetClearedList()
{
    // Without a read-back it is not known whether the stick was cleared: the list stays
    // (its backup was just written), only no longer as the stick's.
    if (m_list->source() == SOURCE_MODEM)
        m_list->set_data_source(SOURCE_UNKNOWN);
}

void QTableTransfers::readBackClearedIn(QOperation *operation, bool cleared)
{
    operation->setText(tr("Очистка памяти USB-stick..."));
    readRecordsIn(operation, [this, operation, cleared](READ_RESULT_T result,
                                                        const QList<QControlDevice> &received) {
        if (result == READ_OK) {
            m_list->setRemotes(received);
            if (!received.isEmpty())
                m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"),
                                              tr("Ошибка очистки памяти USB-stick."),
                                              QMessageBox::Ok);
            m_list->set_data_source(SOURCE_MODEM);
            if (cleared && received.isEmpty())
                emit statusMessage(m_session->execDevice().remoteMode()
                                       ? tr("Память USB-stick очищена")
                                       : tr("Память USB-stick и исполнительного устройства "
                                            "очищена"));
        } else {
            warnReadFailed(operation);
            forgetClearedList();
        }
        // Only a clear the stick confirmed and an empty read-back are a success.
        m_session->complete(operation, cleared && result == READ_OK && received.isEmpty());
    });
}
