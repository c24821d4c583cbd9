#include "qupdatemanager.h"

#include "privatefiles.h"
#include "updatelog.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTimer>

namespace
{
constexpr int TICK_MS = 1000;
const char TIMESTAMPS_FILE[] = "update-timestamps.json";
const char *const KIND_NAMES[QUpdateManager::KindCount] = {"pc", "modem", "device"};

#ifdef Q_OS_WIN
const char INSTALLER_SUFFIX[] = ".exe";
#else
// Elsewhere the program comes as a Debian package, opened by the desktop's handler.
const char INSTALLER_SUFFIX[] = ".deb";
#endif

bool isVersionLine(const QString &line)
{
    return !line.isEmpty() && line.at(0) >= QLatin1Char('0') && line.at(0) <= QLatin1Char('9');
}

QString withoutLineEnd(QString line)
{
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}
} // namespace

QUpdateManager::QUpdateManager(QObject *parent, const QString &language)
    : QObject(parent), m_fetcher(new QUpdateFetcher(this)), m_timer(new QTimer(this)),
      m_language(language)
{
    m_timer->setInterval(TICK_MS);
    connect(m_timer, &QTimer::timeout, this, &QUpdateManager::slotTimerTick);
    m_timer->start();
}

QUpdateManager::~QUpdateManager() = default;

QString QUpdateManager::localFileName(UPDATE_SOFT_T kind)
{
    switch (kind) {
    case UPDATE_SOFT_MODEM:
        return QStringLiteral("update_modem.bin");
    case UPDATE_SOFT_DEVICE:
        return QStringLiteral("update_device.bin");
    default:
        return QStringLiteral("update_vexo_ct") + INSTALLER_SUFFIX;
    }
}

QString QUpdateManager::downloadPath(UPDATE_SOFT_T kind) const
{
    return m_downloadFolder + "/" + localFileName(kind);
}

QUrl QUpdateManager::versionFileUrl(UPDATE_SOFT_T kind) const
{
    return m_fetcher->fileUrl(QString(KIND_NAMES[kind]) + "_version_5813_" + m_language + ".txt");
}

QUrl QUpdateManager::updateFileUrl(UPDATE_SOFT_T kind) const
{
    if (kind == UPDATE_SOFT_PC)
        return m_fetcher->fileUrl(QStringLiteral("pc_5813_setup") + INSTALLER_SUFFIX);
    return m_fetcher->fileUrl(QString(KIND_NAMES[kind]) + "_5813_setup_board_" +
                              m_kinds[kind].text + ".bin");
}

QDateTime QUpdateManager::versionFileSigned(UPDATE_SOFT_T kind) const
{
    const qint64 at = m_kinds[kind].signedAt;
    return at < 0 ? QDateTime() : QDateTime::fromSecsSinceEpoch(at);
}

bool QUpdateManager::versionFileOutdated(UPDATE_SOFT_T kind) const
{
    const qint64 at = m_kinds[kind].signedAt;
    return at >= 0 && QDateTime::currentSecsSinceEpoch() - at > OutdatedAfterS;
}

QString QUpdateManager::timestampsPath() const
{
    return m_downloadFolder + "/" + TIMESTAMPS_FILE;
}

qint64 QUpdateManager::newestTimestamp(const QString &fileName) const
{
    QFile file(timestampsPath());
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QJsonObject seen =
        QJsonDocument::fromJson(file.read(QUpdateFetcher::VersionFileLimit)).object();
    return seen.value(fileName).toInteger(-1);
}

void QUpdateManager::storeTimestamp(const QString &fileName, qint64 timestamp)
{
    QJsonObject seen;
    QFile old(timestampsPath());
    if (old.open(QIODevice::ReadOnly))
        seen = QJsonDocument::fromJson(old.read(QUpdateFetcher::VersionFileLimit)).object();
    old.close();
    if (seen.value(fileName).toInteger(-1) >= timestamp)
        return;
    seen.insert(fileName, timestamp);
    privatefiles::makeDirectory(m_downloadFolder);
    QSaveFile file(timestampsPath());
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(seen).toJson()) < 0 ||
        !file.commit()) {
        qCWarning(lcUpdate) << "cannot keep the time of" << fileName << "in" << timestampsPath()
                            << file.errorString();
        return;
    }
    QFile::setPermissions(timestampsPath(), privatefiles::FilePermissions);
}

