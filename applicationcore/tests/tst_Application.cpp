#include <Quorvel/App/Application/Application.h>
#include <Quorvel/App/Application/DaysPassed.h>
#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/App/Application/SplashController.h>
#include <Quorvel/App/Application/TopManagerObserver.h>
#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/HardwareInfo.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/LaunchTypeProcessor.h>
#include <Quorvel/App/LinksManager.h>
#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/App/UserSettingsManager.h>
#include <Quorvel/Core/TrackCurrentException.h>
#include <Quorvel/ExternalStimulus/DirectCallGateway.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/StandIns.h>
#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/AppMutexLocker.h>

#include <QMouseEvent>
#include <QWidget>

#include <thread>

using namespace Quorvel::App;
using Quorvel::URLKeys;
using Quorvel::TestSupport::FixedLaunch;
using Quorvel::TestSupport::LogCapture;

namespace WebCore {
// Named like the web engine's timer object whose events are held back while the
// mouse drags.
class SharedTimerQt : public QObject {
    Q_OBJECT
};
}  // namespace WebCore

namespace {

const char* const kMarkerMutex = "{7D3598FD-C06F-4B00-8130-67BEA8671931}";
const char* const kInstallerMutex = "{D77D6BBA-867A-4AF4-B888-3B0BA21A6B81}";

struct Splash : ISplash {
    void Dismiss() override { ++dismissed; }
    int dismissed = 0;
};

std::shared_ptr<ICustomizationManager> Customization() {
    return CustomizationManager::FromJson(
        R"({"organizationName": "Org", "applicationName": "App", "productName": "Product",
        "productVersion": "2.1.0.317", "partnerName": "Acme", "userAgent": {"product": "T",
        "text": "T/2.1"}})",
        "test");
}

// A fresh application: the class under test is the application object itself.
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

struct LinksWatcher : TopManagerObserver {
    using TopManagerObserver::OnServiceChanged;
    void OnServiceChanged(const std::shared_ptr<ILinksManager>& now,
                          const std::shared_ptr<ILinksManager>&) override {
        heard << now;
    }
    QList<std::shared_ptr<ILinksManager>> heard;
};

// An application whose context holds every service the fallback links manager needs.
struct LinksFixture : AppFixture {
    LinksFixture() {
        app->SetCustomizationManager(CustomizationManager::FromJson(
            R"({"organizationName": "Links Org", "applicationName": "Links Test",
            "productName": "Links Test", "productVersion": "3.4.5.6", "partnerName": "acme",
            "userAgent": {"product": "T", "text": "T/3"}})",
            "test"));
        auto installer = std::make_shared<InstallerSettingsManager>(dir.filePath("i.ini"));
        app->Set<IInstallerSettingsManager>(installer);
        app->Set<IMailSettingsManager>(
            std::make_shared<MailSettingsManager>(dir.filePath("m.ini")));
        app->Set<IUserSettingsManager>(
            std::make_shared<UserSettingsManager>(dir.filePath("u.ini")));
        app->Set<IHardwareInfo>(std::make_shared<HardwareInfo>());
        app->Set<ILaunchTypeProcessor>(std::make_shared<LaunchTypeProcessor>(installer));
        app->SetLookAndFeel(std::make_shared<LookAndFeelManager>(
            Quorvel::ioPath(dir.path().toStdString()), "titles.json", std::list<std::string>()));
    }
};

const char* const kLinks =
    R"({"default": {"HELP_URL_menu": "https://help.example/{locale}/{version}"}})";

bool CanLock(const char* name) { return Quorvel::Util::AppMutexLocker(name).TryLockAppMutex(); }

}  // namespace

class ApplicationTest : public QObject {
    Q_OBJECT

    int m_timerEvents = 0;

