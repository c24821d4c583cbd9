#pragma once

#include <QTest>

// Showing that something does not happen: wait until the time by which it would have come,
// taken from the figure of whatever would make it come (the link's time-out, its byte gap,
// the emulator's restart), and fail at once when it comes early.
namespace quietwait
{
// The deadline and a quarter more, for timers that fire late on a loaded machine.
inline qint64 past(qint64 deadlineMs)
{
    return deadlineMs + deadlineMs / 4;
}

// True when happened() stays false for ms; false as soon as it turns true.
template <typename F> bool staysFalse(F happened, qint64 ms)
{
    return !QTest::qWaitFor(happened, int(ms));
}
} // namespace quietwait
