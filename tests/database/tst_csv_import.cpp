#include "commands.h"
#include "operationwait.h"
#include "qcsvimportdialog.h"
#include "qmodemsession.h"
#include "tablerig.h"
#include "tableview.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;

namespace
{
EmulatorState twoRemotes()
{
    EmulatorState s;
    s.functions = FUNCTION_LONG_RECORDS;
    s.modemRemotes = {{11, 1, true, 0, "Анна"}, {12, 2, false, 1, "Борис"}};
    return s;
}

struct ShownImport {
    QList<QColor> colours;
    QString summary;
    bool importEnabled = false;
};

// Reads the import dialog once it shows, then presses one of its buttons.
void answerImportDialog(UiScript &script, const char *button, ShownImport *shown)
{
    script.when([] { return UiScript::shown<QCsvImportDialog>() != nullptr; },
                [=] {
                    QCsvImportDialog *d = UiScript::shown<QCsvImportDialog>();
                    auto *table = d->findChild<QTableWidget *>("tableRows");
                    for (int row = 0; row < table->rowCount(); ++row)
                        shown->colours << table->item(row, 0)->background().color();
                    shown->summary = d->findChild<QLabel *>("labelSummary")->text();
                    auto *importButton = d->findChild<QPushButton *>("pushButton_import");
                    shown->importEnabled = importButton->isEnabled();
                    d->findChild<QPushButton *>(button)->click();
                });
}
} // namespace

// CSV export and import of the remote table through the controller: the file a
// spreadsheet opens, the verdicts shown before anything changes, and the import as one
// step that can be taken back.
class tst_csv_import : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                   ? file.fileName()
                   : QString();
    }

private slots:
    void initTestCase() { TableRig::useTemporaryHome(); }
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void exportsForSpreadsheetsOfTheLocale()
    {
        TableRig rig(twoRemotes());
        QVERIFY(rig.open());
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        const QString path = m_dir.filePath("table");
        rig.prompts.expectFile(Kind::SaveFile, "Экспорт таблицы в CSV", path);
        rig.table->csv().exportCsv();
        QFile file(path + ".csv");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 QByteArray("\xEF\xBB\xBFПульт;Владелец;Группа;Статус;Режим работы\r\n"
                            "11;Анна;1;Активен;0\r\n"
                            "12;Борис;2;Заблокирован;1\r\n"));
        QVERIFY(rig.prompts.done());
    }

#ifdef Q_OS_UNIX
    void failedExportIsToldAndKeepsTheOldFile()
    {
        TableRig rig(twoRemotes());
        QVERIFY(rig.open());
        QSignalSpy told(&rig.table->csv(), &QTableCsv::statusMessage);
        // A file size limit cuts the write short as a full disk would.
        QTemporaryDir dir;
        const QString path = dir.filePath("table.csv");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        rig.prompts.expectFile(Kind::SaveFile, "Экспорт таблицы в CSV", path);
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        rlimit before{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit small = before;
        small.rlim_cur = 32;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        rig.table->csv().exportCsv();
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY2(rig.prompts.calls().last().text.startsWith(
                     "Таблица не экспортирована: ошибка записи файла " + path),
                 qPrintable(rig.prompts.calls().last().text));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"table.csv"});
        QVERIFY(told.isEmpty());
        QVERIFY(rig.prompts.done());
    }
