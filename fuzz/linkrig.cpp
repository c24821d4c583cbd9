#include "linkrig.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

LinkRig::LinkRig()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    FUZZ_CHECK(m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0);
    m_slavePath = QString::fromLocal8Bit(ptsname(m_master));
    FUZZ_CHECK(m_port.open_port(m_slavePath, 4800, 0));
}

LinkRig::~LinkRig()
{
    m_port.close_port();
    ::close(m_master);
}

QList<QByteArray> LinkRig::feed(FuzzInput &in, const QByteArray &stream, Mode mode)
{
    // Every frame of the run before was taken, so nothing is left but a frame begun:
    // back to idle, the port drops it.
    m_port.setLogicState(LOGIC_IDLE);
    m_port.proc();
    if (mode == WaitingForAnswer)
        m_port.setLogicState(LOGIC_WAIT_ANSWER);
    else if (mode == WaitingForFrame)
        FUZZ_CHECK(m_port.start_receive());

    QList<QByteArray> frames;
    qsizetype pos = 0;
    while (pos < stream.size()) {
        const int len = 1 + in.pick(64);
        m_port.takeBytes(stream.mid(pos, len));
        pos += len;
        collect(in, &frames);
    }
    return frames;
}

void LinkRig::collect(FuzzInput &in, QList<QByteArray> *frames)
{
    for (;;) {
        const INTERFACE_LOGIC_STATE_T state = m_port.logic_state();
        if (state != LOGIC_ANSWER_READY && state != LOGIC_MESSAGE_READY)
            return;
        const QByteArray frame = m_port.readyFrame();
        FUZZ_CHECK(!frame.isEmpty());
        frames->append(frame);
        if (in.pick(4) == 0 && m_port.resumeReceive()) {
            // Dropped as a duplicate: the port goes on as if the frame had not come.
            m_port.proc();
            continue;
        }
        if (state == LOGIC_ANSWER_READY)
            m_port.take_answer();
        else
            m_port.take_incoming();
        // The manager's next step lets the worker go on with what is left.
        m_port.proc();
    }
}
