#include "emulatorlogging.h"

namespace vexo::emu
{
Q_LOGGING_CATEGORY(lcEmulator, "vexo.emulator", QtInfoMsg)
}
