#include "commands.h"
#include "operationwait.h"
#include "qdbmanipulator.h"
#include "qinterface_manager.h"
#include "qmemorystatusdialog.h"
#include "stepwatch.h"
#include "tablerig.h"
#include "tableview.h"
#include "wireframe.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using vexo::emu::EmulatorRemote;
using vexo::emu::EmulatorState;
using vexo::emu::FrameLogEntry;
using Kind = ScriptedPrompts::Kind;
using operationwait::ends;
using operationwait::succeeds;

namespace
{
EmulatorRemote emuRemote(quint32 id, const QString &owner, quint8 group = 0, bool active = true,
                         quint8 workMode = 0)
{
    EmulatorRemote r;
    r.id = id;
    r.ownerName = owner;
    r.group = group;
    r.active = active;
    r.workMode = workMode;
    return r;
}

QControlDevice remote(int id, const QString &owner, bool active = true, int group = 0,
                      int workMode = 0)
{
    return QControlDevice(nullptr, id, quint8(group), owner, active, quint8(workMode));
}

QList<QControlDevice> asRemotes(const QList<EmulatorRemote> &list)
{
    QList<QControlDevice> out;
    for (const EmulatorRemote &r : list)
        out << remote(int(r.id), r.ownerName, r.active, r.group, r.workMode & 1);
    return out;
}

// Loads the table on screen from a file written first.
void loadFile(TableRig &rig, const QString &path, const QList<QControlDevice> &list)
{
    QString error;
    QVERIFY2(QDbManipulator::saveToFile(path, list, &error), qPrintable(error));
    rig.prompts.expectFile(ScriptedPrompts::OpenFile, "Выбор файла json", path);
    rig.table->files().load_db_from_file();
}

// A table whose ids, groups and names need escaping on the wire, in both codecs.
QList<EmulatorRemote> awkwardTable()
{
    return {emuRemote(0x7E7D7E, "Ёж~}", 0x7E, true, 0), emuRemote(0x00107D, "}{~", 0x7D, false, 1),
            emuRemote(42, "Пётр Иванович", 3, true, 1)};
}

// The running operation's progress each time one of its transactions completes.
struct ProgressProbe {
    int progress = -1;
    int max = -1;
    QMetaObject::Connection connection;

    explicit ProgressProbe(QModemSession *session)
    {
        connection = onTransactionDone(session, [this, session] {
            if (QOperation *running = session->currentOperation();
                running && running->maximum() > 0) {
                progress = running->progress();
                max = running->maximum();
            }
        });
    }
    ~ProgressProbe() { QObject::disconnect(connection); }
};

// The percentages that "running" answers show on the bar of the operations run from now on.
struct RunningPercents {
    QList<int> percents;
    QMetaObject::Connection begun;
    QList<QMetaObject::Connection> bars;

    explicit RunningPercents(QModemSession *session, const std::function<void()> &each = {})
    {
        begun = QObject::connect(
            session->runner(), &QOperationRunner::transactionBegun, [this, session, each] {
                QLineOperation *running = session->currentOperation();
                if (!running || !bars.isEmpty())
                    return;
                bars << QObject::connect(running, &QOperation::progressChanged,
                                         [this, running, each](int value, int) {
                                             if (!running->runningShown())
                                                 return;
                                             percents << value;
                                             if (each)
                                                 each();
                                         });
            });
    }
    ~RunningPercents() { stop(); }
    void stop()
    {
        QObject::disconnect(begun);
        for (const auto &bar : std::as_const(bars))
            QObject::disconnect(bar);
        bars.clear();
    }
};

struct MemoryColumn {
    bool figuresShown = false;
    QString free, used, total;
    int max = -1, value = -1;
};

// Reads both columns of the memory dialog once it shows, then closes it. The poll
// deletes itself once it has; delete it if no dialog is to come.
QTimer *whenMemoryDialog(QList<MemoryColumn> *columns)
{
    auto *poll = new QTimer;
    // As often as possible, so it also closes a dialog that is still being shown.
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, [poll, columns] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            auto *d = qobject_cast<QMemoryStatusDialog *>(top);
            if (!d || !d->isVisible())
                continue;
            poll->stop();
            poll->deleteLater();
            for (const QString n : {"0", "1"}) {
                MemoryColumn c;
                auto *circle = d->findChild<QProgressBar *>("memoryCircle_" + n);
                auto text = [&](const char *name) {
                    return d->findChild<QLabel *>(name + n)->text();
                };
                c.figuresShown = !circle->isHidden() &&
                                 !d->findChild<QLabel *>("memoryFree_" + n)->isHidden() &&
                                 !d->findChild<QLabel *>("memoryUsedMark_" + n)->isHidden();
                c.free = text("memoryFree_");
                c.used = text("memoryUsed_");
                c.total = text("memoryTotal_");
                c.max = circle->maximum();
                c.value = circle->value();
                *columns << c;
            }
            d->accept();
            return;
        }
    });
    poll->start();
    return poll;
}

