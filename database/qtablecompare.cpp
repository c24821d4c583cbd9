#include "qtablecompare.h"

#include "commands.h"
#include "prompts.h"
#include "qcomparedialog.h"
#include "qmodemsession.h"
#include "qoperation.h"
#include "qoperationlog.h"
#include "qtablefiles.h"
#include "qtabletransfers.h"
#include "remotelist.h"
#include "tablediff.h"

#include <QFileInfo>

namespace
{
// Lines of differences a message lists before it only counts the rest.
constexpr int LISTED_DIFFERENCES = 15;

QByteArray idPayload(int id)
{
    QByteArray bytes;
    bytes.append(char(id & 0xFF)).append(char((id >> 8) & 0xFF)).append(char((id >> 16) & 0xFF));
    return bytes;
}
} // namespace

// The changes being applied, and the stick's table as they leave it.
struct QTableCompare::Apply {
    QList<RemoteDifference> order;
    QList<RemoteDifference> made;
    QList<QControlDevice> stick;
};

QTableCompare::QTableCompare(QModemSession *session, RemoteList *list, QTableFiles *files,
                             QTableTransfers *transfers, QObject *parent)
    : QObject(parent), m_session(session), m_list(list), m_files(files), m_transfers(transfers)
{
}

void QTableCompare::compareWithFile()
{
    if (!m_session->connected())
        return;
    QList<QControlDevice> other;
    QString name;
    if (!m_files->chooseFile(&other, &name))
        return;
    compareAndApply(other, QFileInfo(name).fileName());
}

void QTableCompare::compareWithBackup()
{
    if (!m_session->connected())
        return;
    QList<QControlDevice> other;
    QString chosen;
    if (!m_files->chooseBackup(&other, &chosen))
        return;
    compareAndApply(other, tr("резервная копия %1").arg(chosen));
}

bool QTableCompare::compareAndApply(const QList<QControlDevice> &other, const QString &otherName)
{
    if (!m_session->connected())
        return false;
    if (m_list->stickTableKnown()) {
        showDifferences(other, otherName);
        return true;
    }
    QOperation *operation = m_session->beginOrTell(tr("Чтение данных с USB-stick..."), true);
    if (!operation)
        return false;
    // The dialog waits for the line to be free again.
    connect(operation, &QOperation::finished, this, [this, operation, other, otherName] {
        if (operation->succeeded())
            showDifferences(other, otherName);
        else
            emit compareEnded(false);
    });
    m_transfers->ensureStickTableIn(
        operation, [this, operation](bool known) { m_session->complete(operation, known); });
    return true;
}

void QTableCompare::showDifferences(const QList<QControlDevice> &other, const QString &otherName)
{
    const QList<RemoteDifference> differences =
        compareTables(m_list->modemSnapshot(), other, m_session->modem().longRecords());
    const bool applyAllowed = m_session->modem().protectionMode() != PROTECTION_LOCKED;
    auto *dialog =
        new QCompareDialog(m_session->dialogParent(), differences, otherName, applyAllowed);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, differences](int result) {
        if (result != QDialog::Accepted || differences.isEmpty())
            emit compareEnded(differences.isEmpty());
        else
            applyDifferences(differences);
    });
    dialog->open();
}

QOperation *QTableCompare::applyDifferences(const QList<RemoteDifference> &differences)
{
    if (!m_session->connected()) {
        emit compareEnded(false);
        return nullptr;
    }
    int deleted = 0;
    int added = 0;
    QList<QControlDevice> written;
    for (const RemoteDifference &d : differences) {
        if (d.kind == RemoteDifference::ONLY_IN_STICK) {
            ++deleted;
            continue;
        }
        if (d.kind == RemoteDifference::ONLY_IN_FILE)
            ++added;
        written << d.file;
    }
    const QString notDone = tr("Изменения не применены: в USB-stick ничего не изменено.");
    Prompts *prompts = m_session->prompts();
    // Remotes the records cannot hold are refused before anything is asked or deleted.
    if (m_transfers->refuseTable(notDone, QString(), written) ||
        (deleted > 0 &&
         prompts->warning(m_session->dialogParent(), tr("Внимание"),
                          tr("Из USB-stick будет удалено пультов: %1, записано: %2. Продолжить?")
                              .arg(deleted)
                              .arg(written.size()),
                          QMessageBox::Yes | QMessageBox::No,
                          QMessageBox::No) != QMessageBox::Yes)) {
        emit compareEnded(false);
        return nullptr;
    }
    QOperation *operation =
        m_session->beginOrTell(tr("Применение изменений к USB-stick..."), false);
    if (!operation) {
        emit compareEnded(false);
        return nullptr;
    }
    connect(operation, &QOperation::finished, this,
            [this, operation] { emit compareEnded(operation->succeeded()); });
    // Deletions go first and make room: the additions need the free places and those.
    const auto fits = [this, added, deleted, written, notDone] {
        const int free = int(m_session->modem().memFree());
        return added <= free + deleted ||
               !m_transfers->refuseTable(
                   notDone,
                   tr("Добавляется пультов: %1, свободно мест в USB-stick: %2, освободят "
                      "удаления: %3.")
                       .arg(added)
                       .arg(free)
                       .arg(deleted),
                   written);
    };
    m_transfers->prepareStickChangeIn(operation, fits, notDone,
                                      [this, operation, differences](bool ready) {
                                          if (!ready) {
                                              m_session->complete(operation, false);
                                              return;
                                          }
                                          auto apply = std::make_shared<Apply>();
                                          apply->order = applyOrder(differences);
                                          apply->stick = m_list->modemSnapshot();
                                          operation->setProgress(0, int(apply->order.size()));
                                          applyNextIn(operation, apply);
                                      });
    return operation;
}

