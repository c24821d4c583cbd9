#include "qflashcontroller.h"

#include "prompts.h"
#include "qlineoperation.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "updatelog.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace
{
// Writing a block into flash takes a target five times an ordinary answer's time-out
// (15 s at the usual 3 s); tied to it so that a lowered time-out lowers this one too.
constexpr int FLASH_TIMEOUT_FACTOR = 5;
constexpr int APPLY_BASE_MS = 5000;
constexpr qint64 APPLY_REFERENCE_SIZE = 128000;
constexpr qint64 APPLY_MODEM_MS = 10000; // per reference size
constexpr qint64 APPLY_DEVICE_MS = 25000;
} // namespace

// Sends the image's messages one after the other, each acknowledged before the next.
class QFlashController::ImageStep : public QLineStep
{
public:
    ImageStep(QModemSession *session, QFlashUpdater *updater, QOperation *operation)
        : QLineStep(session), m_updater(updater), m_operation(operation)
    {
    }

    bool next() override
    {
        bool more = false;
        QRS232Message message = m_updater->nextMessage(&more);
        if (!more)
            return true;
        session()->sendCommand(message, FLASH_TIMEOUT_FACTOR);
        m_operation->reportStep();
        m_operation->setProgress(++m_sent, m_updater->messageCount());
        return false;
    }

private:
    QFlashUpdater *m_updater;
    QOperation *m_operation;
    // The first message does not count, so the bar is never full before the end message
    // is acknowledged.
    int m_sent = 0;
};

QFlashController::QFlashController(QModemSession *session, QObject *parent)
    : QObject(parent), m_session(session), m_updater(new QFlashUpdater(this))
{
}

QFlashController::~QFlashController() = default;

int QFlashController::applyWaitMs(QFlashUpdater::FLASH_DEVICE_T target, quint32 imageSize)
{
    if (target == QFlashUpdater::FLASH_DEVICE_REMOTE)
        return 0;
    const qint64 perReference =
        target == QFlashUpdater::FLASH_DEVICE ? APPLY_DEVICE_MS : APPLY_MODEM_MS;
    return int(APPLY_BASE_MS + qint64(imageSize) * perReference / APPLY_REFERENCE_SIZE);
}

QString QFlashController::partnerFileName(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    if (name.isEmpty())
        return QString();
    // Digits in the folders stay: only the file's own name tells the pair apart.
    const QString folder = path.left(path.size() - name.size());
    if (name.contains(QLatin1Char('4')))
        name.replace(QLatin1Char('4'), QLatin1Char('3'));
    else
        name.replace(QLatin1Char('3'), QLatin1Char('4'));
    return folder + name;
}

QFlashUpdater::FLASH_DEVICE_T QFlashController::deviceTarget() const
{
    return m_session->execDevice().remoteMode() ? QFlashUpdater::FLASH_DEVICE_REMOTE
                                                : QFlashUpdater::FLASH_DEVICE;
}

void QFlashController::fileError(const QString &fileName)
{
    QString text = tr("Ошибка загрузки прошивки из файла");
    if (!fileName.isEmpty())
        text += "\n" + QDir::toNativeSeparators(fileName);
    if (!m_updater->errorString().isEmpty())
        text += "\n" + m_updater->errorString();
    m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"), text, QMessageBox::Ok);
}

QOperation *QFlashController::loadAndFlash(const QString &fileName,
                                           QFlashUpdater::FLASH_DEVICE_T target, bool nameInMessage)
{
    if (!m_updater->loadFile(fileName, target)) {
        fileError(nameInMessage ? fileName : QString());
        return nullptr;
    }
    return flash_fu(target, ConfirmAlways);
}

QOperation *QFlashController::flashFile(const QString &fileName, bool actuator)
{
    m_firmwareFileName = fileName;
    return loadAndFlash(fileName, actuator ? deviceTarget() : QFlashUpdater::FLASH_MODEM, true);
}

void QFlashController::load_modem_fu()
{
    m_firmwareFileName = m_session->prompts()->getOpenFileName(m_session->dialogParent(),
                                                               tr("Выбор файла прошивки"));
    if (m_firmwareFileName.isEmpty())
        return;
    loadAndFlash(m_firmwareFileName, QFlashUpdater::FLASH_MODEM, false);
}

void QFlashController::load_device_fu()
{
    // Always the user's choice: the partner of a pair follows by itself once the first
    // file is in, so a name left from an earlier flashing is never taken for a new one.
    const QString name = m_session->prompts()->getOpenFileName(m_session->dialogParent(),
                                                               tr("Выбор файла прошивки"));
    if (name.isEmpty())
        return;
    m_firmwareFileName = name;
    loadAndFlash(name, deviceTarget(), false);
}

