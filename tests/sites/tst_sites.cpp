// The sites as files, their history, the index's search and recognition, and the report.
#include "owneronly.h"
#include "qdbmanipulator.h"
#include "siteindex.h"
#include "sitelibrary.h"
#include "sitereport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace
{
QControlDevice remote(int id, const QString &owner, int group = 1)
{
    return QControlDevice(nullptr, id, quint8(group), owner);
}

QDateTime at(int minutes)
{
    return QDateTime(QDate(2026, 3, 1), QTime(10, 0), Qt::UTC).addSecs(minutes * 60);
}

SnapshotMeta metaAt(int minutes, const QString &machine = QStringLiteral("bench"))
{
    SnapshotMeta meta;
    meta.time = at(minutes);
    meta.machine = machine;
    meta.action = QLatin1String(SnapshotAction::Read);
    return meta;
}

QList<QControlDevice> range(int from, int count, const QString &owner = QStringLiteral("Жилец"))
{
    QList<QControlDevice> list;
    for (int i = 0; i < count; ++i)
        list << remote(from + i, owner + QString::number(from + i));
    return list;
}
} // namespace

class tst_sites : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString data() const { return m_dir.filePath("data"); }

    Site make(SiteLibrary &library, const QString &name, const QStringList &sticks = {})
    {
        Site site;
        site.name = name;
        site.sticks = sticks;
        QString error;
        if (!library.createSite(&site, &error))
            qWarning("%s", qPrintable(error));
        return site;
    }

    void add(SiteLibrary &library, const Site &site, const QList<QControlDevice> &table,
             const SnapshotMeta &meta)
    {
        QString error;
        QVERIFY2(library.addSnapshot(site.folder, table, meta, nullptr, &error), qPrintable(error));
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(data()).removeRecursively();
    }

    void folderNamesAreSafe_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::newRow("plain") << "Дом на Ленина, 5"
                               << "Дом на Ленина, 5";
        QTest::newRow("traversal") << "../../etc"
                                   << "_.._etc";
        QTest::newRow("dots") << ".."
                              << "site";
        QTest::newRow("separators") << "a/b\\c:d*e?"
                                    << "a_b_c_d_e_";
        QTest::newRow("reserved") << "CON"
                                  << "_CON";
        QTest::newRow("reserved with extension") << "com1.txt"
                                                 << "_com1.txt";
        QTest::newRow("not reserved") << "Console"
                                      << "Console";
        QTest::newRow("trailing dot") << "Гараж. "
                                      << "Гараж";
        QTest::newRow("empty") << "   "
                               << "site";
        QTest::newRow("control") << QString("a\nb\tc") << "a b c";
    }

    void folderNamesAreSafe()
    {
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QCOMPARE(SiteLibrary::folderNameFor(name, {}), folder);
    }

    void foldersAreUniqueAndPrivate()
    {
        // Windows and macOS take "ДОМ" and "дом" for one folder.
        QCOMPARE(SiteLibrary::folderNameFor("дом", {"ДОМ", "дом (2)"}), QString("дом (3)"));
        const QString longName(200, QChar(0x0416));
        QCOMPARE(SiteLibrary::folderNameFor(longName, {}).size(), 60);

        SiteLibrary library(data());
        const Site first = make(library, "Офис");
        const Site second = make(library, "офис");
        QCOMPARE(first.folder, QString("Офис"));
        QCOMPARE(second.folder, QString("офис (2)"));
        const Site escaping = make(library, "../outside");
        QVERIFY(QFileInfo(library.siteDirectory(escaping.folder))
                    .canonicalFilePath()
                    .startsWith(QFileInfo(library.sitesDirectory()).canonicalFilePath() + "/"));
        QVERIFY(!QFileInfo::exists(data() + "/outside"));
        QVERIFY(ownerOnly(library.sitesDirectory()));
        QVERIFY(ownerOnly(library.siteDirectory(first.folder)));
        QVERIFY(ownerOnly(library.siteDirectory(first.folder) + "/site.json"));

        // Found by name in any case; a new name makes a site, a known one does not.
        Site found;
        QString error;
        QVERIFY(library.siteNamed("ОФИС", &found, &error));
        QCOMPARE(found.folder, first.folder);
        QCOMPARE(library.sites().size(), 3);
        Site withStick = found;
        QVERIFY(library.addStick(&withStick, "A1B2", &error));
        QVERIFY(library.readSite(first.folder, &found));
        QCOMPARE(found.sticks, QStringList{"A1B2"});
    }

    void snapshotsAreNeverOverwritten()
    {
        SiteLibrary library(data());
        const Site site = make(library, "Склад");
        QString firstPath, secondPath, error;
        QVERIFY(library.addSnapshot(site.folder, range(1, 3), metaAt(0), &firstPath, &error));
        const QByteArray firstBytes = [&] {
            QFile f(firstPath);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        // Same second, same machine: another name, the first file as it was.
        QVERIFY(library.addSnapshot(site.folder, range(1, 5), metaAt(0), &secondPath, &error));
        QVERIFY(firstPath != secondPath);
        QFile first(firstPath);
        QVERIFY(first.open(QIODevice::ReadOnly));
        QCOMPARE(first.readAll(), firstBytes);
        QVERIFY(ownerOnly(firstPath));
        QVERIFY(ownerOnly(secondPath));
        QVERIFY(ownerOnly(QFileInfo(firstPath).path()));
        // A file another machine synchronised in at the next name stays too.
        const QString planted = QFileInfo(firstPath).path() + "/2026-03-01T10-00-00Z-bench-3.json";
        QFile other(planted);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("{\"devices\": []}");
        other.close();
        QString thirdPath;
        QVERIFY(library.addSnapshot(site.folder, range(1, 2), metaAt(0), &thirdPath, &error));
        QVERIFY(thirdPath != planted);
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("{\"devices\": []}"));

        // A snapshot is a database file the program opens, with its metadata beside it.
        QList<QControlDevice> loaded;
        QVERIFY(QDbManipulator::loadFromFile(secondPath, loaded, &error));
        QCOMPARE(loaded, range(1, 5));
        const SnapshotMeta meta = SiteLibrary::readMeta(secondPath);
        QCOMPARE(meta.time, at(0));
        QCOMPARE(meta.remotes, 5);
        QCOMPARE(meta.action, QString("read"));
        QCOMPARE(library.snapshots(site.folder).size(), 4);
        // Nothing is written for a site that is not there.
        QVERIFY(!library.addSnapshot("нет такого", range(1, 2), metaAt(1), nullptr, &error));
    }

    void historyCountsAgainstTheSnapshotBefore()
    {
        SiteLibrary library(data());
        const Site site = make(library, "Парковка");
        QList<QControlDevice> first = {remote(1, "Анна"), remote(2, "Борис"), remote(3, "Вера")};
        QList<QControlDevice> second = {remote(1, "Анна"), remote(2, "Борис Петрович"),
                                        remote(4, "Глеб"), remote(5, "Дина")};
        QList<QControlDevice> third = second;
        third[0].setActive(false);
        third[1].setGroup(7);
        // Added out of order, as another machine's snapshot arrives by a file sync.
        add(library, site, third, metaAt(20, "laptop"));
        add(library, site, first, metaAt(0));
        add(library, site, second, metaAt(10));
        // An unreadable one in between is listed and passed over.
        const QString broken =
            library.siteDirectory(site.folder) + "/snapshots/2026-03-01T10-15-00Z-x.json";
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{ broken");
        file.close();

        const QList<HistoryEntry> history = library.history(site.folder);
        QCOMPARE(history.size(), 4);
        QCOMPARE(history.at(0).snapshot.meta.time, at(0));
        QCOMPARE(history.at(0).added, 3);
        QCOMPARE(history.at(1).added, 2);
        QCOMPARE(history.at(1).removed, 1);
        QCOMPARE(history.at(1).changed, 1);
        QVERIFY(!history.at(2).readable);
        QCOMPARE(history.at(3).snapshot.meta.machine, QString("laptop"));
        QCOMPARE(history.at(3).added + history.at(3).removed, 0);
        QCOMPARE(history.at(3).changed, 2);
    }

    void searchFindsRemotesAcrossSites()
    {
        SiteLibrary library(data());
        const Site north = make(library, "Север");
        const Site south = make(library, "Юг");
        add(library, north, {remote(1193046, "Иванов Пётр"), remote(10, "Сидорова")}, metaAt(0));
        add(library, north, {remote(10, "Сидорова")}, metaAt(10));
        add(library, south, {remote(20, "Кузнецов")}, metaAt(5));
        add(library, south, {remote(20, "Кузнецов"), remote(1193046, "ИВАНОВА")}, metaAt(30));

        SiteIndex index(&library);
        QString error;
        QVERIFY2(index.open(&error) && index.refresh({}, &error), qPrintable(error));
        QVERIFY(ownerOnly(index.path()));

        const QList<RemoteFound> byId = index.find("1193046");
        QCOMPARE(byId.size(), 2);
        QCOMPARE(byId.at(0).siteName, QString("Север"));
        QCOMPARE(byId.at(0).firstTime, at(0));
        QCOMPARE(byId.at(0).lastTime, at(0));
        QVERIFY(!byId.at(0).inLastSnapshot);
        QCOMPARE(byId.at(1).siteName, QString("Юг"));
        QCOMPARE(byId.at(1).firstTime, at(30));
        QVERIFY(byId.at(1).inLastSnapshot);

        // Any case, Cyrillic too, any part of the name.
        const QList<RemoteFound> byName = index.find("иванов");
        QCOMPARE(byName.size(), 2);
        QCOMPARE(byName.at(1).ownerName, QString("ИВАНОВА"));
        QCOMPARE(index.find("ПЁТР").size(), 1);
        QCOMPARE(index.find("дорова").first().id, 10);
        QVERIFY(index.find("Смирнов").isEmpty());
        QVERIFY(index.find("   ").isEmpty());
        // Text that only looks like SQL is text.
        QVERIFY(index.find("' OR 1=1 --").isEmpty());

        const QList<SiteSummary> sites = index.sites();
        QCOMPARE(sites.size(), 2);
        QCOMPARE(sites.at(0).name, QString("Север"));
        QCOMPARE(sites.at(0).snapshots, 2);
        QCOMPARE(sites.at(1).lastTime, at(30));
    }

    void indexFollowsTheFiles()
    {
        SiteLibrary library(data());
        const Site one = make(library, "Один");
        const Site two = make(library, "Два");
        add(library, one, range(1, 5), metaAt(0));
        add(library, two, range(100, 5), metaAt(0));
        {
            SiteIndex index(&library);
            QVERIFY(index.open() && index.refresh());
            QCOMPARE(index.lastRefreshRead(), 2);
            QVERIFY(!index.isStale());
            QVERIFY(index.refresh());
            QCOMPARE(index.lastRefreshRead(), 0);
        }
        // Files change while no index is open: a snapshot from another machine arrives, a
        // site folder is deleted.
        add(library, one, range(50, 2, "Новый"), metaAt(5));
        QVERIFY(QDir(library.siteDirectory(two.folder)).removeRecursively());
        {
            SiteIndex index(&library);
            QVERIFY(index.open());
            QVERIFY(index.isStale());
            int calls = 0;
            QVERIFY(index.refresh([&calls](int, int) { return ++calls > 0; }));
            QVERIFY(calls >= 2);
            QCOMPARE(index.lastRefreshRead(), 1);
            QCOMPARE(index.sites().size(), 1);
            QCOMPARE(index.find("новый").size(), 2);
            QVERIFY(index.findId(100).isEmpty());
            QCOMPARE(index.findId(1).size(), 1);
            QVERIFY(!index.findId(1).first().inLastSnapshot);
        }
        // A damaged index is built again from the files.
        {
            QFile file(data() + "/sites.sqlite");
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(4096, 'x'));
        }
        SiteIndex index(&library);
        QString error;
        QVERIFY2(index.open(&error), qPrintable(error));
        QVERIFY(index.refresh());
        QCOMPARE(index.lastRefreshRead(), 1);
        QCOMPARE(index.findId(51).size(), 1);
        QVERIFY(ownerOnly(index.path()));
    }

    void recognisesTheStickSite()
    {
        SiteLibrary library(data());
        const Site gate = make(library, "Ворота", {"FTDI-1"});
        const Site yard = make(library, "Двор");
        const Site shop = make(library, "Магазин", {"FTDI-2"});
        const Site copy = make(library, "Магазин, копия", {"FTDI-2"});
        add(library, gate, range(1, 10), metaAt(0));
        add(library, yard, range(100, 10), metaAt(0));
        add(library, shop, range(200, 10), metaAt(0));
        add(library, copy, range(300, 10), metaAt(0));
        SiteIndex index(&library);
        QVERIFY(index.open() && index.refresh());

        // The adapter's serial number wins over the table.
        SiteRecognition r = index.recognise("FTDI-1", range(100, 10));
        QCOMPARE(r.kind, SiteRecognition::BY_SERIAL);
        QCOMPARE(r.folder, gate.folder);

        // No serial number: most remotes in common, enough of them.
        QList<QControlDevice> table = range(100, 8) + range(900, 2);
        r = index.recognise(QString(), table);
        QCOMPARE(r.kind, SiteRecognition::BY_TABLE);
        QCOMPARE(r.folder, yard.folder);
        QCOMPARE(r.candidates.first().shared, 8);

        // Too few in common: asked, the likely sites first.
        table = range(1, 3) + range(100, 4) + range(900, 10);
        r = index.recognise("unknown", table);
        QCOMPARE(r.kind, SiteRecognition::UNSURE);
        QVERIFY(r.folder.isEmpty());
        QCOMPARE(r.candidates.size(), 2);
        QCOMPARE(r.candidates.at(0).folder, yard.folder);
        QCOMPARE(r.candidates.at(1).folder, gate.folder);

        // One adapter listed by two sites: the table picks between them.
        r = index.recognise("FTDI-2", range(300, 10));
        QCOMPARE(r.kind, SiteRecognition::BY_SERIAL);
        QCOMPARE(r.folder, copy.folder);
        r = index.recognise("FTDI-2", range(900, 10));
        QCOMPARE(r.kind, SiteRecognition::UNSURE);
        QCOMPARE(r.candidates.size(), 2);

        // An empty stick is nobody's for sure.
        QCOMPARE(index.recognise(QString(), {}).kind, SiteRecognition::UNSURE);
    }

    void backupsAreAssignedAsCopies()
    {
        SiteLibrary library(data());
        QVERIFY(QDir().mkpath(data()));
        const QDateTime made(QDate(2025, 11, 2), QTime(8, 30, 15));
        QString error;
        QVERIFY(QDbManipulator::saveBackup(data(), range(1, 4), &error, made,
                                           QDbManipulator::BACKUP_STICK));
        const QList<BackupInfo> backups = library.backups();
        QCOMPARE(backups.size(), 1);
        const QString backupPath = backups.first().path;
        QFile backup(backupPath);
        QVERIFY(backup.open(QIODevice::ReadOnly));
        const QByteArray before = backup.readAll();
        backup.close();
        const QDateTime modified = QFileInfo(backupPath).lastModified();

        const Site site = make(library, "Дача");
        QString snapshot;
        QVERIFY2(library.assignBackup(backupPath, site.folder, &snapshot, &error),
                 qPrintable(error));
        QString again;
        QVERIFY(library.assignBackup(backupPath, site.folder, &again, &error));
        QCOMPARE(again, snapshot);
        QCOMPARE(library.snapshots(site.folder).size(), 1);
        const SnapshotMeta meta = SiteLibrary::readMeta(snapshot);
        QCOMPARE(meta.time, made.toUTC());
        QCOMPARE(meta.backup, backups.first().fileName);
        QList<QControlDevice> table;
        QVERIFY(SiteLibrary::loadSnapshot(snapshot, &table));
        QCOMPARE(table, range(1, 4));

        // The backup stays where and as it was.
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), before);
        QCOMPARE(QFileInfo(backupPath).lastModified(), modified);
        QCOMPARE(library.backups().size(), 1);
        SiteIndex index(&library);
        QVERIFY(index.open() && index.refresh());
        QCOMPARE(index.assignedBackups(), QStringList{backups.first().fileName});

        // A broken backup is refused with its reason and adds nothing.
        QFile broken(data() + "/2025_01_01_00_00_00.json");
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("[1, 2");
        broken.close();
        QVERIFY(!library.assignBackup(broken.fileName(), site.folder, nullptr, &error));
        QVERIFY(error.contains("2025_01_01_00_00_00.json"));
        QCOMPARE(library.snapshots(site.folder).size(), 1);
    }

    void reportHoldsTheSite()
    {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QFAIL("pdftotext (poppler-utils) is needed: scripts/deps installs it");
        SiteLibrary library(data());
        Site site;
        site.name = "ЖК <Берёзка>";
        site.address = "ул. Садовая, 12";
        QString error;
        QVERIFY(library.createSite(&site, &error));
        QList<QControlDevice> table = range(1, 60, "Квартира ");
        table[1].setActive(false);
        table[2].setWorkMode(1);
        SnapshotMeta meta = metaAt(0);
        meta.stickVersion = "1.5.2.7";
        meta.actuatorVersion = "2.4.3.1";
        meta.params = {{1, 1}, {4, 90}};
        add(library, site, table.mid(0, 50), meta);
        // A later write of one parameter, then a table write that read none: each is
        // reported as last known.
        meta.time = at(5);
        meta.action = QLatin1String(SnapshotAction::ParamsWrite);
        meta.params = {{4, 120}};
        add(library, site, table.mid(0, 50), meta);
        meta.time = at(10);
        meta.action = QLatin1String(SnapshotAction::Write);
        meta.params.clear();
        add(library, site, table, meta);

        SiteReportData data;
        QVERIFY2(SiteReport::collect(library, site, &data, &error), qPrintable(error));
        QCOMPARE(data.remotes.size(), 60);
        QCOMPARE(data.stickVersion, QString("1.5.2.7"));
        QCOMPARE(data.changes.size(), 3);
        QCOMPARE(data.paramValues.keys(), (QList<int>{1, 4}));
        QCOMPARE(data.paramValues.value(1).value, 1);
        QCOMPARE(data.paramValues.value(1).time, at(0));
        QCOMPARE(data.paramValues.value(4).value, 120);
        QCOMPARE(data.paramValues.value(4).time, at(5));
        data.params = {{"Режим работы", "Роллетный", at(0)}, {"Время", "1,50 с", at(5)}};
        // Markup in a name is shown, never obeyed.
        QVERIFY(SiteReport::html(data).contains("ЖК &lt;Берёзка&gt;"));
        const QString pdf = m_dir.filePath("report.pdf");
        QVERIFY2(SiteReport::writePdf(data, pdf, &error), qPrintable(error));

        QProcess p;
        p.start(pdftotext, {"-layout", pdf, "-"});
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        for (const char *expected :
             {"ЖК <Берёзка>", "ул. Садовая, 12", "1.5.2.7", "2.4.3.1", "Роллетный", "1,50 с",
              "Квартира 60", "Заблокирован", "пешеходный", "Последние изменения", "Запись таблицы"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        // 60 rows do not fit one A4 page.
        QProcess info;
        info.start(QStandardPaths::findExecutable("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished(30000));
        const QString details = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(details.contains("(A4)"), qPrintable(details));
        QVERIFY2(!details.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(details));

        QVERIFY(!SiteReport::writePdf(data, m_dir.filePath("no/such/folder/r.pdf"), &error));
        QVERIFY(error.contains("r.pdf"));
    }
};

int main(int argc, char *argv[])
{
    // The report lays text out with fonts: a GUI application, offscreen.
    QGuiApplication app(argc, argv);
    tst_sites test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sites.moc"
