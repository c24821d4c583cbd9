#include "qinterfacemessage.h"

namespace
{
constexpr char FLAG = char(0x7E);
constexpr char ESCAPE = char(0x7D);

quint16 wordAt(const QByteArray &b, int offset)
{
    return quint16(quint8(b[offset]) | (quint8(b[offset + 1]) << 8));
}
} // namespace

// ---- QInterfaceMessage ----

QInterfaceMessage::QInterfaceMessage(QObject *parent, const QByteArray &frame)
    : QObject(parent), m_frame(frame)
{
}

QInterfaceMessage::QInterfaceMessage(const QInterfaceMessage &other)
    : QObject(nullptr), m_frame(other.m_frame), m_answerCode(other.m_answerCode),
      m_needAnswer(other.m_needAnswer), m_timeoutFactor(other.m_timeoutFactor)
{
}

QInterfaceMessage &QInterfaceMessage::assign(const QInterfaceMessage &other)
{
    m_frame = other.m_frame;
    m_answerCode = other.m_answerCode;
    m_needAnswer = other.m_needAnswer;
    m_timeoutFactor = other.m_timeoutFactor;
    return *this;
}

void QInterfaceMessage::clear()
{
    m_frame.clear();
    m_answerCode = 0;
    m_needAnswer = false;
    m_timeoutFactor = 1;
}

void QInterfaceMessage::set_answer_code(quint16 code)
{
    m_answerCode = code;
    m_needAnswer = true;
}

bool QInterfaceMessage::set_sequence(quint8 seq)
{
    if (m_frame.size() < 9)
        return false;
    m_frame[8] = char((quint8(m_frame[8]) & ~0x70) | ((seq & 0x07) << 4));
    return true;
}

quint16 QInterfaceMessage::checksum(const char *, uint) const
{
    return 0;
}

// ---- QRS232Message ----

QRS232Message::QRS232Message(QObject *parent, const QByteArray &frame)
    : QInterfaceMessage(parent, frame)
{
}

QRS232Message::QRS232Message(const QInterfaceMessage &other) : QInterfaceMessage(other)
{
    const QByteArray &f = m_frame;
    if (f.size() < 5)
        return;
    if (f[3] == 2 && f.size() >= 9 && f.size() == quint8(f[4]) + 7) {
        m_command = wordAt(f, 5);
        m_target = wordAt(f, 7);
        m_isDataFrame = true;
    } else if (f[3] == 1 && f.size() == 15) {
        m_word0 = wordAt(f, 5);
        m_command = wordAt(f, 7);
        m_value = wordAt(f, 9);
        m_target = wordAt(f, 11);
    }
}

QRS232Message::QRS232Message(const QRS232Message &other) : QInterfaceMessage(other)
{
    copyFields(other);
}

QRS232Message &QRS232Message::operator=(const QRS232Message &other)
{
    QInterfaceMessage::assign(other);
    copyFields(other);
    return *this;
}

QInterfaceMessage &QRS232Message::assign(const QInterfaceMessage &other)
{
    QInterfaceMessage::assign(other);
    if (auto *rs = dynamic_cast<const QRS232Message *>(&other))
        copyFields(*rs);
    return *this;
}

void QRS232Message::copyFields(const QRS232Message &other)
{
    m_isDataFrame = other.m_isDataFrame;
    m_command = other.m_command;
    m_target = other.m_target;
    m_value = other.m_value;
    m_word0 = other.m_word0;
    m_payload = other.m_payload;
}

void QRS232Message::clear()
{
    QInterfaceMessage::clear();
    m_isDataFrame = false;
    m_command = m_target = m_value = m_word0 = 0;
    m_payload.clear();
}

