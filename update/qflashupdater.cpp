#include "qflashupdater.h"

#include "updatelog.h"

#include <QFile>

Q_LOGGING_CATEGORY(lcUpdate, "vexo.update", QtInfoMsg)

namespace
{
quint32 u32At(const QByteArray &b, qint64 offset)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | quint8(b.at(offset + i));
    return v;
}

QByteArray le32(quint32 v)
{
    QByteArray out;
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
    return out;
}
} // namespace

QFlashUpdater::QFlashUpdater(QObject *parent, const QString &fileName, FLASH_DEVICE_T target)
    : QObject(parent)
{
    if (!fileName.isEmpty())
        loadFile(fileName, target);
}

QFlashUpdater::~QFlashUpdater() = default;

quint16 QFlashUpdater::targetWord(FLASH_DEVICE_T target)
{
    return target > FLASH_DEVICE_REMOTE ? 0 : quint16(target);
}

bool QFlashUpdater::loadFile(const QString &fileName, FLASH_DEVICE_T target)
{
    m_messages.clear();
    m_index = -1;
    m_fileName.clear();
    m_info = FirmwareInfo();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(CannotOpen, tr("Файл не открывается: %1").arg(file.errorString()),
                    file.errorString());
    // A file chosen by mistake may be huge: it is not read into memory.
    if (file.size() > MaxFileSize)
        return fail(NotFirmware,
                    tr("Это не файл прошивки: он больше %1 МБ.").arg(MaxFileSize >> 20),
                    QString("%1 bytes").arg(file.size()));
    const QByteArray data = file.read(MaxFileSize + 1);
    file.close();
    if (!loadData(data, target))
        return false;
    m_fileName = fileName;
    return true;
}

QByteArray QFlashUpdater::FirmwareInfo::version() const
{
    return QByteArray() + char(major) + char(type) + char(board) + char(minor);
}

bool QFlashUpdater::soundHeader() const
{
    // A header longer than this or an image larger than any file read is no firmware's.
    constexpr quint16 MaxHeaderLength = 1024;
    return m_info.headerLength >= HeaderSize && m_info.headerLength <= MaxHeaderLength &&
           m_info.imageSize <= MaxFileSize;
}

bool QFlashUpdater::failShort(qint64 length, const QString &why)
{
    if (!soundHeader())
        return fail(NotFirmware,
                    tr("Это не файл прошивки: его заголовок не описывает образ прошивки."), why);
    return fail(Truncated,
                tr("Файл прошивки обрывается: его длина %1 байт, а по заголовку в нём должно "
                   "быть больше данных. Вероятно, файл скопирован или загружен не полностью.")
                    .arg(length),
                why);
}

bool QFlashUpdater::loadData(const QByteArray &data, FLASH_DEVICE_T target)
{
    m_messages.clear();
    m_index = -1;
    m_fileName.clear();
    m_error = NoError;
    m_errorString.clear();
    m_info = FirmwareInfo();
    const qint64 length = data.size();
    if (length < HeaderSize)
        return fail(
            NotFirmware,
            tr("Это не файл прошивки: его длина %1 байт, меньше заголовка прошивки.").arg(length),
            QString("%1 bytes, shorter than the header").arg(length));
    m_info.headerLength = quint16(quint8(data.at(0)) | (quint8(data.at(1)) << 8));
    m_info.imageWord = u32At(data, 2);
    m_info.imageSize = u32At(data, 6);
    m_info.type = quint8(data.at(10));
    m_info.major = quint8(data.at(11));
    m_info.minor = quint8(data.at(12));
    m_info.board = quint8(data.at(13));
    m_info.headerByte14 = quint8(data.at(14));
    if (m_info.imageSize > length)
        return failShort(
            length, QString("image of %1 bytes in a file of %2").arg(m_info.imageSize).arg(length));
    if (m_info.headerLength > length)
        return failShort(
            length,
            QString("header of %1 bytes in a file of %2").arg(m_info.headerLength).arg(length));

    const quint16 word = targetWord(target);
    QByteArray start = le32(m_info.imageWord) + le32(m_info.imageSize);
    start.append(char(m_info.type))
        .append(char(m_info.major))
        .append(char(m_info.minor))
        .append(char(m_info.board))
        .append(char(m_info.headerByte14))
        .append(char(BlockSize & 0xFF))
        .append(char(BlockSize >> 8));
    append(CMD_FLASH_START, word, start);

    qint64 offset = m_info.headerLength;
    quint32 number = 0;
    int sections = 0;
    // Up to four bytes after the last section are not a section.
    while (offset < length - 4) {
        if (offset + 8 > length)
            return failShort(length, QString("section header at %1 runs past the end").arg(offset));
        const quint32 address = u32At(data, offset);
        const quint32 size = u32At(data, offset + 4);
        const qint64 begin = offset + 8;
        if (begin + qint64(size) > length) {
            const QString why =
                QString("section at %1 of %2 bytes runs past the end").arg(offset).arg(size);
            // A length no file of ours could hold is no cut, but something else.
            if (size > MaxFileSize)
                return fail(NotFirmware,
                            tr("Это не файл прошивки: его заголовок не описывает образ "
                               "прошивки."),
                            why);
            return failShort(length, why);
        }
        // An empty section still sends one block, as the target expects its address.
        qint64 done = 0;
        do {
            const qint64 len = qMin<qint64>(BlockSize, qint64(size) - done);
            append(CMD_FLASH_BLOCK, word,
                   le32(number) + le32(address + quint32(done)) + data.mid(begin + done, len));
            ++number;
            done += len;
        } while (done < qint64(size));
        offset = begin + size;
        ++sections;
    }
    // Start and end alone would flash nothing and still report success.
    if (sections == 0)
        return fail(NotFirmware, tr("Это не файл прошивки: в нём нет данных для записи."),
                    QStringLiteral("no section"));
    append(CMD_FLASH_END, word, QByteArray());
    qCDebug(lcUpdate).noquote() << QString("firmware %1.%2 for type %3 board %4: %5 sections, "
                                           "%6 messages")
                                       .arg(m_info.major)
                                       .arg(m_info.minor)
                                       .arg(m_info.type)
                                       .arg(m_info.board)
                                       .arg(sections)
                                       .arg(m_messages.size());
    return true;
}

void QFlashUpdater::append(quint16 command, quint16 target, const QByteArray &payload)
{
    auto message = std::make_unique<QRS232Message>();
    message->make_data_frame(command, target, payload.constData(), int(payload.size()));
    message->set_answer_code(1);
    m_messages.push_back(std::move(message));
}

bool QFlashUpdater::fail(LoadError error, const QString &text, const QString &why)
{
    // Half a list must never reach a target.
    m_messages.clear();
    m_index = -1;
    m_error = error;
    m_errorString = text;
    qCWarning(lcUpdate).noquote() << "firmware file refused:" << why;
    return false;
}

QRS232Message QFlashUpdater::firstMessage(bool *more)
{
    m_index = -1;
    if (m_messages.empty()) {
        *more = false;
        return QRS232Message();
    }
    m_index = 0;
    *more = true;
    return *m_messages.front();
}

QRS232Message QFlashUpdater::nextMessage(bool *more)
{
    if (m_index + 1 < messageCount()) {
        ++m_index;
        *more = true;
        return *m_messages.at(size_t(m_index));
    }
    *more = false;
    return QRS232Message();
}