void QFlashController::endWithOneFile(QOperation *operation, const QString &why)
{
    emit statusMessage(tr("Записан только один файл прошивки: %1").arg(why));
    m_session->complete(operation, true);
}

void QFlashController::flashPartner(QOperation *operation, const QString &fileName)
{
    const QString shown = QDir::toNativeSeparators(fileName);
    // Not every actuator takes a pair: a missing second file is no fault.
    if (!QFileInfo::exists(fileName)) {
        endWithOneFile(operation, tr("парного файла %1 нет").arg(shown));
        return;
    }
    const QFlashUpdater::FirmwareInfo first = m_updater->fileInfo();
    if (!m_updater->loadFile(fileName, deviceTarget())) {
        fileError(fileName);
        endWithOneFile(operation, tr("парный файл %1 не прочитан").arg(shown));
        return;
    }
    const QFlashUpdater::FirmwareInfo second = m_updater->fileInfo();
    const QString version = QModemSession::versionText(second.version());
    if (second.type != first.type || second.board != first.board ||
        second.major * 256 + second.minor < first.major * 256 + first.minor) {
        m_session->prompts()->warning(
            m_session->dialogParent(), tr("Ошибка"),
            tr("Парный файл прошивки не подходит к записанному (другой тип, другая плата или "
               "более старая версия) и не будет записан.\n%1")
                .arg(shown),
            QMessageBox::Ok);
        endWithOneFile(operation, tr("парный файл %1 не подходит").arg(shown));
        return;
    }
    if (m_session->prompts()->question(m_session->dialogParent(), tr("Внимание"),
                                       tr("Первый файл прошивки записан. Загрузить на "
                                          "исполнительное устройство парный файл?\n%1\nВерсия %2.")
                                           .arg(shown, version),
                                       QMessageBox::Yes | QMessageBox::No,
                                       QMessageBox::Yes) != QMessageBox::Yes) {
        endWithOneFile(operation, tr("парный файл %1 пропущен").arg(shown));
        return;
    }
    m_firmwareFileName = fileName;
    m_partnerRunning = true;
    connect(operation, &QOperation::finished, this, [this] { m_partnerRunning = false; });
    checkTarget(operation, deviceTarget(), ConfirmNever,
                [this, operation] { flashIn(operation, deviceTarget()); });
}

QString QFlashController::loadingText(QFlashUpdater::FLASH_DEVICE_T target) const
{
    // In autonomous mode too the image goes to the actuator, whatever carries it.
    return tr("Загрузка прошивки на ") + (target == QFlashUpdater::FLASH_MODEM
                                              ? tr("USB-stick")
                                              : tr("исполнительное устройство"));
}

QString QFlashController::interruptedAdvice(QFlashUpdater::FLASH_DEVICE_T target, bool lineLost)
{
    if (target == QFlashUpdater::FLASH_MODEM)
        return tr("Новая прошивка не применена: USB-stick применяет её только после записи всего "
                  "файла и до тех пор работает с прежней. Повторите запись из того же файла; "
                  "если USB-stick не находится или не отвечает, сначала отключите его от "
                  "компьютера и подключите снова.");
    return lineLost ? tr("Новая прошивка не применена: исполнительное устройство применяет её "
                         "только после записи всего файла и до тех пор работает с прежней. "
                         "Повторите запись из того же файла, когда USB-stick будет найден снова.")
                    : tr("Новая прошивка не применена: исполнительное устройство применяет её "
                         "только после записи всего файла и до тех пор работает с прежней. "
                         "Повторите запись из того же файла.");
}

QOperation *QFlashController::flash_fu(QFlashUpdater::FLASH_DEVICE_T target, Confirm confirm)
{
    if (!m_session->connected())
        return nullptr;
    if (m_updater->messageCount() == 0) {
        m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"),
                                      tr("Ошибка файла прошивки"), QMessageBox::Ok);
        return nullptr;
    }
    QOperation *operation = m_session->beginOrTell(loadingText(target), true);
    if (!operation)
        return nullptr;
    operation->setLostText(tr("Прошивка не записана."));
    checkTarget(operation, target, confirm,
                [this, operation, target] { flashIn(operation, target); });
    return operation;
}

void QFlashController::checkTarget(QOperation *operation, QFlashUpdater::FLASH_DEVICE_T target,
                                   Confirm confirm, const std::function<void()> &next)
{
    if (target == QFlashUpdater::FLASH_MODEM) {
        m_session->proceedModemVersion(operation, [this, operation, confirm, next](bool known) {
            if (!known)
                return;
            if (checkVersion(QFlashUpdater::FLASH_MODEM, m_session->modem().version(), confirm))
                next();
            else
                m_session->complete(operation, false);
        });
        return;
    }
    // The actuator's type and board are asked for in autonomous mode too: a version told
    // earlier may be another actuator's, and a stick's image must never reach it.
    const auto checkDevice = [this, operation, target, confirm, next] {
        m_session->proceedDeviceVersion(
            operation, [this, operation, target, confirm, next](bool known) {
                if (!known)
                    return;
                if (checkVersion(target, m_session->execDevice().version(), confirm))
                    next();
                else
                    m_session->complete(operation, false);
            });
    };
    if (target == QFlashUpdater::FLASH_DEVICE_REMOTE) {
        checkDevice();
        return;
    }
    m_session->proceedDeviceInit(operation, [checkDevice](bool initialised) {
        if (initialised)
            checkDevice();
    });
}

