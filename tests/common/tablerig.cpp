#include "tablerig.h"

#include "qmodemsession.h"
#include "qwaitdialog.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using vexo::emu::FrameLogEntry;

TableRig::TableRig(const vexo::emu::EmulatorState &state)
    : m_emulator(state), m_host(std::make_unique<QWidget>())
{
    m_widgets.table = new QTableWidget(m_host.get());
    m_widgets.sourceLabel = new QLabel(m_host.get());
    m_widgets.filter = new QLineEdit(m_host.get());
    m_widgets.activeButton = new QPushButton(m_host.get());
    m_widgets.addButton = new QPushButton(m_host.get());
    m_widgets.delButton = new QPushButton(m_host.get());
    m_widgets.editButton = new QPushButton(m_host.get());
    m_session = new QModemSession(&m_prompts, m_host.get(), m_host.get());
    m_table = new QRemoteTableController(m_session, m_widgets, m_host.get());
}

TableRig::~TableRig()
{
    // The controller and the session (its link thread) go before the emulator.
    m_host.reset();
    m_emulator.stop();
}

bool TableRig::open()
{
    if (!m_emulator.start(true))
        return false;
    m_host->show();
    m_session->setPorts({m_emulator.slavePath()}, false);
    m_session->start_autoconnect();
    return QTest::qWaitFor([this] { return m_table->data_source() == SOURCE_MODEM; }, 20000);
}

bool TableRig::select(int id)
{
    const int row = m_table->row_of_id(id);
    if (row != -1)
        m_widgets.table->setCurrentCell(row, 0);
    return row != -1;
}

void TableRig::useTemporaryHome()
{
    static QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    QDir().mkpath(QRemoteTableController::dataDirectory());
}

UiScript::UiScript()
{
    m_timer.setInterval(20);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (m_steps.isEmpty())
            return;
        if (!m_steps.first().first()) {
            if (m_waiting.hasExpired(30000)) {
                for (QWidget *w : QApplication::topLevelWidgets())
                    if (auto *wait = qobject_cast<QWaitDialog *>(w))
                        wait->systemReject();
                    else if (auto *dialog = qobject_cast<QDialog *>(w))
                        dialog->reject();
            }
            return;
        }
        const auto act = m_steps.takeFirst().second;
        m_waiting.restart();
        act();
    });
    m_waiting.start();
    m_timer.start();
}

UiScript &UiScript::when(const std::function<bool()> &ready, const std::function<void()> &act)
{
    m_steps.append({ready, act});
    return *this;
}

QWaitDialog *UiScript::waitDialog()
{
    return shown<QWaitDialog>();
}

QString UiScript::waitText()
{
    QWaitDialog *d = waitDialog();
    return d ? d->findChild<QLabel *>("label_text")->text() : QString();
}

namespace
{
QList<FrameLogEntry> requests(const vexo::emu::Emulator &emu, quint16 command)
{
    QList<FrameLogEntry> found;
    for (const FrameLogEntry &e : emu.frameLog())
        if (e.direction == FrameLogEntry::Direction::In && e.frame.size() >= 9 && e.frame[3] == 2 &&
            (quint8(e.frame[5]) | quint8(e.frame[6]) << 8) == command)
            found << e;
    return found;
}
} // namespace

QList<qint64> requestTimes(const vexo::emu::Emulator &emu, quint16 command)
{
    QList<qint64> times;
    for (const FrameLogEntry &e : requests(emu, command))
        times << e.msecs;
    return times;
}

QList<int> requestTargets(const vexo::emu::Emulator &emu, quint16 command)
{
    QList<int> targets;
    for (const FrameLogEntry &e : requests(emu, command))
        targets << quint8(e.frame[7]);
    return targets;
}
