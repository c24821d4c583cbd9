// Updates from a server on this machine through a session with the emulated stick and
// actuator, without a window: announcing, checking on request, the changes dialog,
// downloading and flashing.
#include "changesanswer.h"
#include "firmwarefile.h"
#include "modemrig.h"
#include "qflashcontroller.h"
#include "qinterface_manager.h"
#include "qupdatecontroller.h"
#include "qupdatenotice.h"
#include "qwaitdialog.h"
#include "signingkey.h"
#include "stepwatch.h"
#include "updatekeys.h"
#include "updateserver.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>

using vexo::emu::EmulatorState;
using vexo::emu::UpdateServer;
using Kind = ScriptedPrompts::Kind;
using Soft = QUpdateManager::UPDATE_SOFT_T;

namespace
{
const QString STICK_IMAGE = "modem_5813_setup_board_5.bin";

EmulatorState devices()
{
    EmulatorState s;
    s.modemVersion = {2, 1, 5, 7}; // major, type, board, minor
    s.actuatorVersion = {3, 2, 4, 1};
    s.restartMs = 50;
    return s;
}

QWaitDialog *shownWaitDialog()
{
    QWaitDialog *wait = nullptr;
    const bool shown = QTest::qWaitFor([&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QWaitDialog *>(w); d && d->isVisible())
                wait = d;
        return wait != nullptr;
    });
    return shown ? wait : nullptr;
}

struct UpdateRig {
    ModemRig modem{devices()};
    UpdateServer server;
    QTemporaryDir folder;
    QStatusBar bar;
    QFlashController flasher{&modem.session()};
    QUpdateController updates{&modem.session(), &flasher};
    QUpdateManager &manager = updates.manager();
    QStringList dialogs; // title and text of each changes dialog

    UpdateRig()
    {
        flasher.setApplyWaitLimit(300);
        manager.checkTimer()->stop();
        manager.setDownloadFolder(folder.path());
        updates.setNoticeBar(&bar);
        server.publishDemo(devices());
    }
    bool open()
    {
        if (!server.listen() || !modem.open())
            return false;
        updates.setServerAddress(server.address());
        updates.setPublicKey(server.key().publicKeyLine());
        return true;
    }
    void answerChanges(bool yes) { ::answerChanges(yes, &dialogs); }
    // Downloads, and what is left of them.
    QStringList files() const { return QDir(folder.path()).entryList({"update_*"}, QDir::Files); }
    // Neither the server nor the line is still being waited for.
    bool waitIdle()
    {
        return QTest::qWaitFor([this] { return !updates.waiting() && !modem.session().busy(); },
                               60000);
    }
};
} // namespace

