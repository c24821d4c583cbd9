#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QModemSession;
class QOperation;
class QTableFiles;
class QTableTransfers;
class RemoteList;

// The remote table between the stick and the actuator: copies either way, checked by
// the counts afterwards, and how full the two memories are. Each is one operation.
class QTableCopy : public QObject
{
    Q_OBJECT
public:
    QTableCopy(QModemSession *session, RemoteList *list, QTableFiles *files,
               QTableTransfers *transfers, QObject *parent = nullptr);

signals:
    // A short note for the status bar: a copy checked.
    void statusMessage(const QString &text);
    // How full the memories are, once read; the actuator's are 0 when it was not read.
    void memoryStatusRead(int stickTotal, int stickFree, int deviceTotal, int deviceFree);

public slots:
    // Each starts its operation and returns it at once; null when none started.
    QOperation *copy_table_from_modem_to_dev();
    QOperation *copy_table_from_dev_to_modem();
    // The memory dialog opens once the counts are in and the operation has ended (when the
    // session has a window to show it in).
    QOperation *show_memory_status();

private:
    // Asks before a copy replaces a table; true when the user agreed.
    bool confirm(const QString &question);
    // The actuator initialised; next runs only when that went through.
    void initialiseIn(QOperation *operation, const std::function<void()> &next);
    // The actuator's version asked, unless it is addressed in its autonomous mode.
    void versionIn(QOperation *operation, const std::function<void()> &next);
    // The copy itself, its progress shown when counted; then hears whether it went through.
    void copyIn(QOperation *operation, int transaction, quint16 direction, bool counted,
                const std::function<void(bool copied)> &then);
    // Both memories counted after a copy to the actuator, then checked.
    void checkCopyIn(QOperation *operation, const std::function<void(bool verified)> &then);
    void tellCopyResult(bool copied);
    // After a copy: the actuator holds as many remotes as the stick.
    bool verifyCopiedTable(int stickCount, int deviceCount);
    void readDeviceMemoryIn(QOperation *operation, const std::function<void(bool)> &then);
    // Before the actuator's table is replaced: both memories counted and the stick's table
    // found to fit, the actuator's table kept where it is known; next only then.
    void prepareDeviceChangeIn(QOperation *operation, const std::function<void()> &next);

    QModemSession *m_session;
    RemoteList *m_list;
    QTableFiles *m_files;
    QTableTransfers *m_transfers;
};
