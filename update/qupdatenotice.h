#pragma once

#include <QFrame>

class QPushButton;
class QTimer;
class QToolButton;

// The announcement of an update inside the window, for desktops without a tray: the
// message is a button that leads where the tray's balloon would.
class QUpdateNotice : public QFrame
{
    Q_OBJECT
public:
    explicit QUpdateNotice(QWidget *parent = nullptr);

    // clickable: the message leads on, else a click only hides it; timeoutMs > 0 hides it after
    // that time.
    void showMessage(const QString &text, bool clickable, int timeoutMs = 0);
    QString text() const;
    bool isClickable() const { return m_clickable; }
    QPushButton *messageButton() const { return m_message; }

signals:
    void clicked();

private:
    QPushButton *m_message;
    QToolButton *m_close;
    QTimer *m_timeout;
    bool m_clickable = false;
};
