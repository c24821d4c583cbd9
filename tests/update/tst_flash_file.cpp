// Reading firmware files into the messages that carry them, and the pure rules of
// flashing: the partner file's name and the apply wait.
#include "firmwarefile.h"
#include "qflashcontroller.h"
#include "qflashupdater.h"

#include <QTemporaryDir>
#include <QTest>

using vexo::emu::FirmwareFile;

namespace
{
quint32 u32At(const QByteArray &b, int offset)
{
    return quint32(quint8(b[offset])) | quint32(quint8(b[offset + 1])) << 8 |
           quint32(quint8(b[offset + 2])) << 16 | quint32(quint8(b[offset + 3])) << 24;
}

QByteArray bytes(int size, int seed)
{
    QByteArray out;
    for (int i = 0; i < size; ++i)
        out.append(char((i * 31 + seed) & 0xFF));
    return out;
}

struct Block {
    quint32 number = 0;
    quint32 address = 0;
    QByteArray data;
};

// The block messages of the list, each checked to carry its command and target word.
QList<Block> blocksOf(QFlashUpdater &u, quint16 target)
{
    QList<Block> blocks;
    bool more = false;
    for (QRS232Message m = u.firstMessage(&more); more; m = u.nextMessage(&more)) {
        const QByteArray p = m.frame_payload();
        if (m.command() != CMD_FLASH_BLOCK || m.target() != target || p.size() < 8)
            continue;
        blocks.append({u32At(p, 0), u32At(p, 4), p.mid(8)});
    }
    return blocks;
}
} // namespace

