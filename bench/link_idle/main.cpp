// What the link costs while nothing happens: the CPU and the wake-ups of the process with
// a session open and no operation running, after the stick is unplugged while idle, and
// while searching for a port that no longer exists.
#include "benchmode.h"
#include "emulator.h"
#include "qautoconnecttool.h"
#include "qinterface_manager.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace
{
struct Usage {
    double cpu = 0;   // s, all threads
    long wakeups = 0; // voluntary context switches, all threads
    double wall = 0;  // s
};

Usage now()
{
    Usage u;
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    u.cpu = ts.tv_sec + ts.tv_nsec / 1e9;
    rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    u.wakeups = ru.ru_nvcsw;
    timespec wall;
    clock_gettime(CLOCK_MONOTONIC, &wall);
    u.wall = wall.tv_sec + wall.tv_nsec / 1e9;
    return u;
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void report(const char *what, const Usage &from, const Usage &to)
{
    const double wall = to.wall - from.wall;
    const double cpu = to.cpu - from.cpu;
    printf("%-44s %6.1f s  CPU %7.3f s (%6.2f %% of one core)  %7.1f wake-ups/s\n", what, wall, cpu,
           100.0 * cpu / wall, (to.wakeups - from.wakeups) / wall);
}
} // namespace

int main(int argc, char *argv[])
{
    const bool quick = takeShortFlag(argc, argv);
    QCoreApplication app(argc, argv);
    // link_idle [SECONDS] [--system]: --system also probes the ports the system lists.
    int seconds = quick ? 1 : 10;
    bool systemPorts = false;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--system")
            systemPorts = true;
        else
            seconds = QByteArray(argv[i]).toInt();
    }

    vexo::emu::Emulator stick;
    stick.setPacing(true);
    if (!stick.start(true)) {
        fprintf(stderr, "emulator: %s\n", qPrintable(stick.errorString()));
        return 1;
    }
    const QString path = stick.slavePath();
    QInterface_Manager manager;

    // 1. The session is open: the stick was found and nothing is asked of it.
    {
        QAutoConnectTool tool(nullptr, &manager, {path}, false);
        bool found = false;
        QObject::connect(&tool, &QAutoConnectTool::signalPortFound, [&] { found = true; });
        tool.start_search(true);
        QElapsedTimer clock;
        clock.start();
        while (!found && clock.elapsed() < 10000)
            runFor(10);
        if (!found) {
            fprintf(stderr, "no stick on %s\n", qPrintable(path));
            return 1;
        }
    }
    runFor(500);
    Usage from = now();
    runFor(seconds * 1000);
    report("idle, session open", from, now());

    // 2. The stick goes away while idle; nobody acts on it.
    stick.closeLine();
    from = now();
    runFor(seconds * 1000);
    report("idle, stick unplugged", from, now());
    manager.stop_interface();

    // 3. Searching on the port that went away, pass after pass.
    {
        QAutoConnectTool tool(nullptr, &manager, {path}, systemPorts);
        int passes = 0;
        QObject::connect(
            &tool, &QAutoConnectTool::signalNoPortFound, &tool,
            [&] {
                ++passes;
                tool.start_search(true);
            },
            Qt::QueuedConnection);
        from = now();
        tool.start_search(true);
        runFor(seconds * 1000);
        const Usage to = now();
        report(systemPorts ? "searching on the vanished and system ports"
                           : "searching on the vanished port",
               from, to);
        printf("  %d search passes (%.1f per second)\n", passes, passes / (to.wall - from.wall));
    }
    stick.stop();
    return 0;
}
