#include "remotecsv.h"
#include "tablecheck.h"
#include "tablediff.h"

#include <QStringEncoder>
#include <QtTest>

namespace
{
QControlDevice remote(int id, const QString &owner, bool active = true, int group = 0,
                      int workMode = 0)
{
    return QControlDevice(nullptr, id, (unsigned char)group, owner, active,
                          (unsigned char)workMode);
}

QList<int> idsOf(const QList<RemoteDifference> &differences)
{
    QList<int> ids;
    for (const RemoteDifference &d : differences)
        ids << d.id;
    return ids;
}
} // namespace

Q_DECLARE_METATYPE(CSV_VERDICT_T)

// Comparing tables as the stick stores them, and CSV export and import with a verdict
// per row; no stick involved.
class tst_table_tools : public QObject
{
    Q_OBJECT
private slots:
    void eachKindOfDifference()
    {
        const QList<QControlDevice> stick = {
            remote(1, "Иванов", true, 1),      remote(2, "Петров", true, 2),
            remote(3, "Сидоров", true, 3),     remote(4, "Орлов", true, 4),
            remote(5, "Козлов", true, 5),      remote(6, "Без изменений", false, 6, 1),
            remote(7, "Только в стике", true), remote(9, "Повтор")};
        const QList<QControlDevice> file = {remote(8, "Только в файле"),
                                            remote(6, "Без изменений", false, 6, 2),
                                            remote(5, "Козлов", true, 5, 1),
                                            remote(4, "Орлов", false, 4),
                                            remote(3, "Сидоров", true, 30),
                                            remote(2, "Петрова", true, 2),
                                            remote(1, "Иванов", true, 1),
                                            remote(9, "Повтор"),
                                            remote(9, "Второй с тем же номером", false)};
        const QList<RemoteDifference> d = compareTables(stick, file, true);
        // The stick's order first, then what only the file holds; equal remotes and a
        // work mode 2 that the stick keeps as 1 are no difference; of an id listed twice the
        // first counts.
        QCOMPARE(idsOf(d), (QList<int>{2, 3, 4, 5, 7, 8}));
        QCOMPARE(d[0].fields, int(RemoteDifference::FIELD_OWNER));
        QCOMPARE(d[1].fields, int(RemoteDifference::FIELD_GROUP));
        QCOMPARE(d[2].fields, int(RemoteDifference::FIELD_STATE));
        QCOMPARE(d[3].fields, int(RemoteDifference::FIELD_WORK_MODE));
        QCOMPARE(d[4].kind, RemoteDifference::ONLY_IN_STICK);
        QCOMPARE(d[5].kind, RemoteDifference::ONLY_IN_FILE);
        QCOMPARE(d[5].file, file[0]);
        QCOMPARE(changedFieldsText(RemoteDifference::FIELD_OWNER | RemoteDifference::FIELD_STATE),
                 QString("владелец, статус"));
        QCOMPARE(differenceLines(d, 2), (QStringList{"№2: отличается (владелец)",
                                                     "№3: отличается (группа)", "... и еще 4"}));
        QVERIFY(compareTables(stick, stick, false).isEmpty());
        QCOMPARE(compareTables({}, stick, false).size(), stick.size());
    }

    void namesAreComparedAsTheUserHadThem()
    {
        // What a stick made of names its records cannot hold is a difference, never a match:
        // a check after writing must not pass on the stored forms.
        const QString longName = QString(70, QChar(u'Ж'));
        const QList<QControlDevice> file = {remote(1, longName, true, 0, 2),
                                            remote(2, "Smile 🙂")};
        const QList<QControlDevice> shortStick = {remote(1, longName.left(59), true, 0, 1),
                                                  remote(2, QString("Smile ") + QChar(0x1A))};
        const QList<RemoteDifference> found = compareTables(shortStick, file, false);
        QCOMPARE(idsOf(found), (QList<int>{1, 2}));
        // Only the owner differs: a work mode the records keep as its lowest bit does not.
        QCOMPARE(found.at(0).fields, int(RemoteDifference::FIELD_OWNER));
        QCOMPARE(found.at(1).fields, int(RemoteDifference::FIELD_OWNER));
        const QList<QControlDevice> same = {remote(1, longName, true, 0, 1),
                                            remote(2, "Smile 🙂")};
        QVERIFY(compareTables(same, file, true).isEmpty());
    }

