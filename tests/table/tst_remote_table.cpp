#include "remotetable.h"

#include <QtTest>

namespace
{
QControlDevice remote(int id, const QString &owner, bool active = true, int group = 0,
                      int workMode = 0)
{
    return QControlDevice(nullptr, id, (unsigned char)group, owner, active,
                          (unsigned char)workMode);
}
} // namespace

class tst_remote_table : public QObject
{
    Q_OBJECT
private slots:
    void rowTextsAndColours()
    {
        const QControlDevice pedestrian = remote(70001, "Петров", true, 5, 1);
        QCOMPARE(remoteRowTexts(pedestrian), (QStringList{"70001", "Петров", "Активен", "5*"}));
        QCOMPARE(remoteRowRgb(pedestrian), 0xA7E8C1u);
        QCOMPARE(remoteToggleText(pedestrian), QStringLiteral("Заблокировать пульт"));

        const QControlDevice blocked = remote(3, "", false, 5, 0);
        QCOMPARE(remoteRowTexts(blocked), (QStringList{"3", "", "Заблокирован", "5"}));
        QCOMPARE(remoteRowRgb(blocked), 0xF5B7B7u);
        QCOMPARE(remoteToggleText(blocked), QStringLiteral("Активировать пульт"));

        QCOMPARE(remoteGroupText(remote(1, "", true, 255, 2)), QStringLiteral("255*"));
    }

    void prefixFilter()
    {
        const QList<QControlDevice> all{remote(1, "Иванов"), remote(2, "иваненко"),
                                        remote(3, "Сергей Иванов"), remote(4, "ИВ"),
                                        remote(5, "И")};
        const auto ids = [](const QList<QControlDevice> &list) {
            QList<int> out;
            for (const auto &d : list)
                out << d.id();
            return out;
        };
        QCOMPARE(ids(filterByOwnerPrefix(all, "иВ")), (QList<int>{1, 2, 4}));
        QCOMPARE(ids(filterByOwnerPrefix(all, "ИВАН")), (QList<int>{1, 2}));
        QCOMPARE(filterByOwnerPrefix(all, ""), all);
        QVERIFY(filterByOwnerPrefix(all, "нов").isEmpty());
    }

    void rowsMapThroughTheId()
    {
        const QList<QControlDevice> list{remote(10, "a"), remote(20, "b"), remote(20, "c")};
        QCOMPARE(indexOfIdText(list, "20"), 1); // the first of two equal ids
        QCOMPARE(indexOfIdText(list, "10"), 0);
        QCOMPARE(indexOfIdText(list, "30"), -1);
        QCOMPARE(indexOfIdText(list, ""), -1);
        QCOMPARE(indexOfIdText(list, "0x14"), -1);

        // Cells compare as text when sorted; each row still finds its remote.
        QList<QControlDevice> table{remote(9, "a"), remote(10, "b"), remote(100, "c")};
        QStringList cells;
        for (const auto &d : table)
            cells << remoteRowTexts(d).at(COLUMN_ID);
        cells.sort();
        QCOMPARE(cells, (QStringList{"10", "100", "9"}));
        for (const QString &cell : cells)
            QCOMPARE(table.at(indexOfIdText(table, cell)).id(), cell.toInt());
    }

    void modemAgainstFile()
    {
        const QList<QControlDevice> modem{remote(1, "a"), remote(2, "b", false, 3, 1)};
        const QList<QControlDevice> reordered{modem.at(1), modem.at(0)};
        QVERIFY(modemMatchesFile(true, modem, reordered));
        QVERIFY(!modemMatchesFile(false, modem, reordered));

        QList<QControlDevice> extra = reordered;
        extra << remote(3, "c");
        QVERIFY(!modemMatchesFile(true, modem, extra));
        QVERIFY(!modemMatchesFile(true, extra, modem));

        QList<QControlDevice> changed = modem;
        changed[1].setWorkMode(0);
        QVERIFY(!modemMatchesFile(true, modem, changed));
        QVERIFY(modemMatchesFile(true, {}, {}));
    }

    void dataSourceLabels_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("matches");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("shownKind");
        QTest::addColumn<QString>("text");
        const QString f = "/home/u/db.json";
        QTest::newRow("modem, no file") << int(SOURCE_MODEM) << true << QString()
                                        << int(SOURCE_MODEM) << "Источник данных - USB-stick";
        QTest::newRow("modem, file current")
            << int(SOURCE_MODEM) << true << f << int(SOURCE_MODEM)
            << "Источник данных - USB-stick(Актуальный файл /home/u/db.json)";
        QTest::newRow("modem, file behind")
            << int(SOURCE_MODEM) << false << f << int(SOURCE_MODEM)
            << "Источник данных - USB-stick(Несохраненные изменения для файла /home/u/db.json)";
        QTest::newRow("backup, matches")
            << int(SOURCE_BACKUP) << true << QString() << int(SOURCE_MODEM)
            << "Источник данных - USB-stick(актуальная резервная копия)";
        QTest::newRow("backup") << int(SOURCE_BACKUP) << false << QString() << int(SOURCE_BACKUP)
                                << "Источник данных - резервная копия ";
        QTest::newRow("file, matches")
            << int(SOURCE_FILE) << true << f << int(SOURCE_MODEM)
            << "Источник данных - USB-stick(актуальный файл /home/u/db.json)";
        QTest::newRow("file") << int(SOURCE_FILE) << false << f << int(SOURCE_FILE)
                              << "Источник данных - файл /home/u/db.json";
        QTest::newRow("unknown") << int(SOURCE_UNKNOWN) << true << f << int(SOURCE_UNKNOWN)
                                 << "Неизвестный источник данных";
    }
    void dataSourceLabels()
    {
        QFETCH(int, kind);
        QFETCH(bool, matches);
        QFETCH(QString, file);
        QFETCH(int, shownKind);
        QFETCH(QString, text);
        const DataSourceLabel label = dataSourceLabel(DATA_SOURCE_T(kind), matches, file);
        QCOMPARE(int(label.kind), shownKind);
        QCOMPARE(label.text, text);
    }

    void contextMenuNeedsModemTable()
    {
        QVERIFY(contextMenuAvailable(SOURCE_MODEM, true));
        QVERIFY(!contextMenuAvailable(SOURCE_MODEM, false));
        QVERIFY(!contextMenuAvailable(SOURCE_FILE, true));
        QVERIFY(!contextMenuAvailable(SOURCE_BACKUP, true));
        QVERIFY(!contextMenuAvailable(SOURCE_UNKNOWN, true));
    }
};

QTEST_GUILESS_MAIN(tst_remote_table)
#include "tst_remote_table.moc"
