#include "sitehistorydialog.h"

#include "prompts.h"
#include "qcomparedialog.h"
#include "qmodemsession.h"
#include "qtablecompare.h"
#include "sitelibrary.h"
#include "siterecorder.h"
#include "sitesmenu.h"
#include "tablediff.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{
// With seconds: several snapshots are often taken within a minute.
QString timeText(const QDateTime &time)
{
    const QDateTime local = time.toLocalTime();
    return QLocale().toString(local.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           QLocale().toString(local.time(), QStringLiteral("HH:mm:ss"));
}

QString snapshotName(const HistoryEntry &entry)
{
    return SiteHistoryDialog::tr("снимок %1 (%2)")
        .arg(timeText(entry.snapshot.meta.time), SnapshotAction::text(entry.snapshot.meta.action));
}

// The compare dialog names a stick and a file; here both sides are snapshots.
void nameSides(QCompareDialog *dialog, const QString &first, const QString &second,
               const QList<RemoteDifference> &differences)
{
    dialog->setWindowTitle(SiteHistoryDialog::tr("Сравнение снимков"));
    const QList<QLabel *> labels = dialog->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    int onlyFirst = 0;
    int onlySecond = 0;
    for (const RemoteDifference &d : differences) {
        if (d.kind == RemoteDifference::ONLY_IN_STICK)
            ++onlyFirst;
        else if (d.kind == RemoteDifference::ONLY_IN_FILE)
            ++onlySecond;
    }
    for (QLabel *label : labels) {
        if (label->objectName() == QLatin1String("labelSummary"))
            label->setText(SiteHistoryDialog::tr("Только в первом: %1, только во втором: %2, "
                                                 "отличаются: %3")
                               .arg(onlyFirst)
                               .arg(onlySecond)
                               .arg(differences.size() - onlyFirst - onlySecond));
        else if (label == labels.first())
            label->setText(SiteHistoryDialog::tr("Первый: %1\nВторой: %2").arg(first, second));
        else
            label->hide();
    }
    if (auto *apply = dialog->findChild<QPushButton *>("pushButton_apply"))
        apply->hide();
    auto *table = dialog->findChild<QTableWidget *>("tableDifferences");
    if (!table)
        return;
    table->setHorizontalHeaderLabels({QCompareDialog::tr("Пульт"), QCompareDialog::tr("Отличие"),
                                      SiteHistoryDialog::tr("В первом"),
                                      SiteHistoryDialog::tr("Во втором")});
    for (int row = 0; row < differences.size() && row < table->rowCount(); ++row) {
        const RemoteDifference &d = differences.at(row);
        if (d.kind == RemoteDifference::ONLY_IN_STICK)
            table->item(row, 1)->setText(SiteHistoryDialog::tr("Только в первом"));
        else if (d.kind == RemoteDifference::ONLY_IN_FILE)
            table->item(row, 1)->setText(SiteHistoryDialog::tr("Только во втором"));
    }
}
} // namespace

SiteHistoryDialog::SiteHistoryDialog(SitesMenu *sites)
    : QDialog(sites->window()), m_sites(sites), m_heading(new QLabel(this)),
      m_list(new QTreeWidget(this))
{
    m_heading->setTextFormat(Qt::PlainText);
    m_heading->setWordWrap(true);
    m_list->setObjectName("treeHistory");
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setHeaderLabels({tr("Время"), tr("Действие"), tr("Компьютер"), tr("Пультов"),
                             tr("Добавлено"), tr("Удалено"), tr("Изменено")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    const auto button = [this](const QString &text, const char *name, auto slot) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    m_compare = button(tr("Сравнить"), "pushButton_compare", &SiteHistoryDialog::compareChosen);
    m_compare->setToolTip(tr("Два выбранных снимка, или выбранный и предыдущий"));
    m_restore =
        button(tr("Восстановить..."), "pushButton_restore", &SiteHistoryDialog::restoreChosen);
    m_restore->setToolTip(tr("Записать в USB-stick таблицу выбранного снимка"));
    m_report = button(tr("Отчёт..."), "pushButton_report",
                      [this] { m_sites->writeReport(m_site.folder); });
    auto *close = button(tr("Закрыть"), "pushButton_close", &QDialog::close);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_compare, m_restore, m_report})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &SiteHistoryDialog::updateButtons);
    connect(&sites->session(), &QModemSession::stateChanged, this,
            &SiteHistoryDialog::updateButtons);
    // A snapshot filed in this site while the history is open shows at once.
    connect(&sites->recorder(), &SiteRecorder::snapshotFiled, this, [this](const QString &path) {
        if (!m_site.folder.isEmpty() &&
            path.startsWith(m_sites->library().siteDirectory(m_site.folder) + QLatin1Char('/')))
            reload();
    });
    resize(820, 460);
}

void SiteHistoryDialog::showSite(const QString &folder)
{
    m_site.folder = folder;
    reload();
}

