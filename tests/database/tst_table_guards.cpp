#include "commands.h"
#include "operationwait.h"
#include "qdbmanipulator.h"
#include "tablerig.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using vexo::emu::EmulatorRemote;
using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;
using operationwait::ends;
using operationwait::succeeds;

namespace
{
QList<EmulatorRemote> emuRemotes(int first, int count)
{
    QList<EmulatorRemote> out;
    for (int i = 0; i < count; ++i)
        out << EmulatorRemote{quint32(first + i), 1, true, 0, "Владелец " + QString::number(i)};
    return out;
}

QList<QControlDevice> asRemotes(const QList<EmulatorRemote> &list)
{
    QList<QControlDevice> out;
    for (const EmulatorRemote &r : list)
        out << QControlDevice(nullptr, int(r.id), r.group, r.ownerName, r.active, r.workMode);
    return out;
}

QList<QControlDevice> remotes(int first, int count)
{
    return asRemotes(emuRemotes(first, count));
}

EmulatorState stick(int capacity, int count)
{
    EmulatorState s;
    s.modemCapacity = capacity;
    s.modemRemotes = emuRemotes(100, count);
    s.progressSteps = 0;
    return s;
}

// The list on screen, as if loaded from a file.
void showFileTable(TableRig &rig, const QList<QControlDevice> &list)
{
    rig.table->list().setRemotes(list);
    rig.table->list().set_data_source(SOURCE_FILE);
}

void removeBackups()
{
    QDir dir(QTableFiles::dataDirectory());
    for (const QString &name : dir.entryList({"*.json"}, QDir::Files))
        dir.remove(name);
}

// The newest backup's table and where it says it came from.
QPair<QList<QControlDevice>, QString> newestBackup()
{
    QStringList names;
    QList<QDateTime> times;
    QDbManipulator::listBackups(QTableFiles::dataDirectory(), names, times);
    QList<QControlDevice> list;
    if (names.isEmpty())
        return {};
    names.sort();
    const QString path = QTableFiles::dataDirectory() + "/" + names.last();
    QDbManipulator::loadFromFile(path, list, nullptr);
    return {list, QDbManipulator::backupSource(path)};
}

// Backups go to a file where their folder should be while this lives.
struct UnwritableBackups {
    QTemporaryDir dir;
    UnwritableBackups()
    {
        QFile file(dir.filePath("data"));
        if (file.open(QIODevice::WriteOnly))
            file.write("not a folder");
        QTableFiles::setDataDirectory(file.fileName());
    }
    ~UnwritableBackups() { QTableFiles::setDataDirectory(QString()); }
};
} // namespace

