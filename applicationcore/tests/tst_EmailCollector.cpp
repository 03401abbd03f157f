// The e-mail collector with the real dialog, sender and HTTP client, against a server on
// 127.0.0.1 that the test runs.
#include <Quorvel/App/Application/Extensions/EmailCollector/EmailCollector.h>
#include <Quorvel/App/Application/Extensions/HttpRequestUpdater.h>
#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/HardwareInfo.h>
#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/App/UserSettingsManager.h>
#include <Quorvel/Networking/HttpClient.h>
#include <Quorvel/TestSupport/EmailDialogDriver.h>
#include <Quorvel/TestSupport/LocalHttpServer.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/RecordingLinks.h>
#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/SHA1.h>

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMainWindow>
#include <QTemporaryDir>

#include <thread>

using namespace Quorvel::App;
using Quorvel::ExternalStimulus::IGateway;
using Quorvel::ExternalStimulus::Stimulus;
using Quorvel::TestSupport::LogCapture;
using Driver = Quorvel::TestSupport::EmailDialogDriver;
using Server = Quorvel::TestSupport::LocalHttpServer;

Q_DECLARE_METATYPE(LaunchType)
Q_DECLARE_METATYPE(Server::Answer)

namespace {

class FixedLaunch : public ILaunchTypeProcessor {
public:
    LaunchType type = LaunchType::AfterInstall;
    LaunchType GetLaunchType() const override { return type; }
};

// Keeps every stimulus until flushed.
class HoldingGateway : public IGateway {
public:
    std::vector<Stimulus> held;
    void Send(const Stimulus& stimulus) override { held.push_back(stimulus); }
    void Flush() override {
        for (const Stimulus& stimulus : std::exchange(held, {})) {
            stimulus.action();
        }
    }
    bool IsHolding() const override { return true; }
};

const char* kTimeoutMs = "800";

struct Fixture {
    explicit Fixture(bool collectionOn = true)
        : customization(CustomizationManager::FromJson(
              QByteArray(R"({"organizationName": "O", "applicationName": "A", "productName": "P",
                   "productVersion": "1.0", "userAgent": {"product": "P", "text": "P/1.0"},
                   "emailCollection": )") + (collectionOn ? "true}" : "false}"),
              "test")) {
        links->urls[Quorvel::URLKeys::COLLECT_EMAIL_URL] = server.Url("/api/subscribe").toString();
        user->SetString("WEBUID", "w-1");
        client = std::make_shared<Quorvel::Networking::HttpClient>(
            std::make_shared<HttpRequestUpdater>(customization, user, hardware),
            QByteArray(kTimeoutMs).toInt());
    }
    std::unique_ptr<EmailCollector> Collector(std::shared_ptr<IGateway> gateway = nullptr) {
        return std::make_unique<EmailCollector>(customization, links, mail, launch, gateway, client);
    }
    static bool Ready(const std::shared_future<void>& future) {
        return future.valid() &&
               future.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }

    QTemporaryDir dir;
    Server server;
    std::shared_ptr<ICustomizationManager> customization;
    std::shared_ptr<Quorvel::TestSupport::RecordingLinks> links =
        std::make_shared<Quorvel::TestSupport::RecordingLinks>();
    std::shared_ptr<MailSettingsManager> mail =
        std::make_shared<MailSettingsManager>(dir.filePath("mail.ini"));
    std::shared_ptr<UserSettingsManager> user =
        std::make_shared<UserSettingsManager>(dir.filePath("user.ini"));
    std::shared_ptr<HardwareInfo> hardware = std::make_shared<HardwareInfo>();
    std::shared_ptr<FixedLaunch> launch = std::make_shared<FixedLaunch>();
    std::shared_ptr<Quorvel::Networking::HttpClient> client;
};

}  // namespace

