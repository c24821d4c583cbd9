#pragma once

#include "qflashupdater.h"

#include <QObject>
#include <QString>

#include <functional>

class QModemSession;
class QOperation;

// Flashes firmware files into the USB-stick and the actuator as one operation: checks a
// file against its target, carries it with its progress, waits while the target applies
// it, checks the version the target then reports, and flashes the partner file of a
// pair. Owns the firmware updater and the flashing transaction's step.
class QFlashController : public QObject
{
    Q_OBJECT
public:
    explicit QFlashController(QModemSession *session, QObject *parent = nullptr);
    ~QFlashController() override;

    QFlashUpdater &updater() { return *m_updater; }
    // The last chosen or set firmware file.
    QString firmwareFileName() const { return m_firmwareFileName; }
    void setFirmwareFileName(const QString &name) { m_firmwareFileName = name; }

    // How long a target needs to apply an image of this size; none in autonomous mode.
    static int applyWaitMs(QFlashUpdater::FLASH_DEVICE_T target, quint32 imageSize);
    // Caps the apply wait actually waited; the computed one is still announced. < 0: none.
    void setApplyWaitLimit(int ms) { m_applyWaitLimit = ms; }
    // The other file of an actuator's pair: 4 and 3 swapped in the file's own name only.
    static QString partnerFileName(const QString &path);
    // What a transfer that broke off leaves and what to do next; lineLost: the stick
    // stopped answering or vanished.
    static QString interruptedAdvice(QFlashUpdater::FLASH_DEVICE_T target, bool lineLost);

    // Loads a file the user chose and flashes it once the user agrees; null when none
    // was started (each reason said).
    QOperation *loadAndFlash(const QString &fileName, QFlashUpdater::FLASH_DEVICE_T target,
                             bool nameInMessage = true);

    // Sends what the updater holds as an operation of its own that succeeds when the
    // target took every message. No checks, no apply wait.
    QOperation *transfer(QFlashUpdater::FLASH_DEVICE_T target);

    // When to ask before flashing, naming both versions: before an older or the same
    // version only (the user chose the update already), before any file the user chose,
    // or never (the second file of a pair, asked for on its own).
    enum Confirm { ConfirmNotNewer, ConfirmAlways, ConfirmNever };
    Q_ENUM(Confirm)

signals:
    // Update checks must not run from the start of a transfer to the end of its check.
    void updateChecksEnabled(bool on);
    // The target applies the image now; ms as computed for its size.
    void applyWaitStarted(int ms);
    // For the status bar: what an operation did that the user should know of.
    void statusMessage(const QString &text);

public slots:
    void load_modem_fu();
    void load_device_fu();
    // Checks what the updater holds against the target and flashes it. The operation
    // succeeds once the target took the image; null when none was started (no stick, a
    // file with nothing to send, another operation running: each said).
    QOperation *flash_fu(QFlashUpdater::FLASH_DEVICE_T target = QFlashUpdater::FLASH_MODEM,
                         QFlashController::Confirm confirm = ConfirmNotNewer);
    // Loads a firmware file and flashes it into the stick, or into the actuator (its
    // partner file following); null when none was started (as flash_fu, or the file is no
    // firmware: said).
    QOperation *flashFile(const QString &fileName, bool actuator);

private:
    QString loadingText(QFlashUpdater::FLASH_DEVICE_T target) const;
    // Runs next within operation once the file suits the target; otherwise it ends.
    void checkTarget(QOperation *operation, QFlashUpdater::FLASH_DEVICE_T target, Confirm confirm,
                     const std::function<void()> &next);
    // The loaded file against the version the target reports (stored order: major,
    // type, board, minor); false when it does not suit the target or the user declined.
    bool checkVersion(QFlashUpdater::FLASH_DEVICE_T target, const QByteArray &installed,
                      Confirm confirm);
    // The installed version and the file's, as one line beneath a question or a refusal.
    QString versionsLine(const QByteArray &installed) const;
    bool confirmVersion(QFlashUpdater::FLASH_DEVICE_T target, const QByteArray &installed,
                        Confirm confirm);
    void sendImage(QOperation *operation, QFlashUpdater::FLASH_DEVICE_T target,
                   const std::function<void(bool sent)> &then);
    void flashIn(QOperation *operation, QFlashUpdater::FLASH_DEVICE_T target);
    void apply(QOperation *operation, QFlashUpdater::FLASH_DEVICE_T target);
    void checkApplied(QOperation *operation);
    void flashPartner(QOperation *operation, const QString &fileName);
    // The pair ends after its first file; the status bar says why.
    void endWithOneFile(QOperation *operation, const QString &why);
    void fileError(const QString &fileName);
    QFlashUpdater::FLASH_DEVICE_T deviceTarget() const;
    class ImageStep;

    QModemSession *m_session;
    QFlashUpdater *m_updater;
    QString m_firmwareFileName;
    int m_applyWaitLimit = -1;
    // The second file of a pair is being flashed: it has no partner of its own.
    bool m_partnerRunning = false;
    // Messages of the running transfer sent so far, the first one not counted.
};
