#pragma once

#include <QFileDevice>
#include <QString>

// The user's own files: the data folder and what the program keeps in it (backups, the
// operation log, downloads) are for the user alone, on a machine shared with others too.
namespace privatefiles
{
inline constexpr QFileDevice::Permissions FilePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner;
inline constexpr QFileDevice::Permissions DirectoryPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// Creates the directory and any missing parents. The directory itself is made 0700, or
// narrowed to it when it was there before. False when it is not there afterwards.
bool makeDirectory(const QString &path);
// A directory of this user that nobody else may enter. Outside Unix: any directory.
bool isPrivateDirectory(const QString &path);
} // namespace privatefiles
