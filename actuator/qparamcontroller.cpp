// Reading, writing, applying and restoring the actuator's parameters, and its factory
// reset, one parameter per exchange.
#include "qparamcontroller.h"

#include "actuatorparams.h"
#include "commands.h"
#include "prompts.h"
#include "qlineoperation.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qpropertywidget.h"

#include <QCheckBox>
#include <QHash>

namespace
{
quint16 paramId(const QByteArray &payload)
{
    return quint16(quint8(payload.at(0)) | (quint8(payload.at(1)) << 8));
}
} // namespace

// Each answer brings the value of the first parameter asked for and takes it off the list.
class QParamController::ReadStep : public QLineStep
{
public:
    ReadStep(QModemSession *session, QList<quint16> *pending)
        : QLineStep(session), m_pending(pending)
    {
    }

    int judge(const QRS232Message &request, const QRS232Message &answer) override
    {
        if (!answer.is_data_frame() || answer.command() != ANS_PARAM) {
            quint16 code = 0;
            const bool success = request.check_answer(answer, &code);
            return !success && (code & 0xFF) == STATUS_NO_LINK ? QModemSession::RESULT_NO_LINK
                                                               : QModemSession::RESULT_BAD_ANSWER;
        }
        const QByteArray asked = request.frame_payload();
        const QByteArray data = answer.payload();
        if (asked.size() <= 1 || data.size() <= 2 || paramId(asked) != paramId(data))
            return QModemSession::RESULT_BAD_ANSWER;
        session()->execDevice().setParamValue(paramId(data), quint8(data.at(2)));
        if (!m_pending->isEmpty())
            m_pending->removeFirst();
        return QModemSession::RESULT_OK;
    }

    bool next() override
    {
        if (m_pending->isEmpty())
            return true;
        session()->request_device_param(m_pending->first());
        return false;
    }

private:
    QList<quint16> *m_pending;
};

// Each acknowledgement takes one parameter off the list; the values to send are already
// in the actuator image.
class QParamController::WriteStep : public QLineStep
{
public:
    WriteStep(QModemSession *session, QList<quint16> *pending)
        : QLineStep(session), m_pending(pending)
    {
    }

    bool next() override
    {
        if (!m_pending->isEmpty())
            m_pending->removeFirst();
        if (m_pending->isEmpty())
            return true;
        const quint16 id = m_pending->first();
        session()->set_device_param(id, session()->execDevice().paramValue(id));
        return false;
    }

private:
    QList<quint16> *m_pending;
};

QParamController::QParamController(QModemSession *session, QTableWidget *table, QObject *parent)
    : QObject(parent), m_session(session), m_table(table),
      m_readStep(std::make_unique<ReadStep>(session, &pendingParams)),
      m_writeStep(std::make_unique<WriteStep>(session, &pendingParams))
{
}

QParamController::~QParamController() = default;

void QParamController::afterVersion(QOperation *operation, const std::function<void()> &next,
                                    const std::function<void()> &failed)
{
    const QExecDevice &device = m_session->execDevice();
    if (device.remoteMode() || device.isVersionKnown()) {
        next();
        return;
    }
    m_session->proceedDeviceVersion(operation, [next, failed](bool ok) {
        if (ok)
            next();
        else if (failed)
            failed();
    });
}

void QParamController::readPending(QOperation *operation)
{
    if (pendingParams.isEmpty()) {
        m_session->complete(operation, true);
        return;
    }
    operation->setText(tr("Запрос параметров исполнительного устройства..."));
    m_session->proceed(
        operation, TRANSACTION_READ_PARAMS,
        [this] { m_session->request_device_param(pendingParams.first()); },
        // Values that arrived before a failure are the actuator's and are shown as such.
        [this](bool) { refreshParamTable(); }, m_readStep.get());
}

void QParamController::readBack(QOperation *operation, bool checkVersion)
{
    pendingParams.clear();
    for (int row = 0; row < rowCount(); ++row)
        pendingParams.append(quint16(row + 1));
    if (!checkVersion) {
        readPending(operation);
        return;
    }
    afterVersion(
        operation, [this, operation] { readPending(operation); }, [this] { refreshParamTable(); });
}

void QParamController::forgetValues()
{
    QExecDevice &device = m_session->execDevice();
    for (int row = 0; row < rowCount(); ++row)
        device.setParamValue(quint16(row + 1), QExecDevice::Unknown);
}

void QParamController::unmarkAll()
{
    // The edits they marked were replaced in the actuator; a later write must not send
    // them again unasked.
    for (int row = 0; row < rowCount(); ++row)
        if (QPropertyWidget *e = editor(row))
            e->markBox()->setChecked(false);
}

