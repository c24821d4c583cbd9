#pragma once

#include <QLabel>
#include <QPushButton>

// A one-line caption that gives way: narrower than its text, it shows the text cut short
// with "…", and the whole text as its tooltip. text() stays the whole text, and the
// minimum width is that of a few letters, so a long text never widens the window.

class QElidedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit QElidedLabel(QWidget *parent = nullptr);
    explicit QElidedLabel(const QString &text, QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;
    // Whether the text is shown cut short at the present width.
    bool isElided() const;
    // The text as shown at the present width.
    QString shownText() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textRect() const;
};

class QElidedButton : public QPushButton
{
    Q_OBJECT
public:
    explicit QElidedButton(QWidget *parent = nullptr);
    explicit QElidedButton(const QString &text, QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;
    bool isElided() const;
    QString shownText() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int textRoom() const;
};
