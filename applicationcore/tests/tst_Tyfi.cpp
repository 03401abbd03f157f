#include <Quorvel/App/Application/Extensions/Tyfi.h>
#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <memory>
#include <utility>
#include <vector>

using namespace Quorvel::App;
using Quorvel::URLKeys;
using Quorvel::ExternalStimulus::Stimulus;

namespace {

// Addresses named after their key: "?key=29" is the install page, "?key=30" the reinstall one.
const QString kInstallPage = "https://quorvel.example/?key=29";
const QString kReinstallPage = "https://quorvel.example/?key=30";

struct Links : ILinksManager {
    QString GetUrl(const QString&) override { return {}; }
    QString GetUrl(URLKeys key) override {
        return QString("https://quorvel.example/?key=%1").arg(static_cast<int>(key));
    }
    QString GenerateUrl(const QString&, QMap<QString, QString>) override { return {}; }
    void OpenUrl(const QString& url) override { opened << url; }
    void OpenUrl(URLKeys) override {}
    QStringList opened;
};

struct Launch : ILaunchTypeProcessor {
    explicit Launch(int type) : type(static_cast<LaunchType>(type)) {}
    LaunchType GetLaunchType() const override { return type; }
    LaunchType type;
};

// Holds the thank-you stimuli until flushed.
struct HoldingGateway : Quorvel::ExternalStimulus::IGateway {
    void Send(const Stimulus& stimulus) override {
        if (stimulus.name == "THANK_FOR_INSTALL") held.push_back(stimulus);
    }
    void Flush() override {
        for (const Stimulus& stimulus : std::exchange(held, {})) stimulus.action();
    }
    bool IsHolding() const override { return true; }
    std::vector<Stimulus> held;
};

}  // namespace

class TyfiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_window.show(); }  // the product is on screen: the wait is short

    void opensThePage_data() {
        QTest::addColumn<int>("launch");
        // The custom checker: -1 none; 0, 1 its answer; 2, 3 yes, and then, while the gateway
        // holds the stimulus, 2 no, 3 the extension is destroyed.
        QTest::addColumn<int>("checker");
        QTest::addColumn<QByteArray>("installer");
        QTest::addColumn<QString>("opened");  // empty: nothing
        const QByteArray code = "QuorvelSetupC1a2b.exe";
        QTest::newRow("install") << 1 << -1 << code << kInstallPage + "&did=C1a2b";
        QTest::newRow("reinstall") << 2 << -1 << code << kReinstallPage + "&did=C1a2b";
        QTest::newRow("background") << 4 << -1 << code << QString();
        QTest::newRow("checker: yes") << 4 << 1 << code << kReinstallPage + "&did=C1a2b";
        QTest::newRow("checker: no") << 1 << 0 << code << QString();
        QTest::newRow("answer turns false while held") << 1 << 2 << code << QString();
        QTest::newRow("destroyed while held") << 1 << 3 << code << QString();
        QTest::newRow("first not in the set")
            << 1 << -1 << QByteArray("QuorvelSetupA1234.exe") << kInstallPage;
        QTest::newRow("first in lower case")
            << 1 << -1 << QByteArray("QuorvelSetupc1234.exe") << kInstallPage;
        QTest::newRow("three characters")
            << 1 << -1 << QByteArray("QuorvelSetupS12") << kInstallPage;
        QTest::newRow("last fitting code wins")
            << 1 << -1 << QByteArray("SetupC1111-SetupO2222-SetupA3333.exe")
            << kInstallPage + "&did=O2222";
        QTest::newRow("odd characters")
            << 1 << -1 << QByteArray("Кв\t%&=?#\x01\x7fSetupU0Z0z€ (2).exe")
            << kInstallPage + "&did=U0Z0z";
        QTest::newRow("long name")
            << 1 << -1 << QByteArray(700, 'q') + code << kInstallPage + "&did=C1a2b";
        QTest::newRow("megabytes") << 1 << -1 << QByteArray(4 << 20, 'x') + code << kInstallPage;
    }
    void opensThePage() {
        QFETCH(int, launch);
        QFETCH(int, checker);
        QFETCH(QByteArray, installer);
        QFETCH(QString, opened);
        QTemporaryDir dir;
        auto customization = CustomizationManager::FromJson(
            R"({"organizationName": "O", "applicationName": "A", "productName": "P",
                "productVersion": "1", "userAgent": {"product": "P", "text": "P/1"},
                "thankYouPageMode": "thankyou"})",
            "test");
        auto links = std::make_shared<Links>();
        auto installerSettings =
            std::make_shared<InstallerSettingsManager>(dir.filePath("installer.ini"));
        installerSettings->SetString("InstallerName", installer.toStdString());
        auto gateway = std::make_shared<HoldingGateway>();
        auto tyfi = std::make_unique<Tyfi>(
            customization, links, installerSettings,
            std::make_shared<ProductSettingsManager>(dir.filePath("product.ini")),
            std::make_shared<Launch>(launch), gateway);
        bool answer = checker != 0;
        if (checker >= 0) {
            tyfi->setCustomNeedOpenChecker([&answer] { return answer; });
        }
        tyfi->onStart();
        QTest::qWait(1000);  // the window is up: the stimulus comes after about 300 ms
        QVERIFY(links->opened.isEmpty());
        answer = checker != 0 && checker != 2;
        if (checker == 3) {
            tyfi.reset();
        }
        gateway->Flush();
        QCOMPARE(links->opened, opened.isEmpty() ? QStringList() : QStringList{opened});
    }

private:
    QWidget m_window;
};

QUORVEL_TEST_MAIN(TyfiTest)
#include "tst_Tyfi.moc"
