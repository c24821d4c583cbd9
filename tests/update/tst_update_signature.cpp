// Signature files in the minisign format: ones the minisign tool wrote, and what must never
// pass. (Our own test key's files are checked through the update server's tests.)
#include "signingkey.h"
#include "updatesignature.h"

#include <QTest>

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
        for (const QByteArray &file : {TOOL_HASHED, TOOL_LEGACY}) {
            QVERIFY(check(TOOL_KEY, file, DATA));
            QVERIFY(check(TOOL_KEY.section('\n', 1, 1), file, DATA)); // the key line alone
            QVERIFY(!check(TOOL_KEY, file, "hello world!"));
            QVERIFY(!check(SigningKey().publicKeyLine(), file, DATA));
            // The trusted comment cannot be changed: the global signature covers it.
            QByteArray recommented = file;
            recommented.replace("trusted comment: vexo", "trusted comment: evil");
            QVERIFY(!check(TOOL_KEY, recommented, DATA));
        }
        Signature hashed;
        QVERIFY(parseSignature(TOOL_HASHED, &hashed, nullptr));
        QVERIFY(hashed.prehashed);
        QCOMPARE(hashed.trustedComment, QByteArray("vexo test"));
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
