#include "actuatorparams.h"
#include "commands.h"
#include "modemsessionrig.h"
#include "qparamcontroller.h"
#include "qpropertywidget.h"
#include "wireframe.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

using vexo::emu::Emulator;
using vexo::emu::EmulatorState;
using vexo::emu::Frame;
using vexo::emu::FrameLogEntry;
using Kind = ScriptedPrompts::Kind;

namespace
{
// Data requests with this command word the device received, decoded.
QList<Frame> requests(const Emulator &emu, quint16 command)
{
    QList<Frame> out;
    for (const FrameLogEntry &e : emu.frameLog()) {
        const Frame f = vexo::emu::decodeFrame(e.frame);
        if (e.direction == FrameLogEntry::Direction::In && f.ok() && f.isData &&
            f.command == command)
            out << f;
    }
    return out;
}

QList<quint16> requestedIds(const Emulator &emu)
{
    QList<quint16> ids;
    for (const Frame &f : requests(emu, CMD_GET_PARAM))
        ids << quint16(quint8(f.payload[0]) | quint8(f.payload[1]) << 8);
    return ids;
}

// Runs fn once the device has received n requests with this command word.
void afterRequests(Emulator &emu, quint16 command, int n, const std::function<void()> &fn)
{
    auto seen = std::make_shared<int>(0);
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(&emu, &Emulator::frameLogged, [=](const FrameLogEntry &e) {
        const Frame f = vexo::emu::decodeFrame(e.frame);
        if (e.direction == FrameLogEntry::Direction::In && f.ok() && f.command == command &&
            ++*seen == n) {
            QObject::disconnect(*connection);
            fn();
        }
    });
}

// A session and the parameter table, without a window.
struct Rig {
    ModemSessionRig modem;
    QTableWidget table;
    std::unique_ptr<QParamController> params;

    explicit Rig(const EmulatorState &state = EmulatorState()) : modem(state) {}
    bool open()
    {
        if (!modem.open())
            return false;
        params = std::make_unique<QParamController>(&modem.session(), &table);
        params->buildParamTable(true);
        modem.emulator().clearFrameLog();
        return true;
    }
    Emulator &emu() { return modem.emulator(); }
    ScriptedPrompts &prompts() { return modem.prompts(); }
    QExecDevice &device() { return modem.session().execDevice(); }
    QPropertyWidget *row(int r) { return params->editor(r); }
    void knowVersion() { device().storeVersion(QByteArray::fromHex("03020401")); }
    void mark(QList<int> rows)
    {
        for (int r = 0; r < params->rowCount(); ++r)
            row(r)->markBox()->setChecked(rows.contains(r));
    }
    // Each row as shown, with its state: 0 from the device, 1 edited, 2 unknown.
    QStringList shown()
    {
        QStringList out;
        for (int r = 0; r < params->rowCount(); ++r) {
            QPropertyWidget *e = row(r);
            out << (e->comboBox() ? e->comboBox()->currentText() : e->label()->text()) + "/" +
                       QString::number(e->valueState());
        }
        return out;
    }
    std::array<quint8, 4> emuParams() { return emu().state().params; }
};

EmulatorState withParams(std::array<quint8, 4> params)
{
    EmulatorState s;
    s.params = s.appliedParams = params;
    return s;
}

const QString NotMarkedRead = "Ни один из параметров не помечен для загрузки из конечного "
                              "устройства. Загрузить все параметры?";
const QStringList Defaults = {"Короткой команды/0", "1.00 с/0", "30 с/0", "60 с/0"};
} // namespace

