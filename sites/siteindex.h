#pragma once

#include "qcontroldevice.h"
#include "site.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class SiteLibrary;

// A site as the list shows it.
struct SiteSummary {
    QString folder;
    QString name;
    QString address;
    int snapshots = 0;
    QDateTime lastTime; // UTC; invalid without a snapshot
};

// A remote found in a site: the first and the last snapshot that held it.
struct RemoteFound {
    QString folder;
    QString siteName;
    int id = 0;
    QString ownerName; // as the last snapshot holding it has it
    QString firstSnapshot;
    QDateTime firstTime;
    QString lastSnapshot;
    QDateTime lastTime;
    bool inLastSnapshot = false; // still in the site's newest snapshot
};

// Which site a connected stick belongs to.
struct SiteRecognition {
    enum KIND_T {
        BY_SERIAL, // the site lists the adapter's serial number
        BY_TABLE,  // its last snapshot shares enough remote ids with the stick's table
        UNSURE,    // ask, offering the candidates and a new site
    };
    struct Candidate {
        QString folder;
        QString name;
        int shared = 0;    // remote ids in both the table and the site's last snapshot
        int lastCount = 0; // remotes in the site's last snapshot
    };
    KIND_T kind = UNSURE;
    QString folder;              // the site, unless UNSURE
    QList<Candidate> candidates; // best first
};

// An index of every site's snapshots for the search, in an SQLite file in the data
// folder. The files are what counts: the index is rebuilt from them for each site whose
// listing (names, sizes and times of its files) changed since, and wholly when missing or
// unreadable. Open, refresh, then ask.
class SiteIndex
{
    Q_DECLARE_TR_FUNCTIONS(SiteIndex)
public:
    // done of total sites looked at; return false to stop.
    using Progress = std::function<bool(int done, int total)>;

    // Of the share of a stick's table a site's last snapshot must hold for a sure match.
    static constexpr int RecogniseShare = 60; // percent

    explicit SiteIndex(SiteLibrary *library);
    ~SiteIndex();
    SiteIndex(const SiteIndex &) = delete;
    SiteIndex &operator=(const SiteIndex &) = delete;

    QString path() const;
    bool open(QString *error = nullptr);
    // Brings the index up to the files; false with a reason when it could not.
    bool refresh(const Progress &progress = Progress(), QString *error = nullptr);
    // How many sites the last refresh read anew.
    int lastRefreshRead() const { return m_lastRead; }
    // The site files changed since the last refresh (a cheap listing, no file read).
    bool isStale();

    QList<SiteSummary> sites();
    // Remotes whose id is text (digits alone), else whose owner name holds text in any case.
    QList<RemoteFound> find(const QString &text, int limit = 1000);
    QList<RemoteFound> findId(int id);
    QList<RemoteFound> findOwner(const QString &part, int limit = 1000);
    SiteRecognition recognise(const QString &adapterSerial, const QList<QControlDevice> &table);
    // The backups of the data folder copied into some site, by file name.
    QStringList assignedBackups();

private:
    struct Private;
    bool rebuildSite(const QString &folder, const QString &signature);
    QString signatureOf(const QString &folder) const;
    QStringList folders() const;

    SiteLibrary *m_library;
    Private *d;
    int m_lastRead = 0;
};
