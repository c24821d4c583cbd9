#include "qupdatemanager.h"

#include "privatefiles.h"
#include "updatelog.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>

#ifndef VEXO_UPDATE_SERVER
#define VEXO_UPDATE_SERVER ""
#endif

const char QUpdateManager::ServerPath[] = "/proj/vexo/upload/downloads/";

namespace
{
constexpr int TICK_MS = 1000;
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
      m_language(language)
{
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
    if (requestRunning()) {
        QNetworkReply *reply = m_reply;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
        m_reply = nullptr;
    }
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

void QUpdateManager::get(const QUrl &url, bool download)
{
    QNetworkRequest request(url);
    // The length check below needs the body as the server counted it.
    if (download)
        request.setRawHeader("Accept-Encoding", "identity");
    m_reply = m_network->get(request);
    if (download)
        connect(m_reply, &QNetworkReply::downloadProgress, this,
                &QUpdateManager::slotDownloadProgress);
    connect(m_reply, &QNetworkReply::finished, this, &QUpdateManager::slotFinished);
    qCDebug(lcUpdate) << "GET" << url.toDisplayString();
}

bool QUpdateManager::requestVersionFile(UPDATE_SOFT_T kind)
{
    if (m_serverState != SERVER_READY)
        return false;
    dropReply();
    m_requestState = 2 * kind + 1;
    get(versionFileUrl(kind), false);
    return true;
}

bool QUpdateManager::requestUpdateFile(UPDATE_SOFT_T kind)
{
    if (m_serverState != SERVER_READY)
        return false;
    dropReply();
    // Whatever lies under the final name is from another download; a failed one must
    // not leave it behind to be taken for this one.
    QFile::remove(downloadPath(kind));
    m_requestState = 2 * kind + 2;
    get(updateFileUrl(kind), true);
    return true;
}

void QUpdateManager::slotDownloadProgress(qint64 received, qint64 total)
{
    emit downloadProgress(int(received), int(total));
}

bool QUpdateManager::storeDownload(QNetworkReply *reply, UPDATE_SOFT_T kind)
{
    const QByteArray body = reply->readAll();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != body.size()) {
        qCWarning(lcUpdate) << "download cut short:" << body.size() << "of" << length.toLongLong()
                            << "bytes";
        return false;
    }
    // Written beside its final name and renamed only when complete: the name holds a
    // whole file or none.
    privatefiles::makeDirectory(m_downloadFolder);
    QSaveFile file(downloadPath(kind));
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(privatefiles::FilePermissions) ||
        file.write(body) != body.size() || !file.flush() || !file.commit()) {
        qCWarning(lcUpdate) << "cannot store" << file.fileName() << file.errorString();
        return false;
    }
    return true;
}

void QUpdateManager::slotFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply || reply != m_reply)
        return;
    m_reply = nullptr;
    reply->deleteLater();

    const UPDATE_SOFT_T kind = kindOfState(m_requestState);
    const bool versionFile = m_requestState % 2 == 1;
    bool ok = reply->error() == QNetworkReply::NoError;
    if (!ok)
        qCWarning(lcUpdate).noquote() << reply->url().toDisplayString() << reply->errorString();
    bool newer = false;
    if (ok && versionFile) {
        Kind &k = m_kinds[kind];
        const QString shortKey = QString::number(k.major) + "." + QString::number(k.minor);
        const QString fullKey = kind == UPDATE_SOFT_PC ? shortKey + k.text : shortKey;
        k.changes.clear();
        newer = parseVersionFile(splitLines(reply->readAll()), shortKey, fullKey, &k.changes);
        k.cycle = newer ? 2 : 1;
    } else if (ok) {
        ok = storeDownload(reply, kind);
    }
    m_busy = false;
    m_countdown = ok && someKindDue() ? SoonCountdown : RetryCountdown;

    if (!ok) {
        emit error();
        return;
    }
    if (newer)
        emit needSoftUpdate(kind, m_kinds[kind].changes);
    emit finished();
}

void QUpdateManager::slotTimerTick()
{
    if (!m_enabled || m_busy || m_serverState != SERVER_READY)
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
        if (isVersionLine(line))
            *changes << "<b>" + tr("Версия ") + line + "</b><br>";
        else
            *changes << line + "<br>";
    }
    return true;
}
