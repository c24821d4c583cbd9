// Parameters of the stick and the actuator, actuator initialisation and factory reset.
#include "devicemodel.h"

#include "protocol.h"

namespace vexo::emu
{

namespace
{

QByteArray idBytes(quint16 id)
{
    QByteArray b;
    b.append(char(id & 0xFF));
    b.append(char(id >> 8));
    return b;
}

QByteArray word16(int v)
{
    return idBytes(quint16(qBound(0, v, 0xFFFF)));
}

} // namespace

DeviceModel::Reply DeviceModel::getParam(const Frame &f, qint64 nowMs)
{
    const quint8 target = f.targetLow();
    if (target > 2)
        return status(StatusBadPayload, 0, 0, QStringLiteral("parameter at target %1").arg(target));
    const bool actuator = target != 0;
    const quint16 source = actuator ? 1 : 0;
    if (f.payload.size() != 2)
        return status(StatusBadPayload, 0, source,
                      QStringLiteral("parameter id of %1 bytes").arg(f.payload.size()));
    if (actuator && !actuatorReachable(nowMs))
        return status(StatusNoLink, 0, source, QStringLiteral("actuator not reachable"));
    const quint16 id = quint16(quint8(f.payload.at(0)) | (quint8(f.payload.at(1)) << 8));

    QByteArray data;
    if (id == ParamVersion) {
        const std::array<quint8, 4> &v = actuator ? m_state.actuatorVersion : m_state.modemVersion;
        // The actuator sends its first and last bytes the other way round.
        const std::array<quint8, 4> order =
            actuator ? std::array<quint8, 4>{3, 1, 2, 0} : std::array<quint8, 4>{0, 1, 2, 3};
        for (quint8 i : order)
            data.append(char(v[i]));
    } else if (id == ParamMemory) {
        const int total = actuator ? m_state.actuatorCapacity : m_state.modemCapacity;
        const int used =
            int(actuator ? m_state.actuatorRemotes.size() : m_state.modemRemotes.size());
        data = word16(qMax(0, total - used)) + word16(total);
    } else if (!actuator && id == ParamUploadTableMode) {
        data = QByteArray(1, char(m_state.uploadTableMode));
    } else if (!actuator && id == ParamUpdateFlashMode) {
        data = QByteArray(1, char(m_state.updateFlashMode));
    } else if (!actuator && id == ParamUploadParamsMode) {
        data = QByteArray(1, char(m_state.uploadParamsMode));
    } else if (actuator && id >= ParamWorkMode && id <= ParamRollerTime) {
        data = QByteArray(1, char(m_state.params[id - 1]));
    } else {
        return status(StatusBadPayload, 0, source,
                      QStringLiteral("no parameter 0x%1").arg(id, 0, 16));
    }
    Reply r;
    r.frames.append(makeDataFrame(AnsParam, source, idBytes(id) + data));
    r.note = QStringLiteral("parameter 0x%1 = %2")
                 .arg(id, 0, 16)
                 .arg(QString::fromLatin1(data.toHex(' ')));
    return r;
}

DeviceModel::Reply DeviceModel::setParam(const Frame &f, qint64 nowMs)
{
    const quint8 target = f.targetLow();
    if (target > 2)
        return status(StatusBadPayload, 0, 0, QStringLiteral("parameter at target %1").arg(target));
    const bool actuator = target != 0;
    const quint16 source = actuator ? 1 : 0;
    if (f.payload.size() != 3)
        return status(StatusBadPayload, 0, source,
                      QStringLiteral("parameter write of %1 bytes").arg(f.payload.size()));
    const quint16 id = quint16(quint8(f.payload.at(0)) | (quint8(f.payload.at(1)) << 8));
    const quint8 value = quint8(f.payload.at(2));
    if (!fullAccess())
        return status(StatusNoPrivileges, 0, source,
                      QStringLiteral("parameter write without full access"));

    if (!actuator) {
        bool *mode = id == ParamUploadTableMode    ? &m_state.uploadTableMode
                     : id == ParamUpdateFlashMode  ? &m_state.updateFlashMode
                     : id == ParamUploadParamsMode ? &m_state.uploadParamsMode
                                                   : nullptr;
        if (!mode || value > 1)
            return status(StatusBadPayload, 0, 0,
                          QStringLiteral("stick parameter 0x%1 = %2").arg(id, 0, 16).arg(value));
        *mode = value;
        return status(StatusDone, 0, 0,
                      QStringLiteral("stick mode 0x%1 = %2").arg(id, 0, 16).arg(value));
    }

    if (!actuatorReachable(nowMs))
        return status(StatusNoLink, 0, source, QStringLiteral("actuator not reachable"));
    if (id == ParamApplyRestore) {
        if (value == 1) {
            m_state.appliedParams = m_state.params;
            return status(StatusDone, 0, source, QStringLiteral("parameters applied"));
        }
        if (value == 0) {
            m_state.params = m_state.appliedParams;
            return status(StatusDone, 0, source, QStringLiteral("parameters restored"));
        }
        return status(StatusDeviceFailed, 0, source,
                      QStringLiteral("apply/restore with %1").arg(value));
    }
    if (id >= ParamWorkMode && id <= ParamRollerTime) {
        if (!EmulatorState::paramInRange(id, value))
            return status(StatusDeviceFailed, 0, source,
                          QStringLiteral("parameter %1 = %2 out of range").arg(id).arg(value));
        m_state.params[id - 1] = value;
        return status(StatusDone, 0, source,
                      QStringLiteral("parameter %1 = %2").arg(id).arg(value));
    }
    return status(StatusBadPayload, 0, source, QStringLiteral("no parameter 0x%1").arg(id, 0, 16));
}

DeviceModel::Reply DeviceModel::factoryReset(const Frame &f, qint64 nowMs)
{
    const quint8 target = f.targetLow();
    if (target != 1 && target != 2)
        return status(StatusBadPayload, 0, 0,
                      QStringLiteral("factory reset at target %1").arg(target));
    if (!fullAccess())
        return status(StatusNoPrivileges, 0, 1,
                      QStringLiteral("factory reset without full access"));
    if (!actuatorReachable(nowMs))
        return status(StatusNoLink, 0, 1, QStringLiteral("actuator not reachable"));
    m_state.params = EmulatorState::defaultParams();
    m_state.appliedParams = m_state.params;
    return status(StatusDone, 0, 1, QStringLiteral("factory settings"));
}

DeviceModel::Reply DeviceModel::deviceInit(qint64 nowMs)
{
    if (m_state.initFailures > 0) {
        --m_state.initFailures;
        return status(
            StatusNoLink, 0, 0,
            QStringLiteral("actuator not answering yet (%1 more)").arg(m_state.initFailures));
    }
    if (!actuatorReachable(nowMs))
        return status(StatusNoLink, 0, 0, QStringLiteral("actuator not reachable"));
    return status(StatusDone, 0, 0, QStringLiteral("actuator linked"));
}

} // namespace vexo::emu
