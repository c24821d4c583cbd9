// The sites: their list, a site's history, the search across all of them, the customer's
// report, and the snapshot that --site files after a command on the stick.
#include "console.h"
#include "qmodemsession.h"
#include "qparamcontroller.h"
#include "qtablefiles.h"
#include "remotelist.h"
#include "siteindex.h"
#include "sitelibrary.h"
#include "sitereport.h"
#include "vexoctl.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSerialPortInfo>
#include <QSettings>
#include <QTranslator>

namespace
{
QString isoTime(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QString();
}

// The site by its name (in any case) or by its folder's name.
bool findSite(const SiteLibrary &library, const QString &name, Site *site)
{
    *site = library.findByName(name);
    if (!site->folder.isEmpty())
        return true;
    return QDir(library.siteDirectory(name)).exists() && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\')) && name != QLatin1String("..") &&
           library.readSite(name, site);
}

// What --site records for each command.
QString actionOf(const QString &command, bool paramWrite)
{
    if (command == QLatin1String("params"))
        return QLatin1String(paramWrite ? SnapshotAction::ParamsWrite : SnapshotAction::ParamsRead);
    if (command == QLatin1String("write") || command == QLatin1String("import-csv"))
        return QLatin1String(SnapshotAction::Write);
    if (command == QLatin1String("apply"))
        return QLatin1String(SnapshotAction::Apply);
    if (command == QLatin1String("read") || command == QLatin1String("backup"))
        return QLatin1String(SnapshotAction::Read);
    return command;
}

// The translation of the report: --lang, else the window's language, else Russian.
void loadReportLanguage(const QString &code)
{
    const QString dir = QCoreApplication::applicationDirPath();
    // Beside the program, installed, or in the build tree beside the window's program.
    const QStringList places = {dir + "/language", dir + "/../share/vexo-control-tool/language",
                                dir + "/../ui/language"};
    QString chosen = code;
    const QString windowLanguage =
        QSettings(QStringLiteral("Vexo Electronics"), QStringLiteral("Vexo Control Tool"))
            .value("/language")
            .toString();
    for (const QString &place : places) {
        const QFileInfoList files =
            QDir(place).entryInfoList({QStringLiteral("lang_*.qm")}, QDir::Files, QDir::Name);
        for (const QFileInfo &file : files) {
            const QString fileCode = file.completeBaseName().mid(5);
            auto *translator = new QTranslator(QCoreApplication::instance());
            if (!translator->load(file.absoluteFilePath())) {
                delete translator;
                continue;
            }
            const bool wanted = chosen.isEmpty()
                                    ? (!windowLanguage.isEmpty() &&
                                       translator->translate("MainWindow", "Русский")
                                               .compare(windowLanguage, Qt::CaseInsensitive) == 0)
                                    : fileCode == chosen;
            if (!wanted) {
                delete translator;
                continue;
            }
            QCoreApplication::installTranslator(translator);
            QLocale::setDefault(QLocale(fileCode));
            return;
        }
        if (!files.isEmpty())
            return;
    }
}
} // namespace

bool VexoCtl::isSiteCommand(const QString &command)
{
    return command == QLatin1String("sites") || command == QLatin1String("history") ||
           command == QLatin1String("find") || command == QLatin1String("report");
}

void VexoCtl::runSiteCommand()
{
    SiteLibrary library(QTableFiles::dataDirectory());
    const QString &command = m_options.command;
    if (command == QLatin1String("history") || command == QLatin1String("report")) {
        Site site;
        if (!findSite(library, m_options.arguments.first(), &site)) {
            end(EXIT_USAGE, QStringLiteral("no site named '%1'; see vexoctl sites")
                                .arg(m_options.arguments.first()));
            return;
        }
        command == QLatin1String("history") ? showHistory(library, site)
                                            : writeReport(library, site);
        return;
    }
    SiteIndex index(&library);
    QString error;
    const auto progress = [](int done, int total) {
        // Only a rebuild of many sites takes long enough to be shown.
        if (total >= 50 && done % 50 == 0 && done > 0)
            console::err(QStringLiteral("indexing sites: %1 of %2").arg(done).arg(total));
        return true;
    };
    if (!index.open(&error) || !index.refresh(progress, &error)) {
        end(EXIT_FAILED, error);
        return;
    }
    QJsonArray array;
    if (command == QLatin1String("sites")) {
        for (const SiteSummary &s : index.sites()) {
            array.append(QJsonObject{{"name", s.name},
                                     {"folder", s.folder},
                                     {"address", s.address},
                                     {"snapshots", s.snapshots},
                                     {"last", isoTime(s.lastTime)}});
            if (!m_options.json)
                console::out(QStringList{s.name, QString::number(s.snapshots), isoTime(s.lastTime),
                                         s.address}
                                 .join('\t'));
        }
    } else {
        for (const RemoteFound &f : index.find(m_options.arguments.first())) {
            array.append(QJsonObject{
                {"site", f.siteName},
                {"folder", f.folder},
                {"id", f.id},
                {"ownerName", f.ownerName},
                {"first",
                 QJsonObject{{"snapshot", f.firstSnapshot}, {"time", isoTime(f.firstTime)}}},
                {"last", QJsonObject{{"snapshot", f.lastSnapshot}, {"time", isoTime(f.lastTime)}}},
                {"current", f.inLastSnapshot}});
            if (!m_options.json)
                console::out(QStringList{f.siteName, QString::number(f.id), f.ownerName,
                                         isoTime(f.firstTime), isoTime(f.lastTime),
                                         f.inLastSnapshot ? QStringLiteral("current")
                                                          : QStringLiteral("gone")}
                                 .join('\t'));
        }
    }
    // A list, one document.
    if (m_options.json)
        console::out(QString::fromUtf8(QJsonDocument(array).toJson()));
    end(EXIT_DONE);
}