quint16 QRS232Message::crc(const char *data, uint len)
{
    // Data bits enter at bit 0, least significant first; nothing is appended.
    quint16 reg = 0;
    for (uint i = 0; i < len; ++i) {
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

quint16 QRS232Message::checksum(const char *data, uint len) const
{
    return crc(data, len);
}

void QRS232Message::appendChecksum()
{
    const quint16 sum = crc(m_frame.constData() + 1, uint(m_frame.size() - 1));
    m_frame.append(char(sum & 0xFF));
    m_frame.append(char(sum >> 8));
}

void QRS232Message::make_data_frame(quint16 command, quint16 target, const char *data, int len)
{
    len = qBound(0, len, 251); // the length byte holds len + 4
    m_command = command;
    m_target = target;
    m_frame.clear();
    m_frame.reserve(len + 11);
    m_frame.append(FLAG).append(char(0xFF)).append(char(0x03)).append(char(0x02));
    m_frame.append(char(len + 4));
    m_frame.append(char(command & 0xFF)).append(char(command >> 8));
    m_frame.append(char(target & 0xFF)).append(char(target >> 8));
    if (len > 0 && data)
        m_frame.append(data, len);
    appendChecksum();
    m_isDataFrame = true;
    m_needAnswer = false;
}

void QRS232Message::make_short_frame(quint16 word0, quint8 b7, quint8 b8, quint8 b9, quint8 b10,
                                     quint8 b11, quint8 b12)
{
    m_command = quint16(b7 + 256 * b8);
    m_frame.clear();
    m_frame.append(FLAG)
        .append(char(0xFF))
        .append(char(0x03))
        .append(char(0x01))
        .append(char(0x08));
    m_frame.append(char(word0 & 0xFF)).append(char(word0 >> 8));
    for (quint8 b : {b7, b8, b9, b10, b11, b12})
        m_frame.append(char(b));
    appendChecksum();
    m_isDataFrame = false;
    m_needAnswer = false;
}

int QRS232Message::parse()
{
    const QByteArray &f = m_frame;
    const int n = int(f.size());
    if (n <= 6)
        return 2;
    if (crc(f.constData() + 1, uint(n - 3)) != wordAt(f, n - 2))
        return 1;
    m_payload.clear();
    switch (f[3]) {
    case 2:
        if (n < 11) // no room for the header and the checksum
            return 2;
        m_isDataFrame = true;
        m_command = wordAt(f, 5);
        m_target = wordAt(f, 7);
        if (m_command == 9 && n < 13)
            return 2;
        if (n > 11)
            m_payload = f.mid(9, n - 11);
        return 0;
    case 1:
        if (n < 15)
            return 2;
        m_isDataFrame = false;
        m_word0 = wordAt(f, 5);
        m_command = wordAt(f, 7);
        m_value = wordAt(f, 9);
        m_target = wordAt(f, 11);
        return 0;
    default:
        return 2;
    }
}

QByteArray QRS232Message::frame_payload() const
{
    if (!m_isDataFrame || m_frame.size() <= 11)
        return QByteArray();
    return m_frame.mid(9, m_frame.size() - 11);
}

bool QRS232Message::check_answer(const QRS232Message &answer, quint16 *code) const
{
    QRS232Message a(answer);
    if (a.parse() != 0)
        return false;
    auto store = [code](quint16 v) {
        if (code)
            *code = v;
    };
    if (a.is_data_frame()) {
        if (a.command() != 9 || a.payload().size() != 2)
            return false;
        const QByteArray p = a.payload();
        const quint16 c = quint16(quint8(p[0]) | (quint8(p[1]) << 8));
        if (c == m_answerCode) {
            store(m_answerCode);
            return true;
        }
        if (quint8(p[0]) == 8 || c == 9) {
            store(c);
            return true;
        }
        store(c);
        return false;
    }
    if ((a.command() & 0xFF) != 0x21)
        return false;
    if ((m_command & 0xFF) == 0x20) {
        if ((a.command() >> 8) != (m_command >> 8))
            return false;
        store(a.value());
        return true;
    }
    const quint8 low = a.value() & 0xFF;
    if (low == 1 || low == 8) {
        store(a.value());
        return true;
    }
    store(low);
    return false;
}

// ---- QSlipMessage ----

QSlipMessage::QSlipMessage(QObject *parent, const QByteArray &frame)
    : QInterfaceMessage(parent, frame)
{
}

QSlipMessage::QSlipMessage(const QSlipMessage &other)
    : QInterfaceMessage(other), m_address(other.m_address), m_command(other.m_command),
      m_payload(other.m_payload)
{
}

QSlipMessage &QSlipMessage::operator=(const QSlipMessage &other)
{
    return static_cast<QSlipMessage &>(assign(other));
}

QInterfaceMessage &QSlipMessage::assign(const QInterfaceMessage &other)
{
    QInterfaceMessage::assign(other);
    if (auto *s = dynamic_cast<const QSlipMessage *>(&other)) {
        m_address = s->m_address;
        m_command = s->m_command;
        m_payload = s->m_payload;
    }
    return *this;
}

void QSlipMessage::clear()
{
    QInterfaceMessage::clear();
    m_address = 0;
    m_command = 0;
    m_payload.clear();
}

quint16 QSlipMessage::crc(const char *data, uint len)
{
    // Same shifting scheme, most significant bit first, polynomial 0x8005.
    quint16 reg = 0;
    for (uint i = 0; i < len; ++i) {
        const quint8 byte = quint8(data[i]);
        for (int bit = 7; bit >= 0; --bit) {
            const bool top = reg & 0x8000;
            reg = quint16((reg << 1) | ((byte >> bit) & 1));
            if (top)
                reg ^= 0x8005;
        }
    }
    return reg;
}

quint16 QSlipMessage::checksum(const char *data, uint len) const
{
    return crc(data, len);
}

void QSlipMessage::make_frame(quint32 address, quint8 command, const char *data, int len)
{
    len = qMax(0, len);
    m_address = address;
    m_command = command;
    m_payload = QByteArray(data, data ? len : 0);
    m_frame.clear();
    m_frame.append(char(0xC0)).append(char(0x03));
    for (int i = 0; i < 4; ++i)
        m_frame.append(char((address >> (8 * i)) & 0xFF));
    m_frame.append(char(0x00)).append(char(command)).append(m_payload);
    // Two zero bytes are shifted through so that a frame checks to 0 with its checksum.
    m_frame.append(2, char(0));
    const quint16 sum = crc(m_frame.constData() + 1, uint(m_frame.size() - 1));
    m_frame.chop(2);
    m_frame.append(char(sum >> 8)).append(char(sum & 0xFF)).append(char(0xC0));
}

int QSlipMessage::parse()
{
    const int n = int(m_frame.size());
    if (n <= 2)
        return 2;
    if (crc(m_frame.constData() + 1, uint(n - 2)) != 0)
        return 1;
    m_command = n > 7 ? quint8(m_frame[7]) : 0;
    m_address = 0;
    if (n > 6)
        for (int i = 0; i < 4; ++i)
            m_address |= quint32(quint8(m_frame[2 + i])) << (8 * i);
    m_payload = n > 11 ? m_frame.mid(8, n - 11) : QByteArray();
    return 0;
}

// ---- wire escaping ----

QByteArray LinkCodec::escape(const QByteArray &frame)
{
    QByteArray out;
    out.reserve(frame.size() + 8);
    for (int i = 0; i < frame.size(); ++i) {
        const char b = frame[i];
        if (i > 0 && (b == FLAG || b == ESCAPE))
            out.append(ESCAPE);
        out.append(b);
    }
    return out;
}
