// Operations on single remotes: block or activate, change the owner, delete, and add a
// new one through the wizard. The stick confirms every change before the list and the
// table take it.
#include "qremotetablecontroller.h"

#include "commands.h"
#include "prompts.h"
#include "qadddevicedialog.h"
#include "qinterface_manager.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qwaitdialog.h"
#include "remotetable.h"

#include <QEventLoop>
#include <QLoggingCategory>
#include <QTableWidget>
#include <QTimer>

Q_DECLARE_LOGGING_CATEGORY(lcDatabase)

namespace
{
constexpr int FREE_LINK_POLL_MS = 20;
}

bool QRemoteTableController::remote_change_allowed(bool fullAccessNeeded) const
{
    // The same rules as the buttons', for the shortcuts and the menu that bypass them.
    return dataSource == SOURCE_MODEM && m_session->connected() &&
           (!fullAccessNeeded || m_session->modem().protectionMode() != PROTECTION_LOCKED);
}

bool QRemoteTableController::device_version_ready()
{
    const QExecDevice &device = m_session->execDevice();
    if (device.remoteMode() || device.isVersionKnown())
        return true;
    return m_session->get_device_version();
}

quint16 QRemoteTableController::single_remote_target() const
{
    // In remote mode the stick passes the change on by itself.
    return m_session->execDevice().remoteMode() ? TARGET_MODEM : TARGET_DEVICE;
}

int QRemoteTableController::row_of_id(int id) const
{
    const QTableWidget *table = m_widgets.table;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *item = table->item(row, COLUMN_ID);
        bool ok = false;
        if (item && item->text().toInt(&ok, 10) == id && ok)
            return row;
    }
    return -1;
}

bool QRemoteTableController::send_write_remote(QWaitDialog *dialog, const QControlDevice &remote,
                                               quint16 target)
{
    return m_session->runTransaction(dialog, TRANSACTION_WRITE_REMOTE, [&] {
        m_session->sendDataCommand(CMD_WRITE_REMOTE, target,
                                   remote.toRecord(m_session->modem().longRecords()));
    });
}

bool QRemoteTableController::send_delete_remote(QWaitDialog *dialog, int id, quint16 target)
{
    QByteArray idBytes;
    idBytes.append(char(id & 0xFF)).append(char((id >> 8) & 0xFF)).append(char((id >> 16) & 0xFF));
    return m_session->runTransaction(dialog, TRANSACTION_DELETE_REMOTE, [&] {
        m_session->sendDataCommand(CMD_DELETE_REMOTE, target, idBytes);
    });
}

bool QRemoteTableController::write_remote(const QString &text, const QControlDevice &remote)
{
    const auto dialog = m_session->newWaitDialog(QWaitDialog::AnimationMode, text, false);
    connect(m_session, &QModemSession::operationStep, dialog.get(), &QWaitDialog::setText);
    return send_write_remote(dialog.get(), remote, single_remote_target());
}

void QRemoteTableController::active_button_clicked()
{
    const int i = row_to_index(m_widgets.table->currentRow());
    if (i == -1 || !remote_change_allowed(false) || !device_version_ready())
        return;
    QControlDevice changed = remoteList.at(i);
    changed.setActive(!changed.active());
    const bool written =
        write_remote(changed.active() ? tr("Активация пульта") : tr("Блокировка пульта"), changed);
    m_session->operationLog()->append(changed.active() ? OPERATION_REMOTE_ACTIVATED
                                                       : OPERATION_REMOTE_BLOCKED,
                                      {changed.id()}, written);
    if (!written)
        return;
    remoteList[i] = changed;
    // Only this row changes; the table is not rebuilt.
    const int row = row_of_id(changed.id());
    if (row != -1) {
        const QBrush background(remoteRowColor(changed));
        for (int column = 0; column < COLUMN_COUNT; ++column)
            if (QTableWidgetItem *item = m_widgets.table->item(row, column))
                item->setBackground(background);
        // Last: with the table sorted by status the row may move.
        if (QTableWidgetItem *status = m_widgets.table->item(row, COLUMN_STATUS))
            status->setText(remoteRowTexts(changed).at(COLUMN_STATUS));
    }
    control_device_select();
    emit signal_need_saving();
}

bool QRemoteTableController::ask_owner_name(QString *name)
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

void QRemoteTableController::edit_button_clicked()
{
    const int row = m_widgets.table->currentRow();
    const int i = row_to_index(row);
    if (i == -1 || !remote_change_allowed(true))
        return;
    QString name = m_widgets.table->item(row, COLUMN_OWNER)->text();
    if (!ask_owner_name(&name))
        return;
    QControlDevice changed = remoteList.at(i);
    changed.setOwnerName(name);
    // Sent even when unchanged: the user asked for the stick to hold this name.
    const bool written = write_remote(tr("Изменение сведений о владельце пульта"), changed);
    m_session->operationLog()->append(OPERATION_REMOTE_EDITED, {changed.id()}, written);
    if (!written)
        return;
    remoteList[i] = changed;
    const int shown = row_of_id(changed.id());
    if (shown != -1)
        m_widgets.table->item(shown, COLUMN_OWNER)->setText(name);
    emit signal_need_saving();
}

