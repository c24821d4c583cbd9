#pragma once

#include "site.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;
class QTreeWidget;
class SitesMenu;

// A site's snapshots, oldest first, with what changed since the one before; any two are
// compared, one is restored to the stick through compare-and-apply.
class SiteHistoryDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SiteHistoryDialog(SitesMenu *sites);
    void showSite(const QString &folder);
    QString folder() const { return m_site.folder; }
    // The rows chosen, oldest first.
    QList<HistoryEntry> selected() const;

public slots:
    void reload();
    // The two chosen snapshots side by side; the only one chosen against the one before.
    void compareChosen();
    // Puts the chosen snapshot's table back on the stick; false when nothing started.
    bool restoreChosen();

private:
    void updateButtons();

    SitesMenu *m_sites;
    Site m_site;
    QList<HistoryEntry> m_history;
    QLabel *m_heading;
    QTreeWidget *m_list;
    QPushButton *m_compare;
    QPushButton *m_restore;
    QPushButton *m_report;
};
