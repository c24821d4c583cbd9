#include "qupdatemanager.h"

#include "privatefiles.h"
#include "updatelog.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QTimer>

#include <algorithm>

#ifndef VEXO_UPDATE_SERVER
#define VEXO_UPDATE_SERVER ""
#endif
#ifndef VEXO_UPDATE_PUBLIC_KEY
#define VEXO_UPDATE_PUBLIC_KEY ""
#endif

const char QUpdateManager::ServerPath[] = "/proj/vexo/upload/downloads/";

namespace
{
constexpr int TICK_MS = 1000;
constexpr int MAX_REDIRECTS = 5;
const char SIGNATURE_SUFFIX[] = ".minisig";
const char TIMESTAMPS_FILE[] = "update-timestamps.json";
// What QTemporaryFile puts after the final name while a download is under way.
const char PARTIAL_SUFFIX[] = ".XXXXXX";
const char *const KIND_NAMES[QUpdateManager::KindCount] = {"pc", "modem", "device"};

#ifdef Q_OS_WIN
const char INSTALLER_SUFFIX[] = ".exe";
#else
// Elsewhere the program comes as a Debian package, opened by the desktop's handler.
const char INSTALLER_SUFFIX[] = ".deb";
#endif

QUpdateManager::UPDATE_SOFT_T kindOfState(int state)
{
    if (state >= 1 && state <= 2 * QUpdateManager::KindCount)
        return QUpdateManager::UPDATE_SOFT_T((state - 1) / 2);
    return QUpdateManager::UPDATE_SOFT_PC;
}

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
    : QObject(parent), m_network(new QNetworkAccessManager(this)), m_timer(new QTimer(this)),
      m_deadline(new QTimer(this)), m_language(language)
{
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this,
            [this] { fail(ERROR_TIMED_OUT, QStringLiteral("deadline passed")); });
    // A server that stops sending would otherwise hold a dialog without a cancel button.
    m_network->setTransferTimeout(QNetworkRequest::DefaultTransferTimeoutConstant);
    m_timer->setInterval(TICK_MS);
    connect(m_timer, &QTimer::timeout, this, &QUpdateManager::slotTimerTick);
    m_timer->start();
}

QUpdateManager::~QUpdateManager()
{
    if (m_reply)
        m_reply->disconnect(this);
}

QString QUpdateManager::builtInServerAddress()
{
    return QStringLiteral(VEXO_UPDATE_SERVER);
}

bool QUpdateManager::addressAllowed(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https"))
        return true;
    if (scheme != QLatin1String("http"))
        return false;
    // Plain HTTP lets anyone on the way replace what we flash or run; only this
    // machine's own server (tests, the demonstration) may use it.
    QHostAddress address;
    if (address.setAddress(url.host()))
        return address.isLoopback();
    return url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0;
}

bool QUpdateManager::redirectAllowed(const QUrl &url) const
{
    // The configured address passed the same rule; the host it names is the one trusted.
    return m_serverState == SERVER_READY && addressAllowed(url) &&
           url.host().compare(m_server.host(), Qt::CaseInsensitive) == 0;
}

QString QUpdateManager::builtInPublicKey()
{
    return QStringLiteral(VEXO_UPDATE_PUBLIC_KEY);
}

QUpdateManager::KEY_STATE_T QUpdateManager::setPublicKey(const QString &key)
{
    m_key = updatesignature::parsePublicKey(key);
    if (m_key.isValid())
        m_keyState = KEY_READY;
    else
        m_keyState = key.trimmed().isEmpty() ? KEY_NONE : KEY_INVALID;
    if (m_keyState == KEY_INVALID)
        qCWarning(lcUpdate) << "update key refused:" << key;
    return keyState();
}

void QUpdateManager::setAdditionalKeys(const QList<updatesignature::PublicKey> &keys)
{
    m_additionalKeys.clear();
    for (const updatesignature::PublicKey &key : keys)
        if (key.isValid())
            m_additionalKeys << key;
}

QUpdateManager::KEY_STATE_T QUpdateManager::keyState() const
{
    return m_additionalKeys.isEmpty() ? m_keyState : KEY_READY;
}

