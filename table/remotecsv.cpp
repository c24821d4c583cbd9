#include "remotecsv.h"

#include "cp1251.h"
#include "remotetable.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringDecoder>

namespace
{
const char Bom[] = "\xEF\xBB\xBF";

QString trCsv(const char *text)
{
    return QCoreApplication::translate("QCsvImportDialog", text);
}

// Column headings in the order remotesToCsv writes them.
enum CSV_COLUMN_T { CSV_ID, CSV_OWNER, CSV_GROUP, CSV_STATE, CSV_WORK_MODE, CSV_COLUMNS };

const char *const Headings[CSV_COLUMNS] = {
    QT_TRANSLATE_NOOP("QCsvImportDialog", "Пульт"),
    QT_TRANSLATE_NOOP("QCsvImportDialog", "Владелец"),
    QT_TRANSLATE_NOOP("QCsvImportDialog", "Группа"),
    QT_TRANSLATE_NOOP("QCsvImportDialog", "Статус"),
    QT_TRANSLATE_NOOP("QCsvImportDialog", "Режим работы"),
};
// Further names a column is known by, in lower case: the English ones and those of the
// JSON files.
const char *const OtherNames[CSV_COLUMNS] = {"id", "owner|ownername", "group",
                                             "state|status|active", "work mode|workmode|mode"};

int columnOf(const QString &heading)
{
    const QString name = heading.trimmed().toLower();
    for (int c = 0; c < CSV_COLUMNS; ++c) {
        if (name == trCsv(Headings[c]).toLower() ||
            name == QString::fromUtf8(Headings[c]).toLower() ||
            QString::fromLatin1(OtherNames[c]).split('|').contains(name))
            return c;
    }
    return -1;
}

QString activeText(bool active)
{
    return QCoreApplication::translate("MainWindow", active ? "Активен" : "Заблокирован");
}

// Accepts the state as exported in any language the program speaks, and plain words.
bool parseState(const QString &text, bool *active)
{
    const QString t = text.trimmed().toLower();
    for (bool value : {true, false}) {
        const char *source = value ? "Активен" : "Заблокирован";
        const QStringList names = {
            activeText(value).toLower(), QString::fromUtf8(source).toLower(), value ? "1" : "0",
            value ? "true" : "false",    value ? "active" : "blocked",        value ? "да" : "нет"};
        if (names.contains(t)) {
            *active = value;
            return true;
        }
    }
    return false;
}

bool parseNumber(const QString &text, qint64 min, qint64 max, qint64 *value, bool *inRange)
{
    bool ok = false;
    *value = text.trimmed().toLongLong(&ok, 10);
    *inRange = ok && *value >= min && *value <= max;
    return ok;
}

QString fitOwner(const QString &name, bool longRecords)
{
    const int room =
        (longRecords ? QControlDevice::LongRecordSize : QControlDevice::ShortRecordSize) -
        QControlDevice::NameOffset;
    QString fitted = name.left(MaxOwnerNameLength);
    if (fitted.size() > 0 && fitted.at(fitted.size() - 1).isHighSurrogate())
        fitted.chop(1);
    // Characters of several UTF-8 bytes may still not fit a long record.
    const QByteArray bytes = encodeOwnerName(fitted, longRecords, room);
    if (longRecords)
        fitted = QString::fromUtf8(bytes);
    return fitted;
}
} // namespace

QChar csvSeparator(const QLocale &locale)
{
    return locale.decimalPoint() == QStringLiteral(",") ? QChar(';') : QChar(',');
}

QByteArray csvLine(const QStringList &fields, QChar separator)
{
    QStringList quoted;
    for (const QString &field : fields) {
        // Quoted also for leading or trailing spaces, which spreadsheets would drop.
        const bool quote = field.contains(separator) || field.contains('"') ||
                           field.contains('\n') || field.contains('\r') || field.trimmed() != field;
        QString f = field;
        if (quote)
            f = '"' + f.replace('"', QStringLiteral("\"\"")) + '"';
        quoted << f;
    }
    return quoted.join(separator).toUtf8() + "\r\n";
}

namespace
{
bool startsFormula(QStringView cell)
{
    static const QString Triggers = QStringLiteral("=+-@\t\r");
    return !cell.isEmpty() && Triggers.contains(cell.front());
}
} // namespace

