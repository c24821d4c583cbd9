#pragma once

#include <QByteArray>
#include <QObject>
#include <QVector>

// What the program last learnt about the actuator through the modem.
class QExecDevice : public QObject
{
    Q_OBJECT
public:
    // Identifiers 0..10 are addressable; slot 11 exists but is never reached.
    static constexpr int ParamSlots = 12;
    static constexpr quint16 MaxParamId = 10;
    static constexpr quint8 Unknown = 0xFF;

    explicit QExecDevice(QObject *parent = nullptr);
    ~QExecDevice() override;

    quint8 paramValue(quint16 id) const;
    void setParamValue(quint16 id, quint8 value);

    // The actuator answers b0 b1 b2 b3; we keep b3 b1 b2 b0 (major, type,
    // board, minor), the order the settings and the version text use.
    bool setVersion(const QByteArray &answer);
    // Bytes already in stored order, as read back from the settings.
    bool storeVersion(const QByteArray &stored);
    QByteArray version() const { return m_version; }
    bool isVersionKnown() const;

    quint16 memFree() const { return m_memFree; }
    void setMemFree(quint16 places) { m_memFree = places; }
    quint16 memTotal() const { return m_memTotal; }
    void setMemTotal(quint16 places) { m_memTotal = places; }

    bool remoteMode() const { return m_remoteMode; }
    void setRemoteMode(bool on) { m_remoteMode = on; }

private:
    QVector<quint8> m_params;
    quint16 m_memFree = 0;
    quint16 m_memTotal = 0;
    QByteArray m_version;
    bool m_remoteMode = false;
};
