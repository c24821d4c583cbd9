#include "qmemorystatusdialog.h"

#include "qcircleprogressbar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
QLabel *legendSquare(QWidget *parent, const QColor &colour, const QString &name)
{
    auto *square = new QLabel(parent);
    square->setObjectName(name);
    square->setFixedSize(8, 8);
    square->setStyleSheet(QString("background-color: %1;").arg(colour.name()));
    return square;
}

QLabel *line(QWidget *parent, const QString &text, const QString &name)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// One device: heading, circle and the three figures. With no places at all only the
// heading is left, since the figures would say nothing.
QVBoxLayout *memoryColumn(QDialog *dialog, int index, const QString &heading, int total, int free)
{
    const QString n = QString::number(index);
    // A stick that reports more free than total places must not show a negative use.
    const int used = qMax(0, total - free);
    auto *column = new QVBoxLayout;

    auto *title = new QLabel("<h4>" + heading + "</h4>", dialog);
    title->setObjectName("memoryHeading_" + n);
    title->setAlignment(Qt::AlignHCenter);
    column->addWidget(title);

    auto *circle = new QCircleProgressBar(dialog);
    circle->setObjectName("memoryCircle_" + n);
    circle->setMinimumSize(100, 100);
    circle->setTextVisible(false);
    circle->setMaximum(qMax(0, total));
    circle->setValue(qMin(used, qMax(0, total)));
    column->addWidget(circle, 0, Qt::AlignHCenter);

    QLabel *freeMark = legendSquare(dialog, QCircleProgressBar::discColour, "memoryFreeMark_" + n);
    QLabel *usedMark =
        legendSquare(dialog, QCircleProgressBar::sectorColour, "memoryUsedMark_" + n);
    QLabel *freeLine = line(dialog, QMemoryStatusDialog::tr("Свободно: ") + QString::number(free),
                            "memoryFree_" + n);
    QLabel *usedLine = line(dialog, QMemoryStatusDialog::tr("Занято: ") + QString::number(used),
                            "memoryUsed_" + n);
    QLabel *totalLine = line(dialog, QMemoryStatusDialog::tr("Емкость: ") + QString::number(total),
                             "memoryTotal_" + n);

    auto *freeRow = new QHBoxLayout;
    freeRow->addWidget(freeMark);
    freeRow->addWidget(freeLine, 1);
    auto *usedRow = new QHBoxLayout;
    usedRow->addWidget(usedMark);
    usedRow->addWidget(usedLine, 1);
    column->addLayout(freeRow);
    column->addLayout(usedRow);
    column->addWidget(totalLine);
    column->addStretch();

    if (total == 0) {
        for (QWidget *w : {static_cast<QWidget *>(circle), static_cast<QWidget *>(freeMark),
                           static_cast<QWidget *>(usedMark), static_cast<QWidget *>(freeLine),
                           static_cast<QWidget *>(usedLine), static_cast<QWidget *>(totalLine)})
            w->hide();
    }
    return column;
}
} // namespace

QMemoryStatusDialog::QMemoryStatusDialog(QWidget *parent, int modemTotal, int modemFree,
                                         int deviceTotal, int deviceFree)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setWindowTitle(tr("Состояние памяти"));
    setStyleSheet("QDialog {border: 2px solid black;border-radius: 5px;}");

    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel("<h3>" + tr("Память устройств") + "</h3>", this);
    heading->setObjectName("memoryHeading");
    heading->setAlignment(Qt::AlignHCenter);
    layout->addWidget(heading);

    auto *columns = new QHBoxLayout;
    columns->addLayout(memoryColumn(this, 0, tr("USB-stick, пульты"), modemTotal, modemFree));
    columns->addLayout(memoryColumn(this, 1, tr("Устройство"), deviceTotal, deviceFree));
    layout->addLayout(columns);

    auto *close = new QPushButton(tr("Закрыть"), this);
    close->setObjectName("pushButton_close");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close);
}

QMemoryStatusDialog::~QMemoryStatusDialog() = default;
