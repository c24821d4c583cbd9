#include "commands.h"
#include "qadddevicedialog.h"
#include "qinterface_manager.h"
#include "qmodemsession.h"
#include "tablerig.h"
#include "tableview.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using vexo::emu::EmulatorRemote;
using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;

namespace
{
EmulatorState twoRemotes(quint8 functions = 0)
{
    EmulatorState s;
    s.functions = functions;
    s.modemRemotes = {{0x0A0B0C, 1, true, 0, "Иванов"}, {0x102030, 2, false, 0, "Петров"}};
    s.actuatorRemotes = s.modemRemotes;
    return s;
}

QAddDeviceDialog *wizard()
{
    return UiScript::shown<QAddDeviceDialog>();
}

void applyOwner(const QString &owner)
{
    wizard()->findChild<QComboBox *>("comboBox_owner")->setEditText(owner);
    wizard()->findChild<QPushButton *>("pushButton_owner")->click();
}

// True once the registration and the operations it set going have ended.
bool registrationEnds(TableRig &rig)
{
    return QTest::qWaitFor([&] { return !rig.table->search().active(); }, 60000);
}

// From the poll the stick answered with this remote to the next poll, in ms.
qint64 pollGapAfter(const vexo::emu::Emulator &emu, quint32 id)
{
    qint64 heard = -1;
    for (const auto &e : emu.frameLog())
        if (e.text.contains(QString("heard remote %1,").arg(id)))
            heard = e.msecs;
    for (const auto &poll : requestsOf(emu, CMD_GET_FOUND_REMOTE))
        if (heard >= 0 && poll.first > heard)
            return poll.first - heard;
    return -1;
}
} // namespace

