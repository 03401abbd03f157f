// The window helpers: the open-window waiter and the window-menu handler.
#include <Quorvel/App/Application/Dialogs/MacMenuActionHandler.h>
#include <Quorvel/App/Application/Dialogs/OpenWindowWaiter.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenuBar>
#include <QtTest>

#include <memory>

using Quorvel::App::MacMenuActionHandler;
using Quorvel::App::OpenWindowWaiter;

class WindowHelpersTest : public QObject {
    Q_OBJECT
private slots:
    // Two waiters share the process's waiting flag, so a window found, or a waiter destroyed,
    // ends both waits; the last one ends about 300 ms after a window shows, after about 12 s
    // when only hidden ones exist, or a pause after one is destroyed. The destructor blocks
    // this thread, so the waiting thread must never wait for this one.
    void finishesOnce_data() {
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("destroyAfter");  // milliseconds; -1: kept
        QTest::addColumn<int>("earliest");
        QTest::addColumn<int>("latest");
        QTest::newRow("window shown") << true << -1 << 250 << 2500;
        QTest::newRow("only hidden windows") << false << -1 << 11500 << 20000;
        QTest::newRow("destroyed mid-wait") << false << 700 << 700 << 2500;
    }
    void finishesOnce() {
        QFETCH(bool, shown);
        QFETCH(int, destroyAfter);
        QFETCH(int, earliest);
        QFETCH(int, latest);
        QWidget window;
        window.show();
        window.setVisible(shown);
        QElapsedTimer clock;
        QList<qint64> finished;
        auto first = std::make_unique<OpenWindowWaiter>();
        OpenWindowWaiter second;
        clock.start();
        for (OpenWindowWaiter* waiter : {first.get(), &second}) {
            connect(waiter, &OpenWindowWaiter::Finished, this,
                    [&] { finished << clock.elapsed(); });
            waiter->Start();
        }
        if (destroyAfter >= 0) {
            QTest::qWait(destroyAfter);
            first.reset();
        }
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 25000);
        QTest::qWait(400);
        QCOMPARE(finished.size(), 2);
        QVERIFY2(finished.last() >= earliest && finished.last() <= latest,
                 qPrintable(QString::number(finished.last())));
    }

    void minimizeAndZoom_data() {
        QTest::addColumn<QString>("menu");  // the window menu's object name
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("filter");  // -1: none; 1 allows the main window, 0 refuses it
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<int>("expected");
        const QString menu = "menuWindow";
        QTest::newRow("minimize") << menu << "actionMinimize" << -1 << false
                                  << int(Qt::WindowMinimized);
        QTest::newRow("minimize refused")
            << menu << "actionMinimize" << 0 << false << int(Qt::WindowNoState);
        QTest::newRow("zoom maximizes")
            << menu << "actionZoom" << 1 << false << int(Qt::WindowMaximized);
        QTest::newRow("zoom restores")
            << menu << "actionZoom" << -1 << true << int(Qt::WindowNoState);
        QTest::newRow("no window menu")
            << "menuView"
            << "actionMinimize" << -1 << false << int(Qt::WindowNoState);
    }
    void minimizeAndZoom() {
        QFETCH(QString, menu);
        QFETCH(QString, action);
        QFETCH(int, filter);
        QFETCH(bool, maximized);
        QFETCH(int, expected);
        QMainWindow window;  // menus as a menu design makes them, children of the menu bar
        QMenu* windowMenu = window.menuBar()->addMenu(menu);
        windowMenu->setObjectName(menu);
        for (const char* name : {"actionMinimize", "actionZoom"}) {
            windowMenu->addAction(name)->setObjectName(name);
        }
        std::function<bool(QWidget*)> allows;
        if (filter >= 0) {
            allows = [&](QWidget* widget) { return (widget == &window) == (filter == 1); };
        }
        new MacMenuActionHandler(window.menuBar(), allows);
        maximized ? window.showMaximized() : window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.findChild<QAction*>(action)->trigger();
        QCOMPARE(int(window.windowState()), expected);
    }
};

QUORVEL_TEST_MAIN(WindowHelpersTest)
#include "tst_WindowHelpers.moc"
