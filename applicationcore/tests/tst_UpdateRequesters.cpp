#include <Quorvel/App/Application/Extensions/AutoUpdateRequester.h>
#include <Quorvel/App/Application/Extensions/InstallerUpdater.h>
#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace Quorvel::App;

class UpdateRequestersTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_files = 0;
    std::shared_ptr<ICustomizationManager> m_customization = CustomizationManager::FromJson(
        R"({"organizationName": "O", "applicationName": "A", "productName": "P",
            "productVersion": "1.0", "userAgent": {"product": "P", "text": "P/1.0"}})",
        "test");

    std::shared_ptr<ProductSettingsManager> NewSettings() {
        return std::make_shared<ProductSettingsManager>(
            m_dir.filePath(QString("product%1.ini").arg(++m_files)));
    }

private slots:
    // Every case runs side by side, so that they share one wait of five seconds.
    void requestsFiveSecondsAfterStart() {
        struct Case {
            std::shared_ptr<ProductSettingsManager> settings;
            std::unique_ptr<AutoUpdateRequester> requester;
            int early = 0;  // calls of a callback replaced before the time was up
            int calls = 0;
        };
        auto make = [this](Case& c, int autoUpdate /* -1: not stored */) {
            c.settings = NewSettings();
            if (autoUpdate >= 0) {
                c.settings->SetBool("autoUpdate", autoUpdate != 0);
            }
            c.requester = std::make_unique<AutoUpdateRequester>(m_customization, c.settings);
        };
        Case missing, off, late, none, destroyed, twice;
        make(missing, -1);
        make(off, 0);
        make(late, 1);
        make(none, 1);
        make(destroyed, 1);
        make(twice, 1);
        for (Case* c : {&missing, &off, &late, &destroyed, &twice}) {
            c->requester->setAutoUpdateRequestCallback([c] { ++c->early; });
        }
        for (Case* c : {&missing, &off, &late, &none, &destroyed, &twice}) {
            c->requester->onStart();
        }
        twice.requester->onStart();
        missing.requester->setAutoUpdateRequestCallback([&missing] { ++missing.calls; });
        twice.requester->setAutoUpdateRequestCallback([&twice] { ++twice.calls; });
        off.requester->setAutoUpdateRequestCallback([&off] { ++off.calls; });

        QElapsedTimer clock;
        clock.start();
        QTest::qWait(2000);
        late.requester->setAutoUpdateRequestCallback([&late] { ++late.calls; });
        destroyed.requester.reset();
        QTest::qWait(4500 - int(clock.elapsed()));
        QCOMPARE(missing.calls + twice.calls + late.calls, 0);

        QTRY_COMPARE_WITH_TIMEOUT(twice.calls, 2, 3000);
        QTest::qWait(200);
        QCOMPARE(missing.calls, 1);
        QCOMPARE(late.calls, 1);
        for (Case* c : {&missing, &off, &late, &none, &destroyed, &twice}) {
            QCOMPARE(c->early, 0);
        }
        QCOMPARE(off.calls, 0);
        QCOMPARE(destroyed.calls, 0);
    }

    void installerUpdaterRecordsTheBitness() {
        auto settings = NewSettings();
        settings->SetString("ArchitectBits", "x86");
        InstallerUpdater updater(settings);
        updater.onStart();
        QCOMPARE(settings->GetString("ArchitectBits", ""), sizeof(void*) == 8 ? "x64" : "x32");
    }

    void emptyServicesAreRefused() {
        QVERIFY_EXCEPTION_THROWN(AutoUpdateRequester(nullptr, NewSettings()), std::logic_error);
        QVERIFY_EXCEPTION_THROWN(AutoUpdateRequester(m_customization, nullptr), std::logic_error);
        QVERIFY_EXCEPTION_THROWN(InstallerUpdater(nullptr), std::logic_error);
    }
};

QUORVEL_TEST_MAIN(UpdateRequestersTest)
#include "tst_UpdateRequesters.moc"