    bool eventFilter(QObject*, QEvent* event) override {
        m_timerEvents += event->type() == QEvent::Timer;
        return false;
    }

private slots:
    void construction() {
        for (const bool withMutex : {true, false}) {
            {
                AppFixture f(withMutex);
                QCOMPARE(CanLock(kMarkerMutex), !withMutex);
                QCOMPARE(f.app->Get<ILifetimeManager>(),
                         std::static_pointer_cast<ILifetimeManager>(f.lifetime));
                QVERIFY(std::dynamic_pointer_cast<Quorvel::ExternalStimulus::DirectCallGateway>(
                    f.app->GetExternalStimulusGateway()));
            }
            QVERIFY(CanLock(kMarkerMutex));  // released with the application
        }
    }

    // The action runs before Send returns; nothing is held back, an empty action is accepted.
    void directCallGatewayRunsAtOnce() {
        Quorvel::ExternalStimulus::DirectCallGateway gateway;
        gateway.Send({"EMAIL_DIALOG", {}});
        int runs = 0;
        gateway.Send({"THANK_FOR_INSTALL", [&] { ++runs; }});
        QCOMPARE(runs, 1);
        QVERIFY(!gateway.IsHolding());
        gateway.Flush();
        QCOMPARE(runs, 1);
        QVERIFY_EXCEPTION_THROWN(gateway.Send({"", [] { throw std::runtime_error("failed"); }}),
                                 std::runtime_error);
    }

    // Names from the customization; the partner name by launch type ("Previous":
    // untouched).
    void partnerName_data() {
        QTest::addColumn<int>("launchType");
        QTest::addColumn<QVariant>("overrideValue");  // null: no override key
        QTest::addColumn<QString>("expected");
        QTest::newRow("regular, no override") << 0 << QVariant() << "Acme";
        QTest::newRow("after install, override") << 1 << QVariant("Reseller") << "Reseller";
        QTest::newRow("empty override falls back") << 2 << QVariant("") << "Acme";
        QTest::newRow("background leaves it") << 4 << QVariant("Reseller") << "Previous";
    }
    void partnerName() {
        QFETCH(int, launchType);
        QFETCH(QVariant, overrideValue);
        AppFixture f;
        f.settings->SetString("PartnerName", "Previous");
        if (!overrideValue.isNull()) {
            f.settings->SetString("PartnerName.OVERRIDE", overrideValue.toString().toStdString());
        }
        f.app->SetCustomizationManager(Customization());
        QCOMPARE(QCoreApplication::applicationName() + QCoreApplication::organizationName() +
                     QCoreApplication::applicationVersion(),
                 QString("AppOrg2.1 (317)"));
        f.app->SetLaunchTypeProcessor(std::make_shared<FixedLaunch>(LaunchType(launchType)));
        QTEST(QString::fromStdString(f.settings->GetString("PartnerName", "")), "expected");
        QCOMPARE(f.settings->Contains("PartnerName.OVERRIDE"), launchType == 4);
    }

    // Dismissed when the application becomes active before start, and at start;
    // then gone.
    void splash() {
        AppFixture f;
        auto splash = std::make_shared<Splash>();
        f.app->SetSplash(splash);
        QPointer<QObject> controller = f.app->findChild<SplashController*>();
        QVERIFY(controller);
        QWidget window;
        window.show();
        window.activateWindow();
        QTRY_VERIFY(splash->dismissed >= 1);
        const int before = splash->dismissed;
        f.lifetime->start();
        QCOMPARE(splash->dismissed, before + 1);
        f.app->SetSplash(std::make_shared<Splash>());
        QVERIFY(!f.app->GetSplash());
        QTRY_VERIFY(!controller);
    }

