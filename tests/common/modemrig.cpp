#include "modemrig.h"

#include <QTest>

ModemRig::ModemRig(const vexo::emu::EmulatorState &state) : m_emulator(state) {}

ModemRig::~ModemRig()
{
    m_session.reset();
    m_emulator.stop();
}

bool ModemRig::open()
{
    if (!m_emulator.start(true))
        return false;
    m_session = std::make_unique<QModemSession>(&m_prompts, nullptr);
    m_session->setPorts({m_emulator.slavePath()}, false);
    QObject::connect(m_session.get(), &QModemSession::sessionOpened, [this] { ++m_openings; });
    m_session->start_autoconnect();
    return waitOpenings(1);
}

bool ModemRig::waitOpenings(int count, int ms)
{
    // The opening steps run in nested loops inside the slot that found the port.
    return QTest::qWaitFor([this, count] { return m_openings >= count; }, ms);
}
