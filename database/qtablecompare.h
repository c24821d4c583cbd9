#pragma once

#include "qcontroldevice.h"
#include "tablediff.h" // its signal carries differences by value, which moc needs whole

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class QModemSession;
class QOperation;
class QTableFiles;
class QTableTransfers;
class RemoteList;

// The stick's table beside a file or a backup; the differences can be applied to the
// stick with single-remote writes and deletes, all of them one operation.
class QTableCompare : public QObject
{
    Q_OBJECT
public:
    QTableCompare(QModemSession *session, RemoteList *list, QTableFiles *files,
                  QTableTransfers *transfers, QObject *parent = nullptr);

signals:
    // A short note for the status bar: differences applied.
    void statusMessage(const QString &text);
    // A comparison that started has ended: the dialog closed, or the changes were
    // applied, or the stick's table could not be read. True when the stick now holds the
    // other table.
    void compareEnded(bool stickHoldsOther);

public slots:
    void compareWithFile();
    void compareWithBackup();
    // Reads the stick's table if it is not known, then shows the differences; returns
    // whether that started (compareEnded follows then).
    bool compareAndApply(const QList<QControlDevice> &other, const QString &otherName);
    // Makes the differences on the stick as one operation (compareEnded follows); null
    // when none started.
    QOperation *applyDifferences(const QList<RemoteDifference> &differences);

private:
    struct Apply;
    void showDifferences(const QList<QControlDevice> &other, const QString &otherName);
    void applyNextIn(QOperation *operation, const std::shared_ptr<Apply> &apply);
    void endApplyIn(QOperation *operation, const std::shared_ptr<Apply> &apply);
    void tellPartlyApplied(const std::shared_ptr<Apply> &apply, bool readBack);

    QModemSession *m_session;
    RemoteList *m_list;
    QTableFiles *m_files;
    QTableTransfers *m_transfers;
};
