#include "qautoconnecttool.h"

#include "linklog.h"
#include "qinterface_manager.h"

#include <QSerialPortInfo>
#include <QTimer>

#include <utility>

namespace
{
constexpr quint16 QUERY_IDENT_ANSWER = 0x1221;
constexpr quint8 IDENT_MARK = 0x56; // the letter V in the high byte of the value word
} // namespace

QAutoConnectTool::QAutoConnectTool(QObject *parent, QInterface_Manager *manager,
                                   const QStringList &ports, bool includeSystem)
    : QObject(parent), m_manager(manager), m_preferredPorts(ports),
      m_includeSystemPorts(includeSystem)
{
    if (!m_manager)
        return;
    connect(m_manager, &QInterface_Manager::signal_proc_incoming_message, this,
            &QAutoConnectTool::slotIncomeMessage);
    connect(m_manager, &QInterface_Manager::signal_ack_timeout, this,
            &QAutoConnectTool::slotTimeout);
    connect(m_manager, &QInterface_Manager::signal_interface_status, this,
            &QAutoConnectTool::slotOpenStatus);
}

QAutoConnectTool::~QAutoConnectTool()
{
    if (!m_manager)
        return;
    disconnect(m_manager, nullptr, this, nullptr);
    m_manager->set_ack_timeout(QInterface_Manager::DEFAULT_ACK_TIMEOUT);
    m_manager->set_retry_count(QInterface_Manager::DEFAULT_RETRY_COUNT);
}

QStringList QAutoConnectTool::port_list() const
{
    QStringList list = m_preferredPorts;
    if (!m_includeSystemPorts)
        return list;
    if (m_systemPortsAge.hasExpired()) {
        m_systemPorts.clear();
        for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
            // "COM7", as the user knows it; Qt reads the list from the registry.
            m_systemPorts.append(info.portName());
#else
            m_systemPorts.append(info.systemLocation());
#endif
        }
        m_systemPortsAge.setRemainingTime(SYSTEM_LIST_MAX_AGE_MS);
    }
    for (const QString &port : qAsConst(m_systemPorts)) {
        if (!list.contains(port))
            list.append(port);
    }
    return list;
}

QString QAutoConnectTool::currentPort() const
{
    return m_index >= 0 && m_index < m_ports.size() ? m_ports.at(m_index) : QString();
}

bool QAutoConnectTool::start_search(bool keep_open)
{
    if (!m_manager)
        return false;
    m_manager->set_ack_timeout(PROBE_TIMEOUT_MS);
    m_manager->set_retry_count(0);
    m_keepOpen = keep_open;
    if (m_portOpen) {
        // Searched again once the port is closed; its closing must not move the old
        // search on.
        m_found = true;
        m_afterClose = SEARCH;
        m_manager->stop_interface();
        return true;
    }
    beginSearch();
    return true;
}

void QAutoConnectTool::beginSearch()
{
    m_ports = port_list();
    if (m_ports.isEmpty()) {
        // Nothing to probe: look again in a second instead of spinning.
        QTimer::singleShot(EMPTY_LIST_DELAY_MS, this, &QAutoConnectTool::signalNoPortFound);
        return;
    }
    m_index = 0;
    m_found = false;
    openCurrent();
}

void QAutoConnectTool::openCurrent()
{
    m_manager->set_port(m_ports.at(m_index), 4800, 0);
    m_manager->start_interface();
}

void QAutoConnectTool::slotOpenStatus(bool value)
{
    if (value) {
        m_portOpen = true;
        QRS232Message query;
        query.make_short_frame(0, 0x20, 0x12, 0, 0, 0, 0);
        m_manager->send_command(query);
        return;
    }
    m_portOpen = false;
    switch (std::exchange(m_afterClose, NOTHING)) {
    case SEARCH:
        beginSearch();
        return;
    case REPORT_FOUND:
        emit signalPortFound(currentPort());
        return;
    case NOTHING:
        break;
    }
    if (m_manager->openError() == QSerialPort::PermissionError)
        emit signalPortAccessDenied(currentPort());
    else if (m_manager->openError() == QSerialPort::OpenError)
        emit signalPortBusy(currentPort());
    if (!m_found)
        QTimer::singleShot(NEXT_PORT_DELAY_MS, this, &QAutoConnectTool::slotTimeout);
}

void QAutoConnectTool::slotIncomeMessage(QByteArray buf)
{
    QRS232Message answer(nullptr, buf);
    const bool accepted = answer.parse() == 0 && !answer.is_data_frame() &&
                          answer.command() == QUERY_IDENT_ANSWER &&
                          (answer.value() >> 8) == IDENT_MARK;
    if (!accepted) {
        QTimer::singleShot(NEXT_PORT_DELAY_MS, this, &QAutoConnectTool::slotTimeout);
        return;
    }
    m_probeValue = answer.value();
    m_probeWord3 = answer.target();
    m_manager->set_ack_timeout(QInterface_Manager::DEFAULT_ACK_TIMEOUT);
    m_manager->set_retry_count(QInterface_Manager::DEFAULT_RETRY_COUNT);
    m_found = true;
    if (!m_keepOpen && m_portOpen) {
        // Reported once the port is closed (the closing report is queued from the line's
        // thread), so the finder may open it at once.
        m_afterClose = REPORT_FOUND;
        m_manager->stop_interface();
        return;
    }
    emit signalPortFound(currentPort());
}

void QAutoConnectTool::slotTimeout()
{
    if (m_found)
        return; // a late timer of the finished search
    if (!m_portOpen) {
        ++m_index;
        if (m_index < m_ports.size())
            openCurrent();
        else
            emit signalNoPortFound();
        return;
    }
    m_portOpen = false;
    emit signalClosePort(tr("Закрыт порт ") + currentPort());
    m_manager->stop_interface();
}
