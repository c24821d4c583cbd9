#pragma once

#include <QList>
#include <QRect>

// Where a window restored at saved goes so that its title bar can be reached: unchanged
// while enough of its top strip lies on one of the screens' available areas; otherwise
// centred on fallback, no larger than fallback.
QRect reachableGeometry(const QRect &saved, const QList<QRect> &screens, const QRect &fallback);
