#pragma once

#include "qoperation.h"

#include <QObject>
#include <QPointer>
#include <QTest>

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
} // namespace operationwait
