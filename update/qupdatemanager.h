#pragma once

#include "updatesignature.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <array>
#include <memory>

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;
class QTemporaryFile;
class QTimer;

// Finds newer versions of the program and of the firmware of the USB-stick and the
// actuator on the update server, and downloads them. A timer checks each kind whose
// installed version is known, one request at a time. Every file is taken only with a
// valid signature by a trusted key beside it (<name>.minisig), fetched first, that names
// the file; bodies are limited in size and time and stream into a temporary file. A
// version file older than one seen before is not taken, nor a setup of the program that
// is not newer than the one running.
class QUpdateManager : public QObject
{
    Q_OBJECT
public:
    enum UPDATE_SOFT_T {
        UPDATE_SOFT_PC = 0,     // the program
        UPDATE_SOFT_MODEM = 1,  // the USB-stick's firmware
        UPDATE_SOFT_DEVICE = 2, // the actuator's firmware
    };
    Q_ENUM(UPDATE_SOFT_T)
    static constexpr int KindCount = 3;

    // Whether requests may go to the server address.
    enum SERVER_STATE_T { SERVER_NONE, SERVER_REFUSED, SERVER_READY };
    // Whether there is a key to check the server's files with.
    enum KEY_STATE_T { KEY_NONE, KEY_INVALID, KEY_READY };
    // Why the last request failed.
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

    static constexpr qint64 SignatureLimit = 16 * 1024;
    static constexpr qint64 VersionFileLimit = 64 * 1024;
    static constexpr qint64 FirmwareLimit = 1024 * 1024;
    static constexpr qint64 InstallerLimit = 256 * 1024 * 1024;
    // The whole request, signature and file, however steadily the bytes come.
    static constexpr int VersionDeadlineMs = 60 * 1000;
    static constexpr int FirmwareDeadlineMs = 5 * 60 * 1000;
    static constexpr int InstallerDeadlineMs = 60 * 60 * 1000;

    static constexpr int FirstCountdown = 10;
    static constexpr int SoonCountdown = 60;
    static constexpr int RetryCountdown = 3600;
    static constexpr int FullCycleCountdown = 43200;
    // A version file signed longer ago is still used, but said to be out of date: a
    // server held back (or an attacker in between) could hide newer versions for good.
    static constexpr qint64 OutdatedAfterS = 90 * 24 * 3600;

    static const char ServerPath[];

    explicit QUpdateManager(QObject *parent = nullptr, const QString &language = "ru");
    ~QUpdateManager() override;

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

    void setDownloadFolder(const QString &folder) { m_downloadFolder = folder; }
    QString downloadFolder() const { return m_downloadFolder; }
    // Where a downloaded update of this kind is stored.
    QString downloadPath(UPDATE_SOFT_T kind) const;
    static QString localFileName(UPDATE_SOFT_T kind);
    QUrl versionFileUrl(UPDATE_SOFT_T kind) const;
    QUrl updateFileUrl(UPDATE_SOFT_T kind) const;

    // The installed version; text is the program's suffix or the firmware's board code.
    void setVersion(UPDATE_SOFT_T kind, int major, int minor, const QString &text);
    // The actuator's four version bytes in stored order (major, type, board, minor).
    void setDeviceVersion(const QByteArray &stored);
    int major(UPDATE_SOFT_T kind) const { return m_kinds[kind].major; }
    int minor(UPDATE_SOFT_T kind) const { return m_kinds[kind].minor; }
    QString text(UPDATE_SOFT_T kind) const { return m_kinds[kind].text; }
    bool versionKnown(UPDATE_SOFT_T kind) const;

    void resetCheck(UPDATE_SOFT_T kind);
    void setCheckEnabled(bool on);
    bool checkEnabled() const { return m_enabled; }
    void abortRequest();
    // False, and nothing is sent, without a usable server address and key.
    bool requestVersionFile(UPDATE_SOFT_T kind);
    bool requestUpdateFile(UPDATE_SOFT_T kind);
    QStringList changes(UPDATE_SOFT_T kind) const { return m_kinds[kind].changes; }

