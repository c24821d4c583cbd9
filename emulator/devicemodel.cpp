#include "devicemodel.h"

#include "protocol.h"

namespace vexo::emu
{

DeviceModel::DeviceModel(const EmulatorState &state) : m_state(state) {}

void DeviceModel::setState(const EmulatorState &state)
{
    m_state = state;
    m_readCursor = 0;
    m_operation = Operation::None;
}

void DeviceModel::resetLine()
{
    m_readCursor = 0;
    m_lastRequest.clear();
    m_lastReply = Reply();
}

DeviceModel::Reply DeviceModel::status(quint8 st, quint8 detail, quint16 source,
                                       const QString &note)
{
    Reply r;
    QByteArray payload;
    payload.append(char(st));
    payload.append(char(detail));
    r.frames.append(makeDataFrame(AnsStatus, source, payload));
    r.note = note;
    return r;
}

DeviceModel::Reply DeviceModel::handle(const Frame &request, qint64 nowMs)
{
    applyRestarts(nowMs);
    if (modemRestarting(nowMs))
        return Reply{{}, QStringLiteral("stick restarting, request ignored")};

    if (!request.isData) {
        m_lastRequest.clear();
        return handleShort(request);
    }
    // The sender repeats a frame unchanged, sequence number included, only when our
    // answer did not reach it: answer again without doing the work twice.
    if (!m_lastRequest.isEmpty() && request.raw == m_lastRequest) {
        Reply again = m_lastReply;
        again.note = QStringLiteral("repeated frame, same answer again");
        return again;
    }
    Reply reply = handleData(request, nowMs);
    m_lastRequest = request.raw;
    m_lastReply = reply;
    return reply;
}

void DeviceModel::applyRestarts(qint64 nowMs)
{
    if (m_modemVersionPending && !modemRestarting(nowMs)) {
        m_state.modemVersion = m_pendingModemVersion;
        m_modemVersionPending = false;
    }
    if (m_actuatorVersionPending && !actuatorRestarting(nowMs)) {
        m_state.actuatorVersion = m_pendingActuatorVersion;
        m_actuatorVersionPending = false;
    }
}

DeviceModel::Reply DeviceModel::handleShort(const Frame &f)
{
    Reply r;
    switch (f.command) {
    case QueryIdent:
        r.frames.append(
            makeShortFrame(0, QueryIdent + 1, quint16((IdentMark << 8) | m_state.softwareMajor),
                           quint16((m_state.softwareMinor << 8) | m_state.boardRevision)));
        r.note = QStringLiteral("identification");
        return r;
    case QueryMemory: {
        const int total = m_state.modemCapacity;
        const int free = qMax(0, total - int(m_state.modemRemotes.size()));
        r.frames.append(makeShortFrame(0, QueryMemory + 1, quint16(free), quint16(total)));
        r.note = QStringLiteral("%1 of %2 places free").arg(free).arg(total);
        return r;
    }
    case QueryFunctions:
        r.frames.append(makeShortFrame(0, QueryFunctions + 1,
                                       quint16((m_state.functions << 8) | m_state.protocols), 0));
        r.note = QStringLiteral("functions 0x%1").arg(m_state.functions, 2, 16, QLatin1Char('0'));
        return r;
    case CmdSetModemMode: {
        const quint8 mode = quint8(f.value & 0xFF);
        if (mode != ModeNormal && mode != ModeSearch && mode != ModePasswordReset) {
            r.frames.append(makeShortFrame(0, ReplyModemMode, StatusUnknownCommand, 0));
            r.note = QStringLiteral("unknown mode %1 refused").arg(mode);
            return r;
        }
        if (mode != m_state.modemMode) {
            m_heard.clear();
            m_emptyPolls = 0;
            m_resetPolls = 0;
        }
        m_state.modemMode = mode;
        r.frames.append(makeShortFrame(0, ReplyModemMode, StatusDone, 0));
        r.note = QStringLiteral("mode %1").arg(mode);
        return r;
    }
    default:
        r.note = QStringLiteral("unknown short command, no answer");
        return r;
    }
}

DeviceModel::Reply DeviceModel::handleData(const Frame &f, qint64 nowMs)
{
    switch (f.command) {
    case CmdWriteRemote:
        return writeRemote(f, nowMs);
    case CmdDeleteRemote:
        return deleteRemote(f, nowMs);
    case CmdReadFirstRemote:
        return readRemote(f, true);
    case CmdReadNextRemote:
        return readRemote(f, false);
    case CmdClearTable:
    case CmdCopyTable:
        return startOperation(f, nowMs);
    case CmdGetProgress:
        return progress(nowMs);
    case CmdGetParam:
        return getParam(f, nowMs);
    case CmdSetParam:
        return setParam(f, nowMs);
    case CmdFactoryReset:
        return factoryReset(f, nowMs);
    case CmdDeviceInit:
        return deviceInit(nowMs);
    case CmdGetFoundRemote:
        return foundRemote();
    case CmdGetProtection:
        return protection(nowMs);
    case CmdAccess:
        return access(f);
    case CmdPassword:
        return password(f);
    case CmdFirmwareStart:
    case CmdFirmwareBlock:
    case CmdFirmwareEnd:
        return firmware(f, nowMs);
    default:
        return status(StatusUnknownCommand, 0, 0, QStringLiteral("unknown command"));
    }
}

bool DeviceModel::pressRemote(quint32 id, quint8 group, int polls)
{
    if (m_state.modemMode != ModeSearch)
        return false;
    m_heard.append({(id & 0xFFFFFF) | (quint32(group) << 24), qMax(1, polls)});
    return true;
}

bool DeviceModel::holdActuatorButton(qint64 nowMs)
{
    if (m_state.modemMode != ModePasswordReset || !actuatorReachable(nowMs))
        return false;
    m_state.password.clear();
    m_state.loggedIn = false;
    return true;
}

void DeviceModel::transmitByItself()
{
    // Every other time, with autoRemoteKnown, a registered remote takes its turn.
    const QList<EmulatorRemote> &table = m_state.modemRemotes;
    const int turn = m_autoCount++;
    if (m_state.autoRemoteKnown && turn % 2 == 1 && !table.isEmpty()) {
        const EmulatorRemote &known = table.at((turn / 2) % table.size());
        m_heard.append({known.id | (quint32(known.group) << 24), m_state.pressPolls});
        return;
    }
    // A stranger's remote: take the first id the table does not hold.
    quint32 id = m_state.autoRemoteId & 0xFFFFFF;
    auto held = [&table](quint32 candidate) {
        for (const EmulatorRemote &r : table)
            if (r.id == candidate)
                return true;
        return false;
    };
    while (held(id))
        id = (id + 1) % ErasedId;
    m_heard.append({id | (quint32(m_state.autoRemoteGroup) << 24), m_state.pressPolls});
}

DeviceModel::Reply DeviceModel::foundRemote()
{
    QByteArray payload(4, char(0xFF));
    QString note = QStringLiteral("nothing heard");
    const bool listening = m_state.modemMode == ModeSearch;
    if (listening && m_heard.isEmpty() && m_state.autoRemotePolls > 0 &&
        ++m_emptyPolls >= m_state.autoRemotePolls) {
        transmitByItself();
        m_emptyPolls = 0;
    }
    if (listening && !m_heard.isEmpty()) {
        Transmission &t = m_heard.first();
        for (int i = 0; i < 4; ++i)
            payload[i] = char((t.value >> (8 * i)) & 0xFF);
        note =
            QStringLiteral("heard remote %1, group %2").arg(t.value & 0xFFFFFF).arg(t.value >> 24);
        if (--t.polls == 0)
            m_heard.removeFirst();
    } else if (!listening) {
        note = QStringLiteral("not listening");
    }
    Reply r;
    r.frames.append(makeDataFrame(AnsFoundRemote, 0, payload));
    r.note = note;
    return r;
}

DeviceModel::Reply DeviceModel::protection(qint64 nowMs)
{
    if (m_state.modemMode == ModePasswordReset && m_state.autoHoldPolls > 0 &&
        !m_state.password.isEmpty() && ++m_resetPolls >= m_state.autoHoldPolls)
        holdActuatorButton(nowMs);
    quint8 bits = 0;
    if (!m_state.password.isEmpty())
        bits |= ProtectionPasswordSet;
    if (fullAccess())
        bits |= ProtectionFullAccess;
    Reply r;
    r.frames.append(makeDataFrame(AnsProtection, 0, QByteArray(1, char(bits))));
    r.note = QStringLiteral("protection %1").arg(bits);
    return r;
}

DeviceModel::Reply DeviceModel::access(const Frame &f)
{
    switch (f.targetLow()) {
    case 0:
        m_state.loggedIn = false;
        return status(StatusDone, 0, 0, QStringLiteral("logged out"));
    case 1:
        if (!m_state.password.isEmpty() && f.payload != m_state.password)
            return status(StatusNoPrivileges, 0, 0, QStringLiteral("log-in with a wrong password"));
        m_state.loggedIn = true;
        return status(StatusDone, 0, 0, QStringLiteral("logged in"));
    default:
        return status(StatusBadPayload, 0, 0,
                      QStringLiteral("access with target %1").arg(f.targetLow()));
    }
}

DeviceModel::Reply DeviceModel::password(const Frame &f)
{
    switch (f.targetLow()) {
    case 0:
        if (m_state.password.isEmpty())
            return status(StatusDone, 0, 0, QStringLiteral("no password to remove"));
        if (f.payload != m_state.password)
            return status(StatusNoPrivileges, 0, 0,
                          QStringLiteral("removal with a wrong password"));
        m_state.password.clear();
        return status(StatusDone, 0, 0, QStringLiteral("password removed"));
    case 1:
        if (f.payload.isEmpty() || f.payload.size() > 32)
            return status(StatusBadPayload, 0, 0,
                          QStringLiteral("password of %1 bytes").arg(f.payload.size()));
        if (!fullAccess())
            return status(StatusNoPrivileges, 0, 0,
                          QStringLiteral("new password without full access"));
        m_state.password = f.payload;
        m_state.loggedIn = true;
        return status(StatusDone, 0, 0, QStringLiteral("password set"));
    default:
        return status(StatusBadPayload, 0, 0,
                      QStringLiteral("password with target %1").arg(f.targetLow()));
    }
}

DeviceModel::Reply DeviceModel::firmware(const Frame &f, qint64 nowMs)
{
    const quint8 t = f.targetLow();
    if (t > 2)
        return status(StatusBadPayload, 0, 0, QStringLiteral("firmware for target %1").arg(t));
    const int target = t == 0 ? 0 : 1;
    const quint16 source = quint16(target);
    if (!fullAccess())
        return status(StatusNoPrivileges, 0, source,
                      QStringLiteral("firmware without full access"));
    if (target == 1 && !actuatorReachable(nowMs))
        return status(StatusNoLink, 0, source, QStringLiteral("actuator not reachable"));

    QString why;
    FirmwareReceiver::Result result = FirmwareReceiver::Result::Refused;
    if (f.command == CmdFirmwareStart) {
        result = m_firmware.start(target, f.payload, &why);
        const std::array<quint8, 4> &current =
            target == 0 ? m_state.modemVersion : m_state.actuatorVersion;
        const FirmwareImage &img = m_firmware.image();
        if (result == FirmwareReceiver::Result::Accepted &&
            (img.type != current[1] || img.board != current[2])) {
            why = QStringLiteral("image for type %1 board %2, this is type %3 board %4")
                      .arg(img.type)
                      .arg(img.board)
                      .arg(current[1])
                      .arg(current[2]);
            m_firmware = FirmwareReceiver();
            result = FirmwareReceiver::Result::Refused;
        }
    } else if (f.command == CmdFirmwareBlock) {
        result = m_firmware.block(target, f.payload, &why);
    } else {
        result = m_firmware.end(target, &why);
        if (result == FirmwareReceiver::Result::Accepted) {
            const FirmwareImage &img = m_firmware.image();
            const std::array<quint8, 4> version{img.major, img.type, img.board, img.minor};
            const qint64 until = nowMs + m_state.restartMs;
            // An image that fails to start leaves the target on its old version.
            const bool apply = m_state.applyFirmware;
            if (target == 0) {
                m_pendingModemVersion = version;
                m_modemVersionPending = apply;
                m_modemSilentUntil = until;
            } else {
                m_pendingActuatorVersion = version;
                m_actuatorVersionPending = apply;
                m_actuatorOfflineUntil = until;
            }
            why += QStringLiteral(", restarting for %1 ms").arg(m_state.restartMs);
            if (!apply)
                why += QStringLiteral(", the new image will not start");
        }
    }
    if (result == FirmwareReceiver::Result::Refused)
        return status(StatusDeviceFailed, 0, source, QStringLiteral("firmware refused: ") + why);
    return status(StatusDone, 0, source, QStringLiteral("firmware: ") + why);
}

} // namespace vexo::emu
