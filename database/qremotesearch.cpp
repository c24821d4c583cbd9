#include "qremotesearch.h"

#include "commands.h"
#include "prompts.h"
#include "qadddevicedialog.h"
#include "qlineoperation.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qremoteoperations.h"
#include "qremotetableview.h"
#include "qsearchwaitdialog.h"
#include "remotelist.h"

#include <QTimer>

#include <memory>

namespace
{
constexpr int NOTHING_NEW_POLL_MS = 500;
} // namespace

namespace
{
// A poll of the stick for the remote it heard: an answer naming it ends the poll; the
// listening's other answers (to the mode switch) are acknowledgements.
class FoundRemoteStep : public QLineStep
{
public:
    using QLineStep::QLineStep;

    int heard() const { return m_heard; }

    int judge(const QRS232Message &request, const QRS232Message &answer) override
    {
        if (!answer.is_data_frame() || answer.command() != ANS_FOUND_REMOTE) {
            const int result = QLineStep::judge(request, answer);
            // A poll is answered with what was heard; a bare "done" would pass for nothing
            // heard, poll after poll.
            if (result == QModemSession::RESULT_OK && request.is_data_frame() &&
                request.command() == CMD_GET_FOUND_REMOTE)
                return QModemSession::RESULT_BAD_ANSWER;
            return result;
        }
        if (!request.is_data_frame() || request.command() != CMD_GET_FOUND_REMOTE)
            return QModemSession::RESULT_BAD_ANSWER;
        const QByteArray payload = answer.payload();
        m_heard = -1;
        if (payload.size() == 4 && payload != QByteArray(4, char(0xFF)))
            m_heard = int(quint32(quint8(payload[0])) | quint32(quint8(payload[1])) << 8 |
                          quint32(quint8(payload[2])) << 16 | quint32(quint8(payload[3])) << 24);
        return QModemSession::RESULT_OK;
    }

private:
    int m_heard = -1;
};
} // namespace

QRemoteSearch::QRemoteSearch(QModemSession *session, RemoteList *list, QRemoteTableView *view,
                             QRemoteOperations *operations, QObject *parent)
    : QObject(parent), m_session(session), m_list(list), m_view(view), m_operations(operations)
{
}

bool QRemoteSearch::poll(QOperation *operation, const std::function<void(int)> &heard)
{
    auto step = std::make_shared<FoundRemoteStep>(m_session);
    return m_session->proceed(
        operation, TRANSACTION_WIZARD,
        [this] { m_session->sendDataCommand(CMD_GET_FOUND_REMOTE, TARGET_DEVICE); },
        [step, heard](bool ok) {
            if (ok)
                heard(step->heard());
        },
        step.get());
}

void QRemoteSearch::setModemMode(QOperation *operation, quint8 mode,
                                 const std::function<void()> &next)
{
    const QPointer<QOperation> running = operation;
    m_session->proceed(
        operation, TRANSACTION_MODEM_MODE,
        [this, mode] {
            m_session->sendShortCommand(SHORT_CLASS_COMMAND, CMD_SET_MODEM_MODE >> 8, mode);
        },
        [this, mode, running, next](bool ok) {
            if (!ok)
                return;
            // The stick's mode is known even when a Cancel ended the operation between the
            // answer and this step; what follows the switch is not done then.
            m_searchModeLeft = mode == MODEM_MODE_SEARCH;
            if (mode == MODEM_MODE_NORMAL)
                m_session->modem().setWorkMode(true);
            if (next && running && !running->isFinished())
                next();
        });
}

void QRemoteSearch::leaveSearchMode(QOperation *operation, const std::function<void()> &next)
{
    setModemMode(operation, MODEM_MODE_NORMAL, next);
}

