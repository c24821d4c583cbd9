#pragma once

#include "qcontroldevice.h"

#include <QList>
#include <QString>
#include <QStringList>

// How a table of the stick differs from another table (a file, a backup, the table just
// written), remote by remote. Plain functions, kept apart from the widgets.

struct RemoteDifference {
    enum KIND_T {
        ONLY_IN_STICK = 0,
        ONLY_IN_FILE = 1,
        CHANGED = 2,
    };
    enum FIELD_T {
        FIELD_OWNER = 0x01,
        FIELD_GROUP = 0x02,
        FIELD_STATE = 0x04,
        FIELD_WORK_MODE = 0x08,
    };

    KIND_T kind = CHANGED;
    int id = 0;
    QControlDevice stick; // blank for ONLY_IN_FILE
    QControlDevice file;  // blank for ONLY_IN_STICK
    int fields = 0;       // FIELD_T bits, for CHANGED
};

// The remote as the stick's records keep it: a work mode reduced to its lowest bit. Owner
// names stay as they are; one the records cannot hold is refused before any write.
QControlDevice storedForm(const QControlDevice &remote, bool longRecords);

// Differences between the stick's table and another one, both taken as the stick would
// store them: the stick's remotes in its order, then those only in the other table in
// theirs. Of an id listed twice, the first counts.
QList<RemoteDifference> compareTables(const QList<QControlDevice> &stick,
                                      const QList<QControlDevice> &file, bool longRecords);

// The stick's table after the differences have been made: deletions remove, writes
// replace in place or append, as the stick does.
QList<QControlDevice> applyDifference(const QList<QControlDevice> &stick,
                                      const RemoteDifference &difference);

// The order the differences are sent in: deletions first, so that additions find room in
// a full memory.
QList<RemoteDifference> applyOrder(const QList<RemoteDifference> &differences);

// "владелец, группа"; translated.
QString changedFieldsText(int fields);
// One line per difference, at most `limit` lines and a last one saying how many more.
QStringList differenceLines(const QList<RemoteDifference> &differences, int limit);
// One remote in a few words: owner, group, state and work mode.
QString remoteSummary(const QControlDevice &remote);
