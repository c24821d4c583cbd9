#pragma once

#include "qcontroldevice.h"

#include <QList>
#include <QObject>
#include <QString>

class QModemSession;
class QSettings;
class QTableFiles;
class QWaitDialog;
class RemoteList;

// The remote table between the PC and the stick: reading it, writing it (cleared first,
// checked after), clearing the memories; a table read or cleared is backed up first. Registers the
// table read's and write's steps.
class QTableTransfers : public QObject
{
    Q_OBJECT
public:
    QTableTransfers(QModemSession *session, RemoteList *list, QTableFiles *files,
                    QObject *parent = nullptr);

    enum READ_RESULT_T { READ_OK, READ_NOT_COUNTED, READ_FAILED };
    // The memory query, then the table behind a progress dialog.
    READ_RESULT_T read_stick_table(QList<QControlDevice> *received);
    // Reads the stick's table when the one last read may no longer be what it holds.
    bool ensure_stick_table();
    bool clear_table_memory(QWaitDialog *dialog, quint16 mask, bool longTimeout);

    // A table written to the stick or copied between stick and actuator is read back
    // and checked.
    bool verify_after_write() const { return m_verifyAfterWrite; }
    void set_verify_after_write(bool on) { m_verifyAfterWrite = on; }
    static bool readVerifySetting(const QSettings &settings);
    static void writeVerifySetting(QSettings &settings, bool on);

signals:
    // A short note for the status bar: a check passed, the old table given back.
    void statusMessage(const QString &text);

public slots:
    bool load_db_from_modem();
    bool save_db_to_modem();
    bool clear_modem_memory();

private:
    void register_steps();
    void warn_read_failed();
    // True only when the read ended on the end record; the list read is in received.
    bool read_modem_table(QWaitDialog *dialog, QList<QControlDevice> *received);
    // Clears the stick's table and writes the list into it; false when any step failed.
    bool write_modem_table(const QList<QControlDevice> &list);
    // After a table write: false (after the warning) when the stick holds another table.
    bool verify_written_table(const QList<QControlDevice> &written, int *differences);

    QModemSession *m_session;
    RemoteList *m_list;
    QTableFiles *m_files;
    bool m_verifyAfterWrite = true;

    // The transfer in progress.
    QList<QControlDevice> m_received;
    bool m_readEnded = false;
    QList<QControlDevice> m_writeList;
    int m_writeIndex = 0;
};
