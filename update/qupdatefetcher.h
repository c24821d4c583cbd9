#pragma once

#include "qupdaterequest.h"
#include "updatesignature.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;

// Where update files come from and who may sign them: the server's address, the trusted
// keys, the limits of each kind of file. Starts the requests for them, each an object of
// its own (QUpdateRequest); any number may run at once.
class QUpdateFetcher : public QObject
{
    Q_OBJECT
public:
    // Whether requests may go to the server address.
    enum SERVER_STATE_T { SERVER_NONE, SERVER_REFUSED, SERVER_READY };
    // Whether there is a key to check the server's files with.
    enum KEY_STATE_T { KEY_NONE, KEY_INVALID, KEY_READY };

    static constexpr qint64 VersionFileLimit = 64 * 1024;
    static constexpr qint64 FirmwareLimit = 1024 * 1024;
    static constexpr qint64 InstallerLimit = 256 * 1024 * 1024;
    static constexpr int VersionDeadlineMs = 60 * 1000;
    static constexpr int FirmwareDeadlineMs = 5 * 60 * 1000;
    static constexpr int InstallerDeadlineMs = 60 * 60 * 1000;

    static const char ServerPath[];

    explicit QUpdateFetcher(QObject *parent = nullptr);

    // Scheme and host (and port) of the server; any path is replaced by ServerPath.
    // Only HTTPS, or plain HTTP to this machine. An empty address means none.
    SERVER_STATE_T setServerAddress(const QString &address);
    SERVER_STATE_T serverState() const { return m_serverState; }
    QString serverAddress() const { return m_serverText; }
    // The address given when the program was built; may be empty.
    static QString builtInServerAddress();
    static bool addressAllowed(const QUrl &url);
    // A redirection from the configured address may go to this one.
    bool redirectAllowed(const QUrl &url) const;

    // The program's own minisign public key (its base64 line): the one built in, or the
    // one a demonstration or a test makes for its run. Always trusted.
    KEY_STATE_T setPublicKey(const QString &key);
    // Keys trusted besides it, from where only an administrator can write.
    void setAdditionalKeys(const QList<updatesignature::PublicKey> &keys);
    KEY_STATE_T keyState() const;
    // The key given when the program was built; may be empty.
    static QString builtInPublicKey();
    // Both a server and a key: requests can be made.
    bool ready() const { return m_serverState == SERVER_READY && keyState() == KEY_READY; }

    // The address of a file on the server; empty without a usable server.
    QUrl fileUrl(const QString &name) const;
    // A transfer during which nothing arrives for this long fails.
    void setTransferTimeout(int ms);
    // Replaces the deadline of every kind of request; < 0: the usual ones.
    void setDeadline(int ms) { m_deadlineOverride = ms; }

    // Starts fetching the file name from the server, for a setup or firmware into
    // storePath; null, and nothing is sent, without a usable server and key.
    QUpdateRequest *fetch(QUpdateRequest::REQUEST_T type, const QString &name,
                          const QString &storePath = QString(),
                          const QUpdateRequest::Check &check = {});

private:
    QNetworkAccessManager *m_network;
    int m_deadlineOverride = -1;
    updatesignature::PublicKey m_key;
    KEY_STATE_T m_keyState = KEY_NONE;
    QList<updatesignature::PublicKey> m_additionalKeys;
    QUrl m_server;
    QString m_serverText;
    SERVER_STATE_T m_serverState = SERVER_NONE;
};
