#include "scriptedprompts.h"

#include <QTest>

QString ScriptedPrompts::kindName(Kind kind)
{
    switch (kind) {
    case Question:
        return "question";
    case Warning:
        return "warning";
    case Information:
        return "information";
    case Critical:
        return "critical";
    case Text:
        return "text input";
    case Item:
        return "item choice";
    case OpenFile:
        return "open-file dialog";
    case SaveFile:
        return "save-file dialog";
    }
    return "?";
}

ScriptedPrompts &ScriptedPrompts::expectMessage(Kind kind, const QString &title, Button answer)
{
    m_script.append({kind, title, answer, QString(), true});
    return *this;
}

ScriptedPrompts &ScriptedPrompts::expectText(const QString &title, const QString &answer)
{
    m_script.append({Text, title, QMessageBox::NoButton, answer, true});
    return *this;
}

ScriptedPrompts &ScriptedPrompts::expectTextCancel(const QString &title)
{
    m_script.append({Text, title, QMessageBox::NoButton, QString(), false});
    return *this;
}

ScriptedPrompts &ScriptedPrompts::expectItem(const QString &title, const QString &answer)
{
    m_script.append({Item, title, QMessageBox::NoButton, answer, true});
    return *this;
}

ScriptedPrompts &ScriptedPrompts::expectItemCancel(const QString &title)
{
    m_script.append({Item, title, QMessageBox::NoButton, QString(), false});
    return *this;
}

ScriptedPrompts &ScriptedPrompts::expectFile(Kind kind, const QString &caption, const QString &path)
{
    m_script.append({kind, caption, QMessageBox::NoButton, path, true});
    return *this;
}

QStringList ScriptedPrompts::titles() const
{
    QStringList result;
    for (const Call &call : m_calls)
        result << call.title;
    return result;
}

QStringList ScriptedPrompts::texts() const
{
    QStringList result;
    for (const Call &call : m_calls)
        result << call.text;
    return result;
}

QString ScriptedPrompts::report() const
{
    QStringList lines = m_failures;
    if (!m_script.isEmpty())
        lines << QString("%1 prepared answer(s) not used, next: %2 \"%3\"")
                     .arg(m_script.size())
                     .arg(kindName(m_script.first().kind), m_script.first().title);
    return lines.join('\n');
}

void ScriptedPrompts::clear()
{
    m_script.clear();
    m_calls.clear();
    m_failures.clear();
}

void ScriptedPrompts::fail(const QString &why)
{
    m_failures << why;
    if (m_strict)
        QTest::qFail(why.toUtf8().constData(), __FILE__, __LINE__);
}

bool ScriptedPrompts::take(const Call &call, Answer *answer)
{
    m_calls.append(call);
    const QString seen =
        QString("%1 \"%2\" / \"%3\"").arg(kindName(call.kind), call.title, call.text);
    if (m_script.isEmpty()) {
        fail("unexpected " + seen);
        return false;
    }
    const Answer next = m_script.takeFirst();
    if (next.kind != call.kind || (!next.title.isEmpty() && next.title != call.title)) {
        fail(QString("expected %1 \"%2\", got %3").arg(kindName(next.kind), next.title, seen));
        return false;
    }
    *answer = next;
    return true;
}

ScriptedPrompts::Button ScriptedPrompts::message(Call call)
{
    if (m_fallback) {
        const bool fits =
            !m_script.isEmpty() && m_script.first().kind == call.kind &&
            (m_script.first().title.isEmpty() || m_script.first().title == call.title);
        if (!fits) {
            m_calls.append(call);
            return m_fallback(call);
        }
    }
    Answer answer;
    const bool fits = take(call, &answer);
    if (fits && call.buttons.testFlag(answer.button))
        return answer.button;
    if (fits)
        fail(QString("%1 \"%2\" does not offer the prepared button 0x%3")
                 .arg(kindName(call.kind), call.title)
                 .arg(uint(answer.button), 0, 16));
    // Refuse as a user would who closes the box.
    for (Button b : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok})
        if (call.buttons.testFlag(b))
            return b;
    return QMessageBox::NoButton;
}

ScriptedPrompts::Button ScriptedPrompts::question(QWidget *, const QString &title,
                                                  const QString &text, Buttons buttons,
                                                  Button defaultButton)
{
    return message({Question, title, text, buttons, defaultButton, QLineEdit::Normal, {}, {}});
}

ScriptedPrompts::Button ScriptedPrompts::warning(QWidget *, const QString &title,
                                                 const QString &text, Buttons buttons,
                                                 Button defaultButton)
{
    return message({Warning, title, text, buttons, defaultButton, QLineEdit::Normal, {}, {}});
}

ScriptedPrompts::Button ScriptedPrompts::information(QWidget *, const QString &title,
                                                     const QString &text, Buttons buttons,
                                                     Button defaultButton)
{
    return message({Information, title, text, buttons, defaultButton, QLineEdit::Normal, {}, {}});
}

ScriptedPrompts::Button ScriptedPrompts::critical(QWidget *, const QString &title,
                                                  const QString &text, Buttons buttons,
                                                  Button defaultButton)
{
    return message({Critical, title, text, buttons, defaultButton, QLineEdit::Normal, {}, {}});
}

QString ScriptedPrompts::getText(QWidget *, const QString &title, const QString &label,
                                 QLineEdit::EchoMode echo, const QString &text, bool *ok)
{
    Answer answer;
    const bool fits =
        take({Text, title, label, {}, QMessageBox::NoButton, echo, text, {}}, &answer);
    const bool accepted = fits && answer.ok;
    if (ok)
        *ok = accepted;
    return accepted ? answer.text : QString();
}

QString ScriptedPrompts::getItem(QWidget *, const QString &title, const QString &label,
                                 const QStringList &items, int, bool editable, bool *ok)
{
    Answer answer;
    bool fits = take({Item, title, label, {}, QMessageBox::NoButton, QLineEdit::Normal, {}, items},
                     &answer);
    if (fits && answer.ok && !editable && !items.contains(answer.text)) {
        fail(QString("item choice \"%1\" does not offer \"%2\"").arg(title, answer.text));
        fits = false;
    }
    const bool accepted = fits && answer.ok;
    if (ok)
        *ok = accepted;
    return accepted ? answer.text : QString();
}

QString ScriptedPrompts::getOpenFileName(QWidget *, const QString &caption, const QString &dir,
                                         const QString &filter)
{
    Answer answer;
    if (!take({OpenFile, caption, filter, {}, QMessageBox::NoButton, QLineEdit::Normal, dir, {}},
              &answer))
        return QString();
    return answer.text;
}

QString ScriptedPrompts::getSaveFileName(QWidget *, const QString &caption, const QString &dir,
                                         const QString &filter)
{
    Answer answer;
    if (!take({SaveFile, caption, filter, {}, QMessageBox::NoButton, QLineEdit::Normal, dir, {}},
              &answer))
        return QString();
    return answer.text;
}
