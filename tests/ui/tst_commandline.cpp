#include "owneronly.h"

#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The program's own binary, started as a shell or the desktop's menu would start it.
class tst_commandline : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir home;

    // Settings, data and the instance lock stay in the test's own folders.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", home.filePath("runtime"));
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        return env;
    }

    struct Run {
        int exitCode = -1;
        QString out, err;
    };
    Run run(const QStringList &arguments, int timeoutMs = 60000) const
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(VEXO_PROGRAM, arguments);
        Run r;
        if (!p.waitForFinished(timeoutMs)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    // Starts a demo instance and waits until it has claimed the instance lock and
    // started its emulated stick.
    bool startDemo(QProcess &p, QString *err) const
    {
        p.setProcessEnvironment(environment());
        p.start(VEXO_PROGRAM, {"--demo"});
        return QTest::qWaitFor(
                   [&] {
                       *err += QString::fromUtf8(p.readAllStandardError());
                       return err->contains("--demo: emulated USB-stick on") ||
                              p.state() == QProcess::NotRunning;
                   },
                   60000) &&
               p.state() == QProcess::Running;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        // As the session's runtime directory is: private to the user.
        QVERIFY(QDir(home.path()).mkdir("runtime"));
        QFile::setPermissions(home.filePath("runtime"), QFileDevice::ReadOwner |
                                                            QFileDevice::WriteOwner |
                                                            QFileDevice::ExeOwner);
    }

    void helpAndVersion()
    {
        const Run help = run({"--help"});
        QCOMPARE(help.exitCode, 0);
        for (const char *option : {"-h, --help", "-v, --version", "--port <PATH>", "--demo"})
            QVERIFY2(help.out.contains(option), qPrintable(option + ("\n" + help.out)));
        for (const char *option : {"--version", "-v"}) {
            const Run r = run({option});
            QCOMPARE(r.exitCode, 0);
            QCOMPARE(r.out, QString("Vexo Control Tool 0.40e\n"));
        }
    }

    void usageErrorsExitWithTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown option") << QStringList{"--bogus"} << "Unknown option 'bogus'.";
        QTest::newRow("value missing") << QStringList{"--port"} << "Missing value after '--port'.";
        QTest::newRow("stray argument")
            << QStringList{"--demo", "extra"} << "Unexpected argument 'extra'.";
        // The machine's ports may hold a real stick: the demonstration never probes them.
        QTest::newRow("demo with a port")
            << QStringList{"--demo", "--port", "/dev/ttyS0"}
            << "--demo probes only its own emulated USB-stick; it cannot be used with --port.";
    }
    void usageErrorsExitWithTwo()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        const Run r = run(arguments);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.startsWith(error), qPrintable(r.err));
        QVERIFY(r.err.contains("--version"));
        QVERIFY(r.out.isEmpty());
    }

    void secondStartHandsOverAndEnds()
    {
        QProcess first;
        QString firstErr;
        QVERIFY2(startDemo(first, &firstErr), qPrintable(firstErr));

        const Run second = run({"--demo"});
        QCOMPARE(second.exitCode, 0);
        QVERIFY2(second.err.contains("already running; its window was brought to the front"),
                 qPrintable(second.err));
        QVERIFY(!second.err.contains("--demo: emulated"));
        QCOMPARE(first.state(), QProcess::Running);

        // SIGTERM leaves as the close button does.
        first.terminate();
        QVERIFY(first.waitForFinished(30000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
    }

    void aKilledInstanceDoesNotBlockTheNext()
    {
        QProcess killed;
        QString err;
        QVERIFY2(startDemo(killed, &err), qPrintable(err));
        killed.kill();
        QVERIFY(killed.waitForFinished(10000));

        QProcess next;
        err.clear();
        QVERIFY2(startDemo(next, &err), qPrintable(err));
        next.terminate();
        QVERIFY(next.waitForFinished(30000));
        QCOMPARE(next.exitCode(), 0);
    }

    // Runs last: no demo before it may have left anything in the user's folders either.
    void demoKeepsToAFolderOfItsOwn()
    {
        QProcess demo;
        QString err;
        QVERIFY2(startDemo(demo, &err), qPrintable(err));
        const QString folder =
            QRegularExpression("--demo: data and settings in ([^\n]+)\n").match(err).captured(1);
        QVERIFY2(!folder.isEmpty(), qPrintable(err));
        QVERIFY(QTest::qWaitFor(
            [&] {
                err += QString::fromUtf8(demo.readAllStandardError());
                return err.contains("--demo: firmware files in " + folder + "/data/");
            },
            30000));
        QVERIFY2(err.contains(", the only port probed\n"), qPrintable(err));
        QVERIFY(ownerOnly(folder));
        QVERIFY(ownerOnly(folder + "/data"));

        demo.terminate();
        QVERIFY(demo.waitForFinished(30000));
        QCOMPARE(demo.exitCode(), 0);
        QVERIFY(!QFile::exists(folder));
        for (const char *mine : {"data", "config"}) {
            QDirIterator left(home.filePath(mine),
                              QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            QVERIFY2(!left.hasNext(), qPrintable(left.hasNext() ? left.next() : QString()));
        }
    }
};

QTEST_GUILESS_MAIN(tst_commandline)
#include "tst_commandline.moc"
