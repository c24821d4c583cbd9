#pragma once

#include "qoperation.h"
#include "updatesignature.h"

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <memory>

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;
class QTemporaryFile;
class QTimer;

// One file fetched from the update server, as a network reply is: the signature beside it
// (<name>.minisig) first, then the file, limited in size and time; it ends well only when
// a trusted key signed it for its name and the asker's own check takes it. Several run at
// once, each with its own data. An operation so that a wait dialog can watch it and cancel
// it; it never runs on the line. It finishes once, always from the event loop, and deletes
// itself after that.
class QUpdateRequest : public QOperation
{
    Q_OBJECT
public:
    // What is fetched.
    enum REQUEST_T {
        REQUEST_VERSION_FILE, // the version list with its changes, kept in memory
        REQUEST_SETUP,        // the program's installer
        REQUEST_FIRMWARE,     // the stick's or the actuator's image
    };
    Q_ENUM(REQUEST_T)
    enum STAGE_T { STAGE_SIGNATURE, STAGE_FILE, STAGE_DONE };
    Q_ENUM(STAGE_T)
    // Why a request failed.
    enum REQUEST_ERROR_T {
        ERROR_NONE,
        ERROR_NETWORK,
        ERROR_TOO_LARGE,
        ERROR_TIMED_OUT,
        ERROR_REDIRECT,  // to another host, or to an address not allowed
        ERROR_SIGNATURE, // missing, malformed, by another key, not matching, or for another file
        ERROR_STORE,
        ERROR_REPLAYED, // a version file signed before the one taken last time
        ERROR_ROLLBACK, // a setup of the program not newer than the one running
    };
    Q_ENUM(REQUEST_ERROR_T)

    static constexpr qint64 SignatureLimit = 16 * 1024;
    // What QTemporaryFile puts after the final name while a download is under way.
    static const char PartialSuffix[];

    // The asker's word on a file whose signature holds, before it is stored under its
    // final name: ERROR_NONE takes it; anything else refuses it, why goes to the log.
    using Check = std::function<REQUEST_ERROR_T(const QUpdateRequest &request, QString *why)>;

    struct Terms {
        REQUEST_T type = REQUEST_VERSION_FILE;
        QUrl url;
        // Where a setup or firmware goes once checked; a version file stays in memory.
        QString storePath;
        qint64 limit = 0;
        // For the whole request, signature and file, however steadily the bytes come.
        int deadlineMs = 0;
        QList<updatesignature::PublicKey> keys;
        std::function<bool(const QUrl &url)> redirectAllowed;
        Check check;
    };

    // Starts at once; network is not owned.
    QUpdateRequest(QNetworkAccessManager *network, const Terms &terms, QObject *parent = nullptr);
    ~QUpdateRequest() override;

    REQUEST_T type() const { return m_terms.type; }
    STAGE_T stage() const { return m_stage; }
    QUrl url() const { return m_terms.url; }
    // The file's name on the server.
    QString fileName() const { return m_terms.url.fileName(); }
    QString storePath() const { return m_terms.storePath; }
    REQUEST_ERROR_T error() const { return m_error; }
    // What the signature says of the file (time, name, version), once it was checked.
    const updatesignature::Comment &comment() const { return m_comment; }
    // A version file's text, once taken.
    QByteArray content() const { return m_buffer; }
    // The id (hex) of the key a refused signature was made with, when no trusted key has
    // it; empty otherwise.
    QString untrustedKeyId() const { return m_untrustedKeyId; }

    // Ends the request as cancelled: nothing of it is kept.
    void abort();

private:
    void get(const QUrl &url, qint64 limit);
    void dropReply();
    void readReply();
    void redirected(const QUrl &url);
    void replyFinished();
    void startFile();
    // Ends the request as failed; what was received is dropped.
    void fail(REQUEST_ERROR_T reason, const QString &why);
    bool checkSignature(QIODevice *device);
    void takeFile();

    Terms m_terms;
    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_reply;
    QTimer *m_deadline;
    STAGE_T m_stage = STAGE_SIGNATURE;
    REQUEST_ERROR_T m_error = ERROR_NONE;
    updatesignature::Signature m_signature;
    updatesignature::Comment m_comment;
    QByteArray m_buffer;
    std::unique_ptr<QTemporaryFile> m_file;
    qint64 m_received = 0;
    qint64 m_limit = 0;
    QString m_untrustedKeyId;
};
