#pragma once

#include "emulator.h"
#include "qmodemsession.h"
#include "scriptedprompts.h"

#include <memory>

// A modem session without a window against the emulated stick over a pseudo-terminal,
// with scripted prompts: for testing a subsystem at its own layer.
class ModemSessionRig
{
public:
    explicit ModemSessionRig(const vexo::emu::EmulatorState &state = vexo::emu::EmulatorState());
    ~ModemSessionRig();

    // Starts the emulator and the port search; true once the session has opened.
    bool open();

    QModemSession &session() { return *m_session; }
    vexo::emu::Emulator &emulator() { return m_emulator; }
    ScriptedPrompts &prompts() { return m_prompts; }

private:
    vexo::emu::Emulator m_emulator;
    ScriptedPrompts m_prompts;
    std::unique_ptr<QModemSession> m_session;
};
