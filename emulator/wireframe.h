#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

// The device side of the 0x7E framing: checksum, data and short frames, escaping, and
// a receiver that delimits frames by their length byte.
namespace vexo::emu
{

constexpr char FrameFlag = 0x7E;
constexpr char FrameEscape = 0x7D;
constexpr quint8 TypeShort = 1;
constexpr quint8 TypeData = 2;
constexpr int DataFrameOverhead = 11;
constexpr int ShortFrameSize = 15;
constexpr int MaxDataPayload = 251;

// Register shifted left, data bits entering at bit 0 least significant first,
// polynomial 0x1021, no augmentation and no final XOR.
quint16 frameChecksum(const char *data, qsizetype len);
inline quint16 frameChecksum(const QByteArray &bytes)
{
    return frameChecksum(bytes.constData(), bytes.size());
}

// Unescaped frames, flag byte first, checksum last (low byte first).
QByteArray makeDataFrame(quint16 command, quint16 target, const QByteArray &payload);
QByteArray makeShortFrame(quint16 word0, quint16 word1, quint16 value, quint16 word3);

// The first byte goes out as it is; every later 0x7E or 0x7D is preceded by 0x7D.
QByteArray escapeFrame(const QByteArray &frame);

struct Frame {
    enum class Verdict { Ok, TooShort, BadChecksum, BadLength, UnknownType };

    Verdict verdict = Verdict::TooShort;
    bool isData = false;
    quint16 command = 0; // data: header word 1; short: word 1
    quint16 target = 0;  // data: target word with the sequence bits cleared; short: word 3
    quint16 value = 0;   // short frames only
    quint16 word0 = 0;   // short frames only
    int sequence = -1;   // data frames: bits 4..6 of byte 8 as received
    bool checksumOverSequence = false; // the checksum also matched with the sequence bits in place
    QByteArray payload;
    QByteArray raw; // the unescaped frame as received

    bool ok() const { return verdict == Verdict::Ok; }
    quint8 targetLow() const { return quint8(target & 0xFF); }
};

// Checks and decodes one unescaped frame. A data frame's checksum is taken over the
// frame with the sequence bits cleared, since the sender writes them afterwards.
Frame decodeFrame(const QByteArray &raw);

QString verdictText(Frame::Verdict verdict);

// Collects frames from a byte stream: bytes are ignored until a flag; inside a frame a
// 0x7D marks the next byte as literal, and an unescaped 0x7E is stored as data. A
// frame is complete at (length byte) + 7 bytes.
class FrameReceiver
{
public:
    // Feeds bytes; returns the frames completed by them, in order.
    QList<QByteArray> feed(const QByteArray &bytes);
    // Drops a partial frame (a receive gap ran out).
    void reset();
    bool inFrame() const { return m_inFrame; }
    // Bytes skipped while waiting for a flag since the last call.
    QByteArray takeSkipped();

private:
    QByteArray m_frame;
    QByteArray m_skipped;
    bool m_inFrame = false;
    bool m_escaped = false;
};

} // namespace vexo::emu
