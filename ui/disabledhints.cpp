#include "disabledhints.h"

#include <QAction>
#include <QHelpEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolTip>

namespace disabledhints
{
void apply(QWidget *widget, const QString &why)
{
    widget->setEnabled(why.isEmpty());
    widget->setToolTip(why);
    widget->setStatusTip(why);
}

void apply(QAction *action, const QString &why)
{
    action->setEnabled(why.isEmpty());
    // An action's own tooltip falls back to its text; the status tip is empty unless set.
    action->setToolTip(why);
    action->setStatusTip(why);
}

void apply(QMenu *menu, const QString &why)
{
    menu->setEnabled(why.isEmpty());
    apply(menu->menuAction(), why);
}
} // namespace disabledhints

namespace
{
QAction *actionAt(QObject *watched, const QPoint &pos)
{
    if (auto *menu = qobject_cast<QMenu *>(watched))
        return menu->actionAt(pos);
    if (auto *bar = qobject_cast<QMenuBar *>(watched))
        return bar->actionAt(pos);
    return nullptr;
}

// The reason for an entry that is off; empty for one that is on.
QString reasonAt(QObject *watched, const QPoint &pos)
{
    const QAction *action = actionAt(watched, pos);
    return action && !action->isEnabled() ? action->statusTip() : QString();
}
} // namespace

DisabledActionHints::DisabledActionHints(QStatusBar *bar, QObject *parent)
    : QObject(parent), m_bar(bar)
{
}

void DisabledActionHints::watch(QWidget *menu)
{
    menu->setMouseTracking(true);
    menu->installEventFilter(this);
}

void DisabledActionHints::showReason(const QString &why)
{
    if (!m_bar || why == m_shown)
        return;
    if (why.isEmpty()) {
        // Only our own message goes; one that came meanwhile stays.
        if (m_bar->currentMessage() == m_shown)
            m_bar->clearMessage();
    } else {
        m_bar->showMessage(why);
    }
    m_shown = why;
}

bool DisabledActionHints::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip: {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString why = reasonAt(watched, help->pos());
        if (why.isEmpty())
            break;
        QToolTip::showText(help->globalPos(), why, qobject_cast<QWidget *>(watched));
        return true;
    }
    case QEvent::MouseMove:
        showReason(reasonAt(watched, static_cast<QMouseEvent *>(event)->position().toPoint()));
        break;
    case QEvent::Leave:
    case QEvent::Hide:
        showReason(QString());
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
