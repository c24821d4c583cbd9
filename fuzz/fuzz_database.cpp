// Database and backup files: any bytes as a JSON file. A file either loads whole, with
// no two remotes of one id and every value one the stick can hold, or leaves the list
// as it was; what loads is saved and loaded again unchanged.
#include "fuzzinput.h"
#include "qdbmanipulator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

FUZZ_CORE_APPLICATION()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // In memory where the system offers it: every save is synced to disk.
    static QTemporaryDir dir(QFileInfo("/dev/shm").isWritable()
                                 ? QStringLiteral("/dev/shm/vexo-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/vexo-fuzz-XXXXXX"));
    static const QString input = dir.filePath("input.json");
    static const QString again = dir.filePath("again.json");
    {
        QFile file(input);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const QList<QControlDevice> before{QControlDevice(nullptr, 77, 1, "before")};
    QList<QControlDevice> list = before;
    QString error;
    if (!QDbManipulator::loadFromFile(input, list, &error)) {
        FUZZ_CHECK(list == before);
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    QSet<int> ids;
    for (const QControlDevice &remote : list) {
        FUZZ_CHECK(remote.id() >= 0 && remote.id() <= QControlDevice::MaxId);
        FUZZ_CHECK(!ids.contains(remote.id()));
        ids.insert(remote.id());
    }
    FUZZ_CHECK(QDbManipulator::saveToFile(again, list, &error));
    QList<QControlDevice> reloaded;
    FUZZ_CHECK(QDbManipulator::loadFromFile(again, reloaded, &error));
    FUZZ_CHECK(reloaded == list);
    return 0;
}
