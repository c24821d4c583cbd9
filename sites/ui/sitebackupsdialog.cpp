#include "sitebackupsdialog.h"

#include "prompts.h"
#include "siteindex.h"
#include "sitelibrary.h"
#include "sitesmenu.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

SiteBackupsDialog::SiteBackupsDialog(SitesMenu *sites)
    : QDialog(sites->window()), m_sites(sites), m_list(new QTreeWidget(this))
{
    setWindowTitle(tr("Без объекта"));
    m_list->setObjectName("treeBackups");
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setHeaderLabels({tr("Время"), tr("Резервная копия")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_assign = new QPushButton(tr("Отнести к объекту..."), this);
    m_assign->setObjectName("pushButton_assign");
    auto *close = new QPushButton(tr("Закрыть"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_assign);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    connect(m_assign, &QPushButton::clicked, this, &SiteBackupsDialog::assignChosen);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_assign->setEnabled(!m_list->selectedItems().isEmpty()); });
    resize(620, 420);
}

void SiteBackupsDialog::reload()
{
    const QStringList assigned = m_sites->index().assignedBackups();
    m_backups.clear();
    m_list->clear();
    for (const BackupInfo &b : m_sites->library().backups()) {
        if (assigned.contains(b.fileName))
            continue;
        auto *item = new QTreeWidgetItem(m_list);
        item->setData(0, Qt::UserRole, int(m_backups.size()));
        item->setText(0, QLocale().toString(b.time, QLocale::ShortFormat));
        item->setText(1, b.fileName);
        m_backups << b;
    }
    m_assign->setEnabled(false);
}

void SiteBackupsDialog::assignChosen()
{
    const QList<QTreeWidgetItem *> items = m_list->selectedItems();
    if (items.isEmpty())
        return;
    const QList<SiteSummary> sites = m_sites->index().sites();
    if (sites.isEmpty()) {
        m_sites->prompts()->information(this, tr("Без объекта"),
                                        tr("Объектов пока нет: создайте объект в списке "
                                           "объектов."));
        return;
    }
    QStringList names;
    for (const SiteSummary &s : sites)
        names << s.name;
    bool ok = false;
    const QString name = m_sites->prompts()->getItem(
        this, tr("Без объекта"),
        tr("Резервных копий: %1. К какому объекту их отнести?").arg(items.size()), names, 0, false,
        &ok);
    if (!ok || !names.contains(name))
        return;
    const QString folder = sites.at(names.indexOf(name)).folder;
    QStringList failed;
    for (const QTreeWidgetItem *item : items) {
        const BackupInfo &b = m_backups.at(item->data(0, Qt::UserRole).toInt());
        QString error;
        QString copied;
        if (!m_sites->library().assignBackup(b.path, folder, &copied, &error))
            failed << QStringLiteral("%1: %2").arg(b.fileName, error);
    }
    if (!failed.isEmpty())
        m_sites->prompts()->warning(this, tr("Без объекта"),
                                    tr("Не отнесены к объекту:") + "\n" + failed.join('\n'));
    if (m_sites->refreshIndex(this))
        reload();
}