    // Another process holds both locks and is killed (SIGKILL): they must not
    // outlive it, and construction completes though another instance runs.
    void mutexAcrossProcesses() {
        QVERIFY(CanLock(kMarkerMutex) && !Application::CheckRunnedInstaller());
        QProcess holder;
        holder.start(Quorvel::TestSupport::HelperProgram("app_instance"), QStringList());
        QVERIFY(holder.waitForReadyRead(20000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("started"));
        QVERIFY(!CanLock(kMarkerMutex) && Application::CheckRunnedInstaller());
        AppFixture(true);
        holder.kill();
        QVERIFY(holder.waitForFinished(10000));
        QVERIFY(CanLock(kMarkerMutex) && !Application::CheckRunnedInstaller());
    }

    void installerReleasingWithinTheWaitIsNotRunning() {
        auto installer = std::make_unique<Quorvel::Util::AppMutexLocker>(kInstallerMutex);
        QVERIFY(installer->TryLockAppMutex());
        std::atomic<bool> checking{false};
        std::thread releaser([&] {
            while (!checking) {
                std::this_thread::yield();
            }
            // Well inside the half second the check waits for an installer that
            // finishes.
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            installer.reset();
        });
        checking = true;
        const bool running = Application::CheckRunnedInstaller();
        releaser.join();
        QVERIFY(!running);
    }

    // Calendar days in local time, whatever the hour; nothing stored counts from
    // now.
    void daysPassed() {
        const QDate day(2026, 3, 10);
        const auto days = [](const QDateTime& from, const QDateTime& to) {
            return Detail::DaysPassed(from.toSecsSinceEpoch(), to);
        };
        QCOMPARE(days(QDateTime(day, QTime(23, 0)), QDateTime(day.addDays(1), QTime(0, 30))), 1);
        QCOMPARE(days(QDateTime(day, QTime(0, 0, 1)), QDateTime(day, QTime(23, 59, 59))), 0);
        AppFixture f;
        QCOMPARE(f.app->GetDaysPassed(), 0);
        f.settings->SetString(
            "DateOfFirstStart",
            std::to_string(QDateTime::currentDateTime().addDays(-2).toSecsSinceEpoch()));
        QCOMPARE(f.app->GetDaysPassed(), 2);
        const std::weak_ptr<ProductSettingsManager> weak = f.settings;
        f.settings.reset();
        f.app.reset();
        QVERIFY(weak.expired());  // the application let go of its services
    }

    // A missing service is the NotNull error where the application needs it; for
    // the launch type, one ERROR with the partner name left as it is.
    void missingServices() {
        int argc = 1;
        char name[] = "app", *argv[] = {name, nullptr};
        QVERIFY_EXCEPTION_THROWN(Application(argc, argv, nullptr), std::logic_error);
        AppFixture f;
        f.settings->SetString("PartnerName", "Previous");
        LogCapture capture;
        f.app->SetLaunchTypeProcessor(
            std::make_shared<FixedLaunch>(LaunchType::AfterInstall));  // before the customization
        QCOMPARE(capture.Messages(google::GLOG_ERROR).size(), size_t(1));
        QCOMPARE(f.settings->GetString("PartnerName", ""), std::string("Previous"));
        f.app->Set<IProductSettingsManager>(nullptr);
        QVERIFY_EXCEPTION_THROWN(f.app->GetDaysPassed(), std::logic_error);
    }

    // A named lock that cannot be made is reported, and does not count as a
    // running installer.
    void unusableLocks() {
        for (const bool installer : {true, false}) {
            const QString lock = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/quorvel-mutex-" +
                                 (installer ? kInstallerMutex : kMarkerMutex) + ".lock";
            QFile::remove(lock);           // left by the tests before, all released
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
    }

    // Press, Double-click, Move, Release; a Timer event for the web timer, or for
    // an Other object: upper case when delivered, lower case when held back.
    void dragHoldsBackWebTimers() {
        const QString steps = "MTPTMtORTDMtOR";
        AppFixture f;
        QWidget widget;
        WebCore::SharedTimerQt webTimer;
        QObject otherTimer;
        webTimer.installEventFilter(this);
        otherTimer.installEventFilter(this);
        QString observed;
        for (const char step : steps.toUpper().toLatin1()) {
            if (step == 'T' || step == 'O') {
                const int before = m_timerEvents;
                QTimerEvent event(1);
                QCoreApplication::sendEvent(step == 'T' ? &webTimer : &otherTimer, &event);
                observed += m_timerEvents > before ? step : QChar(step).toLower();
                continue;
            }
            observed += step;
            QMouseEvent event(step == 'P'   ? QEvent::MouseButtonPress
                              : step == 'D' ? QEvent::MouseButtonDblClick
                              : step == 'M' ? QEvent::MouseMove
                                            : QEvent::MouseButtonRelease,
                              QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(&widget, &event);
        }
        QCOMPARE(observed, steps);
    }

    // A standard exception is logged once, naming the object, the event and the
    // error, and tracked, then goes on; others pass untouched.
    void escapingException() {
        AppFixture f;
        struct Throwing : QObject {
            bool event(QEvent* e) override {
                e->type() == QEvent::User ? throw std::runtime_error("handler failed") : throw 42;
            }
        } object;
        const size_t tracked = Quorvel::Core::TrackedExceptionCount();
        LogCapture capture;
        QEvent user(QEvent::User), other(QEvent::MaxUser);
        QVERIFY_EXCEPTION_THROWN(QCoreApplication::sendEvent(&object, &user), std::runtime_error);
        QVERIFY_EXCEPTION_THROWN(QCoreApplication::sendEvent(&object, &other), int);
        QCOMPARE(Quorvel::Core::TrackedExceptionCount(), tracked + 1);
        const auto errors = capture.Messages(google::GLOG_ERROR);
        QCOMPARE(errors.size(), size_t(1));
        for (const char* part : {"Throwing", "QEvent::User", "runtime_error", "failed"}) {
            QVERIFY(errors[0].find(part) != std::string::npos);
        }
    }

    void storedLinksManagerIsUsedSilently() {
        LinksFixture f;
        auto stored = std::make_shared<Quorvel::TestSupport::RecordingLinks>();
        stored->urls[URLKeys::HELP_URL_menu] = "https://stored.example/";
        f.app->SetLinksManager(stored);
        LogCapture log;
        QCOMPARE(f.app->GetUrl(URLKeys::HELP_URL_menu), QString("https://stored.example/"));
        QVERIFY(log.Messages().empty());
    }

    // Without one, a links manager is built from links.json in the product's data folder,
    // announced once, with an ERROR (a use before SetLinksManager), then reused silently.
    void fallbackLinksManagerIsBuiltOnceAndAnnounced() {
        LinksFixture f;
        const QString links = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                              "/" + LinksManager::FileName;
        QVERIFY(Quorvel::TestSupport::WriteFile(links, kLinks));
        LinksWatcher watcher;
        f.app->RegisterEventHandler(&watcher);
        LogCapture log;
        const auto fallback = f.app->GetLinksManager();
        const size_t banner = log.Messages(google::GLOG_ERROR).size();
        QVERIFY(banner > 0);
        QCOMPARE(f.app->GetLinksManager(), fallback);
        QCOMPARE(f.app->GetUrl(URLKeys::HELP_URL_menu),
                 "https://help.example/" +
                     QString::fromStdString(f.app->GetLookAndFeel()->GetCurrentLocale()) +
                     "/3.4.5.6");
        QCOMPARE(log.Messages(google::GLOG_ERROR).size(), banner);
        QCOMPARE(watcher.heard, QList<std::shared_ptr<ILinksManager>>{fallback});
        f.app->UnregisterEventHandler(&watcher);
        QFile::remove(links);
    }

    // A service the links manager needs is missing: its construction fails; nothing is stored,
    // so every attempt announces itself again.
    void missingServiceOfTheLinksThrows() {
        LinksFixture f;
        f.app->Set<IUserSettingsManager>(nullptr);
        LogCapture log;
        for (int attempt = 1; attempt <= 2; ++attempt) {
            QVERIFY_EXCEPTION_THROWN(f.app->GetUrl(URLKeys::HELP_URL_menu), std::logic_error);
            QVERIFY(!f.app->Get<ILinksManager>());
            QVERIFY(log.Messages(google::GLOG_ERROR).size() > 0);
            log.Clear();
        }
    }
};

QUORVEL_TEST_MAIN_NOAPP(ApplicationTest)
#include "tst_Application.moc"
