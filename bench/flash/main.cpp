// Flashing a 32 KB image into the emulated stick paced at 4800 baud in both directions:
// how far the transfer is from the time its bytes need on the line.
#include "benchmode.h"
#include "emulator.h"
#include "firmwarefile.h"
#include "qflashcontroller.h"
#include "qmodemsession.h"
#include "quietprompts.h"
#include "wireframe.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>

#include <cstdio>

namespace
{
constexpr int Baud = 4800;
constexpr int BitsPerByte = 10; // 8N1

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool quick = takeShortFlag(argc, argv);
    QApplication app(argc, argv);
    const int size = argc > 1 ? QByteArray(argv[1]).toInt() : quick ? 4 * 1024 : 32 * 1024;

    vexo::emu::Emulator emulator;
    emulator.setPacing(!quick);
    emulator.setInputPacing(!quick);
    if (!emulator.start(true)) {
        fprintf(stderr, "emulator: %s\n", qPrintable(emulator.errorString()));
        return 1;
    }
    QuietPrompts prompts;
    QModemSession session(&prompts, nullptr);
    session.setPorts({emulator.slavePath()}, false);
    bool opened = false;
    QObject::connect(&session, &QModemSession::sessionOpened, [&] { opened = true; });
    session.start_autoconnect();
    const QDeadlineTimer deadline(30000);
    while (!opened && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (!opened) {
        fprintf(stderr, "no session on %s\n", qPrintable(emulator.slavePath()));
        return 1;
    }

    QFlashController flasher(&session);
    const auto file = vexo::emu::FirmwareFile::forTarget(emulator.state(), 0, 9, 9, size);
    if (!flasher.updater().loadData(file.toBytes(), QFlashUpdater::FLASH_MODEM))
        return 1;
    emulator.clearFrameLog();
    QElapsedTimer clock;
    clock.start();
    QOperation *transfer = flasher.transfer(QFlashUpdater::FLASH_MODEM);
    bool ok = false, done = !transfer;
    if (transfer)
        QObject::connect(transfer, &QOperation::finished, [&] {
            ok = transfer->succeeded();
            done = true;
        });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double elapsed = clock.nsecsElapsed() / 1e9;

    qint64 wireBytes = 0;
    int frames = 0;
    for (const vexo::emu::FrameLogEntry &e : emulator.frameLog()) {
        if (e.direction == vexo::emu::FrameLogEntry::Direction::Event)
            continue;
        wireBytes += vexo::emu::escapeFrame(e.frame).size();
        ++frames;
    }
    const double wire = double(wireBytes) * BitsPerByte / Baud;
    const bool complete = emulator.lastFirmware().complete;
    printf("flash: %d-byte image into the emulated stick, line paced at %d baud both ways\n", size,
           Baud);
    printf("%9s %7s %11s %10s %9s %6s %12s\n", "messages", "frames", "wire bytes", "elapsed s",
           "wire s", "ratio", "ms per block");
    printf("%9d %7d %11lld %10.2f %9.2f %6.2f %12.1f%s\n", flasher.updater().messageCount(), frames,
           qint64(wireBytes), elapsed, wire, wire > 0 ? elapsed / wire : 0.0,
           elapsed * 1000 / qMax(1, flasher.updater().messageCount()),
           ok && complete ? "" : "  (transfer failed)");
    printf("wire s = bytes on the line in both directions (escapes included) x %d / %d, the "
           "least a transfer that sends each block after the last answer can take\n",
           BitsPerByte, Baud);
    return ok && complete ? 0 : 1;
}
