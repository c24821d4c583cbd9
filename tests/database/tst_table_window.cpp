// The remote table as the main window shows it: rows, colours, filter, sorting,
// row buttons, context menu, data-source label and column widths.
#include "dbwindow.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

using namespace dbwindow;

class tst_table_window : public QObject
{
    Q_OBJECT

    TestHome home;
    QTemporaryDir files;
    ScriptedPrompts prompts;

    const QList<QControlDevice> sample{
        remote(9, "Иванов", true, 5, 1), remote(10, "иваненко", false, 0, 0),
        remote(100, "Сергей Иванов", true, 255, 0), remote(7, "Петров", false, 3, 1)};

    QString sampleFile()
    {
        const QString path = files.filePath("sample.json");
        writeTable(path, sample);
        return path;
    }
    static int rowOfId(QTableView *t, int id)
    {
        return int(idColumn(t).indexOf(QString::number(id)));
    }
    // Every row shows the remote that row_to_index() maps it to.
    static void checkRowsMapToRemotes(MainWindow &w)
    {
        QTableView *t = table(w);
        for (int row = 0; row < rows(t); ++row) {
            const int index = w.remoteTable().view().row_to_index(row);
            QVERIFY2(index >= 0, qPrintable(QString::number(row)));
            const QControlDevice &d = w.remotes().remotes().at(index);
            QCOMPARE(cell(t, row, 0), QString::number(d.id()));
            QCOMPARE(cell(t, row, 1), d.ownerName());
        }
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(home.isValid());
        QVERIFY(files.isValid());
    }
    void init()
    {
        QVERIFY(home.reset());
        prompts.clear();
    }
    void cleanup() { QVERIFY2(prompts.done(), qPrintable(prompts.report())); }