bool QFlashController::checkVersion(QFlashUpdater::FLASH_DEVICE_T target,
                                    const QByteArray &installed, Confirm confirm)
{
    const QFlashUpdater::FirmwareInfo file = m_updater->fileInfo();
    if (installed.size() != 4 || quint8(installed[1]) != file.type ||
        quint8(installed[2]) != file.board) {
        // The first two numbers of a version are its type and board: both named beneath.
        m_session->prompts()->warning(
            m_session->dialogParent(), tr("Ошибка"),
            (target == QFlashUpdater::FLASH_MODEM
                 ? tr("Данный файл прошивки не предназначен для обновления подключенного "
                      "USB-stick")
                 : tr("Данный файл прошивки не предназначен для обновления исполнительного "
                      "устройства")) +
                "\n" + versionsLine(installed),
            QMessageBox::Ok);
        return false;
    }
    return confirmVersion(target, installed, confirm);
}

QString QFlashController::versionsLine(const QByteArray &installed) const
{
    return tr("Установленная версия: %1. Версия в файле: %2.")
        .arg(installed.size() == 4 ? QModemSession::versionText(installed) : tr("неизвестна"),
             QModemSession::versionText(m_updater->fileInfo().version()));
}

bool QFlashController::confirmVersion(QFlashUpdater::FLASH_DEVICE_T target,
                                      const QByteArray &installed, Confirm confirm)
{
    if (confirm == ConfirmNever)
        return true;
    const bool stick = target == QFlashUpdater::FLASH_MODEM;
    const QFlashUpdater::FirmwareInfo file = m_updater->fileInfo();
    const bool known = installed.size() == 4;
    // Unsigned: a major of 128 and above is newer than 1, not older.
    const int current = known ? quint8(installed[0]) * 256 + quint8(installed[3]) : -1;
    const int offered = file.major * 256 + file.minor;
    QString question;
    if (known && current > offered)
        question = stick ? tr("На USB-stick установлена более новая версия прошивки, чем в "
                              "текущем файле. Загрузить на USB-stick старую версию ПО?")
                         : tr("На исполнительном устройстве установлена более новая версия "
                              "прошивки, чем в текущем файле. Загрузить на исполнительное "
                              "устройство старую версию ПО?");
    else if (known && current == offered)
        question = stick ? tr("На USB-stick установлена текущая версия прошивки. Загрузить заново "
                              "на USB-stick текущую версию ПО?")
                         : tr("На исполнительном устройстве установлена текущая версия "
                              "прошивки. Загрузить заново на исполнительное устройство текущую "
                              "версию ПО?");
    else if (confirm == ConfirmAlways)
        question = stick ? tr("Загрузить прошивку из файла на USB-stick?")
                         : tr("Загрузить прошивку из файла на исполнительное устройство?");
    if (question.isEmpty())
        return true;
    // The file's name on a line of its own, after the first: it is never read as markup.
    if (confirm == ConfirmAlways)
        question += "\n" + QDir::toNativeSeparators(m_updater->fileName());
    question += "\n" + versionsLine(installed);
    return m_session->prompts()->question(m_session->dialogParent(), tr("Внимание"), question,
                                          QMessageBox::Yes | QMessageBox::No,
                                          QMessageBox::No) == QMessageBox::Yes;
}

void QFlashController::sendImage(QOperation *operation, QFlashUpdater::FLASH_DEVICE_T target,
                                 const std::function<void(bool)> &then)
{
    bool more = false;
    QRS232Message first = m_updater->firstMessage(&more);
    if (!more) {
        then(false);
        return;
    }
    operation->setProgress(0, m_updater->messageCount());
    operation->setCancelEnabled(true);
    operation->setText(loadingText(target));
    // From the first message on, a lost stick leaves a target with part of an image.
    const QString advice = interruptedAdvice(target, true);
    const QString lost = operation->lostText();
    if (!lost.contains(advice))
        operation->setLostText(lost.isEmpty() ? advice : lost + "\n" + advice);
    auto step = std::make_shared<ImageStep>(m_session, m_updater, operation);
    m_session->proceed(
        operation, TRANSACTION_FLASH,
        [this, first]() mutable {
            m_session->modem().setUpdating(true);
            m_session->sendCommand(first, FLASH_TIMEOUT_FACTOR);
        },
        [this, step, then](bool sent) {
            qCDebug(lcUpdate) << "firmware transfer" << (sent ? "done" : "failed") << "at message"
                              << m_updater->currentIndex() << "of" << m_updater->messageCount();
            then(sent);
        },
        step.get());
}

