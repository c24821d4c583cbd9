#include "event_filter.h"

#include <QEvent>

Event_Filter::Event_Filter(QObject *parent) : QObject(parent) {}

bool Event_Filter::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched)
        return false;
    switch (event->type()) {
    case QEvent::Resize:
        // The layout has already seen the event before object filters run, so
        // swallowing it here does not stop the window from laying out.
        emit table_resize();
        return true;
    case QEvent::MouseMove:
        return QObject::eventFilter(watched, event);
    default:
        return false;
    }
}
