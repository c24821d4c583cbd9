#pragma once

#include <QString>

namespace vexo::emu
{

class Emulator;

// The text commands of vexo-emulator's standard input, one line each.
class ConsoleCommands
{
public:
    explicit ConsoleCommands(Emulator *emulator) : m_emulator(emulator) {}

    // Runs one line; returns what to print (may be empty). Sets *quit for "quit".
    QString execute(const QString &line, bool *quit);

    static QString help();

private:
    Emulator *m_emulator;
    int m_logShown = 0;
};

} // namespace vexo::emu
