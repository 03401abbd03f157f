#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/SpontaneousDialog.h>

#include <QApplication>
#include <QDialog>
#include <QMainWindow>

#include <memory>
#include <vector>

using Quorvel::Util::SpontaneousDialog;

// Each row builds top-level windows from specs "<kind>[:hidden][:active]", kind being main,
// dialog, widget or embedded (a plain window holding a QMainWindow as a child), and names
// the one expected as the main window (-1: none).
class SpontaneousDialogTest : public QObject {
    Q_OBJECT
private slots:
    void findsTheMainWindow_data() {
        QTest::addColumn<QStringList>("windows");
        QTest::addColumn<int>("expected");
        QTest::newRow("inactive dialog only") << QStringList{"dialog"} << -1;
        QTest::newRow("hidden main window") << QStringList{"main:hidden", "dialog"} << 0;
        QTest::newRow("active main among visible ones")
            << QStringList{"main", "main:active", "main"} << 1;
        QTest::newRow("main beats an active dialog") << QStringList{"dialog:active", "main"} << 1;
        QTest::newRow("no main: the active window") << QStringList{"dialog", "widget:active"} << 1;
        QTest::newRow("child main window does not count")
            << QStringList{"embedded:active", "dialog"} << 0;
    }
    void findsTheMainWindow() {
        QFETCH(QStringList, windows);
        QFETCH(int, expected);
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
        std::vector<std::unique_ptr<QWidget>> made;
        QWidget* active = nullptr;
        for (const QString& spec : windows) {
            const QStringList parts = spec.split(':');
            QWidget* window = parts[0] == "main"     ? new QMainWindow
                              : parts[0] == "dialog" ? static_cast<QWidget*>(new QDialog)
                                                     : new QWidget;
            made.emplace_back(window);
            if (parts[0] == "embedded") {  // a QMainWindow is a window unless told otherwise
                (new QMainWindow(window))->setWindowFlags(Qt::Widget);
            }
            window->setVisible(!parts.contains("hidden"));
            active = parts.contains("active") ? window : active;
        }
        QApplication::setActiveWindow(active);
        QCOMPARE(QApplication::activeWindow(), active);

        QCOMPARE(SpontaneousDialog::GetMainWindow(),
                 expected < 0 ? nullptr : made[size_t(expected)].get());
        QApplication::setActiveWindow(nullptr);
    }
};

QUORVEL_TEST_MAIN(SpontaneousDialogTest)
#include "tst_SpontaneousDialog.moc"