class tst_flash_file : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &data)
    {
        QFile f(m_dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
            return QString();
        return f.fileName();
    }

private slots:
    void sectionsBecomeNumberedBlocks()
    {
        FirmwareFile f;
        f.type = 1;
        f.board = 5;
        f.sections = {{0x08000000, bytes(200, 1)}, {0x08100000, bytes(96, 2)}, {0x0000FF00, {}}};
        QFlashUpdater u;
        QVERIFY(u.loadFile(write("three.bin", f.toBytes()), QFlashUpdater::FLASH_DEVICE));
        // start, 3 + 1 + 1 blocks, end
        QCOMPARE(u.messageCount(), 7);
        const QList<Block> blocks = blocksOf(u, 1);
        QCOMPARE(blocks.size(), 5);
        const quint32 addresses[] = {0x08000000, 0x08000060, 0x080000C0, 0x08100000, 0x0000FF00};
        const int sizes[] = {96, 96, 8, 96, 0};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(blocks[i].number, quint32(i));
            QCOMPARE(blocks[i].address, addresses[i]);
            QCOMPARE(blocks[i].data.size(), sizes[i]);
        }
        QCOMPARE(blocks[0].data + blocks[1].data + blocks[2].data, f.sections[0].data);
        QCOMPARE(blocks[3].data, f.sections[1].data);

        bool more = false;
        QRS232Message m = u.firstMessage(&more);
        while (more && m.command() != CMD_FLASH_END && m.need_answer())
            m = u.nextMessage(&more);
        // Every message wants an answer; the last one ends the image.
        QCOMPARE(m.command(), CMD_FLASH_END);
        QVERIFY(m.need_answer());
        QCOMPARE(m.target(), quint16(1));
        QVERIFY(m.frame_payload().isEmpty());
        QCOMPARE(u.currentIndex(), 6);
        u.nextMessage(&more);
        QVERIFY(!more);
        QCOMPARE(u.currentIndex(), 6);
    }

    void startMessageCarriesTheHeader()
    {
        FirmwareFile f;
        f.imageWord = 0x11223344;
        f.type = 0x7E;
        f.major = 200;
        f.minor = 3;
        f.board = 0x7D;
        f.headerByte14 = 0xA5;
        f.headerLength = 20; // a longer header: the section starts after it
        f.sections = {{0x100, bytes(10, 3)}};
        QFlashUpdater u;
        QVERIFY(u.loadData(f.toBytes(), QFlashUpdater::FLASH_DEVICE_REMOTE));
        const QFlashUpdater::FirmwareInfo info = u.fileInfo();
        QCOMPARE(info.headerLength, quint16(20));
        QCOMPARE(info.imageSize, quint32(10));
        QCOMPARE(info.major, quint8(200));
        bool more = false;
        const QRS232Message start = u.firstMessage(&more);
        QCOMPARE(start.command(), CMD_FLASH_START);
        QCOMPARE(start.target(), quint16(2));
        QCOMPARE(start.frame_payload(),
                 QByteArray::fromHex("44332211 0a000000 7e c8 03 7d a5 6000"));
        QCOMPARE(blocksOf(u, 2).first().address, quint32(0x100));

        // A target word beyond the known ones addresses the stick.
        QVERIFY(u.loadData(f.toBytes(), QFlashUpdater::FLASH_DEVICE_T(7)));
        QCOMPARE(u.firstMessage(&more).target(), quint16(0));
    }

    void unsoundFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("error");
        const int notFirmware = QFlashUpdater::NotFirmware;
        const int cut = QFlashUpdater::Truncated;
        FirmwareFile good;
        good.sections = {{0x800, bytes(40, 4)}, {0x900, bytes(300, 5)}};
        const QByteArray ok = good.toBytes();

        QTest::newRow("empty") << QByteArray() << notFirmware;
        QTest::newRow("shorter than the header") << ok.left(14) << notFirmware;
        FirmwareFile big = good;
        big.imageSize = ok.size() + 1;
        QTest::newRow("image size beyond the file") << big.toBytes() << cut;
        QTest::newRow("cut in the middle") << ok.left(ok.size() / 2) << cut;
        QByteArray longHeader = ok.left(40);
        longHeader[0] = char(0x40);
        QTest::newRow("header length beyond the file") << longHeader << cut;
        QTest::newRow("section header cut") << ok + QByteArray::fromHex("0010000000") << cut;
        QTest::newRow("section cut") << ok.left(ok.size() - 1) << cut;
        FirmwareFile none = good;
        none.sections.clear();
        QTest::newRow("no section") << none.toBytes() << notFirmware;
        QTest::newRow("header only, padded") << none.toBytes() + QByteArray(4, '\0') << notFirmware;
        // What else a user may pick by mistake.
        QTest::newRow("text") << QByteArray("Release notes\n- faster opening\n").repeated(20)
                              << notFirmware;
        QTest::newRow("document")
            << QByteArray("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< /Type /Catalog >>\n")
                   .repeated(8)
            << notFirmware;
        QByteArray header = ok.left(FirmwareFile::HeaderSize);
        QTest::newRow("header, then noise")
            << header + QByteArray::fromHex("00000008FFFFFFFF") + bytes(400, 6) << notFirmware;
        QByteArray shortHeader = ok;
        shortHeader[0] = char(4);
        QTest::newRow("header length inside the header") << shortHeader.left(60) << notFirmware;
    }

    void unsoundFilesAreRefused()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, error);
        FirmwareFile good;
        good.sections = {{0x800, bytes(40, 4)}};
        QFlashUpdater u;
        QVERIFY(u.loadData(good.toBytes(), QFlashUpdater::FLASH_MODEM));
        // A refused file leaves nothing behind that could be sent.
        QVERIFY(!u.loadFile(write("bad.bin", data), QFlashUpdater::FLASH_MODEM));
        // The user is told which: no firmware at all, or one cut short.
        QCOMPARE(int(u.loadError()), error);
        QVERIFY(u.errorString().startsWith(error == QFlashUpdater::Truncated
                                               ? "Файл прошивки обрывается"
                                               : "Это не файл прошивки"));
        QCOMPARE(u.messageCount(), 0);
        QVERIFY(u.fileName().isEmpty());
        bool more = true;
        u.firstMessage(&more);
        QVERIFY(!more);
        QCOMPARE(u.currentIndex(), -1);
    }

    void fileHandling()
    {
        QFlashUpdater u(nullptr, m_dir.filePath("missing.bin"), QFlashUpdater::FLASH_MODEM);
        QCOMPARE(u.messageCount(), 0);
        QCOMPARE(u.loadError(), QFlashUpdater::CannotOpen);
        QVERIFY(u.errorString().startsWith("Файл не открывается: "));
        // A huge file is refused without being read.
        QFile huge(m_dir.filePath("huge.bin"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(QFlashUpdater::MaxFileSize + 1));
        huge.close();
        QVERIFY(!u.loadFile(huge.fileName(), QFlashUpdater::FLASH_MODEM));
        QCOMPARE(u.loadError(), QFlashUpdater::NotFirmware);
        QCOMPARE(u.errorString(), QString("Это не файл прошивки: он больше 16 МБ."));
        huge.remove();
        // Four bytes after the last section are not a section; the file is still sound.
        FirmwareFile f;
        f.sections = {{0x800, bytes(5, 5)}};
        const QString path = write("padded.bin", f.toBytes() + QByteArray(4, char(0xFF)));
        QVERIFY(u.loadFile(path, QFlashUpdater::FLASH_MODEM));
        QCOMPARE(u.messageCount(), 3);
        QCOMPARE(u.fileName(), path);
        QCOMPARE(u.loadError(), QFlashUpdater::NoError);
        QVERIFY(u.errorString().isEmpty());
    }

    void partnerNames()
    {
        QCOMPARE(QFlashController::partnerFileName("/data/fw 3 and 4/drive_4.bin"),
                 QString("/data/fw 3 and 4/drive_3.bin"));
        QCOMPARE(QFlashController::partnerFileName("/data/v4/drive_3.bin"),
                 QString("/data/v4/drive_4.bin"));
        // With a 4 in the name only the 4s change.
        QCOMPARE(QFlashController::partnerFileName("a34_4.bin"), QString("a33_3.bin"));
        QCOMPARE(QFlashController::partnerFileName("/data/3/drive.bin"),
                 QString("/data/3/drive.bin"));
    }

    void applyWaits()
    {
        QCOMPARE(QFlashController::applyWaitMs(QFlashUpdater::FLASH_MODEM, 128000), 15000);
        QCOMPARE(QFlashController::applyWaitMs(QFlashUpdater::FLASH_DEVICE, 128000), 30000);
        QCOMPARE(QFlashController::applyWaitMs(QFlashUpdater::FLASH_DEVICE_REMOTE, 128000), 0);
        QCOMPARE(QFlashController::applyWaitMs(QFlashUpdater::FLASH_MODEM, 12799), 5999);
        // No overflow for the largest size a header can declare.
        QCOMPARE(QFlashController::applyWaitMs(QFlashUpdater::FLASH_DEVICE, 0xFFFFFFFF),
                 int(5000 + 0xFFFFFFFFLL * 25000 / 128000));
    }
};

QTEST_GUILESS_MAIN(tst_flash_file)
#include "tst_flash_file.moc"
