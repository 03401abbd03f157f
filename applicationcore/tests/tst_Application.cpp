#include <Quorvel/App/Application/Application.h>
#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/App/Application/SplashController.h>
#include <Quorvel/Core/TrackCurrentException.h>
#include <Quorvel/ExternalStimulus/DirectCallGateway.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/AppMutexLocker.h>
#include <Quorvel/Util/HardwareInfo.h>

#include <QMouseEvent>
#include <QProcess>
#include <QWidget>

#include <atomic>
#include <map>
#include <thread>

using namespace Quorvel::App;
using Quorvel::TestSupport::LogCapture;

namespace WebCore {
// Named like the web engine's timer object whose events the application holds back while
// the mouse drags.
class SharedTimerQt : public QObject {
    Q_OBJECT
public:
    int delivered = 0;

protected:
    void timerEvent(QTimerEvent*) override { ++delivered; }
};
}  // namespace WebCore

namespace {

const char* const kMarkerMutex = "{7D3598FD-C06F-4B00-8130-67BEA8671931}";
const char* const kInstallerMutex = "{D77D6BBA-867A-4AF4-B888-3B0BA21A6B81}";

class OtherTimer : public QObject {
    Q_OBJECT
public:
    int delivered = 0;

protected:
    void timerEvent(QTimerEvent*) override { ++delivered; }
};

class ThrowingObject : public QObject {
    Q_OBJECT
public:
    bool throwStd = true;

protected:
    bool event(QEvent*) override {
        if (throwStd) {
            throw std::runtime_error("handler failed");
        }
        throw 42;
    }
};

class MemorySettings : public IProductSettingsManager {
public:
    void SetBool(const std::string& key, bool value) override { values[key] = value ? "1" : "0"; }
    void SetInt(const std::string& key, int value) override { values[key] = std::to_string(value); }
    void SetString(const std::string& key, const std::string& value) override {
        values[key] = value;
    }
    bool GetBool(const std::string& key, bool defaultValue) const override {
        return Contains(key) ? values.at(key) == "1" : defaultValue;
    }
    int GetInt(const std::string& key, int defaultValue) const override {
        return Contains(key) ? std::stoi(values.at(key)) : defaultValue;
    }
    std::string GetString(const std::string& key, const std::string& defaultValue) const override {
        return Contains(key) ? values.at(key) : defaultValue;
    }
    uint32_t GetUInt(const std::string& key, uint32_t defaultValue) const override {
        return Contains(key) ? static_cast<uint32_t>(std::stoul(values.at(key))) : defaultValue;
    }
    bool Contains(const std::string& key) const override { return values.count(key) != 0; }
    void Remove(const std::string& key) override { values.erase(key); }

    std::map<std::string, std::string> values;
};

class FakeCustomization : public ICustomizationManager {
public:
    void SwitchLocale(const std::string&) override {}
    std::string GetOrganizationName() const override { return "Quorvel Test Org"; }
    std::string GetPartnerName() const override { return partner; }
    Quorvel::Core::Version GetProductVersion() const override { return {2, 1, 0, 317}; }
    std::string GetApplicationName() const override { return "Quorvel Test"; }
    UserAgentInfo GetUserAgentInfo() const override { return {"Test", "Test/2.1"}; }
    std::string GetProductName() const override { return "Quorvel Test Product"; }
    std::string GetThankYouPageMode() const override { return {}; }
    bool IsEmailCollectionEnabled() const override { return false; }

    std::string partner = "Acme";
};

class FakeLaunchType : public ILaunchTypeProcessor {
public:
    explicit FakeLaunchType(LaunchType type) : type(type) {}
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
    std::shared_ptr<LifetimeManager> lifetime = std::make_shared<LifetimeManager>();
    std::unique_ptr<Application> app;

