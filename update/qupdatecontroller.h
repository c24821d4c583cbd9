#pragma once

#include "qoperation.h"
#include "qupdatemanager.h"
#include "qupdaterequest.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QFlashController;
class QModemSession;
class QSettings;
class QStatusBar;
class QSystemTrayIcon;
class QUpdateNotice;

// Updates from the internet as the user meets them: announces what the update manager
// finds (tray balloon, or a notice in the window), checks on request, shows the changes,
// downloads, flashes firmware at once and starts the program's installer after exit.
// Owns the update manager and feeds it the versions the session learns.
class QUpdateController : public QObject
{
    Q_OBJECT
public:
    // Opens a downloaded installer; true when it could be started.
    using Launcher = std::function<bool(const QString &path)>;

    static const char ServerSettingKey[];
    // No longer read: a key from the user's settings is never trusted.
    static const char KeySettingKey[];

    QUpdateController(QModemSession *session, QFlashController *flasher, QObject *parent = nullptr);
    ~QUpdateController() override;

    QUpdateManager &manager() { return *m_manager; }

    // Announcements use the tray's balloon while it can show one, else the notice,
    // which lives in this bar.
    void setTrayIcon(QSystemTrayIcon *tray);
    void setNoticeBar(QStatusBar *bar);
    QUpdateNotice *notice() const { return m_notice; }
    // A menu entry that checks for an update of this kind.
    void setMenuAction(QAction *action, QUpdateManager::UPDATE_SOFT_T kind);

    // The server address from the settings, else the one built in; the key built in and
    // the administrator's keys of this system.
    void loadSettings(const QSettings &settings);
    void setServerAddress(const QString &address);
    // The program's own key, in place of the one built in (a demonstration's, a test's).
    void setPublicKey(const QString &key);
    // The actuator's version bytes in stored order, as the settings keep them.
    void setKnownDeviceVersion(const QByteArray &stored);

    bool installerPending() const { return m_installerPending; }
    // A request to the update server is under way while the user waits.
    bool waiting() const { return !m_wait.isNull(); }
    void setInstallerLauncher(const Launcher &launcher) { m_launcher = launcher; }
    // An installer left from an earlier run is of no further use.
    void removeLeftOverInstaller();
    // Once, when the user agreed to install a downloaded program.
    bool startInstaller();

signals:
    // The program should close so that its installer can replace it.
    void closeRequested();

public slots:
    void need_update_soft(QUpdateManager::UPDATE_SOFT_T kind);
    void update_pc_soft();
    void update_modem_soft();
    void update_device_soft();
    void update_soft(QUpdateManager::UPDATE_SOFT_T kind);
    // For the menu entries given to setMenuAction(): the entry chosen names the kind.
    void update_soft_from_menu();
    void checkOnRequest(QUpdateManager::UPDATE_SOFT_T kind);
    // The server's version file for kind, fetched while a dialog waits.
    void requestVersionFile(QUpdateManager::UPDATE_SOFT_T kind);
    void error_update_soft();
    // Hands the stick's and the actuator's versions to the manager when they changed.
    void syncVersions();

private:
    void announce(const QString &title, const QString &text, int ms, int kind);
    // Requests can be made; else the user is told why not.
    bool serverUsable();
    // The user waited for a request that failed: what went wrong, said plainly.
    void downloadFailed(const QUpdateRequest &request);
    // Shows the changes of kind and installs on "Да"; checkedNow: the user asked the
    // server just now, and hears when what it said is out of date.
    void offer(QUpdateManager::UPDATE_SOFT_T kind, bool checkedNow);
    QString outdatedText(QUpdateManager::UPDATE_SOFT_T kind) const;
    // An exchange with the stick or the actuator runs, so an update must wait.
    bool lineBusy(QUpdateManager::UPDATE_SOFT_T kind) const;
    // Shown in a wait dialog while the user waits for the server.
    void watch(QOperation *operation, const QString &text);
    // The session's runner holds the line for a download that is flashed when it ends;
    // null after telling the user why not.
    QOperation *beginOnLine(const QString &text);
    void endOnLine(QOperation *operation, bool ok);
    // Starts the download; the firmware is flashed or the installer readied when it ends.
    bool download(QUpdateManager::UPDATE_SOFT_T kind);
    void install(QUpdateManager::UPDATE_SOFT_T kind);
    void syncVersion(QUpdateManager::UPDATE_SOFT_T kind, const QByteArray &stored);

    QModemSession *m_session;
    QFlashController *m_flasher;
    QUpdateManager *m_manager;
    QSystemTrayIcon *m_tray = nullptr;
    QUpdateNotice *m_notice = nullptr;
    QHash<QObject *, QUpdateManager::UPDATE_SOFT_T> m_menuActions;
    QPointer<QOperation> m_wait;
    int m_noticeKind = -1;
    // The user's settings name a key, which is not trusted: said when no key is.
    bool m_userKeyIgnored = false;
    bool m_installerPending = false;
    Launcher m_launcher;
};
