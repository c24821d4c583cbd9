#pragma once

#include "siteindex.h"

#include <QDialog>
#include <QList>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class SitesMenu;

// Where a remote is registered, across every site: by its id (digits alone) or by part of
// its owner's name; each result names the site and the first and last snapshot holding it.
class SiteSearchDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SiteSearchDialog(SitesMenu *sites);
    const QList<RemoteFound> &results() const { return m_found; }

public slots:
    void find();
    void openSite();

private:
    SitesMenu *m_sites;
    QLineEdit *m_text;
    QLabel *m_summary;
    QTreeWidget *m_list;
    QPushButton *m_open;
    QList<RemoteFound> m_found;
};
