#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Detached signatures as the minisign tool writes them (<file>.minisig): Ed25519 over the
// file itself (legacy "Ed") or over its BLAKE2b-512 hash ("ED", the tool's default), and
// a global signature over that signature and the trusted comment. Checked with libsodium.
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
    bool prehashed = false;
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

} // namespace updatesignature
