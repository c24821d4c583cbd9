#include "qupdaterequest.h"

#include "privatefiles.h"
#include "updatelog.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryFile>
#include <QTimer>

#include <algorithm>

const char QUpdateRequest::PartialSuffix[] = ".XXXXXX";

namespace
{
constexpr int MAX_REDIRECTS = 5;
const char SIGNATURE_SUFFIX[] = ".minisig";
} // namespace

QUpdateRequest::QUpdateRequest(QNetworkAccessManager *network, const Terms &terms, QObject *parent)
    : QOperation(QString(), true, parent), m_terms(terms), m_network(network),
      m_deadline(new QTimer(this))
{
    connect(this, &QOperation::cancelRequested, this, &QUpdateRequest::abort);
    connect(this, &QOperation::finished, this, &QObject::deleteLater);
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this,
            [this] { fail(ERROR_TIMED_OUT, QStringLiteral("deadline passed")); });
    m_deadline->start(m_terms.deadlineMs);
    // The signature comes first: without one the file itself is not worth fetching.
    QUrl signature = m_terms.url;
    signature.setPath(m_terms.url.path() + SIGNATURE_SUFFIX);
    get(signature, SignatureLimit);
}

QUpdateRequest::~QUpdateRequest()
{
    dropReply();
}

void QUpdateRequest::get(const QUrl &url, qint64 limit)
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
    if (m_stage == STAGE_FILE)
        connect(m_reply, &QNetworkReply::downloadProgress, this,
                [this](qint64 received, qint64 total) { setProgress(int(received), int(total)); });
    connect(m_reply, &QNetworkReply::readyRead, this, &QUpdateRequest::readReply);
    connect(m_reply, &QNetworkReply::redirected, this, &QUpdateRequest::redirected);
    connect(m_reply, &QNetworkReply::finished, this, &QUpdateRequest::replyFinished);
    qCDebug(lcUpdate) << "GET" << url.toDisplayString();
}

void QUpdateRequest::dropReply()
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

void QUpdateRequest::abort()
{
    if (isFinished())
        return;
    dropReply();
    m_file.reset(); // removes what was stored of it
    m_buffer.clear();
    m_deadline->stop();
    finish(Cancelled, QString(), true);
}

void QUpdateRequest::fail(REQUEST_ERROR_T reason, const QString &why)
{
    if (isFinished())
        return;
    qCWarning(lcUpdate).noquote() << m_terms.url.toDisplayString() << why;
    dropReply();
    m_file.reset();
    m_buffer.clear();
    m_deadline->stop();
    m_error = reason;
    finish(Failed, why, true);
}

void QUpdateRequest::redirected(const QUrl &url)
{
    if (!m_terms.redirectAllowed || !m_terms.redirectAllowed(url)) {
        fail(ERROR_REDIRECT, "redirection refused: " + url.toDisplayString());
        return;
    }
    emit m_reply->redirectAllowed();
}

void QUpdateRequest::readReply()
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
    if (!m_file)
        m_buffer += data;
    else if (m_file->write(data) != data.size())
        fail(ERROR_STORE, m_file->fileName() + ": " + m_file->errorString());
}

void QUpdateRequest::replyFinished()
{
    QNetworkReply *reply = m_reply;
    if (!reply || sender() != reply)
        return;
    if (reply->error() != QNetworkReply::NoError) {
        // A file without its signature beside it is unsigned, not a network fault.
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        fail(m_stage == STAGE_SIGNATURE && status == 404 ? ERROR_SIGNATURE : ERROR_NETWORK,
             reply->url().toDisplayString() + ": " + reply->errorString());
        return;
    }
    readReply();
    if (m_reply != reply)
        return; // failed on the last bytes
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != m_received) {
        fail(ERROR_NETWORK,
             QStringLiteral("cut short: %1 of %2 bytes").arg(m_received).arg(length.toLongLong()));
        return;
    }
    dropReply();
    if (m_stage == STAGE_SIGNATURE)
        startFile();
    else
        takeFile();
}

void QUpdateRequest::startFile()
{
    QString why;
    if (!updatesignature::parseSignature(m_buffer, &m_signature, &why)) {
        fail(ERROR_SIGNATURE, "signature file refused: " + why);
        return;
    }
    m_stage = STAGE_FILE;
    if (m_terms.type != REQUEST_VERSION_FILE) {
        privatefiles::makeDirectory(QFileInfo(m_terms.storePath).path());
        // Beside its final name, owner-only; renamed to it only once checked.
        m_file = std::make_unique<QTemporaryFile>(m_terms.storePath + PartialSuffix);
        if (!m_file->open()) {
            fail(ERROR_STORE, m_file->fileName() + ": " + m_file->errorString());
            return;
        }
    }
    get(m_terms.url, m_terms.limit);
}

bool QUpdateRequest::checkSignature(QIODevice *device)
{
    const updatesignature::PublicKey *key = nullptr;
    for (const updatesignature::PublicKey &k : std::as_const(m_terms.keys))
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
        !updatesignature::vouchesFor(m_signature, fileName(), &m_comment, &why)) {
        fail(ERROR_SIGNATURE, "signature refused: " + why);
        return false;
    }
    return true;
}

void QUpdateRequest::takeFile()
{
    bool checked = false;
    if (m_file) {
        // Checked as stored: what is flashed or opened is what was checked.
        if (!m_file->flush() || !m_file->seek(0)) {
            fail(ERROR_STORE, m_file->fileName() + ": " + m_file->errorString());
            return;
        }
        checked = checkSignature(m_file.get());
    } else {
        QBuffer buffer(&m_buffer);
        buffer.open(QIODevice::ReadOnly);
        checked = checkSignature(&buffer);
    }
    if (!checked)
        return;
    QString why;
    const REQUEST_ERROR_T refused = m_terms.check ? m_terms.check(*this, &why) : ERROR_NONE;
    if (refused != ERROR_NONE) {
        fail(refused, why);
        return;
    }
    if (m_file) {
        const QString path = m_terms.storePath;
        QFile::remove(path);
        if (!m_file->rename(path)) {
            fail(ERROR_STORE, "cannot store " + path + ": " + m_file->errorString());
            return;
        }
        m_file->setAutoRemove(false);
        m_file.reset();
    }
    m_stage = STAGE_DONE;
    m_deadline->stop();
    finish(Succeeded, QString(), true);
}
