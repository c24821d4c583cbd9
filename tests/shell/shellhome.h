#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

// A home of its own for the window tests: settings and backups in a temporary
// directory, a program directory (bin/, beside share/) and a working directory with no
// translation files unless a test puts some.
class ShellHome
{
public:
    ShellHome()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath("data")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
        QDir(m_dir.path()).mkpath("work");
        QDir::setCurrent(m_dir.filePath("work"));
    }
    bool isValid() const { return m_dir.isValid(); }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

    // Nothing stored, no translation file anywhere.
    void reset()
    {
        QSettings("Vexo Electronics", "Vexo Control Tool").clear();
        for (const char *dir :
             {"work/language", "language", "bin/language", "share/vexo-control-tool/language"})
            QDir(m_dir.filePath(dir)).removeRecursively();
    }
    // The program's own directory, for ShellOptions::programDirectory.
    QString programDirectory() const { return m_dir.filePath("bin"); }

    // Copies the program's built translations into dir (created), under their own names
    // or as named.
    static bool copyLanguages(const QString &dir, const QStringList &files)
    {
        QDir().mkpath(dir);
        for (const QString &file : files) {
            const QString from = QStringLiteral(VEXO_LANGUAGE_DIR "/") + file.section('=', 0, 0);
            const QString to = dir + "/" + file.section('=', -1);
            QFile::remove(to);
            if (!QFile::copy(from, to))
                return false;
        }
        return true;
    }

private:
    QTemporaryDir m_dir;
};