QUpdateManager::SERVER_STATE_T QUpdateManager::setServerAddress(const QString &address)
{
    m_serverText = address.trimmed();
    m_server.clear();
    m_serverState = SERVER_NONE;
    if (m_serverText.isEmpty())
        return m_serverState;
    QString text = m_serverText;
    if (!text.contains(QLatin1String("://")))
        text.prepend(QLatin1String("https://"));
    const QUrl url(text, QUrl::StrictMode);
    if (!addressAllowed(url)) {
        qCWarning(lcUpdate) << "update server refused:" << m_serverText;
        m_serverState = SERVER_REFUSED;
        return m_serverState;
    }
    m_server.setScheme(url.scheme().toLower());
    m_server.setHost(url.host());
    m_server.setPort(url.port());
    m_serverState = SERVER_READY;
    return m_serverState;
}

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
    if (m_serverState != SERVER_READY)
        return QUrl();
    QUrl url = m_server;
    url.setPath(ServerPath + QString(KIND_NAMES[kind]) + "_version_5813_" + m_language + ".txt");
    return url;
}

QUrl QUpdateManager::updateFileUrl(UPDATE_SOFT_T kind) const
{
    if (m_serverState != SERVER_READY)
        return QUrl();
    QUrl url = m_server;
    if (kind == UPDATE_SOFT_PC)
        url.setPath(ServerPath + QStringLiteral("pc_5813_setup") + INSTALLER_SUFFIX);
    else
        url.setPath(ServerPath + QString(KIND_NAMES[kind]) + "_5813_setup_board_" +
                    m_kinds[kind].text + ".bin");
    return url;
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
    const QJsonObject seen = QJsonDocument::fromJson(file.read(VersionFileLimit)).object();
    return seen.value(fileName).toInteger(-1);
}

void QUpdateManager::storeTimestamp(const QString &fileName, qint64 timestamp)
{
    QJsonObject seen;
    QFile old(timestampsPath());
    if (old.open(QIODevice::ReadOnly))
        seen = QJsonDocument::fromJson(old.read(VersionFileLimit)).object();
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
        patterns << localFileName(UPDATE_SOFT_T(i)) + QString(PARTIAL_SUFFIX).replace('X', '?');
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
    m_busy = false;
    if (!on)
        abortRequest();
    else
        m_countdown = someKindDue() ? SoonCountdown : RetryCountdown;
}

void QUpdateManager::setTransferTimeout(int ms)
{
    m_network->setTransferTimeout(ms);
}

bool QUpdateManager::requestRunning() const
{
    return m_reply && !m_reply->isFinished();
}

void QUpdateManager::abortRequest()
{
    // An abandoned request ends quietly: nobody waits for it any more.
    dropReply();
    m_file.reset();
    m_deadline->stop();
    m_busy = false;
}

void QUpdateManager::dropReply()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    if (!reply->isFinished())
        reply->abort();
    // Later: this may run from inside the reply's own signal.
    reply->deleteLater();
}

qint64 QUpdateManager::limit(UPDATE_SOFT_T kind, bool versionFile) const
{
    if (versionFile)
        return VersionFileLimit;
    return kind == UPDATE_SOFT_PC ? InstallerLimit : FirmwareLimit;
}

void QUpdateManager::startRequest(const QUrl &url)
{
    m_lastError = ERROR_NONE;
    m_untrustedKeyId.clear();
    m_refusedVersion.clear();
    m_target = url;
    m_signatureStage = true;
    m_file.reset();
    const bool versionFile = m_requestState % 2 == 1;
    int deadline = versionFile                                     ? VersionDeadlineMs
                   : kindOfState(m_requestState) == UPDATE_SOFT_PC ? InstallerDeadlineMs
                                                                   : FirmwareDeadlineMs;
    if (m_deadlineOverride >= 0)
        deadline = m_deadlineOverride;
    m_deadline->start(deadline);
    // The signature comes first: without one the file itself is not worth fetching.
    QUrl signature = url;
    signature.setPath(url.path() + SIGNATURE_SUFFIX);
    get(signature, SignatureLimit, false);
}

void QUpdateManager::get(const QUrl &url, qint64 limit, bool body)
{
    m_buffer.clear();
    m_received = 0;
    m_limit = limit;
    QNetworkRequest request(url);
    // The limits count the bytes as the server sent them.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(MAX_REDIRECTS);
    m_reply = m_network->get(request);
    if (body)
        connect(m_reply, &QNetworkReply::downloadProgress, this,
                &QUpdateManager::slotDownloadProgress);
    connect(m_reply, &QNetworkReply::readyRead, this, &QUpdateManager::slotReadyRead);
    connect(m_reply, &QNetworkReply::redirected, this, &QUpdateManager::slotRedirected);
    connect(m_reply, &QNetworkReply::finished, this, &QUpdateManager::slotFinished);
    qCDebug(lcUpdate) << "GET" << url.toDisplayString();
}

