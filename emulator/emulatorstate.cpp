#include "emulatorstate.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

namespace vexo::emu
{

namespace
{

QJsonArray bytesToJson(const std::array<quint8, 4> &bytes)
{
    QJsonArray a;
    for (quint8 b : bytes)
        a.append(int(b));
    return a;
}

QJsonArray remotesToJson(const QList<EmulatorRemote> &remotes)
{
    QJsonArray a;
    for (const EmulatorRemote &r : remotes) {
        QJsonObject o;
        o.insert(QStringLiteral("id"), qint64(r.id));
        o.insert(QStringLiteral("group"), int(r.group));
        o.insert(QStringLiteral("active"), r.active);
        o.insert(QStringLiteral("workMode"), int(r.workMode));
        o.insert(QStringLiteral("ownerName"), r.ownerName);
        a.append(o);
    }
    return a;
}

// Reads optional keys of one JSON object; the first bad value sets the error.
class Reader
{
public:
    Reader(const QJsonObject &o, const QString &where, QString *error)
        : m_o(o), m_where(where), m_error(error)
    {
    }

    bool ok() const { return m_ok; }

    template <typename T> void integer(const char *key, qint64 min, qint64 max, T *out)
    {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (v.isUndefined() || !m_ok)
            return;
        // Range first: converting a double outside qint64 (1e308, say) is undefined.
        const double d = v.toDouble(-1e300);
        if (!v.isDouble() || !(d >= double(min) && d <= double(max)) || d != std::floor(d))
            return fail(key, QStringLiteral("an integer from %1 to %2").arg(min).arg(max));
        *out = T(qint64(d));
    }

    void boolean(const char *key, bool *out)
    {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (v.isUndefined() || !m_ok)
            return;
        if (!v.isBool())
            return fail(key, QStringLiteral("true or false"));
        *out = v.toBool();
    }

    void bytes4(const char *key, std::array<quint8, 4> *out)
    {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (v.isUndefined() || !m_ok)
            return;
        const QJsonArray a = v.toArray();
        if (!v.isArray() || a.size() != 4)
            return fail(key, QStringLiteral("an array of 4 bytes"));
        std::array<quint8, 4> bytes{};
        for (int i = 0; i < 4; ++i) {
            const double d = a.at(i).toDouble(-1);
            if (!a.at(i).isDouble() || d < 0 || d > 255 || d != double(int(d)))
                return fail(key, QStringLiteral("an array of 4 bytes"));
            bytes[size_t(i)] = quint8(d);
        }
        *out = bytes;
    }

    void remotes(const char *key, QList<EmulatorRemote> *out)
    {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (v.isUndefined() || !m_ok)
            return;
        if (!v.isArray())
            return fail(key, QStringLiteral("an array of remotes"));
        QList<EmulatorRemote> list;
        const QJsonArray a = v.toArray();
        for (int i = 0; i < a.size(); ++i) {
            if (!a.at(i).isObject())
                return fail(key, QStringLiteral("an array of remotes"));
            const QJsonObject o = a.at(i).toObject();
            Reader r(o, QStringLiteral("%1.%2[%3]").arg(m_where, QLatin1String(key)).arg(i),
                     m_error);
            EmulatorRemote remote;
            if (!o.contains(QStringLiteral("id")))
                return fail(key, QStringLiteral("remotes with an id"));
            r.integer("id", 0, ErasedId - 1, &remote.id);
            r.integer("group", 0, 255, &remote.group);
            r.boolean("active", &remote.active);
            r.integer("workMode", 0, 255, &remote.workMode);
            const QJsonValue name = o.value(QStringLiteral("ownerName"));
            if (name.isString())
                remote.ownerName = name.toString();
            if (!r.ok()) {
                m_ok = false;
                return;
            }
            list.append(remote);
        }
        *out = list;
    }

private:
    void fail(const char *key, const QString &expected)
    {
        m_ok = false;
        if (m_error)
            *m_error =
                QStringLiteral("%1.%2: expected %3").arg(m_where, QLatin1String(key), expected);
    }