QOperation *QRemoteSearch::restoreNormalMode()
{
    // A stick lost during a search comes back still listening.
    if (!m_searchModeLeft || !m_session->connected())
        return nullptr;
    QOperation *operation = m_session->beginOrTell(tr("Установка режима работы"), false);
    if (operation)
        leaveSearchMode(operation, {});
    return operation;
}

void QRemoteSearch::add_button_clicked()
{
    if (m_active || !m_operations->remoteChangeAllowed(true))
        return;
    QOperation *operation = m_session->beginOrTell(tr("Изменение режима работы устройства"), false);
    if (!operation)
        return;
    m_active = true;
    setModemMode(operation, MODEM_MODE_SEARCH, [this] { m_session->modem().setListening(true); });
    connect(operation, &QOperation::finished, this, [this, operation] {
        if (!operation->succeeded()) {
            m_active = false;
            return;
        }
        auto *wizard = new QAddDeviceDialog(m_session->dialogParent(), &m_list->remotes(),
                                            ownerNames, m_session, this);
        connect(wizard, &QAddDeviceDialog::signalSendUsartCommand, this,
                [this](QInterfaceMessage &message) {
                    QRS232Message command(nullptr, message.frame());
                    m_session->sendCommand(command);
                });
        connect(wizard, &QDialog::finished, this, [this, wizard](int result) {
            const QControlDevice remote(nullptr, wizard->foundId(), wizard->foundGroup(),
                                        wizard->ownerName(), true, wizard->workMode());
            wizard->deleteLater();
            m_session->modem().setListening(false);
            finishRegistration(result, remote);
        });
        wizard->start();
    });
}

void QRemoteSearch::finishRegistration(int result, const QControlDevice &remote)
{
    if (!m_session->connected()) {
        m_active = false;
        return;
    }
    m_session->whenIdle(this, [this, result, remote](bool dropped) {
        QOperation *operation =
            m_session->connected()
                ? m_session->beginOrTell(tr("Изменение режима работы устройства"), false)
                : nullptr;
        if (!operation) {
            m_active = false;
            return;
        }
        connect(operation, &QOperation::finished, this, [this] { m_active = false; });
        const QString failed = tr("Не удалось добавить новый пульт");
        if (result != 0)
            operation->setLostText(failed);
        leaveSearchMode(operation, [this, operation, result, remote, dropped, failed] {
            if (result == 0)
                return;
            Prompts *prompts = m_session->prompts();
            QWidget *parent = m_session->dialogParent();
            // The wizard's last poll went unanswered: the remote it heard is not certain.
            if (dropped) {
                prompts->warning(parent, tr("Ошибка"), failed, QMessageBox::Ok);
                return;
            }
            if (!ownerNames.contains(remote.ownerName()))
                ownerNames.append(remote.ownerName());
            m_operations->afterDeviceVersion(operation, [=] {
                operation->setText(tr("Запись устройств в USB-stick и исполнительное устройство"));
                m_operations->proceedWriteRemote(
                    operation, remote, m_operations->singleRemoteTarget(), [=](bool written) {
                        m_session->operationLog()->append(OPERATION_REMOTE_ADDED, {remote.id()},
                                                          written);
                        if (!written) {
                            // A vanished stick's warning has said it already.
                            if (m_session->connected())
                                prompts->warning(parent, tr("Ошибка"), failed, QMessageBox::Ok);
                            return;
                        }
                        m_list->setRemotes(m_list->remotes() + QList<QControlDevice>{remote});
                        m_list->need_saving();
                    });
            });
        });
    });
}