// The add-remote wizard over the emulated stick: listening, refusals, the owner's name,
// and the stick back in normal mode however the wizard ends.
class tst_wizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TableRig::useTemporaryHome(); }

    void pollsUntilHeardAndWritesTheNewRemote()
    {
        TableRig rig(twoRemotes());
        QVERIFY(rig.open());
        QString address;
        UiScript script;
        script.when([&] { return rig.requests(CMD_GET_FOUND_REMOTE) >= 5; },
                    [&] { rig.emulator.pressRemote(0x123456, 5); });
        script.when(wizard, [&] {
            address = wizard()->findChild<QLabel *>("label_address")->text();
            applyOwner("Новиков");
        });
        rig.table->search().add_button_clicked();
        QVERIFY(registrationEnds(rig));
        QVERIFY(script.done());

        // Nothing heard: the next poll half a second after each answer.
        const auto polls = requestsOf(rig.emulator, CMD_GET_FOUND_REMOTE);
        for (int i = 1; i < 5; ++i) {
            const qint64 gap = polls[i].first - polls[i - 1].first;
            QVERIFY2(gap >= 450 && gap < 3000, qPrintable(QString::number(gap)));
        }
        // The high byte is the group; the address shows the low 24 bits in decimal.
        QCOMPARE(address, QString("Адрес 1193046"));
        const EmulatorRemote added{0x123456, 5, true, 0, "Новиков"};
        QCOMPARE(rig.emulator.state().actuatorRemotes.last(), added);
        QCOMPARE(targetsOf(rig.emulator, CMD_WRITE_REMOTE), QList<int>{TARGET_DEVICE});
        QCOMPARE(rig.table->list().remotes().last(),
                 QControlDevice(nullptr, 0x123456, 5, "Новиков"));
        QCOMPARE(tableview::rows(rig.widgets.table), 3);
        QVERIFY(!rig.table->list().isDatabaseSaved());
        QCOMPARE(rig.table->search().owners(), QStringList{"Новиков"});
        QCOMPARE(rig.emulator.state().modemMode, quint8(1));
        QVERIFY(!rig.session->modem().listening());
        QVERIFY(rig.prompts.done());
    }

    void refusesRegisteredAndErasedRemotesCancelWritesNothing()
    {
        TableRig rig(twoRemotes());
        QVERIFY(rig.open());
        QString refusal;
        int polls = 0;
        UiScript script;
        script.when([&] { return rig.requests(CMD_GET_FOUND_REMOTE) >= 1; },
                    [&] { rig.emulator.pressRemote(0x0A0B0C, 9); });
        script.when([] { return UiScript::waitText().contains("уже"); },
                    [&] { refusal = UiScript::waitText(); });
        script.when([] { return UiScript::waitText().contains("Поиск нового"); },
                    [&] {
                        rig.emulator.pressRemote(0xFFFFFF, 0);
                        polls = rig.requests(CMD_GET_FOUND_REMOTE);
                    });
        script.when([&] { return rig.requests(CMD_GET_FOUND_REMOTE) >= polls + 2; },
                    [&] { rig.emulator.pressRemote(0x00ABCD); });
        script.when(wizard,
                    [] { wizard()->findChild<QPushButton *>("pushButton_cancel")->click(); });
        rig.table->search().add_button_clicked();
        QVERIFY(registrationEnds(rig));
        QVERIFY(script.done());

        // Same low 24 bits as a registered remote: refused by name, the search goes on
        // after 3 s. The erased-record id is taken as nothing heard.
        QCOMPARE(refusal, QString("Данный пульт уже зарегистрирован на пользователя 'Иванов'. "
                                  "Поиск пульта будет автоматически продолжен."));
        QVERIFY(pollGapAfter(rig.emulator, 0x0A0B0C) >= 2800);
        const qint64 afterErased = pollGapAfter(rig.emulator, 0xFFFFFF);
        QVERIFY2(afterErased >= 450 && afterErased < 2800,
                 qPrintable(QString::number(afterErased)));
        QCOMPARE(rig.requests(CMD_WRITE_REMOTE), 0);
        QCOMPARE(rig.table->list().remotes().size(), 2);
        QVERIFY(rig.table->list().isDatabaseSaved());
        QCOMPARE(rig.emulator.state().modemMode, quint8(1));
        QVERIFY(rig.prompts.done());
    }

    void ownerNameMustFitTheRecord_data()
    {
        QTest::addColumn<quint8>("functions");
        QTest::addColumn<QStringList>("attempts"); // all but the last are refused
        QTest::addColumn<QString>("refusal");      // in the second refusal
        const QString longest(59, QChar(u'Я'));
        QTest::newRow("64-byte records")
            << quint8(0) << QStringList{longest + "Я", "Ли 李", longest} << "李";
        QTest::newRow("128-byte records")
            << quint8(FUNCTION_LONG_RECORDS)
            << QStringList{longest + "Я", QString(59, QChar(u'李')), "Ли 李 😀"} << "177";
    }
    void ownerNameMustFitTheRecord()
    {
        QFETCH(quint8, functions);
        QFETCH(QStringList, attempts);
        QFETCH(QString, refusal);
        TableRig rig(twoRemotes(functions));
        QVERIFY(rig.open());
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        UiScript script;
        script.when([&] { return rig.requests(CMD_GET_FOUND_REMOTE) >= 1; },
                    [&] { rig.emulator.pressRemote(0x00ABCD); });
        script.when(wizard, [&] {
            for (const QString &owner : attempts) {
                applyOwner(owner);
                QCOMPARE(wizard() != nullptr, owner != attempts.last()); // refused: stays open
            }
        });
        rig.table->search().add_button_clicked();
        QVERIFY(registrationEnds(rig));
        QVERIFY(script.done());
        QCOMPARE(rig.prompts.texts().first(),
                 QString("Информация о владельце пульта не должна быть длиннее 59 символов. "
                         "Текущая длина 60."));
        QVERIFY2(rig.prompts.texts().last().contains(refusal), qPrintable(rig.prompts.report()));
        QCOMPARE(rig.emulator.state().modemRemotes.last().ownerName, attempts.last());
        QVERIFY(rig.prompts.done());
    }

    void wizardStartsBlankAndAsksAgainForAnEmptyOwner()
    {
        TableRig rig(twoRemotes());
        QVERIFY(rig.open());
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QString shown;
        bool stillOpen = false;
        UiScript script;
        script.when([&] { return rig.requests(CMD_GET_FOUND_REMOTE) >= 1; },
                    [&] { rig.emulator.pressRemote(0x00ABCD); });
        script.when(wizard, [&] {
            for (const QLabel *label : wizard()->findChildren<QLabel *>())
                shown += label->text();
            applyOwner("  ");
            stillOpen = wizard() != nullptr;
            applyOwner("Новиков");
        });
        rig.table->search().add_button_clicked();
        QVERIFY(registrationEnds(rig) && script.done());
        QVERIFY2(!shown.contains("Не пройден"), qPrintable(shown));
        QVERIFY(stillOpen);
        QCOMPARE(rig.prompts.texts(), QStringList{"Введите имя владельца пульта"});
        QCOMPARE(rig.table->search().owners(), QStringList{"Новиков"});
    }

    void bareStatusToAPollEndsTheSearchWithAMessage()
    {
        TableRig rig(twoRemotes());
        QVERIFY(rig.open());
        rig.emulator.holdFaultsUntil(CMD_GET_FOUND_REMOTE, 2);
        rig.emulator.forceStatus(CMD_GET_FOUND_REMOTE, STATUS_DONE);
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::No);
        rig.table->search().add_button_clicked();
        QVERIFY(registrationEnds(rig));
        QCOMPARE(rig.prompts.texts(),
                 QStringList{"Принят неверный ответ от USB-stick. Повторить попытку?"});
        QCOMPARE(rig.requests(CMD_GET_FOUND_REMOTE), 2);
    }

    void silentStickDuringTheSearchIsSetBackLater()
    {
        TableRig rig(twoRemotes());
        QVERIFY(rig.open());
        rig.session->interfaceManager()->set_ack_timeout(300); // not what is tested
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        UiScript script;
        script.when([&] { return rig.requests(CMD_GET_FOUND_REMOTE) >= 2; },
                    [&] { rig.emulator.dropAnswers(1000000); });
        rig.table->search().add_button_clicked();
        QVERIFY(registrationEnds(rig));
        QVERIFY(script.done());
        QCOMPARE(rig.prompts.texts(), QStringList{"Usb-stick не отвечает. Проверьте подключение."});
        QVERIFY(!rig.session->connected());
        // The next session puts the stick back into normal mode.
        rig.emulator.clearFaults();
        QTRY_VERIFY_WITH_TIMEOUT(rig.session->connected() && rig.emulator.state().modemMode == 1,
                                 20000);
        QCOMPARE(rig.requests(CMD_WRITE_REMOTE), 0);
        QVERIFY(rig.prompts.done());
    }

    void lineStillBusyAfterTheWizardIsGivenUp()
    {
        TableRig rig(twoRemotes());
        QVERIFY(rig.open());
        QInterface_Manager *link = rig.session->interfaceManager();
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        int polls = 0;
        UiScript script;
        script.when([&] { return rig.requests(CMD_GET_FOUND_REMOTE) >= 1; },
                    [&] { rig.emulator.pressRemote(0x00ABCD); });
        // A command whose answer never comes and that the link would wait a minute for.
        script.when(wizard, [&] {
            rig.emulator.dropAnswers(1);
            link->set_ack_timeout(60000);
            QRS232Message stuck;
            stuck.make_data_frame(CMD_GET_FOUND_REMOTE, TARGET_DEVICE, nullptr, 0);
            stuck.set_answer_code(1);
            polls = rig.requests(CMD_GET_FOUND_REMOTE);
            QVERIFY(link->send_command(stuck));
        });
        script.when([&] { return rig.requests(CMD_GET_FOUND_REMOTE) > polls; },
                    [&] {
                        link->set_ack_timeout(200);
                        applyOwner("Сидоров");
                    });
        QElapsedTimer clock;
        clock.start();
        rig.table->search().add_button_clicked();
        QVERIFY(registrationEnds(rig));
        QVERIFY(script.done());
        QVERIFY(clock.elapsed() < 30000);
        QCOMPARE(rig.prompts.texts(), QStringList{"Не удалось добавить новый пульт"});
        QCOMPARE(rig.requests(CMD_WRITE_REMOTE), 0);
        QCOMPARE(rig.emulator.state().modemMode, quint8(1));
        QVERIFY(rig.prompts.done());
    }
};

QTEST_MAIN(tst_wizard)
#include "tst_wizard.moc"
