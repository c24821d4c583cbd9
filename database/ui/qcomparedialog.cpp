#include "qcomparedialog.h"

#include "tablefit.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

QCompareDialog::QCompareDialog(QWidget *parent, const QList<RemoteDifference> &differences,
                               const QString &otherName, bool applyAllowed)
    : QDialog(parent)
{
    setWindowTitle(tr("Сравнение USB-stick с файлом"));
    auto *layout = new QVBoxLayout(this);
    auto *heading =
        new QLabel(tr("Таблица USB-stick (последняя прочитанная) и «%1»").arg(otherName), this);
    heading->setTextFormat(Qt::PlainText);
    heading->setWordWrap(true);
    layout->addWidget(heading);

    auto *table = new QTableWidget(int(differences.size()), 4, this);
    table->setObjectName("tableDifferences");
    table->setHorizontalHeaderLabels(
        {tr("Пульт"), tr("Отличие"), tr("В USB-stick"), tr("В файле")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < differences.size(); ++row) {
        const RemoteDifference &d = differences.at(row);
        const QStringList texts = {
            QString::number(d.id), kindText(d),
            d.kind == RemoteDifference::ONLY_IN_FILE ? QString() : remoteSummary(d.stick),
            d.kind == RemoteDifference::ONLY_IN_STICK ? QString() : remoteSummary(d.file)};
        for (int column = 0; column < texts.size(); ++column) {
            auto *item = new QTableWidgetItem(texts.at(column));
            item->setBackground(kindColor(d.kind));
            table->setItem(row, column, item);
        }
    }
    table->resizeColumnsToContents();
    layout->addWidget(table);

    auto *summaryLabel = new QLabel(summary(differences), this);
    summaryLabel->setObjectName("labelSummary");
    layout->addWidget(summaryLabel);
    if (!differences.isEmpty()) {
        auto *note = new QLabel(
            applyAllowed ? tr("Применение запишет в USB-stick и удалит из него только эти "
                              "пульты; остальные останутся как есть.")
                         : tr("Для применения нужен полный доступ к USB-stick."),
            this);
        note->setWordWrap(true);
        layout->addWidget(note);
    }

    auto *buttons = new QHBoxLayout;
    auto *apply = new QPushButton(tr("Применить к USB-stick"), this);
    apply->setObjectName("pushButton_apply");
    apply->setEnabled(applyAllowed && !differences.isEmpty());
    auto *close = new QPushButton(tr("Закрыть"), this);
    close->setObjectName("pushButton_close");
    close->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    resize(760, 420);
    widenToColumns(this, table);
}

QColor QCompareDialog::kindColor(RemoteDifference::KIND_T kind)
{
    switch (kind) {
    case RemoteDifference::ONLY_IN_STICK:
        return QColor(0xF5B7B7);
    case RemoteDifference::ONLY_IN_FILE:
        return QColor(0xA7E8C1);
    case RemoteDifference::CHANGED:
        break;
    }
    return QColor(0xFFE9A8);
}

QString QCompareDialog::kindText(const RemoteDifference &difference)
{
    switch (difference.kind) {
    case RemoteDifference::ONLY_IN_STICK:
        return tr("Только в USB-stick");
    case RemoteDifference::ONLY_IN_FILE:
        return tr("Только в файле");
    case RemoteDifference::CHANGED:
        break;
    }
    return tr("Отличается: %1").arg(changedFieldsText(difference.fields));
}

QString QCompareDialog::summary(const QList<RemoteDifference> &differences)
{
    if (differences.isEmpty())
        return tr("Таблицы совпадают");
    int counts[3] = {0, 0, 0};
    for (const RemoteDifference &d : differences)
        ++counts[d.kind];
    return tr("Только в USB-stick: %1, только в файле: %2, отличаются: %3")
        .arg(counts[RemoteDifference::ONLY_IN_STICK])
        .arg(counts[RemoteDifference::ONLY_IN_FILE])
        .arg(counts[RemoteDifference::CHANGED]);
}
