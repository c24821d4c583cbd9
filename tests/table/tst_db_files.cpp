#include "owneronly.h"
#include "qdbmanipulator.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace
{
QList<QControlDevice> sampleTable()
{
    return {QControlDevice(nullptr, 0xFFFFFE, 255, QStringLiteral("Ёжиков \"дом\"\n"), false, 1),
            QControlDevice(nullptr, 0, 0, QString(), true, 0),
            QControlDevice(nullptr, 1234, 3, QStringLiteral("Gate"), true, 2)};
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString backupName(const QDateTime &t)
{
    return t.toString(QStringLiteral("yyyy_MM_dd_hh_mm_ss")) + QStringLiteral(".json");
}

QStringList jsonFiles(const QString &dir)
{
    return QDir(dir).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
}

void setMTime(const QString &path, const QDateTime &t)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(t, QFileDevice::FileModificationTime));
}

QList<QControlDevice> oneRemote(int id)
{
    return {QControlDevice(nullptr, id, 1, "x", true, 0)};
}
} // namespace

class tst_db_files : public QObject
{
    Q_OBJECT
private slots:
    void roundTripAndFormat()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("table.json");
        QString error;
        QVERIFY(QDbManipulator::saveToFile(path, sampleTable(), &error));

        const QJsonDocument doc = QJsonDocument::fromJson(readFile(path));
        QCOMPARE(doc.object().keys(), QStringList{"devices"});
        const QJsonArray devices = doc.object().value("devices").toArray();
        QCOMPARE(devices.size(), 3);
        const QJsonObject first = devices.at(0).toObject();
        QCOMPARE(first.keys(), (QStringList{"active", "group", "id", "ownerName", "workMode"}));
        QCOMPARE(first.value("id").toInt(), 0xFFFFFE);
        QCOMPARE(first.value("group").toInt(), 255);
        QCOMPARE(first.value("active"), QJsonValue(false));
        QCOMPARE(first.value("workMode").toInt(), 1);

