// Changes made of several commands that stop half-way, while the stick still answers,
// are undone: the stick is never left with part of a table or without a password.
#include "commands.h"
#include "modemrig.h"
#include "qdbmanipulator.h"
#include "tablerig.h"

#include <QTemporaryDir>
#include <QtTest>

using vexo::emu::EmulatorRemote;
using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;

namespace
{
EmulatorRemote remote(quint32 id, const QString &owner)
{
    EmulatorRemote r;
    r.id = id;
    r.group = 1;
    r.ownerName = owner;
    return r;
}
} // namespace

class tst_undo_partway : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TableRig::useTemporaryHome(); }

    void writeStoppedHalfWayGivesTheStickItsTableBack()
    {
        EmulatorState st;
        st.functions = 0x02;
        st.modemRemotes = {remote(1, "Один"), remote(2, "Два")};
        st.progressSteps = 0; // the clears' progress is not what is tested here
        TableRig rig(st);
        QVERIFY(rig.open());
        QTemporaryDir dir;
        const QString file = dir.filePath("new.json");
        QVERIFY(QDbManipulator::saveToFile(file,
                                           {QControlDevice(nullptr, 7, 1, "Семь"),
                                            QControlDevice(nullptr, 8, 1, "Восемь"),
                                            QControlDevice(nullptr, 9, 1, "Девять")},
                                           nullptr));
        rig.prompts.expectFile(ScriptedPrompts::OpenFile, "Выбор файла json", file);
        rig.table->files().load_db_from_file();

        // The second record is refused and the user declines to repeat it.
        rig.emulator.holdFaultsUntil(CMD_WRITE_REMOTE, 2);
        rig.emulator.forceStatus(CMD_WRITE_REMOTE, STATUS_NO_LINK);
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::No);
        QVERIFY(!rig.table->transfers().save_db_to_modem());
        QCOMPARE(rig.emulator.state().modemRemotes, st.modemRemotes);
        // The list is still the one the user meant to write, and not the stick's.
        QCOMPARE(rig.table->list().remote_list().size(), 3);
        QCOMPARE(rig.table->list().data_source(), SOURCE_FILE);
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));

        // Written in full the next time.
        QVERIFY(rig.table->transfers().save_db_to_modem());
        QCOMPARE(rig.emulator.state().modemRemotes.size(), 3);
    }

    void changeStoppedAfterTheRemovalPutsTheOldPasswordBack()
    {
        EmulatorState st;
        st.password = "secret1";
        ModemRig rig(st);
        QVERIFY(rig.open());
        rig.emulator().holdFaultsUntil(CMD_PASSWORD, 2); // the new password, after the removal
        rig.emulator().forceStatus(CMD_PASSWORD, STATUS_NO_LINK);
        rig.prompts().expectText("Ввод текущего пароля", "secret1");
        rig.prompts().expectText("Ввод нового пароля", "newpass1");
        rig.prompts().expectText("Повтор нового пароля", "newpass1");
        rig.prompts().expectMessage(Kind::Warning, "Ошибка", QMessageBox::No);
        rig.session().admin_password_set();
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.requests(CMD_PASSWORD), 3); // removal, new one refused, old one back
        QCOMPARE(rig.emulator().state().password, QByteArray("secret1"));
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }
};

QTEST_MAIN(tst_undo_partway)
#include "tst_undo_partway.moc"