void QRemoteSearch::find_button_clicked()
{
    if (m_active || !m_session->connected())
        return;
    QOperation *operation = m_session->begin(tr("Установка режима работы"), true, true);
    if (operation->outcome() == QOperation::Refused) {
        m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"),
                                      operation->errorString(), QMessageBox::Ok);
        return;
    }
    m_active = true;
    m_finding = operation;
    const QPointer<QSearchWaitDialog> dialog =
        new QSearchWaitDialog(m_session->dialogParent(), operation, m_session);
    connect(operation, &QOperation::stepped, dialog, &QWaitDialog::setText);
    connect(dialog, &QWaitDialog::extButtonClicked, this, &QRemoteSearch::request_found_device);
    connect(this, &QRemoteSearch::signal_show_btn_next_device_search, dialog,
            &QWaitDialog::setExtOperationEnabled);
    dialog->open();
    // Queued: a poll answered together with the user's "Закрыть" is heard first.
    connect(operation, &QOperation::finished, this, &QRemoteSearch::searchEnded,
            Qt::QueuedConnection);
    setModemMode(operation, MODEM_MODE_SEARCH, [this, dialog] {
        QModem &modem = m_session->modem();
        modem.setWorkMode(false);
        modem.setListening(true);
        // A new search: the remote that ended the last one is news again when pressed.
        modem.setLastFoundId(-1);
        if (dialog) {
            dialog->setCaption(tr("Поиск пульта"));
            dialog->setExtButtonText(tr("Поиск"));
            dialog->setCancelButtonText(tr("Закрыть"));
        }
        request_found_device();
    });
}

void QRemoteSearch::searchEnded()
{
    m_finding = nullptr;
    m_session->modem().setListening(false);
    if (!m_searchModeLeft || !m_session->connected()) {
        m_active = false;
        return;
    }
    m_session->whenIdle(this, [this](bool) {
        QOperation *operation = m_session->connected()
                                    ? m_session->beginOrTell(tr("Установка режима работы"), true)
                                    : nullptr;
        if (!operation) {
            m_active = false;
            return;
        }
        connect(operation, &QOperation::finished, this, [this] { m_active = false; });
        leaveSearchMode(operation, {});
    });
}

void QRemoteSearch::request_found_device()
{
    if (!m_session->modem().listening() || !m_finding)
        return;
    emit signal_show_btn_next_device_search(false);
    m_finding->reportStep(tr("Определение пульта... \nНажмите и удерживайте в течение 4 секунд "
                             "кнопку на пульте для его определения."));
    poll(m_finding, [this](int heard) { device_found(heard); });
}

void QRemoteSearch::requestFoundDeviceLater()
{
    // Held without a transaction until the next poll; one scheduled for a search that has
    // ended goes nowhere, as its operation is gone.
    if (!m_finding)
        return;
    m_session->hold(m_finding);
    QTimer::singleShot(NOTHING_NEW_POLL_MS, m_finding, [this] { request_found_device(); });
}

void QRemoteSearch::device_found(int value)
{
    QModem &modem = m_session->modem();
    // Heard even when a Cancel ended the search while this answer was handled.
    if (!modem.listening())
        return;
    const int id = value & QControlDevice::ErasedId;
    // The erased-record id names no remote: taken as nothing heard.
    if (value == -1 || id == QControlDevice::ErasedId) {
        modem.setLastFoundId(-1);
        requestFoundDeviceLater();
        return;
    }
    // The remote announced last is still held.
    if (value == modem.lastFoundId()) {
        requestFoundDeviceLater();
        return;
    }
    modem.setLastFoundId(value);
    const QList<QControlDevice> &remotes = m_list->remotes();
    const auto known = std::find_if(remotes.cbegin(), remotes.cend(),
                                    [id](const QControlDevice &r) { return r.id() == id; });
    if (known != remotes.cend()) {
        reportFound(tr("Найден пульт, владелец '") + known->ownerName() + "'.");
        m_view->selectRemote(id);
    } else {
        reportFound(tr("Найден незарегистрированный пульт №") + QString::number(id));
    }
    // Polling waits for the user's "Поиск".
    if (m_finding)
        m_session->hold(m_finding);
    emit signal_show_btn_next_device_search(true);
}

void QRemoteSearch::reportFound(const QString &text)
{
    if (m_finding)
        m_finding->reportStep(text);
}
