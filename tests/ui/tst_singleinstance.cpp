#include "owneronly.h"
#include "singleinstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QWidget>

#include <memory>

namespace
{
// activateRunning() blocks until the first instance answers, so it runs beside the test's
// event loop, as a second program would.
bool activateFromAnotherThread(const QString &dir, int timeoutMs = 5000)
{
    bool answered = false;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        SingleInstance second(dir);
        answered = second.activateRunning(timeoutMs);
    }));
    thread->start();
    while (!thread->wait(10))
        QCoreApplication::processEvents();
    return answered;
}
} // namespace

class tst_singleinstance : public QObject
{
    Q_OBJECT
private slots:
    void secondStartBringsTheFirstToTheFront()
    {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.claim());
        QWidget window;
        window.showMinimized();
        first.setWindow(&window);
        QSignalSpy requested(&first, &SingleInstance::activationRequested);

        SingleInstance second(dir.path());
        QVERIFY(!second.claim());
        QVERIFY(activateFromAnotherThread(dir.path()));
        QCOMPARE(requested.size(), 1);
        QVERIFY(window.isVisible());
        QVERIFY(!window.isMinimized());
    }

#ifdef Q_OS_UNIX
    void lockLivesOnlyInAPrivateFolder()
    {
        QTemporaryDir home;
        qputenv("XDG_CACHE_HOME", QFile::encodeName(home.filePath("cache")));
        const QString own = home.filePath("cache/vexo-control-tool");
        const QString runtime = home.filePath("runtime");
        QVERIFY(QDir().mkdir(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        QCOMPARE(SingleInstance::defaultDirectory(), runtime);
        QVERIFY(!QFile::exists(own));

        // A runtime directory others may enter, or none: a 0700 folder of the user's own,
        // never a name under the shared /tmp.
        QVERIFY(QFile::setPermissions(runtime, QFile::permissions(runtime) |
                                                   QFileDevice::ReadOther | QFileDevice::ExeOther |
                                                   QFileDevice::WriteOther));
        QCOMPARE(SingleInstance::defaultDirectory(), own);
        QVERIFY(ownerOnly(own));
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(SingleInstance::defaultDirectory(), own);
        SingleInstance instance;
        QVERIFY(instance.claim());
        QCOMPARE(QFileInfo(instance.socketPath()).path(), own);
        QVERIFY(QFile::exists(own + "/vexo-control-tool.lock"));
    }
#endif
};

QTEST_MAIN(tst_singleinstance)
#include "tst_singleinstance.moc"