    explicit AppFixture(bool withMutex = false) {
        app = withMutex ? std::make_unique<Application>(argc, argv, lifetime)
                        : std::make_unique<Application>(argc, argv, lifetime,
                                                        Application::DISABLE_APP_MUTEX);
    }
};

bool CanLock(const char* name) { return Quorvel::Util::AppMutexLocker(name).TryLockAppMutex(); }

// Starts the helper that holds a mutex like a real process and waits until it holds it.
std::unique_ptr<QProcess> StartHolder(const QStringList& arguments, const QByteArray& ready) {
    auto process = std::make_unique<QProcess>();
    process->start(Quorvel::TestSupport::HelperProgram("app_instance"), arguments);
    if (!process->waitForStarted(10000)) {
        return nullptr;
    }
    QByteArray output;
    while (!output.contains('\n') && process->waitForReadyRead(20000)) {
        output += process->readAllStandardOutput();
    }
    return output.trimmed() == ready ? std::move(process) : nullptr;
}

QDateTime LocalMidnightToday() { return QDateTime(QDate::currentDate(), QTime(0, 0)); }

}  // namespace

class ApplicationTest : public QObject {
    Q_OBJECT
private slots:
    void constructionStoresLifetimeAndDirectGateway() {
        AppFixture f;
        QCOMPARE(f.app->Get<ILifetimeManager>(), std::static_pointer_cast<ILifetimeManager>(f.lifetime));
        QVERIFY(std::dynamic_pointer_cast<Quorvel::ExternalStimulus::DirectCallGateway>(
            f.app->GetExternalStimulusGateway()));
        QVERIFY(!QApplication::isEffectEnabled(Qt::UI_AnimateCombo));
    }

    void startupRecord_data() {
        QTest::addColumn<int>("verbosity");
        QTest::addColumn<bool>("verboseLine");
        QTest::newRow("quiet") << 0 << false;
        QTest::newRow("verbose 1") << 1 << true;
        QTest::newRow("verbose 3") << 3 << true;
    }
    void startupRecord() {
        QFETCH(int, verbosity);
        QFETCH(bool, verboseLine);
        AppFixture f;
        const int savedVerbosity = FLAGS_v;
        FLAGS_v = verbosity;
        LogCapture capture;
        f.app->SetCustomizationManager(std::make_shared<FakeCustomization>());
        FLAGS_v = savedVerbosity;

        QCOMPARE(QCoreApplication::applicationName(), QString("Quorvel Test"));
        QCOMPARE(QCoreApplication::applicationVersion(), QString("2.1 (317)"));
        QCOMPARE(QCoreApplication::organizationName(), QString("Quorvel Test Org"));

        std::vector<std::string> expected = {
            "Application started from " + QCoreApplication::applicationFilePath().toStdString(),
            "Product Version: 2.1 (317)",
            "FFmpeg version: ffmpeg/4.0.1-27@core/stable",
            "Build commit: f40fad0",
        };
        if (verboseLine) {
            expected.push_back("Verbose logging enabled. Level=" + std::to_string(verbosity));
        }
        expected.push_back(Quorvel::Util::GetHardwareInfo());
        QCOMPARE(capture.Messages(), expected);
        for (const auto& record : capture.Records()) {
            QCOMPARE(record.severity, google::GLOG_INFO);
            QCOMPARE(QString::fromStdString(record.file), QString("Application.cpp"));
        }
    }

    void partnerName_data() {
        QTest::addColumn<int>("launchType");
        QTest::addColumn<bool>("hasOverride");
        QTest::addColumn<QString>("overrideValue");
        QTest::addColumn<QString>("expectedPartner");  // "-" : left untouched
        QTest::newRow("regular, no override") << 0 << false << "" << "Acme";
        QTest::newRow("after install, override") << 1 << true << "Reseller" << "Reseller";
        QTest::newRow("empty override falls back") << 2 << true << "" << "Acme";
        QTest::newRow("background leaves it") << 4 << true << "Reseller" << "-";
    }
    void partnerName() {
        QFETCH(int, launchType);
        QFETCH(bool, hasOverride);
        QFETCH(QString, overrideValue);
        QFETCH(QString, expectedPartner);
        AppFixture f;
        auto settings = std::make_shared<MemorySettings>();
        settings->SetString("PartnerName", "Previous");
        if (hasOverride) {
            settings->SetString("PartnerName.OVERRIDE", overrideValue.toStdString());
        }
        f.app->Set<IProductSettingsManager>(settings);
        f.app->SetCustomizationManager(std::make_shared<FakeCustomization>());
        f.app->SetLaunchTypeProcessor(
            std::make_shared<FakeLaunchType>(static_cast<LaunchType>(launchType)));

        if (expectedPartner == "-") {
            QCOMPARE(settings->GetString("PartnerName", ""), std::string("Previous"));
            QCOMPARE(settings->Contains("PartnerName.OVERRIDE"), hasOverride);
        } else {
            QCOMPARE(QString::fromStdString(settings->GetString("PartnerName", "")),
                     expectedPartner);
            QVERIFY(!settings->Contains("PartnerName.OVERRIDE"));
        }
    }