    // 0 none; 1, 3, 5 the version file and 2, 4, 6 the update of the program, the
    // stick and the actuator.
    int requestState() const { return m_requestState; }
    bool requestRunning() const;
    bool busy() const { return m_busy; }
    int countdown() const { return m_countdown; }
    // 0 not checked in this cycle, 1 nothing newer, 2 a newer version was found.
    int cycleFlag(UPDATE_SOFT_T kind) const { return m_kinds[kind].cycle; }
    // The one-second tick; stopped, the checks wait for slotTimerTick() calls.
    QTimer *checkTimer() const { return m_timer; }
    // A transfer during which nothing arrives for this long fails.
    void setTransferTimeout(int ms);
    // Replaces the deadline of every kind of request; < 0: the usual ones.
    void setDeadline(int ms) { m_deadlineOverride = ms; }
    REQUEST_ERROR_T lastError() const { return m_lastError; }
    // The file name on the server of the last request.
    QString lastFileName() const { return m_target.fileName(); }
    // The id (hex) of the key the last refused signature was made with, when no trusted
    // key has it; empty otherwise.
    QString untrustedKeyId() const { return m_untrustedKeyId; }
    // The version of the program in the last refused setup's signature.
    QString refusedVersion() const { return m_refusedVersion; }

    // When the version file last taken for kind was signed; invalid before one was.
    QDateTime versionFileSigned(UPDATE_SOFT_T kind) const;
    bool versionFileOutdated(UPDATE_SOFT_T kind) const;
    // Where the newest signing time of each version file is kept, so that an older file
    // served again is not taken.
    QString timestampsPath() const;
    // Removes what downloads cut short by a killed program left beside their final names.
    void removePartialDownloads();

    // Whether version ("0.41", "0.40f") is newer than major.minor and suffix; false for
    // one that is not a version.
    static bool programVersionNewer(const QString &version, int major, int minor,
                                    const QString &suffix);

    // The change list when the file lists a version after the installed one: that
    // version line and everything after it. Lines as the server sent them.
    static bool parseVersionFile(const QStringList &lines, const QString &shortKey,
                                 const QString &fullKey, QStringList *changes);
    // Each line up to its first NUL byte, line end kept.
    static QStringList splitLines(const QByteArray &content);

signals:
    void finished();
    void error();
    void needSoftUpdate(QUpdateManager::UPDATE_SOFT_T kind, QStringList changes);
    void downloadProgress(int received, int total);

public slots:
    void slotFinished();
    void slotReadyRead();
    void slotRedirected(const QUrl &url);
    void slotDownloadProgress(qint64 received, qint64 total);
    void slotTimerTick();

private:
    struct Kind {
        int major = 0;
        int minor = 0;
        QString text;
        QStringList changes;
        int cycle = 0;
        qint64 signedAt = -1; // of the version file last taken
    };

    bool someKindDue() const;
    void startRequest(const QUrl &url);
    void get(const QUrl &url, qint64 limit, bool body);
    void dropReply();
    // Ends the request as failed: what was received is dropped, error() follows.
    void fail(REQUEST_ERROR_T reason, const QString &why);
    void finishRequest(bool newer);
    bool takeSignature();
    // The signature checked against the trusted keys and the file's name.
    bool checkSignature(QIODevice *device, updatesignature::Comment *comment);
    qint64 newestTimestamp(const QString &fileName) const;
    void storeTimestamp(const QString &fileName, qint64 timestamp);
    bool takeVersionFile(UPDATE_SOFT_T kind, bool *newer);
    bool takeDownload(UPDATE_SOFT_T kind);
    qint64 limit(UPDATE_SOFT_T kind, bool versionFile) const;

    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_reply;
    QTimer *m_timer;
    QTimer *m_deadline;
    int m_deadlineOverride = -1;
    // The request: the file asked for, its signature once read, what came so far.
    QUrl m_target;
    bool m_signatureStage = false;
    updatesignature::Signature m_signature;
    QByteArray m_buffer;
    std::unique_ptr<QTemporaryFile> m_file;
    qint64 m_received = 0;
    qint64 m_limit = 0;
    REQUEST_ERROR_T m_lastError = ERROR_NONE;
    updatesignature::PublicKey m_key;
    KEY_STATE_T m_keyState = KEY_NONE;
    QList<updatesignature::PublicKey> m_additionalKeys;
    QString m_untrustedKeyId;
    QString m_refusedVersion;
    bool m_busy = false;
    bool m_enabled = true;
    int m_countdown = FirstCountdown;
    int m_requestState = 0;
    std::array<Kind, KindCount> m_kinds;
    QString m_language;
    QString m_downloadFolder;
    QUrl m_server;
    QString m_serverText;
    SERVER_STATE_T m_serverState = SERVER_NONE;
};
