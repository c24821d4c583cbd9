#pragma once

#include <QByteArray>
#include <QString>

// Windows-1251, the code page of passwords and of the names in short remote records.
// Linux converts through Qt (ICU); Windows through its own code-page conversion, since Qt
// carries no ICU there.
namespace cp1251
{
// A character without a byte in the code page comes out as the substitute byte 0x1A and
// clears *ok.
QByteArray encode(QStringView text, bool *ok = nullptr);
QString decode(QByteArrayView bytes);
} // namespace cp1251
