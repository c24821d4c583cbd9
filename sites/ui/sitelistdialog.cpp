#include "sitelistdialog.h"

#include "prompts.h"
#include "qmodemsession.h"
#include "siteindex.h"
#include "sitelibrary.h"
#include "siterecorder.h"
#include "sitesmenu.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

SiteEditDialog::SiteEditDialog(const Site &site, QWidget *parent)
    : QDialog(parent), m_site(site), m_name(new QLineEdit(site.name, this)),
      m_address(new QLineEdit(site.address, this)), m_notes(new QPlainTextEdit(site.notes, this))
{
    setWindowTitle(site.folder.isEmpty() ? tr("Новый объект") : tr("Объект «%1»").arg(site.name));
    m_name->setObjectName("lineEdit_name");
    m_address->setObjectName("lineEdit_address");
    m_notes->setObjectName("plainTextEdit_notes");
    auto *form = new QFormLayout;
    form->addRow(tr("Название:"), m_name);
    form->addRow(tr("Адрес или заказчик:"), m_address);
    form->addRow(tr("Заметки:"), m_notes);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A site needs a name.
    const auto check = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_name->text().trimmed().isEmpty());
    };
    connect(m_name, &QLineEdit::textChanged, this, check);
    check();
    resize(460, 300);
}

Site SiteEditDialog::site() const
{
    Site site = m_site;
    site.name = m_name->text().simplified();
    site.address = m_address->text().trimmed();
    site.notes = m_notes->toPlainText();
    return site;
}

SiteListDialog::SiteListDialog(SitesMenu *sites)
    : QDialog(sites->window()), m_sites(sites), m_list(new QTreeWidget(this))
{
    setWindowTitle(tr("Объекты"));
    m_list->setObjectName("treeSites");
    m_list->setRootIsDecorated(false);
    m_list->setSortingEnabled(true);
    m_list->setHeaderLabels(
        {tr("Объект"), tr("Адрес или заказчик"), tr("Снимков"), tr("Последний снимок")});
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(1, QHeaderView::Stretch);

    const auto button = [this](const QString &text, const char *name, auto slot) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto *create = button(tr("Создать..."), "pushButton_create", &SiteListDialog::createSite);
    m_edit = button(tr("Изменить..."), "pushButton_edit", &SiteListDialog::editSite);
    m_delete = button(tr("Удалить..."), "pushButton_delete", &SiteListDialog::deleteSite);
    m_history = button(tr("История..."), "pushButton_history", &SiteListDialog::openHistory);
    m_choose = button(tr("Объект USB-stick"), "pushButton_choose", &SiteListDialog::chooseForStick);
    m_choose->setToolTip(tr("Подключённый USB-stick относится к этому объекту"));
    auto *close = button(tr("Закрыть"), "pushButton_close", &QDialog::close);

    auto *side = new QVBoxLayout;
    for (QPushButton *b : {create, m_edit, m_delete, m_history, m_choose})
        side->addWidget(b);
    side->addStretch();
    side->addWidget(close);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(side);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &SiteListDialog::updateButtons);
    connect(m_list, &QTreeWidget::itemActivated, this, &SiteListDialog::openHistory);
    connect(&sites->session(), &QModemSession::stateChanged, this, &SiteListDialog::updateButtons);
    resize(760, 420);
}

void SiteListDialog::reload()
{
    const QString current = currentFolder();
    m_list->clear();
    const QList<SiteSummary> sites = m_sites->index().sites();
    for (const SiteSummary &s : sites) {
        auto *item = new QTreeWidgetItem(m_list);
        item->setText(0, s.name);
        item->setData(0, Qt::UserRole, s.folder);
        item->setText(1, s.address);
        item->setData(2, Qt::DisplayRole, s.snapshots);
        item->setText(3, QLocale().toString(s.lastTime.toLocalTime(), QLocale::ShortFormat));
        if (s.folder == current)
            m_list->setCurrentItem(item);
    }
    m_list->sortByColumn(0, Qt::AscendingOrder);
    if (!m_list->currentItem() && m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    updateButtons();
}

QString SiteListDialog::currentFolder() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

void SiteListDialog::refreshAndReload(const QString &current)
{
    if (!m_sites->refreshIndex(this))
        return;
    reload();
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->data(0, Qt::UserRole).toString() == current)
            m_list->setCurrentItem(m_list->topLevelItem(i));
}

void SiteListDialog::createSite()
{
    SiteEditDialog dialog(Site(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Site site = dialog.site();
    QString error;
    if (!m_sites->library().findByName(site.name).folder.isEmpty()) {
        m_sites->prompts()->warning(this, tr("Новый объект"),
                                    tr("Объект «%1» уже есть.").arg(site.name));
        return;
    }
    if (!m_sites->library().createSite(&site, &error)) {
        m_sites->prompts()->warning(this, tr("Новый объект"), error);
        return;
    }
    refreshAndReload(site.folder);
}

void SiteListDialog::editSite()
{
    Site site;
    QString error;
    if (!m_sites->library().readSite(currentFolder(), &site, &error)) {
        m_sites->prompts()->warning(this, tr("Объекты"), error);
        return;
    }
    SiteEditDialog dialog(site, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const Site changed = dialog.site();
    const Site other = m_sites->library().findByName(changed.name);
    if (!other.folder.isEmpty() && other.folder != site.folder) {
        m_sites->prompts()->warning(this, tr("Объекты"),
                                    tr("Объект «%1» уже есть.").arg(changed.name));
        return;
    }
    if (!m_sites->library().saveSite(changed, &error)) {
        m_sites->prompts()->warning(this, tr("Объекты"), error);
        return;
    }
    if (m_sites->recorder().site().folder == changed.folder)
        m_sites->recorder().chooseSite(changed.folder, &error);
    refreshAndReload(changed.folder);
}

void SiteListDialog::deleteSite()
{
    const QTreeWidgetItem *item = m_list->currentItem();
    if (!item)
        return;
    const QString folder = currentFolder();
    const QString name = item->text(0);
    if (m_sites->prompts()->question(
            this, tr("Удаление объекта"),
            tr("Удалить объект «%1» со всеми его снимками (%2)? Это нельзя отменить.")
                .arg(name)
                .arg(item->data(2, Qt::DisplayRole).toInt()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    QString error;
    if (!m_sites->library().removeSite(folder, &error)) {
        m_sites->prompts()->warning(this, tr("Удаление объекта"), error);
        return;
    }
    if (m_sites->recorder().site().folder == folder)
        m_sites->recorder().forgetSite();
    refreshAndReload(QString());
}

void SiteListDialog::openHistory()
{
    const QString folder = currentFolder();
    if (!folder.isEmpty())
        m_sites->showHistory(folder);
}

void SiteListDialog::chooseForStick()
{
    QString error;
    if (m_sites->recorder().chooseSite(currentFolder(), &error))
        m_sites->recorder().keepSnapshot();
    else
        m_sites->prompts()->warning(this, tr("Объекты"), error);
    updateButtons();
}

void SiteListDialog::updateButtons()
{
    const bool chosen = m_list->currentItem() != nullptr;
    for (QPushButton *b : {m_edit, m_delete, m_history})
        b->setEnabled(chosen);
    m_choose->setEnabled(chosen && m_sites->session().connected() &&
                         m_sites->recorder().site().folder != currentFolder());
}
