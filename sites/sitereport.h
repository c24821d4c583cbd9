#pragma once

#include "qcontroldevice.h"
#include "site.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

class SiteLibrary;

// What the customer's report of a site shows.
struct SiteReportData {
    struct Param {
        QString name;
        QString value;  // with its unit
        QDateTime time; // when it was read or written
    };
    struct KnownParam {
        int value = 0;
        QDateTime time;
    };
    Site site;
    QDateTime date;
    QList<QControlDevice> remotes;
    QList<Param> params;
    QString stickVersion;
    QString actuatorVersion;
    QList<HistoryEntry> changes; // oldest first
    // Each parameter as last known (by id), for the caller to name into params.
    QMap<int, KnownParam> paramValues;
};

// The customer's report of one site: a PDF on A4 pages in the interface language.
class SiteReport
{
    Q_DECLARE_TR_FUNCTIONS(SiteReport)
public:
    // At most this many of the last snapshots are listed as the last changes.
    static constexpr int ChangesShown = 10;

    // The site's newest snapshot, its versions and its last changes; the parameters are
    // left for the caller, who knows their names and units (from paramValues). False when
    // no snapshot can be read.
    static bool collect(const SiteLibrary &library, const Site &site, SiteReportData *data,
                        QString *error);
    static QString html(const SiteReportData &data);
    static bool writePdf(const SiteReportData &data, const QString &path, QString *error);
};
