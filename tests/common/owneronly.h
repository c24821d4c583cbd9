#pragma once

#include <QFile>
#include <QString>

// No permission bit for the group or others: the file or folder is the user's alone.
inline bool ownerOnly(const QString &path)
{
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::WriteOther | QFileDevice::ExeOther;
    return QFile::exists(path) && !(QFile::permissions(path) & others);
}