    void recordsHoldOrRefuseEachRemote()
    {
        const QString sixty(60, QChar(u'Ж'));
        const QList<QControlDevice> table = {
            remote(1, "Анна"),
            remote(2, sixty),
            remote(3, "Smile 🙂"),
            remote(4, QString(62, QChar(0x20AC))), // € takes one byte in 1251, three in UTF-8
            remote(0x1000000, "Номер"),
            remote(6, QString("a") + QChar(0) + "b")};
        QCOMPARE(unfitRemotes(table, RECORDS_SHORT), (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(unfitRemotes(table, RECORDS_LONG), (QList<int>{3, 4, 5}));
        // Either format will do where the stick is not known yet.
        QCOMPARE(unfitRemotes(table, RECORDS_ANY), (QList<int>{3, 4, 5}));
        QVERIFY(ownerNameFits(QString(59, QChar(u'Ж')), RECORDS_SHORT));
        QVERIFY(ownerNameFits(QString(61, QChar(u'Ж')), RECORDS_LONG));
        QVERIFY(!ownerNameFits(QString(62, QChar(u'Ж')), RECORDS_LONG));

        const QStringList refusal = tableRefusal("Не записано.", "Пультов: 6, мест: 5.", table,
                                                 unfitRemotes(table, RECORDS_SHORT), RECORDS_SHORT)
                                        .split('\n');
        const QString tooLong = "Информация о владельце пульта не помещается в память USB-stick: ";
        QCOMPARE(refusal.size(), 8);
        QCOMPARE(refusal.mid(0, 3),
                 (QStringList{"Не записано.", "Пультов: 6, мест: 5.",
                              "Пультов, которые записи USB-stick не могут хранить без изменений: "
                              "5. Первые из них:"}));
        // A long owner is cut in the message, with the reason after it.
        QCOMPARE(refusal.at(3), "№2, владелец «" + QString(40, QChar(u'Ж')) + "…»: " + tooLong +
                                    "60 байт при допустимых 59.");
        QVERIFY(refusal.at(4).endsWith(
            "которые USB-stick не может сохранить: 🙂"));
        QVERIFY(refusal.at(5).endsWith("62 байт при допустимых 59."));
        QCOMPARE(refusal.at(6),
                 QString("№16777216, владелец «Номер»: номер вне диапазона 0..16777214"));
        QVERIFY(refusal.at(7).endsWith("»: владелец содержит нулевой символ"));
        // Ten are named, the rest counted.
        QList<QControlDevice> many;
        for (int i = 0; i < 12; ++i)
            many << remote(i, sixty);
        const QStringList lines =
            tableRefusal("x", QString(), many, unfitRemotes(many, RECORDS_SHORT), RECORDS_SHORT)
                .split('\n');
        QCOMPARE(lines.size(), 13);
        QCOMPARE(lines.last(), QString("... и еще 2"));
    }

    void csvRoundTrip_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("separator");
        QTest::newRow("Russian") << "ru_RU"
                                 << ";";
        QTest::newRow("English") << "en_US"
                                 << ",";
        QTest::newRow("German") << "de_DE"
                                << ";";
    }
    void csvRoundTrip()
    {
        QFETCH(QString, locale);
        QFETCH(QString, separator);
        const QChar sep = csvSeparator(QLocale(locale));
        QCOMPARE(QString(sep), separator);
        const QList<QControlDevice> list = {remote(1090289, "Иванов Иван", true, 1, 0),
                                            remote(2, "Ёж; «Колючий», \"Ёжик\"", false, 255, 1),
                                            remote(3, "две\nстроки", true, 0, 0),
                                            remote(4, " пробелы ", true, 7, 1),
                                            remote(0xFFFFFE, "=СУММ(A1)", false, 3, 0),
                                            remote(6, "", true, 0, 0)};
        const QByteArray csv = remotesToCsv(list, sep);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        QVERIFY(csv.contains(
            QString("Пульт%1Владелец%1Группа%1Статус%1Режим работы\r\n").arg(sep).toUtf8()));
        const QStringList quoted = {"2", "\"Ёж; «Колючий», \"\"Ёжик\"\"\"", "255", "Заблокирован",
                                    "1"};
        QVERIFY(csv.contains(quoted.join(sep).toUtf8() + "\r\n"));
        const CsvImport back = importRemotesCsv(csv, true);
        QVERIFY(back.heading);
        QCOMPARE(back.separator, sep);
        QCOMPARE(back.remotes(), list);
        QCOMPARE(back.count(CSV_ACCEPTED), list.size());
        QCOMPARE(back.rows[3].line, 6); // the owner before it spans two lines
    }

    void formulaCellsAreNeutralised_data()
    {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QByteArray>("cell");
        QTest::newRow("=") << "=HYPERLINK(\"http://x\")"
                           << QByteArray("\"'=HYPERLINK(\"\"http://x\"\")\"");
        QTest::newRow("+") << "+7 999" << QByteArray("'+7 999");
        QTest::newRow("-") << "-2+3" << QByteArray("'-2+3");
        QTest::newRow("@") << "@SUM(A1)" << QByteArray("'@SUM(A1)");
        QTest::newRow("tab") << "\tx" << QByteArray("'\tx");
        QTest::newRow("carriage return") << "\r=1" << QByteArray("\"'\r=1\"");
        QTest::newRow("apostrophe of its own") << "'Орлов" << QByteArray("'Орлов");
        QTest::newRow("inside") << "Орлов=1" << QByteArray("Орлов=1");
    }
    void formulaCellsAreNeutralised()
    {
        QFETCH(QString, owner);
        QFETCH(QByteArray, cell);
        const QList<QControlDevice> list = {remote(5, owner, true, 1, 0)};
        const QByteArray csv = remotesToCsv(list, ';');
        QVERIFY2(csv.endsWith("\r\n5;" + cell + ";1;Активен;0\r\n"), csv.constData());
        // Read back as it was written.
        QCOMPARE(importRemotesCsv(csv, true).remotes(), list);
    }

    void importVerdicts_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<CSV_VERDICT_T>("verdict");
        QTest::addColumn<QString>("note");
        QTest::addColumn<bool>("imported");
        QTest::newRow("accepted") << QByteArray("12;Орлов;3;Активен;1") << CSV_ACCEPTED << ""
                                  << true;
        QTest::newRow("duplicate id")
            << QByteArray("10;Другой;1;Активен;0") << CSV_WARNING
            << "номер пульта уже есть в строке 1: строка пропущена" << false;
        QTest::newRow("owner cut") << QByteArray("12;" + QByteArray(70, 'x') + ";3;Активен;0")
                                   << CSV_WARNING << "владелец обрезан до 59 символов" << true;
        QTest::newRow("missing columns")
            << QByteArray("12;Орлов") << CSV_WARNING << "нет группы: взята 0" << true;
        QTest::newRow("id out of range") << QByteArray("16777215;Орлов;3;Активен;0") << CSV_REFUSED
                                         << "номер пульта вне диапазона 0..16777214" << false;
        QTest::newRow("id not a number") << QByteArray("12a;Орлов;3;Активен;0") << CSV_REFUSED
                                         << "номер пульта не число: 12a" << false;
        QTest::newRow("group out of range") << QByteArray("12;Орлов;256;Активен;0") << CSV_REFUSED
                                            << "группа вне диапазона 0..255" << false;
        QTest::newRow("unknown state") << QByteArray("12;Орлов;3;может быть;0") << CSV_REFUSED
                                       << "статус не распознан: может быть" << false;
        QTest::newRow("too many fields") << QByteArray("12;Орлов;Петров;3;Активен;0") << CSV_REFUSED
                                         << "строка не читается: полей 6 вместо 5" << false;
        QTest::newRow("unclosed quote") << QByteArray("12;\"Орлов;3;Активен;0") << CSV_REFUSED
                                        << "строка не читается: кавычка не закрыта" << false;
    }
    void importVerdicts()
    {
        QFETCH(QByteArray, line);
        QFETCH(CSV_VERDICT_T, verdict);
        QFETCH(QString, note);
        QFETCH(bool, imported);
        // A first row without a heading, which the judged row may repeat.
        const CsvImport result =
            importRemotesCsv("10;Первый;1;Активен;0\n\n" + line + "\r\n", false);
        QVERIFY(!result.heading);
        QCOMPARE(result.rows.size(), 2); // the empty line is no row
        const CsvRowVerdict &row = result.rows[1];
        QCOMPARE(row.line, 3);
        QCOMPARE(row.verdict, verdict);
        QCOMPARE(row.notes.value(0), note);
        QCOMPARE(row.imported, imported);
        QCOMPARE(result.remotes().size(), imported ? 2 : 1);
    }

