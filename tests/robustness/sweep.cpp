#include "sweep.h"

#include "modemrig.h"
#include "operationwait.h"
#include "qdbmanipulator.h"
#include "qinterface_manager.h"
#include "qmodemsession.h"
#include "qwaitdialog.h"
#include "remotetableparts.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTest>
#include <QTimer>

using vexo::emu::EmulatorRemote;
using vexo::emu::EmulatorState;

namespace
{
// Time-outs the cells do not depend on are lowered, so the sweep stays short.
constexpr int AckTimeoutMs = 300;
constexpr int CellLimitMs = 60000;

const QString RetryNoLink = QStringLiteral(
    "Usb-stick не смог выполнить команду на конечном устройстве. Повторить попытку?");
const QString RetryBadAnswer =
    QStringLiteral("Принят неверный ответ от USB-stick. Повторить попытку?");

QString remoteText(const QString &id, int group, bool active, int workMode, const QString &owner)
{
    return QStringLiteral("%1/%2/%3/%4/%5").arg(id).arg(group).arg(active).arg(workMode).arg(owner);
}

QString tableText(const QList<EmulatorRemote> &table)
{
    QStringList rows;
    for (const EmulatorRemote &r : table)
        rows << remoteText(QString::number(r.id), r.group, r.active, r.workMode, r.ownerName);
    return rows.join(';');
}

// A stick and actuator with a few remotes each and long records.
EmulatorState baseState()
{
    EmulatorState st = EmulatorState::demo();
    st.restartMs = 200;
    st.progressSteps = 1;
    st.autoRemotePolls = 0;
    st.autoHoldPolls = 0;
    st.modemRemotes = st.modemRemotes.mid(0, 4);
    st.actuatorRemotes = st.modemRemotes.mid(1, 2);
    return st;
}

void closeDialogs()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *wait = qobject_cast<QWaitDialog *>(w); wait && wait->isVisible())
            wait->systemReject();
        else if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible())
            dialog->reject();
    }
}

} // namespace

bool Sweep::dialogShown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog *>(w) && w->isVisible())
            return true;
    return false;
}

QString Sweep::faultName(Fault f)
{
    switch (f) {
    case Dropped:
        return "dropped";
    case Late:
        return "late";
    case Corrupted:
        return "corrupted";
    case Garbage:
        return "garbage";
    case Split:
        return "split";
    case Refused:
        return "refused";
    case LineClosed:
        return "line closed";
    case FaultCount:
        break;
    }
    return QString();
}

QString Sweep::Snapshot::diff(const Snapshot &other) const
{
    QStringList out;
    const QStringList a = pc + stick, b = other.pc + other.stick;
    for (int i = 0; i < qMin(a.size(), b.size()); ++i)
        if (a.at(i) != b.at(i))
            out << QStringLiteral("[%1] %2 | %3").arg(i).arg(a.at(i).left(120), b.at(i).left(120));
    return out.join("\n      ");
}

Sweep::Sweep() : m_rig(baseState())
{
    m_file = m_dir.filePath("table.json");
    QList<QControlDevice> file;
    for (int id : {11, 12, 13})
        file << QControlDevice(nullptr, id, quint8(id % 4), QStringLiteral("Файл %1").arg(id));
    QDbManipulator::saveToFile(m_file, file, nullptr);
}

Sweep::~Sweep()
{
    closeDialogs();
}

bool Sweep::open()
{
    if (!m_rig.open())
        return false;
    window().interfaceManager()->set_ack_timeout(AckTimeoutMs);
    return true;
}

bool Sweep::sessionSettled()
{
    return window().modem().connected() && !window().session().searching() &&
           !window().session().busy() && !dialogShown();
}

bool Sweep::select(int id)
{
    auto *table = window().findChild<QTableView *>("tablePults");
    const int row = window().remoteTable().view().rowOfId(id);
    if (!table || row < 0)
        return false;
    table->setCurrentIndex(table->model()->index(row, 0));
    return true;
}

