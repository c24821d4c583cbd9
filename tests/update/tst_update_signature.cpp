// Signature files in the minisign format: ones the minisign tool wrote, and what must never
// pass; the keys an administrator adds. (Our own test key's files are checked through the
// update server's tests.)
#include "signingkey.h"
#include "updatekeys.h"
#include "updatesignature.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace updatesignature;
using vexo::emu::SigningKey;

namespace
{
// Written by minisign 0.11: `minisign -G -W`, then `minisign -S` (prehashed) and
// `minisign -S -l` (legacy) over "hello world\n".
const QString TOOL_KEY = "untrusted comment: minisign public key E56C692557F6FAA6\n"
                         "RWSm+vZXJWls5X9mlUJVhEwmHOrMDHVqnCJ2Fe61w1qg0uB46ER66X8f\n";
const QByteArray TOOL_HASHED =
    "untrusted comment: signature from minisign secret key\n"
    "RUSm+vZXJWls5UCFIgdV1VkGydtaGeWA3V7hCqt38R0NsJrbzvc8LhMCmbPF+MulkKZfTDpPUqkJs+/jPP5w4VC/"
    "sd1J3OEBYQI=\n"
    "trusted comment: vexo test\n"
    "sD/+CRfYcW2LAeaOYX1hAZhQ484/vt6qwkre8PR87sagQ/twmx6jJqw4xIMdJEEVTb5O4aU1peGxk/fHiU+mDQ==\n";
const QByteArray TOOL_LEGACY =
    "untrusted comment: signature from minisign secret key\n"
    "RWSm+vZXJWls5dcdVSqeCTG5HYIx+0AEmXYEaFHNUR5VFHCl8jAK+jKDvVysomygGjnDWwslCmq8QFteRyR+hxYXWfuW"
    "rkkV9gw=\n"
    "trusted comment: vexo legacy\n"
    "iI4LIc1V27XW+G0kfap2eVdqCf/5Gzfrg/21rZSrFBb2EMsCEnbnfIJfo2h93ElpmPBLq3FFlSyR4e53ISNsDw==\n";
const QByteArray DATA = "hello world\n";
// minisign 0.11 with its default trusted comment (`minisign -S -m modem_version_5813_ru.txt`
// over DATA), and with the setup's (`-t "timestamp:...<TAB>file:...<TAB>version:0.41"`
// over "setup\n").
const QString TOOL_KEY_2 = "RWRt95rs0GXffANIwMPTSUQh1fk/g02vQhFIiu2/W/N1Hqy8lJuz/u+C";
const QByteArray TOOL_DEFAULT =
    "untrusted comment: signature from minisign secret key\n"
    "RURt95rs0GXffI2eWKjRn9lUZ3iDajG5dtpsOSHLhe6SzIqvE5dqCpCHTpN0YFoVS2nvxIgW3ZX46nwJzsqIvT5ZStWp/"
    "SbPaAo=\n"
    "trusted comment: timestamp:1796849812\tfile:modem_version_5813_ru.txt\thashed\n"
    "DegdehejDfsmKU8Any5gnPUMmCly/QNjbKYSgsnIIhA9x5aQaMVP8hTsf5RmSjlCLPu2zoj0Un9rWc/E5P9ZBA==\n";
const QByteArray TOOL_SETUP =
    "untrusted comment: signature from minisign secret key\n"
    "RURt95rs0GXffMwr7v8G9/Oq0R9A3nWlDOIP6PJFUO2dNn/"
    "aulCith1ynaHM9VG+V2bDOHn91jTTbJQ+TuTO+u4BjxcUaRmR9A0=\n"
    "trusted comment: timestamp:1796849812\tfile:pc_5813_setup.deb\tversion:0.41\n"
    "Cd2R/GAr4JsO5ZZHdfoeHKt8Zdgu2qDKoE5pdgv7U7Blj2c3SY9wxT3p9w2BRKLSFiD1EJaTsO/0fNGWpx/6Dg==\n";

bool check(const QString &key, const QByteArray &signatureFile, const QByteArray &data)
{
    Signature signature;
    return parseSignature(signatureFile, &signature, nullptr) &&
           verify(parsePublicKey(key), signature, data, nullptr);
}
} // namespace

