#pragma once

#include <QtGlobal>

// Command words of data frames: low byte the group (2 firmware, 3 remote table,
// 4 parameters and actuator, 5 access), high byte the operation.
constexpr quint16 CMD_WRITE_REMOTE = 0x0103;
constexpr quint16 CMD_DELETE_REMOTE = 0x0203;
constexpr quint16 CMD_READ_FIRST_REMOTE = 0x0303;
constexpr quint16 CMD_READ_NEXT_REMOTE = 0x0403;
constexpr quint16 CMD_CLEAR_TABLE = 0x0503;
constexpr quint16 CMD_COPY_TABLE = 0x0603;
constexpr quint16 CMD_GET_PARAM = 0x0104;
constexpr quint16 CMD_GET_FOUND_REMOTE = 0x0204;
constexpr quint16 CMD_GET_PROGRESS = 0x0304;
constexpr quint16 CMD_DEVICE_INIT = 0x0404;
constexpr quint16 CMD_SET_PARAM = 0x0504;
constexpr quint16 CMD_FACTORY_RESET = 0x0604;
constexpr quint16 CMD_GET_PROTECTION = 0x0105;
constexpr quint16 CMD_ACCESS = 0x0205;
constexpr quint16 CMD_PASSWORD = 0x0305;

// Answer words of data frames; every answer from the modem has low byte 0x09.
constexpr quint16 ANS_STATUS = 0x0009;
constexpr quint16 ANS_REMOTE = 0x3109;
constexpr quint16 ANS_PARAM = 0x4109;
constexpr quint16 ANS_FOUND_REMOTE = 0x4209;
constexpr quint16 ANS_PROTECTION = 0x5109;

// Short frames: low byte the class (0x20 query, 0x21 reply, 0x19 command), high
// byte the number. A query's reply carries class 0x21 and the same number.
constexpr quint8 SHORT_CLASS_QUERY = 0x20;
constexpr quint8 SHORT_CLASS_REPLY = 0x21;
constexpr quint8 SHORT_CLASS_COMMAND = 0x19;
constexpr quint16 QUERY_MEMORY = 0x1120;
constexpr quint16 QUERY_IDENT = 0x1220;
constexpr quint16 QUERY_FUNCTIONS = 0x1520;
constexpr quint16 CMD_SET_MODEM_MODE = 0x0119;
constexpr quint16 REPLY_SET_MODEM_MODE = 0x0F21;

// Argument of CMD_SET_MODEM_MODE.
constexpr quint8 MODEM_MODE_NORMAL = 1;
constexpr quint8 MODEM_MODE_SEARCH = 2;
constexpr quint8 MODEM_MODE_PASSWORD_RESET = 5;

// Target word of data-frame requests.
constexpr quint16 TARGET_MODEM = 0;
constexpr quint16 TARGET_DEVICE = 1;
constexpr quint16 TARGET_DEVICE_REMOTE = 2; // the actuator while remote mode is on
constexpr quint16 CLEAR_MODEM_TABLE = 0x01; // CMD_CLEAR_TABLE mask bits
constexpr quint16 CLEAR_DEVICE_TABLE = 0x02;
constexpr quint16 COPY_MODEM_TO_DEVICE = 0; // CMD_COPY_TABLE direction
constexpr quint16 COPY_DEVICE_TO_MODEM = 1;

// Status byte of ANS_STATUS and of short-frame replies.
constexpr quint8 STATUS_DONE = 1;
constexpr quint8 STATUS_NO_LINK = 7;
constexpr quint8 STATUS_RUNNING = 8;
constexpr quint8 STATUS_NO_PRIVILEGES = 9;
constexpr quint8 STATUS_DEVICE_FAILED = 10;
// Whole 16-bit value (status low, detail high) that every request expects.
constexpr quint16 EXPECTED_STATUS = 0x0001;

// ANS_PROTECTION status bits.
constexpr quint8 PROTECTION_BIT_PASSWORD = 0x01;
constexpr quint8 PROTECTION_BIT_ACCESS = 0x02;

// Modem parameters for CMD_GET_PARAM / CMD_SET_PARAM.
constexpr quint16 PARAM_VERSION = 0x0080;
constexpr quint16 PARAM_UPLOAD_TABLE_MODE = 0x0081;
constexpr quint16 PARAM_MEMORY = 0x0082;
constexpr quint16 PARAM_UPDATE_FLASH_MODE = 0x0083;
constexpr quint16 PARAM_UPLOAD_PARAMS_MODE = 0x0084;

// QModem::functions bit 1: remote records of 128 bytes instead of 64.
constexpr quint8 FUNCTION_LONG_RECORDS = 0x02;
