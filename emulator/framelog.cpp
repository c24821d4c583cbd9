#include "framelog.h"

#include "protocol.h"
#include "wireframe.h"

namespace vexo::emu
{

namespace
{

QString hex(const QByteArray &bytes, int max = 24)
{
    QString s = QString::fromLatin1(bytes.left(max).toHex(' '));
    if (bytes.size() > max)
        s += QStringLiteral(" ...");
    return s;
}

QString word(quint16 w)
{
    return QStringLiteral("0x%1").arg(w, 4, 16, QLatin1Char('0'));
}

} // namespace

QString describeFrame(const QByteArray &frame)
{
    const Frame f = decodeFrame(frame);
    if (!f.ok())
        return QStringLiteral("%1 frame: %2").arg(verdictText(f.verdict), hex(frame, 48));
    if (f.isData) {
        QString name = dataCommandName(f.command);
        QString s = QStringLiteral("data %1%2 target %3 seq %4 payload[%5]")
                        .arg(name.isEmpty() ? QString() : name + QLatin1Char(' '), word(f.command))
                        .arg(f.target)
                        .arg(f.sequence)
                        .arg(f.payload.size());
        if (!f.payload.isEmpty())
            s += QLatin1Char(' ') + hex(f.payload);
        return s;
    }
    const QString name = shortCommandName(f.command);
    return QStringLiteral("short %1%2 w0 %3 value %4 w3 %5")
        .arg(name.isEmpty() ? QString() : name + QLatin1Char(' '), word(f.command))
        .arg(f.word0)
        .arg(word(f.value), word(f.target));
}

QString FrameLogEntry::toString() const
{
    const char *dir = direction == Direction::In ? "<-" : direction == Direction::Out ? "->" : "--";
    return QStringLiteral("%1 %2 %3").arg(msecs, 7).arg(QLatin1String(dir), text);
}

} // namespace vexo::emu
