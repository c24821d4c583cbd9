#pragma once

#include <QByteArray>
#include <QString>

// Passwords are overwritten where they lie once they have served, so that no copy waits
// in freed memory. Only a copy that owns its data alone is overwritten in place: hand a
// secret on as a deep copy or by moving it.
namespace secret
{
inline void wipe(QByteArray &bytes)
{
    // Through volatile: stores just before a free are otherwise left out.
    volatile char *p = bytes.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        p[i] = 0;
    bytes.clear();
}

inline void wipe(QString &text)
{
    volatile char16_t *p = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < text.size(); ++i)
        p[i] = 0;
    text.clear();
}

// A copy that shares nothing with text.
inline QString deepCopy(const QString &text)
{
    return QString(text.constData(), text.size());
}
} // namespace secret
