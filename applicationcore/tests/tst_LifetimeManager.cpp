#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/App/Application/LifetimeObserver.h>
#include <Quorvel/TestSupport/ModalAnswerer.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using Quorvel::App::ILifetimeManager;
using Quorvel::App::LifetimeManager;
using Quorvel::App::LifetimeObserver;
using Quorvel::App::WorkingMode;
using Quorvel::TestSupport::ModalAnswerer;

namespace {

using Journal = QStringList;

// Records what it is told; refuses the quit or throws when asked to.
class Recorder : public LifetimeObserver {
public:
    Recorder(QString name, Journal* journal) : m_name(std::move(name)), m_journal(journal) {}

    void onStart() override {
        *m_journal << m_name + ".start";
        Throw("start");
        if (reaction) {
            reaction();
        }
    }
    void onTryToQuit(const std::function<void()>& veto) override {
        *m_journal << m_name + ".ask";
        if (vetoes) {
            veto();
        }
        Throw("ask");
    }
    void onQuit() override {
        *m_journal << m_name + ".quit";
        Throw("quit");
    }

    bool vetoes = false;
    QString throwsIn;
    std::function<void()> reaction;

private:
    void Throw(const QString& where) {
        if (throwsIn == where) {
            throw std::runtime_error(where.toStdString());
        }
    }

    QString m_name;
    Journal* m_journal;
};

// Records quitImpl instead of ending an event loop.
class RecordingManager : public LifetimeManager {
public:
    explicit RecordingManager(Journal* journal) : m_journal(journal) {}
    void quitImpl() override { *m_journal << "quitImpl"; }

private:
    Journal* m_journal;
};

// Three observers a, b, c registered in that order.
struct Fixture {
    Journal journal;
    RecordingManager manager{&journal};
    Recorder a{"a", &journal}, b{"b", &journal}, c{"c", &journal};

    Fixture() {
        manager.RegisterEventHandler(&a);
        manager.RegisterEventHandler(&b);
        manager.RegisterEventHandler(&c);
    }
    Recorder* ByName(QChar name) { return name == 'a' ? &a : name == 'b' ? &b : &c; }
};

const char* const kRestartText =
    "<b>This will restart the application.</b><br>Do you want to continue?";

}  // namespace

Q_DECLARE_METATYPE(WorkingMode)

class TestLifetimeManager : public QObject {
    Q_OBJECT

private slots:
    void callbacksRunOnceAtStart_data() {
        QTest::addColumn<int>("addedBefore");
        QTest::addColumn<int>("starts");
        QTest::addColumn<int>("addedAfter");

        QTest::newRow("one callback, one start") << 1 << 1 << 0;
        QTest::newRow("start twice runs callbacks once") << 2 << 2 << 0;
        QTest::newRow("added after start never runs") << 0 << 1 << 2;
        QTest::newRow("before and after, started again") << 1 << 1 << 1;
    }

    void callbacksRunOnceAtStart() {
        QFETCH(int, addedBefore);
        QFETCH(int, starts);
        QFETCH(int, addedAfter);

        Journal journal;
        RecordingManager manager(&journal);
        std::vector<int> runs(addedBefore + addedAfter, 0);
        for (int i = 0; i < addedBefore; ++i) {
            manager.addOnStartCallback([&runs, i] { ++runs[i]; });
        }
        QVERIFY(!manager.isStarted());
        manager.start();
        QVERIFY(manager.isStarted());
        for (int i = addedBefore; i < addedBefore + addedAfter; ++i) {
            manager.addOnStartCallback([&runs, i] { ++runs[i]; });
        }
        for (int s = 1; s < starts; ++s) {
            manager.start();
        }
        if (addedAfter > 0) {
            manager.start();
        }

        for (int i = 0; i < addedBefore + addedAfter; ++i) {
            QCOMPARE(runs[i], i < addedBefore ? 1 : 0);
        }
        QVERIFY(journal.isEmpty());
    }

