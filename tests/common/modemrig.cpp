#include "modemrig.h"

#include <QTest>

ModemRig::ModemRig(const vexo::emu::EmulatorState &state)
    : m_emulator(state), m_session(std::make_unique<QModemSession>(&m_prompts, nullptr))
{
    QObject::connect(m_session.get(), &QModemSession::sessionOpened, [this] { ++m_openings; });
}

ModemRig::~ModemRig()
{
    m_session.reset();
    m_emulator.stop();
}

bool ModemRig::open(const QStringList &portsBefore)
{
    if (!m_emulator.start(true))
        return false;
    m_session->setPorts(QStringList(portsBefore) << m_emulator.slavePath(), false);
    m_session->start_autoconnect();
    return waitOpenings(m_openings + 1, 20000);
}

bool ModemRig::waitIdle(int ms)
{
    return QTest::qWaitFor([this] { return !m_session->busy(); }, ms);
}

bool ModemRig::waitOpenings(int count, int ms)
{
    return QTest::qWaitFor([&] { return m_openings >= count; }, ms);
}
