#pragma once

#include "qoperation.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>

// Turns the bench's event loop until operation has ended; true when it succeeded, false
// for none (not started) or one still running after ms.
inline bool waitSucceeded(QOperation *operation, int ms = 600000)
{
    if (!operation)
        return false;
    const QPointer<QOperation> watched = operation;
    bool ended = operation->isFinished();
    bool ok = operation->succeeded();
    const auto connection = QObject::connect(operation, &QOperation::finished, [&] {
        ended = true;
        ok = watched->succeeded();
    });
    const QDeadlineTimer deadline(ms);
    while (!ended && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (watched)
        QObject::disconnect(connection);
    return ended && ok;
}
