#include "qupdatecontroller.h"

#include "privatefiles.h"
#include "prompts.h"
#include "qflashcontroller.h"
#include "qmodemsession.h"
#include "qupdatechangesdialog.h"
#include "qupdatenotice.h"
#include "qwaitdialog.h"
#include "updatekeys.h"
#include "updatelog.h"

#include <QAction>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QUrl>

#include <memory>

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <shellapi.h>
#endif

const char QUpdateController::ServerSettingKey[] = "/Settings/update_server";
const char QUpdateController::KeySettingKey[] = "/Settings/update_public_key";

namespace
{
constexpr int ANNOUNCE_MS = 20000;
constexpr int NETWORK_ERROR_MS = 10000;
[[maybe_unused]] constexpr char SetupFolderPrefix[] = "vexo-setup-";

bool openInstaller(const QString &path)
{
#ifdef Q_OS_WIN
    // Through the shell, which asks for the administrator rights the setup needs; a plain
    // CreateProcess would be refused.
    const QString file = QDir::toNativeSeparators(path);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t *>(file.utf16()),
                      L"/Autoupdate=yes", nullptr, SW_SHOWNORMAL));
    return result > 32;
#else
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
#endif
}
} // namespace

QUpdateController::QUpdateController(QModemSession *session, QFlashController *flasher,
                                     QObject *parent)
    : QObject(parent), m_session(session), m_flasher(flasher),
      m_manager(new QUpdateManager(this, QStringLiteral("ru"))), m_launcher(openInstaller)
{
    // Versions are stored by the answers of these operations.
    connect(session->runner(), &QOperationRunner::transactionEnded, this,
            [this](MODEM_TRANSACTION_T, bool ok) {
                if (ok)
                    syncVersions();
            });
    connect(session, &QModemSession::sessionOpened, this, &QUpdateController::syncVersions);
    connect(flasher, &QFlashController::updateChecksEnabled, m_manager,
            &QUpdateManager::setCheckEnabled);
    // Only the timer's checks are announced; what the user asks for is watched apart.
    connect(m_manager, &QUpdateManager::needSoftUpdate, this, &QUpdateController::need_update_soft);
    connect(m_manager, &QUpdateManager::error, this, &QUpdateController::error_update_soft);
}

QUpdateController::~QUpdateController() = default;

void QUpdateController::setTrayIcon(QSystemTrayIcon *tray)
{
    if (m_tray)
        m_tray->disconnect(this);
    m_tray = tray;
    // A balloon leads to the kind it announced; one about a failed check leads nowhere.
    if (m_tray)
        connect(m_tray, &QSystemTrayIcon::messageClicked, this, [this] {
            if (m_noticeKind >= 0)
                update_soft(QUpdateManager::UPDATE_SOFT_T(m_noticeKind));
        });
}

void QUpdateController::setNoticeBar(QStatusBar *bar)
{
    delete m_notice;
    m_notice = new QUpdateNotice(bar);
    bar->addWidget(m_notice, 1);
    m_notice->hide();
    connect(m_notice, &QUpdateNotice::clicked, this, [this] {
        if (m_noticeKind >= 0)
            update_soft(QUpdateManager::UPDATE_SOFT_T(m_noticeKind));
    });
}

void QUpdateController::setMenuAction(QAction *action, QUpdateManager::UPDATE_SOFT_T kind)
{
    if (action)
        m_menuActions.insert(action, kind);
}

void QUpdateController::loadSettings(const QSettings &settings)
{
    // The server may be the user's choice: the signatures vouch for what it serves.
    const QString address = settings.value(ServerSettingKey).toString();
    setServerAddress(address.isEmpty() ? QUpdateFetcher::builtInServerAddress() : address);
    // Any program running as the user could write a key there.
    m_userKeyIgnored = settings.contains(KeySettingKey);
    if (m_userKeyIgnored)
        qCWarning(lcUpdate).noquote()
            << KeySettingKey << "in the user's settings is ignored; keys are trusted from"
            << updatekeys::systemPlace() << "only";
    setPublicKey(QUpdateFetcher::builtInPublicKey());
    // A company with a server of its own signs with a key of its own, set up by an
    // administrator.
    const updatekeys::Loaded keys = updatekeys::systemKeys();
    for (const QString &line : keys.ignored)
        qCWarning(lcUpdate).noquote() << "update key ignored:" << line;
    m_manager->fetcher().setAdditionalKeys(keys.keys);
}