// The parameter table over a session with the emulated stick and actuator.
class tst_params : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void readsMarkedRowsOrAllWhenAsked()
    {
        Rig rig(withParams({2, 5, 90, 120}));
        QVERIFY(rig.open());
        // Nothing marked and No: nothing goes out.
        rig.prompts().expectMessage(Kind::Question, "Информация", QMessageBox::No);
        rig.params->load_exe_device_properties();
        QCOMPARE(rig.prompts().calls().last().text, NotMarkedRead);
        QVERIFY(requests(rig.emu(), CMD_GET_PARAM).isEmpty());

        // Yes reads all, after the version the first time.
        rig.prompts().expectMessage(Kind::Question, "Информация", QMessageBox::Yes);
        rig.params->load_exe_device_properties();
        QCOMPARE(requestedIds(rig.emu()), (QList<quint16>{PARAM_VERSION, 1, 2, 3, 4}));
        const std::array<quint8, 4> v = rig.emu().state().actuatorVersion;
        QCOMPARE(rig.device().version(), QByteArray(reinterpret_cast<const char *>(v.data()), 4));
        // Raw 5 is below the slider: shown at its minimum.
        QCOMPARE(rig.shown(), (QStringList{"Жалюзийный/0", "0.50 с/0", "90 с/0", "120 с/0"}));
        QCOMPARE(rig.device().paramValue(PARAM_SHORT_CMD_TIME), quint8(5));

        rig.emu().modifyState([](EmulatorState &s) { s.params = {1, 20, 100, 30}; });
        rig.emu().clearFrameLog();
        rig.mark({2});
        rig.params->load_exe_device_properties();
        QCOMPARE(requestedIds(rig.emu()), (QList<quint16>{3}));
        QCOMPARE(rig.shown(), (QStringList{"Жалюзийный/0", "0.50 с/0", "100 с/0", "120 с/0"}));
        QVERIFY(rig.prompts().done());
    }

    void readFailsOnAnotherIdentifierAndShowsWhatArrived()
    {
        Rig rig;
        QVERIFY(rig.open());
        rig.knowVersion();
        rig.device().setParamValue(PARAM_ROLLER_TIME, 77);
        afterRequests(rig.emu(), CMD_GET_PARAM, 2, [&] { rig.emu().misnameParamAnswers(1); });
        rig.prompts().expectMessage(Kind::Question, "Информация", QMessageBox::Yes);
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::No);
        rig.params->load_exe_device_properties();
        QCOMPARE(rig.prompts().calls().last().text,
                 "Принят неверный ответ от USB-stick. Повторить попытку?");
        QCOMPARE(requestedIds(rig.emu()), (QList<quint16>{1, 2, 3}));
        QCOMPARE(rig.shown(),
                 (QStringList{"Короткой команды/0", "1.00 с/0", "Неизвестно/2", "77 с/0"}));
        QVERIFY(rig.prompts().done());
    }

    void writeRefusesAnUnknownMarkedValue()
    {
        Rig rig;
        QVERIFY(rig.open());
        rig.row(0)->setValue(QPropertyWidget::VALUE_EDITED, 3);
        rig.mark({0, 1});
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!rig.params->save_exe_device_properties());
        QCOMPARE(rig.prompts().calls().last().text,
                 "Параметр Длительность команды для режима 'Короткой команды' не задан");
        // Neither sent nor taken for the actuator's.
        QVERIFY(rig.emu().frameLog().isEmpty());
        QCOMPARE(rig.device().paramValue(PARAM_WORK_MODE), QExecDevice::Unknown);

        // Apply stops at the same point: no write, no apply.
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        rig.params->apply_restore_exe_device_properties(true);
        QVERIFY(rig.emu().frameLog().isEmpty());
        QVERIFY(rig.prompts().done());
    }

    void remoteModeWritesEveryRowWithoutAsking()
    {
        Rig rig;
        QVERIFY(rig.open());
        rig.modem.session().setRemoteMode(true);
        const int values[] = {3, 60, 1, 180};
        for (int r = 0; r < 4; ++r)
            rig.row(r)->setValue(QPropertyWidget::VALUE_EDITED, values[r]);
        rig.mark({});
        QVERIFY(rig.params->save_exe_device_properties());
        const QList<Frame> writes = requests(rig.emu(), CMD_SET_PARAM);
        QCOMPARE(writes.size(), 4);
        for (const Frame &f : writes)
            QCOMPARE(f.target, quint16(TARGET_DEVICE_REMOTE));
        QVERIFY(requests(rig.emu(), CMD_GET_PARAM).isEmpty()); // no version asked
        QCOMPARE(rig.emuParams(), (std::array<quint8, 4>{3, 60, 1, 180}));
        QCOMPARE(rig.shown(),
                 (QStringList{"Непрерывной команды/0", "3.00 с/0", "1 с/0", "180 с/0"}));
        QVERIFY(rig.prompts().calls().isEmpty());
    }

    void failedWriteKeepsOnlyAcknowledgedValues()
    {
        Rig rig;
        QVERIFY(rig.open());
        rig.knowVersion();
        rig.prompts().expectMessage(Kind::Question, "Информация", QMessageBox::Yes);
        rig.params->load_exe_device_properties();
        const int values[] = {1, 40, 50, 70};
        for (int r = 0; r < 4; ++r)
            rig.row(r)->slider() ? rig.row(r)->slider()->setValue(values[r])
                                 : rig.row(r)->comboBox()->setCurrentIndex(values[r]);
        // The third write is refused by the actuator.
        afterRequests(rig.emu(), CMD_SET_PARAM, 2,
                      [&] { rig.emu().forceStatus(CMD_SET_PARAM, STATUS_DEVICE_FAILED); });
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!rig.params->save_exe_device_properties());
        QCOMPARE(rig.prompts().calls().last().text,
                 "Конечное устройство не смогло успешно выполнить команду");
        QCOMPARE(rig.emuParams(), (std::array<quint8, 4>{1, 40, 30, 60}));
        QCOMPARE(rig.row(2)->valueState(), QPropertyWidget::VALUE_EDITED);

        // Any later read shows what the actuator holds, not what it refused.
        rig.mark({0});
        rig.params->load_exe_device_properties();
        QCOMPARE(rig.shown(), (QStringList{"Роллетный/0", "2.00 с/0", "30 с/0", "60 с/0"}));
        QVERIFY(rig.prompts().done());
    }

    void applyRestoreAndFactoryResetReadBack()
    {
        Rig rig(withParams({3, 60, 180, 180}));
        QVERIFY(rig.open());
        rig.knowVersion();
        rig.row(1)->slider()->setValue(40);
        rig.params->apply_restore_exe_device_properties(true);
        QList<Frame> sets = requests(rig.emu(), CMD_SET_PARAM);
        QCOMPARE(sets.size(), 2);
        QCOMPARE(sets[0].payload, QByteArray::fromHex("020028"));
        QCOMPARE(sets[1].target, quint16(TARGET_DEVICE));
        QCOMPARE(sets[1].payload, QByteArray::fromHex("850001"));
        QCOMPARE(requestedIds(rig.emu()), (QList<quint16>{1, 2, 3, 4}));
        QCOMPARE(rig.emu().state().appliedParams, (std::array<quint8, 4>{3, 40, 180, 180}));
        QCOMPARE(rig.shown(),
                 (QStringList{"Непрерывной команды/0", "2.00 с/0", "180 с/0", "180 с/0"}));

        rig.emu().modifyState([](EmulatorState &s) { s.params[1] = 50; });
        rig.emu().clearFrameLog();
        rig.params->apply_restore_exe_device_properties(false);
        sets = requests(rig.emu(), CMD_SET_PARAM);
        QCOMPARE(sets.size(), 1);
        QCOMPARE(sets[0].payload, QByteArray::fromHex("850000"));
        QCOMPARE(requestedIds(rig.emu()), (QList<quint16>{1, 2, 3, 4}));
        QCOMPARE(rig.shown()[1], "2.00 с/0");

        rig.emu().clearFrameLog();
        rig.params->set_def_exe_device_properties();
        const QList<Frame> resets = requests(rig.emu(), CMD_FACTORY_RESET);
        QCOMPARE(resets.size(), 1);
        QCOMPARE(resets[0].target, quint16(TARGET_DEVICE));
        QVERIFY(resets[0].payload.isEmpty());
        QCOMPARE(requestedIds(rig.emu()), (QList<quint16>{1, 2, 3, 4}));
        QCOMPARE(rig.shown(), Defaults);
        QVERIFY(rig.prompts().done());
    }

    void failedReadBackAfterResetShowsNothingOld()
    {
        Rig rig(withParams({3, 60, 180, 180}));
        QVERIFY(rig.open());
        rig.knowVersion();
        rig.prompts().expectMessage(Kind::Question, "Информация", QMessageBox::Yes);
        rig.params->load_exe_device_properties();
        // The reset goes through; its read-back fails on the first answer.
        afterRequests(rig.emu(), CMD_FACTORY_RESET, 1, [&] { rig.emu().misnameParamAnswers(1); });
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::No);
        rig.params->set_def_exe_device_properties();
        QCOMPARE(rig.emuParams(), EmulatorState::defaultParams());
        QCOMPARE(rig.shown(), (QStringList{"/2", "Неизвестно/2", "Неизвестно/2", "Неизвестно/2"}));
        QVERIFY(rig.prompts().done());
    }
};

QTEST_MAIN(tst_params)
#include "tst_params.moc"