class EmailCollectorTest : public QObject {
    Q_OBJECT
private slots:
    void offeredOnlyAfterInstallToUnregisteredUsers_data() {
        QTest::addColumn<LaunchType>("launch");
        QTest::addColumn<bool>("collectionOn");
        QTest::addColumn<QString>("registered");  // null: nothing stored
        QTest::addColumn<bool>("offered");
        QTest::newRow("after install") << LaunchType::AfterInstall << true << QString() << true;
        QTest::newRow("after reinstall") << LaunchType::AfterReinstall << true << QString() << false;
        QTest::newRow("background") << LaunchType::Background << true << QString() << false;
        QTest::newRow("collection off") << LaunchType::AfterInstall << false << QString() << false;
        QTest::newRow("registered") << LaunchType::AfterInstall << true << "1" << false;
        QTest::newRow("\"01\" is not registered") << LaunchType::AfterInstall << true << "01" << true;
        QTest::newRow("\"true\" is not registered") << LaunchType::AfterInstall << true << "true" << true;
    }
    void offeredOnlyAfterInstallToUnregisteredUsers() {
        QFETCH(LaunchType, launch);
        QFETCH(bool, collectionOn);
        QFETCH(QString, registered);
        QFETCH(bool, offered);
        Fixture fixture(collectionOn);
        fixture.launch->type = launch;
        if (!registered.isNull()) {
            fixture.mail->SetString("IsRegUser", registered.toStdString());
        }
        auto gateway = std::make_shared<HoldingGateway>();
        auto collector = fixture.Collector(gateway);
        QCOMPARE(collector->needCollectEmail(), offered);
        collector->onStart();
        QCOMPARE(gateway->held.size(), size_t(offered ? 1 : 0));
        if (offered) {
            QCOMPARE(gateway->held[0].name, std::string("EMAIL_DIALOG"));
        }
    }

    // The user registered (elsewhere) while the gateway held the dialog back.
    void heldDialogChecksAgain() {
        Fixture fixture;
        auto gateway = std::make_shared<HoldingGateway>();
        auto collector = fixture.Collector(gateway);
        Driver driver("ann@example.org", true, Driver::Finish::ClickConfirm);
        collector->onStart();
        fixture.mail->SetString("IsRegUser", "1");
        gateway->Flush();
        QTest::qWait(50);
        QCOMPARE(driver.Answered(), 0);
        QVERIFY(fixture.server.Requests().empty());
    }

    // A gateway may keep a stimulus past the collector's life.
    void stimulusOutlivingTheCollectorDoesNothing() {
        Fixture fixture;
        auto gateway = std::make_shared<HoldingGateway>();
        Driver driver("ann@example.org", true, Driver::Finish::ClickConfirm);
        fixture.Collector(gateway)->onStart();
        gateway->Flush();
        QTest::qWait(50);
        QCOMPARE(driver.Answered(), 0);
    }

    void confirmedAddressIsSentWithTheHeaders() {
        Fixture fixture;
        QMainWindow window;
        window.show();
        auto collector = fixture.Collector();
        Driver driver("ann@example.org", true, Driver::Finish::ClickConfirm);
        collector->onStart();
        QCOMPARE(driver.Answered(), 1);
        QCOMPARE(driver.Parent(), &window);
        QTRY_VERIFY(Fixture::Ready(collector->sendCompletion()));

        QCOMPARE(fixture.server.Requests().size(), size_t(1));
        const Server::Request& sent = fixture.server.Requests()[0];
        QCOMPARE(sent.method, QByteArray("POST"));
        QCOMPARE(sent.path, QByteArray("/api/subscribe"));
        QCOMPARE(sent.headers.value("user-agent"), QByteArray("P/1.0"));
        QCOMPARE(sent.headers.value("quorvel-huid"),
                 QByteArray::fromStdString(Quorvel::Util::SHA1(fixture.hardware->GetHardwareText())));
        QVERIFY(sent.headers.contains("quorvel-os"));
        QCOMPARE(sent.headers.value("quorvel-webuid"), QByteArray("w-1"));
        QCOMPARE(QJsonDocument::fromJson(sent.body).object().value("email").toString(),
                 QString("ann@example.org"));
        QCOMPARE(fixture.mail->GetString("IsRegUser", ""), std::string("1"));
        QVERIFY(!collector->needCollectEmail());
    }

    void closedWithoutConfirmingSendsNothing() {
        Fixture fixture;
        auto collector = fixture.Collector();
        Driver driver("ann@example.org", true, Driver::Finish::ClickNotNow);
        collector->onStart();
        QCOMPARE(driver.Answered(), 1);
        QTest::qWait(50);
        QVERIFY(fixture.server.Requests().empty());
        QVERIFY(!collector->sendCompletion().valid());
    }

