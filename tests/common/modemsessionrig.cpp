#include "modemsessionrig.h"

#include <QTest>

ModemSessionRig::ModemSessionRig(const vexo::emu::EmulatorState &state) : m_emulator(state) {}

ModemSessionRig::~ModemSessionRig()
{
    m_session.reset();
    m_emulator.stop();
}

bool ModemSessionRig::open()
{
    if (!m_emulator.start(true))
        return false;
    m_session = std::make_unique<QModemSession>(&m_prompts, nullptr);
    m_session->setPorts({m_emulator.slavePath()}, false);
    bool opened = false;
    QObject::connect(m_session.get(), &QModemSession::sessionOpened, [&opened] { opened = true; });
    m_session->start_autoconnect();
    const bool ok = QTest::qWaitFor([&opened] { return opened; }, 20000);
    QObject::disconnect(m_session.get(), &QModemSession::sessionOpened, nullptr, nullptr);
    return ok;
}
