#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Hands out the fuzzer's bytes as the choices of one run. Past the end every value is
// 0, so an input that ends early is still a complete run.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    size_t left() const { return m_size - m_pos; }

    quint8 byte() { return atEnd() ? 0 : m_data[m_pos++]; }
    quint16 word()
    {
        const quint8 low = byte();
        return quint16(low | (byte() << 8));
    }
    bool flag() { return byte() & 1; }
    // A value in [0, count).
    int pick(int count) { return count <= 1 ? 0 : int(word() % unsigned(count)); }
    QByteArray bytes(size_t n)
    {
        n = n < left() ? n : left();
        const QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), qsizetype(n));
        m_pos += n;
        return out;
    }
    // A piece whose length the input gives first (at most max).
    QByteArray piece(int max) { return bytes(size_t(pick(max + 1))); }
    QByteArray rest() { return bytes(left()); }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// The code under test logs what it refuses; at thousands of runs a second that is noise.
inline void quietLogging()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
}

// For targets whose code needs an application object (timers, threads, events): quiet,
// with one QCoreApplication for the whole run.
#define FUZZ_CORE_APPLICATION()                                                                    \
    extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)                                   \
    {                                                                                              \
        quietLogging();                                                                            \
        static QCoreApplication app(*argc, *argv);                                                 \
        return 0;                                                                                  \
    }

// A broken invariant is a finding: the fuzzer keeps the input that caused it.
#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
