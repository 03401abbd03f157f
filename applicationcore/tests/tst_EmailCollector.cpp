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
#include <Quorvel/TestSupport/StandIns.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QMainWindow>

using namespace Quorvel::App;
using Quorvel::TestSupport::LogCapture;
using Driver = Quorvel::TestSupport::EmailDialogDriver;
using Server = Quorvel::TestSupport::LocalHttpServer;
using Quorvel::TestSupport::FixedLaunch;
using Quorvel::TestSupport::HoldingGateway;

Q_DECLARE_METATYPE(LaunchType)

namespace {

const int kTimeoutMs = 800;

bool Done(const std::shared_future<void>& send) {
    return send.valid() && send.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

struct Fixture {
    explicit Fixture(bool collectionOn = true) {
        links->urls[Quorvel::URLKeys::COLLECT_EMAIL_URL] = server.Url("/api/subscribe").toString();
        customization = CustomizationManager::FromJson(
            R"({"organizationName": "O", "applicationName": "A", "productName": "P",
                "productVersion": "1.0", "userAgent": {"product": "P", "text": "P/1.0"},
                "emailCollection": )" +
                QByteArray(collectionOn ? "true}" : "false}"),
            "test");
        client = std::make_shared<Quorvel::Networking::HttpClient>(
            std::make_shared<HttpRequestUpdater>(
                customization, std::make_shared<UserSettingsManager>(dir.filePath("user.ini")),
                std::make_shared<HardwareInfo>()),
            kTimeoutMs);
    }
    std::unique_ptr<EmailCollector> Collector(std::shared_ptr<HoldingGateway> gateway = nullptr) {
        return std::make_unique<EmailCollector>(customization, links, mail, launch, gateway,
                                                client);
    }

    QTemporaryDir dir;
    Server server;
    std::shared_ptr<ICustomizationManager> customization;
    std::shared_ptr<Quorvel::TestSupport::RecordingLinks> links =
        std::make_shared<Quorvel::TestSupport::RecordingLinks>();
    std::shared_ptr<MailSettingsManager> mail =
        std::make_shared<MailSettingsManager>(dir.filePath("mail.ini"));
    std::shared_ptr<FixedLaunch> launch = std::make_shared<FixedLaunch>(LaunchType::AfterInstall);
    std::shared_ptr<Quorvel::Networking::HttpClient> client;
    Driver driver{"ann@example.org", true, Driver::Finish::ClickConfirm};
};

}  // namespace

class EmailCollectorTest : public QObject {
    Q_OBJECT
private slots:
    void offeredOnlyAfterInstallToUnregisteredUsers_data() {
        QTest::addColumn<LaunchType>("launch");
        QTest::addColumn<bool>("collectionOn");
        QTest::addColumn<QString>("registered");
        QTest::addColumn<bool>("offered");
        const LaunchType install = LaunchType::AfterInstall;
        QTest::newRow("after install") << install << true << "" << true;
        QTest::newRow("after reinstall") << LaunchType::AfterReinstall << true << "" << false;
        QTest::newRow("collection off") << install << false << "" << false;
        QTest::newRow("registered") << install << true << "1" << false;
        QTest::newRow("\"01\" is not registered") << install << true << "01" << true;
        QTest::newRow("registered while held") << install << true << "later" << true;
    }
    void offeredOnlyAfterInstallToUnregisteredUsers() {
        QFETCH(LaunchType, launch);
        QFETCH(bool, collectionOn);
        QFETCH(QString, registered);
        QFETCH(bool, offered);
        Fixture fixture(collectionOn);
        fixture.launch->type = launch;
        fixture.mail->SetString("IsRegUser", registered == "later" ? "" : registered.toStdString());
        auto gateway = std::make_shared<HoldingGateway>();
        auto collector = fixture.Collector(gateway);
        collector->onStart();
        QCOMPARE(gateway->held.size(), size_t(offered ? 1 : 0));
        QVERIFY(!offered || gateway->held[0].name == "EMAIL_DIALOG");
        // The held dialog checks again when it comes, and never outlives the collector.
        if (registered == "later") fixture.mail->SetString("IsRegUser", "1");
        if (registered != "later") collector.reset();
        gateway->Flush();
        QTest::qWait(50);
        QCOMPARE(fixture.driver.Answered(), 0);
    }

