#include "qcircleprogressbar.h"
#include "qoperation.h"
#include "qwaitdialog.h"

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

class TestWaitDialog : public QObject
{
    Q_OBJECT

private:
    template <typename T> static T *part(QWaitDialog &d, const char *name)
    {
        T *found = d.findChild<T *>(name);
        if (!found)
            qFatal("no %s in the dialog", name);
        return found;
    }

    // Runs the dialog modally and does `step` from inside its loop.
    static int execWith(QWaitDialog &d, std::function<void()> step)
    {
        QTimer::singleShot(0, &d, [&d, step] {
            if (!QTest::qWaitForWindowExposed(&d))
                qWarning("wait dialog not exposed");
            step();
        });
        return d.exec();
    }

    static QImage paint(QCircleProgressBar &bar)
    {
        QImage image(bar.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        bar.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        return image;
    }
    static bool near(QColor a, QColor b)
    {
        return qAbs(a.red() - b.red()) < 8 && qAbs(a.green() - b.green()) < 8 &&
               qAbs(a.blue() - b.blue()) < 8;
    }

private slots:
    void animationModeLayout()
    {
        QWaitDialog d(nullptr, QWaitDialog::AnimationMode, "Запрос версии", false, true, "Поиск");
        QCOMPARE(part<QLabel>(d, "label_caption")->text(),
                 QStringLiteral("<h2>Пожалуйста, подождите</h2>"));
        QCOMPARE(part<QLabel>(d, "label_text")->text(), QStringLiteral("<h3>Запрос версии</h3>"));
        QVERIFY(part<QLabel>(d, "label_text")->wordWrap());
        QVERIFY(part<QProgressBar>(d, "progressBar")->isHidden());
        QLabel *animation = part<QLabel>(d, "label_animation");
        QVERIFY(!animation->isHidden());
        QVERIFY(animation->movie() && animation->movie()->state() == QMovie::Running);
        QCOMPARE(animation->minimumSize(), animation->movie()->currentPixmap().size());
        QVERIFY(!animation->minimumSize().isEmpty());
        QVERIFY(part<QPushButton>(d, "pushButton_cancel")->isHidden());
        QVERIFY(!part<QPushButton>(d, "pushButton_ext")->isHidden());
        QCOMPARE(part<QPushButton>(d, "pushButton_ext")->text(), QStringLiteral("Поиск"));
        QVERIFY(d.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(d.windowType(), Qt::SplashScreen);
    }

    void progressModeLayout()
    {
        QWaitDialog d(nullptr, QWaitDialog::ProgressMode, "Чтение", true, false, "");
        QVERIFY(part<QLabel>(d, "label_animation")->isHidden());
        QVERIFY(!part<QProgressBar>(d, "progressBar")->isHidden());
        QCOMPARE(part<QProgressBar>(d, "progressBar")->value(), 0);
        QVERIFY(!part<QPushButton>(d, "pushButton_cancel")->isHidden());
        QCOMPARE(part<QPushButton>(d, "pushButton_cancel")->text(), QStringLiteral("Отмена"));
        QVERIFY(part<QPushButton>(d, "pushButton_ext")->isHidden());
        QVERIFY(d.isCancelOperationEnabled());
    }

    void escapeWithoutCancelLeavesItOpen()
    {
        QWaitDialog d(nullptr, QWaitDialog::AnimationMode, "x", false, false, "");
        bool stillOpen = false;
        QString caption;
        const int result = execWith(d, [&] {
            QTest::keyClick(&d, Qt::Key_Escape);
            d.close(); // the window's own close goes the same way
            stillOpen = d.isVisible();
            caption = d.findChild<QLabel *>("label_caption")->text();
            d.systemReject();
        });
        QVERIFY(stillOpen);
        // Not silently: the user is told why.
        QVERIFY2(caption.contains("Операцию нельзя прервать: дождитесь её окончания"),
                 qPrintable(caption));
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(d.isCancelOperationEnabled());
    }

    void escapeAndCancelWithCancelEnabled()
    {
        QWaitDialog byKey(nullptr, QWaitDialog::AnimationMode, "x", true, false, "");
        QCOMPARE(execWith(byKey, [&] { QTest::keyClick(&byKey, Qt::Key_Escape); }),
                 int(QDialog::Rejected));

        QWaitDialog byButton(nullptr, QWaitDialog::AnimationMode, "x", true, false, "");
        QPushButton *cancel = part<QPushButton>(byButton, "pushButton_cancel");
        QCOMPARE(execWith(byButton, [&] { cancel->click(); }), int(QDialog::Rejected));
    }

    void completionSignalsCloseIt()
    {
        // The way every operation wires the dialog to its completion signals.
        QWaitDialog ok(nullptr, QWaitDialog::AnimationMode, "x", false, false, "");
        QCOMPARE(execWith(ok, [&] { QMetaObject::invokeMethod(&ok, "accept"); }),
                 int(QDialog::Accepted));
        QWaitDialog failed(nullptr, QWaitDialog::AnimationMode, "x", false, false, "");
        QCOMPARE(execWith(failed, [&] { QMetaObject::invokeMethod(&failed, "systemReject"); }),
                 int(QDialog::Rejected));
    }

    void extraButtonSignalsAndStaysOpen()
    {
        QWaitDialog d(nullptr, QWaitDialog::AnimationMode, "x", false, true, "Поиск");
        QSignalSpy ext(&d, &QWaitDialog::extButtonClicked);
        bool open = false;
        execWith(d, [&] {
            part<QPushButton>(d, "pushButton_ext")->click();
            open = d.isVisible();
            d.systemReject();
        });
        QCOMPARE(ext.count(), 1);
        QVERIFY(open);
        d.setExtOperationEnabled(false);
        QVERIFY(part<QPushButton>(d, "pushButton_ext")->isHidden());
    }

    void closedWhileBeingShownStillReturns()
    {
        // Without a running application loop, showing the dialog processes events;
        // an answer handled right then must still end exec().
        QWaitDialog d(nullptr, QWaitDialog::AnimationMode, "x", false, false, "");
        QTimer::singleShot(0, &d, [&d] { d.accept(); });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(d.exec(), int(QDialog::Accepted));
        QVERIFY(clock.elapsed() < 2000);
        QVERIFY(!d.isVisible());
        // And it can run again.
        QCOMPARE(execWith(d, [&] { d.systemReject(); }), int(QDialog::Rejected));
    }

    void incProgressWithMaximumZeroAcceptsAtOnce()
    {
        QWaitDialog d(nullptr, QWaitDialog::ProgressMode, "x", false, false, "");
        QCOMPARE(d.maxProgress(), 0);
        QCOMPARE(execWith(d, [&] { d.incProgress(); }), int(QDialog::Accepted));
    }

    void progressSlots()
    {
        QWaitDialog d(nullptr, QWaitDialog::ProgressMode, "x", false, false, "");
        QProgressBar *bar = part<QProgressBar>(d, "progressBar");
        d.setMaxProgress(3);
        QCOMPARE(bar->maximum(), 3);
        bool openAfterTwo = false;
        int progressAfterTwo = -1;
        const int result = execWith(d, [&] {
            d.incProgress();
            d.incProgress(1);
            openAfterTwo = d.isVisible();
            progressAfterTwo = d.property("progress").toInt();
            d.incProgress();
        });
        QVERIFY(openAfterTwo);
        QCOMPARE(progressAfterTwo, 2);
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(bar->value(), 3);

        QWaitDialog e(nullptr, QWaitDialog::ProgressMode, "x", false, false, "");
        QProgressBar *ebar = part<QProgressBar>(e, "progressBar");
        e.setProgress(5, 10);
        QCOMPARE(ebar->maximum(), 10);
        QCOMPARE(ebar->value(), 5);
        QCOMPARE(e.property("progress").toInt(), 5);
        QCOMPARE(e.property("maxProgress").toInt(), 10);
        e.setProgress(7);
        QCOMPARE(ebar->value(), 7);
        QCOMPARE(e.progress(), 7);
        bool openAfterOne = false;
        QCOMPARE(execWith(e,
                          [&] {
                              e.incProgress(2); // 9 of 10
                              openAfterOne = e.isVisible();
                              e.incProgress(5); // beyond the maximum still accepts
                          }),
                 int(QDialog::Accepted));
        QVERIFY(openAfterOne);
        QCOMPARE(e.progress(), 14);
    }

    void texts()
    {
        QWaitDialog d(nullptr, QWaitDialog::AnimationMode, "Чтение", false, false, "");
        d.setText("Шаг 2");
        QCOMPARE(part<QLabel>(d, "label_text")->text(), QStringLiteral("Шаг 2"));
        // An owner's name is shown as written, never taken for markup.
        const QString owner = "Найден пульт, владелец '<a href=\"http://x\">Иванов</a> & Ко'.";
        d.setText(owner);
        QCOMPARE(part<QLabel>(d, "label_text")->textFormat(), Qt::PlainText);
        QCOMPARE(part<QLabel>(d, "label_text")->text(), owner);
        QOperation step(owner, false);
        d.watch(&step);
        step.setText("<b>Ко</b> & <i>");
        QCOMPARE(part<QLabel>(d, "label_text")->textFormat(), Qt::RichText);
        QCOMPARE(part<QLabel>(d, "label_text")->text(),
                 QStringLiteral("<h3>&lt;b&gt;Ко&lt;/b&gt; &amp; &lt;i&gt;</h3>"));
        d.setCaption("Обновление");
        QCOMPARE(part<QLabel>(d, "label_caption")->text(), QStringLiteral("<h2>Обновление</h2>"));
        d.restoreCaption();
        QCOMPARE(part<QLabel>(d, "label_caption")->text(),
                 QStringLiteral("<h2>Пожалуйста, подождите</h2>"));
        d.setCancelButtonText("Стоп");
        QCOMPARE(part<QPushButton>(d, "pushButton_cancel")->text(), QStringLiteral("Стоп"));
        d.restoreCancelButtonText();
        QCOMPARE(part<QPushButton>(d, "pushButton_cancel")->text(), QStringLiteral("Отмена"));
        d.setExtButtonText("Ещё");
        QCOMPARE(part<QPushButton>(d, "pushButton_ext")->text(), QStringLiteral("Ещё"));
        d.setCancelOperationEnabled(true);
        QVERIFY(!part<QPushButton>(d, "pushButton_cancel")->isHidden());
        QVERIFY(d.isCancelOperationEnabled());
    }

    // The dialog only watches an operation: it opens without a loop of its own, shows the
    // operation's text and progress, asks it to end on Cancel, and closes (deleting
    // itself) once it has finished, whoever ended it.
    void watchesAnOperation()
    {
        QWidget parent;
        parent.show();
        QOperation cancelled("Чтение", true);
        connect(&cancelled, &QOperation::cancelRequested, &cancelled,
                [&] { cancelled.finish(QOperation::Cancelled); });
        QPointer<QWaitDialog> d =
            QWaitDialog::showFor(&parent, &cancelled, QWaitDialog::ProgressMode);
        QVERIFY(d->isVisible());
        QCOMPARE(d->windowModality(), Qt::WindowModal);
        cancelled.setText("Запись");
        cancelled.setProgress(3, 7);
        QCOMPARE(part<QLabel>(*d, "label_text")->text(), QStringLiteral("<h3>Запись</h3>"));
        QCOMPARE(part<QProgressBar>(*d, "progressBar")->value(), 3);
        QCOMPARE(part<QProgressBar>(*d, "progressBar")->maximum(), 7);
        part<QPushButton>(*d, "pushButton_cancel")->click();
        QCOMPARE(cancelled.outcome(), QOperation::Cancelled);
        QTRY_VERIFY(d.isNull());

        QOperation done("Запрос", false);
        d = QWaitDialog::showFor(&parent, &done, QWaitDialog::AnimationMode);
        QVERIFY(!part<QPushButton>(*d, "pushButton_cancel")->isVisibleTo(d));
        done.finish(QOperation::Succeeded);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QTRY_VERIFY(d.isNull());
    }

    // Over the middle of its window, however its size changes and wherever the window
    // goes after it opened (a window manager places a new window late); never off screen.
    void staysCentredOverItsWindow()
    {
        QWidget owner;
        owner.setGeometry(120, 90, 640, 480);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        QOperation reading("Чтение", true);
        QPointer<QWaitDialog> d =
            QWaitDialog::showFor(&owner, &reading, QWaitDialog::AnimationMode);
        QVERIFY(QTest::qWaitForWindowExposed(d.data()));
        const auto centred = [&] {
            const QPoint gap = d->frameGeometry().center() - owner.frameGeometry().center();
            return gap.manhattanLength() <= 2;
        };
        QVERIFY(centred());
        const QSize before = d->size();
        reading.setProgress(1, 10);
        reading.setText(QStringLiteral("Чтение пультов с USB-stick, запись в файл. ").repeated(3));
        QVERIFY(d->size() != before);
        QTRY_VERIFY(centred());
        owner.move(300, 200);
        QTRY_VERIFY(centred());
        reading.finish(QOperation::Succeeded);
        QTRY_VERIFY(d.isNull());

        const QRect screen(0, 0, 800, 600);
        QCOMPARE(QWaitDialog::centredOver(QRect(-500, 0, 400, 300), QSize(200, 100), screen),
                 QRect(0, 100, 200, 100));
        QCOMPARE(QWaitDialog::centredOver(QRect(700, 550, 400, 300), QSize(200, 100), screen),
                 QRect(600, 500, 200, 100));
        QCOMPARE(QWaitDialog::centredOver(QRect(), QSize(200, 100), screen),
                 QRect(300, 250, 200, 100));
    }

    void circleWithMaximumZeroIsTheFullDisc()
    {
        QCircleProgressBar bar;
        bar.resize(101, 101);
        bar.setRange(0, 0);
        const QImage image = paint(bar);
        QVERIFY(near(image.pixelColor(50, 50), QCircleProgressBar::discColour));
        for (QPoint p : {QPoint(50, 20), QPoint(50, 80), QPoint(20, 50), QPoint(80, 50)})
            QVERIFY2(near(image.pixelColor(p), QCircleProgressBar::discColour),
                     qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
        QCOMPARE(image.pixelColor(1, 1).alpha(), 0); // outside the disc
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QVERIFY(!near(image.pixelColor(x, y), QCircleProgressBar::sectorColour));
    }

    void circleSectorGrowsClockwiseFromNine()
    {
        QCircleProgressBar bar;
        bar.resize(101, 101);
        bar.setRange(0, 100);
        bar.setValue(50);
        QImage image = paint(bar);
        QVERIFY(near(image.pixelColor(50, 25), QCircleProgressBar::sectorColour));
        QVERIFY(near(image.pixelColor(50, 75), QCircleProgressBar::discColour));

        bar.setValue(25); // nine to twelve o'clock: the upper left quarter
        image = paint(bar);
        QVERIFY(near(image.pixelColor(30, 30), QCircleProgressBar::sectorColour));
        QVERIFY(near(image.pixelColor(70, 30), QCircleProgressBar::discColour));
        QVERIFY(near(image.pixelColor(30, 70), QCircleProgressBar::discColour));
    }
};

QTEST_MAIN(TestWaitDialog)
#include "tst_waitdialog.moc"
