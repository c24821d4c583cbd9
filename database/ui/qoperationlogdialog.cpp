#include "qoperationlogdialog.h"

#include "prompts.h"
#include "remotecsv.h"
#include "tablefit.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

QOperationLogDialog::QOperationLogDialog(QWidget *parent, QOperationLog *log, Prompts *prompts)
    : QDialog(parent), m_log(log), m_prompts(prompts)
{
    setWindowTitle(tr("Журнал операций"));
    auto *layout = new QVBoxLayout(this);
    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(tr("Фильтр:"), this));
    m_filter = new QLineEdit(this);
    m_filter->setObjectName("lineEdit_filter");
    m_filter->setClearButtonEnabled(true);
    filterRow->addWidget(m_filter);
    m_failedOnly = new QCheckBox(tr("Только неудачные"), this);
    m_failedOnly->setObjectName("checkBox_failed");
    filterRow->addWidget(m_failedOnly);
    layout->addLayout(filterRow);

    m_table = new QTableWidget(0, int(headings().size()), this);
    m_table->setObjectName("tableLog");
    m_table->setHorizontalHeaderLabels(headings());
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table);

    auto *buttons = new QHBoxLayout;
    auto *exportButton = new QPushButton(tr("Экспорт в CSV..."), this);
    exportButton->setObjectName("pushButton_export");
    auto *close = new QPushButton(tr("Закрыть"), this);
    close->setObjectName("pushButton_close");
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(m_filter, &QLineEdit::textChanged, this, &QOperationLogDialog::refresh);
    connect(m_failedOnly, &QCheckBox::toggled, this, &QOperationLogDialog::refresh);
    connect(m_log, &QOperationLog::appended, this, &QOperationLogDialog::refresh);
    connect(exportButton, &QPushButton::clicked, this, &QOperationLogDialog::exportCsv);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(900, 480);
    refresh();
}

QStringList QOperationLogDialog::headings()
{
    return {tr("Время"),  tr("Пользователь"), tr("Версия USB-stick"), tr("Операция"),
            tr("Пульты"), tr("Результат"),    tr("Подробности")};
}

QStringList QOperationLogDialog::entryTexts(const OperationLogEntry &entry)
{
    QStringList remotes;
    for (int id : entry.remotes)
        remotes << QString::number(id);
    return {entry.time.toString("dd.MM.yyyy hh:mm:ss"),
            entry.user,
            entry.stickVersion,
            QOperationLog::operationText(entry.operation),
            remotes.join(", "),
            entry.ok ? tr("выполнено") : tr("ошибка"),
            entry.detail};
}

void QOperationLogDialog::refresh()
{
    const QString filter = m_filter->text().trimmed();
    const QList<OperationLogEntry> entries = m_log->entries();
    m_table->setRowCount(0);
    for (auto e = entries.crbegin(); e != entries.crend(); ++e) {
        if (m_failedOnly->isChecked() && e->ok)
            continue;
        const QStringList texts = entryTexts(*e);
        if (!filter.isEmpty() &&
            !std::any_of(texts.cbegin(), texts.cend(), [&filter](const QString &t) {
                return t.contains(filter, Qt::CaseInsensitive);
            }))
            continue;
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        for (int column = 0; column < texts.size(); ++column) {
            auto *item = new QTableWidgetItem(texts.at(column));
            if (!e->ok)
                item->setBackground(QColor(0xF5B7B7));
            m_table->setItem(row, column, item);
        }
    }
    widenToColumns(this, m_table);
}

void QOperationLogDialog::exportCsv()
{
    QString name =
        m_prompts->getSaveFileName(this, tr("Экспорт журнала в CSV"), QString(), "*.csv");
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += ".csv";
    // What the window shows, in its order: the filter is the user's selection.
    const QChar separator = csvSeparator(QLocale());
    QByteArray out("\xEF\xBB\xBF");
    out += csvLine(headings(), separator);
    for (int row = 0; row < m_table->rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < m_table->columnCount(); ++column)
            fields << m_table->item(row, column)->text();
        out += csvLine(fields, separator);
    }
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(out) != out.size())
        m_prompts->warning(this, tr("Ошибка"), tr("Ошибка открытия файла ") + name);
}
