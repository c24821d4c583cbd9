#pragma once

#include <QByteArray>
#include <QObject>

// One link frame plus what its sender and receiver need to know about it.
class QInterfaceMessage : public QObject
{
public:
    explicit QInterfaceMessage(QObject *parent = nullptr, const QByteArray &frame = QByteArray());
    QInterfaceMessage(const QInterfaceMessage &other);
    QInterfaceMessage &operator=(const QInterfaceMessage &other) { return assign(other); }
    ~QInterfaceMessage() override = default;

    virtual QInterfaceMessage &assign(const QInterfaceMessage &other);
    // 0 = valid and decoded, 1 = checksum wrong, 2 = too short or of an unknown kind.
    virtual int parse() { return 2; }
    virtual void clear();
    virtual int message_type() const { return 0; }
    virtual void set_answer_code(quint16 code);
    virtual bool need_answer() const { return m_needAnswer; }
    virtual bool set_sequence(quint8 seq);
    virtual quint16 checksum(const char *data, uint len) const;

    const QByteArray &frame() const { return m_frame; }
    // The answer is waited for this many acknowledgement time-outs, per try: a command the
    // device takes long over (a clear, a firmware block) says so itself.
    int timeout_factor() const { return m_timeoutFactor; }
    void set_timeout_factor(int factor) { m_timeoutFactor = qMax(1, factor); }
    quint16 answer_code() const { return m_answerCode; }

protected:
    QByteArray m_frame;
    quint16 m_answerCode = 0;
    bool m_needAnswer = false;
    int m_timeoutFactor = 1;
};

// The 0x7E framing used on the serial line: data frames and short frames.
class QRS232Message : public QInterfaceMessage
{
public:
    explicit QRS232Message(QObject *parent = nullptr, const QByteArray &frame = QByteArray());
    // Header-only view of another message; checksum not checked, payload not filled.
    QRS232Message(const QInterfaceMessage &other);
    QRS232Message(const QRS232Message &other);
    QRS232Message &operator=(const QRS232Message &other);

    QInterfaceMessage &assign(const QInterfaceMessage &other) override;
    int parse() override;
    void clear() override;
    int message_type() const override { return 1; }
    quint16 checksum(const char *data, uint len) const override;

    void make_data_frame(quint16 command, quint16 target, const char *data, int len);
    void make_short_frame(quint16 word0, quint8 b7, quint8 b8, quint8 b9, quint8 b10, quint8 b11,
                          quint8 b12);
    bool check_answer(const QRS232Message &answer, quint16 *code) const;

    QByteArray payload() const { return m_payload; }
    QByteArray frame_payload() const;
    quint16 command() const { return m_command; }
    quint16 target() const { return m_target; }
    quint16 value() const { return m_value; }
    quint16 word0() const { return m_word0; }
    bool is_data_frame() const { return m_isDataFrame; }

    static quint16 crc(const char *data, uint len);

private:
    void copyFields(const QRS232Message &other);
    void appendChecksum();

    bool m_isDataFrame = false;
    quint16 m_command = 0;
    quint16 m_target = 0;
    quint16 m_value = 0;
    quint16 m_word0 = 0;
    QByteArray m_payload;
};

// A second, complete framing delimited by 0xC0; never put on the serial line.
class QSlipMessage : public QInterfaceMessage
{
public:
    explicit QSlipMessage(QObject *parent = nullptr, const QByteArray &frame = QByteArray());
    QSlipMessage(const QSlipMessage &other);
    QSlipMessage &operator=(const QSlipMessage &other);

    QInterfaceMessage &assign(const QInterfaceMessage &other) override;
    int parse() override;
    void clear() override;
    int message_type() const override { return 2; }
    quint16 checksum(const char *data, uint len) const override;

    void make_frame(quint32 address, quint8 command, const char *data, int len);
    quint32 address() const { return m_address; }
    quint8 command() const { return m_command; }
    QByteArray payload() const { return m_payload; }

    static quint16 crc(const char *data, uint len);

private:
    quint32 m_address = 0;
    quint8 m_command = 0;
    QByteArray m_payload;
};

namespace LinkCodec
{
// Wire escaping of the 0x7E framing: every byte after the first that equals 0x7E or 0x7D
// is preceded by 0x7D; no closing flag.
QByteArray escape(const QByteArray &frame);
} // namespace LinkCodec
