#pragma once

#include "remoterecord.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <array>

namespace vexo::emu
{

// Everything about the stick and the actuator that a test or a user sets up, and that
// the device itself changes (tables, password, parameters, versions, modes).
struct EmulatorState {
    // --- stick ---
    // Version bytes in the order the stick answers PARAM_VERSION: major, type, board, minor.
    std::array<quint8, 4> modemVersion{1, 1, 1, 0};
    // Probe reply: "V<board>" and software <softMajor>.<softMinor>.
    quint8 boardRevision = 1;
    quint8 softwareMajor = 1;
    quint8 softwareMinor = 0;
    quint8 functions = 0; // bit 1: 128-byte records
    quint8 protocols = 1;
    int modemCapacity = 100; // record places
    QList<EmulatorRemote> modemRemotes;
    QByteArray password; // as sent on the wire (Windows-1251); empty: none
    bool loggedIn = false;
    quint8 modemMode = 1;
    bool uploadTableMode = false;
    bool updateFlashMode = false;
    bool uploadParamsMode = false;

    // --- actuator ---
    // Stored as major, type, board, minor like the stick's; it answers them in the order
    // minor, type, board, major.
    std::array<quint8, 4> actuatorVersion{1, 2, 1, 0};
    int actuatorCapacity = 50;
    QList<EmulatorRemote> actuatorRemotes;
    std::array<quint8, 4> params = defaultParams(); // work mode, short, blinds, roller
    std::array<quint8, 4> appliedParams = defaultParams();
    bool actuatorLinked = true; // the stick reaches the actuator over the air
    int initFailures = 0;       // CMD_DEVICE_INIT answers 07 00 this many more times

    // --- behaviour ---
    int progressSteps = 3;     // 08 xx answers before a clear or copy finishes
    int restartMs = 3000;      // silence of a target after a firmware update
    bool applyFirmware = true; // false: a complete image fails to start, the old version stays
    int pressPolls = 1;        // found-remote polls that report one press
    int autoRemotePolls = 0;   // > 0: an unregistered remote transmits after this many empty polls
    quint32 autoRemoteId = 0x5A1234;
    quint8 autoRemoteGroup = 1;
    bool autoRemoteKnown = false; // every other such transmission is a registered remote
    int autoHoldPolls = 0; // > 0: in reset mode the actuator button is held after this many polls

    bool longRecords() const { return functions & 0x02; }

    static std::array<quint8, 4> defaultParams() { return {0, 20, 30, 60}; }
    // Allowed raw range of actuator parameter 1..4.
    static bool paramInRange(quint16 id, quint8 value);

    // A stick and actuator with a dozen remotes, owners named in Russian, long records.
    static EmulatorState demo();

    QJsonObject toJson() const;
    // Keys absent from the object keep their defaults; false with a message on a bad value.
    static bool fromJson(const QJsonObject &json, EmulatorState *state, QString *error);
    static bool loadFile(const QString &path, EmulatorState *state, QString *error);
    bool saveFile(const QString &path, QString *error) const;
};

} // namespace vexo::emu
