#include "terminalprompts.h"

#include "console.h"
#include "secret.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

namespace
{
// Turns the terminal's echo off for a password, and back on.
class EchoOff
{
public:
    explicit EchoOff(bool off)
    {
#ifdef Q_OS_WIN
        m_input = GetStdHandle(STD_INPUT_HANDLE);
        m_active = off && GetConsoleMode(m_input, &m_saved) &&
                   SetConsoleMode(m_input, m_saved & ~DWORD(ENABLE_ECHO_INPUT));
#else
        m_active = off && tcgetattr(STDIN_FILENO, &m_saved) == 0;
        if (m_active) {
            termios quiet = m_saved;
            quiet.c_lflag &= ~tcflag_t(ECHO);
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
        }
#endif
    }
    ~EchoOff()
    {
        if (!m_active)
            return;
#ifdef Q_OS_WIN
        SetConsoleMode(m_input, m_saved);
#else
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_saved);
#endif
        std::fputc('\n', stderr); // the Enter that was not echoed
    }
    EchoOff(const EchoOff &) = delete;
    EchoOff &operator=(const EchoOff &) = delete;

private:
    bool m_active = false;
#ifdef Q_OS_WIN
    HANDLE m_input = nullptr;
    DWORD m_saved = 0;
#else
    termios m_saved{};
#endif
};
} // namespace

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
#ifdef Q_OS_WIN
    return _isatty(_fileno(stdin));
#else
    return isatty(STDIN_FILENO);
#endif
}

bool TerminalPrompts::readLine(QString *line, bool echo)
{
    QByteArray bytes;
    int c = 0;
    {
        const EchoOff quiet(!echo);
        while ((c = std::getchar()) != EOF && c != '\n')
            bytes.append(char(c));
    }
    if (bytes.endsWith('\r')) // a Windows console's line end
        bytes.chop(1);
#ifdef Q_OS_WIN
    // The console was switched to UTF-8 (console::ConsoleSetup).
    *line = interactive() ? QString::fromUtf8(bytes) : QString::fromLocal8Bit(bytes);
#else
    *line = QString::fromLocal8Bit(bytes);
#endif
    return c != EOF || !bytes.isEmpty();
}

bool TerminalPrompts::ask(const QString &question)
{
    if (m_declineAll) {
        console::err(question + QStringLiteral(" no (interrupted)"));
        return false;
    }
    if (m_assumeYes) {
        m_agreedInARow = question == m_lastAgreed ? m_agreedInARow + 1 : 1;
        m_lastAgreed = question;
        if (m_agreedInARow > AGREED_REPEATS) {
            m_lastAgreed.clear();
            console::err(
                question +
                QStringLiteral(" no (--yes agreed %1 times in a row)").arg(AGREED_REPEATS));
            return false;
        }
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
