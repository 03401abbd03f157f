#include <Quorvel/App/Application/Application.h>
#include <Quorvel/App/Application/DaysPassed.h>
#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/App/Application/SplashController.h>
#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/Core/TrackCurrentException.h>
#include <Quorvel/ExternalStimulus/DirectCallGateway.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/AppMutexLocker.h>
#include <Quorvel/Util/HardwareInfo.h>

#include <QDir>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <utility>

using namespace Quorvel::App;
using Quorvel::TestSupport::LogCapture;

namespace WebCore {
// Named like the web engine's timer object whose events are held back while the mouse drags.
class SharedTimerQt : public QObject {
    Q_OBJECT
};
}  // namespace WebCore

namespace {

const char* const kMarkerMutex = "{7D3598FD-C06F-4B00-8130-67BEA8671931}";
const char* const kInstallerMutex = "{D77D6BBA-867A-4AF4-B888-3B0BA21A6B81}";

// Its event handler raises whatever it is given.
class ThrowingObject : public QObject {
public:
    std::function<void()> raise;
    bool event(QEvent*) override {
        raise();
        return true;
    }
};

std::shared_ptr<ICustomizationManager> Customization() {
    const char* json =
        R"({"organizationName": "Quorvel Test Org", "applicationName": "Quorvel Test",
        "productName": "Quorvel Test Product", "productVersion": "2.1.0.317", "partnerName": "Acme",
        "userAgent": {"product": "Test", "text": "Test/2.1"}})";
    return CustomizationManager::FromJson(json, "test");
}

class FakeLaunchType : public ILaunchTypeProcessor {
public:
    explicit FakeLaunchType(int type) : type(static_cast<LaunchType>(type)) {}
    LaunchType GetLaunchType() const override { return type; }
    LaunchType type;
};

class CountingSplash : public ISplash {
public:
    void Dismiss() override { ++dismissed; }
    int dismissed = 0;
};

// A fresh application per test: the class under test is the application object itself.
struct AppFixture {
    int argc = 1;
    char name[16] = "tst_Application";
    char* argv[2] = {name, nullptr};
    QTemporaryDir dir;
    std::shared_ptr<ProductSettingsManager> settings =
        std::make_shared<ProductSettingsManager>(dir.filePath("product.ini"));
    std::shared_ptr<LifetimeManager> lifetime = std::make_shared<LifetimeManager>();
    std::unique_ptr<Application> app;

    explicit AppFixture(bool withMutex = false) {
        app = withMutex ? std::make_unique<Application>(argc, argv, lifetime)
                        : std::make_unique<Application>(argc, argv, lifetime,
                                                        Application::DISABLE_APP_MUTEX);
        app->Set<IProductSettingsManager>(settings);
    }
};

bool CanLock(const char* name) { return Quorvel::Util::AppMutexLocker(name).TryLockAppMutex(); }

// Starts the helper that holds a mutex like a real process, once it reports `ready`.
std::unique_ptr<QProcess> StartHolder(const QStringList& arguments, const QByteArray& ready) {
    auto process = std::make_unique<QProcess>();
    process->start(Quorvel::TestSupport::HelperProgram("app_instance"), arguments);
    QByteArray output;
    while (!output.contains('\n') && process->waitForReadyRead(20000)) {
        output += process->readAllStandardOutput();
    }
    return output.trimmed() == ready ? std::move(process) : nullptr;
}

}  // namespace

class ApplicationTest : public QObject {
    Q_OBJECT
private slots:
    void construction_data() {
        QTest::addColumn<bool>("withMutex");
        QTest::newRow("default") << true;
        QTest::newRow("DISABLE_APP_MUTEX") << false;
    }
    void construction() {
        QFETCH(bool, withMutex);
        {
            AppFixture f(withMutex);
            QCOMPARE(CanLock(kMarkerMutex), !withMutex);
            QCOMPARE(f.app->Get<ILifetimeManager>(),
                     std::static_pointer_cast<ILifetimeManager>(f.lifetime));
            QVERIFY(std::dynamic_pointer_cast<Quorvel::ExternalStimulus::DirectCallGateway>(
                f.app->GetExternalStimulusGateway()));
            QVERIFY(!QApplication::isEffectEnabled(Qt::UI_AnimateCombo));
        }
        QVERIFY(CanLock(kMarkerMutex));  // released with the application
    }

