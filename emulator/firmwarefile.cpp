#include "firmwarefile.h"

#include <QDir>
#include <QSaveFile>

namespace vexo::emu
{

namespace
{

void appendLe(QByteArray *out, quint64 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out->append(char((value >> (8 * i)) & 0xFF));
}

} // namespace

QByteArray FirmwareFile::toBytes() const
{
    qint64 size = imageSize;
    if (size < 0) {
        size = 0;
        for (const Section &s : sections)
            size += s.data.size();
    }
    QByteArray out;
    appendLe(&out, headerLength, 2);
    appendLe(&out, imageWord, 4);
    appendLe(&out, quint64(size), 4);
    out.append(char(type)).append(char(major)).append(char(minor)).append(char(board));
    out.append(char(headerByte14));
    // A longer header is padded; a shorter one lets the sections overlap it.
    if (headerLength > out.size())
        out.append(QByteArray(headerLength - out.size(), '\0'));
    else
        out.truncate(qMax<int>(headerLength, 0));
    for (const Section &s : sections) {
        appendLe(&out, s.address, 4);
        appendLe(&out, quint64(s.data.size()), 4);
        out.append(s.data);
    }
    return out;
}

bool FirmwareFile::save(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toBytes()) < 0 || !file.commit()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

FirmwareFile FirmwareFile::forTarget(const EmulatorState &state, int target, quint8 major,
                                     quint8 minor, int size)
{
    const std::array<quint8, 4> &version = target == 0 ? state.modemVersion : state.actuatorVersion;
    FirmwareFile f;
    f.type = version[1];
    f.board = version[2];
    f.major = major;
    f.minor = minor;
    Section s;
    s.address = target == 0 ? 0x08004000 : 0x00000800;
    s.data.reserve(qMax(size, 0));
    // A fixed sequence, so the same arguments give the same file.
    quint32 x = 0x2545F491u ^ (quint32(target) << 16) ^ (quint32(major) << 8) ^ minor;
    for (int i = 0; i < size; ++i) {
        x = x * 1664525u + 1013904223u;
        s.data.append(char(x >> 24));
    }
    if (size > 2) {
        s.data[0] = char(0x7E);
        s.data[1] = char(0x7D);
    }
    f.sections.append(s);
    return f;
}

QStringList writeDemoFirmware(const QString &dir, const EmulatorState &state, QString *error)
{
    if (!QDir().mkpath(dir)) {
        if (error)
            *error = QStringLiteral("%1: cannot create the directory").arg(dir);
        return {};
    }
    const std::array<quint8, 4> &stick = state.modemVersion;
    const std::array<quint8, 4> &actuator = state.actuatorVersion;
    struct Entry {
        QString name;
        FirmwareFile file;
    };
    const Entry entries[] = {
        {QStringLiteral("usb-stick.bin"),
         FirmwareFile::forTarget(state, 0, stick[0], quint8(stick[3] + 1), 6 * 1024)},
        {QStringLiteral("actuator-4.bin"),
         FirmwareFile::forTarget(state, 1, actuator[0], quint8(actuator[3] + 1), 3 * 1024)},
        {QStringLiteral("actuator-3.bin"),
         FirmwareFile::forTarget(state, 1, actuator[0], quint8(actuator[3] + 1), 2 * 1024)},
    };
    QStringList paths;
    for (const Entry &e : entries) {
        const QString path = QDir(dir).filePath(e.name);
        if (!e.file.save(path, error))
            return {};
        paths << path;
    }
    return paths;
}

} // namespace vexo::emu
