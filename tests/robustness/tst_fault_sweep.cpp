// The fault sweep: each group of operations gets its own session against the emulated
// stick and prints its rows of the matrix (operations x faults, pass or fail for the
// retry offers answered yes and no). ctest runs the groups side by side.
#include "sweep.h"

#include "commands.h"
#include "firmwarefile.h"
#include "protocol.h"
#include "qadddevicedialog.h"
#include "qflashcontroller.h"
#include "qmodemsession.h"
#include "qparamcontroller.h"
#include "qpropertywidget.h"
#include "qwaitdialog.h"
#include "remotetableparts.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using Op = Sweep::Operation;
using Kind = ScriptedPrompts::Kind;
using vexo::emu::EmulatorState;

namespace
{
void withPassword(EmulatorState &s, bool loggedIn)
{
    s.password = "secret1";
    s.loggedIn = loggedIn;
}

int firstRemote(Sweep &s)
{
    return int(s.emulator().state().modemRemotes.first().id);
}

// Runs step every ms milliseconds until it returns true, for 30 s at most. The timer
// belongs to the application, so none outlives a run by much.
void pollUntil(int ms, const std::function<bool()> &step)
{
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, step] {
        if (step()) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(ms);
    QTimer::singleShot(30000, poll, &QObject::deleteLater);
}

// The first visible top-level widget of this class, if any.
template <typename T> T *shown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

// Waits until the session is open on the line again, or the line has closed.
void waitUntilOpenAgain(Sweep &s)
{
    (void)QTest::qWaitFor([&] { return !s.emulator().lineOpen() || s.sessionSettled(); }, 30000);
}

// A dialog that waits for the user is accepted as soon as it shows (by this button,
// when one is named).
void acceptWhenShown(const char *className, const char *button = nullptr)
{
    pollUntil(20, [className, button] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->inherits(className) && w->isVisible()) {
                if (auto *b = button ? w->findChild<QPushButton *>(button) : nullptr)
                    b->click();
                else
                    static_cast<QDialog *>(w)->accept();
                return true;
            }
        }
        return false;
    });
}

QList<Op> tableOperations()
{
    return {
        {"session opening",
         CMD_GET_PROTECTION,
         1,
         {},
         false,
         [](Sweep &s) {
             s.emulator().reopenLine();
             // The program notices the old line gone, searches, and opens on the new one;
             // or the line closes under the opening.
             (void)QTest::qWaitFor([&] { return s.window().session().searching(); }, 10000);
             waitUntilOpenAgain(s);
         }},
        {"table read",
         CMD_READ_NEXT_REMOTE,
         2,
         {},
         false,
         [](Sweep &s) { s.window().remoteTable().transfers().load_db_from_modem(); }},
        {"table write",
         CMD_WRITE_REMOTE,
         2,
         {},
         false,
         [](Sweep &s) {
             s.prompts().expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
             s.window().remoteTable().transfers().save_db_to_modem();
         },
         {Sweep::LineClosed},
         "records written before the line closed stay; nothing can be written back"},
        {"table clear",
         CMD_CLEAR_TABLE,
         1,
         {},
         true,
         [](Sweep &s) {
             s.prompts().expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
             s.window().remoteTable().transfers().clear_modem_memory();
         }},
        {"copy to actuator",
         CMD_COPY_TABLE,
         1,
         {},
         true,
         [](Sweep &s) {
             s.prompts().expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
             s.window().remoteTable().copier().copy_table_from_modem_to_dev();
         },
         {Sweep::Corrupted, Sweep::Refused, Sweep::LineClosed},
         "the actuator's table is cleared before the copy, and the program never holds that "
         "table to put back"},
        {"copy to stick",
         CMD_COPY_TABLE,
         1,
         {},
         true,
         [](Sweep &s) {
             s.prompts().expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
             s.window().remoteTable().copier().copy_table_from_dev_to_modem();
         }},
        {"memory status",
         CMD_GET_PARAM,
         1,
         {},
         true,
         [](Sweep &s) {
             acceptWhenShown("QMemoryStatusDialog");
             s.window().remoteTable().copier().show_memory_status();
         }},
        {"apply differences",
         CMD_DELETE_REMOTE,
         2,
         {},
         true,
         [](Sweep &s) {
             acceptWhenShown("QCompareDialog", "pushButton_apply");
             s.prompts().expectFile(Kind::OpenFile, "Выбор файла json", s.tableFile());
             s.window().remoteTable().compare().compareWithFile();
         },
         {Sweep::Dropped, Sweep::Late, Sweep::Corrupted, Sweep::Garbage, Sweep::Split,
          Sweep::Refused, Sweep::LineClosed},
         "each change is a command of its own: those made stay and are listed to the user",
         true},
    };
}

