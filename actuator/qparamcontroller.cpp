// Reading, writing, applying and restoring the actuator's parameters, and its factory
// reset, one parameter per exchange.
#include "qparamcontroller.h"

#include "actuatorparams.h"
#include "commands.h"
#include "prompts.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qpropertywidget.h"

#include <QHash>

namespace
{
quint16 paramId(const QByteArray &payload)
{
    return quint16(quint8(payload.at(0)) | (quint8(payload.at(1)) << 8));
}
} // namespace

QParamController::QParamController(QModemSession *session, QTableWidget *table, QObject *parent)
    : QObject(parent), m_session(session), m_table(table)
{
    register_steps();
}

QParamController::~QParamController() = default;

void QParamController::register_steps()
{
    QModemSession::TransactionStep read;
    read.judge = [this](const QRS232Message &request, const QRS232Message &answer) {
        if (!answer.is_data_frame() || answer.command() != ANS_PARAM) {
            quint16 code = 0;
            const bool success = request.check_answer(answer, &code);
            return int(!success && (code & 0xFF) == STATUS_NO_LINK
                           ? QModemSession::RESULT_NO_LINK
                           : QModemSession::RESULT_BAD_ANSWER);
        }
        const QByteArray asked = request.frame_payload();
        const QByteArray data = answer.payload();
        if (asked.size() <= 1 || data.size() <= 2 || paramId(asked) != paramId(data))
            return int(QModemSession::RESULT_BAD_ANSWER);
        m_session->execDevice().setParamValue(paramId(data), quint8(data.at(2)));
        if (!pendingParams.isEmpty())
            pendingParams.removeFirst();
        return int(QModemSession::RESULT_OK);
    };
    read.next = [this] {
        if (pendingParams.isEmpty())
            return true;
        m_session->request_device_param(pendingParams.first());
        return false;
    };
    m_session->registerStep(TRANSACTION_READ_PARAMS, read);

    // Each acknowledgement takes one parameter off the list; the values to send are
    // already in the actuator image.
    QModemSession::TransactionStep write;
    write.next = [this] {
        if (!pendingParams.isEmpty())
            pendingParams.removeFirst();
        if (pendingParams.isEmpty())
            return true;
        const quint16 id = pendingParams.first();
        m_session->set_device_param(id, m_session->execDevice().paramValue(id));
        return false;
    };
    m_session->registerStep(TRANSACTION_WRITE_PARAMS, write);
}

bool QParamController::ensure_device_version()
{
    const QExecDevice &device = m_session->execDevice();
    if (device.remoteMode() || device.isVersionKnown())
        return true;
    return m_session->get_device_version();
}

void QParamController::read_pending()
{
    if (pendingParams.isEmpty())
        return;
    m_session->runOperation(tr("Запрос параметров исполнительного устройства..."), true,
                            TRANSACTION_READ_PARAMS,
                            [this] { m_session->request_device_param(pendingParams.first()); });
    // Values that arrived before a failure are the actuator's and are shown as such.
    refreshParamTable();
}

void QParamController::read_back(bool checkVersion)
{
    pendingParams.clear();
    for (int row = 0; row < rowCount(); ++row)
        pendingParams.append(quint16(row + 1));
    if (checkVersion && !ensure_device_version()) {
        refreshParamTable();
        return;
    }
    read_pending();
}

void QParamController::forget_values()
{
    QExecDevice &device = m_session->execDevice();
    for (int row = 0; row < rowCount(); ++row)
        device.setParamValue(quint16(row + 1), QExecDevice::Unknown);
}

