#include "commands.h"
#include "modemrig.h"
#include "operationwait.h"
#include "qdbmanipulator.h"
#include "qtablefiles.h"
#include "qtabletransfers.h"
#include "remotelist.h"
#include "remotetableparts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

using vexo::emu::EmulatorRemote;
using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;

namespace
{
EmulatorRemote emuRemote(quint32 id, const QString &owner)
{
    EmulatorRemote r;
    r.id = id;
    r.ownerName = owner;
    r.group = 1;
    return r;
}

QList<quint32> ids(const QList<EmulatorRemote> &list)
{
    QList<quint32> out;
    for (const EmulatorRemote &r : list)
        out << r.id;
    return out;
}

QList<quint32> ids(const QList<QControlDevice> &list)
{
    QList<quint32> out;
    for (const QControlDevice &r : list)
        out << quint32(r.id());
    return out;
}

// The widgets a window would lend the controller, in a widget of their own.
struct TableWidgets {
    QWidget page;
    RemoteTableWidgets widgets;

    TableWidgets()
    {
        auto *layout = new QVBoxLayout(&page);
        widgets.sourceLabel = new QLabel(&page);
        widgets.filter = new QLineEdit(&page);
        widgets.table = new QTableView(&page);
        for (QPushButton **b :
             {&widgets.activeButton, &widgets.addButton, &widgets.delButton, &widgets.editButton})
            *b = new QPushButton(&page);
        layout->addWidget(widgets.sourceLabel);
        layout->addWidget(widgets.filter);
        layout->addWidget(widgets.table);
    }
};
} // namespace

// The remote table's parts with a session over the emulated stick, without a window.
class tst_tablecontroller : public QObject
{
    Q_OBJECT

    QTemporaryDir home;

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(home.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
        QDir().mkpath(QTableFiles::dataDirectory());
    }

    void readsOnOpeningAndWritesAFileBack()
    {
        EmulatorState state;
        state.modemRemotes = {emuRemote(11, "Анна"), emuRemote(12, "Борис")};
        ModemRig rig(state);
        TableWidgets w;
        RemoteTableParts table(&rig.session(), w.widgets);
        QVERIFY(rig.open());
        QVERIFY(rig.waitIdle()); // the opening's table read
        QCOMPARE(ids(table.list().remotes()), (QList<quint32>{11, 12}));
        QCOMPARE(w.widgets.table->model()->rowCount(), 2);
        QCOMPARE(table.list().source(), SOURCE_MODEM);

        QTemporaryDir files;
        const QString path = files.filePath("t.json");
        const QList<QControlDevice> list = {QControlDevice(nullptr, 21, 2, "Вера", true, 0),
                                            QControlDevice(nullptr, 22, 3, "Глеб", false, 1),
                                            QControlDevice(nullptr, 23, 4, "Дина", true, 0)};
        QString error;
        QVERIFY2(QDbManipulator::saveToFile(path, list, &error), qPrintable(error));
        rig.prompts().expectFile(Kind::OpenFile, "Выбор файла json", path);
        table.files().load_db_from_file();
        QCOMPARE(table.list().source(), SOURCE_FILE);
        rig.prompts().expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes);
        QVERIFY(operationwait::succeeds(table.transfers().save_db_to_modem()));
        QCOMPARE(ids(rig.emulator().state().modemRemotes), (QList<quint32>{21, 22, 23}));
        QCOMPARE(rig.emulator().requestCount(CMD_WRITE_REMOTE), 3);
        QCOMPARE(table.list().source(), SOURCE_MODEM);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }

    // A refused clear is followed by a re-read of the access state. That re-read must
    // wait for the read-back, or it takes the read-back's answers and ends it early.
    void refusedClearKeepsTheWholeReadBack()
    {
        EmulatorState state;
        state.password = "secret";
        state.modemRemotes = {emuRemote(1, "A"), emuRemote(2, "B"), emuRemote(3, "C")};
        ModemRig rig(state);
        TableWidgets w;
        RemoteTableParts table(&rig.session(), w.widgets);
        QVERIFY(rig.open());
        QVERIFY(rig.waitIdle()); // the opening's table read
        for (int run = 0; run < 3; ++run) {
            const int asked = rig.emulator().requestCount(CMD_GET_PROTECTION);
            rig.prompts()
                .expectMessage(Kind::Warning, "Внимание", QMessageBox::Yes)
                .expectMessage(Kind::Warning, "Нет авторизации", QMessageBox::Ok)
                .expectMessage(Kind::Warning, "Ошибка", QMessageBox::Ok); // still full
            QVERIFY(!operationwait::succeeds(table.transfers().clear_modem_memory()));
            QCOMPARE(ids(table.list().remotes()), (QList<quint32>{1, 2, 3}));
            QCOMPARE(table.list().source(), SOURCE_MODEM);
            QTRY_COMPARE_WITH_TIMEOUT(rig.emulator().requestCount(CMD_GET_PROTECTION), asked + 1,
                                      5000);
            QVERIFY(rig.waitIdle());
            QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
            QCOMPARE(rig.prompts().texts().at(2), "Ошибка очистки памяти USB-stick.");
            rig.prompts().clear();
        }
    }

    void fileNamesAndLongPaths()
    {
        ModemRig rig;
        TableWidgets w;
        RemoteTableParts table(&rig.session(), w.widgets);
        w.page.resize(400, 300);
        w.page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.page));

        // A name typed without an extension is saved as .json, so the open dialog sees it.
        QTemporaryDir files;
        rig.prompts().expectFile(Kind::SaveFile, "Выбор файла json", files.filePath("remotes"));
        table.files().save_db_to_new_file();
        QVERIFY(QFileInfo::exists(files.filePath("remotes.json")));
        QCOMPARE(table.list().databaseFileName(), files.filePath("remotes.json"));
        rig.prompts().expectFile(Kind::SaveFile, "Выбор файла json", files.filePath("a.bak"));
        table.files().save_db_to_new_file();
        QVERIFY(QFileInfo::exists(files.filePath("a.bak")));

        // A long path is elided in the label, whole in its tooltip, and widens nothing.
        const QString deep =
            files.filePath(QString(40, 'd') + "/" + QString(40, 'e') + "/" + QString(40, 'f'));
        QVERIFY(QDir().mkpath(deep));
        const QString path = deep + "/remotes.json";
        rig.prompts().expectFile(Kind::SaveFile, "Выбор файла json", path);
        table.files().save_db_to_new_file();
        QLabel *label = w.widgets.sourceLabel;
        QVERIFY(!label->text().contains(path));
        QVERIFY(label->text().contains(QChar(0x2026)));
        QVERIFY(label->toolTip().endsWith(path));
        QVERIFY(w.page.minimumSizeHint().width() < 400);
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));
    }
};

QTEST_MAIN(tst_tablecontroller)
#include "tst_tablecontroller.moc"
