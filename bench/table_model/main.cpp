// The remote table in the window with a long file: loading and showing it, the owner
// filter, and replacing it with a short file. Run under a bus with QT_ACCESSIBILITY=1
// (and QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 when no screen reader turns it on) to measure
// with the accessibility bridge active; the first line says whether it was.
#include "benchmode.h"
#include "mainwindow.h"
#include "qdbmanipulator.h"
#include "qtablefiles.h"
#include "quietprompts.h"
#include "remotelist.h"
#include "remotetable.h"
#include "remotetableparts.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace
{
// Answers the file dialog with the file to load next.
class FilePrompts : public QuietPrompts
{
public:
    QString next;
    QString getOpenFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return next;
    }
};

QList<QControlDevice> makeRemotes(int count)
{
    static const char *const surnames[] = {"Иванов", "Петренко", "Сидоров", "Kowalski", "Шевченко",
                                           "Новак",  "Мельник",  "Бондар",  "Smith",    "Ткаченко"};
    QList<QControlDevice> list;
    list.reserve(count);
    for (int i = 0; i < count; ++i)
        list << QControlDevice(nullptr, 0x100000 + i * 3, quint8(i % 8),
                               QString("%1 %2").arg(QString::fromUtf8(surnames[i % 10])).arg(i),
                               i % 5 != 0, quint8(i % 7 == 0 ? 1 : 0));
    return list;
}

// Until the window has handled what the change queued and painted itself.
void settle(QWidget &window)
{
    QCoreApplication::processEvents();
    window.repaint();
    QCoreApplication::processEvents();
}

// The rows the view shows are these remotes, in this order.
bool rowsAre(const QTableView *table, const QList<QControlDevice> &expected)
{
    const QAbstractItemModel *model = table->model();
    if (model->rowCount() != expected.size()) {
        fprintf(stderr, "%d rows shown, %d expected\n", model->rowCount(), int(expected.size()));
        return false;
    }
    for (int row = 0; row < expected.size(); ++row) {
        const QStringList texts = remoteRowTexts(expected.at(row));
        for (int column = 0; column < COLUMN_COUNT; ++column) {
            if (model->index(row, column).data().toString() != texts.at(column)) {
                fprintf(stderr, "row %d column %d: \"%s\", expected \"%s\"\n", row, column,
                        qPrintable(model->index(row, column).data().toString()),
                        qPrintable(texts.at(column)));
                return false;
            }
        }
    }
    // The first row is the one on screen at the top.
    if (!expected.isEmpty() && table->rowAt(0) != 0) {
        fprintf(stderr, "row at the top: %d\n", table->rowAt(0));
        return false;
    }
    return true;
}

struct Step {
    const char *name;
    double seconds;
    double goal;
    bool ok;
};
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool quick = takeShortFlag(argc, argv);
    // Backups and settings of the run go to a throw-away home.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : quick ? 2000 : 100000;

    const QList<QControlDevice> many = makeRemotes(count);
    const QList<QControlDevice> few = makeRemotes(3);
    const QString manyFile = home.filePath("many.json");
    const QString fewFile = home.filePath("few.json");
    QString error;
    if (!QDbManipulator::saveToFile(manyFile, many, &error) ||
        !QDbManipulator::saveToFile(fewFile, few, &error)) {
        fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    FilePrompts prompts;
    ShellOptions options;
    options.systemPorts = false; // no stick: the table alone
    MainWindow window(&app, &prompts, options);
    window.show();
    settle(window);
    auto *table = window.findChild<QTableView *>("tablePults");
    auto *filter = window.findChild<QLineEdit *>("lineEdit_find_owner");
    if (!table || !filter) {
        fprintf(stderr, "no remote table in the window\n");
        return 1;
    }
    printf("table_model: %d remotes, platform %s, accessibility %s\n", count,
           qPrintable(QGuiApplication::platformName()), QAccessible::isActive() ? "on" : "off");

    QList<Step> steps;
    QElapsedTimer clock;
    const auto measure = [&](const char *name, double goal, const std::function<void()> &work,
                             const std::function<bool()> &check) {
        clock.start();
        work();
        settle(window);
        const double seconds = clock.nsecsElapsed() / 1e9;
        steps.append({name, seconds, goal, check()});
    };

    measure(
        "load and show", 2.0,
        [&] {
            prompts.next = manyFile;
            window.remoteTable().files().load_db_from_file();
        },
        [&] { return window.remotes().remotes() == many && rowsAre(table, many); });

    // An owner prefix that a tenth of the remotes have.
    const QString prefix = QStringLiteral("петр");
    const QList<QControlDevice> matching = filterByOwnerPrefix(many, prefix);
    measure(
        "filter", 0.2, [&] { filter->setText(prefix); },
        [&] { return !matching.isEmpty() && rowsAre(table, matching); });
    measure(
        "filter cleared", 0.2, [&] { filter->clear(); }, [&] { return rowsAre(table, many); });

    // A click on the owner heading: sorted as text, ties kept in the list's order.
    QList<QControlDevice> byOwner = many;
    std::stable_sort(byOwner.begin(), byOwner.end(),
                     [](const QControlDevice &a, const QControlDevice &b) {
                         return a.ownerName() < b.ownerName();
                     });
    measure(
        "sort by owner", 2.0,
        [&] { table->horizontalHeader()->setSortIndicator(COLUMN_OWNER, Qt::AscendingOrder); },
        [&] { return rowsAre(table, byOwner); });
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);

    measure(
        "replace with 3", 0.5,
        [&] {
            prompts.next = fewFile;
            window.remoteTable().files().load_db_from_file();
        },
        [&] { return window.remotes().remotes() == few && rowsAre(table, few); });

    int failures = 0;
    printf("%-16s %10s %8s %s\n", "step", "seconds", "goal", "");
    for (const Step &s : steps) {
        printf("%-16s %10.3f %8.1f %s%s\n", s.name, s.seconds, s.goal,
               s.seconds <= s.goal ? "" : "over the goal",
               s.ok ? "" : "  FAILED: rows not the file's");
        if (!s.ok)
            ++failures;
    }
    fflush(stdout);
    return failures ? 1 : 0;
}