    void callbacksInterleaveWithObservers() {
        Journal journal;
        RecordingManager manager(&journal);
        Recorder a("a", &journal), b("b", &journal);
        manager.RegisterEventHandler(&a);
        manager.addOnStartCallback([&] { journal << "first callback"; });
        manager.RegisterEventHandler(&b);
        manager.addOnStartCallback([&] { journal << "second callback"; });

        manager.start();
        QCOMPARE(journal, (Journal{"a.start", "first callback", "b.start", "second callback"}));

        // The callbacks are gone from the observer list; the observers stay.
        journal.clear();
        QVERIFY(manager.tryToQuit());
        QCOMPARE(journal, (Journal{"a.ask", "b.ask", "a.quit", "b.quit", "quitImpl"}));
    }

    // Changes made during the start notification: a callback added then never runs, an
    // observer registered then hears later notifications only.
    void changesDuringStart() {
        Journal journal;
        RecordingManager manager(&journal);
        Recorder a("a", &journal), late("late", &journal);
        manager.RegisterEventHandler(&a);
        a.reaction = [&] {
            manager.addOnStartCallback([&] { journal << "added during start"; });
            manager.RegisterEventHandler(&late);
        };

        manager.start();
        QCOMPARE(journal, (Journal{"a.start"}));
        journal.clear();
        QVERIFY(manager.tryToQuit());
        QCOMPARE(journal, (Journal{"a.ask", "late.ask", "a.quit", "late.quit", "quitImpl"}));
    }

    void emptyCallbackIsIgnored() {
        Journal journal;
        RecordingManager manager(&journal);
        manager.addOnStartCallback(std::function<void()>());
        manager.start();  // an empty callback kept as an observer would throw here
        QVERIFY(manager.isStarted());
    }

    void quitting_data() {
        QTest::addColumn<QString>("vetoing");
        QTest::addColumn<bool>("decided");
        QTest::addColumn<Journal>("expected");

        const Journal asked{"a.ask", "b.ask", "c.ask"};
        QTest::newRow("nobody refuses")
            << "" << true << asked + Journal{"a.quit", "b.quit", "c.quit", "quitImpl"};
        QTest::newRow("the middle one refuses, all are asked") << "b" << false << asked;
        QTest::newRow("the first refuses, all are asked") << "a" << false << asked;
        QTest::newRow("several refuse") << "ac" << false << asked;
    }

    void quitting() {
        QFETCH(QString, vetoing);
        QFETCH(bool, decided);
        QFETCH(Journal, expected);

        Fixture fixture;
        for (QChar name : vetoing) {
            fixture.ByName(name)->vetoes = true;
        }
        QCOMPARE(fixture.manager.tryToQuit(), decided);
        QCOMPARE(fixture.journal, expected);
        QCOMPARE(fixture.manager.isQuitting(), decided);
    }

    // A decided quit does not stop the observers from being asked again.
    void secondQuitAsksAgain() {
        Fixture fixture;
        QVERIFY(fixture.manager.tryToQuit());
        fixture.journal.clear();
        fixture.b.vetoes = true;

        QVERIFY(!fixture.manager.tryToQuit());
        QCOMPARE(fixture.journal, (Journal{"a.ask", "b.ask", "c.ask"}));
        QVERIFY(fixture.manager.isQuitting());

        fixture.b.vetoes = false;
        fixture.journal.clear();
        QVERIFY(fixture.manager.tryToQuit());
        QCOMPARE(fixture.journal,
                 (Journal{"a.ask", "b.ask", "c.ask", "a.quit", "b.quit", "c.quit", "quitImpl"}));
    }

    // An exception from an observer leaves the notification and reaches the caller; the flags
    // keep the values set before it.
    void observerThrows_data() {
        QTest::addColumn<QString>("throwsIn");
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("quitting");
        QTest::addColumn<Journal>("expected");

        QTest::newRow("on start") << "start" << true << false << Journal{"a.start", "b.start"};
        QTest::newRow("when asked") << "ask" << false << false << Journal{"a.ask", "b.ask"};
        QTest::newRow("on quit") << "quit" << false << true
                                 << Journal{"a.ask", "b.ask", "c.ask", "a.quit", "b.quit"};
    }

