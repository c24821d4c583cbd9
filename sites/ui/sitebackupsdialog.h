#pragma once

#include "site.h"

#include <QDialog>
#include <QList>

class QPushButton;
class QTreeWidget;
class SitesMenu;

// The program's backups that no site holds yet ("Без объекта"); a copy of each chosen
// one becomes a snapshot of a site, the backup itself staying where it is.
class SiteBackupsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SiteBackupsDialog(SitesMenu *sites);
    void reload();
    const QList<BackupInfo> &backups() const { return m_backups; }

public slots:
    void assignChosen();

private:
    SitesMenu *m_sites;
    QTreeWidget *m_list;
    QPushButton *m_assign;
    QList<BackupInfo> m_backups;
};
