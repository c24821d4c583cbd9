#include "updatesignature.h"

#include <QBuffer>
#include <QIODevice>
#include <QList>

#include <sodium.h>

namespace updatesignature
{

namespace
{
const QByteArray UNTRUSTED_PREFIX = "untrusted comment: ";
const QByteArray TRUSTED_PREFIX = "trusted comment: ";
const QByteArray KEY_ALGORITHM = "Ed";
const QByteArray LEGACY_ALGORITHM = "Ed";
const QByteArray HASHED_ALGORITHM = "ED";
const QByteArray TIMESTAMP_FIELD = "timestamp";
const QByteArray FILE_FIELD = "file";
const QByteArray VERSION_FIELD = "version";
constexpr int ALGORITHM_SIZE = 2;
constexpr qint64 CHUNK = 64 * 1024;

bool ready()
{
    static const bool initialised = sodium_init() >= 0;
    return initialised;
}

QByteArray strictBase64(const QByteArray &text)
{
    const auto decoded =
        QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? *decoded : QByteArray();
}

bool fail(QString *why, const QString &text)
{
    if (why)
        *why = text;
    return false;
}

bool verifyDetached(const QByteArray &signature, const QByteArray &message, const QByteArray &key)
{
    return crypto_sign_verify_detached(reinterpret_cast<const unsigned char *>(signature.data()),
                                       reinterpret_cast<const unsigned char *>(message.data()),
                                       quint64(message.size()),
                                       reinterpret_cast<const unsigned char *>(key.data())) == 0;
}

// What the file signature covers: the file's hash, read in chunks however large it is.
bool fileHash(QIODevice *device, QByteArray *message)
{
    crypto_generichash_state state;
    crypto_generichash_init(&state, nullptr, 0, crypto_generichash_BYTES_MAX);
    QByteArray chunk(CHUNK, Qt::Uninitialized);
    for (;;) {
        const qint64 n = device->read(chunk.data(), CHUNK);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        crypto_generichash_update(&state, reinterpret_cast<const unsigned char *>(chunk.data()),
                                  quint64(n));
    }
    message->resize(crypto_generichash_BYTES_MAX);
    crypto_generichash_final(&state, reinterpret_cast<unsigned char *>(message->data()),
                             crypto_generichash_BYTES_MAX);
    return true;
}
} // namespace

PublicKey parsePublicKey(const QString &text)
{
    // A whole key file has the key on its last line; a settings value is that line alone.
    QByteArray line;
    for (QByteArray l : text.toLatin1().split('\n')) {
        l = l.trimmed();
        if (!l.isEmpty() && !l.startsWith(UNTRUSTED_PREFIX))
            line = l;
    }
    const QByteArray raw = strictBase64(line);
    if (raw.size() != ALGORITHM_SIZE + KeyIdSize + KeySize || !raw.startsWith(KEY_ALGORITHM))
        return {};
    return {raw.mid(ALGORITHM_SIZE, KeyIdSize), raw.mid(ALGORITHM_SIZE + KeyIdSize)};
}

bool parseSignature(const QByteArray &file, Signature *signature, QString *why)
{
    QList<QByteArray> lines = file.split('\n');
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() != 4)
        return fail(why,
                    QStringLiteral("a signature file has four lines, not %1").arg(lines.size()));
    if (!lines[0].startsWith(UNTRUSTED_PREFIX) || !lines[2].startsWith(TRUSTED_PREFIX))
        return fail(why, QStringLiteral("comment lines missing"));
    const QByteArray raw = strictBase64(lines[1]);
    if (raw.size() != ALGORITHM_SIZE + KeyIdSize + SignatureSize)
        return fail(why, QStringLiteral("signature line of the wrong size"));
    const QByteArray algorithm = raw.left(ALGORITHM_SIZE);
    if (algorithm == LEGACY_ALGORITHM)
        return fail(why, QStringLiteral("legacy signature (Ed) refused: sign without -l"));
    if (algorithm != HASHED_ALGORITHM)
        return fail(why, QStringLiteral("unknown signature algorithm"));
    const QByteArray global = strictBase64(lines[3]);
    if (global.size() != SignatureSize)
        return fail(why, QStringLiteral("global signature of the wrong size"));
    signature->keyId = raw.mid(ALGORITHM_SIZE, KeyIdSize);
    signature->signature = raw.mid(ALGORITHM_SIZE + KeyIdSize);
    signature->trustedComment = lines[2].mid(TRUSTED_PREFIX.size());
    signature->globalSignature = global;
    return true;
}

bool verify(const PublicKey &key, const Signature &signature, QIODevice *device, QString *why)
{
    if (!ready())
        return fail(why, QStringLiteral("libsodium cannot start"));
    if (!key.isValid())
        return fail(why, QStringLiteral("no valid public key"));
    if (signature.keyId != key.keyId)
        return fail(why, QStringLiteral("signed with another key (%1)")
                             .arg(QString::fromLatin1(signature.keyId.toHex())));
    QByteArray message;
    if (!fileHash(device, &message))
        return fail(why, device->errorString());
    if (!verifyDetached(signature.signature, message, key.key))
        return fail(why, QStringLiteral("the signature does not match the file"));
    // The trusted comment is signed too: a signature cannot be given another comment.
    if (!verifyDetached(signature.globalSignature, signature.signature + signature.trustedComment,
                        key.key))
        return fail(why, QStringLiteral("the trusted comment does not match its signature"));
    return true;
}

bool verify(const PublicKey &key, const Signature &signature, const QByteArray &data, QString *why)
{
    QByteArray copy = data;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return verify(key, signature, &buffer, why);
}

Comment parseComment(const QByteArray &trustedComment)
{
    Comment comment;
    for (const QByteArray &field : trustedComment.split('\t')) {
        const qsizetype colon = field.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = field.left(colon);
        const QByteArray value = field.mid(colon + 1);
        if (name == TIMESTAMP_FIELD) {
            bool ok = false;
            const qint64 seconds = value.toLongLong(&ok);
            comment.timestamp = ok && seconds >= 0 ? seconds : -1;
        } else if (name == FILE_FIELD) {
            comment.file = QString::fromUtf8(value);
        } else if (name == VERSION_FIELD) {
            comment.version = QString::fromUtf8(value);
        }
    }
    return comment;
}

bool vouchesFor(const Signature &signature, const QString &fileName, Comment *comment, QString *why)
{
    *comment = parseComment(signature.trustedComment);
    // Signed for another file, a signature would let any file the vendor ever signed
    // pass under this name.
    if (comment->file.isEmpty())
        return fail(why, QStringLiteral("the trusted comment names no file"));
    if (comment->file != fileName)
        return fail(why, QStringLiteral("signed for another file (%1)").arg(comment->file));
    if (comment->timestamp < 0)
        return fail(why, QStringLiteral("the trusted comment carries no timestamp"));
    return true;
}

} // namespace updatesignature
