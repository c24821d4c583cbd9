// The "Файл" menu, backups and the exit question, driven through the window
// with scripted dialogs.
#include "dbwindow.h"
#include "owneronly.h"

#include <QDir>
#include <QJsonDocument>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace dbwindow;

namespace
{
QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<QControlDevice> readTable(const QString &path)
{
    QList<QControlDevice> list;
    QString error;
    if (!QDbManipulator::loadFromFile(path, list, &error))
        qWarning() << error;
    return list;
}

QStringList backups()
{
    return QDir(MainWindow::dataDirectory())
        .entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
}

#ifdef Q_OS_UNIX
// Writes stop after a few kilobytes, as on a full disk.
class FileSizeLimit
{
public:
    FileSizeLimit()
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit small = m_old;
        small.rlim_cur = 4096;
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
};
#endif
} // namespace

class tst_files_window : public QObject
{
    Q_OBJECT

    TestHome home;
    QTemporaryDir files;
    ScriptedPrompts prompts;

    const QList<QControlDevice> tableA{remote(1, "Анна"), remote(2, "Борис", false, 4, 1)};
    const QList<QControlDevice> tableB{remote(7, "Вера", true, 9)};

    QString fileWith(const QString &name, const QList<QControlDevice> &list)
    {
        const QString path = files.filePath(name);
        writeTable(path, list);
        return path;
    }
    void expectWarning(const QString &text)
    {
        prompts.expectMessage(ScriptedPrompts::Warning, "Ошибка", QMessageBox::Ok);
        m_warnings << text;
    }
    void checkWarnings()
    {
        QStringList shown;
        for (const auto &call : prompts.calls())
            if (call.kind == ScriptedPrompts::Warning)
                shown << call.text;
        QCOMPARE(shown, m_warnings);
    }
    QStringList m_warnings;

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(home.isValid());
        QVERIFY(files.isValid());
    }
    void init()
    {
        prompts.clear();
        m_warnings.clear();
        QDir(MainWindow::dataDirectory()).removeRecursively();
    }
    void cleanup()
    {
        checkWarnings();
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    }

    void loadSaveAndSaveAs()
    {
        MainWindow w(qApp, &prompts, quietOptions());
        const QString a = fileWith("a.json", tableA);
        loadFile(w, prompts, a);
        QCOMPARE(prompts.calls().last().text, QStringLiteral("*.json"));
        QCOMPARE(w.remotes().remotes(), tableA);
        QCOMPARE(rows(table(w)), 2);
        QCOMPARE(w.remotes().databaseFileName(), a);
        QVERIFY(w.remotes().isDatabaseSaved());

        // "Сохранить" writes the current file without asking.
        QVERIFY(QFile::remove(a));
        w.remotes().need_saving();
        w.findChild<QAction *>("actionSaveToCurrent")->trigger();
        QCOMPARE(readTable(a), tableA);
        QVERIFY(w.remotes().isDatabaseSaved());

        const QString b = files.filePath("b.json");
        prompts.expectFile(ScriptedPrompts::SaveFile, "Выбор файла json", b);
        w.findChild<QAction *>("actionSaveToDb")->trigger();
        QCOMPARE(prompts.calls().last().text, QStringLiteral("*.json"));
        QCOMPARE(readTable(b), tableA);
        QCOMPARE(w.remotes().databaseFileName(), b);
        QCOMPARE(label(w), "<h3>Источник данных - файл " + b + "</h3>");

        // No file chosen: nothing happens.
        prompts.expectFile(ScriptedPrompts::OpenFile, "Выбор файла json", QString());
        w.findChild<QAction *>("actionLoadFromDb")->trigger();
        QCOMPARE(w.remotes().databaseFileName(), b);
    }

    void emptyTableLoads()
    {
        const QByteArray json = R"({"devices": []})";
        MainWindow w(qApp, &prompts, quietOptions());
        loadFile(w, prompts, fileWith("a.json", tableA));
        const QString path = files.filePath("empty.json");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(json);
        f.close();
        loadFile(w, prompts, path);
        QVERIFY(w.remotes().remotes().isEmpty());
        QCOMPARE(rows(table(w)), 0);
        QCOMPARE(w.remotes().databaseFileName(), path);
    }

    void refusedLoadsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error");
        const QString format = "Неверный формат файла " + files.filePath("bad.json");
        const QString duplicates =
            "Неверный формат файла: дублирующие значения пультов. Загрузка отменена.";
        // Beneath it, what is wrong and where; Qt's own words in the window's language.
        QTest::newRow("broken") << QByteArray(R"({"devices": [)")
                                << format + "\nФайл не является документом JSON: строка 1, "
                                            "столбец 14: %1";
        QTest::newRow("duplicate id")
            << QByteArray(R"({"devices": [{"id": 3, "ownerName": "a"}, {"id": 3}]})") << duplicates;
        QTest::newRow("id out of range")
            << QByteArray(R"({"devices": [{"id": 16777215}]})")
            << format + "\nПульт 1 (№16777215): поле «id»: 16777215 не целое число в диапазоне "
                        "0..16777214";
    }
    void refusedLoadsChangeNothing()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, error);
        MainWindow w(qApp, &prompts, quietOptions());
        QJsonParseError parsed;
        QJsonDocument::fromJson(json, &parsed);
        if (error.contains("%1"))
            error = error.arg(parsed.errorString());
        const QString a = fileWith("a.json", tableA);
        loadFile(w, prompts, a);
        w.remotes().need_saving();
        const QString before = label(w);

        const QString bad = files.filePath("bad.json");
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(json);
        f.close();
        prompts.expectFile(ScriptedPrompts::OpenFile, "Выбор файла json", bad);
        expectWarning(error);
        w.remoteTable().files().load_db_from_file();
        QCOMPARE(w.remotes().remotes(), tableA);
        QCOMPARE(rows(table(w)), 2);
        QCOMPARE(w.remotes().databaseFileName(), a);
        QVERIFY(!w.remotes().isDatabaseSaved());
        QCOMPARE(label(w), before);

        const QString missing = files.filePath("missing.json");
        prompts.expectFile(ScriptedPrompts::OpenFile, "Выбор файла json", missing);
        expectWarning("Ошибка открытия файла " + missing);
        w.remoteTable().files().load_db_from_file();
        QCOMPARE(w.remotes().remotes(), tableA);
    }

    void cancelledSaveAsForgetsTheFile()
    {
        MainWindow w(qApp, &prompts, quietOptions());
        loadFile(w, prompts, fileWith("a.json", tableA));
        prompts.expectFile(ScriptedPrompts::SaveFile, "Выбор файла json", QString());
        w.remoteTable().files().save_db_to_new_file();
        QVERIFY(w.remotes().databaseFileName().isEmpty());

        // "Сохранить" now asks; cancelling writes nothing.
        prompts.expectFile(ScriptedPrompts::SaveFile, "Выбор файла json", QString());
        w.remoteTable().files().save_db_to_file();
        QVERIFY(w.remotes().databaseFileName().isEmpty());
        const QString c = files.filePath("c.json");
        prompts.expectFile(ScriptedPrompts::SaveFile, "Выбор файла json", c);
        w.remoteTable().files().save_db_to_file();
        QCOMPARE(w.remotes().databaseFileName(), c);
        QCOMPARE(readTable(c), tableA);
    }