void QUpdateController::setServerAddress(const QString &address)
{
    m_manager->fetcher().setServerAddress(address);
}

void QUpdateController::setPublicKey(const QString &key)
{
    m_manager->fetcher().setPublicKey(key);
}

void QUpdateController::setKnownDeviceVersion(const QByteArray &stored)
{
    m_manager->setDeviceVersion(stored);
}

void QUpdateController::syncVersion(QUpdateManager::UPDATE_SOFT_T kind, const QByteArray &stored)
{
    // Stored order: major, type, board, minor.
    if (stored.size() != 4)
        return;
    const int major = quint8(stored[0]);
    const int minor = quint8(stored[3]);
    const QString board = QString::number(quint8(stored[2]));
    if (major == 0 && minor == 0)
        return; // not known yet
    if (m_manager->major(kind) == major && m_manager->minor(kind) == minor &&
        m_manager->text(kind) == board)
        return;
    // Another version is installed now: what was announced for the old one is past.
    if (m_manager->versionKnown(kind) && m_noticeKind == kind && m_notice)
        m_notice->hide();
    m_manager->setVersion(kind, major, minor, board);
}

void QUpdateController::syncVersions()
{
    syncVersion(QUpdateManager::UPDATE_SOFT_MODEM, m_session->modem().version());
    syncVersion(QUpdateManager::UPDATE_SOFT_DEVICE, m_session->execDevice().version());
}

void QUpdateController::announce(const QString &title, const QString &text, int ms, int kind)
{
    m_noticeKind = kind;
    if (m_tray && m_tray->isVisible() && QSystemTrayIcon::supportsMessages()) {
        m_tray->showMessage(title, text, QSystemTrayIcon::Information, ms);
        return;
    }
    // No tray: the window says it itself.
    if (m_notice)
        m_notice->showMessage(text, kind >= 0, kind >= 0 ? 0 : ms);
}

bool QUpdateController::lineBusy(QUpdateManager::UPDATE_SOFT_T kind) const
{
    // The program's own update needs no stick; with one connected it waits all the same.
    const QModem &modem = m_session->modem();
    const bool exchanging =
        modem.listening() || modem.currentTransaction() != TRANSACTION_NONE || m_session->busy();
    return (kind != QUpdateManager::UPDATE_SOFT_PC || modem.connected()) && exchanging;
}

void QUpdateController::need_update_soft(QUpdateManager::UPDATE_SOFT_T kind)
{
    if (lineBusy(kind)) {
        m_manager->resetCheck(kind);
        return;
    }
    QString text;
    switch (kind) {
    case QUpdateManager::UPDATE_SOFT_PC:
        text = tr("Доступно интернет-обновление программы. Чтобы приступить к обновлению, "
                  "нажмите здесь клавишей мыши");
        break;
    case QUpdateManager::UPDATE_SOFT_MODEM:
        text = tr("Доступно интернет-обновление прошивки USB-stick 5813. Чтобы приступить к "
                  "обновлению, нажмите здесь клавишей мыши");
        break;
    case QUpdateManager::UPDATE_SOFT_DEVICE:
        text = tr("Доступно интернет-обновление прошивки исполнительного устройства. Чтобы "
                  "приступить к обновлению, нажмите здесь клавишей мыши");
        break;
    }
    announce(QStringLiteral("Vexo Control Tool"), text, ANNOUNCE_MS, kind);
}

void QUpdateController::update_pc_soft()
{
    update_soft(QUpdateManager::UPDATE_SOFT_PC);
}

