// The emulated stick and actuator fed a run of requests: mostly the commands they know,
// with fuzzed targets and payloads, some of any word, at fuzzed moments. Every answer is
// a sound frame, and the tables never hold more than their places or one id twice.
#include "devicemodel.h"
#include "fuzzinput.h"
#include "protocol.h"

#include <QSet>

namespace
{
using namespace vexo::emu;

const quint16 DataCommands[] = {
    CmdWriteRemote,   CmdDeleteRemote,  CmdReadFirstRemote, CmdReadNextRemote, CmdClearTable,
    CmdCopyTable,     CmdGetParam,      CmdGetFoundRemote,  CmdGetProgress,    CmdDeviceInit,
    CmdSetParam,      CmdFactoryReset,  CmdGetProtection,   CmdAccess,         CmdPassword,
    CmdFirmwareStart, CmdFirmwareBlock, CmdFirmwareEnd,
};
const quint16 ShortWords[] = {QueryMemory, QueryIdent, QueryFunctions, CmdSetModemMode};

EmulatorState startState(FuzzInput &in)
{
    EmulatorState s = in.flag() ? EmulatorState::demo() : EmulatorState();
    s.functions = in.byte();
    s.modemCapacity = in.pick(20);
    s.actuatorCapacity = in.pick(20);
    if (in.flag())
        s.password = "1234";
    s.loggedIn = in.flag();
    s.actuatorLinked = in.flag();
    s.restartMs = in.pick(50);
    s.progressSteps = in.pick(4);
    s.autoRemotePolls = in.pick(3);
    s.autoHoldPolls = in.pick(3);
    return s;
}

void checkTable(const QList<EmulatorRemote> &table, int capacity)
{
    FUZZ_CHECK(table.size() <= qMax(capacity, 0) || capacity < 0);
    QSet<quint32> ids;
    for (const EmulatorRemote &r : table) {
        FUZZ_CHECK(r.id < ErasedId);
        FUZZ_CHECK(!ids.contains(r.id));
        ids.insert(r.id);
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    quietLogging();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const EmulatorState start = startState(in);
    // A start state already over its places is the caller's business, not the device's.
    const int modemPlaces = qMax(int(start.modemRemotes.size()), start.modemCapacity);
    const int actuatorPlaces = qMax(int(start.actuatorRemotes.size()), start.actuatorCapacity);
    DeviceModel model(start);
    qint64 now = 0;
    while (!in.atEnd()) {
        QByteArray raw;
        switch (in.pick(5)) {
        case 0: {
            const quint16 word0 = in.word();
            const quint16 word1 = ShortWords[in.pick(std::size(ShortWords))];
            const quint16 value = in.word();
            raw = makeShortFrame(word0, word1, value, in.word());
            break;
        }
        case 1: {
            const quint16 command = in.word();
            const quint16 target = in.word();
            raw = makeDataFrame(command, target, in.piece(MaxDataPayload));
            break;
        }
        default: {
            const quint16 command = DataCommands[in.pick(std::size(DataCommands))];
            const quint16 target = in.pick(4);
            raw = makeDataFrame(command, target, in.piece(MaxDataPayload));
            break;
        }
        }
        // Repeats are detected on the whole frame, sequence number included.
        if (raw.size() > 8 && raw.at(3) == TypeData)
            raw[8] = char(quint8(raw.at(8)) | (in.pick(8) << 4));
        const Frame request = decodeFrame(raw);
        if (!request.ok())
            continue;
        now += in.pick(5000);
        const DeviceModel::Reply reply = model.handle(request, now);
        for (const QByteArray &answer : reply.frames) {
            const Frame f = decodeFrame(answer);
            FUZZ_CHECK(f.ok());
            FUZZ_CHECK(answer.size() <= MaxDataPayload + DataFrameOverhead);
        }
        if (in.pick(16) == 0)
            model.pressRemote(quint32(in.word()), in.byte(), 1 + in.pick(3));
        if (in.pick(16) == 0)
            model.holdActuatorButton(now);
        checkTable(model.state().modemRemotes, modemPlaces);
        checkTable(model.state().actuatorRemotes, actuatorPlaces);
    }
    return 0;
}
