#pragma once

#include "emulator.h"
#include "sessionrig.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// Every operation of the program against every fault the emulated stick injects, with
// the retry offers answered both ways. A cell passes when the operation ends in bounded
// time; the remote list, the table on screen, the file state and the stick's tables are
// as before or as a clean run leaves them, never between; and the session is usable
// again (or searching again after a closed line, and usable once the line is back).
class Sweep
{
public:
    enum Fault { Dropped, Late, Corrupted, Garbage, Split, Refused, LineClosed, FaultCount };
    static QString faultName(Fault f);

    struct Operation {
        QString name;
        quint16 command; // the request whose answer the fault hits ...
        int occurrence;  // ... the so-manieth of that word in the operation
        std::function<void(vexo::emu::EmulatorState &)> state; // the stick's start state
        bool tableFromStick = false; // the list shown is the stick's, not the file's
        std::function<void(Sweep &)> run;
        // Under these faults the devices may keep a step already done when a later one
        // failed, because no command undoes it (why: partWayReason). The program's side
        // and the session are still checked in full.
        QList<Fault> partWayUnder = {};
        QString partWayReason = {};
        // After a part-way end the list shows exactly what the stick holds.
        bool listFollowsStick = false;
    };

    // What must be as before or as after a clean run.
    struct Snapshot {
        QStringList pc;    // list, rows on screen, file name, saved flag
        QStringList stick; // the stick's and the actuator's tables, password, access, params
        QString diff(const Snapshot &other) const;
    };

    struct Cell {
        // "ok", "part" (devices left part-way where allowed), "FAIL ...", or "-" when the
        // run asked no question
        QString verdict;
        qint64 ms = 0;
    };

    Sweep();
    ~Sweep();
    bool open();

    SessionRig &rig() { return m_rig; }
    MainWindow &window() { return m_rig.window(); }
    ScriptedPrompts &prompts() { return m_rig.prompts(); }
    vexo::emu::Emulator &emulator() { return m_rig.emulator(); }
    QString tableFile() const { return m_file; }
    // Makes the row of this remote current; false when no row shows it.
    bool select(int id);
    // A session is open, no search runs and no dialog waits.
    bool sessionSettled();
    // Opens the line anew and waits until the session is open on it again.
    bool reconnect();
    static bool dialogShown();

    // Runs the operation clean, then under each fault with each answer to the retry
    // offers; one row of the matrix.
    QList<Cell> sweep(const Operation &op);
    static QString matrix(const QStringList &operations, const QList<QList<Cell>> &rows);
    // Whether the last clean run changed anything on the devices.
    bool cleanRunChangedDevices() const { return m_cleanChanged; }

private:
    bool reset(const Operation &op);
    Snapshot snapshot();
    void arm(Fault fault, const Operation &op);
    Cell cell(const Operation &op, Fault fault, bool yes, const Snapshot &before,
              const Snapshot &expected, bool *asked);
    QString usableAgain(Fault fault);
    // The messages shown and the last frames on the line, for a failure's report.
    QString evidence();

    QTemporaryDir m_dir;
    QString m_file; // the database file the list comes from
    SessionRig m_rig;
    bool m_cleanChanged = false;
};
