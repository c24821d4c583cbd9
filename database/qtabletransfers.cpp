#include "qtabletransfers.h"

#include "commands.h"
#include "prompts.h"
#include "qinterface_manager.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qtablefiles.h"
#include "qwaitdialog.h"
#include "remotelist.h"
#include "remotetable.h"
#include "tablediff.h"

#include <QSettings>

namespace
{
const char *const VerifyKey = "/Settings/verify_after_write";
// Clearing a table takes the stick five times an ordinary answer's time-out (15 s at
// the usual 3 s); tied to it so that a lowered time-out lowers this one too.
constexpr int CLEAR_TIMEOUT_FACTOR = 5;
// Lines of differences a message lists before it only counts the rest.
constexpr int LISTED_DIFFERENCES = 15;

void countRecord(QWaitDialog *dialog)
{
    // Only the end record may end the read: a table longer than the used places
    // the stick reported would otherwise be cut short and taken as complete.
    if (dialog->progress() + 1 >= dialog->maxProgress())
        dialog->setMaxProgress(dialog->progress() + 2);
    dialog->incProgress();
}
} // namespace

QTableTransfers::QTableTransfers(QModemSession *session, RemoteList *list, QTableFiles *files,
                                 QObject *parent)
    : QObject(parent), m_session(session), m_list(list), m_files(files)
{
    register_steps();
}

bool QTableTransfers::readVerifySetting(const QSettings &settings)
{
    return settings.value(VerifyKey, true).toBool();
}

void QTableTransfers::writeVerifySetting(QSettings &settings, bool on)
{
    settings.setValue(VerifyKey, on);
}

void QTableTransfers::register_steps()
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

bool QTableTransfers::clear_table_memory(QWaitDialog *dialog, quint16 mask, bool longTimeout)
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

bool QTableTransfers::read_modem_table(QWaitDialog *dialog, QList<QControlDevice> *received)
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

QTableTransfers::READ_RESULT_T QTableTransfers::read_stick_table(QList<QControlDevice> *received)
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

void QTableTransfers::warn_read_failed()
{
    m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"),
                                  tr("Ошибка чтения списка пультов с USB-stick"), QMessageBox::Ok);
}

bool QTableTransfers::ensure_stick_table()
{
    if (m_list->stick_table_known())
        return true;
    QList<QControlDevice> received;
    if (read_stick_table(&received) != READ_OK) {
        warn_read_failed();
        return false;
    }
    if (m_list->data_source() == SOURCE_MODEM) {
        // The list claims to be the stick's: it follows.
        m_list->show_stick_table(received);
    } else {
        m_list->setStickSnapshot(received);
        m_list->showSource(m_list->labelKind());
    }
    return true;
}

bool QTableTransfers::load_db_from_modem()
{
    if (!m_session->connected())
        return false;
    QList<QControlDevice> received;
    const READ_RESULT_T read = read_stick_table(&received);
    if (read == READ_NOT_COUNTED) {
        warn_read_failed();
        return false;
    }
    if (read == READ_OK)
        m_list->show_stick_table(received);
    else
        warn_read_failed();
    m_files->save_reserved();
    return read == READ_OK;
}

