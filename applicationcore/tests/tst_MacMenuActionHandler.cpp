#include <Quorvel/App/Application/Dialogs/MacMenuActionHandler.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QMainWindow>
#include <QMenuBar>
#include <QtTest>

using Quorvel::App::MacMenuActionHandler;

namespace {

const QKeySequence kDesigned(Qt::CTRL + Qt::Key_F12);

// A main window whose menu bar holds, as a menu design would, a window menu and an
// application menu under the given object names, each entry named as the handler expects and
// given a shortcut of the design's own.
struct Shell {
    Shell(const QString& windowMenuName, const QString& applicationMenuName) {
        AddMenu(windowMenuName, {"actionMinimize", "actionZoom"});
        AddMenu(applicationMenuName,
                {"action_Hide", "action_Hide_Others", "action_Preferences", "action_Quit"});
    }
    void AddMenu(const QString& name, const QStringList& actions) {
        QMenu* menu = window.menuBar()->addMenu(name);
        menu->setObjectName(name);
        for (const QString& name : actions) {
            QAction* action = menu->addAction(name);
            action->setObjectName(name);
            action->setShortcut(kDesigned);
        }
    }
    QAction* Action(const QString& name) { return window.findChild<QAction*>(name); }

    QMainWindow window;
};

}  // namespace

class MacMenuActionHandlerTest : public QObject {
    Q_OBJECT
private slots:
    void minimizeAndZoom_data() {
        QTest::addColumn<QString>("windowMenu");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("filter");  // "", "allows" or "refuses" the main window
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<int>("expected");
        QTest::newRow("minimize") << "menuWindow" << "actionMinimize" << "" << false
                                  << int(Qt::WindowMinimized);
        QTest::newRow("minimize refused") << "menuWindow" << "actionMinimize" << "refuses"
                                          << false << int(Qt::WindowNoState);
        QTest::newRow("zoom maximizes") << "menuWindow" << "actionZoom" << "" << false
                                        << int(Qt::WindowMaximized);
        QTest::newRow("zoom restores") << "menuWindow" << "actionZoom" << "allows" << true
                                       << int(Qt::WindowNoState);
        QTest::newRow("zoom refused") << "menuWindow" << "actionZoom" << "refuses" << true
                                      << int(Qt::WindowMaximized);
        QTest::newRow("no window menu") << "menuView" << "actionMinimize" << "" << false
                                        << int(Qt::WindowNoState);
    }
    void minimizeAndZoom() {
        QFETCH(QString, windowMenu);
        QFETCH(QString, action);
        QFETCH(QString, filter);
        QFETCH(bool, maximized);
        QFETCH(int, expected);
        Shell shell(windowMenu, "menuMacOSMenu");
        std::function<bool(QWidget*)> allows;
        if (!filter.isEmpty()) {
            allows = [&](QWidget* widget) { return (widget == &shell.window) == (filter == "allows"); };
        }
        new MacMenuActionHandler(shell.window.menuBar(), allows);
        maximized ? shell.window.showMaximized() : shell.window.show();
        shell.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shell.window));
        shell.Action(action)->trigger();
        QCOMPARE(int(shell.window.windowState()), expected);
    }

    void shortcuts_data() {
        QTest::addColumn<QString>("applicationMenu");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QList<QKeySequence>>("expected");
        const QString menu = "menuMacOSMenu";
        QTest::newRow("hide") << menu << "action_Hide" << QList<QKeySequence>{Qt::CTRL + Qt::Key_H};
        QTest::newRow("hide others") << menu << "action_Hide_Others"
                                     << QList<QKeySequence>{Qt::CTRL + Qt::ALT + Qt::Key_H};
        // This platform's standard keys, even when it has none (Windows and offscreen).
        QTest::newRow("preferences") << menu << "action_Preferences"
                                     << QKeySequence::keyBindings(QKeySequence::Preferences);
        QTest::newRow("last entry quits")
            << menu << "action_Quit" << QKeySequence::keyBindings(QKeySequence::Quit);
        QTest::newRow("no application menu: hide") << "menuFile" << "action_Hide"
                                                   << QList<QKeySequence>{kDesigned};
        QTest::newRow("no application menu: quit") << "menuFile" << "action_Quit"
                                                   << QList<QKeySequence>{kDesigned};
    }
    void shortcuts() {
        QFETCH(QString, applicationMenu);
        QFETCH(QString, action);
        QFETCH(QList<QKeySequence>, expected);
        Shell shell("menuWindow", applicationMenu);
        new MacMenuActionHandler(shell.window.menuBar(), nullptr);
        QCOMPARE(shell.Action(action)->shortcuts(), expected);
    }
};

QUORVEL_TEST_MAIN(MacMenuActionHandlerTest)
#include "tst_MacMenuActionHandler.moc"
