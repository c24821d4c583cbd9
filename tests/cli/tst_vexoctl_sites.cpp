// vexoctl's sites: two emulated sticks filed as two sites, a remote found across them, an
// older snapshot restored, and the report, each as a shell would run it.
#include "ctlrun.h"
#include "emulator.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTest>

using namespace vexo::emu;

class tst_vexoctl_sites : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir home;

    CtlRun run(const Emulator *emu, const QStringList &arguments) const
    {
        return runVexoctl(home, emu, arguments);
    }
    static QJsonDocument json(const CtlRun &r) { return QJsonDocument::fromJson(r.out.toUtf8()); }

    QString tableFile(const QList<EmulatorRemote> &remotes, const QString &name) const
    {
        QJsonArray devices;
        for (const EmulatorRemote &r : remotes)
            devices.append(QJsonObject{{"id", int(r.id)},
                                       {"group", r.group},
                                       {"active", r.active},
                                       {"workMode", r.workMode},
                                       {"ownerName", r.ownerName}});
        QFile file(home.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(QJsonDocument(QJsonObject{{"devices", devices}}).toJson());
        return file.fileName();
    }

private slots:
    void initTestCase() { QVERIFY(home.isValid()); }

    void twoSticksTwoSites()
    {
        Emulator house(EmulatorState::demo());
        EmulatorState other = EmulatorState::demo();
        for (EmulatorRemote &r : other.modemRemotes)
            r.id += 500000;
        other.modemRemotes.first().ownerName = "Общий Иванов";
        Emulator office(other);
        QVERIFY(house.start(true));
        QVERIFY(office.start(true));
        const QList<EmulatorRemote> original = house.state().modemRemotes;

        CtlRun r = run(&house, {"--site", "Дом 1", "read"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QVERIFY(r.err.contains("snapshot filed under Дом 1"));
        r = run(&office, {"--site", "Офис", "params"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));

        // A change written to the first stick is its second snapshot.
        QList<EmulatorRemote> three = original.mid(0, 3);
        three[0].ownerName = "Новый владелец";
        r = run(&house, {"--yes", "--site", "дом 1", "write", tableFile(three, "three.json")});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));

        r = run(nullptr, {"--json", "sites"});
        QCOMPARE(r.exitCode, 0);
        const QJsonArray sites = json(r).array();
        QCOMPARE(sites.size(), 2);
        QCOMPARE(sites.at(0).toObject().value("name").toString(), QString("Дом 1"));
        QCOMPARE(sites.at(0).toObject().value("snapshots").toInt(), 2);
        QCOMPARE(sites.at(1).toObject().value("snapshots").toInt(), 1);

        r = run(nullptr, {"--json", "history", "Дом 1"});
        QCOMPARE(r.exitCode, 0);
        const QJsonArray history = json(r).object().value("snapshots").toArray();
        QCOMPARE(history.size(), 2);
        QCOMPARE(history.at(0).toObject().value("added").toInt(), original.size());
        QCOMPARE(history.at(1).toObject().value("action").toString(), QString("write"));
        QCOMPARE(history.at(1).toObject().value("removed").toInt(), original.size() - 3);
        QCOMPARE(history.at(1).toObject().value("changed").toInt(), 1);
        QVERIFY(!history.at(1).toObject().value("stickVersion").toString().isEmpty());

        // Found across both sites: by part of a name in any case, and by id.
        r = run(nullptr, {"--json", "find", "иванов"});
        QCOMPARE(r.exitCode, 0);
        QJsonArray found = json(r).array();
        QCOMPARE(found.size(), 2);
        QCOMPARE(found.at(0).toObject().value("site").toString(), QString("Дом 1"));
        QCOMPARE(found.at(1).toObject().value("ownerName").toString(), QString("Общий Иванов"));
        const int gone = int(original.last().id);
        r = run(nullptr, {"--json", "find", QString::number(gone)});
        found = json(r).array();
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.at(0).toObject().value("id").toInt(), gone);
        QCOMPARE(found.at(0).toObject().value("current").toBool(), false);
        QCOMPARE(found.at(0).toObject().value("last").toObject().value("snapshot").toString(),
                 QFileInfo(history.at(0).toObject().value("path").toString()).fileName());

        // The older snapshot restored through apply: the stick holds its table again.
        r = run(&house, {"--yes", "--site", "Дом 1", "apply",
                         history.at(0).toObject().value("path").toString()});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(house.state().modemRemotes, original);
        r = run(nullptr, {"--json", "history", "Дом 1"});
        const QJsonArray after = json(r).object().value("snapshots").toArray();
        QCOMPARE(after.size(), 3);
        QCOMPARE(after.at(2).toObject().value("action").toString(), QString("apply"));
        QCOMPARE(after.at(2).toObject().value("added").toInt(), original.size() - 3);

        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QFAIL("pdftotext (poppler-utils) is needed: scripts/deps installs it");
        const QString pdf = home.filePath("office.pdf");
        r = run(nullptr, {"report", "Офис", "-o", pdf, "--lang", "en"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QProcess text;
        text.start(pdftotext, {pdf, "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString page = QString::fromUtf8(text.readAllStandardOutput());
        // In English, with the actuator's parameters as read: by name, with their units.
        for (const char *expected : {"Офис", "Общий Иванов", "Remotes", "Reading parameters",
                                     "Roller shutter", "1.50 s", "90 s"})
            QVERIFY2(page.contains(QString::fromUtf8(expected)), qPrintable(page));
    }

    void clearErrors()
    {
        QCOMPARE(run(nullptr, {"history", "Нет такого"}).exitCode, 2);
        QCOMPARE(run(nullptr, {"report", "Нет такого", "-o", home.filePath("x.pdf")}).exitCode, 2);
        const CtlRun noOutput = run(nullptr, {"report", "Нет такого"});
        QCOMPARE(noOutput.exitCode, 2);
        QVERIFY(noOutput.err.contains("-o"));
        QCOMPARE(run(nullptr, {"find"}).exitCode, 2);
        QCOMPARE(run(nullptr, {"--site", "Дом", "sites"}).exitCode, 2);
        QCOMPARE(run(nullptr, {"--site", "  ", "read"}).exitCode, 2);
        // No site of that name, nothing of it made.
        QVERIFY(!QFileInfo::exists(
            home.filePath("data/Vexo Electronics/VexoControlTool/sites/Нет такого")));
    }
};

QTEST_GUILESS_MAIN(tst_vexoctl_sites)
#include "tst_vexoctl_sites.moc"