void QUpdateManager::removePartialDownloads()
{
    if (m_downloadFolder.isEmpty())
        return;
    const QDir folder(m_downloadFolder);
    QStringList patterns;
    for (int i = 0; i < KindCount; ++i)
        patterns << localFileName(UPDATE_SOFT_T(i)) +
                        QString(QUpdateRequest::PartialSuffix).replace('X', '?');
    for (const QString &name : folder.entryList(patterns, QDir::Files | QDir::Hidden)) {
        qCInfo(lcUpdate) << "removing a download cut short:" << folder.filePath(name);
        QFile::remove(folder.filePath(name));
    }
}

bool QUpdateManager::programVersionNewer(const QString &version, int major, int minor,
                                         const QString &suffix)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,6})\\.(\\d{1,6})([a-z]*)$"));
    const QRegularExpressionMatch m = form.match(version);
    if (!m.hasMatch())
        return false;
    const int offeredMajor = m.captured(1).toInt();
    const int offeredMinor = m.captured(2).toInt();
    if (offeredMajor != major)
        return offeredMajor > major;
    if (offeredMinor != minor)
        return offeredMinor > minor;
    // 0.40 before 0.40a before 0.40e.
    return m.captured(3) > suffix;
}

bool QUpdateManager::versionKnown(UPDATE_SOFT_T kind) const
{
    return m_kinds[kind].major != 0 || m_kinds[kind].minor != 0;
}

void QUpdateManager::setVersion(UPDATE_SOFT_T kind, int major, int minor, const QString &text)
{
    Kind &k = m_kinds[kind];
    // What was found for another installed version no longer applies.
    if (k.major != major || k.minor != minor || k.text != text)
        k.changes.clear();
    k.major = major;
    k.minor = minor;
    k.text = text;
    if (k.cycle == 0 && m_countdown > SoonCountdown)
        m_countdown = SoonCountdown;
}

void QUpdateManager::setDeviceVersion(const QByteArray &stored)
{
    if (stored.size() != 4)
        return;
    setVersion(UPDATE_SOFT_DEVICE, quint8(stored[0]), quint8(stored[3]),
               QString::number(quint8(stored[2])));
}

bool QUpdateManager::someKindDue() const
{
    for (int i = 0; i < KindCount; ++i)
        if (m_kinds[i].cycle == 0 && versionKnown(UPDATE_SOFT_T(i)))
            return true;
    return false;
}

void QUpdateManager::resetCheck(UPDATE_SOFT_T kind)
{
    m_kinds[kind].cycle = 0;
    m_countdown = someKindDue() ? SoonCountdown : RetryCountdown;
}

void QUpdateManager::setCheckEnabled(bool on)
{
    m_enabled = on;
    if (on) {
        m_countdown = someKindDue() ? SoonCountdown : RetryCountdown;
        return;
    }
    // Abandoned: it ends quietly, nobody waits for it any more.
    if (QUpdateRequest *check = m_check)
        check->abort();
    m_check = nullptr;
}

QUpdateRequest *QUpdateManager::requestVersionFile(UPDATE_SOFT_T kind)
{
    QUpdateRequest *request =
        m_fetcher->fetch(QUpdateRequest::REQUEST_VERSION_FILE, versionFileUrl(kind).fileName(),
                         QString(), [this](const QUpdateRequest &request, QString *why) {
                             return checkTimestamp(request, why);
                         });
    if (request)
        connect(request, &QOperation::finished, this,
                [this, kind, request] { requestEnded(kind, request); });
    return request;
}

QUpdateRequest *QUpdateManager::requestUpdateFile(UPDATE_SOFT_T kind)
{
    if (!m_fetcher->ready())
        return nullptr;
    // Both would end under the same name.
    if (QUpdateRequest *running = m_downloads[kind])
        running->abort();
    // Whatever lies under the final name is from another download; a failed one must
    // not leave it behind to be taken for this one.
    QFile::remove(downloadPath(kind));
    QUpdateRequest::Check check;
    if (kind == UPDATE_SOFT_PC)
        // An older setup, validly signed once, would bring back what a newer one fixed.
        check = [k = m_kinds[kind]](const QUpdateRequest &request, QString *why) {
            const QString version = request.comment().version;
            if (programVersionNewer(version, k.major, k.minor, k.text))
                return QUpdateRequest::ERROR_NONE;
            *why = QStringLiteral("the setup's version \"%1\" is not newer than %2.%3%4")
                       .arg(version)
                       .arg(k.major)
                       .arg(k.minor)
                       .arg(k.text);
            return QUpdateRequest::ERROR_ROLLBACK;
        };
    QUpdateRequest *request = m_fetcher->fetch(
        kind == UPDATE_SOFT_PC ? QUpdateRequest::REQUEST_SETUP : QUpdateRequest::REQUEST_FIRMWARE,
        updateFileUrl(kind).fileName(), downloadPath(kind), check);
    m_downloads[kind] = request;
    connect(request, &QOperation::finished, this,
            [this, kind, request] { requestEnded(kind, request); });
    return request;
}

