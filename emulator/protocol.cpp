#include "protocol.h"

namespace vexo::emu
{

QString dataCommandName(quint16 word)
{
    switch (word) {
    case CmdWriteRemote:
        return QStringLiteral("CMD_WRITE_REMOTE");
    case CmdDeleteRemote:
        return QStringLiteral("CMD_DELETE_REMOTE");
    case CmdReadFirstRemote:
        return QStringLiteral("CMD_READ_FIRST_REMOTE");
    case CmdReadNextRemote:
        return QStringLiteral("CMD_READ_NEXT_REMOTE");
    case CmdClearTable:
        return QStringLiteral("CMD_CLEAR_TABLE");
    case CmdCopyTable:
        return QStringLiteral("CMD_COPY_TABLE");
    case CmdGetParam:
        return QStringLiteral("CMD_GET_PARAM");
    case CmdGetFoundRemote:
        return QStringLiteral("CMD_GET_FOUND_REMOTE");
    case CmdGetProgress:
        return QStringLiteral("CMD_GET_PROGRESS");
    case CmdDeviceInit:
        return QStringLiteral("CMD_DEVICE_INIT");
    case CmdSetParam:
        return QStringLiteral("CMD_SET_PARAM");
    case CmdFactoryReset:
        return QStringLiteral("CMD_FACTORY_RESET");
    case CmdGetProtection:
        return QStringLiteral("CMD_GET_PROTECTION");
    case CmdAccess:
        return QStringLiteral("CMD_ACCESS");
    case CmdPassword:
        return QStringLiteral("CMD_PASSWORD");
    case CmdFirmwareStart:
        return QStringLiteral("FIRMWARE_START");
    case CmdFirmwareBlock:
        return QStringLiteral("FIRMWARE_BLOCK");
    case CmdFirmwareEnd:
        return QStringLiteral("FIRMWARE_END");
    case AnsStatus:
        return QStringLiteral("ANS_STATUS");
    case AnsRemote:
        return QStringLiteral("ANS_REMOTE");
    case AnsParam:
        return QStringLiteral("ANS_PARAM");
    case AnsFoundRemote:
        return QStringLiteral("ANS_FOUND_REMOTE");
    case AnsProtection:
        return QStringLiteral("ANS_PROTECTION");
    default:
        return QString();
    }
}

QString shortCommandName(quint16 word)
{
    switch (word) {
    case QueryMemory:
        return QStringLiteral("QUERY_MEMORY");
    case QueryIdent:
        return QStringLiteral("QUERY_IDENT");
    case QueryFunctions:
        return QStringLiteral("QUERY_FUNCTIONS");
    case CmdSetModemMode:
        return QStringLiteral("CMD_SET_MODEM_MODE");
    case ReplyModemMode:
        return QStringLiteral("REPLY_MODEM_MODE");
    case QueryMemory + 1:
        return QStringLiteral("REPLY_MEMORY");
    case QueryIdent + 1:
        return QStringLiteral("REPLY_IDENT");
    case QueryFunctions + 1:
        return QStringLiteral("REPLY_FUNCTIONS");
    default:
        return QString();
    }
}

} // namespace vexo::emu
