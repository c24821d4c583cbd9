// A long run: N operations (default 1000) through the window against the emulated stick,
// each under a fault drawn at random (or none), retry offers answered at random; SEED
// draws another run. Prints the resident memory after the opening and at the end, and
// every operation that did not end within its limit.
#include "benchmode.h"
#include "emulator.h"
#include "mainwindow.h"
#include "qinterface_manager.h"
#include "qmodemsession.h"
#include "qparamcontroller.h"
#include "qremoteoperations.h"
#include "qtablecopy.h"
#include "qtabletransfers.h"
#include "quietprompts.h"
#include "qwaitdialog.h"
#include "remotelist.h"
#include "remotetableparts.h"
#include "waitoperation.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace
{
constexpr int AckTimeoutMs = 300;
constexpr int OperationLimitMs = 60000;

QRandomGenerator rng(20240601);

// Never blocks, says nothing: repeat offers get a random answer, everything else its
// first button.
class RandomPrompts : public QuietPrompts
{
protected:
    Button answer(const QString &, Buttons b, Button) override
    {
        if (b.testFlag(QMessageBox::Yes) && b.testFlag(QMessageBox::No))
            return rng.bounded(2) ? QMessageBox::Yes : QMessageBox::No;
        return b.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Yes;
    }
};

long rssKb()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

bool dialogShown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog *>(w) && w->isVisible())
            return true;
    return false;
}

void closeDialogs()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *wait = qobject_cast<QWaitDialog *>(w); wait && wait->isVisible())
            wait->systemReject();
        else if (auto *d = qobject_cast<QDialog *>(w); d && d->isVisible())
            d->reject();
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    const bool quick = takeShortFlag(argc, argv);
    QApplication app(argc, argv);
    // The figures show as they come, also when the output goes to a file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : quick ? 20 : 1000;
    // Another seed draws other operations, faults and answers; the default repeats a run.
    if (argc > 2)
        rng.seed(QByteArray(argv[2]).toUInt());

    vexo::emu::EmulatorState state = vexo::emu::EmulatorState::demo();
    state.autoRemotePolls = 0;
    state.autoHoldPolls = 0;
    state.progressSteps = 1;
    vexo::emu::Emulator emu(state);
    const QString link = home.filePath("stick");
    if (!emu.start(true) || !QFile::link(emu.slavePath(), link)) {
        std::fprintf(stderr, "no emulator\n");
        return 1;
    }
    RandomPrompts prompts;
    ShellOptions options;
    options.ports = {link};
    options.systemPorts = false;
    MainWindow window(&app, &prompts, options);
    window.show();
    QModemSession &session = window.session();
    const auto connected = [&] {
        return window.modem().connected() && !session.searching() && !session.busy() &&
               !dialogShown();
    };
    if (!runUntil(connected, 30000)) {
        std::fprintf(stderr, "no session\n");
        return 1;
    }
    window.interfaceManager()->set_ack_timeout(AckTimeoutMs);

    auto *table = window.findChild<QTableView *>("tablePults");
    const QList<std::pair<const char *, std::function<void()>>> operations = {
        {"table read", [&] { window.remoteTable().transfers().load_db_from_modem(); }},
        {"table write", [&] { window.remoteTable().transfers().save_db_to_modem(); }},
        {"version", [&] { window.session().get_version(); }},
        {"privileges", [&] { window.session().get_modem_privilegies(); }},
        {"parameter read", [&] { window.params().load_exe_device_properties(); }},
        {"copy to stick", [&] { window.remoteTable().copier().copy_table_from_dev_to_modem(); }},
        {"remote block",
         [&] {
             if (table && table->model()->rowCount() > 0) {
                 const int rows = table->model()->rowCount();
                 table->setCurrentIndex(table->model()->index(int(rng.bounded(rows)), 0));
                 window.remoteTable().operations().active_button_clicked();
             }
         }},
    };
    const auto arm = [&](int fault) {
        switch (fault) {
        case 0:
            emu.dropAnswers(1);
            break;
        case 1:
            emu.delayAnswers(1, AckTimeoutMs * 2);
            break;
        case 2:
            emu.corruptChecksums(1);
            break;
        case 3:
            emu.sendGarbage(QByteArray::fromHex("a57e5a00"), 1);
            break;
        case 4:
            emu.splitAnswers(1, 3, 40);
            break;
        case 5:
            emu.forceStatus(0x0103, 7, 0, 1);
            break;
        case 6:
            emu.hangUpAtNextAnswer();
            break;
        default:
            break; // no fault
        }
    };

    // A warm-up first, so caches filled once are not counted as growth.
    long startRss = 0;
    int unfinished = 0;
    QElapsedTimer total;
    total.start();
    const int warmUp = qMin(50, count / 10);
    for (int i = 0; i < count + warmUp; ++i) {
        if (i == warmUp) {
            startRss = rssKb();
            std::printf("RSS after %d operations: %ld kB\n", warmUp, startRss);
        }
        const auto &op = operations.at(int(rng.bounded(int(operations.size()))));
        const int fault = int(rng.bounded(10));
        emu.clearFaults();
        // The emulator runs in this process: its traffic log is not the program's memory.
        emu.clearFrameLog();
        // The fault lands on one of the first few answers of the operation.
        arm(fault);
        bool overdue = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            overdue = true;
            closeDialogs();
        });
        watchdog.start(OperationLimitMs);
        op.second();
        // What runs on after the call returns (operations that do not wait) ends too.
        runUntil([&] { return !session.busy(); }, OperationLimitMs);
        watchdog.stop();
        emu.clearFaults();
        if (overdue) {
            ++unfinished;
            std::printf("operation %d (%s, fault %d) did not end within %d s\n", i, op.first, fault,
                        OperationLimitMs / 1000);
        }
        if (!emu.lineOpen()) {
            emu.reopenLine();
            QFile::remove(link);
            QFile::link(emu.slavePath(), link);
        }
        if (!runUntil(connected, 30000)) {
            std::printf("operation %d (%s, fault %d): no session afterwards\n", i, op.first, fault);
            ++unfinished;
        }
        window.interfaceManager()->set_ack_timeout(AckTimeoutMs);
    }
    const long endRss = rssKb();
    std::printf("RSS after %d more operations: %ld kB (%+ld kB)\n", count, endRss,
                endRss - startRss);
    std::printf("%d operations in %.1f s, %d did not end\n", count + warmUp,
                total.elapsed() / 1000.0, unfinished);
    window.closeWithoutConfirmation();
    return unfinished == 0 ? 0 : 1;
}
