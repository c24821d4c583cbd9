#include "qremoteoperations.h"

#include "commands.h"
#include "prompts.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qremotetableview.h"
#include "qwaitdialog.h"
#include "remotelist.h"
#include "remotetable.h"
#include "tablecheck.h"

namespace
{
// A remote's id as the stick takes it: three bytes, least significant first.
QByteArray idBytes(int id)
{
    QByteArray bytes;
    bytes.append(char(id & 0xFF)).append(char((id >> 8) & 0xFF)).append(char((id >> 16) & 0xFF));
    return bytes;
}
} // namespace

QRemoteOperations::QRemoteOperations(QModemSession *session, RemoteList *list,
                                     const QRemoteTableView *view, QObject *parent)
    : QObject(parent), m_session(session), m_list(list), m_view(view)
{
}

bool QRemoteOperations::remoteChangeAllowed(bool fullAccessNeeded) const
{
    // The same rules as the buttons', for the shortcuts and the menu that bypass them.
    return m_list->source() == SOURCE_MODEM && m_session->connected() &&
           (!fullAccessNeeded || m_session->modem().protectionMode() != PROTECTION_LOCKED);
}

bool QRemoteOperations::lineFree() const
{
    if (!m_session->busy())
        return true;
    m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"),
                                  QModemSession::busyText(), QMessageBox::Ok);
    return false;
}

void QRemoteOperations::afterDeviceVersion(QOperation *operation, const std::function<void()> &next)
{
    const QExecDevice &device = m_session->execDevice();
    if (device.remoteMode() || device.isVersionKnown()) {
        next();
        return;
    }
    m_session->proceedDeviceVersion(operation, [next](bool known) {
        if (known)
            next();
    });
}

quint16 QRemoteOperations::singleRemoteTarget() const
{
    // In remote mode the stick passes the change on by itself.
    return m_session->execDevice().remoteMode() ? TARGET_MODEM : TARGET_DEVICE;
}

bool QRemoteOperations::proceedWriteRemote(QOperation *operation, const QControlDevice &remote,
                                           quint16 target, const QModemSession::Continuation &then)
{
    const QByteArray record = remote.toRecord(m_session->modem().longRecords());
    return m_session->proceed(
        operation, TRANSACTION_WRITE_REMOTE,
        [this, target, record] { m_session->sendDataCommand(CMD_WRITE_REMOTE, target, record); },
        [this, remote, then](bool written) {
            // The actuator took it too, directly or passed on by the stick.
            if (written)
                m_list->deviceRemoteWritten(remote);
            if (then)
                then(written);
        });
}

bool QRemoteOperations::proceedDeleteRemote(QOperation *operation, int id, quint16 target,
                                            const QModemSession::Continuation &then)
{
    return m_session->proceed(
        operation, TRANSACTION_DELETE_REMOTE,
        [this, target, id] { m_session->sendDataCommand(CMD_DELETE_REMOTE, target, idBytes(id)); },
        [this, id, then](bool deleted) {
            if (deleted)
                m_list->deviceRemoteDeleted(id);
            if (then)
                then(deleted);
        });
}

QString QRemoteOperations::unchangedText(const QControlDevice &remote)
{
    return tr("Пульт №%1 (владелец '%2') не изменен в таблице.")
        .arg(QString::number(remote.id()), remote.ownerName());
}

void QRemoteOperations::writeChanged(QOperation *operation, const QControlDevice &changed,
                                     OPERATION_T logged)
{
    proceedWriteRemote(
        operation, changed, singleRemoteTarget(), [this, changed, logged](bool written) {
            m_session->operationLog()->append(logged, {changed.id()}, written);
            if (!written)
                return;
            const int i = indexOfIdText(m_list->remotes(), QString::number(changed.id()));
            if (i == -1)
                return;
            m_list->replaceRemote(i, changed);
            m_list->need_saving();
        });
}

