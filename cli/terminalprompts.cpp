#include "terminalprompts.h"

#include "console.h"
#include "secret.h"

#include <cstdio>
#include <termios.h>
#include <unistd.h>

TerminalPrompts::~TerminalPrompts()
{
    secret::wipe(m_password);
}

void TerminalPrompts::setPassword(QString &&password)
{
    secret::wipe(m_password);
    m_password = std::move(password);
}

bool TerminalPrompts::interactive()
{
    return isatty(STDIN_FILENO);
}

bool TerminalPrompts::readLine(QString *line, bool echo)
{
    termios saved{};
    const bool hide = !echo && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (hide) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    QByteArray bytes;
    int c = 0;
    while ((c = std::getchar()) != EOF && c != '\n')
        bytes.append(char(c));
    if (hide) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        std::fputc('\n', stderr); // the Enter that was not echoed
    }
    *line = QString::fromLocal8Bit(bytes);
    return c != EOF || !bytes.isEmpty();
}

bool TerminalPrompts::ask(const QString &question)
{
    if (m_assumeYes) {
        console::err(question + QStringLiteral(" yes (--yes)"));
        return true;
    }
    if (!interactive()) {
        console::err(question + QStringLiteral(" no (nobody to ask: give --yes to agree)"));
        return false;
    }
    console::ask(question + QStringLiteral(" [y/N]"));
    QString answer;
    if (!readLine(&answer, true))
        return false;
    answer = answer.trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes") ||
           answer == QStringLiteral("д") || answer == QStringLiteral("да");
}

Prompts::Button TerminalPrompts::message(const QString &title, const QString &text, Buttons buttons,
                                         Button defaultButton)
{
    if (buttons.testFlag(QMessageBox::Yes))
        return ask(title + ": " + text)            ? QMessageBox::Yes
               : buttons.testFlag(QMessageBox::No) ? QMessageBox::No
                                                   : QMessageBox::Cancel;
    console::err(title + ": " + text);
    if (defaultButton != QMessageBox::NoButton)
        return defaultButton;
    return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Cancel;
}

Prompts::Button TerminalPrompts::question(QWidget *, const QString &title, const QString &text,
                                          Buttons buttons, Button defaultButton)
{
    return message(title, text, buttons, defaultButton);
}

Prompts::Button TerminalPrompts::warning(QWidget *, const QString &title, const QString &text,
                                         Buttons buttons, Button defaultButton)
{
    return message(title, text, buttons, defaultButton);
}

Prompts::Button TerminalPrompts::information(QWidget *, const QString &title, const QString &text,
                                             Buttons buttons, Button defaultButton)
{
    return message(title, text, buttons, defaultButton);
}

Prompts::Button TerminalPrompts::critical(QWidget *, const QString &title, const QString &text,
                                          Buttons buttons, Button defaultButton)
{
    return message(title, text, buttons, defaultButton);
}

QString TerminalPrompts::getText(QWidget *, const QString &, const QString &label,
                                 QLineEdit::EchoMode echo, const QString &text, bool *ok)
{
    const bool hidden = echo != QLineEdit::Normal;
    if (hidden && !m_password.isEmpty()) {
        if (ok)
            *ok = true;
        // Used once, by the log-in; the copy handed out is the caller's to wipe.
        QString password = secret::deepCopy(m_password);
        secret::wipe(m_password);
        m_passwordUsed = true;
        return password;
    }
    QString typed;
    bool read = false;
    if (interactive()) {
        console::ask(label + ":");
        read = readLine(&typed, !hidden);
    } else {
        console::err(label + (!hidden          ? QStringLiteral(": no terminal to ask")
                              : m_passwordUsed ? QStringLiteral(": no terminal to ask, and the "
                                                                "password file was used already")
                                               : QStringLiteral(": no terminal to ask; give "
                                                                "--password-file")));
    }
    if (ok)
        *ok = read;
    return read ? typed : (hidden ? QString() : text);
}

QString TerminalPrompts::getItem(QWidget *, const QString &, const QString &label,
                                 const QStringList &items, int current, bool, bool *ok)
{
    if (ok)
        *ok = false;
    if (!interactive() || items.isEmpty()) {
        console::err(label + QStringLiteral(": no terminal to ask"));
        return QString();
    }
    for (int i = 0; i < items.size(); ++i)
        console::err(QStringLiteral("%1) %2").arg(i + 1).arg(items.at(i)));
    console::ask(label + QStringLiteral(" [%1]:").arg(qMax(0, current) + 1));
    QString answer;
    if (!readLine(&answer, true))
        return QString();
    bool number = false;
    const int chosen = answer.trimmed().isEmpty() ? qMax(0, current) + 1 : answer.toInt(&number);
    if (chosen < 1 || chosen > items.size() || (!number && !answer.trimmed().isEmpty()))
        return QString();
    if (ok)
        *ok = true;
    return items.at(chosen - 1);
}

QString TerminalPrompts::getOpenFileName(QWidget *, const QString &, const QString &,
                                         const QString &)
{
    return m_file;
}

QString TerminalPrompts::getSaveFileName(QWidget *, const QString &, const QString &,
                                         const QString &)
{
    return m_file;
}
