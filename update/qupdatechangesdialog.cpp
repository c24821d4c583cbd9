#include "qupdatechangesdialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace
{
struct Category {
    QChar mark;
    const char *heading;
    const char *colour;
};

const Category CATEGORIES[] = {
    {QLatin1Char('+'), QT_TRANSLATE_NOOP("QUpdateChangesDialog", "Добавлено:"),
     "<font color=green>"},
    {QLatin1Char('*'), QT_TRANSLATE_NOOP("QUpdateChangesDialog", "Изменено:"), "<font color=blue>"},
    {QLatin1Char('!'), QT_TRANSLATE_NOOP("QUpdateChangesDialog", "Исправлено:"),
     "<font color=DarkOrange>"},
    {QLatin1Char('-'), QT_TRANSLATE_NOOP("QUpdateChangesDialog", "Удалено:"), "<font color=red>"},
    {QLatin1Char('?'), QT_TRANSLATE_NOOP("QUpdateChangesDialog", "Прочее:"),
     "<font color=DarkMagenta>"},
};
} // namespace

QUpdateChangesDialog::QUpdateChangesDialog(QWidget *parent, const QString &title,
                                           const QStringList &changes)
    : QDialog(parent), m_title(new QLabel(this)), m_text(new QTextEdit(this)),
      m_question(new QLabel(this)), m_yes(new QPushButton(tr("Да"), this)),
      m_no(new QPushButton(tr("Нет"), this))
{
    setWindowTitle(QStringLiteral("Vexo Control Tool"));
    m_title->setText("<h3>" + title + "</h3>");
    m_text->setReadOnly(true);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setHtml(changesHtml(changes));
    m_question->setText(
        "<h4>" + tr("Установить обновление программного обеспечения из интернета?") + "</h4>");

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_yes);
    buttons->addWidget(m_no);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_text);
    layout->addWidget(m_question);
    layout->addLayout(buttons);

    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_no, &QPushButton::clicked, this, &QDialog::reject);
    m_no->setDefault(true);
    resize(520, 420);
}

QString QUpdateChangesDialog::changesHtml(const QStringList &changes)
{
    QString html;
    for (const QString &line : changes) {
        const Category *category = nullptr;
        for (const Category &c : CATEGORIES)
            if (line.startsWith(c.mark))
                category = &c;
        if (category)
            html +=
                QLatin1String(category->colour) + tr(category->heading) + "</font>" + line.mid(1);
        else
            html += line;
    }
    return html;
}
