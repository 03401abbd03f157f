// The window helpers: the open-window waiter and the window-menu handler.
#include <Quorvel/App/Application/Dialogs/MacMenuActionHandler.h>
#include <Quorvel/App/Application/Dialogs/OpenWindowWaiter.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QMainWindow>
#include <QMenuBar>

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

    // "<action> [allowed|refused] [maximized] [no window menu]": the state that follows.
    void minimizeAndZoom_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("expected");
        QTest::newRow("minimize") << "actionMinimize" << int(Qt::WindowMinimized);
        QTest::newRow("minimize refused") << "actionMinimize refused" << int(Qt::WindowNoState);
        QTest::newRow("zoom maximizes") << "actionZoom allowed" << int(Qt::WindowMaximized);
        QTest::newRow("zoom restores") << "actionZoom maximized" << int(Qt::WindowNoState);
        QTest::newRow("no window menu")
            << "actionMinimize no window menu" << int(Qt::WindowNoState);
    }
    void minimizeAndZoom() {
        QFETCH(QString, script);
        const QString menu = script.contains("no window menu") ? "menuView" : "menuWindow";
        QMainWindow window;  // menus as a menu design makes them, children of the menu bar
        QMenu* windowMenu = window.menuBar()->addMenu(menu);
        windowMenu->setObjectName(menu);
        for (const char* name : {"actionMinimize", "actionZoom"}) {
            windowMenu->addAction(name)->setObjectName(name);
        }
        std::function<bool(QWidget*)> allows;
        if (script.contains("allowed") || script.contains("refused")) {
            allows = [&](QWidget* w) { return (w == &window) == script.contains("allowed"); };
        }
        new MacMenuActionHandler(window.menuBar(), allows);
        script.contains("maximized") ? window.showMaximized() : window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.findChild<QAction*>(script.section(' ', 0, 0))->trigger();
        QTEST(int(window.windowState()), "expected");
    }
};

QUORVEL_TEST_MAIN(WindowHelpersTest)
#include "tst_WindowHelpers.moc"
