#pragma once

#include "qcontroldevice.h"

#include <QList>
#include <QString>
#include <QStringList>

// Whether a table can go into a memory as it is, checked before anything there is cleared
// or changed: the records must hold every remote unchanged, and the places must suffice.
// Plain functions, kept apart from the operations that ask them.

// The records' format a check is made for; any: a name that either format holds.
enum RECORD_FORMAT_T {
    RECORDS_ANY = 0,
    RECORDS_SHORT = 1,
    RECORDS_LONG = 2,
};

RECORD_FORMAT_T recordFormat(bool longRecords);

// Whether an owner name goes into a record of this format and reads back the same.
bool ownerNameFits(const QString &name, RECORD_FORMAT_T format);
// Why it does not; empty when it does.
QString ownerNameProblem(const QString &name, RECORD_FORMAT_T format);

// The positions in list of the remotes a record cannot hold unchanged (owner name, id).
QList<int> unfitRemotes(const QList<QControlDevice> &list, RECORD_FORMAT_T format);

// What a refused change tells the user: what was not done, the counts when the places do
// not suffice (empty when they do), then the first remotes the records cannot hold, each
// with its id, owner and reason.
QString tableRefusal(const QString &notDone, const QString &counts,
                     const QList<QControlDevice> &list, const QList<int> &unfit,
                     RECORD_FORMAT_T format);

// A remote on one line: its id and owner, a long owner cut short.
QString remoteLabel(const QControlDevice &remote);
