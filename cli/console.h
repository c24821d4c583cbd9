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
} // namespace console