// Nothing on the stick or the actuator is cleared or replaced on a guess: a table that
// does not fit is refused first, and the table replaced is kept in a backup, or nothing
// is done. Over the emulated stick through the table's parts.
class tst_table_guards : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TableRig::useTemporaryHome(); }

    void tableTheStickCannotHoldIsRefusedBeforeTheClear()
    {
        TableRig rig(stick(4, 2));
        QVERIFY(rig.open());
        showFileTable(rig, remotes(1, 5));
        rig.emulator.clearFrameLog();
        // The places known from the read refuse it before the question.
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!rig.table->transfers().save_db_to_modem());
        QCOMPARE(rig.prompts.texts().last(),
                 QString("Таблица не записана в USB-stick: его память не очищена.\n"
                         "Пультов в таблице: 5, мест в памяти USB-stick: 4."));

        // Places counted anew just before the clear: a stick that holds fewer than it
        // said is found out then.
        rig.emulator.modifyState([](EmulatorState &s) { s.modemCapacity = 3; });
        showFileTable(rig, remotes(1, 4));
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QOperation *write = rig.table->transfers().save_db_to_modem();
        QCOMPARE(operationwait::outcome(write), QOperation::Failed);
        QVERIFY(rig.prompts.texts().last().endsWith(
            "Пультов в таблице: 4, мест в памяти USB-stick: 3."));

        // Names the short records cannot hold are named, before the question.
        QList<QControlDevice> table = remotes(1, 3);
        table[1].setOwnerName(QString(70, QChar(u'Ж')));
        table[2].setOwnerName("Smile 🙂");
        showFileTable(rig, table);
        rig.prompts.expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(!rig.table->transfers().save_db_to_modem());
        const QStringList lines = rig.prompts.texts().last().split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines.at(2).startsWith("№2, владелец «ЖЖЖ"));
        QVERIFY(lines.at(2).endsWith("70 байт при допустимых 59."));
        QVERIFY(lines.at(3).startsWith("№3, владелец «Smile 🙂»: "));

        QCOMPARE(rig.requests(CMD_CLEAR_TABLE), 0);
        QCOMPARE(rig.requests(CMD_WRITE_REMOTE), 0);
        QCOMPARE(rig.emulator.state().modemRemotes, emuRemotes(100, 2));
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void theStickTableIsBackedUpNotTheList()
    {
        TableRig rig(stick(100, 2));
        QVERIFY(rig.open());
        removeBackups();
        showFileTable(rig, remotes(1, 3));
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(succeeds(rig.table->transfers().save_db_to_modem()));
        QCOMPARE(asRemotes(rig.emulator.state().modemRemotes), remotes(1, 3));
        // Only one backup was written: the stick's table before the write.
        QStringList names;
        QList<QDateTime> times;
        QDbManipulator::listBackups(QTableFiles::dataDirectory(), names, times);
        QCOMPARE(names.size(), 1);
        QCOMPARE(newestBackup().first, remotes(100, 2));
        QCOMPARE(newestBackup().second, QString("stick"));
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void aBackupThatCannotBeWrittenStopsTheStep()
    {
        TableRig rig(stick(100, 2));
        QVERIFY(rig.open());
        UnwritableBackups unwritable;
        showFileTable(rig, remotes(1, 3));
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QOperation *write = rig.table->transfers().save_db_to_modem();
        QCOMPARE(operationwait::outcome(write), QOperation::Failed);
        const QStringList told = rig.prompts.texts().last().split('\n');
        QCOMPARE(told.first(), QString("Не удалось сохранить резервную копию таблицы USB-stick, "
                                       "которая была бы заменена."));
        QVERIFY(told.contains("Таблица не записана в USB-stick: его память не очищена."));
        QVERIFY(told.last().contains(QTableFiles::dataDirectory()));

        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QOperation *clear = rig.table->transfers().clear_modem_memory();
        QVERIFY(clear && ends(clear));
        QVERIFY(rig.prompts.texts().last().contains("Память USB-stick не очищена."));

        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QOperation *copy = rig.table->copier().copy_table_from_dev_to_modem();
        QVERIFY(copy && ends(copy));
        QVERIFY(rig.prompts.texts().last().contains("таблица USB-stick не изменена"));

        QCOMPARE(rig.requests(CMD_CLEAR_TABLE), 0);
        QCOMPARE(rig.requests(CMD_COPY_TABLE), 0);
        QCOMPARE(rig.emulator.state().modemRemotes, emuRemotes(100, 2));
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void copiesCheckTheOtherMemory()
    {
        EmulatorState state = stick(100, 3);
        state.actuatorCapacity = 2;
        state.actuatorRemotes = emuRemotes(500, 1);
        TableRig rig(state);
        QVERIFY(rig.open());
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(ends(rig.table->copier().copy_table_from_modem_to_dev()));
        QCOMPARE(rig.prompts.texts().last(),
                 QString("Таблица не скопирована: память исполнительного устройства не очищена.\n"
                         "Пультов в USB-stick: 3, мест в памяти исполнительного устройства: 2."));
        QCOMPARE(rig.requests(CMD_CLEAR_TABLE), 0);
        QCOMPARE(rig.emulator.state().actuatorRemotes, emuRemotes(500, 1));

        // The other way: the actuator's three remotes into a stick of two places.
        rig.emulator.modifyState([](EmulatorState &s) {
            s.modemCapacity = 2;
            s.modemRemotes = emuRemotes(100, 1);
            s.actuatorCapacity = 10;
            s.actuatorRemotes = emuRemotes(500, 3);
        });
        rig.table->list().setStickTableKnown(false);
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok);
        QVERIFY(ends(rig.table->copier().copy_table_from_dev_to_modem()));
        QCOMPARE(rig.prompts.texts().last(),
                 QString("Таблица не скопирована: таблица USB-stick не изменена.\n"
                         "Пультов в исполнительном устройстве: 3, мест в памяти USB-stick: 2."));
        QCOMPARE(rig.requests(CMD_COPY_TABLE), 0);
        QCOMPARE(rig.emulator.state().modemRemotes, emuRemotes(100, 1));
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }

    void theActuatorTableIsBackedUpWhereItWasRead()
    {
        EmulatorState state = stick(100, 2);
        state.actuatorRemotes = emuRemotes(500, 3);
        TableRig rig(state);
        QVERIFY(rig.open());
        // Not read yet: nothing of the actuator's is known to keep.
        QVERIFY(!rig.table->list().deviceTableKnown());
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Information, "Информация", QMessageBox::Ok);
        QVERIFY(succeeds(rig.table->copier().copy_table_from_dev_to_modem()));
        QCOMPARE(rig.table->list().deviceSnapshot(), remotes(500, 3));

        // A remote deleted through the stick leaves the actuator too.
        QVERIFY(rig.select(501));
        rig.prompts.expectMessage(Kind::Warning, "Удаление пульта", QMessageBox::Yes);
        QVERIFY(succeeds(rig.table->operations().del_button_clicked()));
        QList<QControlDevice> actuator = remotes(500, 3);
        actuator.removeAt(1);
        QCOMPARE(rig.table->list().deviceSnapshot(), actuator);

        removeBackups();
        rig.prompts.expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
            .expectMessage(Kind::Information, "Информация", QMessageBox::Ok);
        QVERIFY(succeeds(rig.table->copier().copy_table_from_modem_to_dev()));
        QCOMPARE(newestBackup().first, actuator);
        QCOMPARE(newestBackup().second, QString("actuator"));
        QVERIFY2(rig.prompts.done(), qPrintable(rig.prompts.report()));
    }
};

QTEST_MAIN(tst_table_guards)
#include "tst_table_guards.moc"
