#pragma once

#include <QProgressBar>

// Round progress indicator: a light-blue disc with a pink sector growing
// clockwise from nine o'clock.
class QCircleProgressBar : public QProgressBar
{
    Q_OBJECT
public:
    explicit QCircleProgressBar(QWidget *parent = nullptr);

    static const QColor discColour;
    static const QColor sectorColour;

protected:
    void paintEvent(QPaintEvent *event) override;
};
