#pragma once

#include "emulator.h"
#include "qremotetablecontroller.h"
#include "scriptedprompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QModemSession;
class QTableWidget;
class QWaitDialog;

// The remote-table controller on a session over the emulated stick, without a window:
// the table's widgets sit in a plain host widget that is also the dialogs' parent.
class TableRig
{
public:
    explicit TableRig(const vexo::emu::EmulatorState &state = vexo::emu::EmulatorState());
    ~TableRig();

    // True once the session is open and the stick's table is shown.
    bool open();

    vexo::emu::Emulator &emulator() { return m_emulator; }
    ScriptedPrompts &prompts() { return m_prompts; }
    QModemSession &session() { return *m_session; }
    QRemoteTableController &table() { return *m_table; }
    QTableWidget *tableWidget() const { return m_widgets.table; }
    const RemoteTableWidgets &widgets() const { return m_widgets; }
    int requests(quint16 command) const { return m_emulator.requestCount(command); }
    // Makes the row of this remote current; false when no row shows it.
    bool select(int id);

    // Backups and settings go to a temporary directory, never to the user's.
    static void useTemporaryHome();

private:
    vexo::emu::Emulator m_emulator;
    ScriptedPrompts m_prompts;
    std::unique_ptr<QWidget> m_host;
    RemoteTableWidgets m_widgets;
    QModemSession *m_session = nullptr;
    QRemoteTableController *m_table = nullptr;
};

// Acts on modal dialogs while an operation runs: each step waits until its condition
// holds, then acts; steps run in order. A step still waiting after 30 s closes every
// dialog, so the operation unwinds and the test fails instead of hanging.
class UiScript
{
public:
    UiScript();
    UiScript &when(const std::function<bool()> &ready, const std::function<void()> &act);
    bool done() const { return m_steps.isEmpty(); }
    int left() const { return int(m_steps.size()); }

    // The visible wait dialog's text, or an empty string.
    static QString waitText();
    static QWaitDialog *waitDialog();
    template <typename T> static T *shown()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<T *>(w); d && d->isVisible())
                return d;
        return nullptr;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_waiting;
    QList<QPair<std::function<bool()>, std::function<void()>>> m_steps;
};

// Times (emulator clock, ms) of the requests with this data-frame command word.
QList<qint64> requestTimes(const vexo::emu::Emulator &emu, quint16 command);
// Target bytes of those requests, in order.
QList<int> requestTargets(const vexo::emu::Emulator &emu, quint16 command);
