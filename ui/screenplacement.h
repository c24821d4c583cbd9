#pragma once

#include <QList>
#include <QMargins>
#include <QRect>

// Where a window restored at saved goes so that its title bar can be reached: unchanged
// while enough of its top strip lies on one of the screens' available areas; otherwise
// centred on fallback, no larger than fallback.
QRect reachableGeometry(const QRect &saved, const QList<QRect> &screens, const QRect &fallback);

// A window of geometry whose frame adds frame, made to fit available when it is larger:
// no larger than available leaves room for, and moved in from its edges. A window that
// fits is left where it is.
QRect fittedGeometry(const QRect &geometry, const QMargins &frame, const QRect &available);
