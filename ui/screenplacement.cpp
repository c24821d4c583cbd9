#include "screenplacement.h"

#include <QtGlobal>

namespace
{
// Enough of the title bar to grab it with the mouse.
constexpr int GripHeight = 30;
constexpr int GripMinWidth = 100;
constexpr int GripMinHeight = 20;
} // namespace

QRect reachableGeometry(const QRect &saved, const QList<QRect> &screens, const QRect &fallback)
{
    const QRect grip(saved.topLeft(), QSize(saved.width(), qMin(saved.height(), GripHeight)));
    const int needWidth = qMin(GripMinWidth, grip.width());
    const int needHeight = qMin(GripMinHeight, grip.height());
    for (const QRect &screen : screens) {
        const QRect onScreen = grip.intersected(screen);
        if (!onScreen.isEmpty() && onScreen.width() >= needWidth && onScreen.height() >= needHeight)
            return saved;
    }
    if (fallback.isEmpty())
        return saved;
    QRect placed(QPoint(), saved.size().boundedTo(fallback.size()));
    placed.moveCenter(fallback.center());
    return placed;
}

QRect fittedGeometry(const QRect &geometry, const QMargins &frame, const QRect &available)
{
    const QSize room = available.marginsRemoved(frame).size();
    if (available.isEmpty() ||
        (geometry.width() <= room.width() && geometry.height() <= room.height()))
        return geometry;
    QRect outer = QRect(geometry.topLeft(), geometry.size().boundedTo(room)).marginsAdded(frame);
    outer.moveRight(qMin(outer.right(), available.right()));
    outer.moveBottom(qMin(outer.bottom(), available.bottom()));
    outer.moveLeft(qMax(outer.left(), available.left()));
    outer.moveTop(qMax(outer.top(), available.top()));
    return outer.marginsRemoved(frame);
}
