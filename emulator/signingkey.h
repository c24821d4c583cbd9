#pragma once

#include <QByteArray>
#include <QString>

namespace vexo::emu
{

// A minisign key pair made on the spot, for a server of this machine whose files the
// program is told to trust, and for tests that need keys of their own. Writes signature
// files as the minisign tool does.
class SigningKey
{
public:
    SigningKey();

    // The base64 line of the public key, as the program's setting takes it.
    QString publicKeyLine() const;
    // A whole <file>.minisig for data: prehashed ("ED") as the tool's default, or the
    // legacy form ("Ed") that signs the data itself.
    QByteArray sign(const QByteArray &data, bool prehashed = true,
                    const QByteArray &trustedComment = "timestamp:0") const;

private:
    QByteArray m_keyId;
    QByteArray m_public;
    QByteArray m_secret;
};

} // namespace vexo::emu
