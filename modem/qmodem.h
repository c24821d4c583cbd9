#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>

// Which exchange with the modem is running; the dispatcher judges answers by it.
enum MODEM_TRANSACTION_T {
    TRANSACTION_NONE = 0,
    TRANSACTION_WIZARD = 1,
    TRANSACTION_FLASH = 2,
    TRANSACTION_MODEM_MEMORY = 3,
    TRANSACTION_DEVICE_MEMORY = 4,
    TRANSACTION_AUTOCONNECT = 5,
    TRANSACTION_MODEM_MODE = 6,
    TRANSACTION_READ_TABLE = 7,
    TRANSACTION_WRITE_REMOTE = 8,
    TRANSACTION_WRITE_TABLE = 9,
    TRANSACTION_DELETE_REMOTE = 10,
    TRANSACTION_CLEAR_TABLE = 11,
    TRANSACTION_PRIVILEGES = 12,
    TRANSACTION_FUNCTIONS = 13,
    TRANSACTION_LOGIN = 14,
    TRANSACTION_PASSWORD = 15,
    TRANSACTION_FORGET_PASSWORD = 16,
    TRANSACTION_DEVICE_INIT = 17,
    TRANSACTION_COPY_TO_DEVICE = 18,
    TRANSACTION_COPY_TO_MODEM = 19,
    TRANSACTION_VERSION = 20,
    TRANSACTION_SET_PARAM = 21,
    TRANSACTION_READ_PARAMS = 22,
    TRANSACTION_WRITE_PARAMS = 23,
    TRANSACTION_FACTORY_RESET = 24,
};

// Access state as the modem reports it.
enum MODEM_PROTECTION_T {
    PROTECTION_OFF = 0,      // no password: full access
    PROTECTION_LOCKED = 1,   // password set, not entered: user access
    PROTECTION_UNLOCKED = 2, // password entered: full access
};

// Session state of the modem, held by the session for the whole run. It keeps
// its values across disconnections until a new answer overwrites them.
class QModem : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QByteArray version READ version WRITE setVersion)
    Q_PROPERTY(uint memFree READ memFree WRITE setMemFree)
    Q_PROPERTY(uint memTotal READ memTotal WRITE setMemTotal)
    Q_PROPERTY(
        MODEM_TRANSACTION_T currentTransaction READ currentTransaction WRITE setCurrentTransaction)
    Q_PROPERTY(bool updating READ updating WRITE setUpdating)
    Q_PROPERTY(bool connected READ connected WRITE setConnected)
    Q_PROPERTY(bool listening READ listening WRITE setListening)
    Q_PROPERTY(bool workMode READ workMode WRITE setWorkMode)
    Q_PROPERTY(MODEM_PROTECTION_T protectionMode READ protectionMode WRITE setProtectionMode)

public:
    explicit QModem(QObject *parent = nullptr);

    QByteArray version() const { return m_version; }
    // Only a complete 4-byte version is taken; anything else leaves the old one.
    bool setVersion(const QByteArray &version);

    uint memFree() const { return m_memFree; }
    void setMemFree(uint places) { m_memFree = places; }
    uint memTotal() const { return m_memTotal; }
    void setMemTotal(uint places) { m_memTotal = places; }

    MODEM_TRANSACTION_T currentTransaction() const { return m_currentTransaction; }
    void setCurrentTransaction(MODEM_TRANSACTION_T t) { m_currentTransaction = t; }

    bool updating() const { return m_updating; }
    void setUpdating(bool on) { m_updating = on; }
    bool connected() const { return m_connected; }
    void setConnected(bool on) { m_connected = on; }
    bool listening() const { return m_listening; }
    void setListening(bool on) { m_listening = on; }
    bool workMode() const { return m_workMode; }
    void setWorkMode(bool normal) { m_workMode = normal; }

    MODEM_PROTECTION_T protectionMode() const { return m_protectionMode; }
    void setProtectionMode(MODEM_PROTECTION_T mode) { m_protectionMode = mode; }

    int lastFoundId() const { return m_lastFoundId; }
    void setLastFoundId(int id) { m_lastFoundId = id; }

    quint8 functions() const { return m_functions; }
    void setFunctions(quint8 f) { m_functions = f; }
    quint8 protocols() const { return m_protocols; }
    void setProtocols(quint8 p) { m_protocols = p; }
    bool longRecords() const;

    // After flashing the modem, the version it reports next must carry these
    // first and last bytes. The check stays armed for every later connection.
    void expectFirmware(bool pending, quint8 first, quint8 last);
    bool firmwareMatches() const;
    bool firmwareCheckPending() const { return m_firmwareCheckPending; }

private:
    QByteArray m_version;
    uint m_memFree = 0;
    uint m_memTotal = 0;
    MODEM_TRANSACTION_T m_currentTransaction = TRANSACTION_NONE;
    bool m_updating = false;
    bool m_connected = false;
    bool m_listening = false;
    bool m_workMode = true;
    int m_lastFoundId = -1;
    MODEM_PROTECTION_T m_protectionMode = PROTECTION_UNLOCKED;
    quint8 m_functions = 0;
    quint8 m_protocols = 0;
    quint8 m_expectedVersionFirst = 0;
    quint8 m_expectedVersionLast = 0;
    bool m_firmwareCheckPending = false;
};
