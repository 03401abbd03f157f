#include <Quorvel/App/Application/Extensions/Tyfi.h>
#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/TestSupport/StandIns.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QWidget>

using namespace Quorvel::App;
using Quorvel::URLKeys;
using Quorvel::TestSupport::FixedLaunch;
using Quorvel::TestSupport::HoldingGateway;

class TyfiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_window.show(); }  // the product is on screen: the wait is short

    void opensThePage_data() {
        QTest::addColumn<int>("launch");
        // The custom checker's answer ("yes", "no"), or "turns no" or "destroyed" while the
        // gateway holds the stimulus; "bundled": a bundle's product, no checker.
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QByteArray>("installer");
        QTest::addColumn<QString>("opened");  // empty: nothing
        const QByteArray code = "QuorvelSetupC1a2b.exe";
        QTest::newRow("reinstall") << 2 << "" << code << "reinstall&did=C1a2b";
        QTest::newRow("background") << 4 << "" << code << "";
        QTest::newRow("a bundle's product") << 1 << "bundled" << code << "";
        QTest::newRow("checker: yes") << 4 << "yes" << code << "reinstall&did=C1a2b";
        QTest::newRow("answer turns no while held") << 1 << "turns no" << code << "";
        QTest::newRow("destroyed while held") << 1 << "destroyed" << code << "";
        QTest::newRow("three characters") << 1 << "" << QByteArray("QuorvelSetupS12") << "install";
        QTest::newRow("last fitting code wins")
            << 1 << "" << QByteArray("SetupC1111-SetupO2222-SetupA3333.exe") << "install&did=O2222";
        QTest::newRow("megabytes") << 1 << "" << QByteArray(4 << 20, 'x') + code << "install";
    }
    void opensThePage() {
        QFETCH(int, launch);
        QFETCH(QString, setup);
        QFETCH(QByteArray, installer);
        QFETCH(QString, opened);
        QTemporaryDir dir;
        auto links = std::make_shared<Quorvel::TestSupport::RecordingLinks>();
        links->urls[URLKeys::THANK_FOR_INSTALL_URL] = "install";
        links->urls[URLKeys::THANK_FOR_REINSTALL_URL] = "reinstall";
        auto installerSettings = std::make_shared<InstallerSettingsManager>(dir.filePath("i.ini"));
        installerSettings->SetString("InstallerName", installer.toStdString());
        auto product = std::make_shared<ProductSettingsManager>(dir.filePath("product.ini"));
        product->SetString("BUNDLE_NAME", setup == "bundled" ? "Suite" : "");
        auto gateway = std::make_shared<HoldingGateway>();
        auto tyfi = std::make_unique<Tyfi>(
            CustomizationManager::FromJson(
                R"({"organizationName": "O", "applicationName": "A", "productName": "P",
                    "productVersion": "1", "userAgent": {"product": "P", "text": "P/1"},
                    "thankYouPageMode": "thankyou"})",
                "test"),
            links, installerSettings, product, std::make_shared<FixedLaunch>(LaunchType(launch)),
            gateway);
        bool answer = setup != "no";
        if (!setup.isEmpty() && setup != "bundled") {
            tyfi->setCustomNeedOpenChecker([&answer] { return answer; });
        }
        tyfi->onStart();
        QTest::qWait(1000);  // the window is up: the stimulus comes after about 300 ms
        QVERIFY(links->opened.isEmpty());
        answer = answer && setup != "turns no";
        if (setup == "destroyed") {
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
