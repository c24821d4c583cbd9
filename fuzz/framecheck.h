#pragma once

#include "fuzzinput.h"
#include "qinterfacemessage.h"
#include "wireframe.h"

// The program's frame parser against the emulator's decoder, written apart from it: what
// the device side takes as a sound frame the program must read the same way.
inline void checkFrame(const QByteArray &frame)
{
    using vexo::emu::Frame;
    FUZZ_CHECK(frame.size() >= 5 && frame.at(0) == vexo::emu::FrameFlag);
    FUZZ_CHECK(frame.size() == quint8(frame.at(4)) + 7);

    QRS232Message message(nullptr, frame);
    const int verdict = message.parse();
    FUZZ_CHECK(verdict >= 0 && verdict <= 2);
    const Frame f = vexo::emu::decodeFrame(frame);
    if (!f.ok())
        return;
    // A status answer without its two status bytes is refused by the program alone.
    if (f.isData && f.command == 0x0009 && f.payload.size() < 2) {
        FUZZ_CHECK(verdict == 2);
        return;
    }
    // A data frame whose checksum holds only with its sequence bits cleared came from a
    // sender that numbers frames; the program's answers never carry such numbers.
    if (f.isData && !f.checksumOverSequence) {
        FUZZ_CHECK(verdict == 1);
        return;
    }
    FUZZ_CHECK(verdict == 0);
    FUZZ_CHECK(message.is_data_frame() == f.isData);
    FUZZ_CHECK(message.command() == f.command);
    if (f.isData) {
        FUZZ_CHECK(quint16(message.target() & ~0x7000) == f.target);
        FUZZ_CHECK(message.payload() == f.payload);
        FUZZ_CHECK(message.frame_payload() == f.payload);
    } else {
        FUZZ_CHECK(message.word0() == f.word0);
        FUZZ_CHECK(message.value() == f.value);
        FUZZ_CHECK(message.target() == f.target);
    }
}