void QTableCompare::applyNextIn(QOperation *operation, const std::shared_ptr<Apply> &apply)
{
    if (apply->made.size() == apply->order.size()) {
        endApplyIn(operation, apply);
        return;
    }
    const RemoteDifference d = apply->order.at(apply->made.size());
    const bool deleting = d.kind == RemoteDifference::ONLY_IN_STICK;
    operation->setText(deleting ? tr("Удаление пульта №%1").arg(d.id)
                                : tr("Запись пульта №%1").arg(d.id));
    // The stick only, as a full table write would: the actuator gets the table by a copy.
    const auto send = [this, d, deleting] {
        if (deleting)
            m_session->sendDataCommand(CMD_DELETE_REMOTE, TARGET_MODEM, idPayload(d.id));
        else
            m_session->sendDataCommand(CMD_WRITE_REMOTE, TARGET_MODEM,
                                       d.file.toRecord(m_session->modem().longRecords()));
    };
    m_transfers->proceedIn(
        operation, deleting ? TRANSACTION_DELETE_REMOTE : TRANSACTION_WRITE_REMOTE, send,
        [this, operation, apply, d](bool made) {
            if (!made) {
                endApplyIn(operation, apply);
                return;
            }
            apply->stick = applyDifference(apply->stick, d);
            apply->made << d;
            operation->setProgress(int(apply->made.size()), int(apply->order.size()));
            applyNextIn(operation, apply);
        });
}

void QTableCompare::endApplyIn(QOperation *operation, const std::shared_ptr<Apply> &apply)
{
    const bool complete = apply->made.size() == apply->order.size();
    // Whatever went through, the list shows what the stick now holds.
    m_list->showStickTable(apply->stick);
    QList<int> madeIds;
    for (const RemoteDifference &d : std::as_const(apply->made))
        madeIds << d.id;
    m_session->operationLog()->append(
        OPERATION_DIFFERENCES_APPLIED, madeIds, complete,
        tr("выполнено %1 из %2").arg(apply->made.size()).arg(apply->order.size()));
    if (complete) {
        emit statusMessage(tr("Изменения применены к USB-stick: %1").arg(apply->made.size()));
        m_session->complete(operation, true);
        return;
    }
    // A change whose answer went astray may have been made after all: the list shows the
    // stick's table only once it has been read back, in the same operation.
    if (!m_session->connected()) {
        m_list->setStickTableKnown(false);
        tellPartlyApplied(apply, false);
        m_session->complete(operation, false);
        return;
    }
    m_transfers->readTableIn(operation,
                             [this, operation, apply](QTableTransfers::READ_RESULT_T result,
                                                      const QList<QControlDevice> &received) {
                                 const bool readBack = result == QTableTransfers::READ_OK;
                                 if (readBack)
                                     m_list->showStickTable(received);
                                 m_list->setStickTableKnown(readBack);
                                 tellPartlyApplied(apply, readBack);
                                 m_session->complete(operation, false);
                             });
}

void QTableCompare::tellPartlyApplied(const std::shared_ptr<Apply> &apply, bool readBack)
{
    const QString count = tr("выполнено %1 из %2").arg(apply->made.size()).arg(apply->order.size());
    QString text = tr("Изменения применены не полностью: %1.").arg(count) + "\n";
    text += apply->made.isEmpty() ? tr("Ни одно изменение не выполнено.")
                                  : tr("Выполнены:") + "\n" +
                                        differenceLines(apply->made, LISTED_DIFFERENCES).join("\n");
    text +=
        "\n" + (readBack ? tr("Таблица на экране показывает пульты, которые содержит USB-stick.")
                         : tr("Изменение, на которое не пришел ответ, могло быть выполнено: "
                              "таблица USB-stick будет прочитана заново."));
    m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"), text, QMessageBox::Ok);
}
