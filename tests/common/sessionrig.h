#pragma once

#include "emulator.h"
#include "mainwindow.h"
#include "qmodemsession.h"
#include "qoperationlogwindow.h"
#include "qremoteoperations.h"
#include "qremotesearch.h"
#include "qtablecompare.h"
#include "qtablecopy.h"
#include "qtablecsv.h"
#include "qtablefiles.h"
#include "qtabletransfers.h"
#include "remotelist.h"
#include "remotetableparts.h"
#include "scriptedprompts.h"

#include <QTemporaryDir>

#include <memory>

// The whole program against the emulated stick over a pseudo-terminal: a main window
// with scripted prompts that finds the emulator by itself and opens a session.
class SessionRig
{
public:
    explicit SessionRig(const vexo::emu::EmulatorState &state = vexo::emu::EmulatorState());
    ~SessionRig();

    // Starts the emulator and shows the window; ports listed before the emulator's are
    // probed first. True once the session is open and every opening step has ended; false
    // at once while settings or data would go to the real home (see useTemporaryHome()).
    bool open(const QStringList &portsBefore = {});
    // True once no operation runs (what one set going, such as re-reading the access
    // state, included).
    bool waitIdle(int ms = 20000);

    MainWindow &window() { return *m_window; }
    vexo::emu::Emulator &emulator() { return m_emulator; }
    ScriptedPrompts &prompts() { return m_prompts; }

    // Requests with this command word seen by the device since the log was cleared.
    int requests(quint16 command) const { return m_emulator.requestCount(command); }

    // Isolates settings and backups from the real home directory.
    static void useTemporaryHome();

private:
    vexo::emu::Emulator m_emulator;
    ScriptedPrompts m_prompts;
    std::unique_ptr<MainWindow> m_window;
};
