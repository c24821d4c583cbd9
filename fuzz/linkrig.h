#pragma once

#include "fuzzinput.h"
#include "rs232_port.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The port worker opened on a pseudo-terminal that nothing writes to: bytes reach its
// receive path only through takeBytes(), in the pieces a run chooses, so every run of
// an input is the same.
class LinkRig
{
public:
    LinkRig();
    ~LinkRig();

    // How the port waits when the bytes come.
    enum Mode { Idle, WaitingForAnswer, WaitingForFrame, ModeCount };

    // Starts from an idle port (nothing of the run before stays) and feeds the stream in
    // pieces of 1 to 64 bytes. Each frame the port completes is taken as the manager
    // takes it, or dropped and the reception resumed as for a duplicate; every one is
    // returned in order.
    QList<QByteArray> feed(FuzzInput &in, const QByteArray &stream, Mode mode);

private:
    void collect(FuzzInput &in, QList<QByteArray> *frames);

    int m_master = -1;
    QString m_slavePath;
    rs232_port m_port;
};
