#include "cp1251.h"

#include <windows.h>

namespace
{
constexpr UINT CodePage = 1251;
// The byte ICU writes for a missing character, so both platforms store the same.
constexpr char Substitute[] = "\x1a";
} // namespace

QByteArray cp1251::encode(QStringView text, bool *ok)
{
    QByteArray bytes;
    BOOL lost = FALSE;
    if (!text.isEmpty()) {
        const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
        const int length = int(text.size());
        // No best fit: an "ä" must not quietly become an "a" in the stick.
        const int size = WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, wide, length, nullptr,
                                             0, Substitute, &lost);
        bytes.resize(size);
        WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), size,
                            Substitute, &lost);
    }
    if (ok)
        *ok = !lost;
    return bytes;
}

QString cp1251::decode(QByteArrayView bytes)
{
    QString text;
    if (!bytes.isEmpty()) {
        const int length = int(bytes.size());
        const int size = MultiByteToWideChar(CodePage, 0, bytes.data(), length, nullptr, 0);
        text.resize(size);
        MultiByteToWideChar(CodePage, 0, bytes.data(), length,
                            reinterpret_cast<wchar_t *>(text.data()), size);
    }
    return text;
}