void QUpdateController::update_modem_soft()
{
    update_soft(QUpdateManager::UPDATE_SOFT_MODEM);
}

void QUpdateController::update_device_soft()
{
    update_soft(QUpdateManager::UPDATE_SOFT_DEVICE);
}

void QUpdateController::error_update_soft()
{
    // A file that is not signed as it should be, or older than one seen, is no news:
    // logged, tried again later.
    if (m_manager->lastError() == QUpdateRequest::ERROR_SIGNATURE ||
        m_manager->lastError() == QUpdateRequest::ERROR_REPLAYED)
        return;
    announce(QStringLiteral("Vexo Control Tool") + tr(": Ошибка сети"),
             tr("Нет связи с сервером. Невозможно проверить необходимость обновления программы"),
             NETWORK_ERROR_MS, -1);
}

bool QUpdateController::serverUsable()
{
    Prompts *prompts = m_session->prompts();
    const QUpdateFetcher &fetcher = m_manager->fetcher();
    switch (fetcher.serverState()) {
    case QUpdateFetcher::SERVER_READY:
        break;
    case QUpdateFetcher::SERVER_REFUSED:
        prompts->warning(m_session->dialogParent(), tr("Ошибка"),
                         tr("Адрес сервера обновлений %1 отклонён: обновления загружаются "
                            "только по защищённому соединению (https://).")
                             .arg(fetcher.serverAddress()),
                         QMessageBox::Ok);
        return false;
    case QUpdateFetcher::SERVER_NONE:
        prompts->information(m_session->dialogParent(), tr("Информация"),
                             tr("Сервер обновлений не настроен."), QMessageBox::Ok);
        return false;
    }
    switch (fetcher.keyState()) {
    case QUpdateFetcher::KEY_READY:
        return true;
    case QUpdateFetcher::KEY_INVALID:
        prompts->warning(m_session->dialogParent(), tr("Ошибка"),
                         tr("Ключ проверки подписи обновлений не распознан: нужна строка "
                            "открытого ключа minisign. Обновления не загружаются."),
                         QMessageBox::Ok);
        return false;
    case QUpdateFetcher::KEY_NONE:
        break;
    }
    QString text = tr("Ключ проверки подписи обновлений не задан: обновления не загружаются.");
    // Who moved a key into the settings learns where it must go instead.
    if (m_userKeyIgnored)
        text += "\n" + tr("Ключ в настройках пользователя не принимается: кроме встроенного "
                          "ключа, доверенные ключи берутся только из %1, куда может писать лишь "
                          "администратор.")
                           .arg(QDir::toNativeSeparators(updatekeys::systemPlace()));
    prompts->information(m_session->dialogParent(), tr("Информация"), text, QMessageBox::Ok);
    return false;
}

void QUpdateController::downloadFailed(const QUpdateRequest &request)
{
    const bool versionFile = request.type() == QUpdateRequest::REQUEST_VERSION_FILE;
    QString text;
    switch (request.error()) {
    case QUpdateRequest::ERROR_SIGNATURE:
        text = versionFile ? tr("Сведения об обновлении с сервера не прошли проверку подписи и "
                                "не приняты.")
                           : tr("Файл %1 с сервера обновлений не прошёл проверку подписи и "
                                "удалён. Ничего не установлено.")
                                 .arg(request.fileName());
        // For the administrator of a company's own server: where a key must go.
        if (!request.untrustedKeyId().isEmpty())
            text += "\n" + tr("Файл подписан ключом %1, которому программа не доверяет. Кроме "
                              "встроенного ключа, доверенные ключи берутся только из %2, куда "
                              "может писать лишь администратор.")
                               .arg(request.untrustedKeyId(),
                                    QDir::toNativeSeparators(updatekeys::systemPlace()));
        break;
    case QUpdateRequest::ERROR_REPLAYED:
        text = tr("Сведения об обновлении с сервера старше уже полученных ранее и не приняты.");
        break;
    case QUpdateRequest::ERROR_ROLLBACK:
        text = tr("Программа с сервера обновлений (версия %1) не новее установленной (%2) и "
                  "удалена. Ничего не установлено.")
                   .arg(request.comment().version.isEmpty() ? tr("не указана")
                                                            : request.comment().version,
                        QString("%1.%2%3")
                            .arg(m_manager->major(QUpdateManager::UPDATE_SOFT_PC))
                            .arg(m_manager->minor(QUpdateManager::UPDATE_SOFT_PC))
                            .arg(m_manager->text(QUpdateManager::UPDATE_SOFT_PC)));
        break;
    default:
        text = versionFile ? tr("Ошибка загрузки сведений об обновлении с сервера. Проверьте "
                                "ваше подключение к интернету")
                           : tr("Ошибка загрузки обновления с сервера. Проверьте ваше "
                                "подключение к интернету");
        break;
    }
    m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"), text, QMessageBox::Ok);
}

