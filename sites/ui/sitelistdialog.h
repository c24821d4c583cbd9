#pragma once

#include "site.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class SitesMenu;

// A site's name, address (or customer) and notes, for a new site or an existing one.
class SiteEditDialog : public QDialog
{
    Q_OBJECT
public:
    SiteEditDialog(const Site &site, QWidget *parent);
    Site site() const;

private:
    Site m_site;
    QLineEdit *m_name;
    QLineEdit *m_address;
    QPlainTextEdit *m_notes;
};

// Every site with its address, snapshots and last snapshot; made, changed, deleted, its
// history opened, or chosen as the connected stick's site from here.
class SiteListDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SiteListDialog(SitesMenu *sites);
    // The list again from the index (refreshed by the caller).
    void reload();
    // The folder of the site in the current row; empty when none.
    QString currentFolder() const;

public slots:
    void createSite();
    void editSite();
    void deleteSite();
    void openHistory();
    void chooseForStick();

private:
    void updateButtons();
    void refreshAndReload(const QString &current);

    SitesMenu *m_sites;
    QTreeWidget *m_list;
    QPushButton *m_edit;
    QPushButton *m_delete;
    QPushButton *m_history;
    QPushButton *m_choose;
};