void QParamController::load_exe_device_properties()
{
    pendingParams.clear();
    for (int row = 0; row < rowCount(); ++row)
        if (editor(row)->isMarked())
            pendingParams.append(quint16(row + 1));
    if (pendingParams.isEmpty()) {
        if (m_session->prompts()->question(
                m_session->dialogParent(), tr("Информация"),
                tr("Ни один из параметров не помечен для загрузки из конечного устройства. "
                   "Загрузить все параметры?"),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) != QMessageBox::Yes)
            return;
        for (int row = 0; row < rowCount(); ++row)
            pendingParams.append(quint16(row + 1));
    }
    if (!ensure_device_version())
        return;
    read_pending();
}

bool QParamController::save_exe_device_properties()
{
    pendingParams.clear();
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    QExecDevice &device = m_session->execDevice();

    // In remote mode every row is written, marked or not.
    bool allRows = device.remoteMode();
    QList<quint8> values;
    for (;;) {
        for (int row = 0; row < rowCount(); ++row) {
            const QPropertyWidget *e = editor(row);
            if (!allRows && !e->isMarked())
                continue;
            const int v = e->value();
            if (v == QPropertyWidget::NoValue) {
                pendingParams.clear();
                prompts->warning(parent, tr("Ошибка"),
                                 tr("Параметр %1 не задан").arg(rowHeader(row)), QMessageBox::Ok);
                return false;
            }
            pendingParams.append(quint16(row + 1));
            values.append(quint8(v & 0xFF));
        }
        if (!pendingParams.isEmpty())
            break;
        if (prompts->question(parent, tr("Информация"),
                              tr("Ни один из параметров не помечен для сохранения в конечном "
                                 "устройстве. Сохранить все параметры?"),
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::Yes) != QMessageBox::Yes)
            return false;
        allRows = true;
    }
    if (!ensure_device_version())
        return false;

    // The image holds what is being sent, so each step sends from it; what the
    // actuator did not acknowledge goes back to what it was before.
    QHash<quint16, quint8> previous;
    for (int i = 0; i < pendingParams.size(); ++i) {
        const quint16 id = pendingParams.at(i);
        previous.insert(id, device.paramValue(id));
        device.setParamValue(id, values.at(i));
    }
    const bool written =
        m_session->runOperation(tr("Установка параметров исполнительного устройства..."), true,
                                TRANSACTION_WRITE_PARAMS, [this, &device] {
                                    const quint16 id = pendingParams.first();
                                    m_session->set_device_param(id, device.paramValue(id));
                                });
    m_session->operationLog()->append(OPERATION_PARAMS_WRITTEN, {}, written,
                                      tr("параметров: %1").arg(values.size()));
    if (!written) {
        for (quint16 id : qAsConst(pendingParams))
            device.setParamValue(id, previous.value(id, QExecDevice::Unknown));
        return false;
    }
    refreshParamTable();
    return true;
}

void QParamController::set_def_exe_device_properties()
{
    const bool reset = m_session->runOperation(
        tr("Восстановление заводских настроек..."), true, TRANSACTION_FACTORY_RESET,
        [this] { m_session->sendDataCommand(CMD_FACTORY_RESET, TARGET_DEVICE); });
    m_session->operationLog()->append(OPERATION_FACTORY_RESET, {}, reset);
    if (!reset)
        return;
    forget_values();
    read_back(true);
}

void QParamController::apply_restore_exe_device_properties(bool apply)
{
    if (apply && !save_exe_device_properties())
        return;
    const QString text = apply ? tr("Применение параметров исполнительного устройства...")
                               : tr("Восстановление параметров исполнительного устройства...");
    QByteArray payload;
    payload.append(char(PARAM_APPLY_RESTORE & 0xFF))
        .append(char(PARAM_APPLY_RESTORE >> 8))
        .append(char(apply ? PARAM_APPLY : PARAM_RESTORE));
    if (!m_session->runOperation(text, true, TRANSACTION_SET_PARAM, [this, &payload] {
            m_session->sendDataCommand(CMD_SET_PARAM, TARGET_DEVICE, payload);
        }))
        return;
    // A restore brings back values the image may never have held.
    if (!apply)
        forget_values();
    read_back(false);
}
