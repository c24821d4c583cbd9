// Frames with a sound checksum and a fuzzed body, escaped as the device sends them, with
// noise between them, in any pieces: they get past the checksum, so the parser and the
// receiver's escaping and length rules are reached with every header and payload.
#include "framecheck.h"
#include "linkrig.h"

FUZZ_CORE_APPLICATION()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace vexo::emu;
    static LinkRig rig;
    FuzzInput in(data, size);
    const auto mode = LinkRig::Mode(in.pick(LinkRig::ModeCount));

    QList<QByteArray> sent;
    QByteArray stream;
    const int count = 1 + in.pick(8);
    for (int i = 0; i < count && !in.atEnd(); ++i) {
        // Noise on the line between frames: never a flag, which would open a frame.
        QByteArray noise = in.piece(8);
        noise.replace(char(FrameFlag), char(0x00));
        stream += noise;
        QByteArray frame;
        switch (in.pick(3)) {
        case 0: {
            const quint16 command = in.word();
            const quint16 target = in.word();
            frame = makeDataFrame(command, target, in.piece(MaxDataPayload));
            break;
        }
        case 1: {
            const quint16 word0 = in.word();
            const quint16 word1 = in.word();
            const quint16 value = in.word();
            frame = makeShortFrame(word0, word1, value, in.word());
            break;
        }
        default: {
            // Any type and length byte, the checksum made to fit.
            QByteArray body = QByteArray(1, FrameFlag) + in.bytes(4);
            if (body.size() < 5)
                break;
            const int length = quint8(body.at(4));
            body += in.bytes(size_t(qMax(0, length + 5 - int(body.size()))));
            if (body.size() != length + 5)
                break;
            const quint16 sum = frameChecksum(body.constData() + 1, body.size() - 1);
            frame = body + char(sum & 0xFF) + char(sum >> 8);
            break;
        }
        }
        if (frame.isEmpty())
            continue;
        sent.append(frame);
        stream += escapeFrame(frame);
    }

    const QList<QByteArray> received = rig.feed(in, stream, mode);
    FUZZ_CHECK(received == sent);
    for (const QByteArray &frame : received)
        checkFrame(frame);
    return 0;
}
