// The recorder on a session over the emulated stick: the site recognised (asked, by table,
// by the adapter's serial number, or put off), and a snapshot after each read and change.
#include "operationwait.h"
#include "qcomparedialog.h"
#include "qoperationlog.h"
#include "qparamcontroller.h"
#include "siteindex.h"
#include "sitelibrary.h"
#include "siterecorder.h"
#include "tablediff.h"
#include "tablerig.h"

#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace vexo::emu;

namespace
{
// A rig with a recorder over the sites of the test's data folder.
struct RecorderRig {
    explicit RecorderRig(const EmulatorState &state, const QString &serial = QString())
        : table(state), library(QTableFiles::dataDirectory()), index(&library),
          recorder(table.session, &table.table->list(), &library, &index)
    {
        recorder.setSerialLookup([serial](const QString &) { return serial; });
        // Changes are heard as the operation log takes them, as in the window.
        table.session->operationLog()->setPath(QTableFiles::operationLogPath());
    }
    QList<SnapshotInfo> snapshots(const QString &name) const
    {
        return library.snapshots(library.findByName(name).folder);
    }
    TableRig table;
    SiteLibrary library;
    SiteIndex index;
    SiteRecorder recorder;
};

EmulatorState shifted(int by, int count)
{
    EmulatorState state = EmulatorState::demo();
    state.modemRemotes = state.modemRemotes.mid(0, count);
    for (EmulatorRemote &r : state.modemRemotes)
        r.id += quint32(by);
    return state;
}

QList<int> ids(const QList<QControlDevice> &table)
{
    QList<int> list;
    for (const QControlDevice &r : table)
        list << r.id();
    return list;
}

QList<int> ids(const QList<EmulatorRemote> &table)
{
    QList<int> list;
    for (const EmulatorRemote &r : table)
        list << int(r.id);
    return list;
}
} // namespace