QUpdateRequest::REQUEST_ERROR_T QUpdateManager::checkTimestamp(const QUpdateRequest &request,
                                                               QString *why)
{
    // An older file served again would take back what a newer one announced.
    const QString name = request.fileName();
    const qint64 at = request.comment().timestamp;
    const qint64 newest = newestTimestamp(name);
    if (at < newest) {
        *why = QStringLiteral("signed at %1, before the one taken at %2").arg(at).arg(newest);
        return QUpdateRequest::ERROR_REPLAYED;
    }
    storeTimestamp(name, at);
    return QUpdateRequest::ERROR_NONE;
}

bool QUpdateManager::takeVersionFile(UPDATE_SOFT_T kind, const QUpdateRequest &request)
{
    Kind &k = m_kinds[kind];
    k.signedAt = request.comment().timestamp;
    if (versionFileOutdated(kind))
        qCWarning(lcUpdate).noquote()
            << request.fileName() << "was signed" << versionFileSigned(kind).toString(Qt::ISODate)
            << ": the server's information is out of date";
    const QString shortKey = QString::number(k.major) + "." + QString::number(k.minor);
    const QString fullKey = kind == UPDATE_SOFT_PC ? shortKey + k.text : shortKey;
    k.changes.clear();
    const bool newer =
        parseVersionFile(splitLines(request.content()), shortKey, fullKey, &k.changes);
    k.cycle = newer ? 2 : 1;
    return newer;
}

void QUpdateManager::requestEnded(UPDATE_SOFT_T kind, QUpdateRequest *request)
{
    const bool scheduled = request == m_check;
    if (scheduled)
        m_check = nullptr;
    switch (request->outcome()) {
    case QOperation::Succeeded: {
        const bool newer = request->type() == QUpdateRequest::REQUEST_VERSION_FILE &&
                           takeVersionFile(kind, *request);
        m_countdown = someKindDue() ? SoonCountdown : RetryCountdown;
        if (!scheduled)
            return;
        m_lastError = QUpdateRequest::ERROR_NONE;
        if (newer)
            emit needSoftUpdate(kind, m_kinds[kind].changes);
        return;
    }
    case QOperation::Cancelled:
        return; // abandoned: nobody waits for it
    default:
        m_countdown = RetryCountdown;
        if (!scheduled)
            return;
        m_lastError = request->error();
        emit error();
        return;
    }
}

void QUpdateManager::slotTimerTick()
{
    if (!m_enabled || busy() || !m_fetcher->ready())
        return;
    if (m_countdown > 0) {
        --m_countdown;
        return;
    }
    for (int i = 0; i < KindCount; ++i) {
        const auto kind = UPDATE_SOFT_T(i);
        if (m_kinds[i].cycle == 0 && versionKnown(kind)) {
            m_check = requestVersionFile(kind);
            return;
        }
    }
    bool all = true;
    for (Kind &k : m_kinds) {
        all = all && k.cycle != 0;
        k.cycle = 0;
    }
    m_countdown = all ? FullCycleCountdown : RetryCountdown;
}

QStringList QUpdateManager::splitLines(const QByteArray &content)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        end = end < 0 ? content.size() : end + 1;
        QByteArray line = content.mid(start, end - start);
        const qsizetype nul = line.indexOf('\0');
        if (nul >= 0)
            line.truncate(nul);
        lines << QString::fromUtf8(line);
        start = end;
    }
    return lines;
}

bool QUpdateManager::parseVersionFile(const QStringList &lines, const QString &shortKey,
                                      const QString &fullKey, QStringList *changes)
{
    int installed = -1;
    int sameRelease = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.size() < fullKey.size())
            continue;
        if (line.startsWith(fullKey)) {
            installed = i;
            break;
        }
        if (line.startsWith(shortKey))
            sameRelease = i;
    }
    if (installed < 0)
        installed = sameRelease;
    if (installed < 0)
        return false;
    int next = installed + 1;
    while (next < lines.size() && !isVersionLine(lines.at(next)))
        ++next;
    if (next >= lines.size())
        return false;
    for (int i = next; i < lines.size(); ++i) {
        const QString line = withoutLineEnd(lines.at(i));
        // The server's text is shown as rich text: it must not bring markup of its own.
        if (isVersionLine(line))
            *changes << "<b>" + tr("Версия ") + line.toHtmlEscaped() + "</b><br>";
        else
            *changes << line.toHtmlEscaped() + "<br>";
    }
    return true;
}
