#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/App/Application/LifetimeObserver.h>
#include <Quorvel/TestSupport/ModalAnswerer.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <stdexcept>

using Quorvel::App::LifetimeManager;
using Quorvel::App::WorkingMode;
using Quorvel::TestSupport::ModalAnswerer;

namespace {

// Journals "<name>.<event>", then runs its reaction (which may throw); refuses quits on demand.
class Recorder : public Quorvel::App::LifetimeObserver {
public:
    Recorder(QString name, QStringList* journal) : m_name(std::move(name)), m_journal(journal) {}
    void onStart() override { Record("start"); }
    void onTryToQuit(const std::function<void()>& veto) override {
        if (vetoes) {
            veto();
        }
        Record("ask");
    }
    void onQuit() override { Record("quit"); }

    bool vetoes = false;
    std::function<void(const QString&)> reaction;

private:
    void Record(const QString& event) {
        *m_journal << m_name + "." + event;
        if (reaction) {
            reaction(event);
        }
    }
    QString m_name;
    QStringList* m_journal;
};

// Records quitImpl instead of ending an event loop.
class RecordingManager : public LifetimeManager {
public:
    explicit RecordingManager(QStringList* journal) : m_journal(journal) {}
    void quitImpl() override { *m_journal << "quitImpl"; }

private:
    QStringList* m_journal;
};

// Observers a, b, c registered in that order.
struct Fixture {
    QStringList journal;
    RecordingManager manager{&journal};
    Recorder a{"a", &journal}, b{"b", &journal}, c{"c", &journal};
    Fixture() {
        for (Recorder* recorder : {&a, &b, &c}) {
            manager.RegisterEventHandler(recorder);
        }
    }
    Recorder* ByName(QChar name) { return name == 'a' ? &a : name == 'b' ? &b : &c; }
};

const QString kAsked = "a.ask b.ask c.ask";
const QString kQuit = "a.quit b.quit c.quit quitImpl";

}  // namespace

Q_DECLARE_METATYPE(WorkingMode)

class TestLifetimeManager : public QObject {
    Q_OBJECT

private slots:
    // Callbacks run once, among the observers in registration order; an empty one is ignored,
    // those added during or after start never run, and observers registered during start are
    // told from the next notification on.
    void onStartCallbacks() {
        QStringList journal;
        RecordingManager manager(&journal);
        Recorder a("a", &journal), b("b", &journal), late("late", &journal);
        manager.addOnStartCallback({});  // kept as an observer, it would throw at start
        manager.RegisterEventHandler(&a);
        manager.addOnStartCallback([&] { journal << "first"; });
        manager.RegisterEventHandler(&b);
        manager.addOnStartCallback([&] { journal << "second"; });
        a.reaction = [&](const QString& event) {
            if (event == "start") {
                manager.addOnStartCallback([&] { journal << "added during start"; });
                manager.RegisterEventHandler(&late);
            }
        };

        QVERIFY(!manager.isStarted());
        manager.start();
        QVERIFY(manager.isStarted());
        manager.addOnStartCallback([&] { journal << "added after start"; });
        manager.start();
        QCOMPARE(journal.join(' '), "a.start first b.start second");
        journal.clear();
        QVERIFY(manager.tryToQuit());
        QCOMPARE(journal.join(' '), "a.ask b.ask late.ask a.quit b.quit late.quit quitImpl");
    }

    // Every observer is asked even after a refusal; a second call asks all over again.
    void quitting_data() {
        QTest::addColumn<QString>("vetoing");
        QTest::newRow("nobody refuses") << "";
        QTest::newRow("the middle one refuses") << "b";
        QTest::newRow("the first and the last refuse") << "ac";
    }

    void quitting() {
        QFETCH(QString, vetoing);

        Fixture f;
        for (QChar name : vetoing) {
            f.ByName(name)->vetoes = true;
        }
        const bool decided = vetoing.isEmpty();
        QCOMPARE(f.manager.tryToQuit(), decided);
        QCOMPARE(f.journal.join(' '), decided ? kAsked + " " + kQuit : kAsked);
        QCOMPARE(f.manager.isQuitting(), decided);

        f.a.vetoes = f.b.vetoes = f.c.vetoes = false;
        f.journal.clear();
        QVERIFY(f.manager.tryToQuit());
        QCOMPARE(f.journal.join(' '), kAsked + " " + kQuit);
        QVERIFY(f.manager.isQuitting());
    }

