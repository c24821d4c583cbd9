#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

class QModem;

// Changes made to the stick or the actuator that the operation log records.
enum OPERATION_T {
    OPERATION_REMOTE_ADDED,
    OPERATION_REMOTE_BLOCKED,
    OPERATION_REMOTE_ACTIVATED,
    OPERATION_REMOTE_EDITED,
    OPERATION_REMOTE_DELETED,
    OPERATION_TABLE_WRITTEN,
    OPERATION_TABLE_CLEARED,
    OPERATION_TABLE_COPIED_TO_DEVICE,
    OPERATION_TABLE_COPIED_TO_MODEM,
    OPERATION_DIFFERENCES_APPLIED,
    OPERATION_PARAMS_WRITTEN,
    OPERATION_FACTORY_RESET,
    OPERATION_FIRMWARE_FLASHED,
    OPERATION_PASSWORD_SET,
    OPERATION_PASSWORD_REMOVED,
    OPERATION_PASSWORD_RESET,
};

// One line of the log.
struct OperationLogEntry {
    QDateTime time;
    QString user;
    QString stickVersion;
    QString operation; // the operation's key; a key this version does not know is kept
    QList<int> remotes;
    bool ok = true;
    QString detail;

    bool operator==(const OperationLogEntry &other) const;
};

// The log of changes made to the stick and the actuator, one JSON object a line in a
// file of the data folder. Each entry is appended, flushed and the file closed before
// append() returns, so a crash loses nothing written; past a size limit the file is
// rotated. Passwords never reach it: entries carry no text the user typed as one.
class QOperationLog : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 DefaultMaxBytes = 1024 * 1024;
    // Rotated files kept beside the log: name.1 (newest) .. name.N.
    static constexpr int RotatedFiles = 3;

    // The stick's version in each entry is read from modem.
    explicit QOperationLog(const QModem *modem, QObject *parent = nullptr);

    // Without a path (the default) nothing is written.
    void setPath(const QString &path);
    QString path() const { return m_path; }
    void setMaxBytes(qint64 bytes) { m_maxBytes = bytes; }

    bool append(OPERATION_T operation, const QList<int> &remotes, bool ok,
                const QString &detail = QString());
    bool append(const OperationLogEntry &entry);
    // The entries of the rotated files and the log, oldest first; broken lines are skipped.
    QList<OperationLogEntry> entries() const;

    static QString operationKey(OPERATION_T operation);
    // The operation as the log window shows it.
    static QString operationText(const QString &key);
    static QString userName();

    static QByteArray toLine(const OperationLogEntry &entry);
    // False for a line that is not an entry (cut short by a crash, say).
    static bool fromLine(const QByteArray &line, OperationLogEntry *entry);

signals:
    void appended(const OperationLogEntry &entry);

private:
    void rotate();

    const QModem *m_modem;
    QString m_path;
    qint64 m_maxBytes = DefaultMaxBytes;
};
