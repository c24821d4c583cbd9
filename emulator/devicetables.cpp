// Remote tables of the stick and the actuator: write, delete, read, clear and copy.
#include "devicemodel.h"

#include "protocol.h"

namespace vexo::emu
{

namespace
{

int indexOfId(const QList<EmulatorRemote> &table, quint32 id)
{
    for (int i = 0; i < table.size(); ++i)
        if (table.at(i).id == id)
            return i;
    return -1;
}

bool fits(const QList<EmulatorRemote> &table, int capacity, quint32 id)
{
    return indexOfId(table, id) >= 0 || table.size() < capacity;
}

void upsert(QList<EmulatorRemote> &table, const EmulatorRemote &remote)
{
    const int i = indexOfId(table, remote.id);
    if (i >= 0)
        table[i] = remote;
    else
        table.append(remote);
}

} // namespace

DeviceModel::Reply DeviceModel::writeRemote(const Frame &f, qint64 nowMs)
{
    const quint8 target = f.targetLow();
    const quint16 source = target == 1 ? 1 : 0;
    const bool longRecords = m_state.longRecords();
    if (target > 1)
        return status(StatusBadPayload, 0, 0, QStringLiteral("write to target %1").arg(target));
    if (f.payload.size() != (longRecords ? LongRecordSize : ShortRecordSize))
        return status(StatusBadPayload, 0, source,
                      QStringLiteral("record of %1 bytes, expected %2")
                          .arg(f.payload.size())
                          .arg(longRecords ? LongRecordSize : ShortRecordSize));
    EmulatorRemote remote;
    if (!decodeRecord(f.payload, longRecords, &remote))
        return status(StatusBadPayload, 0, source,
                      QStringLiteral("record not in use or with the erased id"));

    // Without full access a user may still block or unblock a known remote, nothing else.
    if (!fullAccess()) {
        const int i = indexOfId(m_state.modemRemotes, remote.id);
        EmulatorRemote toggled = remote;
        if (i >= 0)
            toggled.active = m_state.modemRemotes.at(i).active;
        if (i < 0 || toggled != m_state.modemRemotes.at(i))
            return status(StatusNoPrivileges, 0, source,
                          QStringLiteral("write without full access"));
    }
    if (target == 1 && !actuatorReachable(nowMs))
        return status(StatusNoLink, 0, source, QStringLiteral("actuator not reachable"));
    if (!fits(m_state.modemRemotes, m_state.modemCapacity, remote.id))
        return status(StatusMemoryFull, 0, source, QStringLiteral("stick memory full"));
    if (target == 1 && !fits(m_state.actuatorRemotes, m_state.actuatorCapacity, remote.id))
        return status(StatusDeviceFailed, 0, source, QStringLiteral("actuator memory full"));

    const bool replaced = indexOfId(m_state.modemRemotes, remote.id) >= 0;
    upsert(m_state.modemRemotes, remote);
    if (target == 1)
        upsert(m_state.actuatorRemotes, remote);
    return status(StatusDone, 0, source,
                  QStringLiteral("%1 remote %2 \"%3\"%4")
                      .arg(replaced ? QStringLiteral("replaced") : QStringLiteral("added"))
                      .arg(remote.id)
                      .arg(remote.ownerName)
                      .arg(target == 1 ? QStringLiteral(" in stick and actuator") : QString()));
}

DeviceModel::Reply DeviceModel::deleteRemote(const Frame &f, qint64 nowMs)
{
    const quint8 target = f.targetLow();
    const quint16 source = target == 1 ? 1 : 0;
    if (target > 1)
        return status(StatusBadPayload, 0, 0, QStringLiteral("delete at target %1").arg(target));
    if (f.payload.size() != 3)
        return status(StatusBadPayload, 0, source,
                      QStringLiteral("id of %1 bytes").arg(f.payload.size()));
    if (!fullAccess())
        return status(StatusNoPrivileges, 0, source, QStringLiteral("delete without full access"));
    if (target == 1 && !actuatorReachable(nowMs))
        return status(StatusNoLink, 0, source, QStringLiteral("actuator not reachable"));
    const quint32 id = quint8(f.payload.at(0)) | (quint8(f.payload.at(1)) << 8) |
                       (quint32(quint8(f.payload.at(2))) << 16);
    bool found = false;
    const int m = indexOfId(m_state.modemRemotes, id);
    if (m >= 0) {
        m_state.modemRemotes.removeAt(m);
        found = true;
    }
    if (target == 1) {
        const int a = indexOfId(m_state.actuatorRemotes, id);
        if (a >= 0) {
            m_state.actuatorRemotes.removeAt(a);
            found = true;
        }
    }
    if (!found)
        return status(StatusDeviceFailed, 0, source, QStringLiteral("remote %1 not held").arg(id));
    return status(StatusDone, 0, source, QStringLiteral("deleted remote %1").arg(id));
}

DeviceModel::Reply DeviceModel::readRemote(const Frame &f, bool first)
{
    if (f.targetLow() != 0)
        return status(StatusBadPayload, 0, 0,
                      QStringLiteral("read at target %1").arg(f.targetLow()));
    if (first)
        m_readCursor = 0;
    const bool longRecords = m_state.longRecords();
    Reply r;
    if (m_readCursor < m_state.modemRemotes.size()) {
        const EmulatorRemote &remote = m_state.modemRemotes.at(m_readCursor);
        r.frames.append(makeDataFrame(AnsRemote, 0, encodeRecord(remote, longRecords)));
        r.note = QStringLiteral("record %1: remote %2 \"%3\"")
                     .arg(m_readCursor)
                     .arg(remote.id)
                     .arg(remote.ownerName);
        ++m_readCursor;
    } else {
        r.frames.append(makeDataFrame(AnsRemote, 0, erasedRecord(longRecords)));
        r.note = QStringLiteral("end of table");
    }
    return r;
}

DeviceModel::Reply DeviceModel::startOperation(const Frame &f, qint64 nowMs)
{
    const quint8 target = f.targetLow();
    Operation op = Operation::None;
    bool needsActuator = false;
    if (f.command == CmdClearTable) {
        if (target < 1 || target > 3)
            return status(StatusBadPayload, 0, 0, QStringLiteral("clear mask %1").arg(target));
        op = Operation::Clear;
        needsActuator = target & 2;
    } else {
        if (target > 1)
            return status(StatusBadPayload, 0, 0, QStringLiteral("copy direction %1").arg(target));
        op = target == 0 ? Operation::CopyToActuator : Operation::CopyToModem;
        needsActuator = true;
    }
    if (!fullAccess())
        return status(StatusNoPrivileges, 0, 0, QStringLiteral("table change without full access"));
    if (needsActuator && !actuatorReachable(nowMs))
        return status(StatusNoLink, 0, 0, QStringLiteral("actuator not reachable"));

    m_operation = op;
    m_operationStep = 0;
    m_clearMask = target;
    if (m_state.progressSteps <= 0) {
        quint8 st = StatusDone;
        const QString note = finishOperation(&st);
        return status(st, 0, 0, note);
    }
    return progress(nowMs);
}

DeviceModel::Reply DeviceModel::progress(qint64 nowMs)
{
    if (m_operation == Operation::None)
        return status(StatusDone, 0, 0, QStringLiteral("nothing running"));
    const bool needsActuator = m_operation != Operation::Clear || (m_clearMask & 2);
    if (needsActuator && !actuatorReachable(nowMs)) {
        m_operation = Operation::None;
        return status(StatusNoLink, 0, 0, QStringLiteral("actuator lost during the operation"));
    }
    if (m_operationStep < m_state.progressSteps) {
        const int percent = m_operationStep * 100 / m_state.progressSteps;
        ++m_operationStep;
        return status(StatusRunning, quint8(percent), 0,
                      QStringLiteral("running, %1%").arg(percent));
    }
    quint8 st = StatusDone;
    const QString note = finishOperation(&st);
    return status(st, 0, 0, note);
}

QString DeviceModel::finishOperation(quint8 *st)
{
    const Operation op = m_operation;
    m_operation = Operation::None;
    switch (op) {
    case Operation::Clear:
        if (m_clearMask & 1)
            m_state.modemRemotes.clear();
        if (m_clearMask & 2)
            m_state.actuatorRemotes.clear();
        m_readCursor = 0;
        return QStringLiteral("cleared (mask %1)").arg(m_clearMask);
    case Operation::CopyToActuator:
        if (m_state.modemRemotes.size() > m_state.actuatorCapacity) {
            *st = StatusDeviceFailed;
            return QStringLiteral("copy refused: %1 remotes, actuator holds %2")
                .arg(m_state.modemRemotes.size())
                .arg(m_state.actuatorCapacity);
        }
        m_state.actuatorRemotes = m_state.modemRemotes;
        return QStringLiteral("copied %1 remotes to the actuator")
            .arg(m_state.actuatorRemotes.size());
    case Operation::CopyToModem:
        if (m_state.actuatorRemotes.size() > m_state.modemCapacity) {
            *st = StatusMemoryFull;
            return QStringLiteral("copy refused: %1 remotes, stick holds %2")
                .arg(m_state.actuatorRemotes.size())
                .arg(m_state.modemCapacity);
        }
        m_state.modemRemotes = m_state.actuatorRemotes;
        m_readCursor = 0;
        return QStringLiteral("copied %1 remotes to the stick").arg(m_state.modemRemotes.size());
    case Operation::None:
        break;
    }
    return QString();
}

} // namespace vexo::emu
