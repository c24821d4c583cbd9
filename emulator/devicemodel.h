#pragma once

#include "emulatorstate.h"
#include "firmwarereceiver.h"
#include "wireframe.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vexo::emu
{

// The stick and the actuator behind it: takes one checked request frame and gives the
// answer frames (unescaped) a device would send, changing its state as it goes. No
// I/O and no clock of its own: the caller passes the time in milliseconds.
class DeviceModel
{
public:
    struct Reply {
        QList<QByteArray> frames; // empty: the device stays silent
        QString note;             // what the device made of the request, for the log
    };

    explicit DeviceModel(const EmulatorState &state = EmulatorState());

    Reply handle(const Frame &request, qint64 nowMs);

    EmulatorState &state() { return m_state; }
    const EmulatorState &state() const { return m_state; }
    void setState(const EmulatorState &state);

    // A remote transmits; reported to found-remote polls while the stick listens. Presses
    // queue up behind a remote still being reported.
    bool pressRemote(quint32 id, quint8 group, int polls);
    // The button on the actuator is held: in password-reset mode this clears the password.
    bool holdActuatorButton(qint64 nowMs);

    const FirmwareImage &lastFirmware() const { return m_firmware.image(); }
    bool modemRestarting(qint64 nowMs) const { return nowMs < m_modemSilentUntil; }
    bool actuatorRestarting(qint64 nowMs) const { return nowMs < m_actuatorOfflineUntil; }
    // Forgets what belongs to one connection (read position, repeat detection).
    void resetLine();

private:
    enum class Operation { None, Clear, CopyToActuator, CopyToModem };

    Reply handleShort(const Frame &f);
    Reply handleData(const Frame &f, qint64 nowMs);

    // remote table commands
    Reply writeRemote(const Frame &f, qint64 nowMs);
    Reply deleteRemote(const Frame &f, qint64 nowMs);
    Reply readRemote(const Frame &f, bool first);
    Reply startOperation(const Frame &f, qint64 nowMs);
    Reply progress(qint64 nowMs);
    QString finishOperation(quint8 *status);
    // parameters, actuator, search
    Reply getParam(const Frame &f, qint64 nowMs);
    Reply setParam(const Frame &f, qint64 nowMs);
    Reply factoryReset(const Frame &f, qint64 nowMs);
    Reply deviceInit(qint64 nowMs);
    Reply foundRemote();
    void transmitByItself();
    // access
    Reply protection(qint64 nowMs);
    Reply access(const Frame &f);
    Reply password(const Frame &f);
    // firmware
    Reply firmware(const Frame &f, qint64 nowMs);
    void applyRestarts(qint64 nowMs);

    bool fullAccess() const { return m_state.password.isEmpty() || m_state.loggedIn; }
    bool actuatorReachable(qint64 nowMs) const
    {
        return m_state.actuatorLinked && !actuatorRestarting(nowMs);
    }
    static Reply status(quint8 st, quint8 detail, quint16 source, const QString &note);

    EmulatorState m_state;
    FirmwareReceiver m_firmware;

    int m_readCursor = 0;
    Operation m_operation = Operation::None;
    int m_operationStep = 0;
    quint8 m_clearMask = 0;
    // Remotes heard in search mode, in the order their buttons were pressed; the first
    // is reported until its polls run out.
    struct Transmission {
        quint32 value; // id in the low 24 bits, group in the high byte
        int polls;
    };
    QList<Transmission> m_heard;
    int m_emptyPolls = 0;
    int m_autoCount = 0; // transmissions made by the demonstration's remotes
    int m_resetPolls = 0;
    qint64 m_modemSilentUntil = 0;
    qint64 m_actuatorOfflineUntil = 0;
    bool m_modemVersionPending = false;
    bool m_actuatorVersionPending = false;
    std::array<quint8, 4> m_pendingModemVersion{};
    std::array<quint8, 4> m_pendingActuatorVersion{};
    QByteArray m_lastRequest;
    Reply m_lastReply;
};

} // namespace vexo::emu
