#pragma once

#include "prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Prompts for tests: answers prepared in order, every call recorded. A prompt that
// was not prepared, has another kind or title, or is answered with a button it
// does not offer is a failure: recorded, and (strict mode) fails the running test.
class ScriptedPrompts : public Prompts
{
public:
    enum Kind { Question, Warning, Information, Critical, Text, Item, OpenFile, SaveFile };

    struct Call {
        Kind kind;
        QString title;
        QString text; // message text, input label, or file filter
        Buttons buttons;
        Button defaultButton = QMessageBox::NoButton;
        QLineEdit::EchoMode echo = QLineEdit::Normal;
        QString initialText; // text input's initial text, file dialog's directory
        QStringList items;
    };

    // An empty title accepts any title.
    ScriptedPrompts &expectMessage(Kind kind, const QString &title, Button answer);
    ScriptedPrompts &expectText(const QString &title, const QString &answer);
    ScriptedPrompts &expectTextCancel(const QString &title);
    ScriptedPrompts &expectItem(const QString &title, const QString &answer);
    ScriptedPrompts &expectItemCancel(const QString &title);
    ScriptedPrompts &expectFile(Kind kind, const QString &caption, const QString &path);

    void setStrict(bool strict) { m_strict = strict; }
    // Answers a message box that the next prepared answer does not fit, instead of
    // failing: for runs whose messages depend on what goes wrong (recorded all the same).
    using Fallback = std::function<Button(const Call &call)>;
    void setFallback(const Fallback &fallback) { m_fallback = fallback; }

    const QList<Call> &calls() const { return m_calls; }
    QStringList titles() const;
    QStringList texts() const;
    const QStringList &failures() const { return m_failures; }
    int pending() const { return int(m_script.size()); }
    // Every prepared answer was used and nothing went wrong.
    bool done() const { return m_failures.isEmpty() && m_script.isEmpty(); }
    QString report() const;
    void clear();

    Button question(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                    Button defaultButton) override;
    Button warning(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                   Button defaultButton) override;
    Button information(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                       Button defaultButton) override;
    Button critical(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                    Button defaultButton) override;
    QString getText(QWidget *parent, const QString &title, const QString &label,
                    QLineEdit::EchoMode echo, const QString &text, bool *ok) override;
    QString getItem(QWidget *parent, const QString &title, const QString &label,
                    const QStringList &items, int current, bool editable, bool *ok) override;
    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;

    static QString kindName(Kind kind);

private:
    struct Answer {
        Kind kind;
        QString title;
        Button button = QMessageBox::NoButton;
        QString text;
        bool ok = true;
    };

    // Records the call and takes the next answer; false when it does not fit.
    bool take(const Call &call, Answer *answer);
    Button message(Call call);
    void fail(const QString &why);

    QList<Answer> m_script;
    Fallback m_fallback;
    QList<Call> m_calls;
    QStringList m_failures;
    bool m_strict = true;
};