QList<Op> accessOperations()
{
    return {
        {"versions",
         CMD_GET_PARAM,
         1,
         {},
         false,
         [](Sweep &s) { s.window().session().get_version(); }},
        {"log-in", CMD_ACCESS, 1, [](EmulatorState &st) { withPassword(st, false); }, false,
         [](Sweep &s) {
             s.prompts().expectText("Ввод пароля", "secret1");
             s.window().session().admin_mode_clicked();
         }},
        {"password set",
         CMD_PASSWORD,
         1,
         {},
         false,
         [](Sweep &s) {
             s.prompts().expectText("Ввод нового пароля", "secret2");
             s.prompts().expectText("Повтор нового пароля", "secret2");
             s.window().session().admin_password_set();
         }},
        {"password change", CMD_PASSWORD, 2, [](EmulatorState &st) { withPassword(st, true); },
         false,
         [](Sweep &s) {
             s.prompts().expectText("Ввод текущего пароля", "secret1");
             s.prompts().expectText("Ввод нового пароля", "secret2");
             s.prompts().expectText("Повтор нового пароля", "secret2");
             s.window().session().admin_password_set();
         }},
        {"password removal", CMD_PASSWORD, 1, [](EmulatorState &st) { withPassword(st, true); },
         false,
         [](Sweep &s) {
             s.prompts().expectText("Ввод текущего пароля", "secret1");
             s.window().session().admin_password_clear();
         }},
    };
}

// Once the stick listens, the remote is pressed; once the search names it, the user
// closes the search.
void pressAndCloseWhenFound(Sweep &s, quint32 id)
{
    auto pressed = std::make_shared<bool>(false);
    pollUntil(50, [&s, id, pressed] {
        auto *dialog = shown<QWaitDialog>();
        if (!dialog)
            return false;
        // One press, held for two polls, as a user would.
        if (!*pressed && s.window().modem().listening())
            *pressed = s.emulator().pressRemote(id, 1, 2);
        const auto *label = dialog->findChild<QLabel *>("label_text");
        if (!label || !label->text().startsWith("Найден"))
            return false;
        dialog->reject();
        return true;
    });
}

// A new remote is pressed once the stick listens; the wizard that shows it gets an owner.
void pressNewRemoteAndName(Sweep &s)
{
    auto pressed = std::make_shared<bool>(false);
    pollUntil(50, [&s, pressed] {
        if (!*pressed && s.window().modem().listening())
            *pressed = s.emulator().pressRemote(0x3A5A5A, 2, 2);
        auto *wizard = shown<QAddDeviceDialog>();
        auto *owner = wizard ? wizard->findChild<QComboBox *>("comboBox_owner") : nullptr;
        auto *apply = wizard ? wizard->findChild<QPushButton *>("pushButton_owner") : nullptr;
        if (!owner || !apply || !apply->isVisible() || !apply->isEnabled())
            return false;
        owner->setEditText("Новый пульт");
        apply->click();
        return true;
    });
}

// A registration or a search runs as several operations, with the wizard's questions in
// between: the cell waits for all of it.
void waitSearchEnd(Sweep &s)
{
    (void)QTest::qWaitFor([&] { return !s.window().remoteTable().search().active(); }, 60000);
}

QList<Op> remoteOperations()
{
    return {
        {"remote add",
         CMD_WRITE_REMOTE,
         1,
         {},
         true,
         [](Sweep &s) {
             pressNewRemoteAndName(s);
             s.window().remoteTable().search().add_button_clicked();
             waitSearchEnd(s);
         }},
        {"remote identify",
         CMD_GET_FOUND_REMOTE,
         1,
         {},
         true,
         [](Sweep &s) {
             pressAndCloseWhenFound(s, quint32(firstRemote(s)));
             s.window().remoteTable().search().find_button_clicked();
             waitSearchEnd(s);
         }},
        {"remote block",
         CMD_WRITE_REMOTE,
         1,
         {},
         true,
         [](Sweep &s) {
             QVERIFY(s.select(firstRemote(s)));
             s.window().remoteTable().operations().active_button_clicked();
         }},
        {"remote edit",
         CMD_WRITE_REMOTE,
         1,
         {},
         true,
         [](Sweep &s) {
             QVERIFY(s.select(firstRemote(s)));
             s.prompts().expectText("Владелец пульта", "Новый владелец");
             s.window().remoteTable().operations().edit_button_clicked();
         }},
        {"remote delete",
         CMD_DELETE_REMOTE,
         1,
         {},
         true,
         [](Sweep &s) {
             QVERIFY(s.select(firstRemote(s)));
             s.prompts().expectMessage(Kind::Warning, "Удаление пульта", QMessageBox::Yes);
             s.window().remoteTable().operations().del_button_clicked();
         }},
    };
}