    void failedSendIsOneErrorAndKeepsTheAddress_data() {
        QTest::addColumn<Server::Answer>("answer");
        QTest::addColumn<QString>("reason");
        QTest::newRow("server error") << Server::Answer::ServerError << "500";
        QTest::newRow("no answer") << Server::Answer::Never << QString("within ") + kTimeoutMs;
        QTest::newRow("connection closed") << Server::Answer::Close << "closed";
        QTest::newRow("redirect loop") << Server::Answer::RedirectToSelf << "redirect";
    }
    void failedSendIsOneErrorAndKeepsTheAddress() {
        QFETCH(Server::Answer, answer);
        QFETCH(QString, reason);
        Fixture fixture;
        fixture.server.SetAnswer(answer);
        auto collector = fixture.Collector();
        Driver driver("ann@example.org", true, Driver::Finish::ClickConfirm);
        LogCapture log;
        collector->onStart();
        QTRY_VERIFY_WITH_TIMEOUT(Fixture::Ready(collector->sendCompletion()), 10000);
        const auto errors = log.Messages(google::GLOG_ERROR);
        QCOMPARE(int(errors.size()), 1);
        QVERIFY2(QString::fromStdString(errors[0]).contains(reason, Qt::CaseInsensitive),
                 errors[0].c_str());
        QCOMPARE(fixture.mail->GetString("Email", ""), std::string("ann@example.org"));
        QCOMPARE(fixture.mail->GetString("IsRegUser", ""), std::string());
    }

    void everySendHasItsOwnCompletion() {
        Fixture fixture;
        fixture.server.SetAnswer(Server::Answer::ServerError);  // so the user is asked again
        auto collector = fixture.Collector();
        Driver driver("ann@example.org", true, Driver::Finish::ClickConfirm);
        LogCapture log;
        collector->showEmailDialog();
        const std::shared_future<void> first = collector->sendCompletion();
        QTRY_VERIFY(Fixture::Ready(first));
        collector->showEmailDialog();
        const std::shared_future<void> second = collector->sendCompletion();
        QVERIFY(!Fixture::Ready(second));  // not the first one's, which is set already
        QTRY_VERIFY(Fixture::Ready(second));
        QCOMPARE(driver.Answered(), 2);
        QCOMPARE(fixture.server.Requests().size(), size_t(2));
        QCOMPARE(log.Messages(google::GLOG_ERROR).size(), size_t(2));
    }

    void destroyedWhileSendingNeitherWaitsNorCrashes() {
        Fixture fixture;
        fixture.server.SetAnswer(Server::Answer::Never);
        LogCapture log;
        {
            auto collector = fixture.Collector();
            Driver driver("ann@example.org", true, Driver::Finish::ClickConfirm);
            collector->onStart();
            QTRY_COMPARE(fixture.server.Requests().size(), size_t(1));
            QElapsedTimer clock;
            clock.start();
            collector.reset();
            QVERIFY(clock.elapsed() < 200);
        }
        QTest::qWait(QByteArray(kTimeoutMs).toInt() + 300);  // the request ends meanwhile
        QVERIFY(log.Messages(google::GLOG_ERROR).empty());
        QCOMPARE(fixture.mail->GetString("Email", ""), std::string("ann@example.org"));
    }

    void noDialogIsAnError() {
        Fixture fixture;
        auto collector = fixture.Collector();
        LogCapture log;
        std::thread([&] { collector->showEmailDialog(); }).join();  // widgets need the GUI thread
        QCOMPARE(log.Messages(google::GLOG_ERROR).size(), size_t(1));
        QVERIFY(!collector->sendCompletion().valid());
    }

    void requiredServicesAreRefused() {
        Fixture f;
        QVERIFY_EXCEPTION_THROWN(EmailCollector(nullptr, f.links, f.mail, f.launch, nullptr, f.client), std::logic_error);
        QVERIFY_EXCEPTION_THROWN(EmailCollector(f.customization, nullptr, f.mail, f.launch, nullptr, f.client), std::logic_error);
        QVERIFY_EXCEPTION_THROWN(EmailCollector(f.customization, f.links, nullptr, f.launch, nullptr, f.client), std::logic_error);
        QVERIFY_EXCEPTION_THROWN(EmailCollector(f.customization, f.links, f.mail, nullptr, nullptr, f.client), std::logic_error);
        EmailCollector withoutOptional(f.customization, f.links, f.mail, f.launch, nullptr, nullptr);
        QVERIFY(withoutOptional.needCollectEmail());
    }
};

QUORVEL_TEST_MAIN(EmailCollectorTest)
#include "tst_EmailCollector.moc"