QOperation *QRemoteOperations::active_button_clicked()
{
    const int i = m_view->currentIndex();
    if (i == -1 || !remoteChangeAllowed(false))
        return nullptr;
    const QControlDevice remote = m_list->remotes().at(i);
    QControlDevice changed = remote;
    changed.setActive(!changed.active());
    const QString text = changed.active() ? tr("Активация пульта") : tr("Блокировка пульта");
    QOperation *operation = m_session->beginOrTell(text, false);
    if (!operation)
        return nullptr;
    operation->setLostText(unchangedText(remote));
    afterDeviceVersion(operation, [this, operation, changed, text] {
        operation->setText(text);
        writeChanged(operation, changed,
                     changed.active() ? OPERATION_REMOTE_ACTIVATED : OPERATION_REMOTE_BLOCKED);
    });
    return operation;
}

bool QRemoteOperations::askOwnerName(QString *name)
{
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    for (;;) {
        bool ok = false;
        const QString entered =
            prompts->getText(parent, tr("Владелец пульта"),
                             tr("Введите информацию о владельце пульта(максимально %1 символов)")
                                 .arg(MaxOwnerNameLength),
                             QLineEdit::Normal, *name, &ok);
        if (!ok)
            return false;
        *name = entered;
        const QString refusal =
            entered.size() > MaxOwnerNameLength
                ? tr("Информация о владельце пульта не должна быть длиннее %1 символов. Текущая "
                     "длина ")
                          .arg(MaxOwnerNameLength) +
                      QString::number(entered.size()) + "."
                : ownerNameRefusal(entered, m_session->modem().longRecords());
        if (refusal.isEmpty())
            return true;
        prompts->warning(parent, tr("Ошибка"), refusal, QMessageBox::Ok);
    }
}

QOperation *QRemoteOperations::edit_button_clicked()
{
    const int i = m_view->currentIndex();
    if (i == -1 || !remoteChangeAllowed(true) || !lineFree())
        return nullptr;
    const QControlDevice remote = m_list->remotes().at(i);
    // The row shows the list's name; the dialog starts from it.
    QString name = remote.ownerName();
    if (!askOwnerName(&name))
        return nullptr;
    QControlDevice changed = remote;
    changed.setOwnerName(name);
    // Sent even when unchanged: the user asked for the stick to hold this name.
    QOperation *operation =
        m_session->beginOrTell(tr("Изменение сведений о владельце пульта"), false);
    if (!operation)
        return nullptr;
    operation->setLostText(unchangedText(remote));
    writeChanged(operation, changed, OPERATION_REMOTE_EDITED);
    return operation;
}

QOperation *QRemoteOperations::del_button_clicked()
{
    const int i = m_view->currentIndex();
    if (i == -1 || !remoteChangeAllowed(true) || !lineFree())
        return nullptr;
    const QControlDevice remote = m_list->remotes().at(i);
    // The remote is named beneath the question: the selected row may not be the one meant.
    if (m_session->prompts()->warning(
            m_session->dialogParent(), tr("Удаление пульта"),
            tr("Пульт будет удален из системы. Продолжить?") + "\n" + remoteLabel(remote),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return nullptr;
    QOperation *operation = m_session->beginOrTell(tr("Удаление пульта из системы"), false);
    if (!operation)
        return nullptr;
    operation->setLostText(tr("Пульт №%1 (владелец '%2') не удален из таблицы.")
                               .arg(QString::number(remote.id()), remote.ownerName()));
    proceedDeleteRemote(
        operation, remote.id(), singleRemoteTarget(), [this, operation, remote](bool deleted) {
            m_session->operationLog()->append(OPERATION_REMOTE_DELETED, {remote.id()}, deleted);
            if (!deleted)
                return;
            const int index = indexOfIdText(m_list->remotes(), QString::number(remote.id()));
            if (index != -1) {
                m_list->removeRemote(index);
                m_list->need_saving();
            }
            // The actuator's version is asked after a deletion as well; the remote is gone
            // whatever the answer.
            operation->setLostText(QString());
            const QExecDevice &device = m_session->execDevice();
            if (!device.remoteMode() && !device.isVersionKnown())
                m_session->proceedDeviceVersion(
                    operation, [this, operation](bool) { m_session->complete(operation, true); });
        });
    return operation;
}
