#include "qcircleprogressbar.h"

#include <QPainter>
#include <QPainterPath>

const QColor QCircleProgressBar::discColour(161, 173, 255);
const QColor QCircleProgressBar::sectorColour(255, 161, 205);

QCircleProgressBar::QCircleProgressBar(QWidget *parent) : QProgressBar(parent) {}

void QCircleProgressBar::paintEvent(QPaintEvent *)
{
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);

    painter.setBrush(discColour);
    painter.drawEllipse(QPoint(w / 2, h / 2), w / 2 - 1, h / 2 - 1);

    if (maximum() == 0)
        return;
    QPainterPath sector;
    sector.moveTo(w / 2, h / 2);
    sector.lineTo(-1, h / 2);
    sector.arcTo(QRectF(1, 1, w - 1, h - 1), -180, (value() * -360) / maximum());
    sector.lineTo(w / 2, h / 2);
    painter.setBrush(sectorColour);
    painter.drawPath(sector);
}
