#include "qtablecompare.h"

#include "commands.h"
#include "prompts.h"
#include "qcomparedialog.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qremoteoperations.h"
#include "qtablefiles.h"
#include "qtabletransfers.h"
#include "qwaitdialog.h"
#include "remotelist.h"
#include "tablediff.h"

#include <QFileInfo>

namespace
{
// Lines of differences a message lists before it only counts the rest.
constexpr int LISTED_DIFFERENCES = 15;
} // namespace

QTableCompare::QTableCompare(QModemSession *session, RemoteList *list, QTableFiles *files,
                             QTableTransfers *transfers, QRemoteOperations *operations,
                             QObject *parent)
    : QObject(parent), m_session(session), m_list(list), m_files(files), m_transfers(transfers),
      m_operations(operations)
{
}

void QTableCompare::compare_with_file()
{
    if (!m_session->connected())
        return;
    QList<QControlDevice> other;
    QString name;
    if (!m_files->choose_file(&other, &name))
        return;
    compare_and_apply(other, QFileInfo(name).fileName());
}

void QTableCompare::compare_with_backup()
{
    if (!m_session->connected())
        return;
    QList<QControlDevice> other;
    QString chosen;
    if (!m_files->choose_backup(&other, &chosen))
        return;
    compare_and_apply(other, tr("резервная копия %1").arg(chosen));
}

bool QTableCompare::compare_and_apply(const QList<QControlDevice> &other, const QString &otherName)
{
    if (!m_session->connected() || !m_transfers->ensure_stick_table())
        return false;
    const QList<RemoteDifference> differences =
        compareTables(m_list->modemSnapshot(), other, m_session->modem().longRecords());
    const bool applyAllowed = m_session->modem().protectionMode() != PROTECTION_LOCKED;
    QCompareDialog dialog(m_session->dialogParent(), differences, otherName, applyAllowed);
    if (dialog.exec() != QDialog::Accepted || differences.isEmpty())
        return differences.isEmpty();
    return apply_differences(differences);
}

bool QTableCompare::apply_differences(const QList<RemoteDifference> &differences)
{
    if (!m_session->connected())
        return false;
    const QList<RemoteDifference> order = applyOrder(differences);
    const auto dialog = m_session->newWaitDialog(QWaitDialog::ProgressMode,
                                                 tr("Применение изменений к USB-stick..."), false);
    // One more than the changes, so that the bar never closes the dialog by itself.
    dialog->setMaxProgress(int(order.size()) + 1);
    dialog->setProgress(0);
    QList<QControlDevice> stick = m_list->modemSnapshot();
    QList<RemoteDifference> made;
    for (const RemoteDifference &d : order) {
        const bool deleting = d.kind == RemoteDifference::ONLY_IN_STICK;
        dialog->setText(deleting ? tr("Удаление пульта №%1").arg(d.id)
                                 : tr("Запись пульта №%1").arg(d.id));
        // The stick only, as a full table write would: the actuator gets the table by a copy.
        const bool sent = deleting
                              ? m_operations->send_delete_remote(dialog.get(), d.id, TARGET_MODEM)
                              : m_operations->send_write_remote(dialog.get(), d.file, TARGET_MODEM);
        if (!sent)
            break;
        stick = applyDifference(stick, d);
        made << d;
        dialog->setProgress(int(made.size()));
    }
    const bool complete = made.size() == order.size();

    // Whatever went through, the list shows what the stick now holds.
    m_list->show_stick_table(stick);
    QList<int> madeIds;
    for (const RemoteDifference &d : made)
        madeIds << d.id;
    const QString count = tr("выполнено %1 из %2").arg(made.size()).arg(order.size());
    m_session->operationLog()->append(OPERATION_DIFFERENCES_APPLIED, madeIds, complete, count);
    if (complete) {
        emit statusMessage(tr("Изменения применены к USB-stick: %1").arg(made.size()));
        return true;
    }
    // A change whose answer went astray may have been made after all: the list shows the
    // stick's table only once it has been read back.
    bool readBack = false;
    if (m_session->connected()) {
        QList<QControlDevice> received;
        readBack = m_transfers->read_stick_table(&received) == QTableTransfers::READ_OK;
        if (readBack)
            m_list->show_stick_table(received);
    }
    m_list->setStickTableKnown(readBack);
    QString text = tr("Изменения применены не полностью: %1.").arg(count) + "\n";
    text += made.isEmpty()
                ? tr("Ни одно изменение не выполнено.")
                : tr("Выполнены:") + "\n" + differenceLines(made, LISTED_DIFFERENCES).join("\n");
    text +=
        "\n" + (readBack ? tr("Таблица на экране показывает пульты, которые содержит USB-stick.")
                         : tr("Изменение, на которое не пришел ответ, могло быть выполнено: "
                              "таблица USB-stick будет прочитана заново."));
    m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"), text, QMessageBox::Ok);
    return false;
}
