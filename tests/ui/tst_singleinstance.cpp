#include "singleinstance.h"

#include <QFile>
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
};

QTEST_MAIN(tst_singleinstance)
#include "tst_singleinstance.moc"
