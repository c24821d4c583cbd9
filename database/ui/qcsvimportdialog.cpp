#include "qcsvimportdialog.h"

#include "remotetable.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

QCsvImportDialog::QCsvImportDialog(QWidget *parent, const CsvImport &import,
                                   const QString &fileName)
    : QDialog(parent)
{
    setWindowTitle(tr("Импорт из CSV"));
    auto *layout = new QVBoxLayout(this);
    // A file name is shown as written, never taken for markup.
    auto *heading = new QLabel(tr("Файл «%1»").arg(fileName), this);
    heading->setTextFormat(Qt::PlainText);
    layout->addWidget(heading);

    auto *table = new QTableWidget(int(import.rows.size()), 7, this);
    table->setObjectName("tableRows");
    table->setHorizontalHeaderLabels({tr("Строка"), tr("Пульт"), tr("Владелец"), tr("Группа"),
                                      tr("Статус"), tr("Режим работы"), tr("Замечания")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < import.rows.size(); ++row) {
        const CsvRowVerdict &r = import.rows.at(row);
        QStringList texts = {QString::number(r.line)};
        if (r.verdict == CSV_REFUSED) {
            // Nothing was made of the row: show what it holds.
            for (int i = 0; i < 5; ++i)
                texts << r.fields.value(i);
        } else {
            const QStringList cells = remoteRowTexts(r.remote);
            texts << cells.at(COLUMN_ID) << cells.at(COLUMN_OWNER)
                  << QString::number(r.remote.group()) << cells.at(COLUMN_STATUS)
                  << QString::number(r.remote.workMode());
        }
        texts << r.notes.join("; ");
        for (int column = 0; column < texts.size(); ++column) {
            auto *item = new QTableWidgetItem(texts.at(column));
            item->setBackground(verdictColor(r.verdict));
            table->setItem(row, column, item);
        }
    }
    table->resizeColumnsToContents();
    layout->addWidget(table);

    auto *summary = new QLabel(import.summary(), this);
    summary->setObjectName("labelSummary");
    summary->setWordWrap(true);
    layout->addWidget(summary);
    auto *note = new QLabel(tr("Импортированные пульты заменят таблицу на экране; USB-stick не "
                               "изменится. Импорт можно отменить."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);

    auto *buttons = new QHBoxLayout;
    auto *importButton = new QPushButton(tr("Импортировать"), this);
    importButton->setObjectName("pushButton_import");
    importButton->setEnabled(!import.remotes().isEmpty());
    auto *cancel = new QPushButton(tr("Отмена"), this);
    cancel->setObjectName("pushButton_cancel");
    buttons->addStretch();
    buttons->addWidget(importButton);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(importButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(820, 440);
}

QColor QCsvImportDialog::verdictColor(CSV_VERDICT_T verdict)
{
    switch (verdict) {
    case CSV_ACCEPTED:
        return QColor(0xA7E8C1);
    case CSV_WARNING:
        return QColor(0xFFE9A8);
    case CSV_REFUSED:
        break;
    }
    return QColor(0xF5B7B7);
}
