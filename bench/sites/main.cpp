// The sites of a large installer: generated sites with their snapshots, then the index
// built from the files, the search by id and by part of a name, the site list and the
// recognition of a connected stick, each checked for its answer and timed.
//   sites_bench [--short] [SITES SNAPSHOTS REMOTES]
#include "benchmode.h"
#include "siteindex.h"
#include "sitelibrary.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

namespace
{
const char *const Surnames[] = {"Иванов",  "Петров",   "Сидоров", "Кузнецов", "Смирнов",
                                "Попов",   "Васильев", "Соколов", "Михайлов", "Новиков",
                                "Фёдоров", "Морозов",  "Волков",  "Алексеев", "Лебедев"};
const char *const Names[] = {"Анна", "Борис", "Вера", "Глеб", "Дарья", "Егор", "Жанна", "Зоя"};

// Ids of a site are its own; ids 9'000'000 and up are shared by a tenth of the sites, as
// a remote moved from one gate to another.
int siteId(int site, int n)
{
    return 100000 + site * 10000 + n;
}

QString owner(QRandomGenerator &random, int id)
{
    return QStringLiteral("%1 %2, кв. %3")
        .arg(QString::fromUtf8(Surnames[random.bounded(int(std::size(Surnames)))]))
        .arg(QString::fromUtf8(Names[random.bounded(int(std::size(Names)))]))
        .arg(id % 500);
}

struct Figures {
    bool ok = true;
    void check(bool right, const char *what)
    {
        if (!right) {
            std::printf("WRONG: %s\n", what);
            ok = false;
        }
    }
    // Within the limit, or said (the figures are for the full run; a short run only
    // proves the answers).
    void time(const char *what, double ms, double limit, bool enforce)
    {
        const bool within = ms <= limit;
        std::printf("%-40s %9.1f ms  (limit %.0f ms)%s\n", what, ms, limit,
                    within ? "" : (enforce ? "  OVER" : "  over (not enforced)"));
        if (!within && enforce)
            ok = false;
    }
};
} // namespace