    void observerThrows() {
        QFETCH(QString, throwsIn);
        QFETCH(bool, started);
        QFETCH(bool, quitting);
        QFETCH(Journal, expected);

        Fixture fixture;
        fixture.b.throwsIn = throwsIn;
        if (throwsIn == "start") {
            QVERIFY_EXCEPTION_THROWN(fixture.manager.start(), std::runtime_error);
        } else {
            QVERIFY_EXCEPTION_THROWN(fixture.manager.tryToQuit(), std::runtime_error);
        }
        QCOMPARE(fixture.journal, expected);
        QCOMPARE(fixture.manager.isStarted(), started);
        QCOMPARE(fixture.manager.isQuitting(), quitting);
    }

    // Restarts that end before anything is launched.
    void restartRefused_data() {
        QTest::addColumn<WorkingMode>("mode");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("vetoed");
        QTest::addColumn<bool>("boxShown");
        QTest::addColumn<Journal>("expected");

        const Journal asked{"a.ask", "b.ask", "c.ask"};
        QTest::newRow("interactive, cancelled: observers not asked")
            << WorkingMode::Interactive << int(QMessageBox::Cancel) << false << true << Journal{};
        QTest::newRow("interactive, confirmed, refused by an observer")
            << WorkingMode::Interactive << int(QMessageBox::Ok) << true << true << asked;
        QTest::newRow("unattended: no question, refused by an observer")
            << WorkingMode::Unattended << int(QMessageBox::Ok) << true << false << asked;
        QTest::newRow("any other mode does not ask either")
            << static_cast<WorkingMode>(7) << int(QMessageBox::Ok) << true << false << asked;
    }

    void restartRefused() {
        QFETCH(WorkingMode, mode);
        QFETCH(int, answer);
        QFETCH(bool, vetoed);
        QFETCH(bool, boxShown);
        QFETCH(Journal, expected);

        Fixture fixture;
        fixture.c.vetoes = vetoed;
        ModalAnswerer answerer(static_cast<QMessageBox::StandardButton>(answer));

        QVERIFY(!fixture.manager.tryToRestart(mode, "", "--never-launched"));
        QCOMPARE(fixture.journal, expected);
        QVERIFY(!fixture.manager.isQuitting());
        QCOMPARE(answerer.Answered(), boxShown);
        if (boxShown) {
            QCOMPARE(answerer.Title(), QString("Attention"));
            QCOMPARE(answerer.Text(), QString(kRestartText));
        }
    }

    // The quit is decided through the interface, so a product's own tryToQuit takes part.
    void restartQuitsThroughInterface() {
        class OwnQuit : public LifetimeManager {
        public:
            bool tryToQuit() override {
                ++calls;
                return false;
            }
            int calls = 0;
        };
        OwnQuit manager;
        ILifetimeManager& asInterface = manager;
        QVERIFY(!asInterface.tryToRestart(WorkingMode::Unattended, "", ""));
        QCOMPARE(manager.calls, 1);
    }

    void restartIcon_data() {
        QTest::addColumn<QString>("icon");
        QTest::addColumn<int>("expectedIcon");

        QTest::newRow("no path") << "" << int(QMessageBox::Information);
        QTest::newRow("missing file") << "missing.png" << int(QMessageBox::Information);
        QTest::newRow("not an image") << "notes.png" << int(QMessageBox::Information);
        QTest::newRow("an image replaces the icon") << "icon.png" << int(QMessageBox::NoIcon);
        QTest::newRow("an image under a non-ASCII name")
            << QString::fromUtf8("ícono.png") << int(QMessageBox::NoIcon);
    }

    void restartIcon() {
        QFETCH(QString, icon);
        QFETCH(int, expectedIcon);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(dir.filePath("icon.png")));
        QVERIFY(image.save(dir.filePath(QString::fromUtf8("ícono.png"))));
        QFile notes(dir.filePath("notes.png"));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("just text");
        notes.close();

        Fixture fixture;
        ModalAnswerer answerer(QMessageBox::Cancel);
        const std::string path = icon.isEmpty() ? "" : dir.filePath(icon).toUtf8().toStdString();
        QVERIFY(!fixture.manager.tryToRestart(WorkingMode::Interactive, path, ""));
        QVERIFY(answerer.Answered());
        QCOMPARE(int(answerer.Icon()), expectedIcon);
    }
};

QUORVEL_TEST_MAIN(TestLifetimeManager)
#include "tst_LifetimeManager.moc"