class tst_update_signature : public QObject
{
    Q_OBJECT

private slots:
    void signaturesOfTheTool()
    {
        const QByteArray file = TOOL_HASHED;
        QVERIFY(check(TOOL_KEY, file, DATA));
        QVERIFY(check(TOOL_KEY.section('\n', 1, 1), file, DATA)); // the key line alone
        QVERIFY(!check(TOOL_KEY, file, "hello world!"));
        QVERIFY(!check(SigningKey().publicKeyLine(), file, DATA));
        // The trusted comment cannot be changed: the global signature covers it.
        QByteArray recommented = file;
        recommented.replace("trusted comment: vexo", "trusted comment: evil");
        QVERIFY(!check(TOOL_KEY, recommented, DATA));
        Signature hashed;
        QVERIFY(parseSignature(TOOL_HASHED, &hashed, nullptr));
        QCOMPARE(hashed.trustedComment, QByteArray("vexo test"));

        // The legacy form is refused however good, and so is a prehashed signature
        // relabelled as legacy, which would pass for one of the file's 64-byte hash.
        Signature signature;
        QString why;
        QVERIFY(!parseSignature(TOOL_LEGACY, &signature, &why));
        QVERIFY2(why.contains("legacy"), qPrintable(why));
        QList<QByteArray> lines = TOOL_HASHED.split('\n');
        QByteArray raw = QByteArray::fromBase64(lines[1]);
        raw[1] = 'd';
        lines[1] = raw.toBase64();
        QVERIFY(!parseSignature(lines.join('\n'), &signature, nullptr));
    }

    void theCommentNamesTheFile()
    {
        // The tool's own comment: read, and bound to the file it names.
        Signature signature;
        QVERIFY(parseSignature(TOOL_DEFAULT, &signature, nullptr));
        QVERIFY(verify(parsePublicKey(TOOL_KEY_2), signature, DATA, nullptr));
        Comment comment;
        QString why;
        QVERIFY(vouchesFor(signature, "modem_version_5813_ru.txt", &comment, &why));
        QCOMPARE(comment.timestamp, 1796849812);
        QVERIFY(comment.version.isEmpty());
        QVERIFY(!vouchesFor(signature, "device_version_5813_ru.txt", &comment, &why));
        QVERIFY2(why.contains("modem_version_5813_ru.txt"), qPrintable(why));
        QVERIFY(!vouchesFor(signature, "modem_version_5813_ru.txt.bak", &comment, &why));

        QVERIFY(parseSignature(TOOL_SETUP, &signature, nullptr));
        QVERIFY(verify(parsePublicKey(TOOL_KEY_2), signature, QByteArray("setup\n"), nullptr));
        QVERIFY(vouchesFor(signature, "pc_5813_setup.deb", &comment, nullptr));
        QCOMPARE(comment.version, QString("0.41"));

        // A comment without a file or a time vouches for nothing.
        for (const QByteArray &text :
             {QByteArray("vexo test"), QByteArray("file:x.txt"), QByteArray("timestamp:12\tfile:"),
              QByteArray("timestamp:soon\tfile:x.txt"), QByteArray("timestamp:-5\tfile:x.txt"),
              QByteArray("timestamp:12 file:x.txt")}) {
            Signature s;
            s.trustedComment = text;
            QVERIFY2(!vouchesFor(s, "x.txt", &comment, &why), text.constData());
        }
    }

    void keysOnlyFromAnAdministratorsFolder()
    {
        // The registry's value: key lines, or key files pasted whole.
        const updatekeys::Loaded lines = updatekeys::fromLines(
            {"untrusted comment: minisign public key", TOOL_KEY_2, "", "RWQ-not-a-key"}, "HKLM");
        QCOMPARE(lines.keys.size(), 1);
        QCOMPARE(lines.ignored, QStringList{"HKLM: not a minisign public key"});
#ifndef Q_OS_UNIX
        QSKIP("a folder of key files is the Unix way");
#else
        QTemporaryDir home;
        const QString folder = home.filePath("update-keys");
        QVERIFY(QDir().mkdir(folder));
        const auto write = [&](const QString &name, const QString &text, int mode) {
            QFile file(folder + "/" + name);
            return file.open(QIODevice::WriteOnly) && file.write(text.toLatin1()) > 0 &&
                   ::chmod(QFile::encodeName(file.fileName()).constData(), mode_t(mode)) == 0;
        };
        const SigningKey company, groupKey, othersKey, linked;
        QVERIFY(write("company.pub",
                      "untrusted comment: minisign public key\n" + company.publicKeyLine() + "\n",
                      0644));
        QVERIFY(write("rotated.pub", TOOL_KEY, 0444));
        QVERIFY(write("group.pub", groupKey.publicKeyLine(), 0664));
        QVERIFY(write("others.pub", othersKey.publicKeyLine(), 0646));
        QVERIFY(write("broken.pub", "RWQ-not-a-key", 0644));
        QVERIFY(write("notes.txt", SigningKey().publicKeyLine(), 0644)); // not a *.pub
        QFile loose(home.filePath("loose"));
        QVERIFY(loose.open(QIODevice::WriteOnly) && loose.write(linked.publicKeyLine().toLatin1()));
        loose.close();
        QVERIFY(::chmod(QFile::encodeName(loose.fileName()).constData(), 0666) == 0);
        QVERIFY(QFile::link(loose.fileName(), folder + "/linked.pub"));
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);