QOperation *QFlashController::transfer(QFlashUpdater::FLASH_DEVICE_T target)
{
    QOperation *operation = m_session->beginOrTell(loadingText(target), true);
    if (operation)
        sendImage(operation, target, [this, operation](bool sent) {
            if (!sent)
                return;
            m_session->modem().setUpdating(false);
            m_session->complete(operation, true);
        });
    return operation;
}

void QFlashController::flashIn(QOperation *operation, QFlashUpdater::FLASH_DEVICE_T target)
{
    emit updateChecksEnabled(false);
    sendImage(operation, target, [this, operation, target](bool sent) {
        m_session->operationLog()->append(
            OPERATION_FIRMWARE_FLASHED, {}, sent,
            (target == QFlashUpdater::FLASH_MODEM ? tr("USB-stick")
                                                  : tr("исполнительное устройство")) +
                " " + QModemSession::versionText(m_updater->fileInfo().version()));
        if (!sent) {
            // A lost stick has been told of with what stays undone.
            if (m_session->connected())
                m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"),
                                              tr("При обновлении прошивки возникла ошибка") + "\n" +
                                                  interruptedAdvice(target, false),
                                              QMessageBox::Ok);
            emit updateChecksEnabled(true);
            return;
        }
        apply(operation, target);
    });
}

void QFlashController::apply(QOperation *operation, QFlashUpdater::FLASH_DEVICE_T target)
{
    m_session->announce(tr("Прошивка %1 записана в %2")
                            .arg(QModemSession::versionText(m_updater->fileInfo().version()),
                                 target == QFlashUpdater::FLASH_MODEM
                                     ? tr("USB-stick")
                                     : tr("исполнительное устройство")));
    if (target == QFlashUpdater::FLASH_DEVICE_REMOTE) {
        emit updateChecksEnabled(true);
        m_session->complete(operation, true);
        return;
    }
    const bool device = target == QFlashUpdater::FLASH_DEVICE;
    const QFlashUpdater::FirmwareInfo file = m_updater->fileInfo();
    // The stick restarts into its new image and comes back as a new connection.
    if (!device)
        m_session->closeLine();

    const int wait = applyWaitMs(target, file.imageSize);
    emit applyWaitStarted(wait);
    operation->setProgress(0, 0);
    operation->setCancelEnabled(false);
    operation->setText(tr("Ожидание применения прошивки на ") +
                       (device ? tr("исполнительном устройстве") : tr("USB-stick")));
    const int waited = m_applyWaitLimit >= 0 ? qMin(wait, m_applyWaitLimit) : wait;
    // The stick is searched for again once the wait is over, even when its operation was
    // ended meanwhile.
    m_session->hold(operation);
    const QPointer<QOperation> running = operation;
    QTimer::singleShot(waited, this, [this, running, device, file] {
        if (!device) {
            // Checked when the session opens on the stick again, and on every later opening.
            m_session->modem().expectFirmware(true, file.major, file.minor);
            emit updateChecksEnabled(true);
            if (running)
                m_session->complete(running, true);
            m_session->start_autoconnect();
            return;
        }
        if (!running || running->isFinished()) {
            emit updateChecksEnabled(true);
            return;
        }
        checkApplied(running);
    });
}

void QFlashController::checkApplied(QOperation *operation)
{
    // The image is in, whatever the check after finds: the operation went through.
    const bool checked = m_session->proceedDeviceVersion(operation, [this, operation](bool known) {
        emit updateChecksEnabled(true);
        if (!known) {
            m_session->complete(operation, true);
            return;
        }
        const QFlashUpdater::FirmwareInfo file = m_updater->fileInfo();
        const QByteArray v = m_session->execDevice().version();
        if (v.size() != 4 || quint8(v[0]) != file.major || quint8(v[3]) != file.minor) {
            m_session->prompts()->warning(
                m_session->dialogParent(), tr("Внимание"),
                tr("Ошибка применения прошивки на исполнительном устройстве"), QMessageBox::Ok);
            m_session->complete(operation, true);
            return;
        }
        // The first file of a pair is in: its partner follows once, and only it, in the
        // same operation; nothing is left on a timer to start behind the user's back.
        const QString partner = partnerFileName(m_updater->fileName());
        if (m_partnerRunning || partner.isEmpty() || partner == m_updater->fileName()) {
            m_session->complete(operation, true);
            return;
        }
        flashPartner(operation, partner);
    });
    if (!checked)
        emit updateChecksEnabled(true);
}
