// Version files as the update server sends them, and the changes dialog that shows
// what a newer version brings.
#include "qupdatechangesdialog.h"
#include "qupdatemanager.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

namespace
{
const QByteArray FIRMWARE_FILE = "2.4\n"
                                 "+ first remote table\n"
                                 "2.5\n"
                                 "! lost answers\n"
                                 "2.6\n"
                                 "+ long records\n"
                                 "* faster search\n";

QStringList parse(const QByteArray &file, const QString &shortKey, const QString &fullKey,
                  bool *newer)
{
    QStringList changes;
    *newer = QUpdateManager::parseVersionFile(QUpdateManager::splitLines(file), shortKey, fullKey,
                                              &changes);
    return changes;
}
} // namespace

class tst_update_versions : public QObject
{
    Q_OBJECT

private slots:
    void versionFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("shortKey");
        QTest::addColumn<QString>("fullKey");
        QTest::addColumn<QStringList>("changes"); // empty: no update

        const QStringList from26 = {"<b>Версия 2.6</b><br>", "+ long records<br>",
                                    "* faster search<br>"};
        QTest::newRow("2.5 to 2.6") << FIRMWARE_FILE << "2.5"
                                    << "2.5" << from26;
        QTest::newRow("2.6 missing") << QByteArray(FIRMWARE_FILE).replace("2.6\n", "") << "2.5"
                                     << "2.5" << QStringList();
        QTest::newRow("2.6 installed") << FIRMWARE_FILE << "2.6"
                                       << "2.6" << QStringList();
        QTest::newRow("installed version not listed") << FIRMWARE_FILE << "1.9"
                                                      << "1.9" << QStringList();
        QTest::newRow("2.50 counts as 2.5")
            << QByteArray("2.4\n2.50\n+ x\n2.51\n- y\n") << "2.5"
            << "2.5" << QStringList{"<b>Версия 2.51</b><br>", "- y<br>"};
        QTest::newRow("program 0.40e after 0.40d")
            << QByteArray("0.39\n+ a\n0.40d\n! b\n0.41\n+ c\n") << "0.40"
            << "0.40e" << QStringList{"<b>Версия 0.41</b><br>", "+ c<br>"};
        QTest::newRow("program 0.40e listed itself")
            << QByteArray("0.40d\n! b\n0.40e\n+ e\n0.41\n+ c\n") << "0.40"
            << "0.40e" << QStringList{"<b>Версия 0.41</b><br>", "+ c<br>"};
        QTest::newRow("the last of several short-key lines")
            << QByteArray("0.40a\n0.41\n+ c\n0.40b\n+ d\n0.42\n") << "0.40"
            << "0.40e" << QStringList{"<b>Версия 0.42</b><br>"};
        // A NUL ends its line: "2.6" is still a version line, the rest of it is gone.
        QTest::newRow("NUL in lines")
            << QByteArrayLiteral("2.5\n2.6\0hidden\n+ shown\0hidden\n") << "2.5"
            << "2.5" << QStringList{"<b>Версия 2.6</b><br>", "+ shown<br>"};
        QTest::newRow("NUL in the installed line") << QByteArrayLiteral("2.\0"
                                                                        "5\n2.6\n")
                                                   << "2.5"
                                                   << "2.5" << QStringList();
        // Shorter than the key: never the installed line, still a change line.
        QTest::newRow("short lines") << QByteArray("2\n2.\n2.5\n+\n3\n") << "2.5"
                                     << "2.5" << QStringList{"<b>Версия 3</b><br>"};
        QTest::newRow("short lines before") << QByteArray("2\n2.\n+\n") << "2.5"
                                            << "2.5" << QStringList();
        QTest::newRow("CRLF and no end at the end")
            << QByteArray("2.5\r\n2.6\r\n* x") << "2.5"
            << "2.5" << QStringList{"<b>Версия 2.6</b><br>", "* x<br>"};
        QTest::newRow("empty file") << QByteArray() << "2.5"
                                    << "2.5" << QStringList();
        QTest::newRow("UTF-8 text")
            << QByteArray("1.0\n1.1\n+ Пульты с именами\n") << "1.0"
            << "1.0" << QStringList{"<b>Версия 1.1</b><br>", "+ Пульты с именами<br>"};
    }

    void versionFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, shortKey);
        QFETCH(QString, fullKey);
        QFETCH(QStringList, changes);
        bool newer = false;
        QCOMPARE(parse(file, shortKey, fullKey, &newer), changes);
        QCOMPARE(newer, !changes.isEmpty());
    }

    void changesDialog()
    {
        bool newer = false;
        QStringList changes = parse(FIRMWARE_FILE, "2.5", "2.5", &newer);
        changes << "! fixed<br>"
                << "- removed<br>"
                << "? other<br>"
                << "plain line<br>";
        QUpdateChangesDialog dialog(nullptr, "Изменения:<br>", changes);
        const QList<QLabel *> labels = dialog.findChildren<QLabel *>();
        QStringList texts;
        for (QLabel *l : labels)
            texts << l->text();
        QVERIFY(texts.contains("<h3>Изменения:<br></h3>"));
        QVERIFY(texts.contains("<h4>Установить обновление программного обеспечения из "
                               "интернета?</h4>"));
        QTextEdit *view = dialog.textView();
        QVERIFY(view->isReadOnly());
        QCOMPARE(view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

        // Each heading in its colour, the mark gone, the rest of the line as it was.
        QCOMPARE(view->toPlainText(), QString("Версия 2.6\nДобавлено: long records\n"
                                              "Изменено: faster search\nИсправлено: fixed\n"
                                              "Удалено: removed\nПрочее: other\nplain line\n"));
        const QList<QPair<QString, QColor>> headings = {
            {"Добавлено:", QColor("green")},       {"Изменено:", QColor("blue")},
            {"Исправлено:", QColor("darkorange")}, {"Удалено:", QColor("red")},
            {"Прочее:", QColor("darkmagenta")},
        };
        for (const auto &[heading, colour] : headings) {
            QTextCursor at = view->document()->find(heading);
            QVERIFY2(!at.isNull(), qPrintable(heading));
            QCOMPARE(at.charFormat().foreground().color(), colour);
            // The text after the heading is in the view's own colour.
            QTextCursor rest(view->document());
            rest.setPosition(at.selectionEnd() + 2);
            QVERIFY2(rest.charFormat().foreground().color() != colour, qPrintable(heading));
        }
        QTextCursor version = view->document()->find("Версия 2.6");
        QCOMPARE(version.charFormat().fontWeight(), int(QFont::Bold));

        QCOMPARE(dialog.yesButton()->text(), QString("Да"));
        QCOMPARE(dialog.noButton()->text(), QString("Нет"));
        QTimer::singleShot(0, dialog.noButton(), &QPushButton::click);
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QTimer::singleShot(0, dialog.yesButton(), &QPushButton::click);
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(tst_update_versions)
#include "tst_update_versions.moc"
