#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QStringList>

class QInterface_Manager;

// Finds the port on which the USB-stick answers: opens each listed port in turn through
// the interface manager, sends the identification query and takes the first port whose
// answer is right.
class QAutoConnectTool : public QObject
{
    Q_OBJECT
public:
    static constexpr int PROBE_TIMEOUT_MS = 500;
    static constexpr int NEXT_PORT_DELAY_MS = 100;
    static constexpr int EMPTY_LIST_DELAY_MS = 1000;
    // Reading the system's list scans every tty device; passes over missing ports come
    // round every 100 ms, so the list is read again only after this long.
    static constexpr int SYSTEM_LIST_MAX_AGE_MS = 1000;

    // ports are probed first, in their order; with includeSystem the system's list follows.
    QAutoConnectTool(QObject *parent, QInterface_Manager *manager,
                     const QStringList &ports = QStringList(), bool includeSystem = true);
    ~QAutoConnectTool() override;

    bool start_search(bool keep_open);

    // The ports one search pass probes: the creator's, then the system's.
    QStringList port_list() const;

    // The identification answer of the found port: its value word and word 3.
    quint16 probeValue() const { return m_probeValue; }
    quint16 probeWord3() const { return m_probeWord3; }
    QString currentPort() const;

signals:
    void signalOpenPort(QString port);
    void signalClosePort(QString port);
    void signalPortFound(QString port);
    void signalNoPortFound();
    // The port exists but the user may not open it; at every pass that meets it.
    void signalPortAccessDenied(QString port);
    // The port exists but another program holds it open; at every pass that meets it.
    void signalPortBusy(QString port);

private slots:
    void slotIncomeMessage(QByteArray buf);
    void slotTimeout();
    void slotOpenStatus(bool value);

private:
    void openCurrent();
    void beginSearch();

    QInterface_Manager *m_manager;
    const QStringList m_preferredPorts;
    const bool m_includeSystemPorts;
    QStringList m_ports;
    int m_index = 0;
    bool m_portOpen = false;
    bool m_keepOpen = true;
    bool m_found = false;
    // What follows once the open port's closing is reported: the search from the start,
    // or the report of the port found.
    enum AfterClose { NOTHING, SEARCH, REPORT_FOUND };
    AfterClose m_afterClose = NOTHING;
    quint16 m_probeValue = 0;
    quint16 m_probeWord3 = 0;
    mutable QStringList m_systemPorts;
    mutable QDeadlineTimer m_systemPortsAge; // expired: read the system's list again
};
