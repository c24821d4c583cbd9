#include "qremotesearch.h"

#include "commands.h"
#include "prompts.h"
#include "qadddevicedialog.h"
#include "qinterface_manager.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qremoteoperations.h"
#include "qremotetableview.h"
#include "qsearchwaitdialog.h"
#include "remotelist.h"

#include <QEventLoop>
#include <QLoggingCategory>
#include <QTimer>

Q_DECLARE_LOGGING_CATEGORY(lcDatabase)

namespace
{
constexpr int FREE_LINK_POLL_MS = 20;
constexpr int NOTHING_NEW_POLL_MS = 500;
} // namespace

QRemoteSearch::QRemoteSearch(QModemSession *session, RemoteList *list, QRemoteTableView *view,
                             QRemoteOperations *operations, QObject *parent)
    : QObject(parent), m_session(session), m_list(list), m_view(view), m_operations(operations)
{
}

bool QRemoteSearch::set_modem_mode(quint8 mode, QWaitDialog *dialog)
{
    return m_session->runTransaction(dialog, TRANSACTION_MODEM_MODE, [&] {
        m_session->sendShortCommand(SHORT_CLASS_COMMAND, CMD_SET_MODEM_MODE >> 8, mode);
    });
}

bool QRemoteSearch::wait_for_free_link()
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

bool QRemoteSearch::leave_search_mode(const QString &text, bool cancelEnabled)
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

void QRemoteSearch::restore_normal_mode()
{
    // A stick lost during a search comes back still listening.
    if (m_searchModeLeft)
        leave_search_mode(tr("Установка режима работы"), false);
}

void QRemoteSearch::add_button_clicked()
{
    if (!m_operations->remote_change_allowed(true))
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
        QAddDeviceDialog wizard(m_session->dialogParent(), &m_list->remote_list(), ownerNames,
                                m_session);
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
    if (!m_operations->device_version_ready())
        return;
    const bool written = m_operations->write_remote(
        tr("Запись устройств в USB-stick и исполнительное устройство"), remote);
    m_session->operationLog()->append(OPERATION_REMOTE_ADDED, {remote.id()}, written);
    if (!written) {
        prompts->warning(parent, tr("Ошибка"), failed, QMessageBox::Ok);
        return;
    }
    m_list->setRemotes(m_list->remote_list() + QList<QControlDevice>{remote});
    m_list->need_saving();
}

void QRemoteSearch::find_button_clicked()
{
    if (!m_session->connected())
        return;
    const QString modeText = tr("Установка режима работы");
    QModem &modem = m_session->modem();
    {
        QSearchWaitDialog dialog(m_session->dialogParent(), modeText,
                                 m_session->interfaceManager());
        connect(m_session, &QModemSession::operationStep, &dialog, &QWaitDialog::setText);
        if (!set_modem_mode(MODEM_MODE_SEARCH, &dialog))
            return;
        m_searchModeLeft = true;
        modem.setWorkMode(false);
        modem.setListening(true);
        // A new search: the remote that ended the last one is news again when pressed.
        modem.setLastFoundId(-1);
        ++m_searchRun;

        const QMetaObject::Connection found =
            connect(m_session, &QModemSession::deviceFound, this, &QRemoteSearch::device_found);
        connect(&dialog, &QWaitDialog::extButtonClicked, this,
                &QRemoteSearch::request_found_device);
        connect(this, &QRemoteSearch::signal_show_btn_next_device_search, &dialog,
                &QWaitDialog::setExtOperationEnabled);
        dialog.setCaption(tr("Поиск пульта"));
        dialog.setExtButtonText(tr("Поиск"));
        dialog.setCancelButtonText(tr("Закрыть"));
        // Ended by "Закрыть", or by a failed poll.
        m_session->runTransaction(&dialog, TRANSACTION_NONE, [this] { request_found_device(); });
        disconnect(found);
        modem.setListening(false);
    }
    if (m_session->connected()) {
        wait_for_free_link();
        leave_search_mode(modeText, true);
    }
}

void QRemoteSearch::request_found_device()
{
    if (!m_session->modem().listening())
        return;
    emit signal_show_btn_next_device_search(false);
    m_session->reportStep(tr("Определение пульта... \nНажмите и удерживайте в течение 4 секунд "
                             "кнопку на пульте для его определения."));
    m_session->sendDataCommand(CMD_GET_FOUND_REMOTE, TARGET_DEVICE);
}

void QRemoteSearch::request_found_device_later()
{
    const int run = m_searchRun;
    QTimer::singleShot(NOTHING_NEW_POLL_MS, this, [this, run] {
        if (run == m_searchRun)
            request_found_device();
    });
}

void QRemoteSearch::device_found(int value)
{
    QModem &modem = m_session->modem();
    if (!modem.listening())
        return;
    const int id = value & QControlDevice::ErasedId;
    // The erased-record id names no remote: taken as nothing heard.
    if (value == -1 || id == QControlDevice::ErasedId) {
        modem.setLastFoundId(-1);
        request_found_device_later();
        return;
    }
    // The remote announced last is still held.
    if (value == modem.lastFoundId()) {
        request_found_device_later();
        return;
    }
    modem.setLastFoundId(value);
    const QList<QControlDevice> &remotes = m_list->remote_list();
    const auto known = std::find_if(remotes.cbegin(), remotes.cend(),
                                    [id](const QControlDevice &r) { return r.id() == id; });
    if (known != remotes.cend()) {
        m_session->reportStep(tr("Найден пульт, владелец '") + known->ownerName() + "'.");
        m_view->selectRemote(id);
    } else {
        m_session->reportStep(tr("Найден незарегистрированный пульт №") + QString::number(id));
    }
    // Polling waits for the user's "Поиск".
    emit signal_show_btn_next_device_search(true);
}
