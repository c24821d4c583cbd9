#include "signingkey.h"

#include <sodium.h>

namespace vexo::emu
{

namespace
{
constexpr int KEY_ID_SIZE = 8;

QByteArray detached(const QByteArray &message, const QByteArray &secret)
{
    QByteArray signature(crypto_sign_BYTES, Qt::Uninitialized);
    crypto_sign_detached(reinterpret_cast<unsigned char *>(signature.data()), nullptr,
                         reinterpret_cast<const unsigned char *>(message.data()),
                         quint64(message.size()),
                         reinterpret_cast<const unsigned char *>(secret.data()));
    return signature;
}
} // namespace

SigningKey::SigningKey()
    : m_keyId(KEY_ID_SIZE, Qt::Uninitialized),
      m_public(crypto_sign_PUBLICKEYBYTES, Qt::Uninitialized),
      m_secret(crypto_sign_SECRETKEYBYTES, Qt::Uninitialized)
{
    if (sodium_init() < 0)
        qFatal("libsodium cannot start");
    randombytes_buf(m_keyId.data(), size_t(m_keyId.size()));
    crypto_sign_keypair(reinterpret_cast<unsigned char *>(m_public.data()),
                        reinterpret_cast<unsigned char *>(m_secret.data()));
}

QString SigningKey::publicKeyLine() const
{
    return QString::fromLatin1((QByteArray("Ed") + m_keyId + m_public).toBase64());
}

QByteArray SigningKey::sign(const QByteArray &data, bool prehashed,
                            const QByteArray &trustedComment) const
{
    QByteArray message = data;
    if (prehashed) {
        message.resize(crypto_generichash_BYTES_MAX);
        crypto_generichash(
            reinterpret_cast<unsigned char *>(message.data()), crypto_generichash_BYTES_MAX,
            reinterpret_cast<const unsigned char *>(data.data()), quint64(data.size()), nullptr, 0);
    }
    const QByteArray signature = detached(message, m_secret);
    const QByteArray global = detached(signature + trustedComment, m_secret);
    return "untrusted comment: signature from a key made for this run\n" +
           (QByteArray(prehashed ? "ED" : "Ed") + m_keyId + signature).toBase64() +
           "\ntrusted comment: " + trustedComment + "\n" + global.toBase64() + "\n";
}

} // namespace vexo::emu
