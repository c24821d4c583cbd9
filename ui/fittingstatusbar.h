#pragma once

#include <QStatusBar>

// A status bar that never widens the window: whatever its widgets and messages say, it
// asks for no more width than a narrow window has. A message too long for the bar is
// cut short with "…" and shown whole as the tooltip; the widgets in it are expected to
// give way likewise (QElidedLabel, QElidedButton, word-wrapped labels).
class QFittingStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    // The most width the bar asks of the window.
    static constexpr int MaxMinimumWidth = 200;

    explicit QFittingStatusBar(QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;
    // The message as shown at the present width; empty without a message.
    QString shownMessage() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Where the message is drawn: the bar left of its permanent widgets.
    QRect messageRect() const;
};