    void headingNamesTheColumns()
    {
        // Columns in another order, an unknown one, no state column: Windows-1251 as a
        // spreadsheet in Russian saves it, with tabs.
        const QString text = "Владелец\tПримечание\tid\tGROUP\n"
                             "Ёлкин\tдача\t77\t4\n"
                             "Пчёлкин\t\t78\t\n";
        const CsvImport result =
            importRemotesCsv(QStringEncoder("windows-1251").encode(text), false);
        QVERIFY(result.heading);
        QCOMPARE(result.separator, QChar('\t'));
        QCOMPARE(result.remotes(),
                 (QList<QControlDevice>{remote(77, "Ёлкин", true, 4), remote(78, "Пчёлкин")}));
        QCOMPARE(result.rows[0].verdict, CSV_WARNING);
        QCOMPARE(result.rows[0].notes,
                 (QStringList{"нет статуса: пульт активен", "нет режима работы: взят обычный"}));
        QCOMPARE(result.rows[1].notes.first(), QString("нет группы: взята 0"));
        QCOMPARE(result.summary(), QString("Строк: 2. Будет импортировано пультов: 2. Принято: 0, "
                                           "с предупреждениями: 2, отклонено: 0."));

        // A heading without an id column refuses every row.
        const CsvImport noIds = importRemotesCsv("Владелец;Группа\nОрлов;3\n", false);
        QCOMPARE(noIds.count(CSV_REFUSED), 1);
        QVERIFY(noIds.remotes().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_table_tools)
#include "tst_table_tools.moc"
