#include "tablerig.h"

#include "qmodemsession.h"
#include "qwaitdialog.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using vexo::emu::FrameLogEntry;

TableRig::TableRig(const vexo::emu::EmulatorState &state)
    : emulator(state), m_host(std::make_unique<QWidget>())
{
    QWidget *host = m_host.get();
    widgets = {new QTableView(host),  new QLabel(host),      new QLineEdit(host),
               new QPushButton(host), new QPushButton(host), new QPushButton(host),
               new QPushButton(host)};
    session = new QModemSession(&prompts, host, host);
    table = new RemoteTableParts(session, widgets, host);
}

TableRig::~TableRig()
{
    m_host.reset(); // the session ends its link thread before the emulator goes
    emulator.stop();
}

bool TableRig::open()
{
    if (!emulator.start(true))
        return false;
    m_host->show();
    session->setPorts({emulator.slavePath()}, false);
    session->start_autoconnect();
    return QTest::qWaitFor(
        [this] { return table->list().source() == SOURCE_MODEM && !session->busy(); }, 20000);
}

bool TableRig::select(int id)
{
    const int row = table->view().rowOfId(id);
    widgets.table->setCurrentIndex(widgets.table->model()->index(row, 0));
    return row != -1;
}

void TableRig::useTemporaryHome()
{
    static QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    QDir().mkpath(QTableFiles::dataDirectory());
}

UiScript::UiScript()
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (m_steps.isEmpty())
            return;
        if (m_steps.first().first()) {
            m_waiting.restart();
            m_steps.takeFirst().second();
        } else if (m_waiting.hasExpired(30000)) {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *wait = qobject_cast<QWaitDialog *>(w))
                    wait->systemReject();
                else if (auto *dialog = qobject_cast<QDialog *>(w))
                    dialog->reject();
        }
    });
    m_waiting.start();
    m_timer.start(20);
}

UiScript &UiScript::when(const std::function<bool()> &ready, const std::function<void()> &act)
{
    m_steps.append({ready, act});
    return *this;
}

QString UiScript::waitText()
{
    QWaitDialog *d = shown<QWaitDialog>();
    return d ? d->findChild<QLabel *>("label_text")->text() : QString();
}

QPushButton *UiScript::waitButton(const char *name)
{
    QWaitDialog *d = shown<QWaitDialog>();
    QPushButton *b = d ? d->findChild<QPushButton *>(name) : nullptr;
    return b && b->isVisible() ? b : nullptr;
}

QList<QPair<qint64, int>> requestsOf(const vexo::emu::Emulator &emu, quint16 command)
{
    QList<QPair<qint64, int>> found;
    for (const FrameLogEntry &e : emu.frameLog())
        if (e.direction == FrameLogEntry::Direction::In && e.frame.size() >= 9 && e.frame[3] == 2 &&
            (quint8(e.frame[5]) | quint8(e.frame[6]) << 8) == command)
            found.append({e.msecs, quint8(e.frame[7])});
    return found;
}

QList<int> targetsOf(const vexo::emu::Emulator &emu, quint16 command)
{
    QList<int> targets;
    for (const auto &r : requestsOf(emu, command))
        targets << r.second;
    return targets;
}
