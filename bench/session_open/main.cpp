// Start-up figures of the session: time from program start to an open session with the
// stick on the third of three ports, and the CPU used while searching with no port.
#include "benchmode.h"
#include "emulator.h"
#include "mainwindow.h"
#include "ptychannel.h"
#include "quietprompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace
{
// Runs the event loop for a while; nested loops started meanwhile return first.
void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double cpuSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool quick = takeShortFlag(argc, argv);
    QApplication app(argc, argv);
    QuietPrompts prompts;

    // 1. Stick on the third of three ports, the line paced like the real one.
    PtyChannel silent1, silent2;
    vexo::emu::Emulator stick(vexo::emu::EmulatorState{});
    stick.setPacing(!quick);
    if (!silent1.open() || !silent2.open() || !stick.start(true)) {
        fprintf(stderr, "no pseudo-terminals\n");
        return 1;
    }
    ShellOptions options;
    options.ports = {silent1.slavePath(), silent2.slavePath(), stick.slavePath()};
    options.systemPorts = false;

    QElapsedTimer clock;
    clock.start();
    {
        MainWindow window(&app, &prompts, options);
        window.show();
        // The opening steps run nested inside one event, so this returns after the last.
        while (!window.modem().connected() && clock.elapsed() < 30000)
            runFor(5);
        const double open = clock.nsecsElapsed() / 1e9;
        printf("session open, stick on port 3 of 3: %.3f s (%s)\n", open,
               window.modem().connected() ? "connected" : "NOT connected");
        printf("  of which the two silent ports cost at least 2 x (500 + 100) ms\n");
        if (!window.modem().connected())
            return 1;
    }
    stick.stop();

    // 2. No port listed: how much CPU the search burns while waiting for a stick.
    options.ports.clear();
    {
        MainWindow window(&app, &prompts, options);
        window.show();
        const double cpu0 = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        runFor(quick ? 1000 : 10000);
        const double cpu = cpuSeconds() - cpu0;
        printf("searching with no port for %.1f s: %.3f s CPU (%.2f %% of one core)\n",
               wall.elapsed() / 1000.0, cpu, 100.0 * cpu / (wall.elapsed() / 1000.0));
    }
    return 0;
}
