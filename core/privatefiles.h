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
// narrowed to it when it was there before; on Windows it gets an access list of this user
// alone, which the files and folders in it inherit. False when it is not there afterwards.
bool makeDirectory(const QString &path);
// A directory of this user that nobody else may enter.
bool isPrivateDirectory(const QString &path);
// A new directory under parent, named prefix and random letters, that only this user may
// enter or write from the moment it exists; empty when none could be made.
QString makeFreshDirectory(const QString &parent, const QString &prefix);
// The user's security identifier ("S-1-5-21-..."), on Windows; empty elsewhere.
QString userSid();
} // namespace privatefiles
