#pragma once

#include "updatesignature.h"

#include <QList>
#include <QString>
#include <QStringList>

// Keys trusted besides the one built in (a company's own server, a key being rotated in):
// only from a place that only an administrator can write. A key in the user's settings
// would let any program running as the user, or a settings file passed on, replace what
// gets flashed or run.
namespace updatekeys
{

struct Loaded {
    QList<updatesignature::PublicKey> keys;
    // One line for each file or place passed over, and why.
    QStringList ignored;
};

// Linux: minisign public key files *.pub in this folder.
inline constexpr char SystemFolder[] = "/etc/vexo-control-tool/update-keys";
// Windows: a value under HKEY_LOCAL_MACHINE, one key line each (a list, or lines).
inline constexpr char RegistryKey[] = "HKEY_LOCAL_MACHINE\\Software\\Vexo Electronics\\Vexo "
                                      "Control Tool";
inline constexpr char RegistryValue[] = "update_public_keys";

// The keys of folder's *.pub files that owner owns and that nobody else may write, in a
// folder that is the same; the others are listed as ignored. Unix only.
Loaded fromFolder(const QString &folder, uint owner);
// The base64 key lines of text, or whole key files, one after another.
Loaded fromLines(const QStringList &lines, const QString &place);
// The administrator's keys of this system: SystemFolder owned by root, or the registry.
Loaded systemKeys();
// Where systemKeys() looks, as the user is told.
QString systemPlace();

} // namespace updatekeys
