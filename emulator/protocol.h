#pragma once

#include <QString>
#include <QtGlobal>

// Command, answer, status and parameter numbers of the stick's serial protocol, as the
// device sees them. Kept apart from the program's own definitions on purpose.
namespace vexo::emu
{

// Data-frame requests.
constexpr quint16 CmdWriteRemote = 0x0103;
constexpr quint16 CmdDeleteRemote = 0x0203;
constexpr quint16 CmdReadFirstRemote = 0x0303;
constexpr quint16 CmdReadNextRemote = 0x0403;
constexpr quint16 CmdClearTable = 0x0503;
constexpr quint16 CmdCopyTable = 0x0603;
constexpr quint16 CmdGetParam = 0x0104;
constexpr quint16 CmdGetFoundRemote = 0x0204;
constexpr quint16 CmdGetProgress = 0x0304;
constexpr quint16 CmdDeviceInit = 0x0404;
constexpr quint16 CmdSetParam = 0x0504;
constexpr quint16 CmdFactoryReset = 0x0604;
constexpr quint16 CmdGetProtection = 0x0105;
constexpr quint16 CmdAccess = 0x0205;
constexpr quint16 CmdPassword = 0x0305;
constexpr quint16 CmdFirmwareStart = 0x0902;
constexpr quint16 CmdFirmwareBlock = 0x0A02;
constexpr quint16 CmdFirmwareEnd = 0x0D02;

// Data-frame answers.
constexpr quint16 AnsStatus = 0x0009;
constexpr quint16 AnsRemote = 0x3109;
constexpr quint16 AnsParam = 0x4109;
constexpr quint16 AnsFoundRemote = 0x4209;
constexpr quint16 AnsProtection = 0x5109;

// Short-frame code words (word 1): low byte the class, high byte the number.
constexpr quint8 ClassCommand = 0x19;
constexpr quint8 ClassQuery = 0x20;
constexpr quint8 ClassReply = 0x21;
constexpr quint16 QueryMemory = 0x1120;
constexpr quint16 QueryIdent = 0x1220;
constexpr quint16 QueryFunctions = 0x1520;
constexpr quint16 CmdSetModemMode = 0x0119;
constexpr quint16 ReplyModemMode = 0x0F21;
constexpr quint8 IdentMark = 0x56; // 'V' in the high byte of the probe reply's value

// Status bytes of ANS_STATUS. 2 to 4 are this device's own refusals; the program
// treats them as wrong answers.
constexpr quint8 StatusDone = 1;
constexpr quint8 StatusUnknownCommand = 2;
constexpr quint8 StatusBadPayload = 3; // wrong length or contents
constexpr quint8 StatusMemoryFull = 4;
constexpr quint8 StatusNoLink = 7;
constexpr quint8 StatusRunning = 8;
constexpr quint8 StatusNoPrivileges = 9;
constexpr quint8 StatusDeviceFailed = 10;

// Modem modes.
constexpr quint8 ModeNormal = 1;
constexpr quint8 ModeSearch = 2;
constexpr quint8 ModePasswordReset = 5;

// Parameter identifiers.
constexpr quint16 ParamWorkMode = 1;
constexpr quint16 ParamShortCmdTime = 2;
constexpr quint16 ParamBlindsTime = 3;
constexpr quint16 ParamRollerTime = 4;
constexpr quint16 ParamVersion = 0x80;
constexpr quint16 ParamUploadTableMode = 0x81;
constexpr quint16 ParamMemory = 0x82;
constexpr quint16 ParamUpdateFlashMode = 0x83;
constexpr quint16 ParamUploadParamsMode = 0x84;
constexpr quint16 ParamApplyRestore = 0x85;

// Protection byte.
constexpr quint8 ProtectionPasswordSet = 0x01;
constexpr quint8 ProtectionFullAccess = 0x02;

constexpr int ShortRecordSize = 64;
constexpr int LongRecordSize = 128;
constexpr quint8 FunctionLongRecords = 0x02;
constexpr int FirmwareBlockSize = 96;

// "CMD_READ_FIRST_REMOTE" for a data-frame word, "QUERY_IDENT" for a short-frame word;
// empty when unknown.
QString dataCommandName(quint16 word);
QString shortCommandName(quint16 word);

} // namespace vexo::emu
