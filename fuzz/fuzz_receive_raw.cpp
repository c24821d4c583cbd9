// Bytes off the line as they come, in any pieces: noise, cut frames, stray flags and
// escapes. The port must take out exactly the frames the emulator's receiver finds in
// the same bytes, and the parser must read them as the emulator's decoder does.
#include "framecheck.h"
#include "linkrig.h"

FUZZ_CORE_APPLICATION()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static LinkRig rig;
    FuzzInput in(data, size);
    const auto mode = LinkRig::Mode(in.pick(LinkRig::ModeCount));
    const QByteArray stream = in.piece(4096);

    const QList<QByteArray> frames = rig.feed(in, stream, mode);
    vexo::emu::FrameReceiver reference;
    FUZZ_CHECK(frames == reference.feed(stream));
    for (const QByteArray &frame : frames)
        checkFrame(frame);
    return 0;
}