    // Names from the customization; the record carries the configured build lines and the
    // hardware.
    void startupRecord() {
        AppFixture f;
        LogCapture capture;
        f.app->SetCustomizationManager(Customization());
        QCOMPARE(QCoreApplication::applicationName() + QCoreApplication::organizationName(),
                 QString("Quorvel TestQuorvel Test Org"));
        QCOMPARE(QCoreApplication::applicationVersion(), QString("2.1 (317)"));
        const auto messages = capture.Messages();
        const auto at = [&messages](const std::string& line) {
            return std::find(messages.begin(), messages.end(), line) - messages.begin();
        };
        QVERIFY(at("FFmpeg version: ffmpeg/4.0.1-27@core/stable") < at("Build commit: f40fad0"));
        QVERIFY(at("Build commit: f40fad0") < at(Quorvel::Util::GetHardwareInfo()));
        QVERIFY(at(Quorvel::Util::GetHardwareInfo()) < int(messages.size()));
    }

    void partnerName_data() {
        QTest::addColumn<int>("launchType");
        QTest::addColumn<QVariant>("overrideValue");  // null: no override key
        QTest::addColumn<QString>("expected");        // "Previous": left untouched
        QTest::newRow("regular, no override") << 0 << QVariant() << "Acme";
        QTest::newRow("after install, override") << 1 << QVariant("Reseller") << "Reseller";
        QTest::newRow("empty override falls back") << 2 << QVariant("") << "Acme";
        QTest::newRow("background leaves it") << 4 << QVariant("Reseller") << "Previous";
    }
    void partnerName() {
        QFETCH(int, launchType);
        QFETCH(QVariant, overrideValue);
        QFETCH(QString, expected);
        AppFixture f;
        f.settings->SetString("PartnerName", "Previous");
        if (!overrideValue.isNull()) {
            f.settings->SetString("PartnerName.OVERRIDE", overrideValue.toString().toStdString());
        }
        f.app->SetCustomizationManager(Customization());
        f.app->SetLaunchTypeProcessor(std::make_shared<FakeLaunchType>(launchType));

        QCOMPARE(QString::fromStdString(f.settings->GetString("PartnerName", "")), expected);
        QCOMPARE(f.settings->Contains("PartnerName.OVERRIDE"), launchType == 4);
    }

    // Dismissed when the application becomes active before start, and at start; then gone.
    void splash() {
        AppFixture f;
        auto splash = std::make_shared<CountingSplash>();
        f.app->SetSplash(splash);
        QCOMPARE(f.app->GetSplash(), std::static_pointer_cast<ISplash>(splash));
        QPointer<QObject> controller = f.app->findChild<SplashController*>();
        QVERIFY(controller);
        QWidget window;
        window.show();
        window.activateWindow();
        QTRY_VERIFY(splash->dismissed >= 1);

        const int before = splash->dismissed;
        f.lifetime->start();
        QCOMPARE(splash->dismissed, before + 1);
        QVERIFY(!f.app->GetSplash());
        f.app->SetSplash(std::make_shared<CountingSplash>());
        QVERIFY(!f.app->GetSplash());
        QTRY_VERIFY(!controller);  // deleted on a later event-loop turn
    }

    // Another process holds the mutex, then quits or is killed: the lock must not outlive it.
    void mutexAcrossProcesses_data() {
        QTest::addColumn<bool>("installer");
        QTest::addColumn<bool>("killed");
        QTest::newRow("marker, holder killed") << false << true;
        QTest::newRow("installer, holder quits") << true << false;
        QTest::newRow("installer, holder killed") << true << true;
    }
    void mutexAcrossProcesses() {
        QFETCH(bool, installer);
        QFETCH(bool, killed);
        const auto held = [installer] {
            return installer ? Application::CheckRunnedInstaller() : !CanLock(kMarkerMutex);
        };
        QVERIFY(!held());
        auto holder = StartHolder(installer ? QStringList{"--installer"} : QStringList{},
                                  installer ? "locked" : "started");
        QVERIFY(holder);
        QVERIFY(held());
        if (!installer) {
            AppFixture f(true);  // construction completes though another instance runs
            QVERIFY(f.app->Get<ILifetimeManager>());
        }
        killed ? holder->kill() : holder->closeWriteChannel();  // kill() is SIGKILL
        QVERIFY(holder->waitForFinished(10000));
        QVERIFY(!held());
    }