class tst_site_recorder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TableRig::useTemporaryHome(); }

    // No question while sites are not used; asked from the menu, a new stick becomes a new
    // site, and then every read and change of its table and parameters is a snapshot there,
    // and an older one is restored.
    void newSiteAndItsHistory()
    {
        RecorderRig rig(EmulatorState::demo());
        const QList<EmulatorRemote> original = rig.table.emulator.state().modemRemotes;
        QSignalSpy filed(&rig.recorder, &SiteRecorder::snapshotFiled);
        QVERIFY(rig.table.open());
        QTest::qWait(50); // the queued recognition
        QCOMPARE(rig.table.prompts.calls().size(), 0);
        QVERIFY(!rig.recorder.siteKnown() && !rig.recorder.declined());
        QCOMPARE(filed.size(), 0);

        rig.table.prompts.expectItem("Объект", "Новый объект").expectText("Новый объект", "Дом 1");
        QVERIFY(rig.recorder.askForSite());
        QCOMPARE(filed.size(), 1);
        QVERIFY2(rig.table.prompts.done(), qPrintable(rig.table.prompts.report()));
        // Offered: no site yet, so a new one and "not now".
        QCOMPARE(rig.table.prompts.calls().first().items,
                 QStringList({"Новый объект", "Не сейчас"}));
        QVERIFY(rig.recorder.siteKnown());
        QCOMPARE(rig.recorder.site().name, QString("Дом 1"));
        QList<SnapshotInfo> snapshots = rig.snapshots("Дом 1");
        QCOMPARE(snapshots.size(), 1);
        QCOMPARE(snapshots.at(0).meta.action, QString("read"));
        QList<QControlDevice> first;
        QVERIFY(SiteLibrary::loadSnapshot(snapshots.at(0).path, &first));
        QCOMPARE(ids(first), ids(original));
        QVERIFY(!snapshots.at(0).meta.stickVersion.isEmpty());

        // Parameters read, then one written: each a snapshot with the values.
        QParamController params(rig.table.session, nullptr);
        QVERIFY(operationwait::succeeds(params.readParams({})));
        QVERIFY(QTest::qWaitFor([&] { return filed.size() == 2; }, 10000));
        const quint8 work = rig.table.session->execDevice().paramValue(1);
        QVERIFY(operationwait::succeeds(params.writeParams({1}, {work})));
        QVERIFY(QTest::qWaitFor([&] { return filed.size() == 3; }, 10000));
        snapshots = rig.snapshots("Дом 1");
        QCOMPARE(snapshots.at(1).meta.action, QString("params-read"));
        QCOMPARE(snapshots.at(1).meta.params.size(), 4);
        QCOMPARE(snapshots.at(2).meta.action, QString("params-write"));
        QCOMPARE(snapshots.at(2).meta.params.value(1), int(work));

        // Two remotes deleted through compare-and-apply: the stick's new table is kept.
        QList<QControlDevice> fewer = first.mid(2);
        rig.table.prompts.expectMessage(ScriptedPrompts::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(operationwait::succeeds(rig.table.table->compare().applyDifferences(
            compareTables(first, fewer, rig.table.session->modem().longRecords()))));
        QVERIFY(QTest::qWaitFor([&] { return filed.size() == 4; }, 10000));
        snapshots = rig.snapshots("Дом 1");
        QCOMPARE(snapshots.at(3).meta.action, QString("apply"));
        QList<QControlDevice> after;
        QVERIFY(SiteLibrary::loadSnapshot(snapshots.at(3).path, &after));
        QCOMPARE(ids(after), ids(fewer));

        // The first snapshot restored: its question-free additions applied, kept as such.
        rig.recorder.expectRestore(snapshots.at(0).fileName);
        QVERIFY(rig.table.table->compare().compareAndApply(first, "снимок"));
        QCompareDialog *dialog = nullptr;
        QVERIFY(QTest::qWaitFor([&] { return (dialog = UiScript::shown<QCompareDialog>()); }));
        QCOMPARE(dialog->findChild<QLabel *>("labelSummary")->text().isEmpty(), false);
        dialog->accept();
        QVERIFY(QTest::qWaitFor([&] { return filed.size() == 5; }, 20000));
        // The stick appends what it takes: the same remotes, the restored ones last.
        QList<int> held = ids(rig.table.emulator.state().modemRemotes);
        QList<int> wanted = ids(original);
        std::sort(held.begin(), held.end());
        std::sort(wanted.begin(), wanted.end());
        QCOMPARE(held, wanted);
        const QList<HistoryEntry> history = rig.library.history(rig.recorder.site().folder);
        QCOMPARE(history.size(), 5);
        QCOMPARE(history.at(4).snapshot.meta.action, QString("restore"));
        QCOMPARE(history.at(4).added, 2);
        QVERIFY2(rig.table.prompts.done(), qPrintable(rig.table.prompts.report()));
    }

    // The same stick again is known by its table without a question; its adapter's serial
    // number is kept, so a stick on that adapter is known even with another table.
    void knownByTableThenBySerial()
    {
        {
            RecorderRig rig(EmulatorState::demo(), "A-1001");
            QSignalSpy filed(&rig.recorder, &SiteRecorder::snapshotFiled);
            QVERIFY(rig.table.open());
            QVERIFY(QTest::qWaitFor([&] { return filed.size() == 1; }, 10000));
            QCOMPARE(rig.recorder.site().name, QString("Дом 1"));
            QCOMPARE(rig.table.prompts.calls().size(), 0);
            QCOMPARE(rig.library.findByName("Дом 1").sticks, QStringList({"A-1001"}));
        }
        RecorderRig rig(shifted(700000, 4), "A-1001");
        QSignalSpy filed(&rig.recorder, &SiteRecorder::snapshotFiled);
        QVERIFY(rig.table.open());
        QVERIFY(QTest::qWaitFor([&] { return filed.size() == 1; }, 10000));
        QCOMPARE(rig.recorder.site().name, QString("Дом 1"));
        QCOMPARE(rig.table.prompts.calls().size(), 0);
        QCOMPARE(rig.snapshots("Дом 1").last().meta.adapterSerial, QString("A-1001"));
    }

    // An unknown stick put off with "not now" files nothing until a site is chosen for it;
    // a stick sharing part of a known site's table is offered that site first.
    void notNowThenChosen()
    {
        {
            Site office;
            office.name = "Офис";
            SiteLibrary library(QTableFiles::dataDirectory());
            QString error;
            QVERIFY2(library.createSite(&office, &error), qPrintable(error));
        }
        EmulatorState state = shifted(700000, 4);
        // Two of the known site's four remotes among others: not enough to be sure.
        for (int i = 2; i < state.modemRemotes.size(); ++i)
            state.modemRemotes[i].id += 900000;
        RecorderRig rig(state);
        rig.table.prompts.expectItem("Объект", "Не сейчас");
        QVERIFY(rig.table.open());
        QVERIFY(QTest::qWaitFor([&] { return rig.recorder.declined(); }, 10000));
        const QStringList offered = rig.table.prompts.calls().first().items;
        QVERIFY2(offered.first().startsWith("Дом 1 ("), qPrintable(offered.join('|')));
        QCOMPARE(offered.mid(offered.size() - 2), QStringList({"Новый объект", "Не сейчас"}));

        const int before = int(rig.snapshots("Дом 1").size());
        QSignalSpy filed(&rig.recorder, &SiteRecorder::snapshotFiled);
        QVERIFY(operationwait::succeeds(rig.table.table->transfers().load_db_from_modem()));
        QTest::qWait(50); // the queued filing, had there been one
        QCOMPARE(filed.size(), 0);
        QCOMPARE(rig.snapshots("Дом 1").size(), before);

        QString error;
        QVERIFY2(rig.recorder.chooseSite(rig.library.findByName("офис").folder, &error),
                 qPrintable(error));
        QVERIFY(operationwait::succeeds(rig.table.table->transfers().load_db_from_modem()));
        QVERIFY(QTest::qWaitFor([&] { return filed.size() == 1; }, 10000));
        QCOMPARE(rig.snapshots("Офис").size(), 1);
        QCOMPARE(rig.snapshots("Дом 1").size(), before);
        QVERIFY2(rig.table.prompts.done(), qPrintable(rig.table.prompts.report()));
    }

    // A site removed takes its folder, and nothing outside the sites.
    void removeSite()
    {
        SiteLibrary library(QTableFiles::dataDirectory());
        const Site office = library.findByName("Офис");
        QString error;
        for (const QString &bad : {QString(".."), QString("../sites"), QString("")})
            QVERIFY(!library.removeSite(bad, &error));
        QVERIFY(QDir(library.sitesDirectory()).exists());
        QVERIFY2(library.removeSite(office.folder, &error), qPrintable(error));
        QVERIFY(!QDir(library.siteDirectory(office.folder)).exists());
        QVERIFY(!library.findByName("Дом 1").folder.isEmpty());
    }
};

QTEST_MAIN(tst_site_recorder)
#include "tst_site_recorder.moc"
