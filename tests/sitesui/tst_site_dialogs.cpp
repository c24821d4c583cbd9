// The sites' dialogs on their library: the search and the site it opens, a site deleted
// after its question, backups assigned, two snapshots compared, a restore from another
// site's history asked about, and the report written where the user chose.
#include "qcomparedialog.h"
#include "qdbmanipulator.h"
#include "sitebackupsdialog.h"
#include "sitehistorydialog.h"
#include "siteindex.h"
#include "sitelibrary.h"
#include "sitelistdialog.h"
#include "siterecorder.h"
#include "sitesearchdialog.h"
#include "sitesmenu.h"
#include "tablerig.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

using namespace vexo::emu;

namespace
{
QControlDevice remote(int id, const QString &owner)
{
    return QControlDevice(nullptr, id, 1, owner);
}

QDateTime at(int minutes)
{
    return QDateTime(QDate(2026, 3, 1), QTime(10, 0), Qt::UTC).addSecs(minutes * 60);
}

// Snapshots of a site, oldest first, an hour apart.
Site siteWith(SiteLibrary &library, const QString &name, const QList<QList<QControlDevice>> &tables)
{
    Site site;
    site.name = name;
    site.address = name + " street";
    QString error;
    if (!library.createSite(&site, &error))
        qWarning("%s", qPrintable(error));
    for (int i = 0; i < tables.size(); ++i) {
        SnapshotMeta meta;
        meta.time = at(60 * i);
        meta.action = QLatin1String(SnapshotAction::Read);
        QString path;
        if (!library.addSnapshot(site.folder, tables.at(i), meta, &path, &error))
            qWarning("%s", qPrintable(error));
    }
    return site;
}

QStringList column(const QTreeWidget *tree, int column)
{
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        texts << tree->topLevelItem(i)->text(column);
    return texts;
}
} // namespace

class tst_site_dialogs : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TableRig> rig;
    QStatusBar *bar = nullptr;
    SitesMenu *menu = nullptr;
    Site house;
    Site office;

