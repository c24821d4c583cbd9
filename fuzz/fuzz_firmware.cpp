// Firmware files: any bytes as a file for any target. A file is refused whole, or it
// becomes a start message, the blocks that carry every byte of every section and an
// end message, each a sound frame for that target.
#include "fuzzinput.h"
#include "qflashupdater.h"

FUZZ_CORE_APPLICATION()

namespace
{
quint32 le32At(const QByteArray &b, qint64 at)
{
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 |
           quint32(quint8(b[at + 2])) << 16 | quint32(quint8(b[at + 3])) << 24;
}
} // namespace

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
    // The file's sections, walked here on their own: after the header, address, length
    // and data, one after another. Each block is the next piece of the current one.
    qint64 at = quint16(quint8(file[0]) | quint8(file[1]) << 8);
    quint32 address = 0;
    quint32 length = 0;
    quint32 done = 0;
    bool inSection = false;
    QRS232Message message = updater.firstMessage(&more);
    for (int i = 0; more; ++i, message = updater.nextMessage(&more)) {
        QRS232Message parsed(nullptr, message.frame());
        FUZZ_CHECK(parsed.parse() == 0 && parsed.is_data_frame());
        FUZZ_CHECK(parsed.target() == word);
        const QByteArray payload = parsed.payload();
        if (i == 0) {
            FUZZ_CHECK(parsed.command() == CMD_FLASH_START && payload.size() == 15);
            FUZZ_CHECK(payload.left(13) == file.mid(2, 13)); // the header past its length
        } else if (i == updater.messageCount() - 1) {
            FUZZ_CHECK(parsed.command() == CMD_FLASH_END && payload.isEmpty());
        } else {
            FUZZ_CHECK(parsed.command() == CMD_FLASH_BLOCK);
            FUZZ_CHECK(payload.size() >= 8 && payload.size() <= 8 + QFlashUpdater::BlockSize);
            FUZZ_CHECK(le32At(payload, 0) == number++);
            carried += payload.size() - 8;
            if (!inSection) {
                FUZZ_CHECK(at + 8 <= file.size());
                address = le32At(file, at);
                length = le32At(file, at + 4);
                at += 8;
                done = 0;
                inSection = true;
            }
            const QByteArray bytes = payload.mid(8);
            FUZZ_CHECK(le32At(payload, 4) == address + done);
            FUZZ_CHECK(bytes.size() ==
                       qMin<qint64>(QFlashUpdater::BlockSize, qint64(length) - done));
            FUZZ_CHECK(at + done + bytes.size() <= file.size());
            FUZZ_CHECK(bytes == file.mid(at + done, bytes.size()));
            done += quint32(bytes.size());
            if (done == length) {
                at += length;
                inSection = false;
            }
        }
    }
    // Every block carries file bytes only: never more than the file has past its header.
    FUZZ_CHECK(carried <= file.size());
    // Every section went whole; what is left is too short to be one.
    FUZZ_CHECK(!inSection && file.size() - at <= 4);
    return 0;
}