#ifdef Q_OS_UNIX
    void failedSaveKeepsTheOldFileAndTheWindow()
    {
        QTemporaryDir dir;
        QList<QControlDevice> big;
        for (int i = 0; i < 500; ++i)
            big.append(remote(i, QString(40, QChar(0x0416))));
        const QString bigPath = dir.filePath("big.json");
        const QString old = dir.filePath("old.json");
        writeTable(bigPath, big);
        writeTable(old, tableB);
        const QByteArray bigBytes = readFile(bigPath);
        const QByteArray oldBytes = readFile(old);

        MainWindow w(qApp, &prompts, quietOptions());
        loadFile(w, prompts, bigPath);
        prompts.expectFile(ScriptedPrompts::SaveFile, "Выбор файла json", old);
        expectWarning("Ошибка открытия файла " + old);
        {
            FileSizeLimit limit;
            w.remoteTable().files().save_db_to_new_file();
        }
        QCOMPARE(readFile(old), oldBytes);
        QCOMPARE(w.remotes().databaseFileName(), bigPath);
        QVERIFY(w.remotes().isDatabaseSaved());

        // Saving before exit fails: the window stays so the changes are not lost.
        w.remotes().need_saving();
        prompts.expectMessage(ScriptedPrompts::Information, "Выход", QMessageBox::Yes);
        expectWarning("Ошибка открытия файла " + bigPath);
        bool closed = true;
        {
            FileSizeLimit limit;
            closed = w.close();
        }
        QVERIFY(!closed);
        QVERIFY(!w.remotes().isDatabaseSaved());
        QCOMPARE(readFile(bigPath), bigBytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{"big.json", "old.json"})); // no temporary left behind
    }
