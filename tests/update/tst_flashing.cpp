// Flashing the emulated stick and actuator through a session without a window: the
// checks before, the transfer, its failures, the apply wait and the version after.
#include "firmwarefile.h"
#include "modemrig.h"
#include "qflashcontroller.h"
#include "qinterface_manager.h"
#include "quietwait.h"
#include "qwaitdialog.h"
#include "stepwatch.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using vexo::emu::EmulatorState;
using vexo::emu::FirmwareFile;
using vexo::emu::FrameLogEntry;
using Kind = ScriptedPrompts::Kind;

namespace
{
const QString Failed = "При обновлении прошивки возникла ошибка";

EmulatorState devices()
{
    EmulatorState s;
    s.modemVersion = {2, 1, 5, 5}; // major, type, board, minor
    s.actuatorVersion = {3, 2, 4, 1};
    s.restartMs = 50; // shorter than every apply wait below
    return s;
}

// A version as the user reads it: type.board.major.minor of the bytes a target reports
// (major, type, board, minor).
QString shown(const std::array<quint8, 4> &v)
{
    return QString("%1.%2.%3.%4").arg(v[1]).arg(v[2]).arg(v[0]).arg(v[3]);
}

QByteArray bytes(int size, int seed)
{
    QByteArray out;
    for (int i = 0; i < size; ++i)
        out.append(char((i * 7 + seed) & 0xFF));
    return out;
}

// Every text an operation of the session shows, with whether it can be cancelled and
// whether it counts its steps at that moment.
struct OperationRecorder : QObject {
    QStringList shown;
    explicit OperationRecorder(QModemSession &session)
    {
        connect(&session, &QModemSession::operationStarted, this, [this](QOperation *op) {
            record(op);
            connect(op, &QOperation::textChanged, this, [this, op] { record(op); });
        });
    }
    void record(QOperation *op)
    {
        shown << QString("%1|%2|%3")
                     .arg(op->text(), op->isCancelEnabled() ? "cancel" : "no cancel",
                          op->maximum() > 0 ? "bar" : "");
    }
};

// Target bytes of the firmware frames the device received.
QList<int> firmwareTargets(const vexo::emu::Emulator &emu)
{
    QList<int> targets;
    for (const FrameLogEntry &e : emu.frameLog())
        if (e.direction == FrameLogEntry::Direction::In && e.frame.size() >= 9 && e.frame[3] == 2 &&
            quint8(e.frame[5]) == 0x02)
            targets << quint8(e.frame[7]);
    return targets;
}
} // namespace