void SiteHistoryDialog::reload()
{
    QString error;
    if (!m_sites->library().readSite(m_site.folder, &m_site, &error)) {
        m_heading->setText(error);
        m_history.clear();
        m_list->clear();
        updateButtons();
        return;
    }
    setWindowTitle(tr("История объекта «%1»").arg(m_site.name));
    m_heading->setText(m_site.address.isEmpty()
                           ? m_site.name
                           : QStringLiteral("%1 — %2").arg(m_site.name, m_site.address));
    m_history = m_sites->library().history(m_site.folder);
    m_list->clear();
    for (int i = 0; i < m_history.size(); ++i) {
        const HistoryEntry &e = m_history.at(i);
        const SnapshotMeta &m = e.snapshot.meta;
        auto *item = new QTreeWidgetItem(m_list);
        item->setData(0, Qt::UserRole, i);
        item->setText(0, timeText(m.time));
        item->setText(1, SnapshotAction::text(m.action));
        item->setText(2, m.machine);
        item->setText(3, m.remotes >= 0 ? QString::number(m.remotes) : QString());
        if (e.readable) {
            item->setText(4, QString::number(e.added));
            item->setText(5, QString::number(e.removed));
            item->setText(6, QString::number(e.changed));
        } else {
            item->setText(4, tr("таблица не читается"));
        }
    }
    if (m_list->topLevelItemCount() > 0) {
        QTreeWidgetItem *last = m_list->topLevelItem(m_list->topLevelItemCount() - 1);
        m_list->setCurrentItem(last);
        m_list->scrollToItem(last);
    }
    updateButtons();
}

QList<HistoryEntry> SiteHistoryDialog::selected() const
{
    QList<int> rows;
    for (const QTreeWidgetItem *item : m_list->selectedItems())
        rows << item->data(0, Qt::UserRole).toInt();
    std::sort(rows.begin(), rows.end());
    QList<HistoryEntry> entries;
    for (int row : std::as_const(rows))
        entries << m_history.at(row);
    return entries;
}

void SiteHistoryDialog::compareChosen()
{
    QList<HistoryEntry> chosen = selected();
    if (chosen.size() == 1) {
        const int row = m_list->selectedItems().first()->data(0, Qt::UserRole).toInt();
        if (row <= 0)
            return;
        chosen.prepend(m_history.at(row - 1));
    }
    if (chosen.size() != 2)
        return;
    QList<QControlDevice> first;
    QList<QControlDevice> second;
    QString error;
    if (!SiteLibrary::loadSnapshot(chosen.at(0).snapshot.path, &first, &error) ||
        !SiteLibrary::loadSnapshot(chosen.at(1).snapshot.path, &second, &error)) {
        m_sites->prompts()->warning(this, tr("Сравнение снимков"), error);
        return;
    }
    // Owner names exactly, as the long records keep them.
    const QList<RemoteDifference> differences = compareTables(first, second, true);
    auto *dialog = new QCompareDialog(this, differences, QString(), false);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    nameSides(dialog, snapshotName(chosen.at(0)), snapshotName(chosen.at(1)), differences);
    dialog->open();
}

bool SiteHistoryDialog::restoreChosen()
{
    const QList<HistoryEntry> chosen = selected();
    if (chosen.size() != 1 || !m_sites->session().connected())
        return false;
    const HistoryEntry &entry = chosen.first();
    QList<QControlDevice> table;
    QString error;
    if (!SiteLibrary::loadSnapshot(entry.snapshot.path, &table, &error)) {
        m_sites->prompts()->warning(this, tr("Восстановление"), error);
        return false;
    }
    SiteRecorder &recorder = m_sites->recorder();
    // Another site's table on this stick is most likely a slip of the hand.
    if (recorder.site().folder != m_site.folder &&
        m_sites->prompts()->question(
            this, tr("Восстановление"),
            recorder.siteKnown()
                ? tr("Подключённый USB-stick относится к объекту «%1», а снимок — к объекту "
                     "«%2». Всё равно сравнить и восстановить?")
                      .arg(recorder.site().name, m_site.name)
                : tr("Объект подключённого USB-stick не известен, а снимок относится к объекту "
                     "«%1». Всё равно сравнить и восстановить?")
                      .arg(m_site.name),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return false;
    recorder.expectRestore(entry.snapshot.fileName);
    if (!m_sites->compare().compareAndApply(table, snapshotName(entry))) {
        recorder.expectRestore(QString());
        return false;
    }
    return true;
}

void SiteHistoryDialog::updateButtons()
{
    const QList<QTreeWidgetItem *> items = m_list->selectedItems();
    const int firstRow = items.isEmpty() ? -1 : items.first()->data(0, Qt::UserRole).toInt();
    m_compare->setEnabled(items.size() == 2 || (items.size() == 1 && firstRow > 0));
    m_restore->setEnabled(items.size() == 1 && m_sites->session().connected() &&
                          !m_sites->session().busy());
    m_report->setEnabled(!m_history.isEmpty());
}
