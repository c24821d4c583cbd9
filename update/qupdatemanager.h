#pragma once

#include "qupdatefetcher.h"
#include "qupdaterequest.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <array>

class QTimer;

// When to look for newer versions of the program and of the firmware of the USB-stick
// and the actuator, and what was found: the installed versions, the change lists, the
// check timer's cycles. A timer checks each kind whose installed version is known, one
// check at a time. A version file older than one seen before is not taken, nor a setup of
// the program that is not newer than the one running. The fetcher gets the files.
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

    static constexpr int FirstCountdown = 10;
    static constexpr int SoonCountdown = 60;
    static constexpr int RetryCountdown = 3600;
    static constexpr int FullCycleCountdown = 43200;
    // A version file signed longer ago is still used, but said to be out of date: a
    // server held back (or an attacker in between) could hide newer versions for good.
    static constexpr qint64 OutdatedAfterS = 90 * 24 * 3600;

    explicit QUpdateManager(QObject *parent = nullptr, const QString &language = "ru");
    ~QUpdateManager() override;

    QUpdateFetcher &fetcher() const { return *m_fetcher; }

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
    // Off ends the timer's check still running; the requests of others go on.
    void setCheckEnabled(bool on);
    bool checkEnabled() const { return m_enabled; }
    // The version file of kind, whose changes are taken once it ends well. Null, and
    // nothing is sent, without a usable server address and key.
    QUpdateRequest *requestVersionFile(UPDATE_SOFT_T kind);
    // The update of kind into downloadPath(kind); one still running for kind is cancelled.
    QUpdateRequest *requestUpdateFile(UPDATE_SOFT_T kind);
    QStringList changes(UPDATE_SOFT_T kind) const { return m_kinds[kind].changes; }

    // The timer's own check runs.
    bool busy() const { return !m_check.isNull(); }
    int countdown() const { return m_countdown; }
    // 0 not checked in this cycle, 1 nothing newer, 2 a newer version was found.
    int cycleFlag(UPDATE_SOFT_T kind) const { return m_kinds[kind].cycle; }
    // The one-second tick; stopped, the checks wait for slotTimerTick() calls.
    QTimer *checkTimer() const { return m_timer; }
    // Why the timer's last check failed; ERROR_NONE when it went through.
    QUpdateRequest::REQUEST_ERROR_T lastError() const { return m_lastError; }

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
    // What the timer's checks find: a newer version of kind, or a check that failed.
    void needSoftUpdate(QUpdateManager::UPDATE_SOFT_T kind, QStringList changes);
    void error();

public slots:
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
    qint64 newestTimestamp(const QString &fileName) const;
    void storeTimestamp(const QString &fileName, qint64 timestamp);
    // Refuses a version file signed before the one taken last time.
    QUpdateRequest::REQUEST_ERROR_T checkTimestamp(const QUpdateRequest &request, QString *why);
    bool takeVersionFile(UPDATE_SOFT_T kind, const QUpdateRequest &request);
    void requestEnded(UPDATE_SOFT_T kind, QUpdateRequest *request);

    QUpdateFetcher *m_fetcher;
    QTimer *m_timer;
    QPointer<QUpdateRequest> m_check;
    std::array<QPointer<QUpdateRequest>, KindCount> m_downloads;
    QUpdateRequest::REQUEST_ERROR_T m_lastError = QUpdateRequest::ERROR_NONE;
    bool m_enabled = true;
    int m_countdown = FirstCountdown;
    std::array<Kind, KindCount> m_kinds;
    QString m_language;
    QString m_downloadFolder;
};
