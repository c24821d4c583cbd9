#include "sitesmenu.h"

#include "prompts.h"
#include "qmodemsession.h"
#include "qparamcontroller.h"
#include "qtablecompare.h"
#include "remotelist.h"
#include "remotetableparts.h"
#include "sitebackupsdialog.h"
#include "sitehistorydialog.h"
#include "siteindex.h"
#include "sitelibrary.h"
#include "sitelistdialog.h"
#include "siterecorder.h"
#include "sitereport.h"
#include "sitesearchdialog.h"

#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QScopeGuard>
#include <QStatusBar>

namespace
{
constexpr int STATUS_MESSAGE_MS = 15000;

template <typename Dialog, typename... Args>
Dialog *raised(QPointer<Dialog> &dialog, Args &&...args)
{
    if (!dialog) {
        dialog = new Dialog(std::forward<Args>(args)...);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}
} // namespace

SitesMenu::SitesMenu(const QString &dataDirectory, QModemSession *session, RemoteTableParts *table,
                     QStatusBar *statusBar, QWidget *parent)
    : QMenu(parent), m_window(parent), m_session(session), m_compare(&table->compare()),
      m_library(std::make_unique<SiteLibrary>(dataDirectory)),
      m_index(std::make_unique<SiteIndex>(m_library.get()))
{
    setObjectName("menuSites");
    m_recorder = new SiteRecorder(session, &table->list(), m_library.get(), m_index.get(), this);
    m_list = addAction(QString(), this, &SitesMenu::showSites);
    m_list->setObjectName("actionSites");
    m_search = addAction(QString(), this, &SitesMenu::showSearch);
    m_search->setObjectName("actionSiteSearch");
    m_report = addAction(QString(), this, [this] { writeReport(); });
    m_report->setObjectName("actionSiteReport");
    addSeparator();
    m_stickSite = addAction(QString(), m_recorder, &SiteRecorder::askForSite);
    m_stickSite->setObjectName("actionStickSite");
    // Offered while a stick's table is there to recognise it by.
    connect(this, &QMenu::aboutToShow, this, [this, table] {
        m_stickSite->setEnabled(m_session->connected() && table->list().stickTableKnown() &&
                                !m_session->busy());
    });
    m_backups = addAction(QString(), this, &SitesMenu::showBackups);
    m_backups->setObjectName("actionSiteBackups");

    m_siteLabel = new QLabel(statusBar);
    m_siteLabel->setObjectName("label_site");
    statusBar->addPermanentWidget(m_siteLabel);
    connect(m_recorder, &SiteRecorder::siteChanged, this, &SitesMenu::showSite);
    connect(m_recorder, &SiteRecorder::statusMessage, statusBar,
            [statusBar](const QString &text) { statusBar->showMessage(text, STATUS_MESSAGE_MS); });
    // A comparison left without applying restores nothing.
    connect(m_compare, &QTableCompare::compareEnded, m_recorder, [this](bool stickHoldsOther) {
        if (!stickHoldsOther)
            m_recorder->expectRestore(QString());
    });
    retranslate();
}

SitesMenu::~SitesMenu() = default;

Prompts *SitesMenu::prompts() const
{
    return m_session->prompts();
}

bool SitesMenu::refreshIndex(QWidget *parent)
{
    QString error;
    if (m_index->open(&error) && m_index->refresh({}, &error))
        return true;
    prompts()->warning(parent, tr("Объекты"), tr("Список объектов не прочитан: %1").arg(error));
    return false;
}

void SitesMenu::showSites()
{
    if (refreshIndex(m_window))
        raised(m_listDialog, this)->reload();
}

void SitesMenu::showSearch()
{
    if (refreshIndex(m_window))
        raised(m_searchDialog, this);
}

void SitesMenu::showBackups()
{
    if (refreshIndex(m_window))
        raised(m_backupsDialog, this)->reload();
}

void SitesMenu::showHistory(const QString &folder)
{
    raised(m_historyDialog, this)->showSite(folder);
}

QString SitesMenu::writeReport(const QString &folder)
{
    Site site;
    QString error;
    QString chosen = folder.isEmpty() ? m_recorder->site().folder : folder;
    if (chosen.isEmpty()) {
        if (!refreshIndex(m_window))
            return QString();
        const QList<SiteSummary> sites = m_index->sites();
        if (sites.isEmpty()) {
            prompts()->information(m_window, tr("Отчёт"), tr("Объектов пока нет."));
            return QString();
        }
        QStringList names;
        for (const SiteSummary &s : sites)
            names << s.name;
        bool ok = false;
        const QString name = prompts()->getItem(m_window, tr("Отчёт"), tr("Отчёт об объекте:"),
                                                names, 0, false, &ok);
        if (!ok || !names.contains(name))
            return QString();
        chosen = sites.at(names.indexOf(name)).folder;
    }
    if (!m_library->readSite(chosen, &site, &error)) {
        prompts()->warning(m_window, tr("Отчёт"), error);
        return QString();
    }
    SiteReportData data;
    if (!SiteReport::collect(*m_library, site, &data, &error)) {
        prompts()->warning(m_window, tr("Отчёт"), error);
        return QString();
    }
    // The name with what a file name cannot hold replaced, in the user's home.
    const QString suggested =
        QDir::home().filePath(SiteLibrary::folderNameFor(site.name, {}) + QStringLiteral(".pdf"));
    QString path = prompts()->getSaveFileName(m_window, tr("Отчёт об объекте «%1»").arg(site.name),
                                              suggested, tr("Документ PDF (*.pdf)"));
    if (path.isEmpty())
        return QString();
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    // Dates and numbers as the window shows them in its language, not the program's default.
    const QLocale programDefault;
    QLocale::setDefault(m_window->locale());
    const auto restoreLocale =
        qScopeGuard([&programDefault] { QLocale::setDefault(programDefault); });
    for (auto i = data.paramValues.cbegin(); i != data.paramValues.cend(); ++i)
        data.params.append({QParamController::rowHeader(i.key() - 1),
                            QParamController::valueText(quint16(i.key()), i->value), i->time});
    if (!SiteReport::writePdf(data, path, &error)) {
        prompts()->warning(m_window, tr("Отчёт"), error);
        return QString();
    }
    if (auto *bar = m_window->findChild<QStatusBar *>())
        bar->showMessage(tr("Отчёт сохранён: %1").arg(QDir::toNativeSeparators(path)),
                         STATUS_MESSAGE_MS);
    return path;
}

void SitesMenu::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        showSite();
    }
    QMenu::changeEvent(event);
}

void SitesMenu::retranslate()
{
    setTitle(tr("Объекты"));
    m_list->setText(tr("Объекты..."));
    m_search->setText(tr("Найти пульт..."));
    m_report->setText(tr("Отчёт..."));
    m_stickSite->setText(tr("Объект подключённого USB-stick..."));
    m_backups->setText(tr("Без объекта..."));
}

void SitesMenu::showSite()
{
    if (m_recorder->siteKnown())
        m_siteLabel->setText(tr("Объект: %1").arg(m_recorder->site().name));
    else if (m_recorder->declined())
        m_siteLabel->setText(tr("Объект не выбран"));
    else
        m_siteLabel->clear();
}
