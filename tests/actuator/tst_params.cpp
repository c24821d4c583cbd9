#include "actuatorparams.h"
#include "commands.h"
#include "modemrig.h"
#include "qparamcontroller.h"
#include "qpropertywidget.h"
#include "wireframe.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QTableWidget>
#include <QTest>

using vexo::emu::EmulatorState;
using vexo::emu::Frame;
using vexo::emu::FrameLogEntry;
using Kind = ScriptedPrompts::Kind;
using Params = std::array<quint8, 4>;

namespace
{
Frame requestFrame(const FrameLogEntry &e)
{
    return e.direction == FrameLogEntry::Direction::In ? vexo::emu::decodeFrame(e.frame) : Frame();
}

// A session and the parameter table, without a window.
struct Rig {
    ModemRig modem;
    QTableWidget table;
    std::unique_ptr<QParamController> params;

    explicit Rig(const Params &p = EmulatorState::defaultParams())
    {
        modem.emulator().modifyState([p](EmulatorState &s) { s.params = s.appliedParams = p; });
    }
    bool open(bool versionKnown = true)
    {
        if (!modem.open())
            return false;
        params = std::make_unique<QParamController>(&modem.session(), &table);
        params->buildParamTable(true);
        if (versionKnown)
            device().storeVersion(QByteArray::fromHex("03020401"));
        emu().clearFrameLog();
        return true;
    }
    vexo::emu::Emulator &emu() { return modem.emulator(); }
    ScriptedPrompts &prompts() { return modem.prompts(); }
    QExecDevice &device() { return modem.session().execDevice(); }
    QPropertyWidget *row(int r) { return params->editor(r); }
    void mark(const QList<int> &rows)
    {
        for (int r = 0; r < 4; ++r)
            row(r)->markBox()->setChecked(rows.contains(r));
    }
    // Data requests with this command word the device received.
    QList<Frame> requests(quint16 command)
    {
        QList<Frame> out;
        for (const FrameLogEntry &e : emu().frameLog())
            if (const Frame f = requestFrame(e); f.ok() && f.isData && f.command == command)
                out << f;
        return out;
    }
    QList<int> readIds()
    {
        QList<int> ids;
        for (const Frame &f : requests(CMD_GET_PARAM))
            ids << (quint8(f.payload[0]) | quint8(f.payload[1]) << 8);
        return ids;
    }
    // Runs fn once the device has received n requests with this command word.
    void afterRequests(quint16 command, int n, const std::function<void()> &fn)
    {
        auto seen = std::make_shared<int>(0);
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = QObject::connect(&emu(), &vexo::emu::Emulator::frameLogged,
                                       [=](const FrameLogEntry &e) {
                                           if (requestFrame(e).command == command && ++*seen == n) {
                                               QObject::disconnect(*connection);
                                               fn();
                                           }
                                       });
    }
    // Each row as shown, with its state: 0 from the device, 1 edited, 2 unknown.
    QStringList shown()
    {
        QStringList out;
        for (int r = 0; r < 4; ++r)
            out << (r ? row(r)->label()->text() : row(r)->comboBox()->currentText()) + "/" +
                       QString::number(row(r)->valueState());
        return out;
    }
};
} // namespace

