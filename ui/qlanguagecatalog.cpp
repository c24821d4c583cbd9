#include "qlanguagecatalog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

QStringList QLanguageCatalog::searchDirectories(QString programDirectory)
{
    // Never the working directory: a file planted there would put its texts into every
    // question the program asks.
    if (programDirectory.isEmpty())
        programDirectory = QCoreApplication::applicationDirPath();
    return {programDirectory + "/language", dataDirectory(programDirectory) + "/language"};
}

QString QLanguageCatalog::dataDirectory()
{
    return dataDirectory(QCoreApplication::applicationDirPath());
}

QString QLanguageCatalog::dataDirectory(const QString &programDirectory)
{
    return QDir::cleanPath(programDirectory + "/../share/vexo-control-tool");
}

void QLanguageCatalog::scan(const QStringList &directories)
{
    m_directory.clear();
    m_files.clear();
    for (const QString &place : directories) {
        const QDir dir(place);
        const QFileInfoList found =
            dir.entryInfoList({QStringLiteral("lang_*.qm")}, QDir::Files, QDir::Name);
        if (found.isEmpty())
            continue;
        m_directory = dir.absolutePath();
        for (const QFileInfo &info : found) {
            QTranslator probe;
            File file;
            file.path = info.absoluteFilePath();
            file.baseName = info.completeBaseName();
            // A file that does not load still gets its entry, named after the file.
            if (probe.load(file.path))
                file.name = probe.translate("MainWindow", "Русский");
            if (file.name.isEmpty())
                file.name = file.baseName;
            m_files.append(file);
        }
        return;
    }
}

int QLanguageCatalog::indexOfName(const QString &name) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_files.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int QLanguageCatalog::indexOfBaseName(const QString &baseName) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_files.at(i).baseName == baseName)
            return i;
    }
    return -1;
}

QString QLanguageCatalog::nameForLocale(const QLocale &locale)
{
    switch (locale.language()) {
    case QLocale::Russian:
        return QStringLiteral("Русский");
    case QLocale::Polish:
        return QStringLiteral("Polski");
    case QLocale::Ukrainian:
        return QStringLiteral("Українська");
    default:
        return QStringLiteral("English");
    }
}

QString QLanguageCatalog::codeOf(const QString &baseName)
{
    return baseName.startsWith(QLatin1String("lang_")) ? baseName.mid(5) : QString();
}

QString QLanguageCatalog::toolkitFile(const QString &code) const
{
    if (code.isEmpty())
        return QString();
    if (!m_directory.isEmpty()) {
        const QString beside = m_directory + "/qt_" + code + ".qm";
        if (QFileInfo::exists(beside))
            return beside;
    }
    const QString system =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_" + code + ".qm";
    return QFileInfo::exists(system) ? system : QString();
}
