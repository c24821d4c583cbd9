#pragma once

#include <QtGlobal>

// The actuator's one-byte parameters; row r of the parameter table edits id r + 1.
constexpr quint16 PARAM_WORK_MODE = 1;
constexpr quint16 PARAM_SHORT_CMD_TIME = 2;
constexpr quint16 PARAM_BLINDS_TIME = 3;
constexpr quint16 PARAM_ROLLER_TIME = 4;
constexpr int PARAM_COUNT = 4;

// Written, never read: 1 applies the parameters written, 0 restores the applied ones.
constexpr quint16 PARAM_APPLY_RESTORE = 0x0085;
constexpr quint8 PARAM_APPLY = 1;
constexpr quint8 PARAM_RESTORE = 0;