void QRemoteTableController::del_button_clicked()
{
    const int i = row_to_index(m_widgets.table->currentRow());
    if (i == -1 || !remote_change_allowed(true))
        return;
    if (m_session->prompts()->warning(m_session->dialogParent(), tr("Удаление пульта"),
                                      tr("Пульт будет удален из системы. Продолжить?"),
                                      QMessageBox::Yes | QMessageBox::No,
                                      QMessageBox::No) != QMessageBox::Yes)
        return;
    const QControlDevice remote = remoteList.at(i);
    const auto dialog = m_session->newWaitDialog(QWaitDialog::AnimationMode,
                                                 tr("Удаление пульта из системы"), false);
    connect(m_session, &QModemSession::operationStep, dialog.get(), &QWaitDialog::setText);
    const bool deleted = send_delete_remote(dialog.get(), remote.id(), single_remote_target());
    m_session->operationLog()->append(OPERATION_REMOTE_DELETED, {remote.id()}, deleted);
    if (!deleted)
        return;
    remove_table_row(remote);
    remoteList.removeAt(i);
    emit signal_need_saving();
    device_version_ready();
}

bool QRemoteTableController::set_modem_mode(quint8 mode, QWaitDialog *dialog)
{
    return m_session->runTransaction(dialog, TRANSACTION_MODEM_MODE, [&] {
        m_session->sendShortCommand(SHORT_CLASS_COMMAND, CMD_SET_MODEM_MODE >> 8, mode);
    });
}

bool QRemoteTableController::wait_for_free_link()
{
    QInterface_Manager *link = m_session->interfaceManager();
    if (link->is_free())
        return true;
    // The link gives a command up by itself after this long; waiting longer is in vain.
    const int limit = link->ack_timeout() * (link->retry_count() + 1);
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (link->is_free() || !m_session->connected())
            loop.quit();
    });
    poll.start(FREE_LINK_POLL_MS);
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    loop.exec();
    if (link->is_free())
        return true;
    qCWarning(lcDatabase) << "a command stayed unanswered after the search; dropped";
    link->stop_command();
    return false;
}

bool QRemoteTableController::leave_search_mode(const QString &text, bool cancelEnabled)
{
    if (!m_session->connected())
        return false;
    const auto dialog = m_session->newWaitDialog(QWaitDialog::AnimationMode, text, cancelEnabled);
    if (!set_modem_mode(MODEM_MODE_NORMAL, dialog.get()))
        return false;
    m_searchModeLeft = false;
    m_session->modem().setWorkMode(true);
    return true;
}

void QRemoteTableController::restore_normal_mode()
{
    // A stick lost during a search comes back still listening.
    if (m_searchModeLeft)
        leave_search_mode(tr("Установка режима работы"), false);
}

void QRemoteTableController::add_button_clicked()
{
    if (!remote_change_allowed(true))
        return;
    const QString modeText = tr("Изменение режима работы устройства");
    {
        const auto dialog = m_session->newWaitDialog(QWaitDialog::AnimationMode, modeText, false);
        if (!set_modem_mode(MODEM_MODE_SEARCH, dialog.get()))
            return;
    }
    m_searchModeLeft = true;
    QModem &modem = m_session->modem();
    modem.setListening(true);

    int result = 0;
    QControlDevice remote(this);
    {
        QAddDeviceDialog wizard(m_session->dialogParent(), &remoteList, ownerNames, m_session);
        connect(m_session, &QModemSession::operationFailed, &wizard,
                &QAddDeviceDialog::slotBadAnswer);
        connect(&wizard, &QAddDeviceDialog::signalSendUsartCommand, this,
                [this](QInterfaceMessage &message) {
                    QRS232Message command(nullptr, message.frame());
                    m_session->sendCommand(command);
                });
        connect(m_session, &QModemSession::operationComplete, &wizard,
                &QAddDeviceDialog::slotGoodAnswer);
        connect(m_session, &QModemSession::deviceFound, &wizard,
                &QAddDeviceDialog::slotDeviceFound);
        result = wizard.exec();
        remote.setId(wizard.foundId());
        remote.setGroup(wizard.foundGroup());
        remote.setOwnerName(wizard.ownerName());
        remote.setActive(true);
        remote.setWorkMode(wizard.workMode());
    }
    modem.setListening(false);

    bool stickReady = true;
    if (m_session->connected()) {
        stickReady = wait_for_free_link();
        if (!leave_search_mode(modeText, false))
            return;
    }
    if (result == 0)
        return;
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    const QString failed = tr("Не удалось добавить новый пульт");
    if (!stickReady) {
        prompts->warning(parent, tr("Ошибка"), failed, QMessageBox::Ok);
        return;
    }
    if (!ownerNames.contains(remote.ownerName()))
        ownerNames.append(remote.ownerName());
    if (!device_version_ready())
        return;
    const bool written =
        write_remote(tr("Запись устройств в USB-stick и исполнительное устройство"), remote);
    m_session->operationLog()->append(OPERATION_REMOTE_ADDED, {remote.id()}, written);
    if (!written) {
        prompts->warning(parent, tr("Ошибка"), failed, QMessageBox::Ok);
        return;
    }
    remoteList.append(remote);
    fill_table(remoteList);
    emit signal_need_saving();
}
