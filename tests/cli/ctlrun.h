#pragma once

#include "emulator.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// vexoctl run as a shell runs it: its own data and settings under home, no display, nobody
// at standard input; on the emulator's line when one is given.
struct CtlRun {
    int exitCode = -1;
    QString out, err;
};

inline CtlRun runVexoctl(const QTemporaryDir &home, const vexo::emu::Emulator *emu,
                         const QStringList &arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(VEXOCTL, (emu ? QStringList{"--port", emu->slavePath()} : QStringList()) + arguments);
    CtlRun r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
    } else if (p.exitStatus() == QProcess::NormalExit) {
        r.exitCode = p.exitCode();
    }
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
