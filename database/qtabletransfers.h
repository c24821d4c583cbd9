#pragma once

#include "qcontroldevice.h"
#include "qmodem.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QModemSession;
class QOperation;
class QSettings;
class QTableFiles;
class RemoteList;

// The remote table between the PC and the stick: reading it, writing it (cleared first,
// checked after, the old table given back when the write is cut), clearing the memories;
// a table read or cleared is backed up first. Each user action is one operation; its parts are
// steps that other owners run inside operations of their own.
class QTableTransfers : public QObject
{
    Q_OBJECT
public:
    QTableTransfers(QModemSession *session, RemoteList *list, QTableFiles *files,
                    QObject *parent = nullptr);

    enum READ_RESULT_T { READ_OK, READ_NOT_COUNTED, READ_FAILED };
    // Every step below calls its continuation exactly once, also when the operation has
    // already ended (the stick gone, the operation cancelled between two transactions).
    using Then = std::function<void(bool ok)>;
    using ReadThen =
        std::function<void(READ_RESULT_T result, const QList<QControlDevice> &received)>;
    using WriteThen = std::function<void(bool ok, int written)>;

    // The next transaction of operation (see QModemSession::proceed).
    void proceedIn(QOperation *operation, MODEM_TRANSACTION_T transaction,
                   const std::function<void()> &sendFirst, const Then &then);
    // The stick's memory count, then its table, the progress counted per record.
    void readTableIn(QOperation *operation, const ReadThen &then, bool showArriving = false);
    // Clears the tables in mask; a long time-out is for the stick's own table.
    void clearIn(QOperation *operation, quint16 mask, bool longTimeout, const Then &then);
    // Clears the stick's table and writes list into it, the records with progress; the
    // records may be cancelled when cancellable is set.
    void writeTableIn(QOperation *operation, const QList<QControlDevice> &list, bool cancellable,
                      const WriteThen &then);
    // The stick's table read into the list: shown on success, reported on failure, and
    // backed up whenever the stick counted its records.
    void loadTableIn(QOperation *operation, const ReadThen &then);
    // Reads the stick's table when the one last read may no longer be what it holds;
    // a failed read has been reported.
    void ensureStickTableIn(QOperation *operation, const Then &then);
    // The stick's places counted.
    void countStickIn(QOperation *operation, const Then &then);
    // Before the stick's table is replaced or changed: that table known (read when it is
    // not), the places counted, fits() passed, the table kept in a backup. then(false)
    // when a step did not go through; each has told the user why, and that notDone.
    void prepareStickChangeIn(QOperation *operation, const std::function<bool()> &fits,
                              const QString &notDone, const Then &then);
    // Tells the user why list cannot go into the stick and returns true: counts says the
    // places do not suffice (empty when they do), and remotes its records cannot hold
    // unchanged are named.
    bool refuseTable(const QString &notDone, const QString &counts,
                     const QList<QControlDevice> &list);
    // refuseTable() for list written over the stick's table: more remotes than places
    // (places < 0: not known), or remotes the records cannot hold.
    bool refuseWrite(const QList<QControlDevice> &list, int places);
    // "Ошибка чтения списка пультов с USB-stick", unless the user cancelled operation.
    void warnReadFailed(const QOperation *operation);

    // A table written to the stick or copied between stick and actuator is read back
    // and checked.
    bool verifyAfterWrite() const { return m_verifyAfterWrite; }
    void setVerifyAfterWrite(bool on) { m_verifyAfterWrite = on; }
    static bool readVerifySetting(const QSettings &settings);
    static void writeVerifySetting(QSettings &settings, bool on);

signals:
    // A short note for the status bar: a check passed, the old table given back.
    void statusMessage(const QString &text);
    // A table read shows its records as they come (first: the first of this read); a
    // read that then fails drops them again.
    void remoteArriving(const QControlDevice &remote, bool first);
    void arrivingDropped();

public slots:
    // Each starts its operation and returns it at once; null when none started.
    QOperation *load_db_from_modem();
    QOperation *save_db_to_modem();
    QOperation *clear_modem_memory();

private:
    static QString writeNotDone();
    // The records only, without the memory count; shown as they come with showArriving.
    void readRecordsIn(QOperation *operation, const ReadThen &then, bool showArriving = false);
    void verifyWrittenIn(QOperation *operation, const QList<QControlDevice> &written);
    // After a cut write: the stick gets back the table it had, when that is known and the
    // stick still answers and takes a change.
    void giveBackIn(QOperation *operation, const QList<QControlDevice> &written, int count,
                    const QList<QControlDevice> &previous, bool restorable);
    void readBackClearedIn(QOperation *operation, bool cleared);
    // Both tables cleared (the stick's only in the actuator's autonomous mode), then read
    // back.
    void clearBothIn(QOperation *operation, bool remoteMode);
    // The list after a clear that could not be read back.
    void forgetClearedList();

    QModemSession *m_session;
    RemoteList *m_list;
    QTableFiles *m_files;
    bool m_verifyAfterWrite = true;
};