// The firmware is saved beside the table file and chosen in the file prompt.
void flash(Sweep &s, const QString &name, const vexo::emu::FirmwareFile &firmware,
           void (QFlashController::*load)())
{
    const QString file = QFileInfo(s.tableFile()).dir().filePath(name);
    QVERIFY(firmware.save(file, nullptr));
    s.window().flasher().setApplyWaitLimit(300);
    s.prompts().expectFile(Kind::OpenFile, "Выбор файла прошивки", file);
    (s.window().flasher().*load)();
}

QList<Op> actuatorOperations()
{
    return {
        {"actuator flashing",
         0x0A02,
         2,
         {},
         false,
         [](Sweep &s) {
             const vexo::emu::EmulatorState st = s.emulator().state();
             flash(s, "actuator.bin",
                   vexo::emu::FirmwareFile::forTarget(st, 1, st.actuatorVersion[0] + 1, 0, 600),
                   &QFlashController::load_device_fu);
         }},
        {"stick flashing",
         0x0A02,
         2,
         {},
         false,
         [](Sweep &s) {
             const vexo::emu::EmulatorState st = s.emulator().state();
             flash(s, "stick.bin",
                   vexo::emu::FirmwareFile::forTarget(st, 0, st.modemVersion[0],
                                                      st.modemVersion[3] + 1, 600),
                   &QFlashController::load_modem_fu);
             // The stick restarts on its new firmware and is found again; or the line
             // closed under the transfer.
             waitUntilOpenAgain(s);
         }},
        {"parameter read",
         CMD_GET_PARAM,
         2,
         {},
         false,
         [](Sweep &s) { s.window().params().load_exe_device_properties(); }},
        {"parameter write",
         CMD_SET_PARAM,
         2,
         {},
         false,
         [](Sweep &s) {
             const int values[] = {3, 60, 1, 180};
             for (int r = 0; r < 4; ++r)
                 s.window().params().editor(r)->setValue(QPropertyWidget::VALUE_EDITED, values[r]);
             s.window().params().save_exe_device_properties();
         },
         {Sweep::Corrupted, Sweep::Refused, Sweep::LineClosed},
         "each parameter is a command of its own; those the actuator took stay, and the "
         "program keeps no values from before the edit to write back"},
    };
}
} // namespace

class tst_fault_sweep : public QObject
{
    Q_OBJECT

    void run(const QList<Op> &operations)
    {
        Sweep sweep;
        QVERIFY(sweep.open());
        QStringList names;
        QList<QList<Sweep::Cell>> rows;
        QStringList failures;
        // Operations that only look: a clean run of any other one must change the devices,
        // or its cells would compare nothing.
        const QStringList looking{"session opening", "table read",     "memory status",
                                  "remote identify", "parameter read", "versions"};
        // SWEEP_ONLY=name runs one operation, for a developer looking at its cells.
        const QString only = qEnvironmentVariable("SWEEP_ONLY");
        for (const Op &op : operations) {
            if (!only.isEmpty() && op.name != only)
                continue;
            names << op.name;
            rows << sweep.sweep(op);
            if (sweep.cleanRunChangedDevices() == looking.contains(op.name))
                failures << op.name + ": the clean run " +
                                (looking.contains(op.name) ? "changed" : "did not change") +
                                " the devices";
            for (const Sweep::Cell &c : rows.last())
                if (c.verdict.startsWith("FAIL"))
                    failures << op.name + ": " + c.verdict;
        }
        QString notes;
        for (int i = 0; i < names.size(); ++i)
            for (const Sweep::Cell &c : rows.at(i))
                if (c.verdict == "part") {
                    const auto op =
                        std::find_if(operations.cbegin(), operations.cend(),
                                     [&](const Op &o) { return o.name == names.at(i); });
                    notes += "part, " + names.at(i) + ": " + op->partWayReason + "\n";
                    break;
                }
        qInfo().noquote() << "\n" + Sweep::matrix(names, rows) + notes;
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    }

private slots:
    void initTestCase() { SessionRig::useTemporaryHome(); }
    void tableOperations() { run(::tableOperations()); }
    void accessOperations() { run(::accessOperations()); }
    void remoteOperations() { run(::remoteOperations()); }
    void actuatorOperations() { run(::actuatorOperations()); }
};

QTEST_MAIN(tst_fault_sweep)
#include "tst_fault_sweep.moc"
