#include "cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

QByteArray cp1251::encode(QStringView text, bool *ok)
{
    // Stateless: a surrogate left alone at the end is an error, not kept for a next call.
    QStringEncoder encoder("windows-1251", QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    if (ok)
        *ok = encoder.isValid() && !encoder.hasError();
    return bytes;
}

QString cp1251::decode(QByteArrayView bytes)
{
    QStringDecoder decoder("windows-1251", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}