#endif

    void backupsThroughTheWindow()
    {
        MainWindow w(qApp, &prompts, quietOptions());
        QVERIFY(QDir(MainWindow::dataDirectory()).exists()); // made at start-up
        loadFile(w, prompts, fileWith("a.json", tableA));

        // No backup directory (removed behind our back): nothing written, restoring
        // reports it.
        QVERIFY(QDir(MainWindow::dataDirectory()).removeRecursively());
        w.remoteTable().files().save_reserved();
        QVERIFY(!QDir(MainWindow::dataDirectory()).exists());
        expectWarning("Ошибка системы резервного копирования");
        w.remoteTable().files().load_reserved();

        QVERIFY(QDir().mkpath(MainWindow::dataDirectory()));
        expectWarning("Нет ни одной резервной копии");
        w.remoteTable().files().load_reserved();

        w.remoteTable().files().save_reserved();
        w.remoteTable().files().save_reserved();
        const QStringList written = backups();
        QCOMPARE(written.size(), 1);
        const QString newest = written.first();
        const QDateTime stamp =
            QDateTime::fromString(newest.chopped(5), QStringLiteral("yyyy_MM_dd_hh_mm_ss"));
        QVERIFY(stamp.isValid());
        QCOMPARE(readTable(MainWindow::dataDirectory() + "/" + newest), tableA);

        // An older backup, and a file that is no backup at all.
        const QString older = MainWindow::dataDirectory() + "/2020_01_02_03_04_05.json";
        writeTable(older, tableB);
        {
            QFile f(older);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)),
                                  QFileDevice::FileModificationTime));
        }
        writeTable(MainWindow::dataDirectory() + "/notes.json", tableB);

        prompts.expectItemCancel("Выбор резервной копии");
        expectWarning("Не выбрана резервная копия файла");
        w.remoteTable().files().load_reserved();
        const ScriptedPrompts::Call &offer = prompts.calls().at(prompts.calls().size() - 2);
        QCOMPARE(offer.text, QStringLiteral("Выберите резервную копию для загрузки в программу"));
        // Each with its count and, when it says so, where its table came from.
        const QString newestItem =
            stamp.toString("dd-MM-yyyy hh:mm:ss") + " — пультов: 2, из файла";
        const QString olderItem = "02-01-2020 03:04:05 — пультов: 1";
        QCOMPARE(offer.items, (QStringList{newestItem, olderItem}));
        QCOMPARE(w.remotes().remotes(), tableA);

        prompts.expectItem("Выбор резервной копии", olderItem);
        w.remoteTable().files().load_reserved();
        QCOMPARE(w.remotes().remotes(), tableB);
        QCOMPARE(rows(table(w)), 1);
        QVERIFY(w.remotes().databaseFileName().isEmpty());
        QVERIFY(!w.remotes().isDatabaseSaved());
        QCOMPARE(w.remotes().source(), SOURCE_BACKUP);
        QCOMPARE(label(w), QStringLiteral("<h3>Источник данных - резервная копия </h3>"));

        // A backup equal to the modem's table counts as the modem.
        w.modem().setConnected(true);
        w.remotes().set_data_source(SOURCE_MODEM);
        prompts.expectItem("Выбор резервной копии", newestItem);
        w.remoteTable().files().load_reserved();
        QCOMPARE(w.remotes().source(), SOURCE_BACKUP);
        prompts.expectItem("Выбор резервной копии", olderItem);
        w.remoteTable().files().load_reserved();
        QCOMPARE(w.remotes().source(), SOURCE_MODEM);
        QCOMPARE(label(w), QStringLiteral(
                               "<h3>Источник данных - USB-stick(актуальная резервная копия)</h3>"));
    }

    void exitWithUnsavedChanges_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saves");
        QTest::newRow("yes") << int(QMessageBox::Yes) << true << true;
        QTest::newRow("no") << int(QMessageBox::No) << true << false;
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
    }
    void exitWithUnsavedChanges()
    {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saves);
        MainWindow w(qApp, &prompts, quietOptions());
        const QString a = fileWith("a.json", tableA);
        loadFile(w, prompts, a);
        w.remotes().need_saving();
        writeTable(a, tableB); // shows whether the exit saved

        prompts.expectMessage(ScriptedPrompts::Information, "Выход",
                              QMessageBox::StandardButton(answer));
        QCOMPARE(w.close(), closes);
        const ScriptedPrompts::Call &asked = prompts.calls().last();
        QCOMPARE(
            asked.text,
            QStringLiteral("База данных не сохранена в файл. Хотите ее сохранить перед выходом?"));
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(asked.defaultButton, QMessageBox::Cancel);
        QCOMPARE(readTable(a), saves ? tableA : tableB);
        QCOMPARE(w.remotes().isDatabaseSaved(), saves);
    }

    void exitQuestion()
    {
        QVERIFY(QDir().mkpath(MainWindow::dataDirectory()));
        MainWindow w(qApp, &prompts, quietOptions());
        loadFile(w, prompts, fileWith("a.json", tableA));

        prompts.expectMessage(ScriptedPrompts::Information, "Выход", QMessageBox::No);
        QVERIFY(!w.close());
        const ScriptedPrompts::Call &asked = prompts.calls().last();
        QCOMPARE(asked.text, QStringLiteral("Вы действительно хотите выйти из программы?"));
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(asked.defaultButton, QMessageBox::No);

        // A table from a file needs no backup.
        prompts.expectMessage(ScriptedPrompts::Information, "Выход", QMessageBox::Yes);
        QVERIFY(w.close());
        QVERIFY(backups().isEmpty());

        // The modem's table is backed up on the way out.
        w.modem().setConnected(true);
        w.remotes().set_data_source(SOURCE_MODEM);
        prompts.expectMessage(ScriptedPrompts::Information, "Выход", QMessageBox::Yes);
        QVERIFY(w.close());
        QCOMPARE(backups().size(), 1);
        QCOMPARE(readTable(MainWindow::dataDirectory() + "/" + backups().first()), tableA);

        // Unsaved and tied to no file: asked all the same.
        w.remotes().need_saving();
        prompts.expectFile(ScriptedPrompts::SaveFile, "Выбор файла json", QString());
        w.remoteTable().files().save_db_to_new_file();
        prompts.expectMessage(ScriptedPrompts::Information, "Выход", QMessageBox::Cancel);
        QVERIFY(!w.close());
        QCOMPARE(prompts.calls().last().text,
                 QStringLiteral("База данных не сохранена в файл. Хотите ее сохранить перед "
                                "выходом?"));

        // A logout or shutdown asks nothing; the unsaved changes go into a backup.
        QList<QControlDevice> edited = tableA;
        edited.removeLast();
        w.remotes().setRemotes(edited);
        w.closeWithoutConfirmation();
        QCOMPARE(readTable(MainWindow::dataDirectory() + "/" + backups().last()), edited);
        // The folder made before the window came is narrowed to the user alone.
        QVERIFY(ownerOnly(MainWindow::dataDirectory()));
        QVERIFY(ownerOnly(MainWindow::dataDirectory() + "/" + backups().last()));
    }
};

QTEST_MAIN(tst_files_window)
#include "tst_files_window.moc"
