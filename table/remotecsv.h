#pragma once

#include "qcontroldevice.h"

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// The remote table as CSV for spreadsheet programs, and the verdict on each row of a CSV
// file to import. Plain functions, kept apart from the widgets.

// The list separator spreadsheets expect in this locale: ';' where the decimal point is a
// comma (Russian and most of Europe), ',' elsewhere.
QChar csvSeparator(const QLocale &locale);
// One line of fields, quoted where needed, ending in CR LF.
QByteArray csvLine(const QStringList &fields, QChar separator);
// A cell a spreadsheet would take for a formula (it begins with = + - @, a tab or a
// carriage return) gets an apostrophe before it, so it is shown as text and never run.
QString csvSafeCell(const QString &cell);
// Takes off the apostrophe csvSafeCell put before such a cell.
QString csvCellText(const QString &cell);
// UTF-8 with a byte-order mark (spreadsheets take the file as UTF-8 only with it), a
// heading line, then one line per remote: id, owner, group, state, work mode; every cell
// through csvSafeCell.
QByteArray remotesToCsv(const QList<QControlDevice> &list, QChar separator);

// Records of a CSV text: each with its fields and the line it starts on. An opening quote
// that is never closed makes its record unreadable.
struct CsvRecord {
    int line = 0;
    QStringList fields;
    bool readable = true;
};
QList<CsvRecord> parseCsv(const QString &text, QChar separator);
// The separator used by a file: the most frequent of ';', ',' and tab outside quotes in
// its first line.
QChar detectCsvSeparator(const QString &text);
// The file's bytes as text: UTF-8 (byte-order mark or not), else Windows-1251, which
// spreadsheets in Russian write by default.
QString decodeCsv(const QByteArray &bytes);

enum CSV_VERDICT_T {
    CSV_ACCEPTED = 0,
    CSV_WARNING = 1,
    CSV_REFUSED = 2,
};

struct CsvRowVerdict {
    int line = 0;
    QStringList fields;
    CSV_VERDICT_T verdict = CSV_ACCEPTED;
    QStringList notes; // why it is not plainly accepted
    QControlDevice remote;
    bool imported = false; // the row goes into the table
};

struct CsvImport {
    QList<CsvRowVerdict> rows;
    bool heading = false;
    QChar separator;

    // The remotes that are imported, in file order.
    QList<QControlDevice> remotes() const;
    int count(CSV_VERDICT_T verdict) const;
    QString summary() const;
};

// Judges every row, each cell read through csvCellText. A first line whose first field
// is not a number is the heading and
// names the columns (in any order; unknown ones are ignored); without one the columns
// are those of remotesToCsv. An owner is cut to what the stick's records hold.
CsvImport importRemotesCsv(const QByteArray &bytes, bool longRecords);
