#include "disabledhints.h"
#include "mainwindow.h"
#include "qinterface_manager.h"
#include "qmodemsession.h"
#include "qtablefiles.h"
#include "remotelist.h"
#include "remotetableparts.h"
#include "scriptedprompts.h"
#include "signalwatcher.h"
#include "tableview.h"
#include "testhome.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMovie>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

#include <csignal>
#include <functional>

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    ScriptedPrompts prompts;
    // Settings and backups never reach the user's own folders.
    TestHome home;
    // No real serial port is probed.
    ShellOptions quiet;

    template <typename T> static T *child(MainWindow &w, const char *name)
    {
        T *found = w.findChild<T *>(name);
        if (!found)
            qFatal("no %s in the window", name);
        return found;
    }
    static QStringList texts(const QList<QAction *> &actions)
    {
        QStringList result;
        for (QAction *a : actions)
            result << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return result;
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(home.isValid());
        quiet.systemPorts = false;
    }
    void init()
    {
        // The window stores its size and place when it closes: each function starts anew.
        QVERIFY(home.reset());
        prompts.clear();
    }
    void cleanup() { QVERIFY2(prompts.done(), qPrintable(prompts.report())); }

    void titleSizeAndOwnedObjects()
    {
        MainWindow w(qApp, &prompts, quiet);
        QCOMPARE(w.windowTitle(), QStringLiteral("Vexo Control Tool 0.40e"));
        QCOMPARE(w.size(), QSize(1005, 695));
        QVERIFY(w.interfaceManager());
        QCOMPARE(w.interfaceManager()->parent(), &w.session());
        QCOMPARE(w.session().parent(), &w);
        QVERIFY(!w.interfaceManager()->isRunning());
        QCOMPARE(w.prompts(), &prompts);
        QCOMPARE(child<QLabel>(w, "labelBDSource")->text(),
                 QStringLiteral("<h3>Неизвестный источник данных</h3>"));
        // Without a system tray (as here) there is no icon and nothing else changes.
        QCOMPARE(w.trayIcon() != nullptr, QSystemTrayIcon::isSystemTrayAvailable());
    }

    void menusInOrder()
    {
        MainWindow w(qApp, &prompts, quiet);
        const QList<QAction *> bar = w.menuBar()->actions();
        QCOMPARE(texts(bar), (QStringList{"Файл", "Система контроля", "Параметры",
                                          "Автономия от БУ", "Объекты", "Помощь"}));
        QCOMPARE(bar.at(3)->menu(), child<QMenu>(w, "menuRemoteMode"));
        QVERIFY(!bar.at(3)->isVisible());
        for (int i : {0, 1, 2, 4, 5})
            QVERIFY(bar.at(i)->isVisible());

        QCOMPARE(texts(child<QMenu>(w, "menuDB")->actions()),
                 (QStringList{"Загрузить...", "Сохранить", "Сохранить как...", "-",
                              "Восстановить резервную копию...", "-", "Экспорт в CSV...",
                              "Импорт из CSV...", "Отменить импорт", "-", "Журнал операций...",
                              "Выход"}));
        QCOMPARE(
            texts(child<QMenu>(w, "menuSystem")->actions()),
            (QStringList{"Загрузить из USB-stick", "Сохранить в USB-stick",
                         "Сохранить USB-stick в устройство", "Загрузить USB-stick из устройства",
                         "Полная очистка памяти", "Состояние памяти", "Версия ПО", "-",
                         "Сравнить с файлом...", "Сравнить с резервной копией..."}));
        const QList<QAction *> params = bar.at(2)->menu()->actions();
        QCOMPARE(texts(params), (QStringList{"Режим работы", "Расширенные", "Обновление",
                                             "Язык программы", "Проверять таблицу после записи"}));
        QVERIFY(params.at(4)->isCheckable() && params.at(4)->isChecked());
        QCOMPARE(params.at(0)->menu(), child<QMenu>(w, "menuWorkMode"));
        QCOMPARE(params.at(1)->menu(), child<QMenu>(w, "menuExtend"));
        QCOMPARE(params.at(3)->menu(), child<QMenu>(w, "menuLanguage"));
        QCOMPARE(texts(params.at(0)->menu()->actions()),
                 (QStringList{"Пользователь", "Администратор"}));
        QCOMPARE(texts(params.at(1)->menu()->actions()),
                 (QStringList{"Установить новый пароль", "Сбросить текущий пароль",
                              "Сбросить забытый пароль"}));
        QCOMPARE(texts(params.at(2)->menu()->actions()),
                 (QStringList{"Обновить программу", "Обновить прошивку USB-stick",
                              "Обновить прошивку исполнительного устройства",
                              "Обновить прошивку USB-stick из файла...",
                              "Обновить прошивку исполнительного устройства из файла..."}));
        // No translation files beside the test: an empty language menu.
        QVERIFY(params.at(3)->menu()->actions().isEmpty());
        QCOMPARE(texts(child<QMenu>(w, "menuRemoteMode")->actions()),
                 (QStringList{"Автономный режим", "Автономный перенос пультов с USB-stick на ИУ",
                              "Автономное обновление прошивки ИУ с USB-stick",
                              "Автономное изменение параметров ИУ с USB-stick"}));
        for (QAction *a : child<QMenu>(w, "menuRemoteMode")->actions())
            QVERIFY2(a->isCheckable(), qPrintable(a->objectName()));
        QCOMPARE(texts(child<QMenu>(w, "menuHelp")->actions()),
                 (QStringList{"О программе...", "Как работать с программой"}));
        QVERIFY(child<QAction>(w, "actionUserMode")->isCheckable());
        QVERIFY(child<QAction>(w, "actionAdminMode")->isCheckable());
    }

    void shortcuts()
    {
        MainWindow w(qApp, &prompts, quiet);
        const struct {
            const char *action;
            const char *keys;
            Qt::ShortcutContext context;
        } actions[] = {
            {"actionLoadFromDb", "Ctrl+O", Qt::ApplicationShortcut},
            {"actionSaveToCurrent", "Ctrl+S", Qt::ApplicationShortcut},
            {"actionSaveToDb", "Ctrl+Shift+S", Qt::ApplicationShortcut},
            {"actionMemory", "Ctrl+M", Qt::ApplicationShortcut},
            {"actionHelp", "F1", Qt::WindowShortcut},
        };
        for (const auto &e : actions) {
            QAction *a = child<QAction>(w, e.action);
            QCOMPARE(a->shortcut(), QKeySequence(e.keys));
            QCOMPARE(a->shortcutContext(), e.context);
        }

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QHash<QKeySequence, QShortcut *> byKey;
        for (QShortcut *s : w.findChildren<QShortcut *>())
            byKey.insert(s->key(), s);
        for (const char *keys : {"Ctrl+N", "Ctrl+E", "Ctrl+D", "Ctrl+I", "Ctrl+B"}) {
            const QKeySequence seq(keys);
            QShortcut *s = byKey.value(seq);
            QVERIFY2(s, keys);
            QCOMPARE(s->context(), Qt::WindowShortcut);
            // Edit, delete and block wait for a row; here only their keys are tested.
            s->setEnabled(true);
            QSignalSpy fired(s, &QShortcut::activated);
            QTest::keySequence(&w, seq);
            QCOMPARE(fired.count(), 1);
        }
    }

    void hiddenControlsAndIcons()
    {
        MainWindow w(qApp, &prompts, quiet);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const char *name : {"pushButton_Log", "pushButton_applyProperties",
                                 "pushButton_restoreProperties", "textEdit_Log"})
            QVERIFY2(child<QWidget>(w, name)->isHidden(), name);
        for (const char *name :
             {"pushButton_addDev", "pushButton_findDev", "pushButton_loadProperties",
              "pushButton_saveProperties", "pushButton_defProperties", "label_modemSearch"})
            QVERIFY2(!child<QWidget>(w, name)->isHidden(), name);
        for (const char *name : {"pushButton_activeDev", "pushButton_addDev", "pushButton_delDev",
                                 "pushButton_editDev", "pushButton_findDev"})
            QVERIFY2(!child<QPushButton>(w, name)->icon().isNull(), name);
        QMovie *movie = child<QLabel>(w, "label_modemSearchIco")->movie();
        QVERIFY(movie && movie->isValid());
        QCOMPARE(movie->state(), QMovie::Running);
        // With one tab left visible, no tab bar is drawn.
        QTabWidget *tabs = child<QTabWidget>(w, "tabWidget");
        QVERIFY(tabs->tabBar()->height() > 0);
        tabs->setTabVisible(tabs->indexOf(child<QWidget>(w, "tab_properties")), false);
        QTRY_COMPARE(tabs->tabBar()->height(), 0);
    }

    void resizeStillLaysOutTheWindow()
    {
        // The table-resize filter swallows the window's resize events.
        MainWindow w(qApp, &prompts, quiet);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(1300, 900);
        QTRY_VERIFY(w.centralWidget()->width() > 1200);
        QTRY_VERIFY(child<QWidget>(w, "tabWidget")->height() > 750);
    }

    void portSearchStartsOnFirstShowOnly()
    {
        MainWindow w(qApp, &prompts, quiet);
        QSignalSpy search(&w, &MainWindow::signal_start_autoconnect);
        QCoreApplication::processEvents();
        QCOMPARE(search.count(), 0);
        w.show();
        QCOMPARE(search.count(), 1);
        w.hide();
        w.show();
        QCoreApplication::processEvents();
        QCOMPARE(search.count(), 1);
    }

    void nothingNeedingTheModemBeforeAConnection()
    {
        MainWindow w(qApp, &prompts, quiet);
        QVERIFY(!w.modem().connected());
        QCOMPARE(w.modem().protectionMode(), PROTECTION_LOCKED);
        for (const char *menu : {"menuSystem", "menuWorkMode", "menuExtend"}) {
            QVERIFY2(!child<QMenu>(w, menu)->isEnabled(), menu);
            QVERIFY2(!child<QMenu>(w, menu)->menuAction()->isEnabled(), menu);
        }
        for (const char *button : {"pushButton_addDev", "pushButton_delDev", "pushButton_editDev",
                                   "pushButton_activeDev", "pushButton_findDev"})
            QVERIFY2(!child<QWidget>(w, button)->isEnabled(), button);
    }

    void enablingRules_data()
    {
        QTest::addColumn<bool>("C");
        QTest::addColumn<int>("protection");
        QTest::addColumn<bool>("S");
        QTest::addColumn<bool>("A");
        const char *names[] = {"off", "locked", "unlocked"};
        for (bool C : {false, true})
            for (int p : {PROTECTION_OFF, PROTECTION_LOCKED, PROTECTION_UNLOCKED})
                for (bool S : {false, true})
                    for (bool A : {false, true})
                        QTest::addRow("C%d %s S%d A%d", C, names[p], S, A) << C << p << S << A;
    }

    void enablingRules()
    {
        QFETCH(bool, C);
        QFETCH(int, protection);
        QFETCH(bool, S);
        QFETCH(bool, A);
        const bool R = protection == PROTECTION_LOCKED;
        const bool P = protection != PROTECTION_OFF;

        MainWindow w(qApp, &prompts, quiet);
        w.modem().setConnected(C);
        w.modem().setProtectionMode(MODEM_PROTECTION_T(protection));
        w.execDevice().setRemoteMode(A);
        w.remotes().setRemotes({QControlDevice(nullptr, 7, 1, "Семь")});
        w.remotes().set_data_source(S ? SOURCE_MODEM : SOURCE_UNKNOWN);
        auto *table = child<QTableView>(w, "tablePults");
        tableview::setCurrentCell(table, 0, 0);
        w.updateControlsEnabled();

        const QList<QPair<QStringList, bool>> rules = {
            {{"menuSystem", "menuExtend", "pushButton_findDev", "pushButton_loadProperties"}, C},
            {{"menuWorkMode"}, C && P},
            {{"pushButton_addDev", "pushButton_delDev", "pushButton_editDev"}, S && !R && C},
            {{"pushButton_activeDev"}, S && C},
            {{"actionGetFromDevice", "actionSaveToDevice"}, !R && !A},
            {{"actionSaveToModem", "actionUpdateDevice", "actionUpdateModem", "actionUpdateDevice2",
              "actionUpdateModem2", "menuRemoteMode", "actionClearmemory", "actionRemoteMode",
              "tableProperties"},
             !R},
            {{"actionRemoteUploadTable", "pushButton_saveProperties", "pushButton_applyProperties"},
             C && !R},
            {{"actionClearPassword", "actionForgetPassword"}, P},
            {{"actionSetPassword"}, true},
            {{"pushButton_defProperties", "pushButton_restoreProperties"}, C && !R && !A},
        };
        for (const auto &rule : rules) {
            for (const QString &name : rule.first) {
                bool enabled;
                // Whatever is off says why, in its tooltip and for the status bar.
                QString tip, statusTip;
                if (auto *menu = w.findChild<QMenu *>(name)) {
                    enabled = menu->isEnabled();
                    // A hidden menu-bar entry reads as disabled whatever the menu says.
                    if (menu->menuAction()->isVisible())
                        QVERIFY2(menu->menuAction()->isEnabled() == enabled, qPrintable(name));
                    tip = statusTip = menu->menuAction()->statusTip();
                } else if (auto *action = w.findChild<QAction *>(name)) {
                    enabled = action->isEnabled();
                    // An action without a tooltip of its own answers with its text.
                    tip = enabled ? QString() : action->toolTip();
                    statusTip = action->statusTip();
                } else {
                    auto *widget = child<QWidget>(w, qPrintable(name));
                    enabled = widget->isEnabled();
                    tip = widget->toolTip();
                    statusTip = widget->statusTip();
                }
                QVERIFY2(enabled == rule.second, qPrintable(name));
                QVERIFY2(tip.isEmpty() == enabled && statusTip == tip, qPrintable(name + tip));
            }
        }
        // The first unmet need is named: no stick, then access, then where the table is from.
        const QString addWhy = child<QWidget>(w, "pushButton_addDev")->toolTip();
        if (!C)
            QVERIFY2(addWhy.contains("Нет связи с USB-stick"), qPrintable(addWhy));
        else if (R)
            QCOMPARE(addWhy, QString("Нужен доступ администратора: выберите «Параметры» → "
                                     "«Режим работы» → «Администратор» и введите пароль"));
        else if (!S)
            QVERIFY2(addWhy.contains("«Система контроля» → «Загрузить из USB-stick»"),
                     qPrintable(addWhy));
        if (A && !R)
            QVERIFY(child<QAction>(w, "actionSaveToDevice")->statusTip().contains("автономном"));
        // Without a row, nothing to edit, delete or block, by button or by key.
        tableview::setCurrentCell(table, -1, -1);
        for (const char *name : {"delDev", "editDev", "activeDev"}) {
            QVERIFY2(!child<QPushButton>(w, qPrintable(QString("pushButton_") + name))->isEnabled(),
                     name);
            QVERIFY2(!child<QShortcut>(w, qPrintable(QString("shortcut_") + name))->isEnabled(),
                     name);
        }
    }

    void closingWhileAnOperationRunsIsRefusedWithAWord()
    {
        MainWindow w(qApp, &prompts, quiet);
        w.show();
        QOperation *running = w.session().begin("x", false);
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(w.statusBar()->currentMessage(),
                 QString("Программу нельзя закрыть, пока идёт операция: дождитесь её окончания"));
        w.session().complete(running, true);
        QVERIFY(prompts.done());
    }

    void rulesFollowEachTrigger()
    {
        MainWindow w(qApp, &prompts, quiet);
        auto enabled = [&](const char *name) { return child<QAction>(w, name)->isEnabled(); };

        // A new link locks access until the modem is asked.
        w.modem().setProtectionMode(PROTECTION_OFF);
        w.updateControlsEnabled();
        QVERIFY(enabled("actionSaveToModem"));
        w.session().set_interface_status(true);
        QCOMPARE(w.modem().protectionMode(), PROTECTION_LOCKED);
        QVERIFY(!enabled("actionSaveToModem"));

        w.modem().setConnected(true);
        w.modem().setProtectionMode(PROTECTION_UNLOCKED);
        w.updateControlsEnabled();
        QVERIFY(!child<QWidget>(w, "pushButton_addDev")->isEnabled());
        w.remotes().set_data_source(SOURCE_MODEM);
        QVERIFY(child<QWidget>(w, "pushButton_addDev")->isEnabled());

        QVERIFY(enabled("actionSaveToDevice"));
        child<QAction>(w, "actionRemoteMode")->trigger();
        QVERIFY(w.execDevice().remoteMode());
        QVERIFY(!enabled("actionSaveToDevice"));
        child<QAction>(w, "actionRemoteMode")->trigger();
        QVERIFY(enabled("actionSaveToDevice"));

        // A lost port clears the connection as well.
        w.session().set_interface_status(false);
        QVERIFY(!w.modem().connected());
        QVERIFY(!child<QMenu>(w, "menuSystem")->isEnabled());
        QVERIFY(!child<QWidget>(w, "pushButton_addDev")->isEnabled());

        // While an operation runs, what is off says to wait for it, and no longer after.
        auto addWhy = [&] { return child<QWidget>(w, "pushButton_addDev")->toolTip(); };
        QOperation *running = w.session().begin("Чтение пультов с USB-stick...", false);
        QVERIFY2(addWhy().contains("Чтение пультов с USB-stick..."), qPrintable(addWhy()));
        w.session().complete(running, true);
        QVERIFY2(addWhy().contains("Нет связи"), qPrintable(addWhy()));
    }

    // A disabled menu entry under the mouse says why in the status bar, and the message
    // goes when the mouse moves on; one shown meanwhile by someone else stays.
    void disabledMenuEntryExplainsItselfOnHover()
    {
        QMainWindow window;
        auto *bar = new QStatusBar;
        window.setStatusBar(bar);
        QMenu menu;
        QAction *on = menu.addAction("Открыть");
        QAction *off = menu.addAction("Записать");
        disabledhints::apply(off, "Нет связи");
        QVERIFY(!off->isEnabled());
        QCOMPARE(off->toolTip(), QString("Нет связи"));
        DisabledActionHints hints(bar);
        hints.watch(&menu);
        menu.popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        auto hover = [&](QAction *a) {
            QTest::mouseMove(&menu, menu.actionGeometry(a).center());
            QApplication::processEvents();
        };
        hover(off);
        QCOMPARE(bar->currentMessage(), QString("Нет связи"));
        hover(on);
        QCOMPARE(bar->currentMessage(), QString());
        hover(off);
        bar->showMessage("Пароль установлен");
        hover(on);
        QCOMPARE(bar->currentMessage(), QString("Пароль установлен"));
        disabledhints::apply(off, QString());
        QVERIFY(off->isEnabled());
        QVERIFY(off->statusTip().isEmpty());
        menu.close();
    }

    void terminationSignalClosesWithoutQuestion()
    {
        SignalWatcher watcher;
        QVERIFY(watcher.isActive());
        // A signal while the window is still being built (event loops run then) is
        // kept until the watcher is started, never emitted to nobody.
        ::raise(SIGTERM);
        QCoreApplication::processEvents();
        MainWindow w(qApp, &prompts, quiet);
        connect(&watcher, &SignalWatcher::terminationRequested, &w,
                &MainWindow::closeWithoutConfirmation);
        QSignalSpy requested(&watcher, &SignalWatcher::terminationRequested);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(requested.isEmpty());
        watcher.start();
        QVERIFY(requested.wait(10000));
        QCOMPARE(requested.first().first().toInt(), SIGTERM);
        QTRY_VERIFY(!w.isVisible());
        // No exit question was asked (cleanup checks the prompts).
        QVERIFY(prompts.calls().isEmpty());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
