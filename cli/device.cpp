// The commands about the stick and the actuator: ports, information, firmware,
// parameters, and the operation log.
#include "actuatorparams.h"
#include "console.h"
#include "qautoconnecttool.h"
#include "qflashcontroller.h"
#include "qflashupdater.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qparamcontroller.h"
#include "qtablecopy.h"
#include "qtablefiles.h"
#include "vexoctl.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace
{
// How long a stick flashed may take to answer again after the apply wait.
constexpr int REOPEN_WAIT_MS = 30000;

// The parameters' names on the command line, by id.
const char *const ParamNames[PARAM_COUNT] = {"work_mode", "short_command_time", "blinds_time",
                                             "roller_time"};

quint16 paramId(const QString &name)
{
    for (int i = 0; i < PARAM_COUNT; ++i)
        if (name == QLatin1String(ParamNames[i]) || name == QString::number(i + 1))
            return quint16(i + 1);
    return 0;
}

QString version(const QByteArray &bytes)
{
    return QModemSession::versionText(bytes);
}

QString accessText(MODEM_PROTECTION_T mode)
{
    switch (mode) {
    case PROTECTION_OFF:
        return QStringLiteral("full (no password)");
    case PROTECTION_LOCKED:
        return QStringLiteral("user (password set)");
    case PROTECTION_UNLOCKED:
        break;
    }
    return QStringLiteral("administrator (password entered)");
}
} // namespace

void VexoCtl::listPorts()
{
    // Listed as the search lists them; nothing is opened for it.
    const QStringList ports =
        QAutoConnectTool(nullptr, nullptr, m_options.ports, m_options.ports.isEmpty()).port_list();
    QJsonArray array;
    for (const QString &port : ports) {
        const bool stick = port == m_stickPort;
        array.append(QJsonObject{{"path", port}, {"stick", stick}});
        if (!m_options.json)
            console::out(stick ? port + "\tUSB-stick" : port);
    }
    m_result.insert("ports", array);
    m_result.insert("stick", m_stickPort.isEmpty() ? QJsonValue() : QJsonValue(m_stickPort));
}

void VexoCtl::showInfo()
{
    auto memory = std::make_shared<QList<int>>();
    connect(m_copier, &QTableCopy::memoryStatusRead, this,
            [memory](int stickTotal, int stickFree, int deviceTotal, int deviceFree) {
                *memory = {stickTotal, stickFree, deviceTotal, deviceFree};
            });
    after(
        m_copier->show_memory_status(),
        [this, memory] {
            const QModem &modem = m_session->modem();
            const QExecDevice &device = m_session->execDevice();
            const QString actuator = device.remoteMode()       ? QStringLiteral("autonomous")
                                     : device.isVersionKnown() ? version(device.version())
                                                               : QStringLiteral("unknown");
            const QString access = accessText(modem.protectionMode());
            const QString records =
                modem.longRecords() ? QStringLiteral("long") : QStringLiteral("short");
            const int stickUsed = memory->value(0) - memory->value(1);
            const int deviceUsed = memory->value(2) - memory->value(3);
            m_result = QJsonObject{
                {"port", m_stickPort},
                {"stick", QJsonObject{{"version", version(modem.version())},
                                      {"access", access},
                                      {"records", records},
                                      {"memory", QJsonObject{{"total", memory->value(0)},
                                                             {"used", stickUsed}}}}},
                {"actuator", QJsonObject{{"version", actuator},
                                         {"memory", QJsonObject{{"total", memory->value(2)},
                                                                {"used", deviceUsed}}}}}};
            if (!m_options.json) {
                console::out("port:              " + m_stickPort);
                console::out("USB-stick version: " + version(modem.version()));
                console::out("actuator version:  " + actuator);
                console::out("access:            " + access);
                console::out("records:           " + records);
                console::out(QStringLiteral("USB-stick memory:  %1 of %2 places used")
                                 .arg(stickUsed)
                                 .arg(memory->value(0)));
                if (!device.remoteMode())
                    console::out(QStringLiteral("actuator memory:   %1 of %2 places used")
                                     .arg(deviceUsed)
                                     .arg(memory->value(2)));
            }
            end(EXIT_DONE);
        },
        QStringLiteral("the memory status was not read"));
}

bool VexoCtl::checkFirmwareFile()
{
    const QString file = m_options.arguments.first();
    QFlashUpdater probe;
    if (!QFileInfo(file).isFile() || !probe.loadFile(file, QFlashUpdater::FLASH_MODEM)) {
        end(EXIT_USAGE,
            file + ": not a firmware file" +
                (probe.errorString().isEmpty() ? QString() : " (" + probe.errorString() + ")"));
        return false;
    }
    return true;
}