    void installerReleasingWithinTheWaitIsNotRunning() {
        auto installer = std::make_unique<Quorvel::Util::AppMutexLocker>(kInstallerMutex);
        QVERIFY(installer->TryLockAppMutex());
        std::atomic<bool> checking{false};
        std::thread releaser([&] {
            while (!checking) {
                std::this_thread::yield();
            }
            // Well inside the half second the check waits for an installer that finishes.
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            installer.reset();
        });
        checking = true;
        const bool running = Application::CheckRunnedInstaller();
        releaser.join();
        QVERIFY(!running);
    }

    // Calendar days in local time, whatever the hour; nothing stored counts from now.
    void daysPassed_data() {
        QTest::addColumn<QDateTime>("firstStart");  // invalid: nothing stored
        QTest::addColumn<QDateTime>("now");         // invalid: through GetDaysPassed()
        QTest::addColumn<int>("days");
        const QDate day(2026, 3, 10);
        QTest::newRow("23:00 to 00:30 the next day")
            << QDateTime(day, QTime(23, 0)) << QDateTime(day.addDays(1), QTime(0, 30)) << 1;
        QTest::newRow("00:00:01 to 23:59:59")
            << QDateTime(day, QTime(0, 0, 1)) << QDateTime(day, QTime(23, 59, 59)) << 0;
        QTest::newRow("three days at noon")
            << QDateTime(day, QTime(12, 0)) << QDateTime(day.addDays(3), QTime(12, 0)) << 3;
        QTest::newRow("stored, through the application")
            << QDateTime::currentDateTime().addDays(-2) << QDateTime() << 2;
        QTest::newRow("never stored") << QDateTime() << QDateTime() << 0;
    }
    void daysPassed() {
        QFETCH(QDateTime, firstStart);
        QFETCH(QDateTime, now);
        QFETCH(int, days);
        if (now.isValid()) {
            QCOMPARE(Detail::DaysPassed(firstStart.toSecsSinceEpoch(), now), days);
            return;
        }
        AppFixture f;
        if (firstStart.isValid()) {
            f.settings->SetString("DateOfFirstStart",
                                  std::to_string(firstStart.toSecsSinceEpoch()));
        }
        QCOMPARE(f.app->GetDaysPassed(), days);
        const std::weak_ptr<ProductSettingsManager> weak = std::exchange(f.settings, nullptr);
        f.app.reset();
        QVERIFY2(weak.expired(), "the application let go of its services");
    }

    // A missing service is the NotNull error where the application needs it, and for the
    // launch type one ERROR with the partner name left as it is.
    void missingServices_data() {
        QTest::addColumn<QString>("missing");
        QTest::newRow("lifetime manager") << "lifetime";
        QTest::newRow("product settings for the day count") << "days";
        QTest::newRow("product settings for the launch type") << "launch-settings";
        QTest::newRow("customization for the launch type") << "launch-customization";
    }
    void missingServices() {
        QFETCH(QString, missing);
        if (missing == "lifetime") {
            int argc = 1;
            char name[] = "tst_Application";
            char* argv[] = {name, nullptr};
            QVERIFY_EXCEPTION_THROWN(Application(argc, argv, nullptr), std::logic_error);
            return;
        }
        AppFixture f;
        f.settings->SetString("PartnerName", "Previous");
        if (missing == "days") {
            f.app->Set<IProductSettingsManager>(nullptr);
            QVERIFY_EXCEPTION_THROWN(f.app->GetDaysPassed(), std::logic_error);
            return;
        }
        if (missing == "launch-settings") {
            f.app->SetCustomizationManager(Customization());
            f.app->Set<IProductSettingsManager>(nullptr);
        }
        LogCapture capture;
        f.app->SetLaunchTypeProcessor(std::make_shared<FakeLaunchType>(1));
        QCOMPARE(capture.Messages(google::GLOG_ERROR).size(), size_t(1));
        QCOMPARE(f.settings->GetString("PartnerName", ""), std::string("Previous"));
    }

