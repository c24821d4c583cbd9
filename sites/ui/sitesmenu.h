#pragma once

#include <QMenu>
#include <QPointer>
#include <QString>

#include <memory>

class Prompts;
class QAction;
class QLabel;
class QModemSession;
class QStatusBar;
class QTableCompare;
class RemoteTableParts;
class SiteBackupsDialog;
class SiteHistoryDialog;
class SiteIndex;
class SiteLibrary;
class SiteListDialog;
class SiteRecorder;
class SiteSearchDialog;

// The window's way to the sites: the menu "Объекты" (the list, the search, the report and
// the backups without a site), the site of the connected stick in the status bar, and
// the recorder that keeps the snapshots. Owns the library and its index.
class SitesMenu : public QMenu
{
    Q_OBJECT
public:
    // dataDirectory: where the program's backups are; the sites go beside them.
    SitesMenu(const QString &dataDirectory, QModemSession *session, RemoteTableParts *table,
              QStatusBar *statusBar, QWidget *parent);
    ~SitesMenu() override;

    SiteLibrary &library() const { return *m_library; }
    SiteIndex &index() const { return *m_index; }
    SiteRecorder &recorder() const { return *m_recorder; }
    QModemSession &session() const { return *m_session; }
    QTableCompare &compare() const { return *m_compare; }
    Prompts *prompts() const;
    QWidget *window() const { return m_window; }
    // Brings the index up to the files; says why not in a message and returns false.
    bool refreshIndex(QWidget *parent);

    QAction *listAction() const { return m_list; }
    QAction *searchAction() const { return m_search; }
    QAction *reportAction() const { return m_report; }
    QAction *backupsAction() const { return m_backups; }
    QAction *stickSiteAction() const { return m_stickSite; }

public slots:
    void showSites();
    void showSearch();
    void showBackups();
    void showHistory(const QString &folder);
    // The report of a site; an empty folder: the connected stick's site, else one chosen.
    // Returns the file written, empty when none was.
    QString writeReport(const QString &folder = QString());

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void showSite();

    QWidget *m_window;
    QModemSession *m_session;
    QTableCompare *m_compare;
    std::unique_ptr<SiteLibrary> m_library;
    std::unique_ptr<SiteIndex> m_index;
    SiteRecorder *m_recorder;
    QLabel *m_siteLabel;
    QAction *m_list;
    QAction *m_search;
    QAction *m_report;
    QAction *m_backups;
    QAction *m_stickSite;
    QPointer<SiteListDialog> m_listDialog;
    QPointer<SiteSearchDialog> m_searchDialog;
    QPointer<SiteBackupsDialog> m_backupsDialog;
    QPointer<SiteHistoryDialog> m_historyDialog;
};