QString csvSafeCell(const QString &cell)
{
    return startsFormula(cell) ? QLatin1Char('\'') + cell : cell;
}

QString csvCellText(const QString &cell)
{
    return cell.startsWith(QLatin1Char('\'')) && startsFormula(QStringView(cell).mid(1))
               ? cell.mid(1)
               : cell;
}

QByteArray remotesToCsv(const QList<QControlDevice> &list, QChar separator)
{
    QByteArray out(Bom);
    QStringList heading;
    for (const char *h : Headings)
        heading << csvSafeCell(trCsv(h));
    out += csvLine(heading, separator);
    for (const QControlDevice &r : list) {
        QStringList cells = {QString::number(r.id()), r.ownerName(), QString::number(r.group()),
                             activeText(r.active()), QString::number(r.workMode())};
        for (QString &cell : cells)
            cell = csvSafeCell(cell);
        out += csvLine(cells, separator);
    }
    return out;
}

QString decodeCsv(const QByteArray &bytes)
{
    QByteArray body = bytes;
    if (body.startsWith(Bom))
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    return cp1251::decode(body);
}

QChar detectCsvSeparator(const QString &text)
{
    QHash<QChar, int> counts;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted && (c == ';' || c == ',' || c == '\t'))
            ++counts[c];
    }
    QChar best(';');
    for (const QChar c : {QChar(','), QChar('\t')})
        if (counts.value(c) > counts.value(best))
            best = c;
    return best;
}

QList<CsvRecord> parseCsv(const QString &text, QChar separator)
{
    QList<CsvRecord> records;
    CsvRecord record;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    record.line = 1;
    const auto endRecord = [&] {
        record.fields << field;
        // A line with nothing on it is no record.
        if (record.fields.size() > 1 || !record.fields.first().isEmpty() || fieldStarted)
            records << record;
        record = CsvRecord();
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text.at(i + 1) == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n')
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == '"' && field.isEmpty() && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == separator) {
            record.fields << field;
            field.clear();
            fieldStarted = false;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n')
                ++i;
            endRecord();
            record.line = ++line;
        } else {
            field += c;
        }
    }
    if (quoted)
        record.readable = false;
    if (quoted || !field.isEmpty() || !record.fields.isEmpty())
        endRecord();
    return records;
}

QList<QControlDevice> CsvImport::remotes() const
{
    QList<QControlDevice> list;
    for (const CsvRowVerdict &row : rows)
        if (row.imported)
            list << row.remote;
    return list;
}

int CsvImport::count(CSV_VERDICT_T verdict) const
{
    int n = 0;
    for (const CsvRowVerdict &row : rows)
        if (row.verdict == verdict)
            ++n;
    return n;
}

QString CsvImport::summary() const
{
    return trCsv("Строк: %1. Будет импортировано пультов: %2. Принято: %3, с предупреждениями: %4, "
                 "отклонено: %5.")
        .arg(rows.size())
        .arg(remotes().size())
        .arg(count(CSV_ACCEPTED))
        .arg(count(CSV_WARNING))
        .arg(count(CSV_REFUSED));
}