class tst_flashing : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString save(const QString &name, const FirmwareFile &file)
    {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        return file.save(path, nullptr) ? path : QString();
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void stickTakesTheFileAndChecksItsVersion()
    {
        ModemRig rig(devices());
        QVERIFY(rig.open());
        QFlashController flasher(&rig.session());
        flasher.setApplyWaitLimit(300);
        FirmwareFile f = FirmwareFile::forTarget(rig.emulator().state(), 0, 2, 6, 1000);
        f.imageWord = 0xCAFEF00D;
        f.headerByte14 = 9;
        f.sections.append({0x08100000, bytes(150, 1)});
        const QString path = save("stick.bin", f);
        rig.prompts()
            .expectFile(Kind::OpenFile, "Выбор файла прошивки", path)
            .expectMessage(Kind::Question, "Внимание", QMessageBox::Yes);

        QSignalSpy checks(&flasher, &QFlashController::updateChecksEnabled);
        QSignalSpy said(&rig.session(), &QModemSession::statusMessage);
        QSignalSpy waits(&flasher, &QFlashController::applyWaitStarted);
        OperationRecorder operations(rig.session());
        QInterface_Manager *link = rig.session().interfaceManager();
        QList<int> timeouts;
        StepWatch watch(&rig.session(), [&] { timeouts << link->command_timeout(); });
        MODEM_TRANSACTION_T applying = TRANSACTION_FLASH;
        connect(&flasher, &QFlashController::applyWaitStarted, this, [&] {
            timeouts << link->command_timeout();
            applying = rig.session().modem().currentTransaction();
        });
        int progress = -1, max = -1;
        onTransactionDone(&rig.session(), [&] {
            if (QOperation *op = rig.session().currentOperation(); op && op->maximum() > 0) {
                progress = op->progress();
                max = op->maximum();
            }
        });
        flasher.load_modem_fu();
        QVERIFY(rig.waitIdle());
        // A file the user chose is flashed only when agreed to, naming both versions.
        QCOMPARE(rig.prompts().calls().last().text,
                 "Загрузить прошивку из файла на USB-stick?\n" + QDir::toNativeSeparators(path) +
                     "\nУстановленная версия: 1.5.2.5. Версия в файле: 1.5.2.6.");
        QCOMPARE(rig.prompts().calls().last().defaultButton, QMessageBox::No);

        // start, 11 + 2 blocks, end: the first message does not move the bar.
        QCOMPARE(max, 15);
        QCOMPARE(progress, 14);
        // 15 s while blocks go out, 3 s again once the transfer is over.
        QCOMPARE(timeouts, QList<int>(14, 15000) << 3000);
        QCOMPARE(applying, TRANSACTION_NONE);
        const vexo::emu::FirmwareImage img = rig.emulator().lastFirmware();
        QVERIFY(img.complete);
        QCOMPARE(img.runs.keys(), (QList<quint32>{0x08004000, 0x08100000}));
        QCOMPARE(img.runs.value(0x08004000), f.sections[0].data);
        QCOMPARE(img.runs.value(0x08100000), f.sections[1].data);
        QCOMPARE(img.imageWord, 0xCAFEF00D);
        QCOMPARE(img.imageSize, quint32(1150));
        QCOMPARE(img.headerByte14, quint8(9));
        QCOMPARE(img.blockSize, 96);
        QCOMPARE(waits.size(), 1);
        QCOMPARE(waits.first().first().toInt(), 5000 + 1150 * 10000 / 128000);
        QCOMPARE(operations.shown,
                 (QStringList{"Загрузка прошивки на USB-stick|cancel|",
                              "Запрос версии USB-stick...|cancel|",
                              "Загрузка прошивки на USB-stick|cancel|bar",
                              "Ожидание применения прошивки на USB-stick|no cancel|"}));

        // The stick comes back on a new connection with the file's version.
        QVERIFY(rig.waitOpenings(2));
        QCOMPARE(rig.session().modem().version(), QByteArray::fromHex("02010506"));
        QCOMPARE(checks.size(), 2);
        QVERIFY(!checks[0][0].toBool() && checks[1][0].toBool());
        QCOMPARE(said.value(0).value(0).toString(),
                 QString("Прошивка 1.5.2.6 записана в USB-stick"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));

        // An image that does not start: the next opening says so.
        rig.emulator().modifyState([](EmulatorState &s) { s.applyFirmware = false; });
        f.minor = 7;
        QVERIFY(flasher.updater().loadFile(save("stick.bin", f), QFlashUpdater::FLASH_MODEM));
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(operationwait::succeeds(flasher.flash_fu(QFlashUpdater::FLASH_MODEM)));
        QVERIFY(rig.waitOpenings(3));
        QCOMPARE(rig.prompts().texts().last(),
                 QString("Ошибка применения новой прошивки на USB-stick"));
    }

    void checksBeforeFlashing()
    {
        ModemRig rig(devices());
        QVERIFY(rig.open());
        QFlashController flasher(&rig.session());
        flasher.setApplyWaitLimit(300);
        const QString notStick =
            "Данный файл прошивки не предназначен для обновления подключенного USB-stick";
        const QString notDevice =
            "Данный файл прошивки не предназначен для обновления исполнительного устройства";
        const QString same = "На USB-stick установлена текущая версия прошивки. Загрузить заново "
                             "на USB-stick текущую версию ПО?";
        const QString older = "На USB-stick установлена более новая версия прошивки, чем в "
                              "текущем файле. Загрузить на USB-stick старую версию ПО?";
        const QString sameDevice = "На исполнительном устройстве установлена текущая версия "
                                   "прошивки. Загрузить заново на исполнительное устройство "
                                   "текущую версию ПО?";
        const QString olderDevice = "На исполнительном устройстве установлена более новая версия "
                                    "прошивки, чем в текущем файле. Загрузить на исполнительное "
                                    "устройство старую версию ПО?";
        const struct {
            int target;
            quint8 type, board, major, minor;
            std::array<quint8, 4> stick;
            Kind kind;
            QString text;
        } rows[] = {
            {0, 9, 5, 3, 0, {2, 1, 5, 5}, Kind::Warning, notStick},
            {0, 1, 9, 3, 0, {2, 1, 5, 5}, Kind::Warning, notStick},
            {0, 1, 5, 2, 5, {2, 1, 5, 5}, Kind::Question, same},
            {0, 1, 5, 2, 4, {2, 1, 5, 5}, Kind::Question, older},
            {0, 1, 5, 3, 0, {200, 1, 5, 0}, Kind::Question, older}, // unsigned: 200 is newer
            {1, 9, 4, 3, 2, {2, 1, 5, 5}, Kind::Warning, notDevice},
            {1, 2, 9, 3, 2, {2, 1, 5, 5}, Kind::Warning, notDevice},
            {1, 2, 4, 3, 1, {2, 1, 5, 5}, Kind::Question, sameDevice},
            {1, 2, 4, 1, 0, {2, 1, 5, 5}, Kind::Question, olderDevice},
        };
        // What a refused file left behind can never be flashed.
        QVERIFY(!flasher.updater().loadData(FirmwareFile().toBytes(), QFlashUpdater::FLASH_MODEM));
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!operationwait::succeeds(flasher.flash_fu(QFlashUpdater::FLASH_MODEM)));
        QCOMPARE(rig.prompts().texts().last(), QString("Ошибка файла прошивки"));
        for (const auto &row : rows) {
            rig.emulator().modifyState([&](EmulatorState &s) { s.modemVersion = row.stick; });
            FirmwareFile f = FirmwareFile::forTarget(rig.emulator().state(), row.target, row.major,
                                                     row.minor, 100);
            f.type = row.type;
            f.board = row.board;
            const auto target = QFlashUpdater::FLASH_DEVICE_T(row.target);
            QVERIFY(flasher.updater().loadData(f.toBytes(), target));
            const int inits = rig.requests(0x0404);
            rig.prompts().expectMessage(
                row.kind, row.kind == Kind::Question ? "Внимание" : "Ошибка",
                row.kind == Kind::Question ? QMessageBox::No : QMessageBox::Ok);
            QVERIFY(!operationwait::succeeds(flasher.flash_fu(target)));
            const ScriptedPrompts::Call &call = rig.prompts().calls().last();
            QCOMPARE(call.text.section('\n', 0, 0), row.text);
            if (row.kind == Kind::Question)
                QCOMPARE(call.defaultButton, QMessageBox::No);
            // Both versions named, in the form the status bar uses, refused or asked.
            const std::array<quint8, 4> v =
                row.target ? rig.emulator().state().actuatorVersion : row.stick;
            QCOMPARE(call.text.section('\n', 1),
                     QString("Установленная версия: %1. Версия в файле: %2.")
                         .arg(shown(v), shown({row.major, row.type, row.board, row.minor})));
            QCOMPARE(rig.requests(CMD_FLASH_START), 0);
            QCOMPARE(rig.requests(0x0404), inits + row.target); // actuator initialised first
        }

        // A newer version goes without a question when the user chose the update already.
        rig.emulator().modifyState([](EmulatorState &s) { s.modemVersion = {2, 1, 5, 5}; });
        const EmulatorState s = rig.emulator().state();
        QVERIFY(flasher.updater().loadData(FirmwareFile::forTarget(s, 1, 4, 0, 100).toBytes(),
                                           QFlashUpdater::FLASH_DEVICE));
        QVERIFY(operationwait::succeeds(flasher.flash_fu(QFlashUpdater::FLASH_DEVICE)));
        QCOMPARE(rig.session().execDevice().version(), QByteArray::fromHex("04020400"));
        QVERIFY(flasher.updater().loadData(FirmwareFile::forTarget(s, 0, 3, 0, 100).toBytes(),
                                           QFlashUpdater::FLASH_MODEM));
        QVERIFY(operationwait::succeeds(flasher.flash_fu(QFlashUpdater::FLASH_MODEM)));
        QCOMPARE(rig.requests(CMD_FLASH_END), 2);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void failedTransfers()
    {
        ModemRig rig(devices());
        QVERIFY(rig.open());
        QFlashController flasher(&rig.session());
        QSignalSpy waits(&flasher, &QFlashController::applyWaitStarted);
        QInterface_Manager *link = rig.session().interfaceManager();
        FirmwareFile f = FirmwareFile::forTarget(rig.emulator().state(), 0, 3, 0, 2000);
        int steps = 0;
        std::function<void()> atFifthStep;
        StepWatch watch(&rig.session(), [&] {
            if (++steps == 5 && atFifthStep)
                atFifthStep();
        });

        // Cancelled by the user.
        atFifthStep = [&] {
            QTimer::singleShot(0, [&] { rig.session().currentOperation()->cancel(); });
        };
        QVERIFY(flasher.updater().loadData(f.toBytes(), QFlashUpdater::FLASH_MODEM));
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!operationwait::succeeds(flasher.flash_fu(QFlashUpdater::FLASH_MODEM)));
        // What became of the stick and what to do, beneath.
        QCOMPARE(rig.prompts().texts().last(),
                 Failed + "\n" +
                     QFlashController::interruptedAdvice(QFlashUpdater::FLASH_MODEM, false));
        QCOMPARE(link->ack_timeout(), 3000);
        QCOMPARE(rig.session().modem().currentTransaction(), TRANSACTION_NONE);
        QVERIFY(!rig.emulator().lastFirmware().complete);
        // The block in flight when cancelled is still answered: the link holds the next
        // request back until that answer has come, and drops it.
        QVERIFY(operationwait::succeeds(rig.session().get_modem_version()));
        QCOMPARE(rig.session().modem().version(), QByteArray::fromHex("02010505"));

        // A block the stick refuses (it overwrites the one before).
        FirmwareFile overlap = f;
        overlap.sections.append({0x08004010, bytes(10, 2)});
        QVERIFY(flasher.updater().loadData(overlap.toBytes(), QFlashUpdater::FLASH_MODEM));
        rig.prompts()
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!operationwait::succeeds(flasher.flash_fu(QFlashUpdater::FLASH_MODEM)));
        QCOMPARE(rig.prompts().texts().mid(rig.prompts().calls().size() - 2).join('|'),
                 "Конечное устройство не смогло успешно выполнить команду|" + Failed + "\n" +
                     QFlashController::interruptedAdvice(QFlashUpdater::FLASH_MODEM, false));

        // The stick falls silent: the session closes and the search finds it again.
        steps = 0;
        link->set_ack_timeout(200);
        // One message, saying what stays undone.
        atFifthStep = [&] { rig.emulator().dropAnswers(1000000); };
        QVERIFY(flasher.updater().loadData(f.toBytes(), QFlashUpdater::FLASH_MODEM));
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        const int before = int(rig.prompts().calls().size());
        QVERIFY(!operationwait::succeeds(flasher.flash_fu(QFlashUpdater::FLASH_MODEM)));
        rig.emulator().clearFaults();
        QCOMPARE(
            rig.prompts().texts().mid(before),
            QStringList{"Usb-stick не отвечает. Проверьте подключение.\nПрошивка не записана.\n" +
                        QFlashController::interruptedAdvice(QFlashUpdater::FLASH_MODEM, true)});
        QVERIFY(!rig.session().modem().updating());
        QVERIFY(rig.waitOpenings(2));
        QCOMPARE(link->ack_timeout(), 3000);
        QCOMPARE(rig.session().modem().currentTransaction(), TRANSACTION_NONE);
        QCOMPARE(rig.session().modem().version(), QByteArray::fromHex("02010505"));
        QVERIFY(waits.isEmpty());
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void actuatorPairFlashesOnce()
    {
        ModemRig rig(devices());
        QVERIFY(rig.open());
        QFlashController flasher(&rig.session());
        const int applyWait = 300;
        flasher.setApplyWaitLimit(applyWait);
        QSignalSpy waits(&flasher, &QFlashController::applyWaitStarted);
        const EmulatorState s = rig.emulator().state();
        // Digits in the folder must not lead to another folder.
        const QString first =
            save("fw 3 and 4/drive_4.bin", FirmwareFile::forTarget(s, 1, 3, 2, 300));
        const FirmwareFile second = FirmwareFile::forTarget(s, 1, 3, 2, 200);
        const QString partner = save("fw 3 and 4/drive_3.bin", second);
        QSignalSpy status(&flasher, &QFlashController::statusMessage);
        rig.prompts()
            .expectFile(Kind::OpenFile, "Выбор файла прошивки", first)
            .expectMessage(Kind::Question, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Question, "Внимание", QMessageBox::Yes);
        flasher.load_device_fu();
        QVERIFY(rig.waitIdle());
        // The second flash is asked for, naming the file and its version.
        QCOMPARE(rig.prompts().texts().last(),
                 "Первый файл прошивки записан. Загрузить на исполнительное устройство парный "
                 "файл?\n" +
                     QDir::toNativeSeparators(partner) + "\nВерсия 2.4.3.2.");
        QVERIFY(status.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(rig.requests(CMD_FLASH_END), 2, 30000);
        QTRY_VERIFY(rig.emulator().lastFirmware().complete);
        // And no third: not in the operation, which has ended, nor after its last wait for
        // the actuator to apply an image.
        QTRY_COMPARE(rig.session().execDevice().version(), QByteArray::fromHex("03020402"));
        QVERIFY(rig.waitIdle());
        QVERIFY(quietwait::staysFalse([&] { return rig.requests(CMD_FLASH_START) > 2; },
                                      quietwait::past(applyWait)));
        QCOMPARE(rig.requests(CMD_FLASH_START), 2);
        QCOMPARE(rig.emulator().lastFirmware().runs.first(), second.sections.first().data);
        QCOMPARE(flasher.firmwareFileName(), partner);
        QCOMPARE(waits.size(), 2);
        QCOMPARE(waits[0][0].toInt(), 5000 + 300 * 25000 / 128000);
        QCOMPARE(waits[1][0].toInt(), 5000 + 200 * 25000 / 128000);
        QCOMPARE(rig.session().execDevice().version(), QByteArray::fromHex("03020402"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));

        // No partner on disk: no fault, the status bar says one file was written.
        const QString solo = save("solo_4.bin", FirmwareFile::forTarget(s, 1, 3, 3, 100));
        rig.prompts().expectMessage(Kind::Question, "Внимание", QMessageBox::Yes);
        QVERIFY(operationwait::succeeds(flasher.loadAndFlash(solo, QFlashUpdater::FLASH_DEVICE)));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
        QCOMPARE(status.size(), 1);
        QCOMPARE(status[0][0].toString(),
                 "Записан только один файл прошивки: парного файла " +
                     QDir::toNativeSeparators(m_dir.filePath("solo_3.bin")) + " нет");
        QCOMPARE(rig.requests(CMD_FLASH_START), 3);

        // A partner older than its first file, or for another board, is refused.
        const QString newer = save("new_4.bin", FirmwareFile::forTarget(s, 1, 3, 5, 100));
        FirmwareFile otherBoard = FirmwareFile::forTarget(s, 1, 3, 5, 100);
        otherBoard.board = 9;
        for (const FirmwareFile &wrong : {FirmwareFile::forTarget(s, 1, 3, 4, 100), otherBoard}) {
            save("new_3.bin", wrong);
            rig.prompts()
                .expectMessage(Kind::Question, "Внимание", QMessageBox::Yes)
                .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
            QVERIFY(
                operationwait::succeeds(flasher.loadAndFlash(newer, QFlashUpdater::FLASH_DEVICE)));
            QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
            QVERIFY(status.last()[0].toString().endsWith(" не подходит"));
        }
        QCOMPARE(rig.requests(CMD_FLASH_START), 5);

        // An image that does not start: the warning, and no partner.
        rig.emulator().modifyState([](EmulatorState &st) { st.applyFirmware = false; });
        rig.prompts()
            .expectFile(Kind::OpenFile, "Выбор файла прошивки", first)
            .expectMessage(Kind::Question, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Внимание", QMessageBox::Ok);
        flasher.load_device_fu();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.prompts().texts().last(),
                 QString("Ошибка применения прошивки на исполнительном устройстве"));
        QVERIFY(quietwait::staysFalse([&] { return rig.requests(CMD_FLASH_START) > 6; },
                                      quietwait::past(applyWait)));
        QCOMPARE(rig.requests(CMD_FLASH_START), 6);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    void remoteModeChecksTheActuatorAndSends()
    {
        ModemRig rig(devices());
        QVERIFY(rig.open());
        QFlashController flasher(&rig.session());
        QSignalSpy waits(&flasher, &QFlashController::applyWaitStarted);
        OperationRecorder operations(rig.session());
        rig.session().setRemoteMode(true);
        const QString notDevice =
            "Данный файл прошивки не предназначен для обновления исполнительного устройства";

        // A stick's image, validly made, or another board's: refused before a byte is sent.
        FirmwareFile otherBoard = FirmwareFile::forTarget(rig.emulator().state(), 1, 4, 0, 300);
        otherBoard.board = 9;
        for (const FirmwareFile &wrong :
             {FirmwareFile::forTarget(rig.emulator().state(), 0, 4, 0, 300), otherBoard}) {
            rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
            QVERIFY(!operationwait::succeeds(flasher.loadAndFlash(
                save("wrong.bin", wrong), QFlashUpdater::FLASH_DEVICE_REMOTE)));
            QCOMPARE(rig.prompts().texts().last().section('\n', 0, 0), notDevice);
        }
        QCOMPARE(rig.requests(CMD_FLASH_START), 0);
        QCOMPARE(rig.session().execDevice().version(), QByteArray::fromHex("03020401"));

        const QString path =
            save("remote_4.bin", FirmwareFile::forTarget(rig.emulator().state(), 1, 4, 0, 300));
        rig.prompts()
            .expectFile(Kind::OpenFile, "Выбор файла прошивки", path)
            .expectMessage(Kind::Question, "Внимание", QMessageBox::Yes);
        const int queries = rig.requests(0x0104);
        flasher.load_device_fu();
        QVERIFY(rig.waitIdle());
        QVERIFY(rig.emulator().lastFirmware().complete);
        QCOMPARE(firmwareTargets(rig.emulator()), QList<int>(6, 2)); // start, 4 blocks, end
        // The version asked in autonomous mode, no initialisation, no apply wait.
        QCOMPARE(rig.requests(0x0404), 0);
        QCOMPARE(rig.requests(0x0104), queries + 1);
        QVERIFY(waits.isEmpty());
        // Shown as the actuator's, whatever carries it.
        const QString loading = "Загрузка прошивки на исполнительное устройство";
        QCOMPARE(operations.shown.mid(operations.shown.size() - 3),
                 (QStringList{loading + "|cancel|",
                              "Запрос версии исполнительного устройства...|cancel|",
                              loading + "|cancel|bar"}));
        // No partner without a version check: it would have been part of the operation.
        QCOMPARE(rig.requests(CMD_FLASH_START), 1);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }
};

QTEST_MAIN(tst_flashing)
#include "tst_flashing.moc"