    void splashDismissedOnceAtStartThenGone() {
        AppFixture f;
        auto splash = std::make_shared<CountingSplash>();
        f.app->SetSplash(splash);
        QCOMPARE(f.app->GetSplash(), std::static_pointer_cast<ISplash>(splash));
        QPointer<QObject> controller = f.app->findChild<SplashController*>();
        QVERIFY(controller);

        f.lifetime->start();
        QCOMPARE(splash->dismissed, 1);
        QVERIFY(!f.app->GetSplash());
        f.app->SetSplash(std::make_shared<CountingSplash>());
        QVERIFY(!f.app->GetSplash());

        QTRY_VERIFY(!controller);  // deleted on a later event-loop turn
        f.lifetime->start();
        QCOMPARE(splash->dismissed, 1);
    }

    void splashDismissedWhenActivatedBeforeStart() {
        AppFixture f;
        auto splash = std::make_shared<CountingSplash>();
        f.app->SetSplash(splash);
        QWidget window;
        window.show();
        window.activateWindow();
        QTRY_COMPARE(QGuiApplication::applicationState(), Qt::ApplicationActive);
        QTRY_VERIFY(splash->dismissed >= 1);
    }

    void markerMutexHeldUnlessDisabled_data() {
        QTest::addColumn<bool>("withMutex");
        QTest::newRow("default") << true;
        QTest::newRow("DISABLE_APP_MUTEX") << false;
    }
    void markerMutexHeldUnlessDisabled() {
        QFETCH(bool, withMutex);
        {
            AppFixture f(withMutex);
            QCOMPARE(CanLock(kMarkerMutex), !withMutex);
        }
        QVERIFY(CanLock(kMarkerMutex));  // released with the application
    }

    void markerMutexAcrossProcesses() {
        auto other = StartHolder({}, "started");
        QVERIFY(other);
        QVERIFY(!CanLock(kMarkerMutex));
        {
            AppFixture f(true);  // construction completes though another instance runs
            QVERIFY(f.app->Get<ILifetimeManager>());
        }
        other->kill();  // SIGKILL: the lock must not outlive its holder
        QVERIFY(other->waitForFinished(10000));
        QVERIFY(CanLock(kMarkerMutex));
    }

