#include "sitesearchdialog.h"

#include "sitesmenu.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{
// Enough for any real question; more only says the text is too short.
constexpr int RESULTS_SHOWN = 1000;

QString timeText(const QDateTime &time)
{
    const QDateTime local = time.toLocalTime();
    return QLocale().toString(local.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           QLocale().toString(local.time(), QStringLiteral("HH:mm:ss"));
}
} // namespace

SiteSearchDialog::SiteSearchDialog(SitesMenu *sites)
    : QDialog(sites->window()), m_sites(sites), m_text(new QLineEdit(this)),
      m_summary(new QLabel(this)), m_list(new QTreeWidget(this))
{
    setWindowTitle(tr("Найти пульт"));
    m_text->setObjectName("lineEdit_find");
    m_text->setPlaceholderText(tr("Номер пульта или часть имени владельца"));
    m_text->setClearButtonEnabled(true);
    auto *go = new QPushButton(tr("Найти"), this);
    go->setObjectName("pushButton_find");
    go->setDefault(true);
    m_summary->setObjectName("label_found");
    m_list->setObjectName("treeFound");
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("Объект"), tr("Пульт"), tr("Владелец"), tr("Первый снимок"),
                             tr("Последний снимок"), tr("Сейчас")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_open = new QPushButton(tr("Открыть объект"), this);
    m_open->setObjectName("pushButton_open");
    m_open->setAutoDefault(false);
    m_open->setEnabled(false);
    auto *close = new QPushButton(tr("Закрыть"), this);
    close->setAutoDefault(false);

    auto *top = new QHBoxLayout;
    top->addWidget(m_text, 1);
    top->addWidget(go);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_open);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_summary);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    connect(go, &QPushButton::clicked, this, &SiteSearchDialog::find);
    connect(m_text, &QLineEdit::returnPressed, this, &SiteSearchDialog::find);
    connect(m_open, &QPushButton::clicked, this, &SiteSearchDialog::openSite);
    connect(m_list, &QTreeWidget::itemActivated, this, &SiteSearchDialog::openSite);
    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item) { m_open->setEnabled(item != nullptr); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    resize(860, 440);
}

void SiteSearchDialog::find()
{
    const QString text = m_text->text().trimmed();
    m_list->clear();
    m_found.clear();
    m_open->setEnabled(false);
    if (text.isEmpty()) {
        m_summary->clear();
        return;
    }
    if (!m_sites->refreshIndex(this))
        return;
    m_found = m_sites->index().find(text, RESULTS_SHOWN + 1);
    const bool cut = m_found.size() > RESULTS_SHOWN;
    if (cut)
        m_found.removeLast();
    for (int i = 0; i < m_found.size(); ++i) {
        const RemoteFound &f = m_found.at(i);
        auto *item = new QTreeWidgetItem(m_list);
        item->setData(0, Qt::UserRole, i);
        item->setText(0, f.siteName);
        item->setText(1, QString::number(f.id));
        item->setText(2, f.ownerName);
        item->setText(3, timeText(f.firstTime));
        item->setText(4, timeText(f.lastTime));
        item->setText(5, f.inLastSnapshot ? tr("есть") : tr("удалён"));
    }
    m_summary->setText(m_found.isEmpty() ? tr("Не найдено ни одного пульта.")
                       : cut             ? tr("Найдено больше %1 пультов; уточните запрос.").arg(RESULTS_SHOWN)
                             : tr("Найдено пультов: %1").arg(m_found.size()));
    if (!m_found.isEmpty())
        m_list->setCurrentItem(m_list->topLevelItem(0));
}

void SiteSearchDialog::openSite()
{
    const QTreeWidgetItem *item = m_list->currentItem();
    if (item)
        m_sites->showHistory(m_found.at(item->data(0, Qt::UserRole).toInt()).folder);
}
