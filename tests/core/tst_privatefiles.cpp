#include "privatefiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif
#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <aclapi.h>
#endif

namespace
{
#ifdef Q_OS_WIN
// Wine keeps no access lists of its own: it maps them to and from the Unix permissions,
// so nothing is inherited there.
bool onWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// The number of entries in the path's access list that let in anyone but this user and the
// system, or -1 when it cannot be read.
int othersLetIn(const QString &path)
{
    std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return -1;
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    QByteArray user(int(size), 0);
    GetTokenInformation(token, TokenUser, user.data(), size, &size);
    CloseHandle(token);
    const PSID sid = reinterpret_cast<TOKEN_USER *>(user.data())->User.Sid;
    int others = dacl ? 0 : 1; // no list at all: everyone
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        ACE_HEADER *ace = nullptr;
        GetAce(dacl, i, reinterpret_cast<void **>(&ace));
        const PSID entry = &reinterpret_cast<ACCESS_ALLOWED_ACE *>(ace)->SidStart;
        if (ace->AceType == ACCESS_ALLOWED_ACE_TYPE && !EqualSid(entry, sid) &&
            !IsWellKnownSid(entry, WinLocalSystemSid))
            ++others;
    }
    LocalFree(descriptor);
    return others;
}
#endif
} // namespace

class tst_privatefiles : public QObject
{
    Q_OBJECT
private slots:
    void madeDirectoryAndItsFilesAreTheUsersAlone()
    {
        QTemporaryDir root;
        const QString path = root.filePath("data/Vexo Electronics/VexoControlTool");
        QVERIFY(privatefiles::makeDirectory(path));
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(privatefiles::isPrivateDirectory(path));
        QFile file(path + "/backup.json");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
#ifdef Q_OS_UNIX
        struct stat st = {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0700));
#endif
#ifdef Q_OS_WIN
        QCOMPARE(othersLetIn(path), 0);
        // Inherited from the folder, as the backups and the operation log are.
        if (!onWine())
            QCOMPARE(othersLetIn(file.fileName()), 0);
#endif
    }

    void anExistingOpenDirectoryIsNarrowed()
    {
        QTemporaryDir root;
        const QString path = root.filePath("open");
        QVERIFY(QDir().mkdir(path));
        QFile::setPermissions(path, privatefiles::DirectoryPermissions | QFileDevice::ReadOther |
                                        QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                        QFileDevice::ExeGroup);
#ifdef Q_OS_WIN
        // What it inherits from a temporary folder is not the user's alone.
        QVERIFY(othersLetIn(path) != 0);
#endif
        QVERIFY(!privatefiles::isPrivateDirectory(path));
        QVERIFY(privatefiles::makeDirectory(path));
        QVERIFY(privatefiles::isPrivateDirectory(path));
    }

    void notPrivate()
    {
        QTemporaryDir root;
        QVERIFY(!privatefiles::isPrivateDirectory(root.filePath("missing")));
        QFile file(root.filePath("file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!privatefiles::isPrivateDirectory(file.fileName()));
#ifdef Q_OS_UNIX
        // A link to a private folder may be swapped for another: not taken.
        QVERIFY(privatefiles::makeDirectory(root.filePath("own")));
        QVERIFY(QFile::link(root.filePath("own"), root.filePath("link")));
        QVERIFY(!privatefiles::isPrivateDirectory(root.filePath("link")));
#endif
    }

    void freshDirectoriesAreNewAndPrivate()
    {
        QTemporaryDir root;
        const QString a = privatefiles::makeFreshDirectory(root.filePath("temp"), "vexo-setup-");
        const QString b = privatefiles::makeFreshDirectory(root.filePath("temp"), "vexo-setup-");
        QVERIFY(!a.isEmpty());
        QVERIFY(!b.isEmpty());
        QVERIFY(a != b);
        QVERIFY(QFileInfo(a).fileName().startsWith("vexo-setup-"));
        QCOMPARE(QFileInfo(a).absolutePath(), QDir(root.filePath("temp")).absolutePath());
        QVERIFY(privatefiles::isPrivateDirectory(a));
        QVERIFY(privatefiles::isPrivateDirectory(b));
        QVERIFY(QDir(a).isEmpty());
        // A parent that cannot be made gives no folder.
        QFile file(root.filePath("plain"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(privatefiles::makeFreshDirectory(file.fileName(), "x").isEmpty());
    }

    void userSid()
    {
#ifdef Q_OS_WIN
        QVERIFY2(privatefiles::userSid().startsWith("S-1-"), qPrintable(privatefiles::userSid()));
#else
        QVERIFY(privatefiles::userSid().isEmpty());
#endif
    }
};

QTEST_GUILESS_MAIN(tst_privatefiles)
#include "tst_privatefiles.moc"
