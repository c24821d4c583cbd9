#include "mainwindow.h"
#include "qparamcontroller.h"
#include "qpropertywidget.h"
#include "qremotetableview.h"
#include "qtablefiles.h"
#include "remotetableparts.h"
#include "scriptedprompts.h"
#include "shellhome.h"
#include "tableview.h"

#include <QApplication>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

// The system speaks Ukrainian here (see main()).
class TestLanguages : public QObject
{
    Q_OBJECT

private:
    ScriptedPrompts prompts;
    ShellHome home;
    ShellOptions quiet;
    const QStringList all{"lang_en.qm", "lang_pl.qm", "lang_ru.qm", "lang_uk.qm"};

    static void storeLanguage(const QString &name)
    {
        QSettings("Vexo Electronics", "Vexo Control Tool").setValue("Settings/language", name);
    }
    static QStringList menuTexts(MainWindow &w, const char *menu)
    {
        QStringList texts;
        for (QAction *a : w.findChild<QMenu *>(menu)->actions())
            texts << a->text() + (a->isChecked() ? "*" : "");
        return texts;
    }
    static QString qtCancel() { return QCoreApplication::translate("QPlatformTheme", "Cancel"); }
    // Beside the program.
    QString workLanguages() const { return home.programDirectory() + "/language"; }

    // What a user reads in each part of the window.
    struct Sample {
        QString menu, tab, header, button, filter, source, row, paramRow, param, tray;
    };
    static Sample sample(MainWindow &w)
    {
        auto *table = w.findChild<QTableView *>("tablePults");
        auto *params = w.findChild<QTableWidget *>("tableProperties");
        auto *editor = qobject_cast<QPropertyWidget *>(params->cellWidget(1, 0));
        return {w.menuBar()->actions().first()->text(),
                w.findChild<QTabWidget *>("tabWidget")->tabText(0),
                tableview::headerText(table, 1),
                w.findChild<QPushButton *>("pushButton_addDev")->text(),
                w.findChild<QLabel *>("label_find_owner")->text(),
                w.findChild<QLabel *>("labelBDSource")->text(),
                tableview::rows(table) ? tableview::cell(table, 0, 2) : QString(),
                params->verticalHeaderItem(0)->text(),
                editor ? editor->label()->text() : QString(),
                w.findChild<QMenu *>("trayMenu")->actions().at(1)->text()};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        QApplication::setQuitOnLastWindowClosed(false);
        quiet.systemPorts = false;
        quiet.programDirectory = home.programDirectory();
        QCOMPARE(QLocale::system().language(), QLocale::Ukrainian);
    }
    void init()
    {
        home.reset();
        prompts.clear();
    }
    void cleanup() { QVERIFY2(prompts.done(), qPrintable(prompts.report())); }

    void storedLanguageIsChosen()
    {
        QVERIFY(ShellHome::copyLanguages(workLanguages(), all));
        storeLanguage("polski");
        MainWindow w(qApp, &prompts, quiet);
        QCoreApplication::processEvents();
        // Each file under its language's own name, in file order.
        QCOMPARE(menuTexts(w, "menuLanguage"),
                 (QStringList{"English", "Polski*", "Русский", "Українська"}));
        QCOMPARE(w.menuBar()->actions().first()->text(), QStringLiteral("Plik"));
        QCOMPARE(qtCancel(), QStringLiteral("Anuluj"));
    }

