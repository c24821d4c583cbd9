#include "updatekeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QVariant>

#ifdef Q_OS_WIN
#include <QRegularExpression>
#endif

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace updatekeys
{

namespace
{
constexpr qint64 KEY_FILE_LIMIT = 4096;

void add(Loaded *loaded, const QString &text, const QString &place)
{
    const updatesignature::PublicKey key = updatesignature::parsePublicKey(text);
    if (!key.isValid()) {
        loaded->ignored << place + ": not a minisign public key";
        return;
    }
    loaded->keys << key;
}

#ifdef Q_OS_UNIX
// Whose it is and who else may write it; empty when it may be trusted.
QString unsafe(const struct stat &st, uint owner)
{
    if (st.st_uid != owner)
        return QStringLiteral("owned by uid %1, not %2").arg(st.st_uid).arg(owner);
    if (st.st_mode & (S_IWGRP | S_IWOTH))
        return QStringLiteral("writable by others (mode %1)")
            .arg(st.st_mode & 07777, 4, 8, QLatin1Char('0'));
    return QString();
}
#endif
} // namespace

Loaded fromLines(const QStringList &lines, const QString &place)
{
    Loaded loaded;
    for (const QString &line : lines) {
        // The comment line of a key file pasted whole.
        const QString text = line.trimmed();
        if (!text.isEmpty() && !text.startsWith(QLatin1String("untrusted comment:")))
            add(&loaded, text, place);
    }
    return loaded;
}

Loaded fromFolder(const QString &folder, uint owner)
{
    Loaded loaded;
#ifdef Q_OS_UNIX
    struct stat st = {};
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0)
        return loaded; // none set up: the built-in key alone
    if (!S_ISDIR(st.st_mode)) {
        loaded.ignored << folder + ": not a folder";
        return loaded;
    }
    // Whoever may write the folder may put a key file of another's in it.
    if (const QString why = unsafe(st, owner); !why.isEmpty()) {
        loaded.ignored << folder + ": " + why;
        return loaded;
    }
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*.pub")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        const QString path = folder + "/" + name;
        // Judged by what was opened, so the file cannot be swapped between check and read.
        const int fd =
            ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            loaded.ignored << path + ": " + QString::fromLocal8Bit(strerror(errno));
            continue;
        }
        QString why;
        if (::fstat(fd, &st) != 0)
            why = QString::fromLocal8Bit(strerror(errno));
        else if (!S_ISREG(st.st_mode))
            why = QStringLiteral("not a regular file");
        else
            why = unsafe(st, owner);
        QByteArray text;
        if (why.isEmpty()) {
            QFile file;
            if (file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
                text = file.read(KEY_FILE_LIMIT);
        }
        ::close(fd);
        if (!why.isEmpty()) {
            loaded.ignored << path + ": " + why;
            continue;
        }
        add(&loaded, QString::fromLatin1(text), path);
    }
#else
    Q_UNUSED(folder)
    Q_UNUSED(owner)
#endif
    return loaded;
}

Loaded systemKeys()
{
#ifdef Q_OS_WIN
    // HKEY_LOCAL_MACHINE is written by administrators only.
    const QSettings registry(QString::fromLatin1(RegistryKey), QSettings::NativeFormat);
    const QVariant value = registry.value(QString::fromLatin1(RegistryValue));
    QStringList lines;
    if (value.typeId() == QMetaType::QStringList)
        lines = value.toStringList();
    else
        lines = value.toString().split(QRegularExpression(QStringLiteral("[\\r\\n;]+")));
    return fromLines(lines, systemPlace());
#else
    return fromFolder(QString::fromLatin1(SystemFolder), 0);
#endif
}

QString systemPlace()
{
#ifdef Q_OS_WIN
    return QString::fromLatin1(RegistryKey) + "\\" + QString::fromLatin1(RegistryValue);
#else
    return QString::fromLatin1(SystemFolder);
#endif
}

} // namespace updatekeys
