#pragma once

#include "emulator.h"
#include "operationwait.h"
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
    // True once no operation runs (what one set going included).
    bool waitIdle(int ms = 20000);

    QModemSession &session() { return *m_session; }
    vexo::emu::Emulator &emulator() { return m_emulator; }
    ScriptedPrompts &prompts() { return m_prompts; }
    // True once the session has opened this many times in all.
    bool waitOpenings(int count, int ms = 30000);
    int openings() const { return m_openings; }
    // Requests with this command word seen by the device since the log was cleared.
    int requests(quint16 command) const { return m_emulator.requestCount(command); }

private:
    vexo::emu::Emulator m_emulator;
    ScriptedPrompts m_prompts;
    std::unique_ptr<QModemSession> m_session;
    int m_openings = 0;
};
