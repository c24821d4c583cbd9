#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QObject>
#include <QString>

// One wireless remote as the modem and the database files know it. Lists of
// remotes are value lists, so copies carry the five fields and never a parent.
class QControlDevice : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString ownerName READ ownerName WRITE setOwnerName)
    Q_PROPERTY(int id READ id WRITE setId)
    Q_PROPERTY(unsigned char group READ group WRITE setGroup)
    Q_PROPERTY(bool active READ active WRITE setActive)
    Q_PROPERTY(unsigned char workMode READ workMode WRITE setWorkMode)

public:
    // Record sizes on the wire; the modem's functions byte picks one.
    static constexpr int ShortRecordSize = 64;
    static constexpr int LongRecordSize = 128;
    static constexpr int NameOffset = 5;
    // An erased memory cell reads back with this id.
    static constexpr int ErasedId = 0xFFFFFF;
    static constexpr int MaxId = 0xFFFFFE;

    // The defaults make the blank remote used before parsing.
    explicit QControlDevice(QObject *parent = nullptr, int id = 0, unsigned char group = 0,
                            const QString &ownerName = QString(), bool active = true,
                            unsigned char workMode = 0);
    QControlDevice(const QControlDevice &other);
    QControlDevice &operator=(const QControlDevice &other);

    bool operator==(const QControlDevice &other) const;
    bool operator!=(const QControlDevice &other) const { return !(*this == other); }

    QString ownerName() const { return m_ownerName; }
    int id() const { return m_id; }
    unsigned char group() const { return m_group; }
    bool active() const { return m_active; }
    unsigned char workMode() const { return m_workMode; }

    QByteArray toRecord(bool longFormat) const;
    // *valid is false for a record of the wrong size, an unused cell or an erased id;
    // the result is then the blank remote.
    static QControlDevice fromRecord(const QByteArray &record, bool longFormat, bool *valid);
    // An owner's name as a record of either format holds it.
    static QByteArray encodeName(QStringView name, bool longFormat);
    static QString decodeName(QByteArrayView bytes, bool longFormat);

public slots:
    void setOwnerName(const QString &ownerName) { m_ownerName = ownerName; }
    void setId(int id) { m_id = id; }
    void setGroup(unsigned char group) { m_group = group; }
    void setActive(bool active) { m_active = active; }
    void setWorkMode(unsigned char workMode) { m_workMode = workMode; }

private:
    QString m_ownerName;
    int m_id = 0;
    bool m_active = true;
    unsigned char m_group = 0;
    unsigned char m_workMode = 0;
};

// Encodes a name in the record's codec, cut at the last whole character that fits.
QByteArray encodeOwnerName(const QString &name, bool longFormat, int maxBytes);