    // A named lock that cannot be made is reported, and does not count as a running installer.
    void unusableLocks_data() {
        QTest::addColumn<bool>("installer");
        QTest::newRow("installer query") << true;
        QTest::newRow("running-application marker") << false;
    }
    void unusableLocks() {
        QFETCH(bool, installer);
        const QString lock = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/quorvel-mutex-" +
                             (installer ? kInstallerMutex : kMarkerMutex) + ".lock";
        QFile::remove(lock);           // left by the tests before, whose locks are all released
        QVERIFY(QDir().mkpath(lock));  // a folder where the lock file goes
        LogCapture capture;
        if (installer) {
            QVERIFY(!Application::CheckRunnedInstaller());
        } else {
            AppFixture f(true);
        }
        QDir().rmdir(lock);
        QCOMPARE(capture.Count(lock.toStdString()), 1);
    }

    // Press, Double-click, Move, Release; a Timer event for the web timer, or for an Other
    // object: upper case when delivered, lower case when held back.
    void dragHoldsBackWebTimers_data() {
        QTest::addColumn<QString>("steps");
        QTest::newRow("drag then release") << "PMtRT";
        QTest::newRow("press and release") << "PTRT";
        QTest::newRow("move without button") << "MT";
        QTest::newRow("double-click then move") << "DMt";
        QTest::newRow("other class while dragging") << "PMO";
    }
    void dragHoldsBackWebTimers() {
        QFETCH(QString, steps);
        AppFixture f;
        QWidget widget;
        WebCore::SharedTimerQt webTimer;
        QObject otherTimer;
        webTimer.installEventFilter(this);
        otherTimer.installEventFilter(this);

        QString observed;
        for (const char step : steps.toUpper().toLatin1() + "R") {  // leave no drag behind
            if (step == 'T' || step == 'O') {
                const int before = m_timerEvents;
                QTimerEvent event(1);
                const bool result =
                    QCoreApplication::sendEvent(step == 'T' ? &webTimer : &otherTimer, &event);
                QCOMPARE(result, m_timerEvents > before);
                observed += m_timerEvents > before ? step : QChar(step).toLower();
                continue;
            }
            observed += step;
            const QEvent::Type type = step == 'P'   ? QEvent::MouseButtonPress
                                      : step == 'D' ? QEvent::MouseButtonDblClick
                                      : step == 'M' ? QEvent::MouseMove
                                                    : QEvent::MouseButtonRelease;
            QMouseEvent event(type, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&widget, &event);
        }
        QCOMPARE(observed, steps + "R");
    }

    // A standard exception is logged once and reported, then goes on; others pass untouched.
    void escapingException_data() {
        QTest::addColumn<bool>("standard");
        QTest::newRow("std::runtime_error") << true;
        QTest::newRow("int") << false;
    }
    void escapingException() {
        QFETCH(bool, standard);
        AppFixture f;
        ThrowingObject object;
        object.raise = [standard] {
            standard ? throw std::runtime_error("handler failed") : throw 42;
        };
        const size_t trackedBefore = Quorvel::Core::TrackedExceptionCount();
        LogCapture capture;
        QEvent event(QEvent::User);
        if (standard) {
            QVERIFY_EXCEPTION_THROWN(QCoreApplication::sendEvent(&object, &event),
                                     std::runtime_error);
        } else {
            QVERIFY_EXCEPTION_THROWN(QCoreApplication::sendEvent(&object, &event), int);
        }
        QCOMPARE(Quorvel::Core::TrackedExceptionCount(), trackedBefore + standard);
        const auto errors = capture.Messages(google::GLOG_ERROR);
        QCOMPARE(errors.size(), size_t(standard));
        for (const char* part : {"ThrowingObject", "QEvent::User", "runtime_error", "failed"}) {
            QVERIFY2(!standard || errors[0].find(part) != std::string::npos, part);
        }
    }

protected:
    // Counts the timer events that reach the objects of the drag test.
    bool eventFilter(QObject*, QEvent* event) override {
        m_timerEvents += event->type() == QEvent::Timer;
        return false;
    }

private:
    int m_timerEvents = 0;
};

QUORVEL_TEST_MAIN_NOAPP(ApplicationTest)
#include "tst_Application.moc"