bool QUpdateManager::requestVersionFile(UPDATE_SOFT_T kind)
{
    if (!ready())
        return false;
    abortRequest();
    m_requestState = 2 * kind + 1;
    startRequest(versionFileUrl(kind));
    return true;
}

bool QUpdateManager::requestUpdateFile(UPDATE_SOFT_T kind)
{
    if (!ready())
        return false;
    abortRequest();
    // Whatever lies under the final name is from another download; a failed one must
    // not leave it behind to be taken for this one.
    QFile::remove(downloadPath(kind));
    m_requestState = 2 * kind + 2;
    startRequest(updateFileUrl(kind));
    return true;
}

void QUpdateManager::slotDownloadProgress(qint64 received, qint64 total)
{
    emit downloadProgress(int(received), int(total));
}

void QUpdateManager::slotRedirected(const QUrl &url)
{
    if (!redirectAllowed(url)) {
        fail(ERROR_REDIRECT, "redirection refused: " + url.toDisplayString());
        return;
    }
    emit m_reply->redirectAllowed();
}

void QUpdateManager::slotReadyRead()
{
    if (!m_reply)
        return;
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > m_limit) {
        fail(ERROR_TOO_LARGE, QStringLiteral("%1 bytes announced").arg(length.toLongLong()));
        return;
    }
    const QByteArray data = m_reply->readAll();
    m_received += data.size();
    if (m_received > m_limit) {
        fail(ERROR_TOO_LARGE, QStringLiteral("more than %1 bytes").arg(m_limit));
        return;
    }
    if (!m_file) {
        m_buffer += data;
    } else if (m_file->write(data) != data.size()) {
        fail(ERROR_STORE, m_file->fileName() + ": " + m_file->errorString());
    }
}

void QUpdateManager::fail(REQUEST_ERROR_T reason, const QString &why)
{
    qCWarning(lcUpdate).noquote() << m_target.toDisplayString() << why;
    dropReply();
    m_file.reset(); // removes what was stored of it
    m_buffer.clear();
    m_deadline->stop();
    m_lastError = reason;
    m_busy = false;
    m_countdown = RetryCountdown;
    emit error();
}

bool QUpdateManager::takeSignature()
{
    QString why;
    if (!updatesignature::parseSignature(m_buffer, &m_signature, &why)) {
        fail(ERROR_SIGNATURE, "signature file refused: " + why);
        return false;
    }
    return true;
}

bool QUpdateManager::checkSignature(QIODevice *device, updatesignature::Comment *comment)
{
    m_untrustedKeyId.clear();
    const updatesignature::PublicKey *key = nullptr;
    if (m_key.isValid() && m_key.keyId == m_signature.keyId)
        key = &m_key;
    for (const updatesignature::PublicKey &k : std::as_const(m_additionalKeys))
        if (!key && k.keyId == m_signature.keyId)
            key = &k;
    if (!key) {
        // Key ids are written as the tool prints them: the bytes in reverse.
        QByteArray id = m_signature.keyId;
        std::reverse(id.begin(), id.end());
        m_untrustedKeyId = QString::fromLatin1(id.toHex().toUpper());
        fail(ERROR_SIGNATURE, "signed with a key not trusted here: " + m_untrustedKeyId);
        return false;
    }
    QString why;
    if (!updatesignature::verify(*key, m_signature, device, &why) ||
        !updatesignature::vouchesFor(m_signature, m_target.fileName(), comment, &why)) {
        fail(ERROR_SIGNATURE, "signature refused: " + why);
        return false;
    }
    return true;
}