// The parameter table over a session with the emulated stick and actuator.
class tst_params : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void readsMarkedRowsOrAllWhenAsked()
    {
        Rig rig({2, 5, 90, 120});
        QVERIFY(rig.open(false));
        // Nothing marked and No: nothing goes out.
        rig.prompts().expectMessage(Kind::Question, "Информация", QMessageBox::No);
        rig.params->load_exe_device_properties();
        QVERIFY(rig.modem.waitIdle());
        QCOMPARE(rig.prompts().calls().last().text,
                 "Ни один из параметров не помечен для загрузки из конечного устройства. "
                 "Загрузить все параметры?");
        QVERIFY(rig.emu().frameLog().isEmpty());

        // Yes reads all, after the actuator's version the first time.
        rig.prompts().expectMessage(Kind::Question, "Информация", QMessageBox::Yes);
        rig.params->load_exe_device_properties();
        QVERIFY(rig.modem.waitIdle());
        QCOMPARE(rig.readIds(), (QList<int>{PARAM_VERSION, 1, 2, 3, 4}));
        QVERIFY(rig.device().isVersionKnown());
        // Raw 5 is below the slider: shown at its minimum.
        QCOMPARE(rig.shown(), (QStringList{"Жалюзийный/0", "0.50 с/0", "90 с/0", "120 с/0"}));
        QCOMPARE(rig.device().paramValue(PARAM_SHORT_CMD_TIME), quint8(5));

        rig.emu().modifyState([](EmulatorState &s) { s.params = {1, 20, 100, 30}; });
        rig.emu().clearFrameLog();
        rig.mark({2});
        rig.params->load_exe_device_properties();
        QVERIFY(rig.modem.waitIdle());
        QCOMPARE(rig.readIds(), (QList<int>{3}));
        QCOMPARE(rig.shown(), (QStringList{"Жалюзийный/0", "0.50 с/0", "100 с/0", "120 с/0"}));

        // An answer for another parameter fails the read; what came before it is shown.
        rig.emu().clearFrameLog();
        rig.device().setParamValue(PARAM_ROLLER_TIME, 77);
        rig.mark({1, 2, 3});
        rig.afterRequests(CMD_GET_PARAM, 1, [&] { rig.emu().misnameParamAnswers(1); });
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::No);
        rig.params->load_exe_device_properties();
        QVERIFY(rig.modem.waitIdle());
        QCOMPARE(rig.prompts().calls().last().text,
                 "Принят неверный ответ от USB-stick. Повторить попытку?");
        QCOMPARE(rig.readIds(), (QList<int>{2, 3}));
        QCOMPARE(rig.shown(), (QStringList{"Жалюзийный/0", "1.00 с/0", "100 с/0", "77 с/0"}));
        QVERIFY(rig.prompts().done());
    }

    void writeRefusesUnknownValuesAndInRemoteModeWritesEveryRow()
    {
        Rig rig;
        QVERIFY(rig.open(false));
        rig.row(0)->setValue(QPropertyWidget::VALUE_EDITED, 3);
        rig.mark({0, 1});
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!rig.params->save_exe_device_properties());
        QVERIFY(rig.modem.waitIdle());
        QCOMPARE(rig.prompts().calls().last().text,
                 "Параметр Длительность команды для режима 'Короткой команды' не задан");
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        rig.params->apply_restore_exe_device_properties(true);
        QVERIFY(rig.modem.waitIdle());
        // Neither sent nor taken for the actuator's.
        QVERIFY(rig.emu().frameLog().isEmpty());
        QCOMPARE(rig.device().paramValue(PARAM_WORK_MODE), QExecDevice::Unknown);

        // Remote mode: every row, no question, no version asked.
        rig.modem.session().setRemoteMode(true);
        const int values[] = {3, 60, 1, 180};
        for (int r = 0; r < 4; ++r)
            rig.row(r)->setValue(QPropertyWidget::VALUE_EDITED, values[r]);
        rig.mark({});
        QVERIFY(rig.params->save_exe_device_properties());
        QVERIFY(rig.modem.waitIdle());
        QCOMPARE(rig.requests(CMD_SET_PARAM).size(), 4);
        for (const Frame &f : rig.requests(CMD_SET_PARAM))
            QCOMPARE(f.target, quint16(TARGET_DEVICE_REMOTE));
        QVERIFY(rig.readIds().isEmpty());
        QCOMPARE(rig.emu().state().params, (Params{3, 60, 1, 180}));
        QCOMPARE(rig.shown(),
                 (QStringList{"Непрерывной команды/0", "3.00 с/0", "1 с/0", "180 с/0"}));
        QVERIFY(rig.prompts().done());
    }

    void failedWriteKeepsOnlyAcknowledgedValues()
    {
        Rig rig;
        QVERIFY(rig.open());
        rig.prompts().expectMessage(Kind::Question, "Информация", QMessageBox::Yes);
        rig.params->load_exe_device_properties();
        QVERIFY(rig.modem.waitIdle());
        rig.row(0)->comboBox()->setCurrentIndex(1);
        for (int r = 1; r < 4; ++r)
            rig.row(r)->slider()->setValue(40 + r);
        // The third write is refused by the actuator.
        rig.afterRequests(CMD_SET_PARAM, 2,
                          [&] { rig.emu().forceStatus(CMD_SET_PARAM, STATUS_DEVICE_FAILED); });
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(rig.params->save_exe_device_properties()); // started, refused part-way
        QVERIFY(rig.modem.waitIdle());
        QCOMPARE(rig.emu().state().params, (Params{1, 41, 30, 60}));
        QCOMPARE(rig.row(2)->valueState(), QPropertyWidget::VALUE_EDITED);

        // A later read shows what the actuator holds, not what it refused.
        rig.mark({0});
        rig.params->load_exe_device_properties();
        QVERIFY(rig.modem.waitIdle());
        QCOMPARE(rig.shown(), (QStringList{"Роллетный/0", "2.05 с/0", "30 с/0", "60 с/0"}));
        QVERIFY(rig.prompts().done());
    }

    void applyRestoreAndFactoryResetReadBack()
    {
        Rig rig({3, 60, 180, 180});
        QVERIFY(rig.open());
        rig.row(1)->slider()->setValue(40);
        rig.params->apply_restore_exe_device_properties(true);
        QVERIFY(rig.modem.waitIdle());
        QList<Frame> sets = rig.requests(CMD_SET_PARAM);
        QCOMPARE(sets.size(), 2);
        QCOMPARE(sets[0].payload.toHex(), "020028");
        QCOMPARE(sets[1].target, quint16(TARGET_DEVICE));
        QCOMPARE(sets[1].payload.toHex(), "850001");
        QCOMPARE(rig.readIds(), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(rig.emu().state().appliedParams, (Params{3, 40, 180, 180}));
        QCOMPARE(rig.shown(),
                 (QStringList{"Непрерывной команды/0", "2.00 с/0", "180 с/0", "180 с/0"}));

        rig.emu().clearFrameLog();
        rig.params->apply_restore_exe_device_properties(false);
        QVERIFY(rig.modem.waitIdle());
        QCOMPARE(rig.requests(CMD_SET_PARAM).at(0).payload.toHex(), "850000");
        QCOMPARE(rig.readIds(), (QList<int>{1, 2, 3, 4}));

        rig.emu().clearFrameLog();
        // Edits made before the reset are gone with it: no row stays marked for writing.
        rig.row(2)->slider()->setValue(100);
        QVERIFY(rig.row(2)->isMarked());
        rig.prompts().expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        rig.params->set_def_exe_device_properties();
        QVERIFY(rig.modem.waitIdle());
        for (int r = 0; r < 4; ++r)
            QVERIFY2(!rig.row(r)->isMarked(), qPrintable(QString::number(r)));
        const Frame reset = rig.requests(CMD_FACTORY_RESET).value(0);
        QCOMPARE(reset.target, quint16(TARGET_DEVICE));
        QVERIFY(reset.ok() && reset.payload.isEmpty());
        QCOMPARE(rig.readIds(), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(rig.shown(), (QStringList{"Короткой команды/0", "1.00 с/0", "30 с/0", "60 с/0"}));
        // Editors built anew for another language show the values read, not "unknown".
        rig.params->buildParamTable(false);
        QCOMPARE(rig.shown(), (QStringList{"Короткой команды/0", "1.00 с/0", "30 с/0", "60 с/0"}));

        // Declined: nothing goes out.
        rig.emu().clearFrameLog();
        rig.prompts().expectMessage(Kind::Warning, "Внимание", QMessageBox::No);
        rig.params->set_def_exe_device_properties();
        QVERIFY(rig.modem.waitIdle());
        QVERIFY(rig.requests(CMD_FACTORY_RESET).isEmpty());
        QCOMPARE(rig.prompts().calls().last().defaultButton, QMessageBox::No);

        // A read-back that fails shows nothing from before the reset as the actuator's.
        rig.afterRequests(CMD_FACTORY_RESET, 1, [&] { rig.emu().misnameParamAnswers(1); });
        rig.prompts().expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::No);
        rig.params->set_def_exe_device_properties();
        QVERIFY(rig.modem.waitIdle());
        QCOMPARE(rig.shown(), (QStringList{"/2", "Неизвестно/2", "Неизвестно/2", "Неизвестно/2"}));
        QVERIFY(rig.prompts().done());
    }
};

QTEST_MAIN(tst_params)
#include "tst_params.moc"
