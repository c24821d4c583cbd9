#pragma once

#include "site.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class Prompts;
class QModemSession;
class QOperation;
class RemoteList;
class SiteIndex;
class SiteLibrary;
struct OperationLogEntry;
struct SiteRecognition;

// Knows the site of the connected stick and keeps a snapshot in it after every read of
// the stick's table, every change written to the stick or the actuator and every read or
// write of the actuator's parameters. The site is recognised once the first table of a
// session has been read: by the adapter's serial number, else by the table; when unsure
// the user is asked, unless there is no site at all (sites not used yet: the first is made
// from the menu). Nothing is filed while no site is known.
class SiteRecorder : public QObject
{
    Q_OBJECT
public:
    SiteRecorder(QModemSession *session, RemoteList *list, SiteLibrary *library, SiteIndex *index,
                 QObject *parent = nullptr);

    bool siteKnown() const { return !m_site.folder.isEmpty(); }
    // The user said "not now" for the connected stick.
    bool declined() const { return m_declined; }
    const Site &site() const { return m_site; }
    // The serial number of the connected stick's adapter; empty without one.
    QString adapterSerial() const;
    // The user's choice: snapshots of this session go to site from now on, and the adapter
    // is counted as the site's.
    bool chooseSite(const QString &folder, QString *error);
    // The serial number of a port's adapter, for tests (pseudo-terminals have none).
    using SerialLookup = std::function<QString(const QString &port)>;
    void setSerialLookup(const SerialLookup &lookup) { m_serialOf = lookup; }
    // The site is gone: nothing more is filed in it.
    void forgetSite() { setSite(Site()); }
    // Keeps the stick's table as last read in the current site now.
    bool keepSnapshot() { return siteKnown() && file(QLatin1String(SnapshotAction::Read)); }
    // Asks the user for the connected stick's site now, offering the likely ones and a new
    // one, and keeps its table there; false when nothing was chosen (or no stick's table is
    // known).
    bool askForSite();
    // The next changes applied restore this snapshot of the current site.
    void expectRestore(const QString &snapshotName);

    // Texts that mark a read of the stick's table or of the parameters in a running
    // operation, in the language now installed.
    static QString tableReadText();
    static QString paramsReadText();
    // What a snapshot records for an entry of the operation log; empty: nothing to keep.
    static QString actionOf(const OperationLogEntry &entry);

signals:
    // The current site changed (or none is known any more).
    void siteChanged();
    void snapshotFiled(const QString &path);
    void statusMessage(const QString &text);

private:
    void watch(QOperation *operation);
    void operationEnded(QOperation *operation);
    void logged(const OperationLogEntry &entry);
    void queueSettle();
    // Files what is pending once no operation runs, recognising the site first.
    void settle();
    void recognise();
    // The likely sites of the connected stick; false with the reason said.
    bool recognition(SiteRecognition *result);
    // The user's answer when the site is not sure; false: not now.
    bool ask(const SiteRecognition &recognition);
    bool file(const QString &action);
    void setSite(const Site &site);

    QModemSession *m_session;
    RemoteList *m_list;
    SiteLibrary *m_library;
    SiteIndex *m_index;
    SerialLookup m_serialOf;
    Site m_site;
    // Recognition waits for the session's first table; "not now" holds until the next.
    bool m_recognisePending = false;
    bool m_declined = false;
    bool m_settleQueued = false;
    // What the operations since the last snapshot did, by SnapshotAction name.
    QStringList m_pending;
    QString m_restoring;
    QPointer<QOperation> m_watched;
    bool m_readSeen = false;
    bool m_paramsRead = false;
};
