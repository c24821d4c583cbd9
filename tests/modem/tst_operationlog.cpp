#include "modemrig.h"
#include "owneronly.h"
#include "qoperationlog.h"

#include <QApplication>
#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using vexo::emu::EmulatorState;
using Kind = ScriptedPrompts::Kind;

namespace
{
QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList operations(const QOperationLog &log)
{
    QStringList out;
    for (const OperationLogEntry &e : log.entries())
        out << e.operation + (e.ok ? "" : " failed");
    return out;
}
} // namespace

// The operation log's file: one entry a line, on disk when append() returns, broken lines
// skipped, rotation; and the password operations' entries, which never carry a password.
class tst_operationlog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        qputenv("USER", "installer");
    }

    void entriesReachTheFileOneLineEach()
    {
        QTemporaryDir dir;
        QModem modem;
        QOperationLog log(&modem);
        QVERIFY(!log.append(OPERATION_TABLE_WRITTEN, {1}, true)); // no path: nothing written
        QVERIFY(log.entries().isEmpty());

        const QString path = dir.filePath("not yet/operations.log");
        log.setPath(path);
        QVERIFY(modem.setVersion(QByteArray::fromHex("02010507")));
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        QVERIFY(log.append(OPERATION_REMOTE_BLOCKED, {1090289}, true));
        // On disk at once: a crash right after loses nothing.
        QCOMPARE(readAll(path).count('\n'), 1);
        // Who did what is for the user's eyes only.
        QVERIFY(ownerOnly(path));
        QVERIFY(ownerOnly(dir.filePath("not yet")));
        QVERIFY(log.append(OPERATION_TABLE_WRITTEN, {5, 6}, false, "записано 1 из 2; «Ёж»"));
        const QList<OperationLogEntry> entries = log.entries();
        QCOMPARE(entries.size(), 2);
        const OperationLogEntry &e = entries[1];
        QCOMPARE(e.operation, QString("table_written"));
        QCOMPARE(QOperationLog::operationText(e.operation),
                 QString("Таблица записана в USB-stick"));
        QCOMPARE(e.user, QString("installer"));
        QCOMPARE(e.stickVersion, QString("1.5.2.7"));
        QCOMPARE(e.remotes, (QList<int>{5, 6}));
        QVERIFY(!e.ok);
        QCOMPARE(e.detail, QString("записано 1 из 2; «Ёж»"));
        QVERIFY(e.time >= before && e.time <= QDateTime::currentDateTime());
        QCOMPARE(entries[0].operation, QString("remote_blocked"));

        // A line cut short by a crash is skipped and does not swallow the next entry.
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append));
            file.write("{\"time\":\"2024-01-0");
        }
        QVERIFY(log.append(OPERATION_REMOTE_ADDED, {7}, true));
        QCOMPARE(operations(log),
                 (QStringList{"remote_blocked", "table_written failed", "remote_added"}));
        OperationLogEntry parsed;
        QVERIFY(!QOperationLog::fromLine("{\"user\":\"x\"}", &parsed));
        QVERIFY(QOperationLog::fromLine(QOperationLog::toLine(e), &parsed));
        QCOMPARE(parsed, e);
    }

    void rotatedPastTheLimit()
    {
        QTemporaryDir dir;
        QOperationLog log(nullptr);
        const QString path = dir.filePath("operations.log");
        log.setPath(path);
        const qint64 limit = 700;
        log.setMaxBytes(limit);
        for (int i = 0; i < 40; ++i)
            QVERIFY(log.append(OPERATION_REMOTE_EDITED, {i}, true, QString(20, QChar(u'ж'))));
        for (int n = 1; n <= QOperationLog::RotatedFiles; ++n)
            QVERIFY(QFileInfo(path + "." + QString::number(n)).size() <= limit);
        QVERIFY(!QFile::exists(path + "." + QString::number(QOperationLog::RotatedFiles + 1)));
        QVERIFY(QFileInfo(path).size() <= limit);
        // The oldest went; what is kept runs on without a gap up to the last entry.
        const QList<OperationLogEntry> kept = log.entries();
        QVERIFY(kept.size() > 4 && kept.size() < 40);
        for (int i = 0; i < kept.size(); ++i)
            QCOMPARE(kept[i].remotes.first(), 40 - int(kept.size()) + i);
    }

    void passwordOperationsWithoutThePassword()
    {
        EmulatorState state;
        state.autoHoldPolls = 2;
        ModemRig rig(state);
        QTemporaryDir dir;
        QOperationLog *log = rig.session().operationLog();
        log->setPath(dir.filePath("operations.log"));
        QVERIFY(rig.open());
        QModemSession &session = rig.session();
        const QString first = "пароль12", second = "Secret77";

        rig.prompts().expectText("Ввод нового пароля", first);
        rig.prompts().expectText("Повтор нового пароля", first);
        session.admin_password_set();
        QVERIFY(rig.waitIdle());
        // A change refused for a wrong current password.
        rig.prompts().expectText("Ввод текущего пароля", "wrong12");
        rig.prompts().expectText("Ввод нового пароля", second);
        rig.prompts().expectText("Повтор нового пароля", second);
        rig.prompts().expectMessage(Kind::Warning, "Ошибка авторизации", QMessageBox::Ok);
        session.admin_password_set();
        QVERIFY(rig.waitIdle());
        rig.prompts().expectText("Ввод текущего пароля", "wrong12");
        rig.prompts().expectMessage(Kind::Warning, "Ошибка авторизации", QMessageBox::Ok);
        session.admin_password_clear();
        QVERIFY(rig.waitIdle());
        rig.prompts().expectText("Ввод текущего пароля", first);
        session.admin_password_clear();
        QVERIFY(rig.waitIdle());
        QVERIFY(rig.emulator().state().password.isEmpty());
        rig.emulator().modifyState([](EmulatorState &s) { s.password = "forgot1"; });
        session.admin_password_forget();
        QVERIFY(rig.waitIdle());
        QVERIFY(rig.emulator().state().password.isEmpty());
        QVERIFY2(rig.prompts().done(), qPrintable(rig.prompts().report()));

        QCOMPARE(operations(*log),
                 (QStringList{"password_set", "password_set failed", "password_removed failed",
                              "password_removed", "password_reset"}));
        const QByteArray bytes = readAll(log->path());
        for (const QString &secret : {first, second, QString("wrong12"), QString("forgot1")}) {
            QVERIFY2(!bytes.contains(secret.toUtf8()), qPrintable(secret));
            QVERIFY(!bytes.contains(QByteArray(QStringEncoder("windows-1251").encode(secret))));
        }
    }
};

QTEST_MAIN(tst_operationlog)
#include "tst_operationlog.moc"
