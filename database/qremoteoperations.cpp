#include "qremoteoperations.h"

#include "commands.h"
#include "prompts.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qremotetableview.h"
#include "qwaitdialog.h"
#include "remotelist.h"
#include "remotetable.h"

QRemoteOperations::QRemoteOperations(QModemSession *session, RemoteList *list,
                                     const QRemoteTableView *view, QObject *parent)
    : QObject(parent), m_session(session), m_list(list), m_view(view)
{
}

bool QRemoteOperations::remote_change_allowed(bool fullAccessNeeded) const
{
    // The same rules as the buttons', for the shortcuts and the menu that bypass them.
    return m_list->data_source() == SOURCE_MODEM && m_session->connected() &&
           (!fullAccessNeeded || m_session->modem().protectionMode() != PROTECTION_LOCKED);
}

bool QRemoteOperations::device_version_ready()
{
    const QExecDevice &device = m_session->execDevice();
    if (device.remoteMode() || device.isVersionKnown())
        return true;
    return m_session->get_device_version();
}

quint16 QRemoteOperations::single_remote_target() const
{
    // In remote mode the stick passes the change on by itself.
    return m_session->execDevice().remoteMode() ? TARGET_MODEM : TARGET_DEVICE;
}

bool QRemoteOperations::send_write_remote(QWaitDialog *dialog, const QControlDevice &remote,
                                          quint16 target)
{
    return m_session->runTransaction(dialog, TRANSACTION_WRITE_REMOTE, [&] {
        m_session->sendDataCommand(CMD_WRITE_REMOTE, target,
                                   remote.toRecord(m_session->modem().longRecords()));
    });
}

bool QRemoteOperations::send_delete_remote(QWaitDialog *dialog, int id, quint16 target)
{
    QByteArray idBytes;
    idBytes.append(char(id & 0xFF)).append(char((id >> 8) & 0xFF)).append(char((id >> 16) & 0xFF));
    return m_session->runTransaction(dialog, TRANSACTION_DELETE_REMOTE, [&] {
        m_session->sendDataCommand(CMD_DELETE_REMOTE, target, idBytes);
    });
}

bool QRemoteOperations::write_remote(const QString &text, const QControlDevice &remote)
{
    const auto dialog = m_session->newWaitDialog(QWaitDialog::AnimationMode, text, false);
    connect(m_session, &QModemSession::operationStep, dialog.get(), &QWaitDialog::setText);
    return send_write_remote(dialog.get(), remote, single_remote_target());
}

void QRemoteOperations::active_button_clicked()
{
    const int i = m_view->currentIndex();
    if (i == -1 || !remote_change_allowed(false) || !device_version_ready())
        return;
    QControlDevice changed = m_list->remote_list().at(i);
    changed.setActive(!changed.active());
    const bool written =
        write_remote(changed.active() ? tr("Активация пульта") : tr("Блокировка пульта"), changed);
    m_session->operationLog()->append(changed.active() ? OPERATION_REMOTE_ACTIVATED
                                                       : OPERATION_REMOTE_BLOCKED,
                                      {changed.id()}, written);
    if (!written)
        return;
    m_list->replaceRemote(i, changed);
    m_list->need_saving();
}

bool QRemoteOperations::ask_owner_name(QString *name)
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

void QRemoteOperations::edit_button_clicked()
{
    const int i = m_view->currentIndex();
    if (i == -1 || !remote_change_allowed(true))
        return;
    QControlDevice changed = m_list->remote_list().at(i);
    // The row shows the list's name; the dialog starts from it.
    QString name = changed.ownerName();
    if (!ask_owner_name(&name))
        return;
    changed.setOwnerName(name);
    // Sent even when unchanged: the user asked for the stick to hold this name.
    const bool written = write_remote(tr("Изменение сведений о владельце пульта"), changed);
    m_session->operationLog()->append(OPERATION_REMOTE_EDITED, {changed.id()}, written);
    if (!written)
        return;
    m_list->replaceRemote(i, changed);
    m_list->need_saving();
}

void QRemoteOperations::del_button_clicked()
{
    const int i = m_view->currentIndex();
    if (i == -1 || !remote_change_allowed(true))
        return;
    if (m_session->prompts()->warning(m_session->dialogParent(), tr("Удаление пульта"),
                                      tr("Пульт будет удален из системы. Продолжить?"),
                                      QMessageBox::Yes | QMessageBox::No,
                                      QMessageBox::No) != QMessageBox::Yes)
        return;
    const QControlDevice remote = m_list->remote_list().at(i);
    const auto dialog = m_session->newWaitDialog(QWaitDialog::AnimationMode,
                                                 tr("Удаление пульта из системы"), false);
    connect(m_session, &QModemSession::operationStep, dialog.get(), &QWaitDialog::setText);
    const bool deleted = send_delete_remote(dialog.get(), remote.id(), single_remote_target());
    m_session->operationLog()->append(OPERATION_REMOTE_DELETED, {remote.id()}, deleted);
    if (!deleted)
        return;
    m_list->removeRemote(i);
    m_list->need_saving();
    device_version_ready();
}