bool Sweep::reconnect()
{
    if (!emulator().reopenLine())
        return false;
    // The opening's steps run in nested loops: the check runs once they have ended.
    const bool open = QTest::qWaitFor([this] { return sessionSettled(); }, 30000);
    window().interfaceManager()->set_ack_timeout(AckTimeoutMs);
    return open;
}

Sweep::Snapshot Sweep::snapshot()
{
    Snapshot s;
    QStringList list;
    for (const QControlDevice &r : window().remotes().remotes())
        list << remoteText(QString::number(r.id()), r.group(), r.active(), r.workMode(),
                           r.ownerName());
    s.pc << list.join(';');
    QStringList rows;
    if (auto *table = window().findChild<QTableView *>("tablePults")) {
        const QAbstractItemModel *model = table->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->index(r, c).data().toString();
            rows << cells.join('/');
        }
    }
    s.pc << rows.join(';') << window().remotes().databaseFileName()
         << QString::number(window().remotes().isDatabaseSaved());
    const EmulatorState st = emulator().state();
    s.stick << tableText(st.modemRemotes) << tableText(st.actuatorRemotes)
            << QString::fromLatin1(st.password.toHex()) << QString::number(st.loggedIn)
            << QStringLiteral("stick %1.%2 actuator %3.%4")
                   .arg(st.modemVersion[0])
                   .arg(st.modemVersion[3])
                   .arg(st.actuatorVersion[0])
                   .arg(st.actuatorVersion[3])
            << QStringLiteral("%1 %2 %3 %4")
                   .arg(st.params[0])
                   .arg(st.params[1])
                   .arg(st.params[2])
                   .arg(st.params[3]);
    return s;
}

bool Sweep::reset(const Operation &op)
{
    emulator().clearFaults();
    // A cell that ended with the session gone leaves it to be found again.
    if (!window().modem().connected() && !reconnect())
        return false;
    EmulatorState st = baseState();
    if (op.state)
        op.state(st);
    emulator().setState(st);
    ScriptedPrompts &p = prompts();
    p.clear();
    p.setFallback({});
    // A list from a file, with the file's state; then the program learns the stick's
    // table, as after an opening, and the list stays the file's or becomes the stick's.
    p.expectFile(ScriptedPrompts::OpenFile, "Выбор файла json", m_file);
    window().remoteTable().files().load_db_from_file();
    if (!operationwait::succeeds(window().remoteTable().transfers().load_db_from_modem()))
        return false;
    if (!op.tableFromStick) {
        p.expectFile(ScriptedPrompts::OpenFile, "Выбор файла json", m_file);
        window().remoteTable().files().load_db_from_file();
    }
    // The program learns the stick's access state as it would after an opening.
    if (!operationwait::succeeds(window().session().get_modem_privilegies()))
        return false;
    window().interfaceManager()->set_ack_timeout(AckTimeoutMs);
    emulator().clearFrameLog();
    return p.done();
}

void Sweep::arm(Fault fault, const Operation &op)
{
    vexo::emu::Emulator &e = emulator();
    e.holdFaultsUntil(op.command, op.occurrence);
    switch (fault) {
    case Dropped:
        e.dropAnswers(1);
        break;
    case Late:
        e.delayAnswers(1, AckTimeoutMs * 2);
        break;
    case Corrupted:
        e.corruptChecksums(1);
        break;
    case Garbage:
        // Noise with a flag in it opens a frame that swallows the answer.
        e.sendGarbage(QByteArray::fromHex("a57e5a00"), 1);
        break;
    case Split:
        e.splitAnswers(1, 3, 60);
        break;
    case Refused:
        e.forceStatus(op.command, 7, 0, 1);
        break;
    case LineClosed:
        e.hangUpAtNextAnswer();
        break;
    case FaultCount:
        break;
    }
}

