#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <array>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// Finds newer versions of the program and of the firmware of the USB-stick and the
// actuator on the update server, and downloads them. A timer checks each kind whose
// installed version is known, one request at a time.
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

    static constexpr int FirstCountdown = 10;
    static constexpr int SoonCountdown = 60;
    static constexpr int RetryCountdown = 3600;
    static constexpr int FullCycleCountdown = 43200;

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
    // False, and nothing is sent, when no usable server address is set.
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
    void slotDownloadProgress(qint64 received, qint64 total);
    void slotTimerTick();

private:
    struct Kind {
        int major = 0;
        int minor = 0;
        QString text;
        QStringList changes;
        int cycle = 0;
    };

    bool someKindDue() const;
    void get(const QUrl &url, bool download);
    void dropReply();
    bool storeDownload(QNetworkReply *reply, UPDATE_SOFT_T kind);

    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_reply;
    QTimer *m_timer;
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