    void rowsColoursAndMarks()
    {
        MainWindow w(qApp, &prompts, quietOptions());
        QTableView *t = table(w);
        QVERIFY(!t->showGrid());
        QCOMPARE(t->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(t->selectionBehavior(), QAbstractItemView::SelectRows);
        QVERIFY(!t->tabKeyNavigation());
        QCOMPARE(t->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(t->contextMenuPolicy(), Qt::CustomContextMenu);

        loadFile(w, prompts, sampleFile());
        QCOMPARE(w.remotes().remotes(), sample);
        QCOMPARE(rows(t), 4);
        QVERIFY(t->isSortingEnabled());
        QCOMPARE(rowTexts(t, rowOfId(t, 9)), (QStringList{"9", "Иванов", "Активен", "5*"}));
        QCOMPARE(rowTexts(t, rowOfId(t, 10)), (QStringList{"10", "иваненко", "Заблокирован", "0"}));
        QCOMPARE(rowTexts(t, rowOfId(t, 100)),
                 (QStringList{"100", "Сергей Иванов", "Активен", "255"}));
        QCOMPARE(rowTexts(t, rowOfId(t, 7)), (QStringList{"7", "Петров", "Заблокирован", "3*"}));
        for (int row = 0; row < rows(t); ++row) {
            const bool active =
                w.remotes().remotes().at(w.remoteTable().view().row_to_index(row)).active();
            for (int column = 0; column < 4; ++column)
                QCOMPARE(background(t, row, column), active ? QColor(0xA7E8C1) : QColor(0xF5B7B7));
        }
        checkRowsMapToRemotes(w);
        QCOMPARE(w.remoteTable().view().row_to_index(-1), -1);
        QCOMPARE(w.remoteTable().view().row_to_index(rows(t)), -1);
    }

    void paintedRows()
    {
        MainWindow w(qApp, &prompts, quietOptions());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The form's width: the offscreen screen is smaller, and the window fits itself to it.
        w.resize(1005, w.height());
        loadFile(w, prompts, sampleFile());
        QTableView *t = table(w);
        const int active = rowOfId(t, 9);
        const int blocked = rowOfId(t, 10);
        const auto pixel = [&](int row, int column, int dx, int dy) {
            const QRect r = t->visualRect(t->model()->index(row, column));
            const QImage image = t->viewport()->grab().toImage();
            const qreal ratio = image.devicePixelRatio();
            const QPoint p =
                (dx >= 0 ? r.topLeft() + QPoint(dx, 0) : r.topRight() + QPoint(dx, 0)) +
                QPoint(0, dy >= 0 ? dy : r.height() / 2);
            return QColor(image.pixel(int(p.x() * ratio), int(p.y() * ratio))).rgb();
        };
        // Inside the middle cells, away from the text: the row colour.
        QCOMPARE(pixel(active, 2, -15, -1), QColor(0xA7E8C1).rgb());
        QCOMPARE(pixel(blocked, 2, -15, -1), QColor(0xF5B7B7).rgb());
        // The double outline along the top, and the right end's upright.
        QCOMPARE(pixel(active, 1, 30, 1), QColor(127, 127, 127).rgb());
        QCOMPARE(pixel(active, 1, 30, 2), QColor(127, 127, 127).rgb());
        QCOMPARE(pixel(active, 3, -1, -1), QColor(127, 127, 127).rgb());
        QCOMPARE(pixel(active, 0, 1, -1), QColor(127, 127, 127).rgb());
        // A selected row is gray whatever its state.
        setCurrentCell(t, blocked, 0);
        QCOMPARE(pixel(blocked, 2, -15, -1), QColor(Qt::gray).rgb());
    }

    void ownerFilterIsAPrefixInEitherCase()
    {
        MainWindow w(qApp, &prompts, quietOptions());
        loadFile(w, prompts, sampleFile());
        QTableView *t = table(w);
        auto *filter = w.findChild<QLineEdit *>("lineEdit_find_owner");

        filter->setText("иВ");
        QStringList shown = idColumn(t);
        shown.sort();
        // "Сергей Иванов" holds the letters further on only.
        QCOMPARE(shown, (QStringList{"10", "9"}));
        checkRowsMapToRemotes(w);
        QCOMPARE(w.remotes().remotes(), sample);

        filter->setText("ПЕТ");
        QCOMPARE(idColumn(t), QStringList{"7"});
        QCOMPARE(w.remoteTable().view().row_to_index(0), 3);

        filter->setText("нов");
        QCOMPARE(rows(t), 0);
        filter->clear();
        QCOMPARE(rows(t), 4);
        checkRowsMapToRemotes(w);
    }

    void sortingKeepsRowsOnTheirRemotes()
    {
        MainWindow w(qApp, &prompts, quietOptions());
        loadFile(w, prompts, sampleFile());
        QTableView *t = table(w);
        // A header click: ids compare as text.
        t->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
        QCOMPARE(idColumn(t), (QStringList{"10", "100", "7", "9"}));
        checkRowsMapToRemotes(w);
        t->horizontalHeader()->setSortIndicator(1, Qt::DescendingOrder);
        QCOMPARE(cell(t, 0, 1), QStringLiteral("иваненко"));
        checkRowsMapToRemotes(w);
        // A refill keeps the chosen order.
        w.findChild<QLineEdit *>("lineEdit_find_owner")->setText("и");
        QCOMPARE(idColumn(t), (QStringList{"10", "9"}));
    }

    void rowButtonsFollowTheCurrentRow()
    {
        MainWindow w(qApp, &prompts, quietOptions());
        auto *activeButton = w.findChild<QPushButton *>("pushButton_activeDev");
        const QList<QPushButton *> rowButtons{activeButton,
                                              w.findChild<QPushButton *>("pushButton_delDev"),
                                              w.findChild<QPushButton *>("pushButton_editDev")};
        for (QPushButton *b : rowButtons)
            QVERIFY2(b->isHidden(), qPrintable(b->objectName()));
        QVERIFY(!w.findChild<QPushButton *>("pushButton_addDev")->isHidden());

        loadFile(w, prompts, sampleFile());
        QTableView *t = table(w);
        setCurrentCell(t, rowOfId(t, 9), 1);
        for (QPushButton *b : rowButtons)
            QVERIFY2(!b->isHidden(), qPrintable(b->objectName()));
        QCOMPARE(activeButton->text(), QStringLiteral("Заблокировать пульт"));
        setCurrentCell(t, rowOfId(t, 10), 0);
        QCOMPARE(activeButton->text(), QStringLiteral("Активировать пульт"));

        // A filter that keeps the current row keeps it current; one that hides it leaves
        // no row to act on.
        auto *filter = w.findChild<QLineEdit *>("lineEdit_find_owner");
        filter->setText("и");
        QCOMPARE(cell(t, t->currentIndex().row(), 0), QStringLiteral("10"));
        QVERIFY(!activeButton->isHidden());
        filter->setText("пет");
        QCOMPARE(w.remoteTable().view().currentIndex(), -1);
        for (QPushButton *b : rowButtons)
            QVERIFY2(b->isHidden(), qPrintable(b->objectName()));
        filter->clear();

        setCurrentCell(t, rowOfId(t, 9), 0);
        setCurrentCell(t, -1, -1);
        for (QPushButton *b : rowButtons)
            QVERIFY2(b->isHidden(), qPrintable(b->objectName()));
    }

    void contextMenuOnlyForTheModemTable()
    {
        MainWindow w(qApp, &prompts, quietOptions());
        QTableView *t = table(w);
        auto *menu = t->findChild<QMenu *>("tableMenu");
        QVERIFY(menu);
        const QList<QAction *> entries = menu->actions();
        QCOMPARE(entries.size(), 5);
        QVERIFY(entries.at(1)->isSeparator());
        const char *keys[] = {"Ctrl+N", "", "Ctrl+E", "Ctrl+D", "Ctrl+B"};
        for (int i : {0, 2, 3, 4}) {
            QCOMPARE(entries.at(i)->shortcut(), QKeySequence(keys[i]));
            QCOMPARE(entries.at(i)->shortcutContext(), Qt::WidgetShortcut);
            QVERIFY(!entries.at(i)->icon().isNull());
        }
        const auto popUp = [&] {
            menu->hide();
            emit t->customContextMenuRequested(QPoint(5, 5));
            return menu->isVisible();
        };
        const auto state = [&] {
            QStringList s;
            for (QAction *a : entries)
                s << (a->isSeparator() ? "-" : a->text()) + (a->isEnabled() ? "" : " (off)");
            return s;
        };

        loadFile(w, prompts, sampleFile());
        QVERIFY(!popUp()); // a file, no modem
        w.modem().setConnected(true);
        QVERIFY(!popUp()); // a file that is not the modem's table
        w.remotes().set_data_source(SOURCE_MODEM);

        w.modem().setProtectionMode(PROTECTION_OFF);
        w.updateControlsEnabled();
        setCurrentCell(t, -1, -1);
        QVERIFY(popUp());
        QCOMPARE(state(), (QStringList{"Добавить пульт", "-", "Редактировать пульт (off)",
                                       "Удалить пульт (off)", "Активировать пульт (off)"}));
        setCurrentCell(t, rowOfId(t, 100), 0);
        QVERIFY(popUp());
        QCOMPARE(state(), (QStringList{"Добавить пульт", "-", "Редактировать пульт",
                                       "Удалить пульт", "Заблокировать пульт"}));
        setCurrentCell(t, rowOfId(t, 7), 0);
        QVERIFY(popUp());
        QCOMPARE(entries.at(4)->text(), QStringLiteral("Активировать пульт"));
        // In user access the entries are off with their buttons, and say why.
        w.modem().setProtectionMode(PROTECTION_LOCKED);
        w.updateControlsEnabled();
        QVERIFY(popUp());
        QCOMPARE(state(), (QStringList{"Добавить пульт (off)", "-", "Редактировать пульт (off)",
                                       "Удалить пульт (off)", "Активировать пульт"}));
        QVERIFY2(entries.at(3)->toolTip().startsWith("Нужен доступ администратора"),
                 qPrintable(entries.at(3)->toolTip()));
        QCOMPARE(entries.at(3)->statusTip(), entries.at(3)->toolTip());

        w.session().set_interface_status(false);
        QVERIFY(!popUp());
        menu->hide();
    }

    void dataSourceFollowsTheModemTable()
    {
        const QControlDevice a = remote(1, "Анна"), b = remote(2, "Борис", false, 4, 1),
                             c = remote(3, "Вера", true, 7);
        const QString same = files.filePath("same.json"), reordered = files.filePath("re.json"),
                      extra = files.filePath("extra.json"), fewer = files.filePath("fewer.json"),
                      changed = files.filePath("changed.json");
        writeTable(same, {a, b, c});
        writeTable(reordered, {c, a, b});
        writeTable(extra, {a, b, c, remote(4, "Глеб")});
        writeTable(fewer, {a, b});
        writeTable(changed, {a, b, remote(3, "вера", true, 7)});

        MainWindow w(qApp, &prompts, quietOptions());
        w.modem().setProtectionMode(PROTECTION_OFF);
        auto *addButton = w.findChild<QPushButton *>("pushButton_addDev");
        QCOMPARE(label(w), QStringLiteral("<h3>Неизвестный источник данных</h3>"));

        loadFile(w, prompts, same);
        QCOMPARE(w.remotes().source(), SOURCE_FILE);
        QCOMPARE(label(w), "<h3>Источник данных - файл " + same + "</h3>");
        // No modem: its table matches nothing, and the label says the stick is gone.
        w.remotes().set_data_source(SOURCE_MODEM);
        QCOMPARE(w.remoteTable().list().modemSnapshot(), w.remotes().remotes());
        QVERIFY(!w.remotes().modem_matches_file());
        QCOMPARE(label(w), "<h3>Источник данных - отключенный USB-stick(Несохраненные изменения "
                           "для файла " +
                               same + ")</h3>");

        w.modem().setConnected(true);
        w.remotes().set_data_source(SOURCE_MODEM);
        QVERIFY(w.remotes().modem_matches_file());
        QCOMPARE(label(w), "<h3>Источник данных - USB-stick(Актуальный файл " + same + ")</h3>");
        QVERIFY(addButton->isEnabled());

        // A file in another order is still the modem's table.
        loadFile(w, prompts, reordered);
        QCOMPARE(w.remotes().source(), SOURCE_MODEM);
        QCOMPARE(label(w),
                 "<h3>Источник данных - USB-stick(актуальный файл " + reordered + ")</h3>");
        QVERIFY(addButton->isEnabled());

        for (const QString &path : {extra, fewer, changed}) {
            loadFile(w, prompts, path);
            QCOMPARE(w.remotes().source(), SOURCE_FILE);
            QVERIFY(!w.remotes().modem_matches_file());
            QCOMPARE(label(w), "<h3>Источник данных - файл " + path + "</h3>");
            QVERIFY(!addButton->isEnabled());
        }
        QCOMPARE(w.remoteTable().list().modemSnapshot(), (QList<QControlDevice>{a, b, c}));

        w.remotes().set_data_source(SOURCE_BACKUP);
        QCOMPARE(label(w), QStringLiteral("<h3>Источник данных - резервная копия </h3>"));
        loadFile(w, prompts, reordered);
        w.remotes().set_data_source(SOURCE_BACKUP);
        QCOMPARE(w.remotes().source(), SOURCE_MODEM);
        QCOMPARE(label(w), QStringLiteral(
                               "<h3>Источник данных - USB-stick(актуальная резервная копия)</h3>"));

        // A change keeps the kind and rebuilds the label.
        QVERIFY(w.remotes().isDatabaseSaved());
        w.remotes().need_saving();
        QVERIFY(!w.remotes().isDatabaseSaved());
        QCOMPARE(w.remotes().source(), SOURCE_MODEM);
        QCOMPARE(label(w),
                 "<h3>Источник данных - USB-stick(Актуальный файл " + reordered + ")</h3>");

        // Without a file name the modem stands alone.
        prompts.expectFile(ScriptedPrompts::SaveFile, "Выбор файла json", QString());
        w.remoteTable().files().save_db_to_new_file();
        w.remotes().set_data_source(SOURCE_MODEM);
        QCOMPARE(label(w), QStringLiteral("<h3>Источник данных - USB-stick</h3>"));
        w.remotes().set_data_source(SOURCE_UNKNOWN);
        QCOMPARE(label(w), QStringLiteral("<h3>Неизвестный источник данных</h3>"));
        QVERIFY(!addButton->isEnabled());
    }

    void fileNameIsShownAsText()
    {
        MainWindow w(qApp, &prompts, quietOptions());
        const QString path = files.filePath("<b>a&b.json");
        writeTable(path, sample);
        loadFile(w, prompts, path);
        QCOMPARE(label(w), "<h3>Источник данных - файл " + path.toHtmlEscaped() + "</h3>");
    }

    void columnWidthsFollowTheTable()
    {
        MainWindow w(qApp, &prompts, quietOptions());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTableView *t = table(w);
        const auto widthsMatch = [t] {
            const int v = t->viewport()->width();
            return t->columnWidth(0) == int(v * 0.15) && t->columnWidth(1) == int(v * 0.55) &&
                   t->columnWidth(2) == int(v * 0.2) && t->columnWidth(3) == int(v * 0.1);
        };
        QTRY_VERIFY(widthsMatch());
        const int before = t->viewport()->width();
        w.resize(w.width() + 200, w.height());
        QTRY_VERIFY(t->viewport()->width() > before);
        QTRY_VERIFY(widthsMatch());

        // Switching tabs recomputes even when no width changed (both tabs laid out first).
        auto *tabs = w.findChild<QTabWidget *>("tabWidget");
        tabs->setCurrentIndex(1);
        tabs->setCurrentIndex(0);
        QCoreApplication::processEvents();
        t->setColumnWidth(0, 3);
        tabs->setCurrentIndex(1);
        QVERIFY(widthsMatch());
    }
};

QTEST_MAIN(tst_table_window)
#include "tst_table_window.moc"