QString Sweep::usableAgain(Fault fault)
{
    QModemSession &s = window().session();
    if (fault == LineClosed) {
        if (!QTest::qWaitFor([&] { return s.searching(); }, 10000))
            return "not searching after the line closed";
        if (!reconnect())
            return "no session once the line was back";
    } else if (!s.connected() || s.searching()) {
        return "session lost";
    }
    if (dialogShown())
        return "a dialog stayed open";
    const int calls = int(prompts().calls().size());
    if (!operationwait::succeeds(window().session().get_modem_version()) ||
        prompts().calls().size() != calls)
        return "the next request failed";
    return QString();
}

QString Sweep::evidence()
{
    QStringList seen;
    for (const ScriptedPrompts::Call &call : prompts().calls())
        seen << call.text;
    const QList<vexo::emu::FrameLogEntry> log = emulator().frameLog();
    QStringList frames;
    for (qsizetype i = qMax<qsizetype>(0, log.size() - 30); i < log.size(); ++i)
        frames << log.at(i).toString();
    return "messages: " + seen.join(" / ") + "; last frames: " + frames.join(" / ");
}

Sweep::Cell Sweep::cell(const Operation &op, Fault fault, bool yes, const Snapshot &before,
                        const Snapshot &expected, bool *asked)
{
    Cell c;
    if (!reset(op)) {
        c.verdict = "FAIL reset; " + evidence();
        // The next cell starts from a new line, so one broken state fails one cell.
        (void)reconnect();
        return c;
    }
    const Snapshot start = snapshot();
    if (start.pc != before.pc || start.stick != before.stick) {
        c.verdict = "FAIL reset differs: " + start.diff(before);
        return c;
    }
    *asked = false;
    prompts().setFallback([yes, asked](const ScriptedPrompts::Call &call) {
        if (call.text == RetryNoLink || call.text == RetryBadAnswer) {
            *asked = true;
            return yes ? QMessageBox::Yes : QMessageBox::No;
        }
        for (auto b : {QMessageBox::Ok, QMessageBox::Yes})
            if (call.buttons.testFlag(b))
                return b;
        return QMessageBox::NoButton;
    });
    arm(fault, op);

    bool overdue = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&overdue] {
        overdue = true;
        closeDialogs();
    });
    watchdog.start(CellLimitMs);
    QElapsedTimer t;
    t.start();
    op.run(*this);
    // What the operation set going (the access state read after a log-in, a dialog shown
    // between two operations or after one) ends too.
    (void)QTest::qWaitFor([this] { return !window().session().busy() && !dialogShown(); },
                          CellLimitMs);
    c.ms = t.elapsed();
    watchdog.stop();
    const bool hit = emulator().requestCount(op.command) >= op.occurrence;
    emulator().clearFaults();

    const Snapshot after = snapshot();
    QStringList problems;
    if (overdue)
        problems << QStringLiteral("did not end within %1 s").arg(CellLimitMs / 1000);
    if (!hit)
        problems << "the fault never came";
    const bool partWay = after.stick != before.stick && after.stick != expected.stick;
    if (partWay && !op.partWayUnder.contains(fault))
        problems << "stick half changed: " + after.diff(before);
    const auto listIsStick = [this] {
        const Snapshot now = snapshot();
        QStringList list = now.pc.first().split(';'), stick = now.stick.first().split(';');
        list.sort();
        stick.sort();
        return list == stick ? QString()
                             : "the list is not the stick's table: " + now.pc.first().left(200) +
                                   " | " + now.stick.first().left(200);
    };
    QString listProblem;
    if (!partWay || !op.listFollowsStick) {
        if (after.pc != before.pc && after.pc != expected.pc)
            problems << "program half changed: " + after.diff(before);
    } else if (fault != LineClosed) {
        listProblem = listIsStick();
    }
    if (!listProblem.isEmpty())
        problems << listProblem;
    if (!prompts().failures().isEmpty())
        problems << prompts().report();
    const QString usable = usableAgain(fault);
    if (!usable.isEmpty())
        problems << usable;
    // With the line gone the stick's table is learnt when the session opens again.
    else if (partWay && op.listFollowsStick && fault == LineClosed &&
             !(listProblem = listIsStick()).isEmpty())
        problems << listProblem;
    if (!problems.isEmpty())
        problems << evidence();
    c.verdict = !problems.isEmpty() ? "FAIL " + problems.join("; ") : partWay ? "part" : "ok";
    if (qEnvironmentVariableIsSet("SWEEP_VERBOSE")) {
        QStringList seen;
        for (const ScriptedPrompts::Call &call : prompts().calls())
            seen << call.text;
        qInfo().noquote() << "  messages:" << seen.join(" / ")
                          << "\n  stick:" << after.stick.first() << "\n  list:" << after.pc.first();
    }
    return c;
}

