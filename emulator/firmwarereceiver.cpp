#include "firmwarereceiver.h"

namespace vexo::emu
{

namespace
{

quint32 u32At(const QByteArray &b, int offset)
{
    return quint32(quint8(b.at(offset))) | (quint32(quint8(b.at(offset + 1))) << 8) |
           (quint32(quint8(b.at(offset + 2))) << 16) | (quint32(quint8(b.at(offset + 3))) << 24);
}

} // namespace

FirmwareReceiver::Result FirmwareReceiver::start(int target, const QByteArray &payload,
                                                 QString *why)
{
    if (payload.size() != 15) {
        *why = QStringLiteral("start message of %1 bytes instead of 15").arg(payload.size());
        return Result::Refused;
    }
    FirmwareImage image;
    image.target = target;
    image.imageWord = u32At(payload, 0);
    image.imageSize = u32At(payload, 4);
    image.type = quint8(payload.at(8));
    image.major = quint8(payload.at(9));
    image.minor = quint8(payload.at(10));
    image.board = quint8(payload.at(11));
    image.headerByte14 = quint8(payload.at(12));
    image.blockSize = quint8(payload.at(13)) | (quint8(payload.at(14)) << 8);
    if (image.blockSize < 1 || image.blockSize > 243) {
        *why = QStringLiteral("block size %1").arg(image.blockSize);
        return Result::Refused;
    }
    m_image = image;
    m_active = true;
    *why = QStringLiteral("image %1 bytes, version %2.%3, blocks of %4")
               .arg(image.imageSize)
               .arg(image.major)
               .arg(image.minor)
               .arg(image.blockSize);
    return Result::Accepted;
}

FirmwareReceiver::Result FirmwareReceiver::block(int target, const QByteArray &payload,
                                                 QString *why)
{
    if (!m_active || target != m_image.target) {
        *why = QStringLiteral("block without a start message");
        return Result::Refused;
    }
    if (payload.size() < 8) {
        abort();
        *why = QStringLiteral("block message of %1 bytes").arg(payload.size());
        return Result::Refused;
    }
    const quint32 number = u32At(payload, 0);
    const quint32 address = u32At(payload, 4);
    const QByteArray data = payload.mid(8);

    // A repeat of the block just taken (its answer was lost) is acknowledged again.
    if (m_image.blocks > 0 && number == m_lastNumber && address == m_lastAddress &&
        data == m_lastData) {
        *why = QStringLiteral("block %1 again").arg(number);
        return Result::Repeated;
    }
    if (number != quint32(m_image.blocks)) {
        abort();
        *why = QStringLiteral("block %1 where %2 was due").arg(number).arg(m_image.blocks);
        return Result::Refused;
    }
    if (data.size() > m_image.blockSize) {
        abort();
        *why = QStringLiteral("block %1 carries %2 bytes, more than %3")
                   .arg(number)
                   .arg(data.size())
                   .arg(m_image.blockSize);
        return Result::Refused;
    }
    if (quint64(address) + quint64(data.size()) > 0x100000000ULL ||
        overlaps(address, int(data.size()))) {
        abort();
        *why = QStringLiteral("block %1 at 0x%2 overwrites data already received")
                   .arg(number)
                   .arg(address, 0, 16);
        return Result::Refused;
    }

    // Append to the run that ends here, or start a new run (a new section).
    auto it = m_image.runs.begin();
    for (; it != m_image.runs.end(); ++it) {
        if (quint64(it.key()) + quint64(it.value().size()) == address)
            break;
    }
    if (it != m_image.runs.end())
        it.value().append(data);
    else
        m_image.runs.insert(address, data);

    ++m_image.blocks;
    m_lastNumber = number;
    m_lastAddress = address;
    m_lastData = data;
    *why = QStringLiteral("block %1 at 0x%2, %3 bytes")
               .arg(number)
               .arg(address, 0, 16)
               .arg(data.size());
    return Result::Accepted;
}

FirmwareReceiver::Result FirmwareReceiver::end(int target, QString *why)
{
    if (!m_active || target != m_image.target) {
        *why = QStringLiteral("end without a start message");
        return Result::Refused;
    }
    m_active = false;
    m_image.complete = true;
    *why = QStringLiteral("end after %1 blocks").arg(m_image.blocks);
    return Result::Accepted;
}

bool FirmwareReceiver::overlaps(quint32 address, int len) const
{
    const quint64 begin = address;
    const quint64 end = begin + quint64(qMax(len, 1)); // an empty block still claims its address
    for (auto it = m_image.runs.cbegin(); it != m_image.runs.cend(); ++it) {
        const quint64 b = it.key();
        const quint64 e = b + quint64(it.value().size());
        if (begin < e && b < end)
            return true;
        if (len == 0 && it.value().isEmpty() && begin == b)
            return true;
    }
    return false;
}

} // namespace vexo::emu
