#pragma once

#include "prompts.h"

// The libraries' questions and messages on a terminal, for a program without a window:
// messages go to standard error; a question is answered by --yes or asked on the
// terminal (without one the answer is no); a password comes from a file or is typed
// without echo; a file dialog takes the file named on the command line.
//
// --yes agrees to a question asked again straight away (a repeat after the stick refused)
// only AGREED_REPEATS times in a row, then says no: a stick that keeps refusing must not
// keep an unattended command going for ever.
class TerminalPrompts : public Prompts
{
public:
    static constexpr int AGREED_REPEATS = 3;

    void setAssumeYes(bool yes) { m_assumeYes = yes; }
    // Once the command is interrupted, every question is answered no.
    void declineAll() { m_declineAll = true; }
    ~TerminalPrompts() override;
    // The password given in a file; never shown, never logged, handed out once and then
    // wiped. Pass it by moving it, so that no other copy stays behind.
    void setPassword(QString &&password);
    // What the file dialogs answer.
    void setFile(const QString &name) { m_file = name; }
    // Asks for yes or no; false when nobody can answer.
    bool ask(const QString &question);
    // Whether a person can be asked on this terminal.
    static bool interactive();

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

private:
    // A message box: told, or asked when it offers a choice.
    Button message(const QString &title, const QString &text, Buttons buttons,
                   Button defaultButton);
    // One line typed on the terminal; false at its end.
    static bool readLine(QString *line, bool echo);

    bool m_assumeYes = false;
    bool m_declineAll = false;
    QString m_lastAgreed; // the question --yes agreed to last, and how many times in a row
    int m_agreedInARow = 0;
    QString m_password;
    bool m_passwordUsed = false;
    QString m_file;
};