QList<Sweep::Cell> Sweep::sweep(const Operation &op)
{
    QList<Cell> row;
    // The clean run gives the state a success leaves.
    if (!reset(op)) {
        row.append({"FAIL reset; " + evidence(), 0});
        (void)reconnect();
        return row;
    }
    const Snapshot before = snapshot();
    prompts().setFallback([](const ScriptedPrompts::Call &call) {
        for (auto b : {QMessageBox::Ok, QMessageBox::Yes})
            if (call.buttons.testFlag(b))
                return b;
        return QMessageBox::NoButton;
    });
    op.run(*this);
    (void)QTest::qWaitFor([this] { return !window().session().busy() && !dialogShown(); },
                          CellLimitMs);
    const Snapshot expected = snapshot();
    m_cleanChanged = expected.stick != before.stick;
    if (!prompts().failures().isEmpty() || dialogShown()) {
        row.append({"FAIL clean run: " + prompts().report(), 0});
        return row;
    }
    for (int f = 0; f < FaultCount; ++f) {
        for (bool yes : {true, false}) {
            bool asked = false;
            Cell c = cell(op, Fault(f), yes, before, expected, &asked);
            qInfo().noquote() << QStringLiteral("%1 | %2 | %3 | %4 ms | %5")
                                     .arg(op.name, faultName(Fault(f)), yes ? "yes" : "no")
                                     .arg(c.ms)
                                     .arg(c.verdict);
            row.append(c);
            // Without a retry offer the other answer would run the same cell again.
            if (yes && !asked) {
                row.append({"-", 0});
                break;
            }
        }
    }
    return row;
}

QString Sweep::matrix(const QStringList &operations, const QList<QList<Cell>> &rows)
{
    QString out = QStringLiteral("%1").arg("operation", -20);
    for (int f = 0; f < FaultCount; ++f)
        out += QStringLiteral(" | %1").arg(faultName(Fault(f)), -11);
    out += "\n";
    for (int i = 0; i < rows.size(); ++i) {
        out += QStringLiteral("%1").arg(operations.at(i), -20);
        const QList<Cell> &row = rows.at(i);
        for (int f = 0; f < FaultCount; ++f) {
            if (row.size() < 2 * (f + 1)) {
                out += QStringLiteral(" | %1").arg("FAIL", -11);
                continue;
            }
            auto mark = [](const Cell &c) {
                return c.verdict == "ok"     ? QStringLiteral("pass")
                       : c.verdict == "part" ? QStringLiteral("part")
                       : c.verdict == "-"    ? QStringLiteral("-")
                                             : QStringLiteral("FAIL");
            };
            out += QStringLiteral(" | %1").arg(mark(row.at(2 * f)) + "/" + mark(row.at(2 * f + 1)),
                                               -11);
        }
        out += "\n";
    }
    out += "(each cell: retry offers answered yes / no; - where no offer came; part: the "
           "devices kept a step no command undoes; the program's side as before, or showing what "
           "the stick holds)\n";
    return out;
}
