#pragma once

#include <QLoggingCategory>

namespace vexo::emu
{
Q_DECLARE_LOGGING_CATEGORY(lcEmulator)
}