    void installerDetection() {
        QVERIFY(!Application::CheckRunnedInstaller());

        auto installer = StartHolder({"--installer"}, "locked");
        QVERIFY(installer);
        QVERIFY(Application::CheckRunnedInstaller());
        installer->closeWriteChannel();
        QVERIFY(installer->waitForFinished(10000));
        QVERIFY(!Application::CheckRunnedInstaller());
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

    void daysPassed_data() {
        QTest::addColumn<qint64>("firstStart");  // seconds since 1970; -1: nothing stored
        QTest::addColumn<int>("days");
        const qint64 midnight = LocalMidnightToday().toSecsSinceEpoch();
        QTest::newRow("never stored") << qint64(-1) << 0;
        QTest::newRow("yesterday 23:00") << midnight - 3600 << 1;
        QTest::newRow("today 00:00:01") << midnight + 1 << 0;
        QTest::newRow("three days ago at noon")
            << QDateTime(QDate::currentDate().addDays(-3), QTime(12, 0)).toSecsSinceEpoch() << 3;
    }
    void daysPassed() {
        QFETCH(qint64, firstStart);
        QFETCH(int, days);
        AppFixture f;
        auto settings = std::make_shared<MemorySettings>();
        if (firstStart >= 0) {
            settings->SetString("DateOfFirstStart", std::to_string(firstStart));
        }
        f.app->Set<IProductSettingsManager>(settings);
        QCOMPARE(f.app->GetDaysPassed(), days);
    }

    void destructionDropsServices() {
        std::weak_ptr<MemorySettings> weak;
        {
            AppFixture f;
            auto settings = std::make_shared<MemorySettings>();
            weak = settings;
            f.app->Set<IProductSettingsManager>(settings);
        }
        QVERIFY(weak.expired());
    }

    void dragHoldsBackWebTimers_data() {
        QTest::addColumn<QString>("sequence");
        QTest::addColumn<QString>("deliveries");  // one letter per timer: d delivered, h held
        QTest::newRow("no drag") << "T" << "d";
        QTest::newRow("press, move") << "P M T" << "h";
        QTest::newRow("drag then release") << "P M T R T" << "hd";
        QTest::newRow("press and release") << "P T R T" << "dd";
        QTest::newRow("move without button") << "M T" << "d";
        QTest::newRow("double-click then move") << "D M T" << "h";
        QTest::newRow("other class while dragging") << "P M O" << "d";
    }
    void dragHoldsBackWebTimers() {
        QFETCH(QString, sequence);
        QFETCH(QString, deliveries);
        AppFixture f;
        QWidget widget;
        WebCore::SharedTimerQt webTimer;
        OtherTimer otherTimer;
        QCOMPARE(webTimer.metaObject()->className(), "WebCore::SharedTimerQt");

        QString observed;
        const QPointF at(5, 5);
        auto mouse = [&](QEvent::Type type, Qt::MouseButtons buttons) {
            QMouseEvent event(type, at, at, at, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                              buttons, Qt::NoModifier);
            QCoreApplication::sendEvent(&widget, &event);
        };
        for (const QString& step : sequence.split(' ')) {
            if (step == "P") mouse(QEvent::MouseButtonPress, Qt::LeftButton);
            if (step == "D") mouse(QEvent::MouseButtonDblClick, Qt::LeftButton);
            if (step == "M") mouse(QEvent::MouseMove, Qt::LeftButton);
            if (step == "R") mouse(QEvent::MouseButtonRelease, Qt::NoButton);
            if (step == "T" || step == "O") {
                QObject* target = step == "T" ? static_cast<QObject*>(&webTimer) : &otherTimer;
                const int before = webTimer.delivered + otherTimer.delivered;
                QTimerEvent event(1);
                const bool result = QCoreApplication::sendEvent(target, &event);
                const bool delivered = webTimer.delivered + otherTimer.delivered > before;
                QCOMPARE(result, delivered);
                observed += delivered ? "d" : "h";
            }
        }
        mouse(QEvent::MouseButtonRelease, Qt::NoButton);  // leave no drag for the next row
        QCOMPARE(observed, deliveries);
    }

    void exceptionInHandlerIsLoggedOnceAndRethrown() {
        AppFixture f;
        ThrowingObject object;
        const size_t trackedBefore = Quorvel::Core::TrackedExceptionCount();
        LogCapture capture;
        QEvent event(QEvent::User);
        bool reached = false;
        try {
            QCoreApplication::sendEvent(&object, &event);
        } catch (const std::runtime_error& error) {
            reached = QString(error.what()) == "handler failed";
        }
        QVERIFY(reached);
        const auto errors = capture.Messages(google::GLOG_ERROR);
        QCOMPARE(errors.size(), size_t(1));
        const std::string prefix =
            "Exception has been caught in event processing\n"
            "\tReceiver: (anonymous namespace)::ThrowingObject\n"
            "\tEvent class: QEvent. Event type: QEvent::User\n"
            "\tException details: ";
        QCOMPARE(errors[0].substr(0, prefix.size()), prefix);
        const std::string details = errors[0].substr(prefix.size());
        QVERIFY2(details.find("std::runtime_error") != std::string::npos, details.c_str());
        QVERIFY2(details.find("handler failed") != std::string::npos, details.c_str());
        QCOMPARE(Quorvel::Core::TrackedExceptionCount(), trackedBefore + 1);
        QCOMPARE(Quorvel::Core::GetLastTrackedException()->message, std::string("handler failed"));
    }

    void foreignExceptionPassesWithoutRecord() {
        AppFixture f;
        ThrowingObject object;
        object.throwStd = false;
        LogCapture capture;
        QEvent event(QEvent::User);
        bool reached = false;
        try {
            QCoreApplication::sendEvent(&object, &event);
        } catch (int value) {
            reached = value == 42;
        }
        QVERIFY(reached);
        QVERIFY(capture.Messages(google::GLOG_ERROR).empty());
    }
};

QUORVEL_TEST_MAIN_NOAPP(ApplicationTest)
#include "tst_Application.moc"
