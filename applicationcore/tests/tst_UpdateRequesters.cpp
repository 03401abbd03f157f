#include <Quorvel/App/Application/Extensions/AutoUpdateRequester.h>
#include <Quorvel/App/Application/Extensions/InstallerUpdater.h>
#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

using namespace Quorvel::App;

namespace {

QTemporaryDir g_dir;
int g_files = 0;

std::shared_ptr<ProductSettingsManager> NewSettings() {
    return std::make_shared<ProductSettingsManager>(
        g_dir.filePath(QString("p%1.ini").arg(++g_files)));
}

const std::shared_ptr<ICustomizationManager> kCustomization = CustomizationManager::FromJson(
    R"({"organizationName": "O", "applicationName": "A", "productName": "P",
        "productVersion": "1.0", "userAgent": {"product": "P", "text": "P/1.0"}})",
    "test");

// A requester started with "autoUpdate" as given (-1: not stored) and a first callback that
// counts in `early`.
struct Started {
    explicit Started(int autoUpdate, bool withCallback = true) {
        if (autoUpdate >= 0) settings->SetBool("autoUpdate", autoUpdate != 0);
        if (withCallback) requester->setAutoUpdateRequestCallback([this] { ++early; });
        requester->onStart();
    }
    void SetCounting() {
        requester->setAutoUpdateRequestCallback([this] { ++calls; });
    }
    std::shared_ptr<ProductSettingsManager> settings = NewSettings();
    std::unique_ptr<AutoUpdateRequester> requester =
        std::make_unique<AutoUpdateRequester>(kCustomization, settings);
    int early = 0;
    int calls = 0;
};

}  // namespace

class UpdateRequestersTest : public QObject {
    Q_OBJECT
private slots:
    // Every case runs side by side, so that they share one wait of five seconds.
    void requestsFiveSecondsAfterStart() {
        Started missing(-1), off(0), late(1), none(1, false), destroyed(1), twice(1);
        twice.requester->onStart();
        for (Started* started : {&missing, &off, &twice}) started->SetCounting();
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(2000);
        late.SetCounting();  // the callback of the moment counts, not that of onStart
        destroyed.SetCounting();
        destroyed.requester.reset();
        QTest::qWait(4500 - int(clock.elapsed()));
        QCOMPARE(missing.calls + twice.calls + late.calls, 0);

        QTRY_COMPARE_WITH_TIMEOUT(twice.calls, 2, 3000);
        QTest::qWait(200);
        QCOMPARE(missing.calls, 1);
        QCOMPARE(late.calls, 1);
        QCOMPARE(off.calls + destroyed.calls, 0);
        QCOMPARE(missing.early + off.early + late.early + destroyed.early + twice.early, 0);
    }

    void installerUpdaterRecordsTheBitness() {
        auto settings = NewSettings();
        settings->SetString("ArchitectBits", "x86");
        InstallerUpdater(settings).onStart();
        QCOMPARE(settings->GetString("ArchitectBits", ""), sizeof(void*) == 8 ? "x64" : "x32");
    }

    void emptyServicesAreRefused() {
        QVERIFY_EXCEPTION_THROWN(AutoUpdateRequester(nullptr, NewSettings()), std::logic_error);
        QVERIFY_EXCEPTION_THROWN(AutoUpdateRequester(kCustomization, nullptr), std::logic_error);
        QVERIFY_EXCEPTION_THROWN(InstallerUpdater(nullptr), std::logic_error);
    }
};

QUORVEL_TEST_MAIN(UpdateRequestersTest)
#include "tst_UpdateRequesters.moc"