CsvImport importRemotesCsv(const QByteArray &bytes, bool longRecords)
{
    CsvImport result;
    const QString text = decodeCsv(bytes);
    result.separator = detectCsvSeparator(text);
    QList<CsvRecord> records = parseCsv(text, result.separator);
    for (CsvRecord &record : records)
        for (QString &field : record.fields)
            field = csvCellText(field);

    int columns[CSV_COLUMNS] = {CSV_ID, CSV_OWNER, CSV_GROUP, CSV_STATE, CSV_WORK_MODE};
    int width = CSV_COLUMNS;
    if (!records.isEmpty() && records.first().readable) {
        bool numeric = false;
        records.first().fields.value(0).trimmed().toLongLong(&numeric, 10);
        if (!numeric) {
            result.heading = true;
            const QStringList heading = records.takeFirst().fields;
            width = int(heading.size());
            std::fill(std::begin(columns), std::end(columns), -1);
            for (int i = heading.size() - 1; i >= 0; --i) {
                const int c = columnOf(heading.at(i));
                if (c >= 0)
                    columns[c] = i;
            }
        }
    }

    QHash<int, int> seen; // id -> line of the row imported with it
    for (const CsvRecord &record : qAsConst(records)) {
        CsvRowVerdict row;
        row.line = record.line;
        row.fields = record.fields;
        const auto refuse = [&row](const QString &why) {
            row.verdict = CSV_REFUSED;
            row.notes << why;
        };
        const auto warn = [&row](const QString &why) {
            if (row.verdict == CSV_ACCEPTED)
                row.verdict = CSV_WARNING;
            row.notes << why;
        };
        // Missing when the column is unknown or the line ends before it.
        const auto field = [&](int column, QString *value) {
            const int at = columns[column];
            if (at < 0 || at >= record.fields.size() || record.fields.at(at).trimmed().isEmpty())
                return false;
            *value = record.fields.at(at);
            return true;
        };

        if (!record.readable) {
            refuse(trCsv(
                QT_TRANSLATE_NOOP("QCsvImportDialog", "строка не читается: кавычка не закрыта")));
        } else if (record.fields.size() > width) {
            refuse(trCsv(QT_TRANSLATE_NOOP("QCsvImportDialog",
                                           "строка не читается: полей %1 вместо %2"))
                       .arg(record.fields.size())
                       .arg(width));
        } else {
            QString value;
            qint64 number = 0;
            bool inRange = false;
            if (!field(CSV_ID, &value))
                refuse(trCsv(QT_TRANSLATE_NOOP("QCsvImportDialog", "нет номера пульта")));
            else if (!parseNumber(value, 0, QControlDevice::MaxId, &number, &inRange))
                refuse(trCsv(QT_TRANSLATE_NOOP("QCsvImportDialog", "номер пульта не число: %1"))
                           .arg(value));
            else if (!inRange)
                refuse(
                    trCsv(QT_TRANSLATE_NOOP("QCsvImportDialog", "номер пульта вне диапазона 0..%1"))
                        .arg(QControlDevice::MaxId));
            else
                row.remote.setId(int(number));

            if (!field(CSV_GROUP, &value))
                warn(trCsv(QT_TRANSLATE_NOOP("QCsvImportDialog", "нет группы: взята 0")));
            else if (!parseNumber(value, 0, 255, &number, &inRange))
                refuse(
                    trCsv(QT_TRANSLATE_NOOP("QCsvImportDialog", "группа не число: %1")).arg(value));
            else if (!inRange)
                refuse(trCsv(QT_TRANSLATE_NOOP("QCsvImportDialog", "группа вне диапазона 0..255")));
            else
                row.remote.setGroup(quint8(number));

            bool active = true;
            if (!field(CSV_STATE, &value))
                warn(trCsv(QT_TRANSLATE_NOOP("QCsvImportDialog", "нет статуса: пульт активен")));
            else if (!parseState(value, &active))
                refuse(trCsv(QT_TRANSLATE_NOOP("QCsvImportDialog", "статус не распознан: %1"))
                           .arg(value));
            row.remote.setActive(active);

            if (!field(CSV_WORK_MODE, &value))
                warn(trCsv(
                    QT_TRANSLATE_NOOP("QCsvImportDialog", "нет режима работы: взят обычный")));
            else if (!parseNumber(value, 0, 255, &number, &inRange) || !inRange)
                refuse(trCsv(QT_TRANSLATE_NOOP("QCsvImportDialog", "режим работы не распознан: %1"))
                           .arg(value));
            else
                row.remote.setWorkMode(quint8(number));

            const int ownerAt = columns[CSV_OWNER];
            if (ownerAt < 0 || ownerAt >= record.fields.size()) {
                warn(trCsv(QT_TRANSLATE_NOOP("QCsvImportDialog", "нет владельца")));
            } else {
                const QString owner = record.fields.at(ownerAt);
                const QString fitted = fitOwner(owner, longRecords);
                if (fitted != owner)
                    warn(trCsv(QT_TRANSLATE_NOOP("QCsvImportDialog",
                                                 "владелец обрезан до %1 символов"))
                             .arg(fitted.size()));
                row.remote.setOwnerName(fitted);
            }
        }
        if (row.verdict != CSV_REFUSED) {
            const auto first = seen.constFind(row.remote.id());
            if (first != seen.cend()) {
                warn(trCsv(QT_TRANSLATE_NOOP("QCsvImportDialog",
                                             "номер пульта уже есть в строке %1: строка пропущена"))
                         .arg(*first));
            } else {
                seen.insert(row.remote.id(), row.line);
                row.imported = true;
            }
        }
        result.rows << row;
    }
    return result;
}
