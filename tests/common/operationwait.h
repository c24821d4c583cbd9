#pragma once

#include "qoperation.h"

#include <QObject>
#include <QPointer>
#include <QTest>

#include <functional>

// Waiting for an operation that a slot started and handed back.
namespace operationwait
{
// How operation ended: Refused when none was started (null), Running when it did not end
// within ms.
inline QOperation::Outcome outcome(QOperation *operation, int ms = 60000)
{
    if (!operation)
        return QOperation::Refused;
    const QPointer<QOperation> watched = operation;
    QOperation::Outcome ended = operation->outcome();
    const auto connection =
        QObject::connect(operation, &QOperation::finished, [&] { ended = watched->outcome(); });
    (void)QTest::qWaitFor([&] { return ended != QOperation::Running; }, ms);
    if (watched)
        QObject::disconnect(connection);
    return ended;
}

inline bool succeeds(QOperation *operation, int ms = 60000)
{
    return outcome(operation, ms) == QOperation::Succeeded;
}

// True once a started operation has ended, whatever its outcome.
inline bool ends(QOperation *operation, int ms = 60000)
{
    const QOperation::Outcome ended = outcome(operation, ms);
    return ended != QOperation::Running && (operation || ended != QOperation::Refused);
}

// Cancels operation as the user would, once condition holds and Cancel is offered; false
// when the operation ended first or that did not come within ms.
inline bool cancelWhen(QOperation *operation, const std::function<bool()> &condition,
                       int ms = 30000)
{
    const QPointer<QOperation> watched = operation;
    const auto running = [&] { return watched && !watched->isFinished(); };
    const auto ready = [&] { return !running() || (watched->isCancelEnabled() && condition()); };
    if (!QTest::qWaitFor(ready, ms) || !running())
        return false;
    watched->cancel();
    return true;
}
} // namespace operationwait
