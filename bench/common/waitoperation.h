#pragma once

#include "qoperation.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <functional>

// Runs the application's event loop until done() holds, for ms at most; true when it
// held. The loop is left only from its own level, never from inside a dialog's.
inline bool runUntil(const std::function<bool()> &done, int ms)
{
    if (done())
        return true;
    QTimer poll;
    QTimer limit;
    limit.setSingleShot(true);
    bool expired = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if ((expired || done()) && QThread::currentThread()->loopLevel() == 1)
            QCoreApplication::exit(0);
    });
    QObject::connect(&limit, &QTimer::timeout, [&] { expired = true; });
    poll.start(10);
    limit.start(ms);
    QCoreApplication::exec();
    return done();
}

// Runs the event loop until operation has ended; true when it succeeded, false for none
// (not started) or one still running after ms. ended, when given, gets the time it ended.
inline bool waitSucceeded(QOperation *operation, int ms = 600000,
                          const std::function<void()> &ended = {})
{
    if (!operation)
        return false;
    const QPointer<QOperation> watched = operation;
    bool over = operation->isFinished();
    bool ok = operation->succeeded();
    const auto connection = QObject::connect(operation, &QOperation::finished, [&] {
        over = true;
        ok = watched->succeeded();
        if (ended)
            ended();
    });
    runUntil([&over] { return over; }, ms);
    if (watched)
        QObject::disconnect(connection);
    return over && ok;
}