void QUpdateController::update_soft_from_menu()
{
    const auto it = m_menuActions.constFind(sender());
    if (it != m_menuActions.constEnd())
        checkOnRequest(it.value());
}

void QUpdateController::checkOnRequest(QUpdateManager::UPDATE_SOFT_T kind)
{
    if (!serverUsable())
        return;
    // The firmware kinds need their target: without it there is no version to compare.
    if (kind == QUpdateManager::UPDATE_SOFT_MODEM && !m_session->connected())
        return;
    if (kind == QUpdateManager::UPDATE_SOFT_DEVICE) {
        QOperation *version = m_session->get_device_version();
        if (version)
            connect(version, &QOperation::finished, this, [this, version, kind] {
                if (version->succeeded())
                    requestVersionFile(kind);
            });
        return;
    }
    requestVersionFile(kind);
}

void QUpdateController::watch(QOperation *operation, const QString &text)
{
    operation->setText(text);
    m_wait = operation;
    QWaitDialog::showFor(m_session->dialogParent(), operation, QWaitDialog::ProgressMode);
}

void QUpdateController::requestVersionFile(QUpdateManager::UPDATE_SOFT_T kind)
{
    // The timer's checks wait: one of them would announce what the user is shown now.
    m_manager->setCheckEnabled(false);
    QUpdateRequest *request = m_manager->requestVersionFile(kind);
    if (!request) {
        // Nothing was asked: no wait, and the user learns why.
        m_manager->setCheckEnabled(true);
        serverUsable();
        return;
    }
    watch(request, tr("Получение сведений об обновлениях из интернета..."));
    // The manager heard of the end first and has taken the changes.
    connect(request, &QOperation::finished, this, [this, request, kind] {
        m_manager->setCheckEnabled(true);
        if (request->succeeded())
            offer(kind, true);
        else if (request->outcome() == QOperation::Failed)
            downloadFailed(*request);
    });
}

QString QUpdateController::outdatedText(QUpdateManager::UPDATE_SOFT_T kind) const
{
    return tr("Сведения на сервере обновлений устарели: они подписаны %1, более %2 дней назад. "
              "Более новые версии могут быть от вас скрыты; сообщите об этом поставщику.")
        .arg(QLocale().toString(m_manager->versionFileSigned(kind).date(), QLocale::ShortFormat))
        .arg(QUpdateManager::OutdatedAfterS / (24 * 3600));
}

void QUpdateController::update_soft(QUpdateManager::UPDATE_SOFT_T kind)
{
    offer(kind, false);
}