class tst_update_session : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void stickUpdateAnnouncedAndFlashed()
    {
        UpdateRig rig;
        QVERIFY(rig.open());
        // The session's versions reach the manager; the actuator's is not read yet.
        QCOMPARE(QString("%1.%2 %3")
                     .arg(rig.manager.major(Soft::UPDATE_SOFT_MODEM))
                     .arg(rig.manager.minor(Soft::UPDATE_SOFT_MODEM))
                     .arg(rig.manager.text(Soft::UPDATE_SOFT_MODEM)),
                 QString("2.7 5"));
        QVERIFY(!rig.manager.versionKnown(Soft::UPDATE_SOFT_DEVICE));

        for (int i = 0; i < 11; ++i)
            rig.manager.slotTimerTick();
        QUpdateNotice *notice = rig.updates.notice();
        QTRY_VERIFY(notice->isVisibleTo(&rig.bar));
        QCOMPARE(notice->text(), QString("Доступно интернет-обновление прошивки USB-stick 5813. "
                                         "Чтобы приступить к обновлению, нажмите здесь клавишей "
                                         "мыши"));
        QVERIFY(notice->isClickable());

        rig.answerChanges(true);
        notice->messageButton()->click();
        QVERIFY(rig.waitIdle());
        QVERIFY(!notice->isVisibleTo(&rig.bar));
        QCOMPARE(rig.dialogs.value(0), QString("<h3>Изменения, реализованные в новой версии "
                                               "прошивки USB-stick:<br></h3>"));
        QVERIFY(rig.dialogs.value(1).startsWith("Версия 2.8\nДобавлено: "));
        // Flashed, then the stick restarts with it and the session opens again.
        QVERIFY(rig.modem.emulator().lastFirmware().complete);
        QVERIFY(rig.modem.waitOpenings(2));
        QCOMPARE(rig.manager.minor(Soft::UPDATE_SOFT_MODEM), 8);
        QVERIFY(rig.manager.changes(Soft::UPDATE_SOFT_MODEM).isEmpty()); // they were for 2.7
        QCOMPARE(rig.files(), QStringList());
        QCOMPARE(rig.server.requestCount(STICK_IMAGE), 1);
        QVERIFY(rig.manager.checkEnabled());
        QVERIFY2(rig.modem.prompts().done(), qPrintable(rig.modem.prompts().report()));
    }

    void actuatorUpdateOnRequest()
    {
        UpdateRig rig;
        QVERIFY(rig.open());
        rig.answerChanges(true);
        rig.updates.checkOnRequest(Soft::UPDATE_SOFT_DEVICE);
        QVERIFY(rig.waitIdle());
        QVERIFY(rig.dialogs.value(0).contains("прошивки исполнительного устройства:"));
        QCOMPARE(rig.modem.requests(CMD_FLASH_END), 1);
        QCOMPARE(rig.modem.emulator().lastFirmware().target, 1);
        QCOMPARE(rig.manager.minor(Soft::UPDATE_SOFT_DEVICE), 2);
        QCOMPARE(rig.files(), QStringList());
        // Asked again: nothing newer now.
        rig.modem.prompts().expectMessage(Kind::Information, "Информация", QMessageBox::Ok);
        rig.updates.checkOnRequest(Soft::UPDATE_SOFT_DEVICE);
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.modem.prompts().texts().last(),
                 QString("Уже установлена последняя версия прошивки."));
        QVERIFY2(rig.modem.prompts().done(), qPrintable(rig.modem.prompts().report()));
    }

    void stickImageServedForTheActuatorIsRefused()
    {
        UpdateRig rig;
        QVERIFY(rig.open());
        QVERIFY(operationwait::succeeds(rig.modem.session().get_device_version()));
        rig.modem.session().setRemoteMode(true);
        // Validly signed, newer, but the stick's: in autonomous mode as in the normal one.
        rig.server.setFile("device_5813_setup_board_4.bin",
                           vexo::emu::FirmwareFile::forTarget(devices(), 0, 3, 9, 1000).toBytes());
        rig.answerChanges(true);
        rig.modem.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        rig.updates.checkOnRequest(Soft::UPDATE_SOFT_DEVICE);
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.modem.prompts().texts().last(),
                 QString("Данный файл прошивки не предназначен для обновления исполнительного "
                         "устройства\nУстановленная версия: 2.4.3.1. Версия в файле: 1.5.3.9."));
        QCOMPARE(rig.modem.requests(CMD_FLASH_START), 0);
        QVERIFY2(rig.modem.prompts().done(), qPrintable(rig.modem.prompts().report()));
    }

    void declinedOrBrokenDownloadFlashesNothing()
    {
        UpdateRig rig;
        QVERIFY(rig.open());
        QVERIFY(rig.manager.requestVersionFile(Soft::UPDATE_SOFT_MODEM));
        QTRY_COMPARE(rig.manager.changes(Soft::UPDATE_SOFT_MODEM).size(), 4);

        rig.answerChanges(false);
        rig.updates.update_modem_soft();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.dialogs.size(), 2);
        QCOMPARE(rig.server.requestCount(STICK_IMAGE), 0);

        // An old download lies there; the cut one neither keeps it nor leaves a part.
        QFile old(rig.manager.downloadPath(Soft::UPDATE_SOFT_MODEM));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        for (int cut : {1000, -1}) {
            if (cut >= 0)
                rig.server.cutFile(STICK_IMAGE, cut);
            else
                rig.server.removeFile(STICK_IMAGE);
            rig.modem.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
            rig.answerChanges(true);
            rig.updates.update_modem_soft();
            QVERIFY(rig.waitIdle());
            QCOMPARE(rig.modem.prompts().texts().last(),
                     QString("Ошибка загрузки обновления с сервера. Проверьте ваше подключение "
                             "к интернету"));
            QCOMPARE(rig.files(), QStringList());
        }
        // A download the user cancels while the server stalls: nothing said, nothing kept.
        rig.server.publishDemo(devices());
        rig.server.stallFile(STICK_IMAGE);
        rig.answerChanges(true);
        rig.updates.update_modem_soft();
        QTRY_COMPARE(rig.server.requestCount(STICK_IMAGE), 3);
        QWaitDialog *wait = shownWaitDialog();
        QVERIFY(wait);
        wait->reject();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.modem.prompts().calls().size(), 2);
        QCOMPARE(rig.files(), QStringList());
        QCOMPARE(rig.server.requestCount(STICK_IMAGE), 3);
        QCOMPARE(rig.modem.requests(CMD_FLASH_START), 0);
        QVERIFY(rig.manager.checkEnabled());
        QVERIFY2(rig.modem.prompts().done(), qPrintable(rig.modem.prompts().report()));
    }

    void theLineIsHeldForADownloadThatFlashes()
    {
        UpdateRig rig;
        QVERIFY(rig.open());
        ScriptedPrompts &prompts = rig.modem.prompts();
        QVERIFY(operationwait::succeeds(rig.manager.requestVersionFile(Soft::UPDATE_SOFT_MODEM)));
        rig.server.stallFile(STICK_IMAGE);
        rig.answerChanges(true);
        rig.updates.update_modem_soft();
        QTRY_COMPARE(rig.server.requestCount(STICK_IMAGE), 1);
        // Nothing else starts on the line while the image it is for comes.
        const QPointer<QOperation> held = rig.modem.session().currentOperation();
        QVERIFY(held);
        QCOMPARE(held->text(), QString("Загрузка обновления программы из интернета..."));
        QCOMPARE(operationwait::outcome(rig.modem.session().get_modem_version()),
                 QOperation::Refused);
        // The stick goes: said once, and the download ends with nothing kept or flashed.
        prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        rig.modem.emulator().closeLine();
        QVERIFY(rig.waitIdle());
        QVERIFY(!held);
        QCOMPARE(prompts.texts(), QStringList{"Usb-stick не отвечает. Проверьте подключение."});
        QTRY_VERIFY(rig.manager.findChildren<QUpdateRequest *>().isEmpty());
        QCOMPARE(rig.files(), QStringList());
        QCOMPARE(rig.modem.requests(CMD_FLASH_START), 0);
        QVERIFY(rig.manager.checkEnabled());
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    }

    void stickLostDuringAnInternetFlashKeepsTheFile()
    {
        UpdateRig rig;
        QVERIFY(rig.open());
        QVERIFY(rig.manager.requestVersionFile(Soft::UPDATE_SOFT_MODEM));
        QTRY_COMPARE(rig.manager.changes(Soft::UPDATE_SOFT_MODEM).size(), 4);
        rig.modem.session().interfaceManager()->set_ack_timeout(200);
        int steps = 0;
        StepWatch watch(&rig.modem.session(), [&] {
            if (++steps == 5)
                rig.modem.emulator().dropAnswers(1000000);
        });
        rig.answerChanges(true);
        rig.modem.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        rig.updates.update_modem_soft();
        QVERIFY(rig.waitIdle());
        rig.modem.emulator().clearFaults();
        // Not flashed: the download stays for flashing from the file, and one message says
        // where it is.
        const QString path = rig.manager.downloadPath(Soft::UPDATE_SOFT_MODEM);
        QVERIFY(QFile::exists(path));
        QCOMPARE(
            rig.modem.prompts().texts(),
            QStringList{"Usb-stick не отвечает. Проверьте подключение.\nПрошивка не "
                        "записана. Загруженный файл сохранён: " +
                        QDir::toNativeSeparators(path) + "\n" +
                        QFlashController::interruptedAdvice(QFlashUpdater::FLASH_MODEM, true)});
        QVERIFY(rig.modem.waitOpenings(2));
        QVERIFY2(rig.modem.prompts().done(), qPrintable(rig.modem.prompts().report()));
    }

    void aCutFlashKeepsTheDownload()
    {
        UpdateRig rig;
        QVERIFY(rig.open());
        QVERIFY(rig.manager.requestVersionFile(Soft::UPDATE_SOFT_MODEM));
        QTRY_COMPARE(rig.manager.changes(Soft::UPDATE_SOFT_MODEM).size(), 4);
        int steps = 0;
        StepWatch watch(&rig.modem.session(), [&] {
            if (++steps == 5)
                QTimer::singleShot(0, &rig.bar,
                                   [&] { rig.modem.session().currentOperation()->cancel(); });
        });
        ScriptedPrompts &prompts = rig.modem.prompts();
        rig.answerChanges(true);
        prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok)
            .expectMessage(Kind::Information, "Информация", QMessageBox::Ok);
        rig.updates.update_modem_soft();
        QVERIFY(rig.waitIdle());
        QVERIFY(!rig.modem.emulator().lastFirmware().complete);
        // Kept for another try, and the user is told where and how.
        const QString path = rig.manager.downloadPath(Soft::UPDATE_SOFT_MODEM);
        QVERIFY(QFile::exists(path));
        QCOMPARE(prompts.texts().last(),
                 "Загруженный файл прошивки сохранён: " + QDir::toNativeSeparators(path) +
                     "\nЕго можно записать снова командой «Обновить прошивку USB-stick из "
                     "файла...».");
        // It is the file that was offered: flashed from it, the stick takes it.
        prompts.expectMessage(Kind::Question, "Внимание", QMessageBox::Yes);
        QVERIFY(operationwait::succeeds(rig.flasher.flashFile(path, false)));
        QVERIFY(rig.modem.emulator().lastFirmware().complete);
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    }

    void theServersWordIsDatedAndNeverTakenBack()
    {
        UpdateRig rig;
        QVERIFY(rig.open());
        ScriptedPrompts &prompts = rig.modem.prompts();
        const QString file = "modem_version_5813_ru.txt";
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        const qint64 day = 24 * 3600;
        const QString outdated = "Сведения на сервере обновлений устарели: они подписаны %1, "
                                 "более 90 дней назад. Более новые версии могут быть от вас "
                                 "скрыты; сообщите об этом поставщику.";
        const auto signedOn = [&](qint64 at) {
            return QLocale().toString(QDateTime::fromSecsSinceEpoch(at).date(),
                                      QLocale::ShortFormat);
        };

        // Over 90 days old: still offered, and the check on request says it is out of date.
        rig.server.setFile(file, "2.7\n2.8\n+ new\n", UpdateServer::comment(file, now - 100 * day));
        prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Ok);
        rig.answerChanges(false);
        rig.updates.checkOnRequest(Soft::UPDATE_SOFT_MODEM);
        QVERIFY(rig.waitIdle());
        QCOMPARE(prompts.texts().last(), outdated.arg(signedOn(now - 100 * day)));
        QCOMPARE(rig.dialogs.size(), 2);
        // "The latest" is said with it too.
        rig.server.setFile(file, "2.7\n", UpdateServer::comment(file, now - 95 * day));
        prompts.expectMessage(Kind::Information, "Информация", QMessageBox::Ok);
        rig.updates.checkOnRequest(Soft::UPDATE_SOFT_MODEM);
        QVERIFY(rig.waitIdle());
        QCOMPARE(prompts.texts().last(), "Уже установлена последняя версия прошивки.\n\n" +
                                             outdated.arg(signedOn(now - 95 * day)));

        // An older file served again: not taken, said on request, silent for the timer.
        rig.server.setFile(file, "2.7\n2.8\n+ new\n", UpdateServer::comment(file, now - 96 * day));
        prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        rig.updates.checkOnRequest(Soft::UPDATE_SOFT_MODEM);
        QVERIFY(rig.waitIdle());
        QCOMPARE(prompts.texts().last(),
                 QString("Сведения об обновлении с сервера старше уже полученных ранее и не "
                         "приняты."));
        QVERIFY(rig.manager.changes(Soft::UPDATE_SOFT_MODEM).isEmpty());
        rig.manager.resetCheck(Soft::UPDATE_SOFT_MODEM);
        for (int i = 0; i < 61; ++i)
            rig.manager.slotTimerTick();
        QTRY_COMPARE(rig.manager.lastError(), QUpdateRequest::ERROR_REPLAYED);
        // The error ended the request, and nothing follows it without another tick.
        QVERIFY(!rig.manager.busy());
        QVERIFY(!rig.updates.notice()->isVisibleTo(&rig.bar));
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    }

    void keysComeOnlyFromTheProgramOrAnAdministrator()
    {
        UpdateRig rig;
        QVERIFY(rig.open());
        ScriptedPrompts &prompts = rig.modem.prompts();
        // A settings file that names a server and a key of its own: the server is taken,
        // the key is not.
        QTemporaryDir home;
        QSettings settings(home.filePath("settings.ini"), QSettings::IniFormat);
        settings.setValue(QString(QUpdateController::ServerSettingKey), rig.server.address());
        settings.setValue(QString(QUpdateController::KeySettingKey),
                          rig.server.key().publicKeyLine());
        rig.updates.loadSettings(settings);
        QCOMPARE(rig.manager.fetcher().serverAddress(), rig.server.address());
        const bool builtIn = !QUpdateFetcher::builtInPublicKey().isEmpty();
        prompts.expectMessage(builtIn ? Kind::Warning : Kind::Information,
                              builtIn ? "Ошибка" : "Информация", QMessageBox::Ok);
        rig.updates.checkOnRequest(Soft::UPDATE_SOFT_MODEM);
        QVERIFY(rig.waitIdle());
        if (!builtIn)
            QCOMPARE(prompts.texts().last(),
                     QString("Ключ проверки подписи обновлений не задан: обновления не "
                             "загружаются.\nКлюч в настройках пользователя не принимается: кроме "
                             "встроенного ключа, доверенные ключи берутся только из %1, куда "
                             "может писать лишь администратор.")
                         .arg(QDir::toNativeSeparators(updatekeys::systemPlace())));
        QVERIFY(rig.manager.changes(Soft::UPDATE_SOFT_MODEM).isEmpty());

        // Signed by a key the program does not know: the user's administrator learns
        // which key (its id as the signing tool prints it) and where trusted keys go.
        rig.updates.setPublicKey(vexo::emu::SigningKey().publicKeyLine());
        QByteArray id =
            QByteArray::fromBase64(rig.server.key().publicKeyLine().toLatin1()).mid(2, 8);
        std::reverse(id.begin(), id.end());
        prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        rig.updates.checkOnRequest(Soft::UPDATE_SOFT_MODEM);
        QVERIFY(rig.waitIdle());
        QCOMPARE(prompts.texts().last(),
                 QString("Сведения об обновлении с сервера не прошли проверку подписи и не "
                         "приняты.\nФайл подписан ключом %1, которому программа не доверяет. "
                         "Кроме встроенного ключа, доверенные ключи берутся только из %2, куда "
                         "может писать лишь администратор.")
                     .arg(QString(id.toHex().toUpper()),
                          QDir::toNativeSeparators(updatekeys::systemPlace())));
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    }

    void announcementsAndExchanges()
    {
        UpdateRig rig;
        QUpdateNotice *notice = rig.updates.notice();
        // Not connected: the program's update is announced all the same.
        rig.updates.need_update_soft(Soft::UPDATE_SOFT_PC);
        QVERIFY(rig.waitIdle());
        QCOMPARE(notice->text(), QString("Доступно интернет-обновление программы. Чтобы "
                                         "приступить к обновлению, нажмите здесь клавишей мыши"));
        QVERIFY(rig.open());
        rig.updates.need_update_soft(Soft::UPDATE_SOFT_DEVICE);
        QVERIFY(rig.waitIdle());
        QCOMPARE(notice->text(), QString("Доступно интернет-обновление прошивки исполнительного "
                                         "устройства. Чтобы приступить к обновлению, нажмите "
                                         "здесь клавишей мыши"));
        // The notice leads to its own kind: nothing found for it yet.
        rig.modem.prompts().expectMessage(Kind::Information, "Информация", QMessageBox::Ok);
        notice->messageButton()->click();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.modem.prompts().texts().last(),
                 QString("Уже установлена последняя версия прошивки."));

        // While an exchange runs nothing is announced or installed; the kind is checked
        // again a minute later.
        rig.manager.setVersion(Soft::UPDATE_SOFT_PC, 0, 40, "e");
        for (Soft kind : {Soft::UPDATE_SOFT_PC, Soft::UPDATE_SOFT_MODEM})
            QVERIFY(operationwait::succeeds(rig.manager.requestVersionFile(kind)));
        QCOMPARE(rig.manager.cycleFlag(Soft::UPDATE_SOFT_MODEM), 2);
        notice->hide();
        rig.modem.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        rig.modem.emulator().delayAnswers(1, 1500);
        int countdown = -1;
        bool shown = true;
        QTimer::singleShot(300, &rig.bar, [&] {
            rig.updates.need_update_soft(Soft::UPDATE_SOFT_PC);
            shown = notice->isVisibleTo(&rig.bar);
            rig.updates.update_modem_soft();
            countdown = rig.manager.countdown();
        });
        QVERIFY(operationwait::succeeds(rig.modem.session().get_modem_version()));
        QVERIFY(!shown);
        QCOMPARE(rig.modem.prompts().texts().last(),
                 QString("Операция обновления программного обеспечения невозможна во время "
                         "обмена данным с usb-stick либо исполнительным устройством"));
        QCOMPARE(countdown, 60);
        QCOMPARE(rig.manager.cycleFlag(Soft::UPDATE_SOFT_MODEM), 0);
        QCOMPARE(rig.manager.cycleFlag(Soft::UPDATE_SOFT_PC), 0);

        // A failed check by the timer says so; the notice then leads nowhere.
        rig.server.removeFile("modem_version_5813_ru.txt");
        rig.manager.checkTimer()->start(1);
        QTRY_VERIFY(notice->isVisibleTo(&rig.bar));
        rig.manager.checkTimer()->stop();
        QCOMPARE(notice->text(), QString("Нет связи с сервером. Невозможно проверить "
                                         "необходимость обновления программы"));
        QVERIFY(!notice->isClickable());

        // The tray's balloon leads where the notice does: nowhere after a failed check, to
        // the kind announced after an announcement.
        QSystemTrayIcon tray;
        rig.updates.setTrayIcon(&tray);
        emit tray.messageClicked();
        rig.updates.need_update_soft(Soft::UPDATE_SOFT_DEVICE);
        rig.modem.prompts().expectMessage(Kind::Information, "Информация", QMessageBox::Ok);
        emit tray.messageClicked();
        QCOMPARE(rig.modem.prompts().texts().last(),
                 QString("Уже установлена последняя версия прошивки."));
        QVERIFY2(rig.modem.prompts().done(), qPrintable(rig.modem.prompts().report()));
    }

    void untrustedOrOlderFirmwareIsNotFlashed()
    {
        UpdateRig rig;
        QVERIFY(rig.open());
        ScriptedPrompts &prompts = rig.modem.prompts();
        QVERIFY(rig.manager.requestVersionFile(Soft::UPDATE_SOFT_MODEM));
        QTRY_COMPARE(rig.manager.changes(Soft::UPDATE_SOFT_MODEM).size(), 4);

        // Tampered on the server: deleted, said with its name, nothing sent to the stick.
        rig.server.tamperFile(STICK_IMAGE);
        prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        rig.answerChanges(true);
        rig.updates.update_modem_soft();
        QVERIFY(rig.waitIdle());
        QCOMPARE(prompts.texts().last(),
                 "Файл " + STICK_IMAGE +
                     " с сервера обновлений не прошёл проверку подписи и удалён. Ничего не "
                     "установлено.");
        QCOMPARE(rig.files(), QStringList());

        // Signed, but older than the stick runs: asked, naming both, "Нет" by default.
        const EmulatorState s = devices();
        rig.server.setFile(STICK_IMAGE,
                           vexo::emu::FirmwareFile::forTarget(s, 0, 2, 6, 1000).toBytes());
        prompts.expectMessage(Kind::Question, "Внимание", QMessageBox::No);
        rig.answerChanges(true);
        rig.updates.update_modem_soft();
        QVERIFY(rig.waitIdle());
        QCOMPARE(prompts.calls().last().text.section('\n', 1),
                 QString("Установленная версия: 1.5.2.7. Версия в файле: 1.5.2.6."));
        QCOMPARE(prompts.calls().last().defaultButton, QMessageBox::No);
        QCOMPARE(rig.modem.requests(CMD_FLASH_START), 0);
        QCOMPARE(rig.files(), QStringList());

        // A version file that fails its check by the timer: no notice, no message.
        rig.server.tamperFile("modem_version_5813_ru.txt");
        rig.manager.resetCheck(Soft::UPDATE_SOFT_MODEM);
        for (int i = 0; i < 61; ++i)
            rig.manager.slotTimerTick();
        QTRY_VERIFY(!rig.manager.busy());
        QCOMPARE(rig.manager.lastError(), QUpdateRequest::ERROR_SIGNATURE);
        // The error ended the request, and nothing follows it without another tick.
        QVERIFY(!rig.manager.busy());
        QVERIFY(!rig.updates.notice()->isVisibleTo(&rig.bar));
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    }

    void noticeEndsOnceInstalledFromAFile()
    {
        UpdateRig rig;
        QVERIFY(rig.open());
        rig.updates.need_update_soft(Soft::UPDATE_SOFT_MODEM);
        QTRY_VERIFY(rig.updates.notice()->isVisibleTo(&rig.bar));
        const QString path = rig.folder.filePath("stick.bin");
        QVERIFY(vexo::emu::FirmwareFile::forTarget(devices(), 0, 2, 8, 500).save(path, nullptr));
        rig.modem.prompts().expectMessage(Kind::Question, "Внимание", QMessageBox::Yes);
        QVERIFY(
            operationwait::succeeds(rig.flasher.loadAndFlash(path, QFlashUpdater::FLASH_MODEM)));
        QVERIFY(rig.modem.waitOpenings(2));
        QTRY_VERIFY(!rig.updates.notice()->isVisibleTo(&rig.bar));
        QVERIFY2(rig.modem.prompts().done(), qPrintable(rig.modem.prompts().report()));
    }

    void checksThatCannotBeMade()
    {
        UpdateRig rig;
        QVERIFY(rig.open());
        QSignalSpy requests(&rig.server, &UpdateServer::requested);
        ScriptedPrompts &prompts = rig.modem.prompts();
        rig.updates.setServerAddress("");
        prompts.expectMessage(Kind::Information, "Информация", QMessageBox::Ok);
        rig.updates.checkOnRequest(Soft::UPDATE_SOFT_MODEM);
        QVERIFY(rig.waitIdle());
        QCOMPARE(prompts.texts().last(), QString("Сервер обновлений не настроен."));
        rig.updates.setServerAddress("http://updates.example.com");
        prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        rig.updates.checkOnRequest(Soft::UPDATE_SOFT_MODEM);
        QVERIFY(rig.waitIdle());
        QVERIFY(prompts.texts().last().contains("http://updates.example.com"));
        // A server but no key to check its files with: said, nothing asked.
        rig.updates.setServerAddress(rig.server.address());
        rig.updates.setPublicKey("");
        prompts.expectMessage(Kind::Information, "Информация", QMessageBox::Ok);
        rig.updates.checkOnRequest(Soft::UPDATE_SOFT_MODEM);
        QVERIFY(rig.waitIdle());
        QCOMPARE(prompts.texts().last(), QString("Ключ проверки подписи обновлений не задан: "
                                                 "обновления не загружаются."));
        rig.updates.setPublicKey(rig.server.key().publicKeyLine());

        // Missing on the server, or a server that never answers: a warning, no notice.
        rig.updates.setServerAddress(rig.server.address());
        rig.server.removeFile("modem_version_5813_ru.txt");
        rig.manager.fetcher().setTransferTimeout(300);
        for (int stalled : {0, 1}) {
            if (stalled)
                rig.server.stallFile("modem_version_5813_ru.txt");
            prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
            rig.updates.checkOnRequest(Soft::UPDATE_SOFT_MODEM);
            QVERIFY(rig.waitIdle());
            QCOMPARE(prompts.texts().last(),
                     QString("Ошибка загрузки сведений об обновлении с сервера. Проверьте ваше "
                             "подключение к интернету"));
        }
        QCOMPARE(requests.size(), 2);
        // Waiting for a silent server: Cancel ends the check at once, with nothing to say.
        rig.manager.fetcher().setTransferTimeout(30000);
        rig.updates.checkOnRequest(Soft::UPDATE_SOFT_MODEM);
        QWaitDialog *wait = shownWaitDialog();
        QVERIFY(wait);
        wait->reject();
        QVERIFY(rig.waitIdle());
        QVERIFY(rig.manager.findChildren<QUpdateRequest *>().isEmpty());
        QVERIFY(!rig.updates.notice()->isVisibleTo(&rig.bar));
        QVERIFY(rig.manager.checkEnabled());
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    }
};

QTEST_MAIN(tst_update_session)
#include "tst_update_session.moc"
