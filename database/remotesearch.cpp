// Finding out whose remote is in one's hand: the stick listens, and a remote whose
// button is held is named and its row selected.
#include "qremotetablecontroller.h"

#include "commands.h"
#include "qinterface_manager.h"
#include "qmodemsession.h"
#include "qsearchwaitdialog.h"
#include "remotetable.h"

#include <QTableWidget>
#include <QTimer>

namespace
{
constexpr int NOTHING_NEW_POLL_MS = 500;
}

void QRemoteTableController::find_button_clicked()
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

        const QMetaObject::Connection found = connect(m_session, &QModemSession::deviceFound, this,
                                                      &QRemoteTableController::device_found);
        connect(&dialog, &QWaitDialog::extButtonClicked, this,
                &QRemoteTableController::request_found_device);
        connect(this, &QRemoteTableController::signal_show_btn_next_device_search, &dialog,
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

void QRemoteTableController::request_found_device()
{
    if (!m_session->modem().listening())
        return;
    emit signal_show_btn_next_device_search(false);
    m_session->reportStep(tr("Определение пульта... \nНажмите и удерживайте в течение 4 секунд "
                             "кнопку на пульте для его определения."));
    m_session->sendDataCommand(CMD_GET_FOUND_REMOTE, TARGET_DEVICE);
}

void QRemoteTableController::request_found_device_later()
{
    const int run = m_searchRun;
    QTimer::singleShot(NOTHING_NEW_POLL_MS, this, [this, run] {
        if (run == m_searchRun)
            request_found_device();
    });
}

void QRemoteTableController::device_found(int value)
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
    const auto known = std::find_if(remoteList.cbegin(), remoteList.cend(),
                                    [id](const QControlDevice &r) { return r.id() == id; });
    if (known != remoteList.cend()) {
        m_session->reportStep(tr("Найден пульт, владелец '") + known->ownerName() + "'.");
        const int row = row_of_id(id);
        if (row != -1)
            m_widgets.table->setCurrentCell(row, COLUMN_ID);
    } else {
        m_session->reportStep(tr("Найден незарегистрированный пульт №") + QString::number(id));
    }
    // Polling waits for the user's "Поиск".
    emit signal_show_btn_next_device_search(true);
}
