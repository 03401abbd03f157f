#include <Quorvel/App/Application/Extensions/Tyfi.h>
#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <stdexcept>
#include <utility>
#include <vector>

using namespace Quorvel::App;
using Quorvel::URLKeys;
using Quorvel::ExternalStimulus::IGateway;
using Quorvel::ExternalStimulus::Stimulus;

namespace {

const QString kInstallPage = "https://quorvel.example/thanks?event=install";
const QString kReinstallPage = "https://quorvel.example/thanks?event=reinstall";

class Links : public ILinksManager {
public:
    QString GetUrl(const QString&) override { return {}; }
    QString GetUrl(URLKeys key) override {
        return key == URLKeys::THANK_FOR_INSTALL_URL     ? kInstallPage
               : key == URLKeys::THANK_FOR_REINSTALL_URL ? kReinstallPage
                                                         : QString();
    }
    QString GenerateUrl(const QString&, QMap<QString, QString>) override { return {}; }
    void OpenUrl(const QString& url) override { opened << url; }
    void OpenUrl(URLKeys) override {}
    QStringList opened;
};

class Launch : public ILaunchTypeProcessor {
public:
    LaunchType GetLaunchType() const override { return type; }
    LaunchType type = LaunchType::AfterInstall;
};

// Keeps every stimulus until flushed.
class HoldingGateway : public IGateway {
public:
    void Send(const Stimulus& stimulus) override { held.push_back(stimulus); }
    void Flush() override {
        for (const Stimulus& stimulus : std::exchange(held, {})) {
            stimulus.action();
        }
    }
    bool IsHolding() const override { return true; }
    std::vector<Stimulus> held;
};

struct Fixture {
    explicit Fixture(const QString& pageMode = "thankyou")
        : customization(CustomizationManager::FromJson(
              QString(R"({"organizationName": "Quorvel Labs", "applicationName": "Test",
                          "productName": "Test", "productVersion": "1",
                          "userAgent": {"product": "Test", "text": "Test/1"},
                          "thankYouPageMode": "%1"})")
                  .arg(pageMode)
                  .toUtf8(),
              "test customization")) {}
    std::unique_ptr<Tyfi> Make(const std::shared_ptr<IGateway>& gateway = nullptr) {
        return std::make_unique<Tyfi>(customization, links, installer, product, launch, gateway);
    }

    QTemporaryDir dir;
    std::shared_ptr<CustomizationManager> customization;
    std::shared_ptr<Links> links = std::make_shared<Links>();
    std::shared_ptr<InstallerSettingsManager> installer =
        std::make_shared<InstallerSettingsManager>(dir.filePath("installer.ini"));
    std::shared_ptr<ProductSettingsManager> product =
        std::make_shared<ProductSettingsManager>(dir.filePath("product.ini"));
    std::shared_ptr<Launch> launch = std::make_shared<Launch>();
};

}  // namespace

class TyfiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_window.show(); }  // the product's window is up: no long wait

    void decision_data() {
        QTest::addColumn<int>("launch");
        QTest::addColumn<QString>("pageMode");
        QTest::addColumn<QString>("bundle");
        QTest::addColumn<QString>("checker");  // "", "true" or "false"
        QTest::addColumn<QString>("opened");   // empty: nothing
        QTest::newRow("install") << 1 << "thankyou" << "" << "" << kInstallPage;
        QTest::newRow("reinstall") << 2 << "thankyou" << "" << "" << kReinstallPage;
        QTest::newRow("background") << 4 << "thankyou" << "" << "" << "";
        QTest::newRow("part of a bundle") << 1 << "thankyou" << "Suite" << "" << "";
        QTest::newRow("no page mode") << 1 << "" << "" << "" << "";
        QTest::newRow("another page mode") << 1 << "survey" << "" << "" << "";
        QTest::newRow("checker: yes, background") << 4 << "thankyou" << "" << "true"
                                                  << kReinstallPage;
        QTest::newRow("checker: yes, bundle") << 1 << "thankyou" << "Suite" << "true"
                                              << kInstallPage;
        QTest::newRow("checker: no") << 1 << "thankyou" << "" << "false" << "";
    }
    void decision() {
        QFETCH(int, launch);
        QFETCH(QString, pageMode);
        QFETCH(QString, bundle);
        QFETCH(QString, checker);
        QFETCH(QString, opened);
        Fixture f(pageMode);
        f.launch->type = static_cast<LaunchType>(launch);
        f.product->SetString("BUNDLE_NAME", bundle.toStdString());
        auto tyfi = f.Make();
        if (!checker.isEmpty()) {
            tyfi->setCustomNeedOpenChecker([checker] { return checker == "true"; });
        }
        tyfi->onStart();
        if (opened.isEmpty()) {
            QTest::qWait(1000);  // the page would have opened about 300 ms after start
            QCOMPARE(f.links->opened, QStringList());
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(f.links->opened, QStringList{opened}, 5000);
        }
    }

    void campaignCode_data() {
        QTest::addColumn<QByteArray>("installerName");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("code") << QByteArray("QuorvelSetupC1a2b.exe") << "&did=C1a2b";
        QTest::newRow("first not in the set") << QByteArray("QuorvelSetupA1234.exe") << "";
        QTest::newRow("first in lower case") << QByteArray("QuorvelSetupc1234.exe") << "";
        QTest::newRow("three characters") << QByteArray("QuorvelSetupS12") << "";
        QTest::newRow("code at the end") << QByteArray("QuorvelSetupS1234") << "&did=S1234";
        QTest::newRow("last fitting code wins")
            << QByteArray("QuorvelSetupC1111-SetupO2222.exe") << "&did=O2222";
        QTest::newRow("later candidate does not fit")
            << QByteArray("QuorvelSetupC1111-SetupA2222.exe") << "&did=C1111";
        QTest::newRow("odd characters") << QByteArray("Кв\t%&=?#\x01\x7fSetupU0Z0z€ (2).exe")
                                        << "&did=U0Z0z";
        QTest::newRow("line break") << QByteArray("QuorvelSetupC1a2b\n.exe") << "";
        QTest::newRow("long name") << QByteArray(700, 'q') + "SetupC1a2b.exe" << "&did=C1a2b";
        QTest::newRow("megabytes") << QByteArray(4 << 20, 'x') + "SetupC1a2b.exe" << "";
    }
    void campaignCode() {
        QFETCH(QByteArray, installerName);
        QFETCH(QString, suffix);
        Fixture f;
        f.installer->SetString("InstallerName", installerName.toStdString());
        auto tyfi = f.Make();
        tyfi->onStart();
        QTRY_COMPARE_WITH_TIMEOUT(f.links->opened, QStringList{kInstallPage + suffix}, 5000);
    }

    // The gateway decides when; the page is asked for again when the gateway runs it.
    void gatewayHoldsTheStimulus_data() {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<bool>("opens");
        QTest::newRow("nothing changes") << "" << true;
        QTest::newRow("answer turns false") << "answer" << false;
        QTest::newRow("extension destroyed") << "destroyed" << false;
    }
    void gatewayHoldsTheStimulus() {
        QFETCH(QString, meanwhile);
        QFETCH(bool, opens);
        Fixture f;
        auto gateway = std::make_shared<HoldingGateway>();
        bool answer = true;
        auto tyfi = f.Make(gateway);
        tyfi->setCustomNeedOpenChecker([&answer] { return answer; });
        tyfi->onStart();
        QTRY_COMPARE_WITH_TIMEOUT(gateway->held.size(), size_t(1), 5000);
        QCOMPARE(gateway->held.front().name, std::string("THANK_FOR_INSTALL"));
        QCOMPARE(f.links->opened, QStringList());
        answer = meanwhile != "answer";
        if (meanwhile == "destroyed") {
            tyfi.reset();
        }
        gateway->Flush();
        QCOMPARE(f.links->opened, opens ? QStringList{kInstallPage} : QStringList());
    }

    void emptyServicesAreRefused_data() {
        QTest::addColumn<int>("missing");
        int position = 0;
        for (const char* service : {"customization", "links", "installer settings",
                                    "product settings", "launch type"}) {
            QTest::newRow(service) << position++;
        }
    }
    void emptyServicesAreRefused() {
        QFETCH(int, missing);
        Fixture f;
        auto empty = [missing](int position, auto service) {
            return position == missing ? nullptr : service;
        };
        QVERIFY_EXCEPTION_THROWN(Tyfi(empty(0, f.customization), empty(1, f.links),
                                      empty(2, f.installer), empty(3, f.product),
                                      empty(4, f.launch), nullptr),
                                 std::logic_error);
    }

private:
    QWidget m_window;
};

QUORVEL_TEST_MAIN(TyfiTest)
#include "tst_Tyfi.moc"
