#include "sessionrig.h"

#include "qmodemsession.h"
#include "qupdatecontroller.h"

#include <QDir>
#include <QSettings>
#include <QTest>

SessionRig::SessionRig(const vexo::emu::EmulatorState &state) : m_emulator(state) {}

SessionRig::~SessionRig()
{
    m_window.reset();
    m_emulator.stop();
}

bool SessionRig::open(const QStringList &portsBefore)
{
    // What follows clears the settings and writes backups: never the user's own.
    const QString temp = QDir::tempPath() + '/';
    const QString settings = QSettings("Vexo Electronics", "Vexo Control Tool").fileName();
    if (!settings.startsWith(temp) || !MainWindow::dataDirectory().startsWith(temp)) {
        qWarning("SessionRig: settings %s and data %s are outside a temporary home; call "
                 "SessionRig::useTemporaryHome() first",
                 qPrintable(settings), qPrintable(MainWindow::dataDirectory()));
        return false;
    }
    if (!m_emulator.start(true))
        return false;
    ShellOptions options;
    options.ports = portsBefore;
    options.ports << m_emulator.slavePath();
    options.systemPorts = false;
    // Each rig starts as on a first run: nothing kept from an earlier window, such as the
    // actuator version that spares asking the actuator.
    QSettings("Vexo Electronics", "Vexo Control Tool").clear();
    m_window = std::make_unique<MainWindow>(qApp, &m_prompts, options);
    m_window->show();
    // Connected after the window: by the time this runs, what the window does on an
    // opening (reading the table) has started; it has ended once the session is idle.
    bool opened = false;
    const auto connection = QObject::connect(&m_window->session(), &QModemSession::sessionOpened,
                                             m_window.get(), [&opened] { opened = true; });
    const bool done = QTest::qWaitFor([&opened] { return opened; }, 20000);
    QObject::disconnect(connection);
    return done && waitIdle();
}

bool SessionRig::waitIdle(int ms)
{
    return QTest::qWaitFor(
        [this] { return !m_window->session().busy() && !m_window->updates().waiting(); }, ms);
}

void SessionRig::useTemporaryHome()
{
    static QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
}