        QList<QControlDevice> loaded;
        QVERIFY(QDbManipulator::loadFromFile(path, loaded, &error));
        QCOMPARE(loaded, sampleTable());
    }

    void acceptsOtherLayouts_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("count");
        QTest::newRow("empty devices") << QByteArray(R"({"devices": []})") << 0;
        QTest::newRow("compact, extra keys")
            << QByteArray(R"({"devices":[{"id":7,"colour":"red"},{"id":8}]})") << 2;
        QTest::newRow("limits")
            << QByteArray(R"({"devices": [{"id": 16777214, "group": 255}, {"id": 0}]})") << 2;
    }
    void acceptsOtherLayouts()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, count);
        QTemporaryDir dir;
        const QString path = dir.filePath("in.json");
        writeFile(path, json);
        QList<QControlDevice> list = sampleTable();
        QString error;
        QVERIFY(QDbManipulator::loadFromFile(path, list, &error));
        QCOMPARE(list.size(), count);
    }

    void missingKeysTakeBlankValues()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("in.json");
        writeFile(path, R"({"devices": [
            {"id": 10, "ownerName": "Первый", "group": 9, "active": false, "workMode": 1},
            {"id": 11}]})");
        QList<QControlDevice> list;
        QString error;
        QVERIFY2(QDbManipulator::loadFromFile(path, list, &error), qPrintable(error));
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.at(1), QControlDevice(nullptr, 11, 0, QString(), true, 0));
    }

    void refusedFilesLeaveListAlone_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("duplicate");
        // What is named beneath "Неверный формат файла <name>" (the beginning of it).
        QTest::addColumn<QString>("detail");
        QTest::newRow("same id twice")
            << QByteArray(R"({"devices": [{"id": 5}, {"id": 6}, {"id": 5, "ownerName": "b"}]})")
            << true << QString();
        QTest::newRow("both lack id")
            << QByteArray(R"({"devices": [{"group": 1}, {"group": 2}]})") << true << QString();
        QTest::newRow("id above 24 bits")
            << QByteArray(R"({"devices": [{"id": 16777216}]})") << false
            << "Пульт 1 (№16777216): поле «id»: 16777216 не целое число в диапазоне "
               "0..16777214";
        QTest::newRow("erased-cell id") << QByteArray(R"({"devices": [{"id": 16777215}]})") << false
                                        << "Пульт 1 (№16777215): поле «id»: 16777215 не целое";
        QTest::newRow("negative id") << QByteArray(R"({"devices": [{"id": -1}]})") << false
                                     << "Пульт 1 (№-1): поле «id»: -1 не целое";
        QTest::newRow("fractional id") << QByteArray(R"({"devices": [{"id": 2.5}]})") << false
                                       << "Пульт 1 (№2.5): поле «id»: 2.5 не целое";
        QTest::newRow("id not a number")
            << QByteArray(R"({"devices": [{"id": "abc"}]})") << false
            << "Пульт 1: поле «id»: ожидается число, в файле строка \"abc\"";
        // Read leniently these were remote 123 and remote 1.
        QTest::newRow("id a number in a string")
            << QByteArray(R"({"devices": [{"id": 7}, {"id": "123"}]})") << false
            << "Пульт 2: поле «id»: ожидается число, в файле строка \"123\"";
        QTest::newRow("id true") << QByteArray(R"({"devices": [{"id": true}]})") << false
                                 << "Пульт 1: поле «id»: ожидается число, в файле логическое "
                                    "значение true";
        QTest::newRow("active a number")
            << QByteArray(R"({"devices": [{"id": 4, "active": 0}]})") << false
            << "Пульт 1 (№4): поле «active»: ожидается true или false, в файле число";
        QTest::newRow("group 256")
            << QByteArray(R"({"devices": [{"id": 1, "group": 256}]})") << false
            << "Пульт 1 (№1): поле «group»: 256 не целое число в диапазоне 0..255";
        QTest::newRow("negative group") << QByteArray(R"({"devices": [{"id": 1, "group": -1}]})")
                                        << false << "Пульт 1 (№1): поле «group»: -1";
        // Cut to a byte, 256 would turn a pedestrian remote into a normal one.
        QTest::newRow("work mode 256") << QByteArray(R"({"devices": [{"id": 1, "workMode": 256}]})")
                                       << false << "Пульт 1 (№1): поле «workMode»: 256";
        QTest::newRow("negative work mode")
            << QByteArray(R"({"devices": [{"id": 1, "workMode": -1}]})") << false
            << "Пульт 1 (№1): поле «workMode»: -1";
        // Every fault of a remote is named, not only the first.
        QTest::newRow("two faults of one remote")
            << QByteArray(R"({"devices": [{"id": 9, "group": "1", "active": "yes"}]})") << false
            << "Пульт 1 (№9): поле «group»: ожидается число, в файле строка \"1\"; поле "
               "«active»: ожидается true или false, в файле строка \"yes\"";
        // 124 bytes: more than either record holds.
        QTest::newRow("owner longer than any record")
            << QByteArray(R"({"devices": [{"id": 3, "ownerName": ")" + QByteArray(124, 'x') +
                          R"("}]})")
            << false
            << "Пульт 1 (№3): поле «ownerName»: Информация о владельце пульта не помещается в "
               "память USB-stick: 124 байт при допустимых 123.";
        QTest::newRow("broken json")
            << QByteArray("{\"devices\": [\n  {\"id\": 1},\n  {\"id\": 2,}\n]}") << false
            << "Файл не является документом JSON: строка 3, столбец ";
        // Valid JSON that holds no remote table is no empty table.
        QTest::newRow("array document")
            << QByteArray(R"([{"id": 5}])") << false << "В файле нет списка пультов «devices»";
        QTest::newRow("no devices key")
            << QByteArray(R"({"other": [{"id": 5}]})") << false << "В файле нет списка";
        QTest::newRow("devices not a list")
            << QByteArray(R"({"devices": {"id": 5}})") << false << "В файле нет списка";
        QTest::newRow("list of numbers") << QByteArray(R"({"devices": [1, 2]})") << false
                                         << "Пульт 1: ожидается объект, в файле число\nПульт 2: ";
        QTest::newRow("list of other objects") << QByteArray(R"({"devices": [{"name": "x"}]})")
                                               << false << "Пульт 1: нет ни одного поля пульта";
    }
    void refusedFilesLeaveListAlone()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, duplicate);
        QFETCH(QString, detail);
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.json");
        writeFile(path, json);
        QList<QControlDevice> list = sampleTable();
        QString error;
        QVERIFY(!QDbManipulator::loadFromFile(path, list, &error));
        QCOMPARE(list, sampleTable());
        if (duplicate)
            QCOMPARE(error, QStringLiteral("Неверный формат файла: дублирующие значения "
                                           "пультов. Загрузка отменена."));
        else
            QVERIFY2(error.startsWith("Неверный формат файла " + path + "\n" + detail),
                     qPrintable(error));
    }

    void ownerNamesAreCheckedForTheRecords()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("names.json");
        // 60 letters: 60 bytes in a short record (59 fit), 120 in a long one (123 fit).
        const QString sixty(60, QChar(u'Ж'));
        const QList<QControlDevice> table = {QControlDevice(nullptr, 1, 0, sixty),
                                             QControlDevice(nullptr, 2, 0, "Smile 🙂")};
        QVERIFY(QDbManipulator::saveToFile(path, table, nullptr));
        QList<QControlDevice> list;
        QString error;
        QVERIFY(QDbManipulator::loadFromFile(path, list, &error, RECORDS_LONG));
        QCOMPARE(list, table);
        list.clear();
        QVERIFY(QDbManipulator::loadFromFile(path, list, &error, RECORDS_ANY));
        QCOMPARE(list, table);
        list.clear();
        QVERIFY(!QDbManipulator::loadFromFile(path, list, &error, RECORDS_SHORT));
        QVERIFY(list.isEmpty());
        QCOMPARE(error.split('\n').mid(1),
                 (QStringList{"Пульт 1 (№1): поле «ownerName»: Информация о владельце пульта не "
                              "помещается в память USB-stick: 60 байт при допустимых 59.",
                              "Пульт 2 (№2): поле «ownerName»: Информация о владельце пульта "
                              "содержит символы, которые USB-stick не может сохранить: "
                              "🙂"}));

        // Ten faulty remotes are named, the rest counted.
        QByteArray json = "{\"devices\": [";
        for (int i = 0; i < 13; ++i)
            json += QByteArray(i ? "," : "") + "{\"id\": \"" + QByteArray::number(i) + "\"}";
        writeFile(path, json + "]}");
        QVERIFY(!QDbManipulator::loadFromFile(path, list, &error));
        const QStringList lines = error.split('\n');
        QCOMPARE(lines.size(), 12);
        QVERIFY(lines.at(10).startsWith("Пульт 10: "));
        QCOMPARE(lines.last(), QString("... и еще пультов с ошибками: 3"));
    }

    void openErrors()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath("nothing.json");
        QList<QControlDevice> list = sampleTable();
        QString error;
        QVERIFY(!QDbManipulator::loadFromFile(missing, list, &error));
        QCOMPARE(error, QStringLiteral("Ошибка открытия файла ") + missing);
        QCOMPARE(list, sampleTable());

        const QString nowhere = dir.filePath("no/such/dir/t.json");
        QVERIFY(!QDbManipulator::saveToFile(nowhere, list, &error));
        QCOMPARE(error, QStringLiteral("Ошибка открытия файла ") + nowhere);
    }

