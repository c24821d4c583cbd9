#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// The translation files "lang_*.qm" of the first place that holds any, each with the
// name its language calls itself (its translation of "Русский" in "MainWindow").
class QLanguageCatalog
{
public:
    struct File {
        QString path;
        QString baseName; // "lang_en"
        QString name;     // "English"
    };

    // Beside the program in programDirectory (empty: the executable's), then its
    // installed data directory.
    static QStringList searchDirectories(QString programDirectory = QString());
    // The installed data directory of the program, for languages and the manual; of a
    // program in programDirectory.
    static QString dataDirectory();
    static QString dataDirectory(const QString &programDirectory);

    // Scans the places in order; the first one holding a translation file wins.
    void scan(const QStringList &directories = searchDirectories());

    QString directory() const { return m_directory; }
    const QList<File> &files() const { return m_files; }
    int count() const { return int(m_files.size()); }
    // The first file whose language name equals name ignoring case; -1 if none.
    int indexOfName(const QString &name) const;
    int indexOfBaseName(const QString &baseName) const;

    // The language name picked for a locale's language; other languages get English.
    static QString nameForLocale(const QLocale &locale);
    // "en" for "lang_en".
    static QString codeOf(const QString &baseName);
    // Qt's own translation to go with a language: "qt_" + code beside the language
    // files, else Qt's "qtbase_" + code of the system; empty when neither exists.
    QString toolkitFile(const QString &code) const;

private:
    QString m_directory;
    QList<File> m_files;
};
