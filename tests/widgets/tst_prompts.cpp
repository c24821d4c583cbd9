#include "scriptedprompts.h"

#include <QTest>

// The scripted prompts decide whether every other UI test notices a wrong or
// missing message, so their own rules are checked here.
class TestPrompts : public QObject
{
    Q_OBJECT

private slots:
    void answersInOrderAndRecordsEveryCall()
    {
        ScriptedPrompts s;
        Prompts &p = s;
        s.expectMessage(ScriptedPrompts::Question, "Выход", QMessageBox::Yes)
            .expectText("Ввод пароля", "секрет")
            .expectFile(ScriptedPrompts::OpenFile, "Выбор файла json", "/tmp/a.json")
            .expectItem("", "b");

        QCOMPARE(p.question(nullptr, "Выход", "Вы действительно хотите выйти из программы?",
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
                 QMessageBox::Yes);
        bool ok = false;
        QCOMPARE(p.getText(nullptr, "Ввод пароля", "Введите пароль", QLineEdit::Password, "", &ok),
                 QStringLiteral("секрет"));
        QVERIFY(ok);
        QCOMPARE(p.getOpenFileName(nullptr, "Выбор файла json", "", "*.json"),
                 QStringLiteral("/tmp/a.json"));
        QCOMPARE(p.getItem(nullptr, "any title", "label", {"a", "b"}, 0, false, &ok),
                 QStringLiteral("b"));
        QVERIFY(s.done());

        QCOMPARE(s.titles(),
                 (QStringList{"Выход", "Ввод пароля", "Выбор файла json", "any title"}));
        const ScriptedPrompts::Call &q = s.calls().at(0);
        QCOMPARE(q.text, QStringLiteral("Вы действительно хотите выйти из программы?"));
        QCOMPARE(q.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(q.defaultButton, QMessageBox::No);
        QCOMPARE(s.calls().at(1).echo, QLineEdit::Password);
        QCOMPARE(s.calls().at(2).text, QStringLiteral("*.json"));
    }

    void cancelledInput()
    {
        ScriptedPrompts s;
        s.expectTextCancel("Ввод пароля");
        bool ok = true;
        QVERIFY(static_cast<Prompts &>(s)
                    .getText(nullptr, "Ввод пароля", "", QLineEdit::Password, "", &ok)
                    .isEmpty());
        QVERIFY(!ok);
        QVERIFY(s.done());
    }

    void mismatchesAreFailuresAndRefused()
    {
        ScriptedPrompts s;
        s.setStrict(false);
        Prompts &p = s;

        // Nothing prepared.
        QCOMPARE(p.warning(nullptr, "Ошибка", "Нет ответа"), QMessageBox::Ok);
        QCOMPARE(s.failures().size(), 1);
        QVERIFY(s.failures().last().contains("Ошибка"));

        // Another kind than prepared: the prepared answer is used up, the user "closes" it.
        s.expectMessage(ScriptedPrompts::Question, "", QMessageBox::Yes);
        QCOMPARE(p.information(nullptr, "Выход", "?", QMessageBox::Yes | QMessageBox::No),
                 QMessageBox::No);
        QCOMPARE(s.failures().size(), 2);

        // Another title.
        s.expectMessage(ScriptedPrompts::Warning, "Внимание", QMessageBox::Ok);
        p.warning(nullptr, "Ошибка", "x");
        QCOMPARE(s.failures().size(), 3);

        // A button the box does not offer.
        s.expectMessage(ScriptedPrompts::Question, "Выход", QMessageBox::Yes);
        QCOMPARE(p.question(nullptr, "Выход", "?",
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
                 QMessageBox::Yes);
        s.expectMessage(ScriptedPrompts::Question, "Выход", QMessageBox::Retry);
        QCOMPARE(p.question(nullptr, "Выход", "?",
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
                 QMessageBox::Cancel);
        QCOMPARE(s.failures().size(), 4);

        // An item that a fixed list does not hold.
        s.expectItem("Резервная копия", "nope");
        bool ok = true;
        QVERIFY(p.getItem(nullptr, "Резервная копия", "", {"a"}, 0, false, &ok).isEmpty());
        QVERIFY(!ok);
        QCOMPARE(s.failures().size(), 5);

        // Prepared but never asked.
        s.clear();
        s.expectMessage(ScriptedPrompts::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!s.done());
        QVERIFY(s.report().contains("not used"));
        QCOMPARE(s.calls().size(), 0);
    }
};

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
