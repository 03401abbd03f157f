#include <Quorvel/App/Application/Dialogs/OpenWindowWaiter.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QElapsedTimer>
#include <QWidget>
#include <QtTest>

#include <memory>

using Quorvel::App::OpenWindowWaiter;

class OpenWindowWaiterTest : public QObject {
    Q_OBJECT
private:
    // Counts the waiter's Finished() on this thread and notes when the first one came.
    void Watch(OpenWindowWaiter& waiter, int& finished, qint64& at, const QElapsedTimer& clock) {
        connect(&waiter, &OpenWindowWaiter::Finished, this, [&] {
            if (finished++ == 0) {
                at = clock.elapsed();
            }
        });
    }

private slots:
    // A hidden window of the process never ends the wait; the 12-second limit does, once.
    void finishesOnceAWindowShows_data() {
        QTest::addColumn<int>("showAfter");  // milliseconds after Start(); -1: never
        QTest::addColumn<int>("earliest");
        QTest::addColumn<int>("latest");
        QTest::newRow("shown before") << 0 << 250 << 2500;
        QTest::newRow("shown a second later") << 1000 << 1000 << 3500;
        QTest::newRow("only hidden windows") << -1 << 11500 << 20000;
    }
    void finishesOnceAWindowShows() {
        QFETCH(int, showAfter);
        QFETCH(int, earliest);
        QFETCH(int, latest);
        QWidget hidden;
        hidden.show();
        hidden.hide();
        QWidget window;
        if (showAfter == 0) {
            window.show();
        } else if (showAfter > 0) {
            QTimer::singleShot(showAfter, &window, &QWidget::show);
        }
        int finished = 0;
        qint64 at = -1;
        QElapsedTimer clock;
        OpenWindowWaiter waiter;
        Watch(waiter, finished, at, clock);
        clock.start();
        waiter.Start();
        QTRY_COMPARE_WITH_TIMEOUT(finished, 1, 25000);
        QVERIFY2(at >= earliest && at <= latest, qPrintable(QString::number(at)));
        QTest::qWait(400);
        QCOMPARE(finished, 1);
    }

    // The destructor blocks the GUI thread until the waiting thread ends: that thread must
    // never wait for the GUI thread. Destroying one waiter ends the wait of every waiter.
    void destroyedMidWait() {
        int firstFinished = 0;
        int secondFinished = 0;
        qint64 at = -1;
        QElapsedTimer clock;
        auto first = std::make_unique<OpenWindowWaiter>();
        OpenWindowWaiter second;
        Watch(*first, firstFinished, at, clock);
        Watch(second, secondFinished, at, clock);
        first->Start();
        second.Start();
        QTest::qWait(700);
        clock.start();
        first.reset();
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QTRY_COMPARE_WITH_TIMEOUT(secondFinished, 1, 2000);
        QCOMPARE(firstFinished, 1);
    }
};

QUORVEL_TEST_MAIN(OpenWindowWaiterTest)
#include "tst_OpenWindowWaiter.moc"
