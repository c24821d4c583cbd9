// Reading the remote table through the window from the emulated stick paced at
// 4800 baud: how far the read loop is from the time its bytes need on the line.
#include "benchmode.h"
#include "emulator.h"
#include "mainwindow.h"
#include "qmodemsession.h"
#include "qtabletransfers.h"
#include "quietprompts.h"
#include "remotelist.h"
#include "remotetableparts.h"
#include "waitoperation.h"
#include "wireframe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace
{
constexpr int Baud = 4800;
constexpr int BitsPerByte = 10; // 8N1

struct Figures {
    bool ok = false;
    int remotes = 0;
    double elapsed = 0;
    qint64 wireBytes = 0;
    int frames = 0;
};

Figures readTable(QApplication &app, int count, bool longRecords, bool paced)
{
    Figures f;
    vexo::emu::EmulatorState state;
    state.functions = longRecords ? 0x02 : 0x00;
    state.modemCapacity = count + 50;
    vexo::emu::Emulator emulator(state);
    emulator.setPacing(paced);
    if (!emulator.start(true)) {
        fprintf(stderr, "emulator: %s\n", qPrintable(emulator.errorString()));
        return f;
    }
    QuietPrompts prompts;
    ShellOptions options;
    options.ports << emulator.slavePath();
    options.systemPorts = false;
    MainWindow window(&app, &prompts, options);
    window.show();
    // The session opens and reads its (empty) table; the clock starts after that.
    const auto opened = [&window] {
        return window.remotes().source() == SOURCE_MODEM && !window.session().busy();
    };
    if (!runUntil(opened, 30000)) {
        fprintf(stderr, "no session on %s\n", qPrintable(emulator.slavePath()));
        return f;
    }

    emulator.modifyState([count](vexo::emu::EmulatorState &s) {
        for (int i = 0; i < count; ++i) {
            vexo::emu::EmulatorRemote r;
            r.id = quint32(0x100000 + i * 37);
            r.group = quint8(i % 8);
            r.ownerName = QString("Владелец пульта №%1").arg(i + 1);
            s.modemRemotes << r;
        }
    });
    emulator.clearFrameLog();
    QElapsedTimer clock;
    clock.start();
    // Until the operation has ended: the table is shown and backed up by then.
    f.ok = waitSucceeded(window.remoteTable().transfers().load_db_from_modem(), 600000,
                         [&] { f.elapsed = clock.nsecsElapsed() / 1e9; });
    f.remotes = int(window.remotes().remotes().size());
    for (const vexo::emu::FrameLogEntry &e : emulator.frameLog()) {
        if (e.direction == vexo::emu::FrameLogEntry::Direction::Event)
            continue;
        f.wireBytes += vexo::emu::escapeFrame(e.frame).size();
        ++f.frames;
    }
    return f;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Backups and settings of the runs go to a throw-away home.
    const bool quick = takeShortFlag(argc, argv);
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : quick ? 20 : 200;

    printf("table_read: load_db_from_modem() of %d remotes, emulated stick paced at %d baud\n",
           count, Baud);
    printf("%-8s %8s %7s %11s %10s %9s %6s %13s\n", "record", "remotes", "frames", "wire bytes",
           "elapsed s", "wire s", "ratio", "ms per remote");
    int failures = 0;
    for (const bool longRecords : {false, true}) {
        const Figures f = readTable(app, count, longRecords, !quick);
        const double wire = double(f.wireBytes) * BitsPerByte / Baud;
        printf("%-8s %8d %7d %11lld %10.2f %9.2f %6.2f %13.1f%s\n", longRecords ? "128 B" : "64 B",
               f.remotes, f.frames, qint64(f.wireBytes), f.elapsed, wire,
               wire > 0 ? f.elapsed / wire : 0.0, count > 0 ? f.elapsed * 1000 / count : 0.0,
               f.ok ? "" : "  (read failed)");
        fflush(stdout);
        if (!f.ok || f.remotes != count)
            ++failures;
    }
    printf("wire s = bytes on the line in both directions (escapes included) x %d / %d\n",
           BitsPerByte, Baud);
    return failures ? 1 : 0;
}
