// The emulator's state file: any bytes as JSON. A file is refused with a message, or it
// loads into a state that saves and loads again to the same JSON.
#include "emulatorstate.h"
#include "fuzzinput.h"

#include <QJsonDocument>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    quietLogging();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using vexo::emu::EmulatorState;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!doc.isObject())
        return 0;
    EmulatorState state;
    QString error;
    if (!EmulatorState::fromJson(doc.object(), &state, &error)) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    const QJsonObject saved = state.toJson();
    EmulatorState again;
    FUZZ_CHECK(EmulatorState::fromJson(saved, &again, &error));
    FUZZ_CHECK(again.toJson() == saved);
    return 0;
}