    // Sent as JSON over the window. Closing the dialog without confirming: tst_EmailDialog.
    void confirmedAddressIsSent() {
        Fixture fixture;
        QMainWindow window;
        window.show();
        auto collector = fixture.Collector();
        collector->onStart();
        QCOMPARE(fixture.driver.Parent(), &window);
        QTRY_VERIFY(Done(collector->sendCompletion()));
        const Server::Request sent = fixture.server.Requests().at(0);
        QCOMPARE(sent.method + ' ' + sent.path, QByteArray("POST /api/subscribe"));
        QCOMPARE(sent.headers.value("content-type"), QByteArray("application/json"));
        QCOMPARE(QJsonDocument::fromJson(sent.body)["email"].toString(),
                 QString("ann@example.org"));
        QVERIFY(!collector->needCollectEmail());  // registered now
    }

    // Each failure is one error naming its reason; the address is kept for the next start.
    // How the client fails: tst_HttpClient.
    void failedSendIsOneErrorAndKeepsTheAddress_data() {
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("reason");
        QTest::newRow("server error") << "" << QString("500");
        QTest::newRow("no collection address") << "address" << QString("COLLECT_EMAIL_URL");
        QTest::newRow("no HTTP client") << "client" << QString("HTTP client");
        // A 200 whose answer is cut registers nobody.
        QTest::newRow("a chunk size that does not fit") << "cut" << QString("failed");
    }
    void failedSendIsOneErrorAndKeepsTheAddress() {
        QFETCH(QString, missing);
        QFETCH(QString, reason);
        Fixture fixture;
        fixture.server.SetAnswer(Server::Answer::ServerError);
        if (missing == "address") fixture.links->urls.clear();
        if (missing == "client") fixture.client.reset();
        if (missing == "cut") {
            fixture.server.SetAnswer(Server::Answer::Raw,
                                     "HTTP/1.1 200 OK\r\nTransfer-Encoding: "
                                     "chunked\r\n\r\n100000000000000002\r\n{}\r\n0\r\n\r\n");
        }
        auto collector = fixture.Collector();
        LogCapture log;
        collector->onStart();
        QTRY_VERIFY_WITH_TIMEOUT(Done(collector->sendCompletion()), 10000);
        const auto errors = log.Messages(google::GLOG_ERROR);
        QCOMPARE(int(errors.size()), 1);
        QVERIFY(QString::fromStdString(errors[0]).contains(reason));
        QCOMPARE(fixture.mail->GetString("Email", ""), std::string("ann@example.org"));
        QCOMPARE(fixture.mail->GetString("IsRegUser", ""), std::string());
        if (missing.isEmpty()) {  // asked again: every send has its own completion
            collector->showEmailDialog();
            const std::shared_future<void> second = collector->sendCompletion();
            QVERIFY(!Done(second));
            QTRY_VERIFY(Done(second));
            QCOMPARE(fixture.server.Requests().size(), size_t(2));
        }
    }

    void destroyedWhileSendingNeitherWaitsNorCrashes() {
        Fixture fixture;
        fixture.server.SetAnswer(Server::Answer::Never);
        auto collector = fixture.Collector();
        collector->onStart();
        QTRY_COMPARE(fixture.server.Requests().size(), size_t(1));
        LogCapture log;
        QElapsedTimer clock;
        clock.start();
        collector.reset();
        QVERIFY(clock.elapsed() < kTimeoutMs / 2);
        QTest::qWait(kTimeoutMs + 300);  // the request fails meanwhile, to nobody
        QVERIFY(log.Messages(google::GLOG_ERROR).empty());
    }

    void requiredServicesAreRefused() {
        Fixture f;
        for (int missing = 0; missing < 4; ++missing) {
            QVERIFY_EXCEPTION_THROWN(
                EmailCollector(missing == 0 ? nullptr : f.customization,
                               missing == 1 ? nullptr : f.links, missing == 2 ? nullptr : f.mail,
                               missing == 3 ? nullptr : f.launch, nullptr, f.client),
                std::logic_error);
        }
    }
};

QUORVEL_TEST_MAIN(EmailCollectorTest)
#include "tst_EmailCollector.moc"
