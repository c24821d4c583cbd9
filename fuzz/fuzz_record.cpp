// The remote record as the stick sends it: 64 or 128 bytes, and every other length.
// Whatever a record holds, parsing it and writing it back must give the same remote,
// with at most the tail of a name that no longer fits cut off.
#include "fuzzinput.h"
#include "qcontroldevice.h"

#include <QStringDecoder>

namespace
{
// The characters of Windows-1251, in which short records hold names: one byte each.
const QString &codePage()
{
    static const QString characters = [] {
        QByteArray bytes;
        for (int b = 1; b < 256; ++b)
            bytes.append(char(b));
        QString decoded = QStringDecoder("windows-1251").decode(bytes);
        decoded.remove(QChar::ReplacementCharacter); // a byte it leaves undefined
        return decoded;
    }();
    return characters;
}

bool inCodePage(const QString &name)
{
    for (QChar c : name)
        if (!codePage().contains(c))
            return false;
    return true;
}

// A null name starts with nothing in QString's eyes; here it starts with the empty name.
bool startsWith(const QString &name, const QString &prefix)
{
    return prefix.isEmpty() || name.startsWith(prefix);
}

// A remote from a database file, whose name may hold anything a JSON string can.
void writeRemote(FuzzInput &in, bool longFormat)
{
    const int id =
        int((quint32(in.word()) | (quint32(in.byte()) << 16)) % (QControlDevice::MaxId + 1));
    const quint8 group = in.byte();
    const bool active = in.flag();
    const quint8 workMode = in.byte();
    // A short record's name is mostly made of the code page's characters, or it would
    // hardly ever fit whole.
    const bool codePageName = !longFormat && in.flag();
    QString name;
    while (in.left() >= 2) {
        const quint16 w = in.word();
        name.append(codePageName ? codePage().at(w % codePage().size()) : QChar(w));
    }
    const QControlDevice remote(nullptr, id, group, name, active, workMode);

    const QByteArray record = remote.toRecord(longFormat);
    FUZZ_CHECK(record.size() ==
               (longFormat ? QControlDevice::LongRecordSize : QControlDevice::ShortRecordSize));
    bool valid = false;
    const QControlDevice back = QControlDevice::fromRecord(record, longFormat, &valid);
    FUZZ_CHECK(valid);
    FUZZ_CHECK(back.id() == id && back.group() == group && back.active() == active &&
               back.workMode() == (workMode ? 1 : 0));
    // A name of whole characters comes back whole, or cut at a character boundary.
    bool whole = !name.contains(QChar(0));
    for (qsizetype i = 0; whole && i < name.size(); ++i) {
        if (name.at(i).isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate())
            ++i;
        else if (name.at(i).isSurrogate())
            whole = false;
    }
    if (longFormat && whole) {
        FUZZ_CHECK(startsWith(name, back.ownerName()));
        if (name.toUtf8().size() <= QControlDevice::LongRecordSize - QControlDevice::NameOffset)
            FUZZ_CHECK(back.ownerName() == name);
    }
    // A byte a character: the code page's characters come back, as many as there is room
    // for; any other character takes one byte too.
    if (!longFormat) {
        const int room = QControlDevice::ShortRecordSize - QControlDevice::NameOffset;
        if (inCodePage(name))
            FUZZ_CHECK(back.ownerName() == name.left(room));
        FUZZ_CHECK(back.ownerName().size() <= room);
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    quietLogging();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const quint8 choice = in.byte();
    const bool longFormat = choice & 1;
    if (choice & 2) {
        writeRemote(in, longFormat);
        return 0;
    }
    const int expected =
        longFormat ? QControlDevice::LongRecordSize : QControlDevice::ShortRecordSize;
    const QByteArray record = in.rest();

    bool valid = true;
    const QControlDevice remote = QControlDevice::fromRecord(record, longFormat, &valid);
    if (record.size() != expected || !valid) {
        FUZZ_CHECK(!valid);
        FUZZ_CHECK(remote == QControlDevice());
        if (record.size() == expected)
            FUZZ_CHECK(!(quint8(record.at(0)) & 1) ||
                       (quint8(record.at(1)) == 0xFF && quint8(record.at(2)) == 0xFF &&
                        quint8(record.at(3)) == 0xFF));
        return 0;
    }
    FUZZ_CHECK(remote.id() >= 0 && remote.id() <= QControlDevice::MaxId);
    FUZZ_CHECK(remote.workMode() <= 1);

    const QByteArray written = remote.toRecord(longFormat);
    FUZZ_CHECK(written.size() == expected);
    bool again = false;
    const QControlDevice back = QControlDevice::fromRecord(written, longFormat, &again);
    FUZZ_CHECK(again);
    FUZZ_CHECK(back.id() == remote.id() && back.group() == remote.group() &&
               back.active() == remote.active() && back.workMode() == remote.workMode());
    // UTF-8 writes back every character it read; a byte it could not read becomes a
    // replacement character, which may need more room than the byte had.
    if (longFormat)
        FUZZ_CHECK(startsWith(remote.ownerName(), back.ownerName()));
    // Windows-1251 writes back every character it read.
    else if (inCodePage(remote.ownerName()))
        FUZZ_CHECK(back.ownerName() == remote.ownerName());
    // Whatever the name, the bytes after it are zeros.
    const qsizetype end = written.indexOf('\0', QControlDevice::NameOffset);
    if (end >= 0)
        FUZZ_CHECK(written.mid(end).count('\0') == written.size() - end);
    return 0;
}
