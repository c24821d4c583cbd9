#include "privatefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <memory>
#include <vector>
#endif

#ifdef Q_OS_WIN
namespace
{
// The token's user SID, in a buffer that lives as long as the returned vector.
std::vector<BYTE> tokenUser()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (!size || !GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        buffer.clear();
    CloseHandle(token);
    return buffer;
}

PSID sidOf(std::vector<BYTE> &user)
{
    return user.empty() ? nullptr : reinterpret_cast<TOKEN_USER *>(user.data())->User.Sid;
}

struct LocalFreeDeleter {
    void operator()(void *p) const { LocalFree(p); }
};

// Full control for this user alone, inherited by what the folder holds; nothing from the
// folders above.
std::unique_ptr<ACL, LocalFreeDeleter> ownerOnlyAcl(PSID user)
{
    EXPLICIT_ACCESSW access = {};
    access.grfAccessPermissions = GENERIC_ALL;
    access.grfAccessMode = SET_ACCESS;
    access.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_USER;
    access.Trustee.ptstrName = static_cast<LPWSTR>(user);
    PACL acl = nullptr;
    if (SetEntriesInAclW(1, &access, nullptr, &acl) != ERROR_SUCCESS)
        return nullptr;
    return std::unique_ptr<ACL, LocalFreeDeleter>(acl);
}

// The descriptor of a folder made for this user alone.
struct OwnerOnlyDescriptor {
    std::vector<BYTE> user = tokenUser();
    std::unique_ptr<ACL, LocalFreeDeleter> acl = sidOf(user) ? ownerOnlyAcl(sidOf(user)) : nullptr;
    SECURITY_DESCRIPTOR descriptor;

    bool make()
    {
        return acl && InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
               SetSecurityDescriptorDacl(&descriptor, TRUE, acl.get(), FALSE) &&
               SetSecurityDescriptorControl(&descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
    }
};

bool restrictToUser(const QString &path)
{
    OwnerOnlyDescriptor owner;
    if (!owner.make())
        return false;
    std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    // This call also hands the new list down to the files already there.
    if (SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT,
                              DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, owner.acl.get(), nullptr) == ERROR_SUCCESS &&
        privatefiles::isPrivateDirectory(path))
        return true;
    // Wine accepts that call and leaves the folder as it was; the folder's own descriptor
    // set directly is kept.
    return SetFileSecurityW(name.data(),
                            DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                            &owner.descriptor) &&
           privatefiles::isPrivateDirectory(path);
}

bool isSystem(PSID sid)
{
    return IsWellKnownSid(sid, WinLocalSystemSid);
}
} // namespace
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
#ifdef Q_OS_WIN
    // Qt's permissions only touch the read-only attribute there. A folder left open is
    // still better than backups not written.
    if (!restrictToUser(absolute))
        qWarning("Cannot make %s private to the user", qPrintable(absolute));
    return true;
#else
    QFile::setPermissions(absolute, DirectoryPermissions);
    return true;
#endif
}

bool privatefiles::isPrivateDirectory(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st = {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
#elif defined(Q_OS_WIN)
    if (!QFileInfo(path).isDir() || QFileInfo(path).isSymLink())
        return false;
    std::vector<BYTE> user = tokenUser();
    if (!sidOf(user))
        return false;
    std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const std::unique_ptr<void, LocalFreeDeleter> owned(descriptor);
    // No access list at all lets everyone in. Entries inherited from above count as the
    // folder's own: none may let in anyone but this user and the system, which can read
    // every file anyway.
    if (!dacl)
        return false;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        ACE_HEADER *ace = nullptr;
        if (!GetAce(dacl, i, reinterpret_cast<void **>(&ace)))
            return false;
        if (ace->AceType == ACCESS_DENIED_ACE_TYPE)
            continue;
        if (ace->AceType != ACCESS_ALLOWED_ACE_TYPE)
            return false;
        const PSID sid = &reinterpret_cast<ACCESS_ALLOWED_ACE *>(ace)->SidStart;
        if (!EqualSid(sid, sidOf(user)) && !isSystem(sid))
            return false;
    }
    return true;
#else
    return QFileInfo(path).isDir();
#endif
}

QString privatefiles::makeFreshDirectory(const QString &parent, const QString &prefix)
{
    if (!makeDirectory(parent))
        return QString();
    for (int attempt = 0; attempt < 16; ++attempt) {
        QString name = prefix;
        for (int i = 0; i < 12; ++i)
            name += QLatin1Char(char('a' + QRandomGenerator::system()->bounded(26)));
        const QString path = QDir(parent).absoluteFilePath(name);
#ifdef Q_OS_WIN
        // Created with its access list: no moment in which another user could write there.
        OwnerOnlyDescriptor owner;
        if (!owner.make())
            return QString();
        SECURITY_ATTRIBUTES attributes = {sizeof attributes, &owner.descriptor, FALSE};
        if (CreateDirectoryW(
                reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                &attributes))
            return isPrivateDirectory(path) ? path : QString();
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return QString();
#else
        // mkdir fails on a name that exists, link or not: the folder is new and ours.
        if (QDir().mkdir(path, DirectoryPermissions))
            return isPrivateDirectory(path) ? path : QString();
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
            continue;
        return QString();
#endif
    }
    return QString();
}

QString privatefiles::userSid()
{
#ifdef Q_OS_WIN
    std::vector<BYTE> user = tokenUser();
    wchar_t *text = nullptr;
    if (!sidOf(user) || !ConvertSidToStringSidW(sidOf(user), &text))
        return QString();
    const QString sid = QString::fromWCharArray(text);
    LocalFree(text);
    return sid;
#else
    return QString();
#endif
}
