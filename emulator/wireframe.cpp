#include "wireframe.h"

namespace vexo::emu
{

namespace
{

void appendWord(QByteArray &out, quint16 word)
{
    out.append(char(word & 0xFF));
    out.append(char(word >> 8));
}

quint16 wordAt(const QByteArray &bytes, int offset)
{
    return quint16(quint8(bytes.at(offset)) | (quint8(bytes.at(offset + 1)) << 8));
}

void appendChecksum(QByteArray &frame)
{
    appendWord(frame, frameChecksum(frame.constData() + 1, frame.size() - 1));
}

} // namespace

quint16 frameChecksum(const char *data, qsizetype len)
{
    quint16 reg = 0;
    for (qsizetype i = 0; i < len; ++i) {
        const quint8 byte = quint8(data[i]);
        for (int bit = 0; bit < 8; ++bit) {
            const bool top = reg & 0x8000;
            reg = quint16((reg << 1) | ((byte >> bit) & 1));
            if (top)
                reg ^= 0x1021;
        }
    }
    return reg;
}

QByteArray makeDataFrame(quint16 command, quint16 target, const QByteArray &payload)
{
    Q_ASSERT(payload.size() <= MaxDataPayload);
    QByteArray frame;
    frame.reserve(payload.size() + DataFrameOverhead);
    frame.append(FrameFlag);
    frame.append(char(0xFF));
    frame.append(char(0x03));
    frame.append(char(TypeData));
    frame.append(char(payload.size() + 4));
    appendWord(frame, command);
    appendWord(frame, target);
    frame.append(payload);
    appendChecksum(frame);
    return frame;
}

QByteArray makeShortFrame(quint16 word0, quint16 word1, quint16 value, quint16 word3)
{
    QByteArray frame;
    frame.reserve(ShortFrameSize);
    frame.append(FrameFlag);
    frame.append(char(0xFF));
    frame.append(char(0x03));
    frame.append(char(TypeShort));
    frame.append(char(0x08));
    appendWord(frame, word0);
    appendWord(frame, word1);
    appendWord(frame, value);
    appendWord(frame, word3);
    appendChecksum(frame);
    return frame;
}

QByteArray escapeFrame(const QByteArray &frame)
{
    QByteArray out;
    out.reserve(frame.size() + 8);
    for (qsizetype i = 0; i < frame.size(); ++i) {
        const char c = frame.at(i);
        if (i > 0 && (c == FrameFlag || c == FrameEscape))
            out.append(FrameEscape);
        out.append(c);
    }
    return out;
}

Frame decodeFrame(const QByteArray &raw)
{
    Frame f;
    f.raw = raw;
    const int n = int(raw.size());
    if (n <= 6)
        return f; // TooShort
    const quint8 type = quint8(raw.at(3));
    const quint16 received = wordAt(raw, n - 2);

    if (type == TypeData && n >= 9) {
        QByteArray cleared = raw;
        cleared[8] = char(quint8(cleared.at(8)) & ~0x70);
        if (frameChecksum(cleared.constData() + 1, n - 3) != received) {
            f.verdict = Frame::Verdict::BadChecksum;
            return f;
        }
        f.checksumOverSequence = frameChecksum(raw.constData() + 1, n - 3) == received;
    } else if (frameChecksum(raw.constData() + 1, n - 3) != received) {
        f.verdict = Frame::Verdict::BadChecksum;
        return f;
    }

    if (type == TypeData) {
        if (n < DataFrameOverhead) {
            f.verdict = Frame::Verdict::TooShort;
            return f;
        }
        if (quint8(raw.at(4)) + 7 != n) {
            f.verdict = Frame::Verdict::BadLength;
            return f;
        }
        f.isData = true;
        f.command = wordAt(raw, 5);
        const quint16 target = wordAt(raw, 7);
        f.sequence = (target >> 12) & 0x7;
        f.target = target & ~0x7000;
        f.payload = raw.mid(9, n - DataFrameOverhead);
        f.verdict = Frame::Verdict::Ok;
        return f;
    }
    if (type == TypeShort) {
        if (n != ShortFrameSize || quint8(raw.at(4)) != 8) {
            f.verdict = n < ShortFrameSize ? Frame::Verdict::TooShort : Frame::Verdict::BadLength;
            return f;
        }
        f.word0 = wordAt(raw, 5);
        f.command = wordAt(raw, 7);
        f.value = wordAt(raw, 9);
        f.target = wordAt(raw, 11);
        f.verdict = Frame::Verdict::Ok;
        return f;
    }
    f.verdict = Frame::Verdict::UnknownType;
    return f;
}

QString verdictText(Frame::Verdict verdict)
{
    switch (verdict) {
    case Frame::Verdict::Ok:
        return QStringLiteral("ok");
    case Frame::Verdict::TooShort:
        return QStringLiteral("too short");
    case Frame::Verdict::BadChecksum:
        return QStringLiteral("bad checksum");
    case Frame::Verdict::BadLength:
        return QStringLiteral("bad length");
    case Frame::Verdict::UnknownType:
        return QStringLiteral("unknown frame type");
    }
    return QString();
}

QList<QByteArray> FrameReceiver::feed(const QByteArray &bytes)
{
    QList<QByteArray> frames;
    for (const char c : bytes) {
        if (!m_inFrame) {
            if (c == FrameFlag) {
                m_inFrame = true;
                m_escaped = false;
                m_frame = QByteArray(1, c);
            } else {
                m_skipped.append(c);
            }
            continue;
        }
        if (!m_escaped && c == FrameEscape) {
            m_escaped = true;
            continue;
        }
        m_escaped = false;
        m_frame.append(c);
        if (m_frame.size() >= 5 && m_frame.size() == quint8(m_frame.at(4)) + 7) {
            frames.append(m_frame);
            reset();
        }
    }
    return frames;
}

void FrameReceiver::reset()
{
    m_frame.clear();
    m_inFrame = false;
    m_escaped = false;
}

QByteArray FrameReceiver::takeSkipped()
{
    QByteArray out;
    out.swap(m_skipped);
    return out;
}

} // namespace vexo::emu