void QParamController::load_exe_device_properties()
{
    QList<quint16> ids;
    for (int row = 0; row < rowCount(); ++row)
        if (editor(row)->isMarked())
            ids.append(quint16(row + 1));
    if (ids.isEmpty() &&
        m_session->prompts()->question(
            m_session->dialogParent(), tr("Информация"),
            tr("Ни один из параметров не помечен для загрузки из конечного устройства. "
               "Загрузить все параметры?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) != QMessageBox::Yes)
        return;
    readParams(ids);
}

QOperation *QParamController::readParams(const QList<quint16> &ids)
{
    QOperation *read =
        m_session->beginOrTell(tr("Запрос параметров исполнительного устройства..."), true);
    if (!read)
        return nullptr;
    pendingParams = ids;
    if (pendingParams.isEmpty())
        for (int row = 0; row < rowCount(); ++row)
            pendingParams.append(quint16(row + 1));
    read->setLostText(tr("Параметры исполнительного устройства не прочитаны."));
    afterVersion(read, [this, read] { readPending(read); });
    return read;
}

bool QParamController::collectWrites(QList<quint8> *values)
{
    pendingParams.clear();
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    // In remote mode every row is written, marked or not.
    bool allRows = m_session->execDevice().remoteMode();
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
            values->append(quint8(v & 0xFF));
        }
        if (!pendingParams.isEmpty())
            return true;
        if (prompts->question(parent, tr("Информация"),
                              tr("Ни один из параметров не помечен для сохранения в конечном "
                                 "устройстве. Сохранить все параметры?"),
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::Yes) != QMessageBox::Yes)
            return false;
        allRows = true;
    }
}

void QParamController::writePending(QOperation *operation, const QList<quint8> &values,
                                    const std::function<void()> &written)
{
    afterVersion(operation, [this, operation, values, written] {
        // The image holds what is being sent, so each step sends from it; what the
        // actuator did not acknowledge goes back to what it was before.
        QExecDevice &device = m_session->execDevice();
        QHash<quint16, quint8> previous;
        for (int i = 0; i < pendingParams.size(); ++i) {
            const quint16 id = pendingParams.at(i);
            previous.insert(id, device.paramValue(id));
            device.setParamValue(id, values.at(i));
        }
        operation->setText(tr("Установка параметров исполнительного устройства..."));
        m_session->proceed(
            operation, TRANSACTION_WRITE_PARAMS,
            [this] {
                const quint16 id = pendingParams.first();
                m_session->set_device_param(id, m_session->execDevice().paramValue(id));
            },
            [this, previous, count = values.size(), written](bool ok) {
                m_session->operationLog()->append(OPERATION_PARAMS_WRITTEN, {}, ok,
                                                  tr("параметров: %1").arg(count));
                if (!ok) {
                    for (quint16 id : qAsConst(pendingParams))
                        m_session->execDevice().setParamValue(
                            id, previous.value(id, QExecDevice::Unknown));
                    return;
                }
                refreshParamTable();
                m_session->announce(
                    tr("Параметры записаны в исполнительное устройство: %1").arg(count));
                if (written)
                    written();
            },
            m_writeStep.get());
    });
}

bool QParamController::save_exe_device_properties()
{
    QList<quint8> values;
    if (!collectWrites(&values))
        return false;
    return writeParams(pendingParams, values) != nullptr;
}

QOperation *QParamController::writeParams(const QList<quint16> &ids, const QList<quint8> &values)
{
    const QList<quint16> writes = ids;
    QOperation *write =
        m_session->beginOrTell(tr("Установка параметров исполнительного устройства..."), true);
    if (!write)
        return nullptr;
    pendingParams = writes;
    write->setLostText(tr("Параметры исполнительного устройства не записаны."));
    writePending(write, values, {});
    return write;
}

void QParamController::set_def_exe_device_properties()
{
    if (m_session->prompts()->warning(
            m_session->dialogParent(), tr("Внимание"),
            tr("Параметры исполнительного устройства будут заменены заводскими. Продолжить?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    QOperation *reset = m_session->beginOrTell(tr("Восстановление заводских настроек..."), true);
    if (!reset)
        return;
    reset->setLostText(tr("Заводские настройки исполнительного устройства не восстановлены."));
    m_session->proceed(
        reset, TRANSACTION_FACTORY_RESET,
        [this] { m_session->sendDataCommand(CMD_FACTORY_RESET, TARGET_DEVICE); },
        [this, reset](bool done) {
            m_session->operationLog()->append(OPERATION_FACTORY_RESET, {}, done);
            if (!done)
                return;
            m_session->announce(tr("Восстановлены заводские параметры исполнительного устройства"));
            forgetValues();
            unmarkAll();
            readBack(reset, true);
        });
}

void QParamController::applyOrRestore(QOperation *operation, bool apply)
{
    operation->setText(apply ? tr("Применение параметров исполнительного устройства...")
                             : tr("Восстановление параметров исполнительного устройства..."));
    QByteArray payload;
    payload.append(char(PARAM_APPLY_RESTORE & 0xFF))
        .append(char(PARAM_APPLY_RESTORE >> 8))
        .append(char(apply ? PARAM_APPLY : PARAM_RESTORE));
    m_session->proceed(
        operation, TRANSACTION_SET_PARAM,
        [this, payload] { m_session->sendDataCommand(CMD_SET_PARAM, TARGET_DEVICE, payload); },
        [this, operation, apply](bool done) {
            if (!done)
                return;
            // A restore brings back values the image may never have held.
            if (!apply) {
                forgetValues();
                unmarkAll();
            }
            readBack(operation, false);
        });
}

void QParamController::apply_restore_exe_device_properties(bool apply)
{
    // Applying writes the marked values first, in the same operation.
    QList<quint8> values;
    if (apply && !collectWrites(&values))
        return;
    QOperation *operation = m_session->beginOrTell(
        apply ? tr("Установка параметров исполнительного устройства...")
              : tr("Восстановление параметров исполнительного устройства..."),
        true);
    if (!operation)
        return;
    operation->setLostText(apply ? tr("Параметры исполнительного устройства не записаны.")
                                 : tr("Параметры исполнительного устройства не восстановлены."));
    if (apply)
        writePending(operation, values, [this, operation] { applyOrRestore(operation, true); });
    else
        applyOrRestore(operation, false);
}