    QJsonObject m_o;
    QString m_where;
    QString *m_error;
    bool m_ok = true;
};

} // namespace

bool EmulatorState::paramInRange(quint16 id, quint8 value)
{
    switch (id) {
    case 1:
        return value <= 3;
    case 2:
        return value >= 10 && value <= 60;
    case 3:
    case 4:
        return value >= 1 && value <= 180;
    default:
        return false;
    }
}

EmulatorState EmulatorState::demo()
{
    EmulatorState s;
    s.modemVersion = {2, 1, 5, 7};
    s.boardRevision = 5;
    s.softwareMajor = 2;
    s.softwareMinor = 7;
    s.functions = 0x02;
    s.protocols = 0x03;
    s.modemCapacity = 200;
    s.actuatorVersion = {3, 2, 4, 1};
    s.actuatorCapacity = 100;
    // Set up away from the factory values, so a factory reset shows.
    s.params = s.appliedParams = {1, 30, 45, 90};
    const char *owners[] = {
        "Иванов Иван Петрович",    "Петрова Анна Сергеевна",  "Сидоров Алексей",  "Кузнецова Мария",
        "Смирнов Дмитрий",         "Попова Елена Викторовна", "Васильев Николай", "Соколова Ольга",
        "Михайлов Сергей Юрьевич", "Новикова Татьяна",        "Фёдоров Артём",    "Морозова Юлия",
    };
    quint32 id = 0x10A2F1;
    for (int i = 0; i < 12; ++i) {
        EmulatorRemote r;
        r.id = id;
        r.group = quint8(1 + i % 3);
        r.active = i % 5 != 4;
        r.workMode = i == 7 ? 1 : 0;
        r.ownerName = QString::fromUtf8(owners[i]);
        s.modemRemotes.append(r);
        id += 0x1375;
    }
    s.actuatorRemotes = s.modemRemotes;
    s.initFailures = 1;
    // In search mode a remote is heard every few seconds, a new one or a registered one.
    s.autoRemotePolls = 4;
    s.autoRemoteKnown = true;
    s.autoHoldPolls = 3;
    return s;
}

QJsonObject EmulatorState::toJson() const
{
    QJsonObject modem;
    modem.insert(QStringLiteral("version"), bytesToJson(modemVersion));
    modem.insert(QStringLiteral("board"), int(boardRevision));
    modem.insert(QStringLiteral("software"), QJsonArray{int(softwareMajor), int(softwareMinor)});
    modem.insert(QStringLiteral("functions"), int(functions));
    modem.insert(QStringLiteral("protocols"), int(protocols));
    modem.insert(QStringLiteral("capacity"), modemCapacity);
    modem.insert(QStringLiteral("password"), decodeCp1251(password));
    modem.insert(QStringLiteral("loggedIn"), loggedIn);
    modem.insert(QStringLiteral("mode"), int(modemMode));
    modem.insert(QStringLiteral("uploadTableMode"), uploadTableMode);
    modem.insert(QStringLiteral("updateFlashMode"), updateFlashMode);
    modem.insert(QStringLiteral("uploadParamsMode"), uploadParamsMode);
    modem.insert(QStringLiteral("remotes"), remotesToJson(modemRemotes));

    QJsonObject actuator;
    actuator.insert(QStringLiteral("version"), bytesToJson(actuatorVersion));
    actuator.insert(QStringLiteral("capacity"), actuatorCapacity);
    actuator.insert(QStringLiteral("params"), bytesToJson(params));
    actuator.insert(QStringLiteral("appliedParams"), bytesToJson(appliedParams));
    actuator.insert(QStringLiteral("linked"), actuatorLinked);
    actuator.insert(QStringLiteral("initFailures"), initFailures);
    actuator.insert(QStringLiteral("remotes"), remotesToJson(actuatorRemotes));

    QJsonObject behaviour;
    behaviour.insert(QStringLiteral("progressSteps"), progressSteps);
    behaviour.insert(QStringLiteral("restartMs"), restartMs);
    behaviour.insert(QStringLiteral("applyFirmware"), applyFirmware);
    behaviour.insert(QStringLiteral("pressPolls"), pressPolls);
    behaviour.insert(QStringLiteral("autoRemotePolls"), autoRemotePolls);
    behaviour.insert(QStringLiteral("autoRemoteId"), qint64(autoRemoteId));
    behaviour.insert(QStringLiteral("autoRemoteGroup"), int(autoRemoteGroup));
    behaviour.insert(QStringLiteral("autoRemoteKnown"), autoRemoteKnown);
    behaviour.insert(QStringLiteral("autoHoldPolls"), autoHoldPolls);

    QJsonObject root;
    root.insert(QStringLiteral("modem"), modem);
    root.insert(QStringLiteral("actuator"), actuator);
    root.insert(QStringLiteral("behaviour"), behaviour);
    return root;
}

bool EmulatorState::fromJson(const QJsonObject &json, EmulatorState *state, QString *error)
{
    EmulatorState s = *state;
    const QJsonObject modem = json.value(QStringLiteral("modem")).toObject();
    Reader m(modem, QStringLiteral("modem"), error);
    m.bytes4("version", &s.modemVersion);
    m.integer("board", 0, 255, &s.boardRevision);
    m.integer("functions", 0, 255, &s.functions);
    m.integer("protocols", 0, 255, &s.protocols);
    m.integer("capacity", 0, 65535, &s.modemCapacity);
    m.boolean("loggedIn", &s.loggedIn);
    m.integer("mode", 0, 255, &s.modemMode);
    m.boolean("uploadTableMode", &s.uploadTableMode);
    m.boolean("updateFlashMode", &s.updateFlashMode);
    m.boolean("uploadParamsMode", &s.uploadParamsMode);
    m.remotes("remotes", &s.modemRemotes);
    if (!m.ok())
        return false;
    const QJsonArray software = modem.value(QStringLiteral("software")).toArray();
    if (software.size() == 2) {
        s.softwareMajor = quint8(software.at(0).toInt());
        s.softwareMinor = quint8(software.at(1).toInt());
    }
    if (modem.value(QStringLiteral("password")).isString())
        s.password = encodeCp1251(modem.value(QStringLiteral("password")).toString());

    Reader a(json.value(QStringLiteral("actuator")).toObject(), QStringLiteral("actuator"), error);
    a.bytes4("version", &s.actuatorVersion);
    a.integer("capacity", 0, 65535, &s.actuatorCapacity);
    a.bytes4("params", &s.params);
    a.bytes4("appliedParams", &s.appliedParams);
    a.boolean("linked", &s.actuatorLinked);
    a.integer("initFailures", 0, 1000000, &s.initFailures);
    a.remotes("remotes", &s.actuatorRemotes);
    if (!a.ok())
        return false;

    Reader b(json.value(QStringLiteral("behaviour")).toObject(), QStringLiteral("behaviour"),
             error);
    b.integer("progressSteps", 0, 100, &s.progressSteps);
    b.integer("restartMs", 0, 600000, &s.restartMs);
    b.boolean("applyFirmware", &s.applyFirmware);
    b.integer("pressPolls", 1, 1000, &s.pressPolls);
    b.integer("autoRemotePolls", 0, 1000000, &s.autoRemotePolls);
    b.integer("autoRemoteId", 0, ErasedId - 1, &s.autoRemoteId);
    b.integer("autoRemoteGroup", 0, 255, &s.autoRemoteGroup);
    b.boolean("autoRemoteKnown", &s.autoRemoteKnown);
    b.integer("autoHoldPolls", 0, 1000000, &s.autoHoldPolls);
    if (!b.ok())
        return false;
    *state = s;
    return true;
}

bool EmulatorState::loadFile(const QString &path, EmulatorState *state, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isObject()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, parseError.error == QJsonParseError::NoError
                                                            ? QStringLiteral("not a JSON object")
                                                            : parseError.errorString());
        return false;
    }
    return fromJson(doc.object(), state, error);
}

bool EmulatorState::saveFile(const QString &path, QString *error) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(QJsonDocument(toJson()).toJson()) < 0) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace vexo::emu
