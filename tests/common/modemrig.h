#pragma once

#include "emulator.h"
#include "qmodemsession.h"
#include "scriptedprompts.h"

#include <memory>

// A session without a window against the emulated stick over a pseudo-terminal. The
// session exists from the start, so a test can hook into it before open().
class ModemRig
{
public:
    explicit ModemRig(const vexo::emu::EmulatorState &state = vexo::emu::EmulatorState());
    ~ModemRig();

    // Starts the emulator and the search; ports listed here are probed before the
    // emulator's. True once a session has opened.
    bool open(const QStringList &portsBefore = {});

    QModemSession &session() { return *m_session; }
    vexo::emu::Emulator &emulator() { return m_emulator; }
    ScriptedPrompts &prompts() { return m_prompts; }
    int opened() const { return m_opened; }
    // Waits for one more session opening than counted so far.
    bool waitForReopen(int timeoutMs);

private:
    vexo::emu::Emulator m_emulator;
    ScriptedPrompts m_prompts;
    std::unique_ptr<QModemSession> m_session;
    int m_opened = 0;
};