    // The exception reaches the caller; the flags keep the values set before it.
    void observerThrows_data() {
        QTest::addColumn<QString>("throwsIn");
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("quitting");
        QTest::addColumn<QString>("expected");
        QTest::newRow("on start") << "start" << true << false << "a.start b.start";
        QTest::newRow("when asked") << "ask" << false << false << "a.ask b.ask";
        QTest::newRow("on quit") << "quit" << false << true << kAsked + " a.quit b.quit";
    }

    void observerThrows() {
        QFETCH(QString, throwsIn);
        QFETCH(bool, started);
        QFETCH(bool, quitting);
        QFETCH(QString, expected);

        Fixture f;
        f.b.reaction = [throwsIn](const QString& event) {
            if (event == throwsIn) {
                throw std::runtime_error(event.toStdString());
            }
        };
        if (throwsIn == "start") {
            QVERIFY_EXCEPTION_THROWN(f.manager.start(), std::runtime_error);
        } else {
            QVERIFY_EXCEPTION_THROWN(f.manager.tryToQuit(), std::runtime_error);
        }
        QCOMPARE(f.journal.join(' '), expected);
        QCOMPARE(f.manager.isStarted(), started);
        QCOMPARE(f.manager.isQuitting(), quitting);
    }

    // Restarts that end before anything is launched; an icon that loads replaces the standard one.
    void restartRefused_data() {
        QTest::addColumn<WorkingMode>("mode");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<int>("shownIcon");
        QTest::addColumn<QString>("expected");  // c refuses the quit

        const auto row = [](const char* name, WorkingMode mode, int answer, const QString& icon,
                            int shownIcon, const QString& expected) {
            QTest::newRow(name) << mode << answer << icon << shownIcon << expected;
        };
        const WorkingMode ask = WorkingMode::Interactive;
        const int cancel = QMessageBox::Cancel, information = QMessageBox::Information;
        row("cancelled: observers not asked", ask, cancel, "missing.png", information, "");
        row("icon replaced", ask, cancel, "icon.png", QMessageBox::NoIcon, "");
        row("icon under a non-ASCII name", ask, cancel, "ícono.png", QMessageBox::NoIcon, "");
        row("confirmed, refused by an observer", ask, QMessageBox::Ok, "", information, kAsked);
        row("unattended: no question, refused by an observer", WorkingMode::Unattended, 0, "", 0,
            kAsked);
        row("any other mode does not ask either", static_cast<WorkingMode>(7), 0, "", 0, kAsked);
    }

    void restartRefused() {
        QFETCH(WorkingMode, mode);
        QFETCH(int, answer);
        QFETCH(QString, icon);
        QFETCH(int, shownIcon);
        QFETCH(QString, expected);

        QTemporaryDir dir;
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(dir.filePath("icon.png")));
        QVERIFY(image.save(dir.filePath(QString::fromUtf8("ícono.png"))));

        Fixture f;
        f.c.vetoes = true;
        ModalAnswerer answerer(static_cast<QMessageBox::StandardButton>(answer));
        QVERIFY(!f.manager.tryToRestart(mode, dir.filePath(icon).toUtf8().toStdString(), "-x"));
        QCOMPARE(f.journal.join(' '), expected);
        QVERIFY(!f.manager.isQuitting());
        QCOMPARE(answerer.Answered(), mode == WorkingMode::Interactive);
        QVERIFY(!answerer.Answered() || int(answerer.Icon()) == shownIcon);
    }

    // The quit is decided through the interface, so a product's own tryToQuit takes part.
    void restartQuitsThroughInterface() {
        struct OwnQuit : LifetimeManager {
            bool tryToQuit() override {
                ++calls;
                return false;
            }
            int calls = 0;
        } manager;
        QVERIFY(!static_cast<Quorvel::App::ILifetimeManager&>(manager).tryToRestart(
            WorkingMode::Unattended, "", ""));
        QCOMPARE(manager.calls, 1);
    }
};

QUORVEL_TEST_MAIN(TestLifetimeManager)
#include "tst_LifetimeManager.moc"