bool QTableTransfers::write_modem_table(const QList<QControlDevice> &list)
{
    m_writeIndex = 1;
    {
        const auto dialog = m_session->newWaitDialog(QWaitDialog::AnimationMode,
                                                     tr("Очистка памяти USB-stick..."), false);
        if (!clear_table_memory(dialog.get(), CLEAR_MODEM_TABLE, true))
            return false;
    }
    // Cleared: until the write is through the stick holds only part of the list.
    m_list->setStickTableKnown(false);
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

bool QTableTransfers::save_db_to_modem()
{
    if (!m_session->connected())
        return false;
    const QList<QControlDevice> written = m_list->remote_list();
    const QList<QControlDevice> previous = m_list->modemSnapshot();
    const bool restorable = m_list->stick_table_known();
    QOperationLog *log = m_session->operationLog();
    if (!write_modem_table(written)) {
        log->append(OPERATION_TABLE_WRITTEN, remoteIds(written), false,
                    tr("записано %1 из %2").arg(qMax(0, m_writeIndex - 1)).arg(written.size()));
        // The stick may hold part of the new table now, or nothing: its other remotes
        // would be locked out. While it still answers, and would take a change at all, it
        // gets back the table it had.
        if (restorable && m_session->connected() &&
            m_session->modem().protectionMode() != PROTECTION_LOCKED &&
            write_modem_table(previous)) {
            m_list->setStickTableKnown(true);
            const QString restored = tr("На USB-stick возвращена прежняя таблица");
            log->append(OPERATION_TABLE_WRITTEN, remoteIds(previous), true, restored);
            emit statusMessage(restored);
        }
        return false;
    }
    if (written.isEmpty()) {
        log->append(OPERATION_TABLE_WRITTEN, {}, true);
        m_list->set_data_source(SOURCE_MODEM);
        return true;
    }
    int differences = 0;
    const bool verified = verify_written_table(written, &differences);
    log->append(OPERATION_TABLE_WRITTEN, remoteIds(written), verified,
                verified ? QString() : tr("при проверке найдено отличий: %1").arg(differences));
    return verified;
}

bool QTableTransfers::verify_written_table(const QList<QControlDevice> &written, int *differences)
{
    *differences = 0;
    if (!m_verifyAfterWrite) {
        m_list->set_data_source(SOURCE_MODEM);
        return true;
    }
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    QList<QControlDevice> readBack;
    if (read_stick_table(&readBack) != READ_OK) {
        // Every record was confirmed; only the check could not be made.
        *differences = -1;
        m_list->set_data_source(SOURCE_MODEM);
        prompts->warning(parent, tr("Проверка записи"),
                         tr("Не удалось прочитать таблицу USB-stick для проверки записи"),
                         QMessageBox::Ok);
        return true;
    }
    const QList<RemoteDifference> found =
        compareTables(readBack, written, m_session->modem().longRecords());
    if (found.isEmpty()) {
        m_list->set_data_source(SOURCE_MODEM);
        emit statusMessage(tr("Запись проверена: таблица USB-stick совпадает с записанной"));
        return true;
    }
    *differences = int(found.size());
    // The list stays as the user made it; what the stick holds is what was read.
    m_list->setStickSnapshot(readBack);
    const DATA_SOURCE_T kind = m_list->labelKind();
    m_list->showSource(kind == SOURCE_MODEM ? SOURCE_UNKNOWN : kind);
    prompts->warning(parent, tr("Проверка записи"),
                     tr("Таблица USB-stick после записи отличается от записанной:") + "\n" +
                         differenceLines(found, LISTED_DIFFERENCES).join("\n"),
                     QMessageBox::Ok);
    return false;
}

bool QTableTransfers::clear_modem_memory()
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
    m_files->save_reserved();

    const auto dialog = m_session->newWaitDialog(QWaitDialog::AnimationMode,
                                                 tr("Очистка памяти USB-stick..."), false);
    const bool remoteMode = m_session->execDevice().remoteMode();
    const quint16 mask =
        remoteMode ? CLEAR_MODEM_TABLE : quint16(CLEAR_MODEM_TABLE | CLEAR_DEVICE_TABLE);
    const bool cleared = clear_table_memory(dialog.get(), mask, true);
    m_list->setStickTableKnown(false);
    m_session->operationLog()->append(OPERATION_TABLE_CLEARED, {}, cleared,
                                      remoteMode ? tr("USB-stick")
                                                 : tr("USB-stick и исполнительное устройство"));
    // Without a read-back it is not known whether the stick was cleared: the list
    // stays (its backup was just written), only no longer as the stick's.
    const auto giveUp = [this] {
        if (m_list->data_source() == SOURCE_MODEM)
            m_list->set_data_source(SOURCE_UNKNOWN);
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
        m_list->setRemotes(received);
        if (!received.isEmpty())
            prompts->warning(parent, tr("Ошибка"), tr("Ошибка очистки памяти USB-stick."),
                             QMessageBox::Ok);
        m_list->set_data_source(SOURCE_MODEM);
    } else {
        warn_read_failed();
        giveUp();
    }
    // Only a clear the stick confirmed and an empty read-back are a success.
    return cleared && read && m_list->remote_list().isEmpty();
}
