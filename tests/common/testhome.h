#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

// Settings and data in a temporary directory, never the user's. reset() gives a test
// function a first run of its own, whatever ran before it.
class TestHome
{
public:
    TestHome()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath("data")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
    }
    bool isValid() const { return m_dir.isValid(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // No settings and no data folder (backups, log), as on a first run.
    bool reset()
    {
        QSettings("Vexo Electronics", "Vexo Control Tool").clear();
        return QDir(m_dir.filePath("data")).removeRecursively();
    }

private:
    QTemporaryDir m_dir;
};
