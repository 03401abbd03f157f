#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/App/Application/LifetimeObserver.h>
#include <Quorvel/TestSupport/ModalAnswerer.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QImage>

using Quorvel::App::LifetimeManager;
using Quorvel::App::WorkingMode;
using Quorvel::TestSupport::ModalAnswerer;

namespace {

// Journals "<name>.<event>", then runs its reaction (which may throw); refuses quits on demand.
struct Recorder : Quorvel::App::LifetimeObserver {
    Recorder(QString name, QStringList* journal) : name(std::move(name)), journal(journal) {}
    void onStart() override { Record("start"); }
    void onTryToQuit(const std::function<void()>& veto) override {
        if (vetoes) {
            veto();
        }
        Record("ask");
    }
    void onQuit() override { Record("quit"); }
    void Record(const QString& event) {
        *journal << name + "." + event;
        if (reaction) {
            reaction(event);
        }
    }
    QString name;
    QStringList* journal;
    bool vetoes = false;
    std::function<void(const QString&)> reaction;
};

// Records quitImpl instead of ending an event loop; observers a, b, c registered in order.
struct Fixture : LifetimeManager {
    QStringList journal;
    Recorder a{"a", &journal}, b{"b", &journal}, c{"c", &journal};
    Fixture() {
        for (Recorder* recorder : {&a, &b, &c}) {
            RegisterEventHandler(recorder);
        }
    }
    void quitImpl() override { journal << "quitImpl"; }
    QString Journal() {
        const QString text = journal.join(' ');
        journal.clear();
        return text;
    }
};

const QString kAsked = "a.ask b.ask c.ask";

}  // namespace

Q_DECLARE_METATYPE(WorkingMode)

class TestLifetimeManager : public QObject {
    Q_OBJECT

private slots:
    // Callbacks run once, among the observers in registration order; an empty one is ignored,
    // those added during or after start never run, and observers registered during start are
    // told from the next notification on. Every observer is asked even after a refusal, and a
    // second call asks all over again.
    void startAndQuit() {
        Fixture f;
        Recorder late("late", &f.journal);
        f.addOnStartCallback({});
        f.addOnStartCallback([&] { f.journal << "first"; });
        f.UnregisterEventHandler(&f.c);
        f.b.reaction = [&](const QString& event) {
            if (event == "start") {
                f.addOnStartCallback([&] { f.journal << "added during start"; });
                f.RegisterEventHandler(&late);
            }
        };
        QVERIFY(!f.isStarted());
        f.start();
        f.addOnStartCallback([&] { f.journal << "added after start"; });
        f.start();
        QVERIFY(f.isStarted());
        QCOMPARE(f.Journal(), QString("a.start b.start first"));
        f.a.vetoes = late.vetoes = true;
        QVERIFY(!f.tryToQuit());
        QVERIFY(!f.isQuitting());
        QCOMPARE(f.Journal(), QString("a.ask b.ask late.ask"));
        f.a.vetoes = late.vetoes = false;
        QVERIFY(f.tryToQuit());
        QVERIFY(f.isQuitting());
        QCOMPARE(f.Journal(), QString("a.ask b.ask late.ask a.quit b.quit late.quit quitImpl"));
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
        Fixture f;
        f.b.reaction = [throwsIn](const QString& event) {
            if (event == throwsIn) {
                throw std::runtime_error("no");
            }
        };
        if (throwsIn == "start") {
            QVERIFY_EXCEPTION_THROWN(f.start(), std::runtime_error);
        } else {
            QVERIFY_EXCEPTION_THROWN(f.tryToQuit(), std::runtime_error);
        }
        QTEST(f.Journal(), "expected");
        QTEST(f.isStarted(), "started");
        QTEST(f.isQuitting(), "quitting");
    }

    // Restarts that end before anything is launched (c refuses the quit); an icon that loads,
    // whatever its name, replaces the standard one.
    void restartRefused_data() {
        QTest::addColumn<WorkingMode>("mode");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<int>("shownIcon");
        QTest::addColumn<QString>("expected");
        const WorkingMode ask = WorkingMode::Interactive;
        QTest::newRow("cancelled: nobody asked") << ask << int(QMessageBox::Cancel) << "missing.png"
                                                 << int(QMessageBox::Information) << "";
        QTest::newRow("icon replaced")
            << ask << int(QMessageBox::Cancel) << "ícono.png" << int(QMessageBox::NoIcon) << "";
        QTest::newRow("confirmed, refused by an observer")
            << ask << int(QMessageBox::Ok) << "" << int(QMessageBox::Information) << kAsked;
        QTest::newRow("unattended: no question")
            << WorkingMode::Unattended << 0 << "" << 0 << kAsked;
        QTest::newRow("any other mode does not ask either")
            << static_cast<WorkingMode>(7) << 0 << "" << 0 << kAsked;
    }
    void restartRefused() {
        QFETCH(WorkingMode, mode);
        QFETCH(int, answer);
        QFETCH(QString, icon);
        QTemporaryDir dir;
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(dir.filePath("ícono.png")));
        Fixture f;
        f.c.vetoes = true;
        ModalAnswerer answerer(static_cast<QMessageBox::StandardButton>(answer));
        QVERIFY(!f.tryToRestart(mode, dir.filePath(icon).toUtf8().toStdString(), "-x"));
        QTEST(f.Journal(), "expected");
        QVERIFY(!f.isQuitting());
        QCOMPARE(answerer.Answered(), mode == WorkingMode::Interactive);
        QFETCH(int, shownIcon);
        QVERIFY(!answerer.Answered() || int(answerer.Icon()) == shownIcon);
    }

    // The quit is decided through the interface, so a product's own tryToQuit takes part.
    void restartQuitsThroughInterface() {
        struct OwnQuit : LifetimeManager {
            bool tryToQuit() override { return ++calls < 0; }
            int calls = 0;
        } manager;
        QVERIFY(!static_cast<Quorvel::App::ILifetimeManager&>(manager).tryToRestart(
            WorkingMode::Unattended, "", ""));
        QCOMPARE(manager.calls, 1);
    }

    // A real restart: the helper, in a folder with a blank in its name, restarts itself and the
    // new instance writes its pid, path and arguments.
    void relaunch() {
        QTemporaryDir dir;
        const QString helper = dir.filePath("with blank/restart_child");
        QVERIFY(QDir().mkpath(dir.filePath("with blank")));
        QVERIFY(QFile::copy(Quorvel::TestSupport::HelperProgram("restart_child"), helper));
        QProcess first;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QUORVEL_RESTART_RECORD", dir.filePath("record"));
        first.setProcessEnvironment(environment);
        first.start(helper, {"--restart", "plain \"with space\" naïve \"größe 2\""});
        QVERIFY(first.waitForStarted(60000));
        const qint64 firstPid = first.processId();
        QVERIFY(first.waitForFinished(60000));  // it ends its event loop by itself
        QCOMPARE(first.readAllStandardOutput().trimmed(), QByteArray("restarted=1"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath("record")), 60000);
        const QStringList lines =
            QString::fromUtf8(Quorvel::TestSupport::ReadFile(dir.filePath("record")))
                .split('\n', Qt::SkipEmptyParts);
        QVERIFY(lines.value(0).toLongLong() > 0 && lines.value(0).toLongLong() != firstPid);
        QCOMPARE(lines.mid(1), (QStringList{QFileInfo(helper).canonicalFilePath(), "plain",
                                            "with space", "naïve", "größe 2"}));
    }
};

QUORVEL_TEST_MAIN(TestLifetimeManager)
#include "tst_LifetimeManager.moc"
