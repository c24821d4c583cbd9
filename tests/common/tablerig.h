#pragma once

#include "emulator.h"
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

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QModemSession;
class QPushButton;
class QWaitDialog;

// The remote table's parts on a session over the emulated stick, without a window:
// the table's widgets sit in a host widget that is also the dialogs' parent.
class TableRig
{
public:
    explicit TableRig(const vexo::emu::EmulatorState &state);
    ~TableRig();
    // True once the session is open and the stick's table is shown.
    bool open();
    // Makes the row of this remote current; false when no row shows it.
    bool select(int id);
    int requests(quint16 command) const { return emulator.requestCount(command); }
    // Backups and settings go to a temporary directory, never to the user's.
    static void useTemporaryHome();

    vexo::emu::Emulator emulator;
    ScriptedPrompts prompts;
    RemoteTableWidgets widgets;
    QModemSession *session = nullptr;
    RemoteTableParts *table = nullptr;

private:
    std::unique_ptr<QWidget> m_host;
};

// Acts on modal dialogs while an operation runs: each step waits for its condition,
// then acts, in order. A step still waiting after 30 s closes every dialog, so the
// operation unwinds and the test fails instead of hanging.
class UiScript
{
public:
    UiScript();
    UiScript &when(const std::function<bool()> &ready, const std::function<void()> &act);
    bool done() const { return m_steps.isEmpty(); }

    template <typename T> static T *shown()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<T *>(w); d && d->isVisible())
                return d;
        return nullptr;
    }
    // The visible wait dialog's text, or an empty string.
    static QString waitText();
    // The visible wait dialog's button of this name while it shows, or null.
    static QPushButton *waitButton(const char *name);

private:
    QTimer m_timer;
    QElapsedTimer m_waiting;
    QList<QPair<std::function<bool()>, std::function<void()>>> m_steps;
};

// Time (emulator clock, ms) and target byte of each data-frame request with this command.
QList<QPair<qint64, int>> requestsOf(const vexo::emu::Emulator &emu, quint16 command);
QList<int> targetsOf(const vexo::emu::Emulator &emu, quint16 command);
