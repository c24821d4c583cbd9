#pragma once

#include "qinterfacemessage.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

// Firmware transfer commands; their target word is the FLASH_DEVICE_T value.
constexpr quint16 CMD_FLASH_START = 0x0902;
constexpr quint16 CMD_FLASH_BLOCK = 0x0A02;
constexpr quint16 CMD_FLASH_END = 0x0D02;

// Reads a firmware file once and turns it into the messages that carry it: a start
// message, one message per block of at most 96 bytes, an end message.
class QFlashUpdater : public QObject
{
    Q_OBJECT
public:
    // What is flashed; the value is also the target word of every message.
    enum FLASH_DEVICE_T {
        FLASH_MODEM = 0,         // the USB-stick
        FLASH_DEVICE = 1,        // the actuator, addressed directly
        FLASH_DEVICE_REMOTE = 2, // the actuator in its autonomous mode
    };
    Q_ENUM(FLASH_DEVICE_T)

    static constexpr int HeaderSize = 15;
    static constexpr int BlockSize = 96;

    // The header of the last file read (little-endian in the file).
    struct FirmwareInfo {
        quint16 headerLength = 0; // offset of the first section
        quint32 imageWord = 0;
        quint32 imageSize = 0;
        quint8 type = 0;
        quint8 major = 0;
        quint8 minor = 0;
        quint8 board = 0;
        quint8 headerByte14 = 0;

        // In the order a target reports its version: major, type, board, minor.
        QByteArray version() const;
    };

    // Why the last file was refused.
    enum LoadError {
        NoError,
        CannotOpen,
        NotFirmware, // its header or sections do not describe an image
        Truncated,   // a sound beginning that ends before the image does
    };
    Q_ENUM(LoadError)

    // No firmware comes near this; a larger file is not read.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    // With a file name the file is read at once.
    explicit QFlashUpdater(QObject *parent = nullptr, const QString &fileName = QString(),
                           FLASH_DEVICE_T target = FLASH_MODEM);
    ~QFlashUpdater() override;

    // Replaces the messages; false (and no messages) when the file cannot be read or
    // does not hold a sound image.
    bool loadFile(const QString &fileName, FLASH_DEVICE_T target);
    bool loadData(const QByteArray &data, FLASH_DEVICE_T target);

    // Copies of the prepared messages in sending order; *more is false past the end.
    QRS232Message firstMessage(bool *more);
    QRS232Message nextMessage(bool *more);
    int messageCount() const { return int(m_messages.size()); }
    int currentIndex() const { return m_index; }
    FirmwareInfo fileInfo() const { return m_info; }
    // The file the messages were made from; empty when none is loaded.
    QString fileName() const { return m_fileName; }
    LoadError loadError() const { return m_error; }
    // For the user: what is wrong with the last file refused; empty after a success.
    QString errorString() const { return m_errorString; }

    static quint16 targetWord(FLASH_DEVICE_T target);

private:
    void append(quint16 command, quint16 target, const QByteArray &payload);
    bool fail(LoadError error, const QString &text, const QString &why);
    // A file that breaks off where the header says more follows: cut short when its
    // beginning is a sound firmware header, else not a firmware at all.
    bool failShort(qint64 length, const QString &why);
    bool soundHeader() const;

    std::vector<std::unique_ptr<QRS232Message>> m_messages;
    int m_index = -1;
    FirmwareInfo m_info;
    QString m_fileName;
    LoadError m_error = NoError;
    QString m_errorString;
};
