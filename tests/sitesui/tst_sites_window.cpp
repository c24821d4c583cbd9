// The sites in the window: the menu beside the others, the stick's site in the status
// bar, and the menu's entries reaching their dialogs.
#include "sessionrig.h"
#include "sitelistdialog.h"
#include "tablerig.h"

#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

class tst_sites_window : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { SessionRig::useTemporaryHome(); }

    void menuAndStatusBar()
    {
        SessionRig rig;
        // No site yet: nothing is asked at the connection.
        QVERIFY(rig.open());
        auto *label = rig.window().statusBar()->findChild<QLabel *>("label_site");
        QVERIFY(label);
        QCOMPARE(label->text(), QString());
        auto *menu = rig.window().findChild<QMenu *>("menuSites");
        QVERIFY(menu);
        // Asked from the menu, "not now" says the stick has no site.
        rig.prompts().expectItemCancel(QString());
        menu->findChild<QAction *>("actionStickSite")->trigger();
        QVERIFY(!label->text().isEmpty());
        QCOMPARE(rig.prompts().calls().first().items.size(), 2);

        const QList<QAction *> bar = rig.window().menuBar()->actions();
        // Before the help menu, the last one.
        QCOMPARE(bar.indexOf(menu->menuAction()), bar.size() - 2);

        // The report without any site says so.
        rig.prompts().expectMessage(ScriptedPrompts::Information, QString(), QMessageBox::Ok);
        menu->findChild<QAction *>("actionSiteReport")->trigger();

        menu->findChild<QAction *>("actionSites")->trigger();
        SiteListDialog *list = nullptr;
        QTRY_VERIFY((list = UiScript::shown<SiteListDialog>()));
        QCOMPARE(list->findChild<QTreeWidget *>("treeSites")->topLevelItemCount(), 0);
        list->close();
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }
};

QTEST_MAIN(tst_sites_window)
#include "tst_sites_window.moc"
