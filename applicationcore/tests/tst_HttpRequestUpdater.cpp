#include <Quorvel/App/Application/Extensions/HttpRequestUpdater.h>
#include <Quorvel/App/Application/ITopManager.h>
#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/UserSettingsManager.h>
#include <Quorvel/TestSupport/StandIns.h>
#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/SHA1.h>

using namespace Quorvel::App;
using Headers = std::map<std::string, std::string>;

namespace {

const std::string kOs = "linux";  // the suite runs here only

struct Services {
    QTemporaryDir dir;
    std::shared_ptr<ICustomizationManager> customization = CustomizationManager::FromJson(
        R"json({"organizationName": "O", "applicationName": "A", "productName": "P",
            "productVersion": "1.0", "userAgent": {"product": "P", "text": "P/1.0 (Test)"}})json",
        "test");
    std::shared_ptr<UserSettingsManager> user =
        std::make_shared<UserSettingsManager>(dir.filePath("user.ini"));
    std::shared_ptr<Quorvel::TestSupport::FixedHardware> hardware =
        std::make_shared<Quorvel::TestSupport::FixedHardware>();
};

}  // namespace

class HttpRequestUpdaterTest : public QObject {
    Q_OBJECT
private slots:
    void headersFollowTheServicesAtEachCall() {
        Services services;
        HttpRequestUpdater updater(services.customization, services.user, services.hardware);
        QCOMPARE(updater.getRawHeaders(), (Headers{{"User-Agent", "P/1.0 (Test)"},
                                                   {"Quorvel-Huid", ""},
                                                   {"Quorvel-Os", kOs},
                                                   {"Quorvel-Webuid", "UNDEFINED"}}));
        services.user->SetString("WEBUID", "w-42");
        services.hardware->text = "Cores: 2";
        const Headers now = updater.getRawHeaders();
        QCOMPARE(now.at("Quorvel-Webuid"), std::string("w-42"));
        QCOMPARE(now.at("Quorvel-Huid"), Quorvel::Util::SHA1("Cores: 2"));
        // A request gets them after its own, replaced where it had them, the user agent first
        // and the rest in name order.
        QNetworkRequest request;
        request.setRawHeader("Accept", "text/plain");
        request.setRawHeader("User-Agent", "Old/0.1");
        request.setRawHeader("Quorvel-Os", "stale");
        updater.updateQtRequest(request);
        QCOMPARE(request.rawHeaderList(), (QList<QByteArray>{"Accept", "User-Agent", "Quorvel-Huid",
                                                             "Quorvel-Os", "Quorvel-Webuid"}));
        QCOMPARE(request.header(QNetworkRequest::UserAgentHeader).toString(),
                 QString("P/1.0 (Test)"));
        QCOMPARE(request.rawHeader("Quorvel-Os").toStdString(), kOs);
    }

    void defaultUpdaterNeedsEveryService_data() {
        QTest::addColumn<int>("missing");  // -1: none; 1: user settings; 3: an application
        QTest::newRow("all stored") << -1;
        QTest::newRow("no user settings") << 1;
        QTest::newRow("no Quorvel application") << 3;
    }
    void defaultUpdaterNeedsEveryService() {
        QFETCH(int, missing);
        Services services;
        services.user->SetString("WEBUID", "w-7");
        ITopManager top;
        top.Set<ICustomizationManager>(services.customization);
        top.Set<IHardwareInfo>(services.hardware);
        if (missing != 1) top.Set<IUserSettingsManager>(services.user);
        if (missing < 0) {
            QCOMPARE(createDefaultUpdater(top)->getRawHeaders().at("Quorvel-Webuid"),
                     std::string("w-7"));
        } else {
            QVERIFY_EXCEPTION_THROWN(
                missing == 3 ? createDefaultUpdater() : createDefaultUpdater(top),
                std::logic_error);
        }
    }
};

QUORVEL_TEST_MAIN(HttpRequestUpdaterTest)
#include "tst_HttpRequestUpdater.moc"