void QUpdateController::offer(QUpdateManager::UPDATE_SOFT_T kind, bool checkedNow)
{
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    if (lineBusy(kind)) {
        prompts->warning(parent, tr("Ошибка"),
                         tr("Операция обновления программного обеспечения невозможна во время "
                            "обмена данным с usb-stick либо исполнительным устройством"),
                         QMessageBox::Ok);
        m_manager->resetCheck(kind);
        return;
    }
    QString title;
    switch (kind) {
    case QUpdateManager::UPDATE_SOFT_MODEM:
        title = tr("Изменения, реализованные в новой версии прошивки USB-stick:<br>");
        break;
    case QUpdateManager::UPDATE_SOFT_DEVICE:
        title =
            tr("Изменения, реализованные в новой версии прошивки исполнительного устройства:<br>");
        break;
    case QUpdateManager::UPDATE_SOFT_PC:
        title = tr("Изменения, реализованные в новой версии программы ") +
                QStringLiteral("Vexo Control Tool") + ":<br>";
        break;
    default:
        return;
    }
    if (m_notice && m_noticeKind == kind)
        m_notice->hide();

    m_manager->setCheckEnabled(false);
    const QStringList changes = m_manager->changes(kind);
    const bool outdated = checkedNow && m_manager->versionFileOutdated(kind);
    if (changes.isEmpty()) {
        QString text = kind == QUpdateManager::UPDATE_SOFT_PC
                           ? tr("У вас последняя версия программы.")
                           : tr("Уже установлена последняя версия прошивки.");
        // "The latest" is only as fresh as the server's word.
        if (outdated)
            text += "\n\n" + outdatedText(kind);
        prompts->information(parent, tr("Информация"), text, QMessageBox::Ok);
        m_manager->setCheckEnabled(true);
        return;
    }
    if (outdated)
        prompts->warning(parent, tr("Внимание"), outdatedText(kind), QMessageBox::Ok);
    bool agreed = false;
    {
        QUpdateChangesDialog dialog(parent, title, changes);
        agreed = dialog.exec() == QDialog::Accepted;
    }
    if (!agreed || !download(kind))
        m_manager->setCheckEnabled(true);
}

bool QUpdateController::download(QUpdateManager::UPDATE_SOFT_T kind)
{
    if (!m_manager->fetcher().ready()) {
        serverUsable();
        return false;
    }
    const QString text = tr("Загрузка обновления программы из интернета...");
    const bool firmware = kind != QUpdateManager::UPDATE_SOFT_PC;
    // Firmware is flashed as soon as it is in: the line is held for it meanwhile.
    QPointer<QOperation> line;
    if (firmware && !(line = beginOnLine(text)))
        return false;
    QUpdateRequest *request = m_manager->requestUpdateFile(kind);
    if (line) {
        watch(line, text);
        connect(request, &QOperation::progressChanged, line, &QOperation::setProgress);
        // Cancelled, or the stick is gone: nothing to flash into any more.
        connect(line, &QOperation::finished, request, &QUpdateRequest::abort);
    } else {
        watch(request, text);
    }
    connect(request, &QOperation::finished, this, [this, request, line, firmware, kind] {
        const bool held = line && !line->isFinished();
        if (held)
            endOnLine(line, request->succeeded());
        if (request->succeeded() && (held || !firmware))
            install(kind);
        m_manager->setCheckEnabled(true);
        // The user agreed and waited: a download that broke off is said so, not dropped.
        if (request->outcome() == QOperation::Failed)
            downloadFailed(*request);
    });
    return true;
}

QOperation *QUpdateController::beginOnLine(const QString &text)
{
    // Shown here with the download's progress, not announced for the window to show.
    QOperation *operation = m_session->begin(text, true, true);
    if (operation->outcome() != QOperation::Refused)
        return operation;
    m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"), operation->errorString(),
                                  QMessageBox::Ok);
    return nullptr;
}

void QUpdateController::endOnLine(QOperation *operation, bool ok)
{
    m_session->complete(operation, ok);
}

