#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Detached signatures as the minisign tool writes them by default (<file>.minisig): Ed25519
// over the file's BLAKE2b-512 hash ("ED"), and a global signature over that signature and
// the trusted comment. Checked with libsodium, the file read in chunks. The legacy form
// ("Ed", over the file itself) is refused: its algorithm bytes are not covered by the
// global signature, so one relabelled passes for a signature of a 64-byte file.
namespace updatesignature
{

constexpr int KeyIdSize = 8;
constexpr int KeySize = 32;
constexpr int SignatureSize = 64;

struct PublicKey {
    QByteArray keyId; // KeyIdSize bytes
    QByteArray key;   // KeySize bytes
    bool isValid() const { return keyId.size() == KeyIdSize && key.size() == KeySize; }
};

struct Signature {
    QByteArray keyId;
    QByteArray signature;
    QByteArray trustedComment; // without its "trusted comment: " prefix
    QByteArray globalSignature;
};

// The base64 line of a minisign public key ("RWQ..."), or a whole public key file;
// invalid when it is neither.
PublicKey parsePublicKey(const QString &text);

// False, with a reason for the log, when the bytes are not a signature file.
bool parseSignature(const QByteArray &file, Signature *signature, QString *why);

// Whether signature, made with key, covers the data read from device up to its end.
bool verify(const PublicKey &key, const Signature &signature, QIODevice *device, QString *why);
bool verify(const PublicKey &key, const Signature &signature, const QByteArray &data, QString *why);

// The trusted comment's fields: "timestamp:<seconds>\tfile:<name>" as the tool writes it
// by default (a field without a colon, such as "hashed", is skipped); the program's
// setup adds "version:<x>".
struct Comment {
    qint64 timestamp = -1; // -1: missing or not a number
    QString file;
    QString version;
};
Comment parseComment(const QByteArray &trustedComment);

// Whether a verified signature vouches for the file under this name, and when it was made;
// false, with a reason for the log, when its comment names no file or another one, or
// carries no time.
bool vouchesFor(const Signature &signature, const QString &fileName, Comment *comment,
                QString *why);

} // namespace updatesignature