void VexoCtl::showHistory(const SiteLibrary &library, const Site &site)
{
    QJsonArray snapshots;
    for (const HistoryEntry &e : library.history(site.folder)) {
        const SnapshotMeta &m = e.snapshot.meta;
        QJsonObject o{{"time", isoTime(m.time)},
                      {"action", m.action},
                      {"machine", m.machine},
                      {"path", e.snapshot.path},
                      {"remotes", m.remotes},
                      {"stickVersion", m.stickVersion},
                      {"actuatorVersion", m.actuatorVersion},
                      {"readable", e.readable}};
        if (e.readable) {
            o.insert("added", e.added);
            o.insert("removed", e.removed);
            o.insert("changed", e.changed);
        }
        snapshots.append(o);
        if (!m_options.json)
            console::out(QStringList{
                isoTime(m.time), m.action, m.machine,
                e.readable
                    ? QStringLiteral("+%1 -%2 ~%3").arg(e.added).arg(e.removed).arg(e.changed)
                    : QStringLiteral("unreadable"),
                e.snapshot.path}
                             .join('\t'));
    }
    m_result = QJsonObject{{"site", site.name},
                           {"folder", site.folder},
                           {"address", site.address},
                           {"sticks", QJsonArray::fromStringList(site.sticks)},
                           {"snapshots", snapshots}};
    end(EXIT_DONE);
}

void VexoCtl::writeReport(const SiteLibrary &library, const Site &site)
{
    loadReportLanguage(m_options.language);
    SiteReportData data;
    QString error;
    if (!SiteReport::collect(library, site, &data, &error)) {
        end(EXIT_FAILED, error);
        return;
    }
    for (auto i = data.paramValues.cbegin(); i != data.paramValues.cend(); ++i)
        data.params.append({QParamController::rowHeader(i.key() - 1),
                            QParamController::valueText(quint16(i.key()), i->value), i->time});
    if (!SiteReport::writePdf(data, m_options.output, &error)) {
        end(EXIT_USAGE, error);
        return;
    }
    m_result.insert("report", m_options.output);
    if (!m_options.json)
        console::err(QStringLiteral("report of %1 written to %2").arg(site.name, m_options.output));
    end(EXIT_DONE);
}

void VexoCtl::fileSiteSnapshot(int code, const QString &message)
{
    m_siteFiled = true;
    // A command that did not read the table (parameters, information) still files it.
    if (!m_list->stickTableKnown()) {
        readStickTable([this, code, message] { fileSiteSnapshot(code, message); });
        return;
    }
    SiteLibrary library(QTableFiles::dataDirectory());
    const QString serial = QSerialPortInfo(m_stickPort).serialNumber();
    Site site;
    QString error;
    QString path;
    SnapshotMeta meta;
    meta.action = actionOf(m_options.command, m_paramWrite);
    meta.stickVersion = QModemSession::versionText(m_session->modem().version());
    const QExecDevice &device = m_session->execDevice();
    if (device.isVersionKnown())
        meta.actuatorVersion = QModemSession::versionText(device.version());
    for (quint16 id = 1; id <= 4; ++id) {
        const quint8 value = device.paramValue(id);
        if (value != QExecDevice::Unknown)
            meta.params.insert(id, value);
    }
    meta.adapterSerial = serial;
    if (!library.siteNamed(m_options.site, &site, &error) ||
        !library.addStick(&site, serial, &error) ||
        !library.addSnapshot(site.folder, m_list->modemSnapshot(), meta, &path, &error)) {
        end(EXIT_FAILED,
            QStringLiteral("the snapshot was not filed under '%1': %2").arg(m_options.site, error));
        return;
    }
    console::err(QStringLiteral("snapshot filed under %1: %2").arg(site.name, path));
    end(code, message);
}
