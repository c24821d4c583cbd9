#pragma once

#include <QString>

class QModemSession;
class QOperation;

// Standard output carries the result, standard error the rest: messages, questions and
// the progress of each operation (a bar redrawn in place on a terminal, a line for each
// new step otherwise).
namespace console
{
void out(const QString &text);
// A line for people; a progress bar in its way is cleared first.
void err(const QString &text);
// Asked on standard error, without a line end.
void ask(const QString &text);
bool stderrIsTerminal();
// Shows every operation the session starts until it ends.
void watchOperations(QModemSession *session);

// For the program's run: a Windows console reads and writes UTF-8 and understands the
// bar's escape sequences, and gets its own settings back at the end.
class ConsoleSetup
{
public:
    ConsoleSetup();
    ~ConsoleSetup();
    ConsoleSetup(const ConsoleSetup &) = delete;
    ConsoleSetup &operator=(const ConsoleSetup &) = delete;

private:
    [[maybe_unused]] unsigned m_inputCodePage = 0;
    [[maybe_unused]] unsigned m_outputCodePage = 0;
};
} // namespace console