        const uint me = ::getuid();
        updatekeys::Loaded loaded = updatekeys::fromFolder(folder, me);
        QCOMPARE(loaded.keys.size(), 2);
        QCOMPARE(loaded.keys[0].key, parsePublicKey(company.publicKeyLine()).key);
        QCOMPARE(loaded.keys[1].keyId, parsePublicKey(TOOL_KEY).keyId);
        QCOMPARE(loaded.ignored.size(), 4);
        for (const char *name : {"broken.pub", "group.pub", "linked.pub", "others.pub"})
            QVERIFY2(loaded.ignored.filter(name).size() == 1,
                     qPrintable(loaded.ignored.join('\n')));
        QVERIFY(loaded.ignored.filter("group.pub").first().contains("writable by others"));

        // Not the owner asked for: nothing in it counts.
        loaded = updatekeys::fromFolder(folder, me + 1);
        QVERIFY(loaded.keys.isEmpty());
        QCOMPARE(loaded.ignored.size(), 1);
        QVERIFY(loaded.ignored.first().contains("owned by uid"));
        // A folder others may write: anyone could have put a key file of the owner's there.
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0775) == 0);
        loaded = updatekeys::fromFolder(folder, me);
        QVERIFY(loaded.keys.isEmpty());
        QCOMPARE(loaded.ignored.size(), 1);
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
        // A key file of another user, where one may be made.
        if (::geteuid() == 0) {
            QVERIFY(::chown(QFile::encodeName(folder + "/company.pub").constData(), 1, 1) == 0);
            loaded = updatekeys::fromFolder(folder, me);
            QCOMPARE(loaded.keys.size(), 1);
            QVERIFY(loaded.ignored.filter("company.pub").first().contains("owned by uid 1"));
        }
        // None set up: nothing, and nothing to say.
        loaded = updatekeys::fromFolder(home.filePath("none"), me);
        QVERIFY(loaded.keys.isEmpty() && loaded.ignored.isEmpty());
#endif
    }

    void malformed()
    {
        const QList<QByteArray> lines = TOOL_HASHED.split('\n');
        const auto with = [&](int index, const QByteArray &line) {
            QList<QByteArray> copy = lines;
            copy[index] = line;
            return copy.join('\n');
        };
        QByteArray wrongAlgorithm = QByteArray::fromBase64(lines[1]);
        wrongAlgorithm[1] = 'X';
        const QByteArray bad[] = {
            QByteArray(),
            lines.mid(0, 2).join('\n'),
            with(0, "comment: no prefix"),
            with(2, "trusted: no prefix"),
            with(1, lines[1].chopped(4)),
            with(1, "!!!!" + lines[1].mid(4)),
            with(1, wrongAlgorithm.toBase64()),
            with(3, lines[3].left(20)),
            TOOL_HASHED + "one line too many\n",
        };
        for (const QByteArray &file : bad) {
            Signature signature;
            QString why;
            QVERIFY2(!parseSignature(file, &signature, &why), file.constData());
            QVERIFY(!why.isEmpty());
        }
        // CRLF line ends are the same file.
        QVERIFY(check(TOOL_KEY, QByteArray(TOOL_HASHED).replace("\n", "\r\n"), DATA));

        for (const QString &key : {QString(), QString("RWSm+vZX"), QString("not base64 at all"),
                                   TOOL_KEY.section('\n', 1, 1).replace("RWS", "RXS")})
            QVERIFY2(!parsePublicKey(key).isValid(), qPrintable(key));
    }
};

QTEST_GUILESS_MAIN(tst_update_signature)
#include "tst_update_signature.moc"
