// A CSV file to import: any bytes, for short and long records. Every row gets a verdict;
// what is imported has ids in range, once each, and owners the stick can hold. Exported
// again, no cell of it can be run by a spreadsheet, and importing that gives the same
// remotes back.
#include "fuzzinput.h"
#include "remotecsv.h"
#include "remotetable.h"

#include <QSet>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    quietLogging();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const bool longRecords = in.flag();
    const CsvImport parsed = importRemotesCsv(in.rest(), longRecords);

    QSet<int> ids;
    for (const CsvRowVerdict &row : parsed.rows) {
        FUZZ_CHECK(!row.imported || row.verdict != CSV_REFUSED);
        FUZZ_CHECK(row.verdict == CSV_ACCEPTED || !row.notes.isEmpty());
        if (!row.imported)
            continue;
        FUZZ_CHECK(row.remote.id() >= 0 && row.remote.id() <= QControlDevice::MaxId);
        FUZZ_CHECK(!ids.contains(row.remote.id()));
        ids.insert(row.remote.id());
        FUZZ_CHECK(row.remote.ownerName().size() <= MaxOwnerNameLength);
    }
    const QList<QControlDevice> remotes = parsed.remotes();
    FUZZ_CHECK(remotes.size() == ids.size());

    const QByteArray csv = remotesToCsv(remotes, ';');
    const QList<CsvRecord> records = parseCsv(decodeCsv(csv), ';');
    FUZZ_CHECK(records.size() == remotes.size() + 1);
    for (const CsvRecord &record : records) {
        FUZZ_CHECK(record.readable);
        for (const QString &cell : record.fields)
            FUZZ_CHECK(cell.isEmpty() || !QStringLiteral("=+-@\t\r").contains(cell.front()));
    }
    FUZZ_CHECK(importRemotesCsv(csv, longRecords).remotes() == remotes);
    return 0;
}