private slots:
    void initTestCase()
    {
        TableRig::useTemporaryHome();
        SiteLibrary library(QTableFiles::dataDirectory());
        house = siteWith(library, "Дом",
                         {{remote(11, "Иванов"), remote(12, "Петров"), remote(13, "Гость")},
                          {remote(11, "Иванов"), remote(12, "Петров А.")}});
        office = siteWith(library, "Офис", {{remote(21, "Иванова"), remote(22, "Охрана")}});
        rig = std::make_unique<TableRig>(EmulatorState::demo());
        QWidget *host = rig->widgets.table->parentWidget();
        bar = new QStatusBar(host);
        menu = new SitesMenu(QTableFiles::dataDirectory(), rig->session, rig->table, bar, host);
    }

    void cleanupTestCase()
    {
        delete menu;
        rig.reset();
    }

    // By part of a name in any case across sites, by id with its first and last snapshot,
    // and the found site's history opened from a result.
    void searchOpensTheSite()
    {
        menu->showSearch();
        auto *search = UiScript::shown<SiteSearchDialog>();
        QVERIFY(search);
        auto *text = search->findChild<QLineEdit *>("lineEdit_find");
        auto *found = search->findChild<QTreeWidget *>("treeFound");
        text->setText("ИВАНОВ");
        search->find();
        QCOMPARE(column(found, 0), QStringList({"Дом", "Офис"}));
        text->setText("13");
        search->find();
        QCOMPARE(found->topLevelItemCount(), 1);
        // Gone from the newest snapshot: its last snapshot is the first one.
        QCOMPARE(search->results().first().lastTime, at(0));
        QCOMPARE(found->topLevelItem(0)->text(5), QString("удалён"));
        text->setText("999");
        search->find();
        QCOMPARE(search->findChild<QLabel *>("label_found")->text(),
                 QString("Не найдено ни одного пульта."));

        text->setText("Охрана");
        search->find();
        search->openSite();
        auto *history = UiScript::shown<SiteHistoryDialog>();
        QVERIFY(history);
        QCOMPARE(history->folder(), office.folder);
        search->close();
        history->close();
    }

    // Two snapshots side by side, named as snapshots, with their own counts.
    void historyComparesTwoSnapshots()
    {
        menu->showHistory(house.folder);
        auto *history = UiScript::shown<SiteHistoryDialog>();
        QVERIFY(history);
        auto *tree = history->findChild<QTreeWidget *>("treeHistory");
        QCOMPARE(column(tree, 5), QStringList({"0", "1"}));
        QCOMPARE(column(tree, 6), QStringList({"0", "1"}));
        tree->topLevelItem(1)->setSelected(true);
        history->compareChosen();
        QCompareDialog *compare = nullptr;
        QTRY_VERIFY((compare = UiScript::shown<QCompareDialog>()));
        const auto *table = compare->findChild<QTableWidget *>("tableDifferences");
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(1, 1)->text(), QString("Только в первом"));
        QCOMPARE(compare->findChild<QLabel *>("labelSummary")->text(),
                 QString("Только в первом: 1, только во втором: 0, отличаются: 1"));
        QVERIFY(!compare->findChild<QPushButton *>("pushButton_apply")->isVisible());
        compare->reject();
        history->close();
    }

    // Backups that no site holds, assigned to one: a snapshot there, gone from the list.
    void backupsAssigned()
    {
        const QString dir = QTableFiles::dataDirectory();
        const QString name =
            QDateTime(QDate(2026, 2, 1), QTime(9, 0)).toString(QDbManipulator::BackupNameFormat);
        QString error;
        QVERIFY2(QDbManipulator::saveToFile(dir + "/" + name + ".json", {remote(31, "Из копии")},
                                            &error),
                 qPrintable(error));
        menu->showBackups();
        auto *backups = UiScript::shown<SiteBackupsDialog>();
        QVERIFY(backups);
        auto *tree = backups->findChild<QTreeWidget *>("treeBackups");
        QCOMPARE(tree->topLevelItemCount(), 1);
        tree->topLevelItem(0)->setSelected(true);
        rig->prompts.expectItem(QString(), "Офис");
        backups->assignChosen();
        QCOMPARE(tree->topLevelItemCount(), 0);
        const QList<SnapshotInfo> snapshots = menu->library().snapshots(office.folder);
        QCOMPARE(snapshots.size(), 2);
        QCOMPARE(snapshots.first().meta.action, QString("backup"));
        QVERIFY2(rig->prompts.done(), qPrintable(rig->prompts.report()));
        backups->close();
    }

    // The report where the user chose, with the site's name, address and remotes.
    void reportWritten()
    {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QFAIL("pdftotext (poppler-utils) is needed: scripts/deps installs it");
        QTemporaryDir out;
        const QString chosen = out.filePath("report"); // the extension is added
        rig->prompts.expectFile(ScriptedPrompts::SaveFile, QString(), chosen);
        QCOMPARE(menu->writeReport(house.folder), chosen + ".pdf");
        QProcess text;
        text.start(pdftotext, {chosen + ".pdf", "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString content = QString::fromUtf8(text.readAllStandardOutput());
        for (const char *expected : {"Дом", "Дом street", "Петров А.", "Иванов"})
            QVERIFY2(content.contains(QString::fromUtf8(expected)), expected);
        QVERIFY(bar->currentMessage().contains("report.pdf"));
        // Cancelled: nothing written, nothing said.
        rig->prompts.expectFile(ScriptedPrompts::SaveFile, QString(), QString());
        QCOMPARE(menu->writeReport(house.folder), QString());
        QVERIFY2(rig->prompts.done(), qPrintable(rig->prompts.report()));
    }

    // A snapshot of another site than the stick's is asked about before the comparison.
    void restoreOfAnotherSiteAsked()
    {
        // Sites exist and none shares the stick's table: asked, and put off.
        rig->prompts.expectItemCancel(QString());
        QVERIFY(rig->open());
        QTRY_VERIFY(menu->recorder().declined());
        menu->showHistory(office.folder);
        auto *history = UiScript::shown<SiteHistoryDialog>();
        auto *tree = history->findChild<QTreeWidget *>("treeHistory");
        tree->topLevelItem(tree->topLevelItemCount() - 1)->setSelected(true);
        rig->prompts.expectMessage(ScriptedPrompts::Question, "Восстановление", QMessageBox::No);
        QVERIFY(!history->restoreChosen());
        QVERIFY(!UiScript::shown<QCompareDialog>());
        rig->prompts.expectMessage(ScriptedPrompts::Question, "Восстановление", QMessageBox::Yes);
        QVERIFY(history->restoreChosen());
        QCompareDialog *compare = nullptr;
        QTRY_VERIFY((compare = UiScript::shown<QCompareDialog>()));
        QVERIFY(compare->findChild<QPushButton *>("pushButton_apply")->isEnabled());
        compare->reject();
        history->close();
        QVERIFY2(rig->prompts.done(), qPrintable(rig->prompts.report()));
    }

    // Deleted only after its question; the stick's site forgotten with it.
    void siteDeletedAfterQuestion()
    {
        QString error;
        QVERIFY2(menu->recorder().chooseSite(house.folder, &error), qPrintable(error));
        menu->showSites();
        auto *list = UiScript::shown<SiteListDialog>();
        QVERIFY(list);
        auto *tree = list->findChild<QTreeWidget *>("treeSites");
        QCOMPARE(column(tree, 0), QStringList({"Дом", "Офис"}));
        tree->setCurrentItem(tree->topLevelItem(0));
        rig->prompts.expectMessage(ScriptedPrompts::Question, "Удаление объекта", QMessageBox::No);
        list->deleteSite();
        QCOMPARE(tree->topLevelItemCount(), 2);
        rig->prompts.expectMessage(ScriptedPrompts::Question, "Удаление объекта", QMessageBox::Yes);
        list->deleteSite();
        QCOMPARE(column(tree, 0), QStringList({"Офис"}));
        QVERIFY(!QDir(menu->library().siteDirectory(house.folder)).exists());
        QVERIFY(!menu->recorder().siteKnown());
        QVERIFY2(rig->prompts.done(), qPrintable(rig->prompts.report()));
        list->close();
    }
};

QTEST_MAIN(tst_site_dialogs)
#include "tst_site_dialogs.moc"