#endif

    void importOverUnsavedChangesAsksFirst()
    {
        TableRig rig(twoRemotes());
        QVERIFY(rig.open());
        rig.table->list().need_saving();
        const QList<QControlDevice> edited = rig.table->list().remotes();
        rig.prompts.expectMessage(Kind::Question, "Импорт из CSV", QMessageBox::No);
        rig.table->csv().importCsv();
        const ScriptedPrompts::Call &asked = rig.prompts.calls().last();
        QCOMPARE(asked.text, QStringLiteral("Таблица на экране не сохранена в файл. Импорт "
                                            "заменит ее. Продолжить?"));
        QCOMPARE(asked.defaultButton, QMessageBox::No);
        QCOMPARE(rig.table->list().remotes(), edited);
        QVERIFY(!rig.table->list().isDatabaseSaved());

        // Agreed to, the import goes on to the file.
        rig.prompts.expectMessage(Kind::Question, "Импорт из CSV", QMessageBox::Yes);
        rig.prompts.expectFile(Kind::OpenFile, "Импорт таблицы из CSV", QString());
        rig.table->csv().importCsv();
        QVERIFY(rig.prompts.done());
    }

    void importShowsVerdictsAndCanBeTakenBack()
    {
        TableRig rig(twoRemotes());
        QVERIFY(rig.open());
        const QList<QControlDevice> stick = rig.table->list().remotes();
        const QString path = write("import.csv", "Пульт,Владелец,Группа\n"
                                                 "21,\"Кузнецов, Иван\",3\n"
                                                 "22,Орлова,300\n"
                                                 "21,Повтор,1\n");
        UiScript script;
        ShownImport shown;
        answerImportDialog(script, "pushButton_import", &shown);
        rig.prompts.expectFile(Kind::OpenFile, "Импорт таблицы из CSV", path);
        rig.table->csv().importCsv();
        QVERIFY(script.done());
        QCOMPARE(shown.colours,
                 (QList<QColor>{QColor(0xFFE9A8), QColor(0xF5B7B7), QColor(0xFFE9A8)}));
        QCOMPARE(shown.summary, QString("Строк: 3. Будет импортировано пультов: 1. Принято: 0, с "
                                        "предупреждениями: 2, отклонено: 1."));
        QVERIFY(shown.importEnabled);

        QCOMPARE(rig.table->list().remotes(),
                 QList<QControlDevice>{QControlDevice(nullptr, 21, 3, "Кузнецов, Иван")});
        QCOMPARE(tableview::rows(rig.widgets.table), 1);
        QCOMPARE(rig.table->list().source(), SOURCE_FILE);
        QVERIFY(rig.widgets.sourceLabel->text().contains("import.csv"));
        QVERIFY(!rig.table->list().isDatabaseSaved());
        QVERIFY(rig.table->list().databaseFileName().isEmpty()); // "Сохранить" asks for a JSON file
        rig.prompts.expectFile(Kind::SaveFile, "Выбор файла json", QString());
        rig.table->files().save_db_to_file();
        QVERIFY(!rig.table->list().isDatabaseSaved());

        QVERIFY(rig.table->csv().canUndoImport());
        rig.table->csv().undoImport();
        QCOMPARE(rig.table->list().remotes(), stick);
        QCOMPARE(tableview::rows(rig.widgets.table), 2);
        QCOMPARE(rig.table->list().source(), SOURCE_MODEM);
        QVERIFY(!rig.table->csv().canUndoImport());

        // Once the list has changed otherwise, the import can no longer be taken back.
        answerImportDialog(script, "pushButton_import", &shown);
        rig.prompts.expectFile(Kind::OpenFile, "Импорт таблицы из CSV", path);
        rig.table->csv().importCsv();
        QVERIFY(rig.table->csv().canUndoImport());
        QVERIFY(operationwait::succeeds(rig.table->transfers().load_db_from_modem()));
        QVERIFY(!rig.table->csv().canUndoImport());
        QVERIFY(rig.prompts.done());
    }

    void importOfNothingChangesNothing()
    {
        TableRig rig(twoRemotes());
        QVERIFY(rig.open());
        const QList<QControlDevice> stick = rig.table->list().remotes();
        const QString empty = write("empty.csv", "\xEF\xBB\xBF");
        const QString refused = write("refused.csv", "abc;1;2\n-5;Орлов;1\n");
        for (const QString &path : {empty, refused}) {
            UiScript script;
            ShownImport shown;
            shown.importEnabled = true;
            answerImportDialog(script, "pushButton_cancel", &shown);
            rig.prompts.expectFile(Kind::OpenFile, "Импорт таблицы из CSV", path);
            rig.table->csv().importCsv();
            QVERIFY(script.done());
            QVERIFY(!shown.importEnabled);
            QCOMPARE(rig.table->list().remotes(), stick);
            QCOMPARE(rig.table->list().source(), SOURCE_MODEM);
            QVERIFY(rig.table->list().isDatabaseSaved());
            QVERIFY(!rig.table->csv().canUndoImport());
        }
        QVERIFY(rig.prompts.done());
    }
};

QTEST_MAIN(tst_csv_import)
#include "tst_csv_import.moc"