int main(int argc, char *argv[])
{
    const bool quick = takeShortFlag(argc, argv);
    QCoreApplication app(argc, argv);
    int siteCount = quick ? 20 : 500;
    int snapshotCount = quick ? 3 : 20;
    int remoteCount = quick ? 50 : 250;
    if (argc == 4) {
        siteCount = std::max(2, atoi(argv[1]));
        snapshotCount = std::max(1, atoi(argv[2]));
        remoteCount = std::max(10, atoi(argv[3]));
    }
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    SiteLibrary library(dir.path());
    QRandomGenerator random(38);
    Figures f;

    QElapsedTimer timer;
    timer.start();
    QList<QList<QControlDevice>> lastTables;
    QStringList folders;
    const int probeSite = siteCount / 3;
    for (int s = 0; s < siteCount; ++s) {
        Site site;
        site.name = QStringLiteral("Объект %1, ул. Садовая").arg(s + 1);
        site.sticks = {QStringLiteral("FT%1").arg(s, 6, 10, QLatin1Char('0'))};
        QString error;
        if (!library.createSite(&site, &error)) {
            std::printf("WRONG: %s\n", qPrintable(error));
            return 1;
        }
        folders << site.folder;
        QList<QControlDevice> table;
        int next = 0;
        for (; next < remoteCount; ++next)
            table << QControlDevice(nullptr, siteId(s, next), quint8(next % 8),
                                    owner(random, siteId(s, next)));
        if (s % 10 == 0)
            table[0].setId(9000000 + s / 10 % 5);
        if (s == probeSite)
            table[1].setOwnerName(QStringLiteral("Уникальнова Серафима"));
        for (int n = 0; n < snapshotCount; ++n) {
            if (n > 0) {
                // A few remotes gone, a few added, a few renamed or blocked between two.
                for (int k = 0; k < 2; ++k)
                    table.removeAt(2 + random.bounded(int(table.size()) - 2));
                for (int k = 0; k < 2; ++k, ++next)
                    table << QControlDevice(nullptr, siteId(s, next), 1, owner(random, next));
                table[2 + random.bounded(int(table.size()) - 2)].setOwnerName(owner(random, n));
                table[2 + random.bounded(int(table.size()) - 2)].setActive(false);
            }
            SnapshotMeta meta;
            meta.time = QDateTime(QDate(2025, 1, 1), QTime(9, 0), Qt::UTC).addDays(n * 7);
            meta.machine = QStringLiteral("bench");
            meta.action = QLatin1String(SnapshotAction::Read);
            if (!library.addSnapshot(site.folder, table, meta, nullptr, &error)) {
                std::printf("WRONG: %s\n", qPrintable(error));
                return 1;
            }
        }
        lastTables << table;
    }
    std::printf("%d sites x %d snapshots x %d remotes generated in %.1f s\n", siteCount,
                snapshotCount, remoteCount, timer.elapsed() / 1000.0);

    {
        SiteIndex index(&library);
        timer.start();
        QString error;
        const bool built = index.open(&error) && index.refresh({}, &error);
        f.check(built, qPrintable("index built: " + error));
        std::printf("%-40s %9.1f ms  (%d sites read)\n", "index rebuilt from the files",
                    double(timer.nsecsElapsed()) / 1e6, index.lastRefreshRead());
        f.check(index.lastRefreshRead() == siteCount, "every site read into the index");
    }

    // The window's site list: the index opened, checked against the files, listed.
    SiteIndex index(&library);
    {
        SiteIndex probe(&library);
        timer.start();
        const bool stale = !probe.open() || probe.isStale();
        std::printf("%-40s %9.1f ms\n", "open and check the files, unchanged",
                    double(timer.nsecsElapsed()) / 1e6);
        f.check(!stale, "an unchanged index is not stale");
    }
    timer.start();
    const bool opened = index.open() && index.refresh();
    const QList<SiteSummary> sites = index.sites();
    f.time("site list (open, check, list)", double(timer.nsecsElapsed()) / 1e6, 500, !quick);
    f.check(opened && sites.size() == siteCount, "every site listed");
    f.check(index.lastRefreshRead() == 0, "an unchanged index reads no site again");
    f.check(!sites.isEmpty() && sites.first().snapshots == snapshotCount, "snapshots counted");

    // By id: a remote of the probe site, still in its last snapshot.
    const int id = lastTables.at(probeSite).last().id();
    timer.start();
    QList<RemoteFound> found = index.find(QString::number(id));
    f.time("find by id", double(timer.nsecsElapsed()) / 1e6, 50, !quick);
    f.check(found.size() == 1 && found.first().folder == folders.at(probeSite) &&
                found.first().inLastSnapshot,
            "found by id in its site");
    // A remote moved between sites is found in each.
    found = index.findId(9000000);
    f.check(found.size() == (siteCount + 49) / 50, "a shared remote found in every site");

    timer.start();
    found = index.find(QStringLiteral("уникальнова"));
    f.time("find by part of a name", double(timer.nsecsElapsed()) / 1e6, 300, !quick);
    f.check(found.size() == 1 && found.first().folder == folders.at(probeSite) &&
                found.first().ownerName == QStringLiteral("Уникальнова Серафима"),
            "found by part of a name");
    timer.start();
    found = index.find(QStringLiteral("ИВАНОВ"), 100000);
    f.time("find a common name (every match)", double(timer.nsecsElapsed()) / 1e6, 300, false);
    f.check(found.size() > siteCount, "a common name found in many sites");

    // A stick whose adapter reports no serial number, with a few changes since.
    QList<QControlDevice> stick = lastTables.at(probeSite);
    stick.removeLast();
    stick << QControlDevice(nullptr, 8999999, 1, QStringLiteral("Новый"));
    timer.start();
    SiteRecognition r = index.recognise(QString(), stick);
    f.time("recognise by the table", double(timer.nsecsElapsed()) / 1e6, 100, !quick);
    f.check(r.kind == SiteRecognition::BY_TABLE && r.folder == folders.at(probeSite),
            "recognised by the table");
    timer.start();
    r = index.recognise(QStringLiteral("FT%1").arg(probeSite, 6, 10, QLatin1Char('0')), stick);
    f.time("recognise by the serial number", double(timer.nsecsElapsed()) / 1e6, 100, !quick);
    f.check(r.kind == SiteRecognition::BY_SERIAL && r.folder == folders.at(probeSite),
            "recognised by the serial number");

    std::printf(f.ok ? "OK\n" : "FAILED\n");
    return f.ok ? 0 : 1;
}
