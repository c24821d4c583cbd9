#include "qupdatenotice.h"

#include "elidedtext.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

QUpdateNotice::QUpdateNotice(QWidget *parent)
    : QFrame(parent), m_message(new QElidedButton(this)), m_close(new QToolButton(this)),
      m_timeout(new QTimer(this))
{
    setObjectName(QStringLiteral("updateNotice"));
    m_message->setObjectName(QStringLiteral("updateNoticeMessage"));
    m_message->setFlat(true);
    // Read as a message, not as a button caption; a long one gives way to the window's width.
    m_message->setStyleSheet(QStringLiteral("text-align: left;"));
    m_message->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    m_close->setObjectName(QStringLiteral("updateNoticeClose"));
    m_close->setAutoRaise(true);
    m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_close->setToolTip(tr("Скрыть"));
    m_timeout->setSingleShot(true);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_message, 1);
    layout->addWidget(m_close);

    connect(m_message, &QPushButton::clicked, this, [this] {
        hide();
        if (m_clickable)
            emit clicked();
    });
    connect(m_close, &QToolButton::clicked, this, &QWidget::hide);
    connect(m_timeout, &QTimer::timeout, this, &QWidget::hide);
    hide();
}

void QUpdateNotice::showMessage(const QString &text, bool clickable, int timeoutMs)
{
    m_message->setText(text);
    m_clickable = clickable;
    m_message->setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (timeoutMs > 0)
        m_timeout->start(timeoutMs);
    else
        m_timeout->stop();
    show();
}

QString QUpdateNotice::text() const
{
    return m_message->text();
}
