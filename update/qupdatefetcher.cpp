#include "qupdatefetcher.h"

#include "updatelog.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkRequest>

#ifndef VEXO_UPDATE_SERVER
#define VEXO_UPDATE_SERVER ""
#endif
#ifndef VEXO_UPDATE_PUBLIC_KEY
#define VEXO_UPDATE_PUBLIC_KEY ""
#endif

const char QUpdateFetcher::ServerPath[] = "/proj/vexo/upload/downloads/";

QUpdateFetcher::QUpdateFetcher(QObject *parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this))
{
    // A server that stops sending would otherwise hold a dialog without a cancel button.
    m_network->setTransferTimeout(QNetworkRequest::DefaultTransferTimeoutConstant);
}

QString QUpdateFetcher::builtInServerAddress()
{
    return QStringLiteral(VEXO_UPDATE_SERVER);
}

bool QUpdateFetcher::addressAllowed(const QUrl &url)
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

bool QUpdateFetcher::redirectAllowed(const QUrl &url) const
{
    // The configured address passed the same rule; the host it names is the one trusted.
    return m_serverState == SERVER_READY && addressAllowed(url) &&
           url.host().compare(m_server.host(), Qt::CaseInsensitive) == 0;
}

QString QUpdateFetcher::builtInPublicKey()
{
    return QStringLiteral(VEXO_UPDATE_PUBLIC_KEY);
}

QUpdateFetcher::KEY_STATE_T QUpdateFetcher::setPublicKey(const QString &key)
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

void QUpdateFetcher::setAdditionalKeys(const QList<updatesignature::PublicKey> &keys)
{
    m_additionalKeys.clear();
    for (const updatesignature::PublicKey &key : keys)
        if (key.isValid())
            m_additionalKeys << key;
}

QUpdateFetcher::KEY_STATE_T QUpdateFetcher::keyState() const
{
    return m_additionalKeys.isEmpty() ? m_keyState : KEY_READY;
}

QUpdateFetcher::SERVER_STATE_T QUpdateFetcher::setServerAddress(const QString &address)
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

QUrl QUpdateFetcher::fileUrl(const QString &name) const
{
    if (m_serverState != SERVER_READY)
        return QUrl();
    QUrl url = m_server;
    url.setPath(ServerPath + name);
    return url;
}

void QUpdateFetcher::setTransferTimeout(int ms)
{
    m_network->setTransferTimeout(ms);
}

QUpdateRequest *QUpdateFetcher::fetch(QUpdateRequest::REQUEST_T type, const QString &name,
                                      const QString &storePath, const QUpdateRequest::Check &check)
{
    if (!ready())
        return nullptr;
    QUpdateRequest::Terms terms;
    terms.type = type;
    terms.url = fileUrl(name);
    terms.storePath = storePath;
    terms.check = check;
    switch (type) {
    case QUpdateRequest::REQUEST_VERSION_FILE:
        terms.limit = VersionFileLimit;
        terms.deadlineMs = VersionDeadlineMs;
        break;
    case QUpdateRequest::REQUEST_SETUP:
        terms.limit = InstallerLimit;
        terms.deadlineMs = InstallerDeadlineMs;
        break;
    case QUpdateRequest::REQUEST_FIRMWARE:
        terms.limit = FirmwareLimit;
        terms.deadlineMs = FirmwareDeadlineMs;
        break;
    }
    if (m_deadlineOverride >= 0)
        terms.deadlineMs = m_deadlineOverride;
    if (m_key.isValid())
        terms.keys << m_key;
    terms.keys << m_additionalKeys;
    // The server and the keys as they are now: a later change leaves this request alone.
    const QUrl server = m_server;
    terms.redirectAllowed = [server](const QUrl &url) {
        return addressAllowed(url) && url.host().compare(server.host(), Qt::CaseInsensitive) == 0;
    };
    return new QUpdateRequest(m_network, terms, this);
}