QList<QControlDevice> newestBackup()
{
    QStringList names;
    QList<QDateTime> times;
    QDbManipulator::listBackups(QTableFiles::dataDirectory(), names, times);
    QList<QControlDevice> list;
    if (names.isEmpty())
        return list;
    names.sort();
    QDbManipulator::loadFromFile(QTableFiles::dataDirectory() + "/" + names.last(), list, nullptr);
    return list;
}
} // namespace

// Moving the remote table between the screen, the emulated stick and its actuator over
// the real pseudo-terminal link, clearing it, and the memory status dialog.
class tst_transfers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TableRig::useTemporaryHome();
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(m_files.isValid());
    }

    void readsShortAndLongRecords_data()
    {
        QTest::addColumn<quint8>("functions");
        QTest::newRow("64-byte records") << quint8(0);
        QTest::newRow("128-byte records") << quint8(FUNCTION_LONG_RECORDS);
    }
    void readsShortAndLongRecords()
    {
        QFETCH(quint8, functions);
        EmulatorState state;
        state.functions = functions;
        state.modemRemotes = awkwardTable();
        TableRig rig(state);
        QVERIFY(rig.open());

        // Finding the stick reads its table, shows it and backs it up.
        const QList<QControlDevice> expected = asRemotes(state.modemRemotes);
        QCOMPARE(rig.table->list().remotes(), expected);
        QCOMPARE(tableview::rows(rig.widgets.table), 3);
        QCOMPARE(rig.table->list().source(), SOURCE_MODEM);
        QCOMPARE(newestBackup(), expected);
        QCOMPARE(rig.requests(CMD_READ_FIRST_REMOTE), 1);
        QCOMPARE(rig.requests(CMD_READ_NEXT_REMOTE), 3);
        // The records really went out with escapes, and each had the stick's size.
        const int size =
            functions ? QControlDevice::LongRecordSize : QControlDevice::ShortRecordSize;
        int records = 0;
        for (const FrameLogEntry &e : rig.emulator.frameLog())
            if (e.direction == FrameLogEntry::Direction::Out && e.frame.size() > 9 &&
                quint8(e.frame[5]) == 0x09 && quint8(e.frame[6]) == 0x31) {
                QCOMPARE(e.frame.size(), size + vexo::emu::DataFrameOverhead);
                ++records;
                if (records == 1)
                    QVERIFY(e.frame.mid(1).contains('\x7E'));
            }
        QCOMPARE(records, 4);

        // Reading again picks up what changed in the stick.
        rig.emulator.modifyState(
            [](EmulatorState &s) { s.modemRemotes.append(emuRemote(0xFFFFFE, "Последний", 255)); });
        QVERIFY(succeeds(rig.table->transfers().load_db_from_modem()));
        QCOMPARE(rig.table->list().remotes().size(), 4);
        QCOMPARE(rig.table->list().remotes().last(), remote(0xFFFFFE, "Последний", true, 255));
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void duplicatesKeptOnceWhileProgressAdvances()
    {
        EmulatorState state;
        state.modemRemotes = {emuRemote(1, "Анна"), emuRemote(2, "Борис"),
                              emuRemote(1, "Анна-дубль"), emuRemote(3, "Вера")};
        TableRig rig(state);
        QVERIFY(rig.open());
        QCOMPARE(rig.table->list().remotes(),
                 asRemotes({state.modemRemotes[0], state.modemRemotes[1], state.modemRemotes[3]}));

        ProgressProbe probe(rig.session);
        QVERIFY(succeeds(rig.table->transfers().load_db_from_modem()));
        QCOMPARE(probe.max, 5); // four used places plus one
        QCOMPARE(probe.progress, 4);
        QCOMPARE(rig.table->list().remotes().size(), 3);
    }

    void readsPastTheReportedUsedPlaces()
    {
        // A stick reporting no places at all must still give its whole table: the
        // end record ends the read, not the progress count.
        EmulatorState state;
        state.modemRemotes = awkwardTable();
        TableRig rig(state);
        QVERIFY(rig.open());
        rig.emulator.modifyState([](EmulatorState &s) { s.modemRemotes.removeLast(); });
        rig.emulator.forceStatus(QUERY_MEMORY, 0, 0); // free 0, total 0
        QVERIFY(succeeds(rig.table->transfers().load_db_from_modem()));
        QCOMPARE(rig.table->list().remotes(), asRemotes(awkwardTable().mid(0, 2)));
        QCOMPARE(rig.session->modem().currentTransaction(), TRANSACTION_NONE);
        QVERIFY2(rig.prompts.calls().isEmpty(), qPrintable(rig.prompts.report()));
    }

    void emptyTable()
    {
        EmulatorState state;
        state.modemRemotes = awkwardTable();
        TableRig rig(state);
        QVERIFY(rig.open());
        QCOMPARE(rig.table->list().remotes().size(), 3);
        rig.emulator.modifyState([](EmulatorState &s) { s.modemRemotes.clear(); });
        QVERIFY(succeeds(rig.table->transfers().load_db_from_modem()));
        QVERIFY(rig.table->list().remotes().isEmpty());
        QCOMPARE(tableview::rows(rig.widgets.table), 0);
        QCOMPARE(rig.table->list().source(), SOURCE_MODEM);
        QVERIFY(rig.widgets.sourceLabel->text().contains("USB-stick"));
    }

    void readCutBySilentStickKeepsTheTable()
    {
        EmulatorState state;
        state.modemRemotes = awkwardTable();
        TableRig rig(state);
        QVERIFY(rig.open());
        const QList<QControlDevice> before = rig.table->list().remotes();
        rig.emulator.modifyState([](EmulatorState &s) {
            s.modemRemotes.clear();
            for (quint32 id = 100; id < 106; ++id)
                s.modemRemotes << emuRemote(id, "Новый");
        });
        rig.session->interfaceManager()->set_ack_timeout(300);
        int records = 0;
        StepWatch hook(rig.session, [&] {
            if (++records == 2)
                rig.emulator.dropAnswers(1000);
        });
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok); // once
        QOperation *read = rig.table->transfers().load_db_from_modem();
        QVERIFY(read);
        // Taken as the read ends, before the search for the stick begins.
        MODEM_TRANSACTION_T atEnd = TRANSACTION_AUTOCONNECT;
        connect(read, &QOperation::finished,
                [&] { atEnd = rig.session->modem().currentTransaction(); });
        QCOMPARE(operationwait::outcome(read), QOperation::Lost);
        hook.stop();
        QCOMPARE(rig.prompts.texts(), QStringList{"Usb-stick не отвечает. Проверьте подключение.\n"
                                                  "Ошибка чтения списка пультов с USB-stick"});
        QCOMPARE(rig.table->list().remotes(), before);
        QCOMPARE(tableview::rows(rig.widgets.table), 3);
        QCOMPARE(rig.table->list().source(), SOURCE_MODEM);
        QCOMPARE(atEnd, TRANSACTION_NONE);
    }

    void writesTheTable_data()
    {
        QTest::addColumn<quint8>("functions");
        QTest::newRow("64-byte records") << quint8(0);
        QTest::newRow("128-byte records") << quint8(FUNCTION_LONG_RECORDS);
    }
    void writesTheTable()
    {
        QFETCH(quint8, functions);
        EmulatorState state;
        state.functions = functions;
        state.modemRemotes = {emuRemote(9, "Старый")};
        state.progressSteps = 0;
        TableRig rig(state);
        QVERIFY(rig.open());

        const QList<QControlDevice> table = {remote(0x7E7D7E, "Ёж~}", true, 0x7E, 2),
                                             remote(5, "Галина", false, 1, 0),
                                             remote(6, "Дмитрий", true, 2, 1)};
        const QString file = m_files.filePath("table.json");
        loadFile(rig, file, table);
        QCOMPARE(rig.table->list().source(), SOURCE_FILE);
        rig.emulator.clearFrameLog();

        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(succeeds(rig.table->transfers().save_db_to_modem()));
        QCOMPARE(targetsOf(rig.emulator, CMD_CLEAR_TABLE), QList<int>{1});
        QCOMPARE(targetsOf(rig.emulator, CMD_WRITE_REMOTE), (QList<int>{0, 0, 0}));
        QList<QControlDevice> stored = table;
        stored[0].setWorkMode(1); // only the lowest bit travels
        QCOMPARE(asRemotes(rig.emulator.state().modemRemotes), stored);
        QCOMPARE(rig.table->list().source(), SOURCE_MODEM);
        QCOMPARE(rig.table->list().modemSnapshot(), table);

        // An empty table only clears the stick.
        const QString empty = m_files.filePath("empty.json");
        loadFile(rig, empty, {});
        rig.emulator.clearFrameLog();
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(succeeds(rig.table->transfers().save_db_to_modem()));
        QCOMPARE(targetsOf(rig.emulator, CMD_CLEAR_TABLE), QList<int>{1});
        QCOMPARE(rig.requests(CMD_WRITE_REMOTE), 0);
        QVERIFY(rig.emulator.state().modemRemotes.isEmpty());
        QCOMPARE(rig.table->list().source(), SOURCE_MODEM);
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void failedWriteKeepsTheSource()
    {
        EmulatorState state;
        state.progressSteps = 0;
        TableRig rig(state);
        QVERIFY(rig.open());
        const QString file = m_files.filePath("two.json");
        loadFile(rig, file, {remote(1, "А"), remote(2, "Б")});
        rig.emulator.forceStatus(CMD_WRITE_REMOTE, 10);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!succeeds(rig.table->transfers().save_db_to_modem()));
        QCOMPARE(rig.prompts.texts().last(),
                 QString("Конечное устройство не смогло успешно выполнить команду"));
        QCOMPARE(rig.requests(CMD_WRITE_REMOTE), 1);
        QCOMPARE(rig.table->list().source(), SOURCE_FILE);
        QCOMPARE(rig.table->list().remotes().size(), 2);
    }

    void clearsBothMemories()
    {
        EmulatorState state;
        state.modemRemotes = awkwardTable();
        state.actuatorRemotes = awkwardTable().mid(1);
        state.progressSteps = 0;
        TableRig rig(state);
        QVERIFY(rig.open());
        const QList<QControlDevice> before = rig.table->list().remotes();

        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::No);
        QVERIFY(!succeeds(rig.table->transfers().clear_modem_memory()));
        QCOMPARE(rig.requests(CMD_CLEAR_TABLE), 0);

        // The backup of the table on screen is written before the stick is cleared.
        QDir backups(QTableFiles::dataDirectory());
        for (const QString &name : backups.entryList(QDir::Files))
            QVERIFY(backups.remove(name));
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(succeeds(rig.table->transfers().clear_modem_memory()));
        QCOMPARE(rig.prompts.calls().last().defaultButton, QMessageBox::No);
        QCOMPARE(targetsOf(rig.emulator, CMD_CLEAR_TABLE), QList<int>{3});
        QVERIFY(rig.emulator.state().modemRemotes.isEmpty());
        QVERIFY(rig.emulator.state().actuatorRemotes.isEmpty());
        QVERIFY(rig.table->list().remotes().isEmpty());
        QCOMPARE(tableview::rows(rig.widgets.table), 0);
        QCOMPARE(rig.table->list().source(), SOURCE_MODEM);
        QCOMPARE(newestBackup(), before); // written before the clear
        QCOMPARE(rig.session->interfaceManager()->ack_timeout(),
                 3000); // back from the clear's 15 s

        // In remote mode the actuator keeps its table.
        rig.emulator.modifyState([](EmulatorState &s) {
            s.modemRemotes = awkwardTable();
            s.actuatorRemotes = awkwardTable();
        });
        rig.session->setRemoteMode(true);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(succeeds(rig.table->transfers().clear_modem_memory()));
        QCOMPARE(targetsOf(rig.emulator, CMD_CLEAR_TABLE), (QList<int>{3, 1}));
        QVERIFY(rig.emulator.state().modemRemotes.isEmpty());
        QCOMPARE(rig.emulator.state().actuatorRemotes.size(), 3);
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void clearFailuresAreReported()
    {
        EmulatorState state;
        state.modemRemotes = awkwardTable();
        state.progressSteps = 0;
        TableRig rig(state);
        QVERIFY(rig.open());
        QVERIFY(operationwait::succeeds(rig.session->get_device_version()));

        // The stick says done but its table is still there: the read-back shows it.
        rig.emulator.forceStatus(CMD_CLEAR_TABLE, 1);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!succeeds(rig.table->transfers().clear_modem_memory()));
        QCOMPARE(rig.prompts.texts().last(), QString("Ошибка очистки памяти USB-stick."));
        QCOMPARE(rig.table->list().remotes(), asRemotes(awkwardTable()));
        QCOMPARE(rig.table->list().source(), SOURCE_MODEM);

        // The actuator cannot be reached: an empty stick is still no success.
        rig.emulator.modifyState([](EmulatorState &s) { s.modemRemotes.clear(); });
        rig.emulator.forceStatus(CMD_CLEAR_TABLE, 7);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!succeeds(rig.table->transfers().clear_modem_memory()));
        QCOMPARE(rig.prompts.texts().last(), QString("Связь с конечным устройством утеряна"));
        QVERIFY(rig.table->list().remotes().isEmpty());

        // The read-back itself fails: the table stays, no longer known to be the stick's.
        rig.emulator.modifyState([](EmulatorState &s) { s.modemRemotes = awkwardTable(); });
        QVERIFY(succeeds(rig.table->transfers().load_db_from_modem()));
        const auto hook = onTransactionDone(rig.session, [&] { rig.emulator.corruptChecksums(1); });
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::No) // no repeat
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!succeeds(rig.table->transfers().clear_modem_memory()));
        disconnect(hook);
        QCOMPARE(rig.prompts.texts().last(), QString("Ошибка чтения списка пультов с USB-stick"));
        QCOMPARE(rig.table->list().remotes(), asRemotes(awkwardTable()));
        QCOMPARE(rig.table->list().source(), SOURCE_UNKNOWN);
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void clearWithoutReadBackKeepsTheList()
    {
        EmulatorState state;
        state.modemRemotes = awkwardTable();
        state.actuatorLinked = false;
        TableRig rig(state);
        QVERIFY(rig.open());

        // The actuator is out of reach, so its version cannot be learnt either.
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::No); // no repeat
        QVERIFY(!succeeds(rig.table->transfers().clear_modem_memory()));
        QCOMPARE(rig.prompts.texts().at(1), QString("Связь с конечным устройством утеряна"));
        QCOMPARE(rig.requests(CMD_READ_FIRST_REMOTE), 1); // the session's read only
        QCOMPARE(rig.table->list().remotes(), asRemotes(awkwardTable()));
        QCOMPARE(rig.table->list().source(), SOURCE_UNKNOWN);

        // The stick goes silent during the clear.
        QVERIFY(succeeds(rig.table->transfers().load_db_from_modem()));
        QCOMPARE(rig.table->list().source(), SOURCE_MODEM);
        rig.emulator.modifyState([](EmulatorState &s) { s.actuatorLinked = true; });
        rig.prompts.clear();
        rig.session->interfaceManager()->set_ack_timeout(100);
        rig.session->interfaceManager()->set_retry_count(1);
        rig.emulator.dropAnswers(1000);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!succeeds(rig.table->transfers().clear_modem_memory()));
        QCOMPARE(rig.prompts.texts().last(),
                 QString("Usb-stick не отвечает. Проверьте подключение."));
        QVERIFY(!rig.session->modem().connected());
        QCOMPARE(rig.table->list().remotes(), asRemotes(awkwardTable()));
        QCOMPARE(tableview::rows(rig.widgets.table), 3);
        QCOMPARE(rig.table->list().source(), SOURCE_UNKNOWN);
    }

    void copiesToTheActuator()
    {
        EmulatorState state;
        state.modemRemotes = awkwardTable();
        state.actuatorRemotes = {emuRemote(77, "Чужой")};
        state.progressSteps = 2;
        TableRig rig(state);
        QVERIFY(rig.open());
        rig.emulator.modifyState([](EmulatorState &s) { s.progressSteps = 0; }); // the clear
        int seen = 0;
        const auto hook = onTransactionDone(rig.session, [&] {
            // Init, both memories counted, clear, version: then the copy reports its progress.
            if (++seen == 5)
                rig.emulator.modifyState([](EmulatorState &s) { s.progressSteps = 2; });
        });
        RunningPercents progress(rig.session);
        ProgressProbe probe(rig.session);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        rig.prompts.expectMessage(Kind::Information, "Информация", QMessageBox::Ok);
        QVERIFY(ends(rig.table->copier().copy_table_from_modem_to_dev()));
        disconnect(hook);
        QCOMPARE(rig.prompts.texts().last(), QString("Операция копирования завершена успешно"));
        QCOMPARE(progress.percents, (QList<int>{0, 50}));
        QCOMPARE(probe.progress, 50);
        QCOMPARE(targetsOf(rig.emulator, CMD_CLEAR_TABLE), QList<int>{2});
        QCOMPARE(targetsOf(rig.emulator, CMD_COPY_TABLE), QList<int>{0});
        QCOMPARE(rig.emulator.state().actuatorRemotes, awkwardTable());
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void copiesToTheStick()
    {
        EmulatorState state;
        state.modemRemotes = {emuRemote(77, "Старый")};
        state.actuatorRemotes = awkwardTable();
        state.progressSteps = 2;
        TableRig rig(state);
        QVERIFY(rig.open());
        RunningPercents progress(rig.session);
        ProgressProbe probe(rig.session);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        rig.prompts.expectMessage(Kind::Information, "Информация", QMessageBox::Ok);
        QVERIFY(ends(rig.table->copier().copy_table_from_dev_to_modem()));
        QCOMPARE(rig.prompts.texts().last(), QString("Операция копирования завершена успешно"));
        QCOMPARE(progress.percents.size(), 2);
        QCOMPARE(targetsOf(rig.emulator, CMD_COPY_TABLE), QList<int>{1});
        QCOMPARE(rig.emulator.state().modemRemotes, awkwardTable());
        // The stick's new table is shown afterwards.
        QCOMPARE(rig.table->list().remotes(), asRemotes(awkwardTable()));
        QCOMPARE(rig.table->list().source(), SOURCE_MODEM);
        QVERIFY(probe.max > 0);
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void copyLosingTheActuator()
    {
        EmulatorState state;
        state.modemRemotes = awkwardTable();
        state.progressSteps = 3;
        TableRig rig(state);
        QVERIFY(rig.open());
        QVERIFY(operationwait::succeeds(rig.session->get_device_version()));
        rig.emulator.modifyState([](EmulatorState &s) { s.progressSteps = 0; });
        int seen = 0;
        const auto armCopy = onTransactionDone(rig.session, [&] {
            if (++seen == 5) // init, both memories counted, clear, version
                rig.emulator.modifyState([](EmulatorState &s) { s.progressSteps = 3; });
        });
        // The copy has started (08 00), then the actuator goes out of reach: 07 00.
        RunningPercents cut(rig.session, [&] {
            rig.emulator.modifyState([](EmulatorState &s) { s.actuatorLinked = false; });
        });
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok)
            .expectMessage(Kind::Warning, "Информация", QMessageBox::Ok);
        QVERIFY(ends(rig.table->copier().copy_table_from_modem_to_dev()));
        disconnect(armCopy);
        cut.stop();
        // After the question before the copy.
        QCOMPARE(rig.prompts.texts().mid(1),
                 (QStringList{"Связь с конечным устройством утеряна",
                              "Операция копирования завершена с ошибкой"}));
        QVERIFY(rig.emulator.state().actuatorRemotes.isEmpty());
        QCOMPARE(rig.session->modem().currentTransaction(), TRANSACTION_NONE);
    }

    void memoryStatus()
    {
        EmulatorState state;
        state.modemCapacity = 100;
        state.modemRemotes = awkwardTable();
        state.actuatorCapacity = 50;
        state.actuatorRemotes = awkwardTable().mid(0, 2);
        TableRig rig(state);
        QVERIFY(rig.open());

        QList<MemoryColumn> columns;
        whenMemoryDialog(&columns);
        QVERIFY(succeeds(rig.table->copier().show_memory_status()));
        QTRY_COMPARE(columns.size(), 2);
        QVERIFY(columns[0].figuresShown);
        QCOMPARE(columns[0].free, QString("Свободно: 97"));
        QCOMPARE(columns[0].used, QString("Занято: 3"));
        QCOMPARE(columns[0].total, QString("Емкость: 100"));
        QCOMPARE(columns[0].max, 100);
        QCOMPARE(columns[0].value, 3);
        QVERIFY(columns[1].figuresShown);
        QCOMPARE(columns[1].free, QString("Свободно: 48"));
        QCOMPARE(columns[1].used, QString("Занято: 2"));
        QCOMPARE(columns[1].total, QString("Емкость: 50"));
        QVERIFY(rig.session->execDevice().isVersionKnown()); // asked for on the way

        // Remote mode: the actuator is not asked and its column keeps only its heading.
        rig.session->setRemoteMode(true);
        const int asked = rig.requests(CMD_GET_PARAM);
        columns.clear();
        whenMemoryDialog(&columns);
        QVERIFY(succeeds(rig.table->copier().show_memory_status()));
        QTRY_COMPARE(columns.size(), 2);
        QVERIFY(columns[0].figuresShown);
        QVERIFY(!columns[1].figuresShown);
        QCOMPARE(rig.requests(CMD_GET_PARAM), asked);
        rig.session->setRemoteMode(false);

        // An unreachable actuator: its error, then the dialog with the stick's figures.
        rig.emulator.modifyState([](EmulatorState &s) { s.actuatorLinked = false; });
        rig.prompts
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::No) // no repeat
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        columns.clear();
        whenMemoryDialog(&columns);
        QVERIFY(succeeds(rig.table->copier().show_memory_status()));
        QCOMPARE(rig.prompts.texts().last(), QString("Ошибка чтения состояния памяти устройства"));
        QTRY_COMPARE(columns.size(), 2);
        QVERIFY(columns[0].figuresShown);
        QVERIFY(!columns[1].figuresShown);
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void memoryStatusOfAStickWithoutPlaces()
    {
        EmulatorState state;
        state.modemCapacity = 0;
        TableRig rig(state);
        QVERIFY(rig.open());
        QList<MemoryColumn> columns;
        whenMemoryDialog(&columns);
        QVERIFY(succeeds(rig.table->copier().show_memory_status()));
        QTRY_COMPARE(columns.size(), 2);
        QVERIFY(!columns[0].figuresShown);
        QVERIFY(columns[1].figuresShown);

        // A failed stick query shows its error and no dialog.
        rig.emulator.corruptChecksums(1);
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::No)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        columns.clear();
        QTimer *poll = whenMemoryDialog(&columns);
        QVERIFY(!succeeds(rig.table->copier().show_memory_status()));
        QCOMPARE(rig.prompts.texts().last(), QString("Ошибка чтения состояния памяти USB-sticka"));
        // Whatever the failed operation's end had queued has run once this, queued after
        // it, has: no dialog is open then.
        bool settled = false;
        QMetaObject::invokeMethod(
            qApp, [&settled] { settled = true; }, Qt::QueuedConnection);
        QTRY_VERIFY(settled);
        QVERIFY(!UiScript::shown<QMemoryStatusDialog>());
        QVERIFY(columns.isEmpty());
        delete poll;
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

private:
    QTemporaryDir m_files;
};

QTEST_MAIN(tst_transfers)
#include "tst_transfers.moc"