void QUpdateController::install(QUpdateManager::UPDATE_SOFT_T kind)
{
    const QString path = m_manager->downloadPath(kind);
    if (kind == QUpdateManager::UPDATE_SOFT_PC) {
        m_installerPending = true;
        emit closeRequested();
        return;
    }
    QFlashUpdater::FLASH_DEVICE_T target = QFlashUpdater::FLASH_MODEM;
    if (kind == QUpdateManager::UPDATE_SOFT_DEVICE)
        target = m_session->execDevice().remoteMode() ? QFlashUpdater::FLASH_DEVICE_REMOTE
                                                      : QFlashUpdater::FLASH_DEVICE;
    m_flasher->setFirmwareFileName(path);
    QOperation *flashing = nullptr;
    if (m_flasher->updater().loadFile(path, target))
        flashing = m_flasher->flash_fu(target);
    else
        m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"),
                                      tr("Ошибка загрузки прошивки из файла") + "\n" +
                                          m_flasher->updater().errorString(),
                                      QMessageBox::Ok);
    if (!flashing) {
        QFile::remove(path);
        return;
    }
    // Flashed, or refused before anything was sent (another target, an older version
    // declined), the download has served: the next one is fetched anew. A transfer that
    // was cut, cancelled or lost its stick keeps it for another try from the file.
    const QString shown = QDir::toNativeSeparators(path);
    flashing->setLostText(tr("Прошивка не записана. Загруженный файл сохранён: %1").arg(shown));
    auto sending = std::make_shared<bool>(false);
    connect(m_flasher, &QFlashController::updateChecksEnabled, flashing, [sending](bool on) {
        if (!on)
            *sending = true;
    });
    connect(flashing, &QOperation::finished, this, [this, flashing, path, shown, sending, kind] {
        const QOperation::Outcome outcome = flashing->outcome();
        if (outcome == QOperation::Lost)
            return; // said with the loss of the stick
        if (outcome == QOperation::Succeeded || !*sending) {
            QFile::remove(path);
            return;
        }
        m_session->prompts()->information(
            m_session->dialogParent(), tr("Информация"),
            tr("Загруженный файл прошивки сохранён: %1\nЕго можно записать снова командой "
               "«%2».")
                .arg(shown, kind == QUpdateManager::UPDATE_SOFT_MODEM
                                ? tr("Обновить прошивку USB-stick из файла...")
                                : tr("Обновить прошивку исполнительного устройства из файла...")),
            QMessageBox::Ok);
    });
}

void QUpdateController::removeLeftOverInstaller()
{
    const QString path = m_manager->downloadPath(QUpdateManager::UPDATE_SOFT_PC);
#ifndef Q_OS_WIN
    // A package installer may still be reading its file when the program starts again.
    constexpr qint64 LEFT_OVER_PACKAGE_AGE_S = 24 * 3600;
    const QFileInfo info(path);
    if (info.exists() &&
        info.lastModified().secsTo(QDateTime::currentDateTime()) < LEFT_OVER_PACKAGE_AGE_S)
        return;
#else
    // The folders earlier setups ran from; one still running keeps its own.
    const QDir temp(QStandardPaths::writableLocation(QStandardPaths::TempLocation));
    for (const QString &name :
         temp.entryList({QLatin1String(SetupFolderPrefix) + QLatin1Char('*')}, QDir::Dirs))
        QDir(temp.filePath(name)).removeRecursively();
#endif
    QFile::remove(path);
}

bool QUpdateController::startInstaller()
{
    if (!m_installerPending)
        return false;
    m_installerPending = false;
    QString path = m_manager->downloadPath(QUpdateManager::UPDATE_SOFT_PC);
#ifdef Q_OS_WIN
    // Run from a new folder that only this user can write, never from the data folder:
    // nothing else may put a DLL beside the setup, which runs elevated.
    const QString folder = privatefiles::makeFreshDirectory(
        QStandardPaths::writableLocation(QStandardPaths::TempLocation), SetupFolderPrefix);
    const QString moved = folder + QLatin1Char('/') + QFileInfo(path).fileName();
    if (folder.isEmpty() || !QFile::rename(path, moved)) {
        qCWarning(lcUpdate) << "no private folder to start the installer from" << folder;
        return false;
    }
    path = moved;
#endif
    if (!QFileInfo::exists(path) || !m_launcher(path)) {
        qCWarning(lcUpdate) << "cannot start the installer" << path;
        return false;
    }
    return true;
}
