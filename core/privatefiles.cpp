#include "privatefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

bool privatefiles::makeDirectory(const QString &path)
{
    const QString absolute = QDir(path).absolutePath();
    if (!QFileInfo(absolute).isDir()) {
        QDir().mkpath(QFileInfo(absolute).path());
        // Made with its final permissions, so it is never open to others for a moment.
        QDir().mkdir(absolute, DirectoryPermissions);
        if (!QFileInfo(absolute).isDir())
            return false;
    }
    QFile::setPermissions(absolute, DirectoryPermissions);
    return true;
}

bool privatefiles::isPrivateDirectory(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st = {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
#else
    return QFileInfo(path).isDir();
#endif
}
