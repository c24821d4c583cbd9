#include "portaccessnotice.h"

#include "portopener.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

PortAccessNotice::PortAccessNotice(QWidget *parent) : QFrame(parent), m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("portAccessNotice"));
    setFrameShape(QFrame::StyledPanel);
    setStyleSheet(QStringLiteral("#portAccessNotice { background: #fff3c4; }"));
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    // The command is meant to be copied into a terminal.
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("portAccessNoticeClose"));
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setAutoRaise(true);
    close->setToolTip(tr("Закрыть"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 3, 3);
    layout->addWidget(m_label, 1);
    layout->addWidget(close, 0, Qt::AlignTop);
    connect(close, &QToolButton::clicked, this, &QWidget::hide);
    hide();
}

QString PortAccessNotice::message(const QString &port, const QString &group)
{
    // Adding a user to root's group is never the advice to give.
    const QString g =
        group.isEmpty() || group == QLatin1String("root") ? QStringLiteral("dialout") : group;
    return tr("Нет прав на открытие порта %1.\nДобавьте пользователя в группу %2 "
              "(sudo usermod -aG %2 $USER), затем выйдите из системы и войдите снова.")
        .arg(port, g);
}

QString PortAccessNotice::busyMessage(const QString &port)
{
    return tr("Порт %1 занят другой программой.\nЗакройте программу, которая его использует: "
              "поиск USB-stick продолжается и найдёт его, когда порт освободится.")
        .arg(port);
}

QString PortAccessNotice::text() const
{
    return m_label->text();
}

void PortAccessNotice::report(const QString &port)
{
    if (m_reported)
        return;
    m_reported = true;
    m_label->setText(message(port, portDeviceGroup(port)));
    show();
}

void PortAccessNotice::reportBusy(const QString &port)
{
    if (m_busyReported)
        return;
    m_busyReported = true;
    m_label->setText(busyMessage(port));
    show();
}

void PortAccessNotice::withdraw()
{
    hide();
}
