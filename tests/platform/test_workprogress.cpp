#include "platform/workprogress.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

/// The progress of long work repaints at most every 100 ms and never lets other work in.
class TestWorkProgress : public QObject
{
    Q_OBJECT

private slots:
    void repaintsAtMostEveryHundredMilliseconds_data()
    {
        QTest::addColumn<int>("msPerStep");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("repaints");
        QTest::newRow("quick steps: every 15th, then the end") << 7 << 100 << 7;
        QTest::newRow("work shorter than the interval: only the end") << 1 << 50 << 1;
        QTest::newRow("slow steps: each one") << 200 << 5 << 5;
        QTest::newRow("exactly the interval: each one") << 100 << 4 << 4;
    }

    void repaintsAtMostEveryHundredMilliseconds()
    {
        QFETCH(int, msPerStep);
        QFETCH(int, steps);
        QFETCH(int, repaints);
        qint64 now = 0;
        WorkProgress progress("正在重新计算年龄信息……", nullptr, [&now] { return now; });
        for (int done = 1; done <= steps; ++done) {
            now += msPerStep;
            progress.step(done, steps);
        }
        QCOMPARE(progress.repaints(), repaints);
        QCOMPARE(progress.dialog().maximum(), steps);
        QCOMPARE(progress.dialog().value(), steps); // the end is always shown
    }

    void nothingElseRunsWhileTheWorkGoesOn()
    {
        QWidget other;
        auto* button = new QPushButton("删除", &other);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        int clicks = 0;
        connect(button, &QPushButton::clicked, this, [&clicks] { ++clicks; });
        bool timerRan = false;

        qint64 now = 0;
        {
            WorkProgress progress("正在重新计算年龄信息……", &other, [&now] { return now; });
            QVERIFY(progress.dialog().isVisible());
            // A click on another window and a timer that is due, both waiting while the work runs.
            const QPoint centre = button->rect().center();
            QCoreApplication::postEvent(button,
                                        new QMouseEvent(QEvent::MouseButtonPress, centre, button->mapToGlobal(centre),
                                                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
            QCoreApplication::postEvent(button,
                                        new QMouseEvent(QEvent::MouseButtonRelease, centre, button->mapToGlobal(centre),
                                                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
            QTimer::singleShot(0, this, [&timerRan] { timerRan = true; });
            for (int done = 1; done <= 20; ++done) {
                now += 150;
                progress.step(done, 20);
            }
            QCOMPARE(progress.repaints(), 20);
            QCOMPARE(clicks, 0);
            QVERIFY(!timerRan);
        }
        // Nothing was lost: once the work is over, the click arrives.
        QTRY_COMPARE(clicks, 1);
        QVERIFY(timerRan);
    }
};

QTEST_MAIN(TestWorkProgress)
#include "test_workprogress.moc"
