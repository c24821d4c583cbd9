// Signature files and public keys from the update server or the settings: any bytes. A
// file is either refused with a reason or read into parts of the sizes the format fixes;
// checking it against a key and data never goes further than that key allows.
#include "fuzzinput.h"
#include "updatesignature.h"

FUZZ_CORE_APPLICATION()

namespace
{
// minisign 0.11's key of the seed signatures, which cover "hello world\n".
const QString KEY = "RWSm+vZXJWls5X9mlUJVhEwmHOrMDHVqnCJ2Fe61w1qg0uB46ER66X8f";
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const QByteArray content = in.rest();
    using namespace updatesignature;

    const PublicKey key = parsePublicKey(QString::fromLatin1(content));
    FUZZ_CHECK(!key.isValid() || (key.keyId.size() == KeyIdSize && key.key.size() == KeySize));

    Signature signature;
    QString why;
    if (!parseSignature(content, &signature, &why)) {
        FUZZ_CHECK(!why.isEmpty());
        return 0;
    }
    FUZZ_CHECK(signature.keyId.size() == KeyIdSize);
    FUZZ_CHECK(signature.signature.size() == SignatureSize);
    FUZZ_CHECK(signature.globalSignature.size() == SignatureSize);
    FUZZ_CHECK(!signature.trustedComment.contains('\n'));
    // A comment vouches for a file only when it names it and carries a time.
    Comment comment;
    if (vouchesFor(signature, QStringLiteral("modem_version_5813_ru.txt"), &comment, &why))
        FUZZ_CHECK(comment.file == QLatin1String("modem_version_5813_ru.txt") &&
                   comment.timestamp >= 0);

    const PublicKey trusted = parsePublicKey(KEY);
    const bool good = verify(trusted, signature, QByteArray("hello world\n"), &why);
    FUZZ_CHECK(good || !why.isEmpty());
    FUZZ_CHECK(!good || signature.keyId == trusted.keyId);
    // Nothing verifies under a key it was not made for.
    FUZZ_CHECK(!verify(PublicKey{}, signature, QByteArray(), nullptr));
    return 0;
}