#ifdef Q_OS_UNIX
    void failedWriteKeepsOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("table.json");
        QString error;
        QVERIFY(QDbManipulator::saveToFile(path, sampleTable(), &error));
        const QByteArray before = readFile(path);

        QList<QControlDevice> big;
        for (int i = 0; i < 2000; ++i)
            big.append(QControlDevice(nullptr, i, 1, QString(40, QChar(0x0416)), true, 0));

        // A file size limit makes the write fail part way, as a full disk would.
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit small = old;
        small.rlim_cur = 4096;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool saved = QDbManipulator::saveToFile(path, big, &error);
        // A table small enough to sit in the write buffer until the commit.
        small.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &small);
        const bool savedSmall = QDbManipulator::saveToFile(path, oneRemote(2), &error);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!savedSmall);
        QVERIFY(!saved);
        QCOMPARE(error, QStringLiteral("Ошибка открытия файла ") + path);
        QCOMPARE(readFile(path), before);
        QCOMPARE(jsonFiles(dir.path()), QStringList{"table.json"}); // no temporary left behind
    }
#endif

    void listBackupsSkipsOtherNames()
    {
        QTemporaryDir dir;
        const QDateTime older(QDate(2023, 5, 1), QTime(10, 0, 0));
        const QDateTime newer(QDate(2024, 1, 2), QTime(3, 4, 5));
        QVERIFY(QDbManipulator::saveToFile(dir.filePath(backupName(older)), oneRemote(1), nullptr));
        QVERIFY(QDbManipulator::saveToFile(dir.filePath(backupName(newer)), oneRemote(2), nullptr));
        writeFile(dir.filePath("notes.json"), "{}");
        writeFile(dir.filePath("2024_13_40_00_00_00.json"), "{}");
        writeFile(dir.filePath("2024_01_02_03_04_05.txt"), "{}");
        QVERIFY(QDir(dir.path()).mkdir("2022_01_01_00_00_00.json"));
        // Newest file first, whatever the names say.
        setMTime(dir.filePath(backupName(older)), QDateTime::currentDateTime());
        setMTime(dir.filePath(backupName(newer)), QDateTime::currentDateTime().addSecs(-60));

        QStringList names;
        QList<QDateTime> times;
        QDbManipulator::listBackups(dir.path(), names, times);
        QCOMPARE(names, (QStringList{backupName(older), backupName(newer)}));
        QCOMPARE(times, (QList<QDateTime>{older, newer}));

        QStringList offered;
        QString title, label;
        QList<QControlDevice> list;
        QString error;
        const auto pickSecond = [&](const QString &t, const QString &l, const QStringList &items,
                                    bool *ok) {
            title = t;
            label = l;
            offered = items;
            *ok = true;
            return items.value(1);
        };
        QVERIFY(QDbManipulator::loadBackup(dir.path(), list, &error, pickSecond));
        QCOMPARE(title, QStringLiteral("Выбор резервной копии"));
        QCOMPARE(label, QStringLiteral("Выберите резервную копию для загрузки в программу"));
        // Written by an older version: the time and the count, no source.
        QCOMPARE(offered, (QStringList{"01-05-2023 10:00:00 — пультов: 1",
                                       "02-01-2024 03:04:05 — пультов: 1"}));
        QCOMPARE(list, oneRemote(2));
    }

    void loadBackupFailures()
    {
        QTemporaryDir dir;
        QList<QControlDevice> list = sampleTable();
        QString error;
        bool asked = false;
        const auto cancel = [&](const QString &, const QString &, const QStringList &, bool *ok) {
            asked = true;
            *ok = false;
            return QString();
        };
        writeFile(dir.filePath("notes.json"), "{}");
        QVERIFY(!QDbManipulator::loadBackup(dir.path(), list, &error, cancel));
        QCOMPARE(error, QStringLiteral("Нет ни одной резервной копии"));
        QVERIFY(!asked);

        const QString name = backupName(QDateTime(QDate(2024, 2, 3), QTime(4, 5, 6)));
        writeFile(dir.filePath(name), "not json");
        QVERIFY(!QDbManipulator::loadBackup(dir.path(), list, &error, cancel));
        QCOMPARE(error, QStringLiteral("Не выбрана резервная копия файла"));

        const auto unknown = [](const QString &, const QString &, const QStringList &, bool *ok) {
            *ok = true;
            return QStringLiteral("01-01-2000 00:00:00");
        };
        QVERIFY(!QDbManipulator::loadBackup(dir.path(), list, &error, unknown));
        QCOMPARE(error, QStringLiteral("Ошибка загрузки резервной копии"));

        QStringList offered;
        const auto first = [&offered](const QString &, const QString &, const QStringList &items,
                                      bool *ok) {
            offered = items;
            *ok = true;
            return items.first();
        };
        QVERIFY(!QDbManipulator::loadBackup(dir.path(), list, &error, first));
        QCOMPARE(offered, QStringList{"03-02-2024 04:05:06 — не читается"});
        QVERIFY(
            error.startsWith(QStringLiteral("Неверный формат файла ") + dir.filePath(name) + "\n"));
        QCOMPARE(list, sampleTable());
    }

    void sameTableTwiceWritesOneBackup()
    {
        QTemporaryDir dir;
        const QDateTime t0(QDate(2024, 6, 1), QTime(12, 0, 0));
        QList<QControlDevice> table = sampleTable();
        QVERIFY(QDbManipulator::saveBackup(dir.path(), table, nullptr, t0));
        QVERIFY(ownerOnly(dir.filePath(backupName(t0))));
        // Reordered, the table is the same table.
        std::reverse(table.begin(), table.end());
        QVERIFY(QDbManipulator::saveBackup(dir.path(), table, nullptr, t0.addSecs(5)));
        QCOMPARE(jsonFiles(dir.path()), QStringList{backupName(t0)});

        table[0].setOwnerName("changed");
        QVERIFY(QDbManipulator::saveBackup(dir.path(), table, nullptr, t0.addSecs(10)));
        QCOMPARE(jsonFiles(dir.path()), (QStringList{backupName(t0), backupName(t0.addSecs(10))}));
        QList<QControlDevice> back;
        QVERIFY(
            QDbManipulator::loadFromFile(dir.filePath(backupName(t0.addSecs(10))), back, nullptr));
        QCOMPARE(back, table);
    }

    void backupsSayWhereTheirTableCameFrom()
    {
        QTemporaryDir dir;
        const QDateTime t0(QDate(2024, 6, 1), QTime(12, 0, 0));
        QVERIFY(QDbManipulator::saveBackup(dir.path(), sampleTable(), nullptr, t0,
                                           QDbManipulator::BACKUP_STICK));
        // The same table from the actuator is a backup of its own.
        QVERIFY(QDbManipulator::saveBackup(dir.path(), sampleTable(), nullptr, t0.addSecs(1),
                                           QDbManipulator::BACKUP_ACTUATOR));
        QVERIFY(QDbManipulator::saveBackup(dir.path(), oneRemote(4), nullptr, t0.addSecs(2),
                                           QDbManipulator::BACKUP_FILE));
        QCOMPARE(jsonFiles(dir.path()).size(), 3);
        // Older versions read "devices" and pass over the rest.
        const QJsonObject stick =
            QJsonDocument::fromJson(readFile(dir.filePath(backupName(t0)))).object();
        QCOMPARE(stick.keys(), (QStringList{"devices", "source"}));
        QCOMPARE(stick.value("source").toString(), QString("stick"));
        QCOMPARE(stick.value("devices").toArray().size(), 3);
        QCOMPARE(QDbManipulator::backupLabel(dir.filePath(backupName(t0)), t0),
                 QString("01-06-2024 12:00:00 — пультов: 3, из USB-stick"));
        QCOMPARE(QDbManipulator::backupLabel(dir.filePath(backupName(t0.addSecs(1))), t0),
                 QString("01-06-2024 12:00:00 — пультов: 3, из исполнительного устройства"));
        QCOMPARE(QDbManipulator::backupLabel(dir.filePath(backupName(t0.addSecs(2))), t0),
                 QString("01-06-2024 12:00:00 — пультов: 1, из файла"));
        // A database file the user saves keeps its one key.
        QVERIFY(QDbManipulator::saveToFile(dir.filePath("mine.json"), sampleTable(), nullptr));
        QCOMPARE(QJsonDocument::fromJson(readFile(dir.filePath("mine.json"))).object().keys(),
                 QStringList{"devices"});
    }

    void failedBackupSaysWhy()
    {
        QTemporaryDir dir;
        // A file where the folder should be: nothing can be written into it.
        const QString notADir = dir.filePath("data");
        writeFile(notADir, "x");
        QString error;
        QVERIFY(!QDbManipulator::saveBackup(notADir, sampleTable(), &error));
        const QStringList lines = error.split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.first().startsWith("Ошибка открытия файла " + notADir + "/"));
        QVERIFY(!lines.last().isEmpty()); // the system's reason
    }

    void hundredBackupsDropTheFarthest()
    {
        QTemporaryDir dir;
        const QDateTime now(QDate(2024, 6, 1), QTime(12, 0, 0));
        // 99 past backups, and one far in the future: the farthest from now is that one,
        // not the oldest.
        QStringList expected;
        for (int i = 1; i <= 99; ++i) {
            const QString name = backupName(now.addDays(-i));
            QVERIFY(QDbManipulator::saveToFile(dir.filePath(name), oneRemote(i), nullptr));
            expected << name;
        }
        const QString future = backupName(now.addDays(200));
        QVERIFY(QDbManipulator::saveToFile(dir.filePath(future), oneRemote(500), nullptr));
        writeFile(dir.filePath("my table.json"), "{}"); // neither counted nor deleted
        expected << "my table.json";

        QVERIFY(QDbManipulator::saveBackup(dir.path(), oneRemote(1000), nullptr, now));
        expected << backupName(now);
        expected.sort();
        QCOMPARE(jsonFiles(dir.path()), expected);

        // 99 counted backups plus a foreign name: nothing is deleted.
        QVERIFY(QFile::remove(dir.filePath(backupName(now))));
        const int before = int(jsonFiles(dir.path()).size());
        QVERIFY(QDbManipulator::saveBackup(dir.path(), oneRemote(1001), nullptr, now));
        QCOMPARE(int(jsonFiles(dir.path()).size()), before + 1);
    }

    void unreadableNewestBackupIsReplaced()
    {
        QTemporaryDir dir;
        const QDateTime t0(QDate(2024, 6, 1), QTime(12, 0, 0));
        const QString broken = backupName(t0);
        writeFile(dir.filePath(broken), "{\"devices\": [");
        QVERIFY(QDbManipulator::saveBackup(dir.path(), QList<QControlDevice>(), nullptr,
                                           t0.addSecs(1)));
        QCOMPARE(jsonFiles(dir.path()), (QStringList{broken, backupName(t0.addSecs(1))}));
        // From then on the readable one is the newest and stops repeats.
        QVERIFY(QDbManipulator::saveBackup(dir.path(), QList<QControlDevice>(), nullptr,
                                           t0.addSecs(2)));
        QCOMPARE(jsonFiles(dir.path()).size(), 2);
    }
};

QTEST_GUILESS_MAIN(tst_db_files)
#include "tst_db_files.moc"
