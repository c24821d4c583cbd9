// Version files from the update server: any bytes, for any installed version. The file
// either offers nothing and leaves the change list empty, or offers a change list that
// starts at a version line after the installed one and shows every later line once.
#include "fuzzinput.h"
#include "qupdatemanager.h"

FUZZ_CORE_APPLICATION()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const QString shortKey = QString::number(in.byte()) + "." + QString::number(in.byte());
    // The program's own version carries a letter or two after the numbers.
    const QString fullKey = shortKey + QString::fromLatin1(in.piece(2));
    const QByteArray content = in.rest();

    const QStringList lines = QUpdateManager::splitLines(content);
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        FUZZ_CHECK(!line.contains(QChar(0)));
        const qsizetype inner = line.indexOf('\n');
        FUZZ_CHECK(inner < 0 || inner == line.size() - 1);
        breaks += inner >= 0;
    }
    FUZZ_CHECK(lines.size() == content.count('\n') + (content.endsWith('\n') ? 0 : 1) ||
               content.isEmpty());
    FUZZ_CHECK(breaks <= content.count('\n'));

    QStringList changes;
    const bool newer = QUpdateManager::parseVersionFile(lines, shortKey, fullKey, &changes);
    if (!newer) {
        FUZZ_CHECK(changes.isEmpty());
        return 0;
    }
    FUZZ_CHECK(!changes.isEmpty() && changes.size() < lines.size());
    FUZZ_CHECK(changes.first().startsWith("<b>"));
    for (const QString &change : changes) {
        FUZZ_CHECK(change.endsWith("<br>"));
        FUZZ_CHECK(!change.contains('\n'));
    }
    // The installed version is listed before the first change.
    const qsizetype first = lines.size() - changes.size();
    bool listed = false;
    for (qsizetype i = 0; i < first; ++i)
        listed = listed || lines.at(i).startsWith(shortKey);
    FUZZ_CHECK(listed);
    return 0;
}