bool QUpdateManager::takeVersionFile(UPDATE_SOFT_T kind, bool *newer)
{
    updatesignature::Comment comment;
    QBuffer buffer(&m_buffer);
    buffer.open(QIODevice::ReadOnly);
    if (!checkSignature(&buffer, &comment))
        return false;
    // An older file served again would take back what a newer one announced.
    const QString name = m_target.fileName();
    const qint64 newest = newestTimestamp(name);
    if (comment.timestamp < newest) {
        fail(ERROR_REPLAYED, QStringLiteral("signed at %1, before the one taken at %2")
                                 .arg(comment.timestamp)
                                 .arg(newest));
        return false;
    }
    storeTimestamp(name, comment.timestamp);
    Kind &k = m_kinds[kind];
    k.signedAt = comment.timestamp;
    if (versionFileOutdated(kind))
        qCWarning(lcUpdate).noquote()
            << name << "was signed" << versionFileSigned(kind).toString(Qt::ISODate)
            << ": the server's information is out of date";
    const QString shortKey = QString::number(k.major) + "." + QString::number(k.minor);
    const QString fullKey = kind == UPDATE_SOFT_PC ? shortKey + k.text : shortKey;
    k.changes.clear();
    *newer = parseVersionFile(splitLines(m_buffer), shortKey, fullKey, &k.changes);
    k.cycle = *newer ? 2 : 1;
    return true;
}

bool QUpdateManager::takeDownload(UPDATE_SOFT_T kind)
{
    if (!m_file->flush() || !m_file->seek(0)) {
        fail(ERROR_STORE, m_file->fileName() + ": " + m_file->errorString());
        return false;
    }
    // Checked as stored: what is flashed or opened is what was checked.
    updatesignature::Comment comment;
    if (!checkSignature(m_file.get(), &comment))
        return false;
    // An older setup, validly signed once, would bring back what a newer one fixed.
    const Kind &k = m_kinds[kind];
    if (kind == UPDATE_SOFT_PC && !programVersionNewer(comment.version, k.major, k.minor, k.text)) {
        m_refusedVersion = comment.version;
        fail(ERROR_ROLLBACK, QStringLiteral("the setup's version \"%1\" is not newer than %2.%3%4")
                                 .arg(comment.version)
                                 .arg(k.major)
                                 .arg(k.minor)
                                 .arg(k.text));
        return false;
    }
    const QString path = downloadPath(kind);
    QFile::remove(path);
    if (!m_file->rename(path)) {
        fail(ERROR_STORE, "cannot store " + path + ": " + m_file->errorString());
        return false;
    }
    m_file->setAutoRemove(false);
    m_file.reset();
    return true;
}

void QUpdateManager::slotFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply || reply != m_reply)
        return;
    if (reply->error() != QNetworkReply::NoError) {
        // A file without its signature beside it is unsigned, not a network fault.
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        fail(m_signatureStage && status == 404 ? ERROR_SIGNATURE : ERROR_NETWORK,
             reply->url().toDisplayString() + ": " + reply->errorString());
        return;
    }
    slotReadyRead();
    if (m_reply != reply)
        return; // failed on the last bytes
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != m_received) {
        fail(ERROR_NETWORK,
             QStringLiteral("cut short: %1 of %2 bytes").arg(m_received).arg(length.toLongLong()));
        return;
    }
    m_reply = nullptr;
    reply->disconnect(this);
    reply->deleteLater();

    const UPDATE_SOFT_T kind = kindOfState(m_requestState);
    const bool versionFile = m_requestState % 2 == 1;
    if (m_signatureStage) {
        if (!takeSignature())
            return;
        m_signatureStage = false;
        if (!versionFile) {
            privatefiles::makeDirectory(m_downloadFolder);
            // Beside its final name, owner-only; renamed to it only once checked.
            m_file = std::make_unique<QTemporaryFile>(downloadPath(kind) + PARTIAL_SUFFIX);
            if (!m_file->open()) {
                fail(ERROR_STORE, m_file->fileName() + ": " + m_file->errorString());
                return;
            }
        }
        get(m_target, limit(kind, versionFile), true);
        return;
    }
    bool newer = false;
    if (versionFile ? !takeVersionFile(kind, &newer) : !takeDownload(kind))
        return;
    finishRequest(newer);
}

void QUpdateManager::finishRequest(bool newer)
{
    m_deadline->stop();
    m_buffer.clear();
    m_busy = false;
    m_countdown = someKindDue() ? SoonCountdown : RetryCountdown;
    const UPDATE_SOFT_T kind = kindOfState(m_requestState);
    if (newer)
        emit needSoftUpdate(kind, m_kinds[kind].changes);
    emit finished();
}

void QUpdateManager::slotTimerTick()
{
    if (!m_enabled || m_busy || !ready())
        return;
    if (m_countdown > 0) {
        --m_countdown;
        return;
    }
    for (int i = 0; i < KindCount; ++i) {
        const auto kind = UPDATE_SOFT_T(i);
        if (m_kinds[i].cycle == 0 && versionKnown(kind)) {
            m_busy = requestVersionFile(kind);
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