    void otherwiseTheSystemsLanguage_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("menu");
        QTest::addRow("nothing stored") << QString() << all << "Українська*"
                                        << "Система контролю";
        QTest::addRow("no such file") << "Klingon" << all << "Українська*"
                                      << "Система контролю";
        // Without Ukrainian the program falls back to English.
        QTest::addRow("system's missing")
            << "Klingon" << QStringList{"lang_en.qm", "lang_ru.qm"} << "English*"
            << "Control system";
    }
    void otherwiseTheSystemsLanguage()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, files);
        QFETCH(QString, chosen);
        QFETCH(QString, menu);
        QVERIFY(ShellHome::copyLanguages(workLanguages(), files));
        if (!stored.isEmpty())
            storeLanguage(stored);
        MainWindow w(qApp, &prompts, quiet);
        QCoreApplication::processEvents();
        QVERIFY(menuTexts(w, "menuLanguage").contains(chosen));
        QCOMPARE(w.findChild<QMenu *>("menuSystem")->title(), menu);
    }

    void firstPlaceWithFilesWins()
    {
        // Never from the working directory, nor above it.
        QVERIFY(ShellHome::copyLanguages(home.path("work/language"), {"lang_en.qm"}));
        QVERIFY(ShellHome::copyLanguages(home.path("language"), {"lang_en.qm"}));
        {
            MainWindow w(qApp, &prompts, quiet);
            QVERIFY(menuTexts(w, "menuLanguage").isEmpty());
            QCOMPARE(w.findChild<QMenu *>("menuSystem")->title(),
                     QStringLiteral("Система контроля"));
        }
        // The installed data directory is used only while the program's own has none.
        QVERIFY(ShellHome::copyLanguages(home.path("share/vexo-control-tool/language"),
                                         {"lang_pl.qm"}));
        {
            // Neither the system's Ukrainian nor English: the source texts stay.
            MainWindow w(qApp, &prompts, quiet);
            QCOMPARE(menuTexts(w, "menuLanguage"), QStringList{"Polski"});
        }
        QVERIFY(ShellHome::copyLanguages(workLanguages(), {"lang_en.qm"}));
        MainWindow w(qApp, &prompts, quiet);
        QCOMPARE(menuTexts(w, "menuLanguage"), QStringList{"English*"});
    }

    void qtTranslationBesideTheFilesOrFromTheSystem()
    {
        // A language Qt has no translation for: only the program's texts change.
        QVERIFY(ShellHome::copyLanguages(workLanguages(), {"lang_en.qm=lang_eo.qm"}));
        storeLanguage("English");
        {
            MainWindow w(qApp, &prompts, quiet);
            QCoreApplication::processEvents();
            QCOMPARE(w.findChild<QMenu *>("menuDB")->title(), QStringLiteral("File"));
            QCOMPARE(qtCancel(), QStringLiteral("Cancel"));
        }
        // Qt's file beside ours comes first.
        QVERIFY(QFile::copy(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_pl.qm",
                            workLanguages() + "/qt_eo.qm"));
        MainWindow w(qApp, &prompts, quiet);
        QCOMPARE(qtCancel(), QStringLiteral("Anuluj"));
    }

    void switchingReappliesEveryText()
    {
        QVERIFY(ShellHome::copyLanguages(workLanguages(), all));
        storeLanguage("Русский");
        // A table from a file gives rows and a data-source label.
        const QString file = home.path("remotes.json");
        QFile json(file);
        QVERIFY(json.open(QIODevice::WriteOnly));
        json.write(
            QJsonDocument(QJsonObject{{"devices", QJsonArray{QJsonObject{{"active", true},
                                                                         {"group", 1},
                                                                         {"id", 4242},
                                                                         {"ownerName", "Иванов"},
                                                                         {"workMode", 0}}}}})
                .toJson());
        json.close();

        MainWindow w(qApp, &prompts, quiet);
        QCoreApplication::processEvents();
        prompts.expectFile(ScriptedPrompts::OpenFile, "Выбор файла json", file);
        w.remoteTable().files().load_db_from_file();
        w.execDevice().setParamValue(2, 20);
        w.params().refreshParamTable();
        auto *table = w.findChild<QTableView *>("tablePults");
        tableview::setCurrentCell(table, 0, 0);
        const Sample russian = sample(w);
        QCOMPARE(russian.row, QStringLiteral("Активен"));
        QCOMPARE(russian.param, QStringLiteral("1,00 с"));
        QCOMPARE(russian.tray, QStringLiteral("Выход"));

        QAction *english = w.findChild<QMenu *>("menuLanguage")->actions().at(0);
        english->trigger();
        QCoreApplication::processEvents();
        const Sample s = sample(w);
        QCOMPARE(s.menu, QStringLiteral("File"));
        QCOMPARE(s.tab, QStringLiteral("Remotes"));
        QCOMPARE(s.header, QStringLiteral("Owner"));
        QCOMPARE(s.button, QStringLiteral("Add remote"));
        QCOMPARE(s.filter, QStringLiteral("Search by owner"));
        QCOMPARE(s.source, "<h3>Data source - file " + file + "</h3>");
        QCOMPARE(s.row, QStringLiteral("Active"));
        QCOMPARE(s.paramRow, QStringLiteral("Operating mode"));
        // New editors show the values read, in the new language.
        QCOMPARE(s.param, QStringLiteral("1.00 s"));
        QCOMPARE(w.execDevice().paramValue(2), quint8(20));
        QCOMPARE(s.tray, QStringLiteral("Exit"));
        // The selected remote stays selected, its button named for it.
        QCOMPARE(table->currentIndex().row(), 0);
        QCOMPARE(w.findChild<QPushButton *>("pushButton_activeDev")->text(),
                 QStringLiteral("Block remote"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Vexo Control Tool 0.40e"));
        QCOMPARE(menuTexts(w, "menuLanguage"),
                 (QStringList{"English*", "Polski", "Русский", "Українська"}));
        QCOMPARE(qtCancel(), QStringLiteral("Cancel"));

        // And back: every text as it was, Qt's included.
        w.switch_to_language(QStringLiteral("русский"));
        QCoreApplication::processEvents();
        const Sample back = sample(w);
        QCOMPARE(back.menu, russian.menu);
        QCOMPARE(back.row, russian.row);
        QCOMPARE(back.source, russian.source);
        QCOMPARE(back.tray, russian.tray);
        QCOMPARE(back.param, russian.param);
        QCOMPARE(qtCancel(), QStringLiteral("Отмена"));
    }

    void chosenLanguageIsKept()
    {
        QVERIFY(ShellHome::copyLanguages(workLanguages(), all));
        {
            MainWindow w(qApp, &prompts, quiet);
            w.findChild<QMenu *>("menuLanguage")->actions().at(1)->trigger();
        }
        QCOMPARE(QSettings("Vexo Electronics", "Vexo Control Tool")
                     .value("Settings/language")
                     .toString(),
                 QStringLiteral("Polski"));
    }
};

int main(int argc, char *argv[])
{
    qputenv("LC_ALL", "uk_UA.UTF-8");
    QApplication app(argc, argv);
    TestLanguages test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_languages.moc"
