#pragma once

#include "qflashupdater.h"

#include <QObject>
#include <QString>

class QModemSession;

// Flashes firmware files into the USB-stick and the actuator: checks a file against
// its target, carries it behind a progress dialog, waits while the target applies it
// and checks the version the target then reports. Owns the firmware updater and the
// flashing transaction's step.
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

    // Sends what the updater holds behind the progress dialog; true when the target took
    // every message. No checks, no apply wait.
    bool transfer(QFlashUpdater::FLASH_DEVICE_T target);

signals:
    // Update checks must not run from the start of a transfer to the end of its check.
    void updateChecksEnabled(bool on);
    // The target applies the image now; ms as computed for its size.
    void applyWaitStarted(int ms);

public slots:
    void load_modem_fu();
    void load_device_fu();
    // Checks what the updater holds against the target and flashes it; true once the
    // target took the image.
    bool flash_fu(QFlashUpdater::FLASH_DEVICE_T target = QFlashUpdater::FLASH_MODEM);

private:
    bool check_target(QFlashUpdater::FLASH_DEVICE_T target);
    void apply(QFlashUpdater::FLASH_DEVICE_T target);
    bool load_and_flash(const QString &fileName, QFlashUpdater::FLASH_DEVICE_T target,
                        bool nameInMessage);
    void flash_partner(const QString &fileName);
    void file_error(const QString &fileName);
    QFlashUpdater::FLASH_DEVICE_T device_target() const;
    void register_step();

    QModemSession *m_session;
    QFlashUpdater *m_updater;
    QString m_firmwareFileName;
    int m_applyWaitLimit = -1;
    // The second file of a pair is being flashed: it has no partner of its own.
    bool m_partnerRunning = false;
};
