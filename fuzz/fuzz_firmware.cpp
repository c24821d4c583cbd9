// Firmware files: any bytes as a file for any target. A file is refused whole, or it
// becomes a start message, the blocks that carry every byte of every section and an
// end message, each a sound frame for that target.
#include "fuzzinput.h"
#include "qflashupdater.h"

FUZZ_CORE_APPLICATION()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const auto target = QFlashUpdater::FLASH_DEVICE_T(in.pick(4));
    const QByteArray file = in.rest();
    QFlashUpdater updater;
    bool more = true;
    if (!updater.loadData(file, target)) {
        FUZZ_CHECK(updater.messageCount() == 0);
        updater.firstMessage(&more);
        FUZZ_CHECK(!more);
        return 0;
    }
    FUZZ_CHECK(updater.messageCount() >= 3);
    const quint16 word = QFlashUpdater::targetWord(target);
    qint64 carried = 0;
    quint32 number = 0;
    QRS232Message message = updater.firstMessage(&more);
    for (int i = 0; more; ++i, message = updater.nextMessage(&more)) {
        QRS232Message parsed(nullptr, message.frame());
        FUZZ_CHECK(parsed.parse() == 0 && parsed.is_data_frame());
        FUZZ_CHECK(parsed.target() == word);
        const QByteArray payload = parsed.payload();
        if (i == 0) {
            FUZZ_CHECK(parsed.command() == CMD_FLASH_START && payload.size() == 15);
        } else if (i == updater.messageCount() - 1) {
            FUZZ_CHECK(parsed.command() == CMD_FLASH_END && payload.isEmpty());
        } else {
            FUZZ_CHECK(parsed.command() == CMD_FLASH_BLOCK);
            FUZZ_CHECK(payload.size() >= 8 && payload.size() <= 8 + QFlashUpdater::BlockSize);
            const quint32 n = quint32(quint8(payload[0])) | quint32(quint8(payload[1])) << 8 |
                              quint32(quint8(payload[2])) << 16 | quint32(quint8(payload[3])) << 24;
            FUZZ_CHECK(n == number++);
            carried += payload.size() - 8;
        }
    }
    // Every block carries file bytes only: never more than the file has past its header.
    FUZZ_CHECK(carried <= file.size());
    return 0;
}
