// Applying a file with a few changes to the emulated stick paced at 4800 baud both ways:
// only the differences, through single-remote writes and deletes, against writing the
// whole table again.
#include "benchmode.h"
#include "emulator.h"
#include "mainwindow.h"
#include "qcomparedialog.h"
#include "qdbmanipulator.h"
#include "qmodemsession.h"
#include "qtablecompare.h"
#include "qtablefiles.h"
#include "qtabletransfers.h"
#include "quietprompts.h"
#include "remotelist.h"
#include "remotetableparts.h"
#include "tablediff.h"
#include "waitoperation.h"
#include "wireframe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace
{
constexpr int Baud = 4800;
constexpr int BitsPerByte = 10; // 8N1
constexpr int Changes = 5;

// The quiet prompts, but the file dialog names one file.
class BenchPrompts : public QuietPrompts
{
public:
    QString openFile;

    QString getOpenFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return openFile;
    }

protected:
    // The user agrees to the write and to the deletions it measures.
    Button answer(const QString &text, Buttons buttons, Button defaultButton) override
    {
        if (buttons.testFlag(QMessageBox::Yes))
            return QMessageBox::Yes;
        return QuietPrompts::answer(text, buttons, defaultButton);
    }
};

QList<QControlDevice> table(int count)
{
    QList<QControlDevice> list;
    for (int i = 0; i < count; ++i)
        list << QControlDevice(nullptr, 0x100000 + i * 37, quint8(i % 8),
                               QString("Владелец пульта №%1").arg(i + 1), i % 5 != 0, i % 3 == 0);
    return list;
}

// Two owners renamed, one remote blocked, one deleted, one added.
QList<QControlDevice> withChanges(QList<QControlDevice> list)
{
    list[10].setOwnerName("Новый владелец");
    list[120].setOwnerName("Другой владелец");
    list[200].setActive(!list[200].active());
    list.removeAt(50);
    list << QControlDevice(nullptr, 0x5A1234, 2, "Добавленный пульт", true, 0);
    return list;
}

double wireSeconds(const vexo::emu::Emulator &emulator)
{
    qint64 bytes = 0;
    for (const vexo::emu::FrameLogEntry &e : emulator.frameLog())
        if (e.direction != vexo::emu::FrameLogEntry::Direction::Event)
            bytes += vexo::emu::escapeFrame(e.frame).size();
    return double(bytes) * BitsPerByte / Baud;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Backups, settings and the log of the run go to a throw-away home.
    const bool quick = takeShortFlag(argc, argv);
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 250;
    if (count <= 200) {
        fprintf(stderr, "apply_diff: at least 201 remotes\n");
        return 2;
    }

    vexo::emu::EmulatorState state;
    state.functions = 0x02; // 128-byte records, as the demonstration's stick
    state.modemCapacity = count + 50;
    state.progressSteps = 0;
    vexo::emu::Emulator emulator(state);
    emulator.setPacing(!quick);
    emulator.setInputPacing(!quick);
    if (!emulator.start(true)) {
        fprintf(stderr, "emulator: %s\n", qPrintable(emulator.errorString()));
        return 1;
    }
    BenchPrompts prompts;
    ShellOptions options;
    options.ports << emulator.slavePath();
    options.systemPorts = false;
    MainWindow window(&app, &prompts, options);
    window.show();
    const auto opened = [&window] {
        return window.remotes().source() == SOURCE_MODEM && !window.session().busy();
    };
    if (!runUntil(opened, 30000)) {
        fprintf(stderr, "no session on %s\n", qPrintable(emulator.slavePath()));
        return 1;
    }
    RemoteTableParts &remotes = window.remoteTable();
    // Both figures without the read-back check, which costs the same either way.
    remotes.transfers().setVerifyAfterWrite(false);

    const QList<QControlDevice> before = table(count);
    const QList<QControlDevice> after = withChanges(before);
    prompts.openFile = home.filePath("before.json");
    QString error;
    if (!QDbManipulator::saveToFile(prompts.openFile, before, &error)) {
        fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    window.remoteTable().files().load_db_from_file();

    printf("apply_diff: %d remotes (128-byte records), %d changed in the file, emulated stick "
           "%s\n",
           count, Changes, quick ? "not paced (--short)" : "paced at 4800 baud both ways");
    emulator.clearFrameLog();
    QElapsedTimer clock;
    clock.start();
    double full = 0;
    const bool written = waitSucceeded(window.remoteTable().transfers().save_db_to_modem(), 600000,
                                       [&] { full = clock.nsecsElapsed() / 1e9; });
    const double fullWire = wireSeconds(emulator);
    printf("full table write (clear + %d writes): %8.2f s  (wire %.2f s)%s\n", count, full,
           fullWire, written ? "" : "  FAILED");
    fflush(stdout);

    // The compare dialog is answered as soon as it shows; the clock starts with "apply".
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QCompareDialog *>(w); d && d->isVisible()) {
                press.stop();
                emulator.clearFrameLog();
                clock.restart();
                d->findChild<QPushButton *>("pushButton_apply")->click();
            }
    });
    press.start(10);
    // Until the changes have been applied and the operation has ended.
    bool ended = false, applied = false;
    double diff = 0;
    QObject::connect(&remotes.compare(), &QTableCompare::compareEnded, [&](bool same) {
        diff = clock.nsecsElapsed() / 1e9;
        ended = true;
        applied = same;
    });
    if (remotes.compare().compareAndApply(after, "after.json"))
        runUntil([&ended] { return ended; }, 600000);
    const double diffWire = wireSeconds(emulator);
    printf("differences applied (%d changes):     %8.2f s  (wire %.2f s)%s\n", Changes, diff,
           diffWire, applied ? "" : "  FAILED");

    QList<QControlDevice> held;
    for (const vexo::emu::EmulatorRemote &r : emulator.state().modemRemotes)
        held << QControlDevice(nullptr, int(r.id), r.group, r.ownerName, r.active, r.workMode);
    const bool same = compareTables(held, after, true).isEmpty();
    printf("ratio full / differences: %.1f\n", diff > 0 ? full / diff : 0.0);
    printf("stick holds the file's table afterwards: %s\n", same ? "yes" : "NO");
    printf("wire s = bytes on the line in both directions (escapes included) x %d / %d\n",
           BitsPerByte, Baud);
    emulator.stop();
    return written && applied && same ? 0 : 1;
}