void VexoCtl::flash()
{
    const QString file = m_options.arguments.first();
    const bool actuator = m_options.actuator;
    if (!confirm(QStringLiteral("Flash %1 into the %2?")
                     .arg(QFileInfo(file).fileName(),
                          actuator ? QStringLiteral("actuator") : QStringLiteral("USB-stick"))))
        return;
    withFullAccess([this, file, actuator] {
        after(
            m_flasher->flashFile(file, actuator),
            [this, actuator] {
                m_result.insert("flashed", m_flasher->firmwareFileName());
                if (!m_options.json)
                    console::out("flashed " + m_flasher->firmwareFileName());
                if (actuator) {
                    end(EXIT_DONE);
                    return;
                }
                // The stick restarts into its new image: done once it answers again with
                // the version flashed, as the window checks on its next opening.
                m_reopenBy.setRemainingTime(REOPEN_WAIT_MS);
                m_onReopen = [this] {
                    const QString v = version(m_session->modem().version());
                    m_result.insert("version", v);
                    if (!m_session->modem().firmwareMatches()) {
                        end(EXIT_FAILED, "the USB-stick runs " + v + ", not the version flashed");
                        return;
                    }
                    if (!m_options.json)
                        console::out("USB-stick version: " + v);
                    end(EXIT_DONE);
                };
            },
            QStringLiteral("the firmware was not flashed"));
    });
}

bool VexoCtl::parseParams()
{
    for (const QString &argument : std::as_const(m_options.arguments)) {
        const QString name = argument.section(QLatin1Char('='), 0, 0);
        const quint16 id = paramId(name);
        if (!id) {
            end(EXIT_USAGE, QStringLiteral("unknown parameter '%1'; there are %2")
                                .arg(name, QStringList{ParamNames[0], ParamNames[1], ParamNames[2],
                                                       ParamNames[3]}
                                               .join(", ")));
            return false;
        }
        const bool write = argument.contains(QLatin1Char('='));
        if (!m_paramIds.isEmpty() && write != m_paramWrite) {
            end(EXIT_USAGE, QStringLiteral("parameters are either read or written, not both"));
            return false;
        }
        m_paramWrite = write;
        m_paramIds << id;
        if (!write)
            continue;
        bool number = false;
        const int value = argument.section(QLatin1Char('='), 1).toInt(&number);
        if (!number || !QParamController::valueInRange(id, value)) {
            end(EXIT_USAGE, QStringLiteral("%1: value out of range").arg(argument));
            return false;
        }
        m_paramValues << quint8(value);
    }
    return true;
}

void VexoCtl::params()
{
    const auto show = [this] {
        QJsonObject values;
        const QList<quint16> ids = m_paramIds.isEmpty() ? QList<quint16>{1, 2, 3, 4} : m_paramIds;
        for (quint16 id : ids) {
            const quint8 v = m_session->execDevice().paramValue(id);
            const QString name = QLatin1String(ParamNames[id - 1]);
            values.insert(name, v == QExecDevice::Unknown ? QJsonValue() : QJsonValue(int(v)));
            if (!m_options.json)
                console::out(
                    name + "=" +
                    (v == QExecDevice::Unknown ? QStringLiteral("unknown") : QString::number(v)));
        }
        m_result.insert("params", values);
        end(EXIT_DONE);
    };
    if (!m_paramWrite) {
        after(m_params->readParams(m_paramIds), show,
              QStringLiteral("the actuator's parameters were not read"));
        return;
    }
    withFullAccess([this, show] {
        after(m_params->writeParams(m_paramIds, m_paramValues), show,
              QStringLiteral("the actuator's parameters were not written"));
    });
}

void VexoCtl::showLog()
{
    const QModem modem;
    QOperationLog log(&modem);
    log.setPath(QTableFiles::operationLogPath());
    QJsonArray entries;
    for (const OperationLogEntry &e : log.entries()) {
        entries.append(QJsonDocument::fromJson(QOperationLog::toLine(e)).object());
        if (m_options.json)
            continue;
        QStringList remotes;
        for (int id : e.remotes)
            remotes << QString::number(id);
        console::out(QStringList{e.time.toString(Qt::ISODate), e.user, e.stickVersion,
                                 QOperationLog::operationText(e.operation),
                                 e.ok ? QStringLiteral("ok") : QStringLiteral("failed"),
                                 remotes.join(","), e.detail}
                         .join("\t"));
    }
    m_result.insert("entries", entries);
    end(EXIT_DONE);
}
